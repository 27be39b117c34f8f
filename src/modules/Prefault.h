#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A freshly allocated buffer is zero pages that the system maps in on first touch; writing it
// once while preparing keeps those page faults off the audio thread. (The buffer's own clear()
// skips a buffer it knows to be clear.)
inline void prefault (juce::AudioBuffer<float>& buffer) noexcept
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        juce::FloatVectorOperations::clear (buffer.getWritePointer (ch), buffer.getNumSamples());
}
