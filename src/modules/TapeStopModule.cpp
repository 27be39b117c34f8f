#include "modules/TapeStopModule.h"

void TapeStopModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = juce::jmax (1.0, spec.sampleRate);
    mixRamp.prepare (sampleRate);
    ring.allocate ((int) spec.numChannels, juce::jmax ((int) std::ceil (5.0 * sampleRate), 8192), prefaultsMemory);
    reset();
}

void TapeStopModule::reset()
{
    mixRamp.reset();
    ring.clear();
    readPosition = 0.0;
    elapsed = 0;
    wasEnabled = false;
}

void TapeStopModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! ring.isAllocated())
        return;

    const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
    auto* const* data = buffer.getArrayOfWritePointers();

    if (enabled && ! wasEnabled)
    {
        readPosition = ring.wrap ((double) (ring.getWriteIndex() - startBehind));
        elapsed = 0;
    }
    wasEnabled = enabled;

    if (! enabled)
    {
        ring.recordBlock (data, channels, buffer.getNumSamples());
        return;
    }

    mixRamp.setTarget (mix);
    const auto m = mixRamp.take (buffer.getNumSamples());
    const int stopLength = juce::jmax (1, (int) std::lround (sampleRate * timeMs / 1000.0));
    if (elapsed >= stopLength)
    {
        // Stopped: the tape's share is silent, whatever it would read.
        ring.recordBlock (data, channels, buffer.getNumSamples());
        for (int ch = 0; ch < channels; ++ch)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                data[ch][i] -= m.at (i) * data[ch][i];
        return;
    }

    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        ring.writeFrame (data, channels, i);

        const double remaining = 1.0 - juce::jlimit (0.0, 1.0, (double) elapsed / stopLength);
        const double speed = std::pow (remaining, (double) curve);
        const auto at = ring.neighboursOf (readPosition);
        for (int ch = 0; ch < channels; ++ch)
        {
            const float x = data[ch][i];
            const float y = ring.readLinear (ch, at);
            data[ch][i] = x + m.at (i) * ((float) remaining * y - x);
        }

        readPosition = ring.wrap (readPosition + speed);
        if (elapsed < stopLength)
            ++elapsed;
        ring.advance();
    }
}
