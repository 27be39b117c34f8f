// Plans juce::dsp::FFT at every order the formant uses and writes FFTW's wisdom, the plans it
// chose, into a C++ source file as FftWisdom::recorded (see cmake/FftWisdom.cmake).
#include "modules/FormantProcessor.h"

#include <fftw3.h>

#include <cstdio>
#include <cstdlib>

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: lumivox_fft_wisdom OUTPUT.cpp\n");
        return 2;
    }

    for (int order = FormantProcessor::lowestFftOrder; order <= FormantProcessor::highestFftOrder; ++order)
        juce::dsp::FFT fft (order);

    char* wisdom = fftwf_export_wisdom_to_string();
    std::FILE* out = std::fopen (argv[1], "w");
    if (wisdom == nullptr || out == nullptr)
    {
        std::fprintf (stderr, "lumivox_fft_wisdom: cannot write '%s'\n", argv[1]);
        return 1;
    }
    std::fprintf (out,
                  "// Written by lumivox_fft_wisdom while building.\n"
                  "#include \"modules/FftWisdom.h\"\n\nnamespace FftWisdom\n{\nconst char* const recorded = R\"fftw(%s)fftw\";\n}\n",
                  wisdom);
    std::free (wisdom);
    return std::fclose (out) == 0 ? 0 : 1;
}
