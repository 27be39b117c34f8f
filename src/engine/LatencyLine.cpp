#include "engine/LatencyLine.h"

#include "engine/Prefault.h"

void LatencyLine::prepare (int channels, int maximumDelay)
{
    ring.setSize (juce::jmax (1, channels), juce::jmax (1, maximumDelay));
    prefault (ring);
    setDelay (maximumDelay);
}

void LatencyLine::setDelay (int delaySamples) noexcept
{
    delay = juce::jlimit (0, ring.getNumSamples(), delaySamples);
    reset();
}

void LatencyLine::reset() noexcept
{
    ring.clear();
    position = 0;
}

void LatencyLine::process (const juce::AudioBuffer<float>& input, juce::AudioBuffer<float>& output, int n) noexcept
{
    const int channels = input.getNumChannels();
    if (delay == 0)
    {
        for (int ch = 0; ch < channels; ++ch)
            output.copyFrom (ch, 0, input, ch, 0, n);
        return;
    }

    for (int ch = ring.getNumChannels(); ch < channels; ++ch)
        output.copyFrom (ch, 0, input, ch, 0, n);

    const int delayed = juce::jmin (channels, ring.getNumChannels());
    int done = 0, at = position;
    while (done < n)
    {
        // One contiguous stretch of the ring: hand out its old samples, keep the new ones.
        const int length = juce::jmin (n - done, delay - at);
        for (int ch = 0; ch < delayed; ++ch)
        {
            auto* stored = ring.getWritePointer (ch, at);
            juce::FloatVectorOperations::copy (output.getWritePointer (ch, done), stored, length);
            juce::FloatVectorOperations::copy (stored, input.getReadPointer (ch, done), length);
        }
        done += length;
        at = at + length == delay ? 0 : at + length;
    }
    position = at;
}
