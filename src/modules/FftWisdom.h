#pragma once

// FFTW chooses the plans behind juce::dsp::FFT by a search that takes some 4 ms per process
// at the formant's sizes. The choices the same FFTW made while building (cmake/FftWisdom.cmake)
// are loaded instead: the same plans, without the search. With the framework's own FFT engine
// there is nothing to load.
namespace FftWisdom
{
// Before a juce::dsp::FFT is created; loads once per process, from whichever thread comes first.
void load();

#if LUMIVOX_FFTW_WISDOM
// FFTW's wisdom as text, recorded while building.
extern const char* const recorded;
#endif
} // namespace FftWisdom
