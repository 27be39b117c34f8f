#pragma once

#include "engine/LUMIVOXAudioProcessor.h"

#include <gtest/gtest.h>

namespace testing_support
{
// Sets a parameter in its own units, as a host would.
inline void setParameter (LUMIVOXAudioProcessor& p, const juce::String& id, float value)
{
    auto* param = p.apvts.getParameter (id);
    ASSERT_NE (param, nullptr) << id;
    param->setValueNotifyingHost (param->convertTo0to1 (value));
}

inline float parameterValue (LUMIVOXAudioProcessor& p, const juce::String& id)
{
    return p.apvts.getRawParameterValue (id)->load();
}

inline void switchAllEffectsOff (LUMIVOXAudioProcessor& p)
{
    for (const auto& s : Param::all())
        if (juce::String (s.id).endsWith ("On"))
            setParameter (p, s.id, 0.0f);
}

inline juce::AudioBuffer<float> noise (int channels, int samples, float amplitude = 0.5f, juce::int64 seed = 1)
{
    juce::Random random (seed);
    juce::AudioBuffer<float> b (channels, samples);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < samples; ++i)
            b.setSample (ch, i, amplitude * (2.0f * random.nextFloat() - 1.0f));
    return b;
}

// Runs a whole signal through processBlock in host blocks of the given size.
inline juce::AudioBuffer<float> render (LUMIVOXAudioProcessor& p, const juce::AudioBuffer<float>& input, int blockSize,
                                        bool bypassed = false)
{
    juce::AudioBuffer<float> out (input);
    juce::MidiBuffer midi;
    for (int start = 0; start < out.getNumSamples(); start += blockSize)
    {
        const int n = juce::jmin (blockSize, out.getNumSamples() - start);
        juce::AudioBuffer<float> block (out.getArrayOfWritePointers(), out.getNumChannels(), start, n);
        if (bypassed)
            p.processBlockBypassed (block, midi);
        else
            p.processBlock (block, midi);
    }
    return out;
}

// Largest |a[i] - b[i - delay]| over the samples both cover.
inline float maxDifferenceDelayed (const juce::AudioBuffer<float>& input, const juce::AudioBuffer<float>& output,
                                   int delay)
{
    float worst = 0.0f;
    for (int ch = 0; ch < input.getNumChannels(); ++ch)
        for (int i = 0; i < output.getNumSamples(); ++i)
        {
            const float expected = i >= delay ? input.getSample (ch, i - delay) : 0.0f;
            worst = juce::jmax (worst, std::abs (output.getSample (ch, i) - expected));
        }
    return worst;
}
} // namespace testing_support
