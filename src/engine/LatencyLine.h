#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Delays every channel by a whole number of samples, block by block: the dry path's alignment
// with the wet path's latency.
class LatencyLine
{
public:
    // Allocates room for up to maximumDelay samples and delays by that much; message thread.
    void prepare (int channels, int maximumDelay);
    // A delay up to the prepared maximum; starts from silence.
    void setDelay (int delaySamples) noexcept;
    void reset() noexcept;

    // output = input delayed; the two buffers must be distinct, with at least as many channels
    // in the output. Channels beyond the prepared ones pass undelayed.
    void process (const juce::AudioBuffer<float>& input, juce::AudioBuffer<float>& output, int numSamples) noexcept;

    int getDelay() const noexcept { return delay; }

private:
    juce::AudioBuffer<float> ring; // its first `delay` samples: the latest input, oldest at `position`
    int delay = 0;
    int position = 0;
};
