#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Blends one signal into another in place: to = from + g (to - from), where g moves by `step`
// (negative to fade back) before each sample and stays within 0 ... 1. Returns g after the last
// sample, to carry into the next block.
inline float crossfadeInPlace (const juce::AudioBuffer<float>& from, juce::AudioBuffer<float>& to, int channels,
                               int numSamples, float gain, float step) noexcept
{
    for (int ch = 0; ch < channels; ++ch)
    {
        const auto* a = from.getReadPointer (ch);
        auto* b = to.getWritePointer (ch);
        for (int i = 0; i < numSamples; ++i)
        {
            const float g = juce::jlimit (0.0f, 1.0f, gain + (float) (i + 1) * step);
            b[i] = a[i] + g * (b[i] - a[i]);
        }
    }
    return juce::jlimit (0.0f, 1.0f, gain + (float) numSamples * step);
}
