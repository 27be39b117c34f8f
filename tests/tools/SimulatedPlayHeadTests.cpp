#include "SimulatedPlayHead.h"

#include <gtest/gtest.h>

TEST (RenderPlayHead, MovesByEachBlockWhilePlayingAndStandsStillWhenStopped)
{
    struct Case
    {
        bool playing;
        double sampleRate, bpm, startPpq;
        int blockSize, blocks;
    };

    const Case cases[] = {
        { true, 48000.0, 120.0, 0.0, 512, 10 },
        { true, 44100.0, 93.5, 7.25, 1, 1000 },
        { true, 96000.0, 174.0, -2.0, 4096, 3 },
        { false, 48000.0, 120.0, 5.5, 512, 10 },
    };

    for (const auto& c : cases)
    {
        SimulatedPlayHead head (c.sampleRate, c.bpm, c.startPpq, c.playing);
        for (int b = 0; b < c.blocks; ++b)
            head.advance (c.blockSize);

        const auto position = head.getPosition();
        ASSERT_TRUE (position.hasValue());

        const juce::int64 moved = c.playing ? (juce::int64) c.blockSize * c.blocks : 0;
        const double expectedPpq = c.startPpq + (double) moved / c.sampleRate * c.bpm / 60.0;

        EXPECT_EQ (position->getIsPlaying(), c.playing);
        EXPECT_EQ (*position->getBpm(), c.bpm);
        EXPECT_NEAR (*position->getPpqPosition(), expectedPpq, 1.0e-9);
        EXPECT_EQ (*position->getTimeInSamples(), moved);
        EXPECT_NEAR (*position->getTimeInSeconds(), (double) moved / c.sampleRate, 1.0e-12);
        EXPECT_LE (*position->getPpqPositionOfLastBarStart(), *position->getPpqPosition());
        EXPECT_EQ (position->getTimeSignature()->numerator, 4);
    }

    // The position of the output, which lags the input by the plug-in's latency.
    SimulatedPlayHead head (48000.0, 120.0, 2.0, true);
    head.setLatency (1200);
    EXPECT_DOUBLE_EQ (*head.getPosition()->getPpqPosition(), 2.0 - 0.05);
    EXPECT_EQ (*head.getPosition()->getTimeInSamples(), -1200);
}
