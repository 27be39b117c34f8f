#pragma once

// What every fuzz target checks after feeding the processor: finite parameters and finite
// audio from one rendered block; a breach aborts, which libFuzzer records as a finding.
#include "engine/LUMIVOXAudioProcessor.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz
{
[[noreturn]] inline void finding (const char* target, const char* what)
{
    fprintf (stderr, "%s fuzz finding: %s\n", target, what);
    std::abort();
}

// Quiet stereo noise, the same every run.
inline juce::AudioBuffer<float> noiseBlock (int blockSize)
{
    juce::AudioBuffer<float> input (2, blockSize);
    juce::Random random (3);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < blockSize; ++i)
            input.setSample (ch, i, 0.5f * random.nextFloat() - 0.25f);
    return input;
}

inline void checkParametersFinite (LUMIVOXAudioProcessor& p, const char* target)
{
    for (auto* parameter : p.getParameters())
        if (! std::isfinite (parameter->getValue()))
            finding (target, "a parameter is not finite");
}

// Renders the input through the processor into block and checks every sample.
inline void renderAndCheck (LUMIVOXAudioProcessor& p, const juce::AudioBuffer<float>& input,
                            juce::AudioBuffer<float>& block, juce::MidiBuffer& midi, const char* target)
{
    block.makeCopyOf (input, true);
    p.processBlock (block, midi);
    for (int ch = 0; ch < block.getNumChannels(); ++ch)
        for (int i = 0; i < block.getNumSamples(); ++i)
            if (! std::isfinite (block.getSample (ch, i)))
                finding (target, "non-finite audio");
}
} // namespace fuzz
