#pragma once

#include "modules/ProcessContext.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <optional>

// The one musical clock that every tempo-synced part of the rack reads. While the host's
// transport plays, it follows the host's grid; otherwise (stopped, no position, or a block the
// host sent nothing for) it runs on from where it was at the host's last tempo.
class TempoClock
{
public:
    // Position 0 at 120 BPM, nothing heard from the host yet.
    void reset() noexcept;

    // Reads the play head once per host block. latencySamples: how far the processor's output
    // lags its input.
    void beginHostBlock (juce::AudioPlayHead* playHead, double sampleRate, int latencySamples) noexcept;

    // The context of the next sub-block, and the clock moved on past its numSamples.
    ProcessContext nextSubBlock (int numSamples) noexcept;

private:
    double position() const noexcept;
    void moveAnchor (double newPosition) noexcept;

    // The position is counted from an anchor in whole samples, not summed block by block, so
    // that it stays on the grid over hours.
    double sampleRate = 44100.0, bpm = 120.0, anchor = 0.0;
    juce::int64 samplesSinceAnchor = 0;
    bool playing = false;
    std::optional<double> lastHostPosition;
};
