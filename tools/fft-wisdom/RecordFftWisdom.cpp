// Plans the formant's transforms at every order it uses by measurement and writes FFTW's wisdom,
// the plans it chose, into a C++ source file as FftWisdom::recorded (see cmake/FftWisdom.cmake).
#include "modules/FftWisdom.h"
#include "modules/FormantProcessor.h"

#include <fftw3.h>

#include <cstdio>
#include <cstdlib>

// Nothing is recorded yet while recording.
const char* const FftWisdom::recorded = "";

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: lumivox_fft_wisdom OUTPUT.cpp\n");
        return 2;
    }

    for (int order = FormantProcessor::lowestFftOrder; order <= FormantProcessor::highestFftOrder; ++order)
        FftwFormantTransforms().prepare (order, true);

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
