#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

// TPDF dither and rounding of float samples to a 16- or 24-bit grid. Each sample gets triangular
// noise of +-1 LSB peak (two independent uniform +-0.5 LSB draws) before rounding, which leaves
// the error's mean and power independent of the signal: no distortion, a plain noise floor.
//
// The result is still float, but every sample is an integer over 2^(bits-1) within the
// integer range, which the renderer's writers store exactly at that bit depth. Each channel draws from
// its own generator seeded from (seed, channel), so the output depends only on the seed and
// the samples, never on how the signal is cut into blocks.
class Dither
{
public:
    Dither (int numChannels, int bitsPerSample, juce::int64 seed);

    static bool supports (int bitsPerSample); // 16 or 24

    // Quantises numSamples frames of every channel in place. NaN counts as silence, infinities
    // clip. Allocates nothing.
    void process (juce::AudioBuffer<float>& buffer, int startSample, int numSamples);

private:
    std::vector<juce::Random> generators; // one per channel
    double codesPerUnit;                  // 2^(bits-1)
    double lowestCode, highestCode;
};
