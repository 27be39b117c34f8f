#pragma once

#include "engine/ProcessContext.h"

#include <juce_core/juce_core.h>

// The musical position, in beats, of each sample of a block: the host's when it gives
// one, else a counter of the module's own running at the host tempo.
class BeatClock
{
public:
    void reset() noexcept { counter = 0.0; }

    void beginBlock (const ProcessContext& context, double sampleRate) noexcept
    {
        const double beatsPerSecond = context.bpm < 20.0 ? 1.0 / 3.0 : juce::jmin (context.bpm, 400.0) / 60.0;
        beatsPerSample = beatsPerSecond / sampleRate;
        hostPosition = context.hasPpqPosition;
        start = context.ppqPosition;
    }

    double getBeatsPerSample() const noexcept { return beatsPerSample; }

    // Position of sample i of the block; call once per sample, in order.
    double positionOfSample (int i) noexcept
    {
        if (hostPosition)
            return start + i * beatsPerSample;
        const double position = counter;
        counter += beatsPerSample;
        return position;
    }

    // Where the block's last sample will be, without moving the clock: the same arithmetic
    // as positionOfSample.
    double positionOfLastSample (int numSamples) const noexcept
    {
        if (hostPosition)
            return start + (numSamples - 1) * beatsPerSample;
        double position = counter;
        for (int i = 1; i < numSamples; ++i)
            position += beatsPerSample;
        return position;
    }

    double positionOfFirstSample() const noexcept { return hostPosition ? start : counter; }

    // Whether every sample of the coming block falls in unit number `index` (units of
    // `unitBeats`); positions only grow within a block, so its ends decide.
    bool blockStaysIn (juce::int64 index, double unitBeats, int numSamples) const noexcept
    {
        return numSamples > 0 && (juce::int64) std::floor (positionOfFirstSample() / unitBeats) == index
               && (juce::int64) std::floor (positionOfLastSample (numSamples) / unitBeats) == index;
    }

    // Moves the clock past a block as positionOfSample would, sample by sample.
    void skip (int numSamples) noexcept
    {
        if (! hostPosition)
            for (int i = 0; i < numSamples; ++i)
                counter += beatsPerSample;
    }

private:
    double counter = 0.0, beatsPerSample = 0.0, start = 0.0;
    bool hostPosition = false;
};
