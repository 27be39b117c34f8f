#include "modules/QuarterSine.h"

#include <gtest/gtest.h>

#include <cmath>

TEST (QuarterSine, FollowsTheLibrarysSineAcrossTheFade)
{
    double worst = 0.0;
    for (int i = 0; i <= 100000; ++i)
    {
        const float t = (float) i / 100000.0f;
        worst = std::max (worst, std::abs ((double) quarterSine (t) - std::sin ((double) t * 1.5707963267948966)));
    }
    EXPECT_LT (worst, 2.0e-7);
    EXPECT_EQ (quarterSine (0.0f), 0.0f);
    EXPECT_LE (quarterSine (1.0f), 1.0f) << "a fade never lifts the level";
}
