#include "modules/StutterModule.h"

#include "modules/QuarterSine.h"

namespace
{
constexpr double sliceBeats[] = { 2.0, 1.0, 0.5, 0.25, 0.125, 0.0625, 1.0 / 3.0, 1.0 / 6.0, 0.75, 0.375 };
constexpr int edgeSamples = 24; // the dip at both ends of each repeat
}

void StutterModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    replay.prepare (spec, prefaultsMemory);
    reset();
}

void StutterModule::reset()
{
    replay.reset();
    sliceStart = 0;
    sliceLength = 1;
    sliceActive = true;
}

void StutterModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! replay.isReady())
        return;

    auto& ring = replay.ring;
    const BeatPositions positions (context, replay.getSampleRate());
    const auto m = replay.takeMix (mix, buffer.getNumSamples());
    const double sliceLengthBeats = sliceBeats[juce::jlimit (0, 9, rateIndex)];
    const int L = juce::jlimit (16, ring.size() / 2, (int) std::lround (sliceLengthBeats / positions.getBeatsPerSample()));
    const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
    auto* const* data = buffer.getArrayOfWritePointers();

    replay.process (
        buffer, positions, enabled, sliceLengthBeats,
        [&]
        {
            sliceStart = ring.wrap ((juce::int64) ring.getWriteIndex() - L);
            const int wanted = (int) std::lround (length * L);
            sliceLength = wanted < 8 ? 8 : juce::jmin (wanted, L);
            randomState = randomState * 1664525u + 1013904223u;
            sliceActive = probability >= (float) ((randomState >> 8) / 16777215.0);
        },
        [&] (int i, double p)
        {
            if (! sliceActive)
                return;
            const int k = (int) (p * L) % juce::jmax (sliceLength, 1);
            const double e = juce::jmin (sliceLength - 1 - k, k) / (double) edgeSamples;
            const float gain = e >= 1.0 ? 1.0f : 0.25f + 0.75f * quarterSine ((float) e);
            const int at = ring.wrap ((juce::int64) sliceStart + k);
            for (int ch = 0; ch < channels; ++ch)
            {
                const float x = data[ch][i];
                const float y = ring.channelData (ch)[at];
                data[ch][i] = x + gain * m.at (i) * (y - x);
            }
        });
}
