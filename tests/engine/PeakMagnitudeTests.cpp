#include "engine/PeakMagnitude.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

TEST (PeakMagnitude, IsTheLargestMagnitudeWhereverItLies)
{
    // Every length round the four lanes, the peak at every place, either sign; a NaN beside it.
    std::minstd_rand random (3);
    std::uniform_real_distribution<float> small (-0.5f, 0.5f);
    for (int n = 1; n <= 13; ++n)
        for (int at = 0; at < n; ++at)
            for (const float peak : { 0.9f, -0.9f })
            {
                std::vector<float> x ((size_t) n);
                for (auto& v : x)
                    v = small (random);
                x[(size_t) at] = peak;
                EXPECT_EQ (peakMagnitude (x.data(), n), 0.9f) << n << " samples, peak at " << at;
                x[(size_t) (at + 1) % (size_t) n] = std::numeric_limits<float>::quiet_NaN();
                if (n > 1)
                {
                    EXPECT_EQ (peakMagnitude (x.data(), n), 0.9f) << n << " samples with a NaN";
                }
            }
    EXPECT_EQ (peakMagnitude (nullptr, 0), 0.0f);
}
