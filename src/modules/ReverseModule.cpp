#include "modules/ReverseModule.h"

namespace
{
constexpr double segmentBeats[] = { 2.0, 1.0, 0.5, 0.25, 0.125, 1.0 / 3.0, 1.0 / 6.0 };
}

void ReverseModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = juce::jmax (1.0, spec.sampleRate);
    mixRamp.prepare (sampleRate);
    ring.allocate ((int) spec.numChannels, juce::jmax ((int) std::ceil (8.0 * sampleRate), 8192), prefaultsMemory);
    reset();
}

void ReverseModule::reset()
{
    mixRamp.reset();
    ring.clear();
    segmentIndex = -1;
    anchor = 0;
}

void ReverseModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! ring.isAllocated())
        return;

    const BeatPositions positions (context, sampleRate);
    mixRamp.setTarget (mix);
    const auto m = mixRamp.take (buffer.getNumSamples());
    const double segmentLengthBeats = segmentBeats[juce::jlimit (0, 6, rateIndex)];
    const int h = (int) std::lround (segmentLengthBeats / positions.getBeatsPerSample());
    const int span = h <= 15 ? 15 : juce::jmin (h, ring.size() / 2) - 1;
    const double fadeWidth = crossfade * 0.2 + 0.005;
    const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
    auto* const* data = buffer.getArrayOfWritePointers();
    const int numSamples = buffer.getNumSamples();

    // Switched off within one segment: only the recording goes on.
    if (! enabled && positions.blockStaysIn (segmentIndex, segmentLengthBeats, numSamples))
    {
        ring.recordBlock (data, channels, numSamples);
        return;
    }

    for (int i = 0; i < numSamples; ++i)
    {
        ring.writeFrame (data, channels, i);

        const double pos = positions.at (i) / segmentLengthBeats;
        const auto segment = (juce::int64) std::floor (pos);
        if (segment != segmentIndex)
        {
            segmentIndex = segment;
            anchor = ring.wrap ((juce::int64) ring.getWriteIndex() - 1);
        }

        if (enabled)
        {
            const double p = pos - std::floor (pos);
            const double t = juce::jmin (p, 1.0 - p) / fadeWidth;
            const auto gain = (float) std::sin (juce::jmin (t, 1.0) * juce::MathConstants<double>::halfPi);
            const double readPosition = anchor - p * span;
            for (int ch = 0; ch < channels; ++ch)
            {
                const float x = data[ch][i];
                const float y = ring.readInterpolated (ch, readPosition);
                data[ch][i] = x + gain * m.at (i) * (y - x);
            }
        }

        ring.advance();
    }
}
