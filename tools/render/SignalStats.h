#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Level figures over all channels of a signal, gathered block by block. NaN and infinite
// samples are counted and left out of the peak and RMS, so that one bad sample cannot hide
// what the rest looks like.
class SignalStats
{
public:
    void add (const juce::AudioBuffer<float>& buffer, int startFrame, int numFrames);

    float getPeak() const noexcept { return peak; }
    double getRms() const noexcept;
    juce::int64 getNonFiniteSamples() const noexcept { return nonFiniteSamples; }

private:
    float peak = 0.0f;
    double sumOfSquares = 0.0;
    juce::int64 finiteSamples = 0, nonFiniteSamples = 0;
};
