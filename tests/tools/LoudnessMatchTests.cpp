#include "LoudnessMatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST (LoudnessMatch, GainMatchesTheInputUnlessTheTruePeakCeilingStopsIt)
{
    using LoudnessMatch::Outcome;
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();

    struct Case
    {
        const char* name;
        double inputLufs, outputLufs, outputTruePeakDbtp;
        Outcome outcome;
        double gainDb, shortfallDb;
        const char* message; // a part of the warning, or "" for none
    };

    const Case cases[] = {
        { "boost", -16.0, -20.0, -6.0, Outcome::matched, 4.0, 0.0, "" },
        { "cut", -20.0, -14.0, -0.5, Outcome::matched, -6.0, 0.0, "" },
        { "boost reaching the ceiling exactly", -10.0, -13.0, -4.0, Outcome::matched, 3.0, 0.0, "" },
        { "boost stopped by the ceiling", -10.0, -14.0, -2.0, Outcome::limitedByTruePeak, 1.0, 3.0, "stays 3.0 LU below" },
        { "output already over the ceiling", -14.0, -14.5, 1.0, Outcome::limitedByTruePeak, -2.0, 2.5, "stops at -1.0 dBTP" },
        { "silent input", -inf, -20.0, -6.0, Outcome::inputNotMeasurable, 0.0, 0.0, "the input has no measurable loudness" },
        { "silent output", -20.0, -inf, -inf, Outcome::outputNotMeasurable, 0.0, 0.0, "the output has no measurable loudness" },
        { "both silent", -inf, -inf, -inf, Outcome::inputNotMeasurable, 0.0, 0.0, "the input" },
        { "unmeasured peak", -20.0, -18.0, nan, Outcome::outputNotMeasurable, 0.0, 0.0, "the output" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto result = LoudnessMatch::compute (c.inputLufs, c.outputLufs, c.outputTruePeakDbtp);

        EXPECT_EQ (result.outcome, c.outcome);
        EXPECT_NEAR (result.gainDb, c.gainDb, 1.0e-12);
        EXPECT_NEAR (result.gain, std::pow (10.0, c.gainDb / 20.0), 1.0e-12);
        EXPECT_NEAR (result.shortfallDb, c.shortfallDb, 1.0e-12);

        if (c.outcome == Outcome::matched)
        {
            EXPECT_TRUE (result.message().isEmpty()) << result.message();
        }
        else
        {
            EXPECT_TRUE (result.message().contains (c.message)) << result.message();
        }

        // Once gained, a measured output's true peak is at or under the ceiling.
        if (c.outcome == Outcome::matched || c.outcome == Outcome::limitedByTruePeak)
        {
            EXPECT_LE (c.outputTruePeakDbtp + result.gainDb, LoudnessMatch::truePeakCeilingDbtp + 1.0e-12);
        }
    }
}
