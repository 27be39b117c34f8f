#pragma once

#include <juce_dsp/juce_dsp.h>

#include <vector>

namespace testing_support
{
// Magnitude spectrum (linear) of the first 2^order samples, Blackman-Harris windowed.
inline std::vector<float> magnitudeSpectrum (const float* samples, int order)
{
    const int size = 1 << order;
    juce::dsp::FFT fft (order);
    std::vector<float> data ((size_t) size * 2, 0.0f);
    juce::dsp::WindowingFunction<float> window ((size_t) size, juce::dsp::WindowingFunction<float>::blackmanHarris, false);
    std::copy (samples, samples + size, data.begin());
    window.multiplyWithWindowingTable (data.data(), (size_t) size);
    fft.performFrequencyOnlyForwardTransform (data.data());
    data.resize ((size_t) size / 2);
    return data;
}

inline float decibels (float ratio) { return 20.0f * std::log10 (juce::jmax (ratio, 1.0e-12f)); }
} // namespace testing_support
