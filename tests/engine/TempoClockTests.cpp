#include "engine/TempoClock.h"

#include <gtest/gtest.h>

namespace
{
constexpr double rate = 48000.0;

// What a host's play head says for the coming block; an empty optional leaves a field out,
// and `silent` gives no position at all (an LV2 host between changes).
struct ScriptedPlayHead final : juce::AudioPlayHead
{
    juce::Optional<double> bpm { 120.0 }, ppq;
    juce::Optional<juce::int64> samples;
    bool playing = true;
    bool silent = false;

    juce::Optional<PositionInfo> getPosition() const override
    {
        if (silent)
            return {};
        PositionInfo info;
        info.setBpm (bpm);
        info.setPpqPosition (ppq);
        info.setTimeInSamples (samples);
        info.setIsPlaying (playing);
        return info;
    }
};

// One host block of n samples as one sub-block: its context.
ProcessContext block (TempoClock& clock, juce::AudioPlayHead* head, int n = 480, int latency = 0)
{
    clock.beginHostBlock (head, rate, latency);
    return clock.nextSubBlock (n);
}
} // namespace

TEST (TempoClock, LimitsTheHostTempo)
{
    struct Case { juce::Optional<double> bpm; double expected; };
    const Case cases[] = {
        { 1000.0, 400.0 }, { 5.0, 20.0 }, { 93.5, 93.5 }, { {}, 120.0 },
        { std::numeric_limits<double>::quiet_NaN(), 120.0 }, { std::numeric_limits<double>::infinity(), 120.0 },
    };
    for (const auto& c : cases)
    {
        TempoClock clock;
        ScriptedPlayHead head;
        head.bpm = c.bpm;
        EXPECT_DOUBLE_EQ (block (clock, &head).bpm, c.expected);
    }

    TempoClock clock;
    const auto none = block (clock, nullptr);
    EXPECT_DOUBLE_EQ (none.bpm, 120.0);
    EXPECT_FALSE (none.isPlaying);
}

TEST (TempoClock, FollowsAPlayingHostAndMovesOnBySubBlocks)
{
    TempoClock clock;
    ScriptedPlayHead head;
    head.ppq = 8.0;
    clock.beginHostBlock (&head, rate, 0);
    const auto first = clock.nextSubBlock (24000);
    const auto second = clock.nextSubBlock (24000); // half a second in
    EXPECT_TRUE (first.isPlaying);
    EXPECT_DOUBLE_EQ (first.ppqPosition, 8.0);
    EXPECT_DOUBLE_EQ (second.ppqPosition, 9.0);

    // The host's next position wins over the clock's own count.
    head.ppq = 12.5;
    EXPECT_DOUBLE_EQ (block (clock, &head).ppqPosition, 12.5);
    head.ppq = 2.0; // a loop back
    EXPECT_DOUBLE_EQ (block (clock, &head).ppqPosition, 2.0);

    // Out of range and non-finite positions.
    head.ppq = 5.0e12;
    EXPECT_DOUBLE_EQ (block (clock, &head).ppqPosition, 1.0e9);
    head.ppq = std::numeric_limits<double>::quiet_NaN();
    EXPECT_DOUBLE_EQ (block (clock, &head, 480).ppqPosition, 1.0e9 + 480.0 / 24000.0) << "no position: runs on";
}

TEST (TempoClock, TheHostPositionIsThatOfTheOutputSoTheLatencyIsAddedBack)
{
    TempoClock clock;
    ScriptedPlayHead head;
    head.ppq = 4.0;
    EXPECT_DOUBLE_EQ (block (clock, &head, 480, 1030).ppqPosition, 4.0 + 1030.0 / 24000.0);
}

TEST (TempoClock, StoppedItRunsOnFromWhereItWasAtTheHostTempo)
{
    TempoClock clock;
    ScriptedPlayHead head;
    head.ppq = 8.0;
    block (clock, &head, 480);
    head.playing = false;
    head.bpm = 90.0;
    // The stopped host keeps reporting 8; the clock goes on past 8.02.
    for (int b = 0; b < 10; ++b)
    {
        const auto context = block (clock, &head, 480);
        EXPECT_FALSE (context.isPlaying);
        EXPECT_NEAR (context.ppqPosition, 8.0 + 480.0 / 24000.0 + b * 480.0 / 32000.0, 1.0e-12) << b;
    }

    // Starting to play at the stopped position relocks there, though it never changed.
    head.playing = true;
    EXPECT_DOUBLE_EQ (block (clock, &head).ppqPosition, 8.0);
}

TEST (TempoClock, APositionTheHostDidNotUpdateAdvancesByTheSamplesProcessed)
{
    // An LV2 host sends the transport only when it changes: blocks without one run on, still
    // playing at the last tempo.
    TempoClock clock;
    ScriptedPlayHead head;
    head.ppq = 4.0;
    head.bpm = 90.0;
    block (clock, &head, 600);
    head.silent = true;
    const auto quiet = block (clock, &head, 600);
    EXPECT_TRUE (quiet.isPlaying);
    EXPECT_DOUBLE_EQ (quiet.bpm, 90.0);
    EXPECT_DOUBLE_EQ (quiet.ppqPosition, 4.0 + 600.0 / 32000.0);

    // A host that repeats the same position while playing is not followed back to it.
    head.silent = false;
    EXPECT_DOUBLE_EQ (block (clock, &head, 600).ppqPosition, 4.0 + 1200.0 / 32000.0);
}

TEST (TempoClock, DerivesTheQuarterNotesFromASamplePositionAndTempo)
{
    // Ardour's LV2 position: time:frame and a tempo, no time:beat.
    TempoClock clock;
    ScriptedPlayHead head;
    head.bpm = 90.0;
    head.samples = 96000; // two seconds: three beats at 90 BPM
    EXPECT_DOUBLE_EQ (block (clock, &head).ppqPosition, 3.0);

    head.ppq = 7.0; // a musical position, when there is one, comes first
    EXPECT_DOUBLE_EQ (block (clock, &head).ppqPosition, 7.0);
}

TEST (TempoClock, IgnoresJitterInAPlayingHostsPositionButFollowsRealMoves)
{
    // Ardour's VST3 positions come rounded to 1/1920 of a beat.
    TempoClock clock;
    ScriptedPlayHead head;
    const double blockBeats = 512.0 / 24000.0;
    for (int b = 0; b < 20; ++b)
    {
        const double exact = 4.0 + b * blockBeats;
        head.ppq = std::round (exact * 1920.0) / 1920.0;
        EXPECT_NEAR (block (clock, &head, 512).ppqPosition, std::round (4.0 * 1920.0) / 1920.0 + b * blockBeats, 1.0e-12) << b;
    }

    head.ppq = 4.0 + 20 * blockBeats + 0.01; // a nudge of 0.01 beat is a real move
    EXPECT_DOUBLE_EQ (block (clock, &head, 512).ppqPosition, *head.ppq);
}
