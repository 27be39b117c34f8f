#include "Dither.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int supportedBitDepths[] = { 16, 24 };

// Spreads (seed, channel) over the generator's state, so neighbouring seeds and channels do
// not start related sequences (SplitMix64's finaliser).
juce::int64 channelSeed (juce::int64 seed, int channel)
{
    auto z = (juce::uint64) seed + (juce::uint64) (channel + 1) * 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return (juce::int64) (z ^ (z >> 31));
}
} // namespace

Dither::Dither (int numChannels, int bitsPerSample, juce::int64 seed)
    : codesPerUnit (std::ldexp (1.0, bitsPerSample - 1)),
      lowestCode (-codesPerUnit),
      highestCode (codesPerUnit - 1.0)
{
    jassert (supports (bitsPerSample));
    for (int ch = 0; ch < numChannels; ++ch)
        generators.emplace_back (channelSeed (seed, ch));
}

bool Dither::supports (int bitsPerSample)
{
    return std::find (std::begin (supportedBitDepths), std::end (supportedBitDepths), bitsPerSample)
           != std::end (supportedBitDepths);
}

void Dither::process (juce::AudioBuffer<float>& buffer, int startSample, int numSamples)
{
    jassert (buffer.getNumChannels() == (int) generators.size());
    jassert (startSample >= 0 && startSample + numSamples <= buffer.getNumSamples());

    for (int ch = 0; ch < juce::jmin (buffer.getNumChannels(), (int) generators.size()); ++ch)
    {
        auto& random = generators[(size_t) ch];
        float* samples = buffer.getWritePointer (ch, startSample);
        for (int i = 0; i < numSamples; ++i)
        {
            // Both draws happen for every sample, NaN or not, so the sequence never shifts; one
            // statement each, so every compiler takes them in the same order.
            const double first = random.nextDouble();
            const double noise = first - random.nextDouble();
            const double scaled = std::isnan (samples[i]) ? 0.0 : (double) samples[i] * codesPerUnit;
            const double code = juce::jlimit (lowestCode, highestCode, std::floor (scaled + noise + 0.5));
            samples[i] = (float) (code / codesPerUnit);
        }
    }
}
