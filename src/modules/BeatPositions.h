#pragma once

#include "modules/ProcessContext.h"

#include <juce_core/juce_core.h>

// The musical position, in beats, of each sample of one block, read off the tempo clock.
class BeatPositions
{
public:
    BeatPositions (const ProcessContext& context, double sampleRate) noexcept
        : start (context.ppqPosition), step (context.beatsPerSample (sampleRate))
    {
    }

    double getBeatsPerSample() const noexcept { return step; }
    double at (int sample) const noexcept { return start + sample * step; }

    // Where a cycle of `cyclesPerBeat` stands at the block's first sample (0 ... 1), and how
    // far it moves per sample.
    double phaseAtStart (double cyclesPerBeat) const noexcept
    {
        const double cycles = start * cyclesPerBeat;
        return cycles - std::floor (cycles);
    }
    double phaseStep (double cyclesPerBeat) const noexcept { return cyclesPerBeat * step; }

    // Whether every sample of a block of numSamples falls in unit number `index` (units of
    // `unitBeats`); positions only grow within a block, so its ends decide.
    bool blockStaysIn (juce::int64 index, double unitBeats, int numSamples) const noexcept
    {
        return numSamples > 0 && (juce::int64) std::floor (at (0) / unitBeats) == index
               && (juce::int64) std::floor (at (numSamples - 1) / unitBeats) == index;
    }

private:
    double start, step;
};
