#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Level figures over all channels of a buffer. NaN and infinite samples are counted and left
// out of the peak and RMS, so that one bad sample cannot hide what the rest looks like.
struct SignalStats
{
    float peak = 0.0f;
    double rms = 0.0;
    juce::int64 nonFiniteSamples = 0;

    static SignalStats measure (const juce::AudioBuffer<float>& buffer);
};
