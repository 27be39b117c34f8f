#include "FactoryAudition.h"
#include "TestLoop.h"

#include <gtest/gtest.h>

// Every factory sound over the test loop: finite, no louder than +1 dBFS peak, within 12 dB
// of the loop's loudness (pumps and tape brakes may duck further), audibly away from dry, and level 3
// of each base further from dry than level 1.
TEST (FactorySounds, EveryPresetWorksOnTheTestLoop)
{
    juce::String error;
    const auto all = FactoryAudition::measureAll (error);
    ASSERT_EQ (all.size(), 161u) << error;
    const auto problems = FactoryAudition::problems (all);
    EXPECT_TRUE (problems.isEmpty()) << problems.joinIntoString ("\n");
}

TEST (FactorySounds, TheLoopHasDrumsAndAChord)
{
    const auto loop = TestLoop::make (48000.0, 4.0);
    ASSERT_EQ (loop.getNumChannels(), 2);
    const float peak = loop.getMagnitude (0, loop.getNumSamples());
    EXPECT_NEAR (peak, 0.5f, 1.0e-6f);
    // The kick on the first beat is far louder than the pad alone just before the second bar's downbeat.
    EXPECT_GT (loop.getRMSLevel (0, 0, 2400), 4.0f * loop.getRMSLevel (0, 93000, 2400));
}
