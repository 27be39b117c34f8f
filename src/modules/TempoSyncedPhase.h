#pragma once

#include "engine/ProcessContext.h"

#include <juce_core/juce_core.h>

// A cycle phase running at some cycles per beat of the host tempo, relocked to the host
// position at the start of every block while the host plays and supplies one.
class TempoSyncedPhase
{
public:
    void prepare (double newSampleRate) noexcept
    {
        sampleRate = newSampleRate;
        reset();
    }

    void reset() noexcept { phase = 0.0; }

    void beginBlock (const ProcessContext& context, double cyclesPerBeat) noexcept
    {
        const double beatsPerSecond = context.bpm < 20.0 ? 1.0 / 3.0 : juce::jmin (context.bpm, 400.0) / 60.0;
        increment = cyclesPerBeat * beatsPerSecond / sampleRate;

        if (context.isPlaying && context.hasPpqPosition)
        {
            const double position = context.ppqPosition * cyclesPerBeat;
            phase = position - std::floor (position);
        }
    }

    double get() const noexcept { return phase; }

    void advance() noexcept
    {
        phase += increment;
        if (phase >= 1.0)
            phase -= std::floor (phase);
    }

private:
    double sampleRate = 44100.0, phase = 0.0, increment = 0.0;
};
