#include "modules/VectorMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Against the library's functions over the ranges the formant uses and beyond: relative
// error within a few units in the last place.
TEST (VectorMath, ExpLogAndTanFollowTheLibrary)
{
    std::vector<float> x, y;
    for (float v = -87.0f; v <= 88.0f; v += 0.0137f)
        x.push_back (v);
    y = x;
    VectorMath::exp (y.data(), (int) y.size());
    double worst = 0.0;
    for (size_t i = 0; i < x.size(); ++i)
        worst = std::max (worst, std::abs ((double) y[i] / std::exp ((double) x[i]) - 1.0));
    EXPECT_LT (worst, 3.0e-7) << "exp";

    x.clear();
    for (float v = 1.0e-7f; v < 1.0e6f; v *= 1.0007f)
        x.push_back (v);
    for (const float v : { 1.0f, 0.70710677f, 0.70710683f, 1.4142135f, 2.0f, 0.5f })
        x.push_back (v);
    y.assign (x.size(), 0.0f);
    VectorMath::log (x.data(), y.data(), (int) x.size());
    worst = 0.0;
    for (size_t i = 0; i < x.size(); ++i)
    {
        const double exact = std::log ((double) x[i]);
        worst = std::max (worst, std::abs ((double) y[i] - exact) / std::max (std::abs (exact), 1.0));
    }
    EXPECT_LT (worst, 3.0e-7) << "log";

    // tan over the filter's range, 20 Hz at 192 kHz to 0.45 of the rate, and both sides of pi / 4.
    worst = 0.0;
    std::vector<float> angles { 0.78539813f, 0.78539819f, 1.4137167f };
    for (float v = 3.0e-4f; v < 1.4138f; v *= 1.0003f)
        angles.push_back (v);
    for (const float v : angles)
        worst = std::max (worst, std::abs ((double) VectorMath::tan (v) / std::tan ((double) v) - 1.0));
    EXPECT_LT (worst, 3.0e-7) << "tan";
}
