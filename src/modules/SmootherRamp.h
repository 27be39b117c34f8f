#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A smoother's next values for a whole block: one step at a time while it glides, a plain
// fill once it has arrived (most blocks), with the same values as calling getNextValue.
template <typename Smoother>
void takeRamp (Smoother& smoother, float* values, int numSamples) noexcept
{
    int i = 0;
    for (; i < numSamples && smoother.isSmoothing(); ++i)
        values[i] = smoother.getNextValue();
    if (i < numSamples)
        juce::FloatVectorOperations::fill (values + i, smoother.getTargetValue(), numSamples - i);
}
