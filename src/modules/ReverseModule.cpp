#include "modules/ReverseModule.h"

#include "modules/QuarterSine.h"

namespace
{
constexpr double segmentBeats[] = { 2.0, 1.0, 0.5, 0.25, 0.125, 1.0 / 3.0, 1.0 / 6.0 };
}

void ReverseModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    replay.prepare (spec, prefaultsMemory);
    reset();
}

void ReverseModule::reset()
{
    replay.reset();
    anchor = 0;
}

void ReverseModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! replay.isReady())
        return;

    auto& ring = replay.ring;
    const BeatPositions positions (context, replay.getSampleRate());
    const auto m = replay.takeMix (mix, buffer.getNumSamples());
    const double segmentLengthBeats = segmentBeats[juce::jlimit (0, 6, rateIndex)];
    const int h = (int) std::lround (segmentLengthBeats / positions.getBeatsPerSample());
    const int span = h <= 15 ? 15 : juce::jmin (h, ring.size() / 2) - 1;
    const double fadeWidth = crossfade * 0.2 + 0.005;
    const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
    auto* const* data = buffer.getArrayOfWritePointers();

    replay.process (
        buffer, positions, enabled, segmentLengthBeats,
        [&] { anchor = ring.wrap ((juce::int64) ring.getWriteIndex() - 1); },
        [&] (int i, double p)
        {
            const double t = juce::jmin (p, 1.0 - p) / fadeWidth;
            const float gain = t >= 1.0 ? 1.0f : quarterSine ((float) t);
            const auto readPosition = ring.neighboursOf (anchor - p * span);
            for (int ch = 0; ch < channels; ++ch)
            {
                const float x = data[ch][i];
                const float y = ring.readLinear (ch, readPosition);
                data[ch][i] = x + gain * m.at (i) * (y - x);
            }
        });
}
