#pragma once

// FFTW finds the fastest plans for the formant's transforms by measuring, some milliseconds
// per plan. The choices the same FFTW made while building (cmake/FftWisdom.cmake) are loaded
// instead: the measured plans, without the measuring. With the framework's own FFT engine
// there is nothing to load.
namespace FftWisdom
{
// Before planning; loads once per process, from whichever thread comes first.
void load();

#if LUMIVOX_FFTW_WISDOM
// FFTW's wisdom as text, recorded while building.
extern const char* const recorded;
#endif
} // namespace FftWisdom
