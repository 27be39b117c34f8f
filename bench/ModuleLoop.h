#pragma once

#include "RealtimeFactor.h"
#include "modules/EffectModule.h"

// Times a prepared module on a block of stereo noise and reports its real-time factor.
inline void runModuleOnNoise (benchmark::State& state, EffectModule& module, double sampleRate, int blockSize)
{
    juce::AudioBuffer<float> noise (2, blockSize), buffer (2, blockSize);
    juce::Random random (1);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < blockSize; ++i)
            noise.setSample (ch, i, 0.5f * random.nextFloat() - 0.25f);

    ProcessContext context;
    context.sampleRate = sampleRate;
    for (auto _ : state)
    {
        buffer.makeCopyOf (noise, true);
        module.process (buffer, context);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    reportRealtimeFactor (state, blockSize, sampleRate);
}
