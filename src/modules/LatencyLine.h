#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Delays every channel by a whole number of samples, block by block: the dry path's alignment
// with the wet path's latency. It keeps the latest maximumDelay samples, so the delay can change
// between blocks without losing what came in.
class LatencyLine
{
public:
    // Allocates room for delays up to maximumDelay in blocks up to maximumBlock samples, and
    // delays by maximumDelay; message thread.
    void prepare (int channels, int maximumDelay, int maximumBlock);
    // A delay up to the prepared maximum, from the next block on; the history stays.
    void setDelay (int delaySamples) noexcept;
    // Silence in the history.
    void reset() noexcept;

    // output = input delayed; the two buffers must be distinct, with at least as many channels
    // in the output. Channels beyond the prepared ones pass undelayed.
    void process (const juce::AudioBuffer<float>& input, juce::AudioBuffer<float>& output, int numSamples) noexcept;

    int getDelay() const noexcept { return delay; }
    int getMaximumDelay() const noexcept { return maximumDelay; }

private:
    // Copies between the ring, from `start` on with wrap-around, and a channel's block.
    void write (int channel, const float* source, int start, int numSamples) noexcept;
    void read (int channel, float* destination, int start, int numSamples) const noexcept;

    juce::AudioBuffer<float> ring;
    int maximumDelay = 0, maximumBlock = 1, delay = 0;
    int writePosition = 0;
};
