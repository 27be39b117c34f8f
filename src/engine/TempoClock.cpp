#include "engine/TempoClock.h"

namespace
{
constexpr double defaultBpm = 120.0, minimumBpm = 20.0, maximumBpm = 400.0;
constexpr double positionLimit = 1.0e9;
// Ardour hands VST3 plug-ins positions rounded to 1/1920 of a beat (12.5 samples at 120 BPM);
// following that jitter block by block would shake the replay effects' read positions.
constexpr double jitterBeats = 4.0 / 1920.0;

// Quarter notes: the host's own, or, from hosts that give only a sample position (Ardour's
// LV2 time:frame without time:beat), that position at the current tempo.
std::optional<double> hostPositionOf (const juce::AudioPlayHead::PositionInfo& info, double sampleRate, double bpm)
{
    double ppq = 0.0;
    if (const auto given = info.getPpqPosition())
        ppq = *given;
    else if (const auto samples = info.getTimeInSamples())
        ppq = (double) *samples / sampleRate * bpm / 60.0;
    else
        return std::nullopt;

    if (! std::isfinite (ppq))
        return std::nullopt;
    return juce::jlimit (-positionLimit, positionLimit, ppq);
}
} // namespace

void TempoClock::reset() noexcept
{
    bpm = defaultBpm;
    moveAnchor (0.0);
    playing = false;
    lastHostPosition.reset();
}

double TempoClock::position() const noexcept
{
    return anchor + (double) samplesSinceAnchor * bpm / 60.0 / sampleRate;
}

void TempoClock::moveAnchor (double newPosition) noexcept
{
    anchor = newPosition;
    samplesSinceAnchor = 0;
}

void TempoClock::beginHostBlock (juce::AudioPlayHead* playHead, double rate, int latencySamples) noexcept
{
    if (rate != sampleRate)
    {
        moveAnchor (position());
        sampleRate = rate;
    }
    const auto info = playHead != nullptr ? playHead->getPosition() : juce::nullopt;
    // LV2 hosts send the transport only when it changes: the last word stands.
    if (! info.hasValue())
        return;

    if (const auto hostBpm = info->getBpm())
    {
        const double newBpm = std::isfinite (*hostBpm) ? juce::jlimit (minimumBpm, maximumBpm, *hostBpm) : defaultBpm;
        if (newBpm != bpm)
        {
            moveAnchor (position());
            bpm = newBpm;
        }
    }

    const bool wasPlaying = playing;
    playing = info->getIsPlaying();

    const auto hostPosition = hostPositionOf (*info, sampleRate, bpm);
    const bool updated = hostPosition.has_value() && (! wasPlaying || lastHostPosition != hostPosition);
    lastHostPosition = hostPosition;

    // Hosts that compensate the latency (Ardour, in both formats) give the position of the
    // output, which lags the input by the latency; the effects work on the input.
    if (playing && updated)
    {
        const double heard = *hostPosition + latencySamples * bpm / 60.0 / sampleRate;
        if (! wasPlaying || std::abs (heard - position()) > jitterBeats)
            moveAnchor (heard);
    }
}

ProcessContext TempoClock::nextSubBlock (int numSamples) noexcept
{
    ProcessContext context;
    context.sampleRate = sampleRate;
    context.bpm = bpm;
    context.ppqPosition = position();
    context.isPlaying = playing;
    samplesSinceAnchor += numSamples;
    return context;
}
