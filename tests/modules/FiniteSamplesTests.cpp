#include "modules/FiniteSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

TEST (FiniteSamples, OnlyInfinitiesAndNaNsBecomeSilence)
{
    using limits = std::numeric_limits<float>;
    const float kept[] = { 0.0f, -0.0f, 1.0f, -0.5f, limits::max(), limits::lowest(), limits::denorm_min(), limits::min() };
    const float silenced[] = { limits::infinity(), -limits::infinity(), limits::quiet_NaN(), -limits::quiet_NaN(),
                               limits::signaling_NaN() };
    for (const float x : kept)
    {
        const float y = FiniteSamples::orSilence (x);
        EXPECT_EQ (std::memcmp (&x, &y, sizeof (x)), 0) << x;
    }
    for (const float x : silenced)
    {
        const float y = FiniteSamples::orSilence (x);
        EXPECT_TRUE (y == 0.0f && ! std::signbit (y)) << x;
    }

    float block[7] = { 1.0f, limits::quiet_NaN(), 2.0f, limits::infinity(), -3.0f, -limits::infinity(), 4.0f };
    FiniteSamples::clean (block, 7);
    const float expected[7] = { 1.0f, 0.0f, 2.0f, 0.0f, -3.0f, 0.0f, 4.0f };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ (block[i], expected[i]) << i;
}
