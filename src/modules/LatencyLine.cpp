#include "modules/LatencyLine.h"

#include "modules/Prefault.h"

void LatencyLine::prepare (int channels, int maxDelay, int maxBlock)
{
    maximumDelay = juce::jmax (0, maxDelay);
    maximumBlock = juce::jmax (1, maxBlock);
    // A block is written before it is read, so the ring holds the delay and one block more.
    ring.setSize (juce::jmax (1, channels), maximumDelay + maximumBlock);
    prefault (ring);
    delay = maximumDelay;
    writePosition = 0;
}

void LatencyLine::setDelay (int delaySamples) noexcept
{
    delay = juce::jlimit (0, maximumDelay, delaySamples);
}

void LatencyLine::reset() noexcept
{
    ring.clear();
    writePosition = 0;
}

void LatencyLine::write (int channel, const float* source, int start, int numSamples) noexcept
{
    const int size = ring.getNumSamples();
    const int first = juce::jmin (numSamples, size - start);
    juce::FloatVectorOperations::copy (ring.getWritePointer (channel, start), source, first);
    if (first < numSamples)
        juce::FloatVectorOperations::copy (ring.getWritePointer (channel, 0), source + first, numSamples - first);
}

void LatencyLine::read (int channel, float* destination, int start, int numSamples) const noexcept
{
    const int size = ring.getNumSamples();
    const int first = juce::jmin (numSamples, size - start);
    juce::FloatVectorOperations::copy (destination, ring.getReadPointer (channel, start), first);
    if (first < numSamples)
        juce::FloatVectorOperations::copy (destination + first, ring.getReadPointer (channel, 0), numSamples - first);
}

void LatencyLine::process (const juce::AudioBuffer<float>& input, juce::AudioBuffer<float>& output, int n) noexcept
{
    const int channels = input.getNumChannels();
    for (int ch = ring.getNumChannels(); ch < channels; ++ch)
        output.copyFrom (ch, 0, input, ch, 0, n);

    const int delayed = juce::jmin (channels, ring.getNumChannels());
    const int size = ring.getNumSamples();
    for (int done = 0; done < n;)
    {
        const int length = juce::jmin (n - done, maximumBlock);
        const int readPosition = (writePosition - delay + size) % size;
        for (int ch = 0; ch < delayed; ++ch)
        {
            write (ch, input.getReadPointer (ch, done), writePosition, length);
            read (ch, output.getWritePointer (ch, done), readPosition, length);
        }
        writePosition = (writePosition + length) % size;
        done += length;
    }
}
