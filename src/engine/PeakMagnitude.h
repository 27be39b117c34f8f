#pragma once

#include "modules/Float4.h"

// The largest magnitude in a block, four lanes at a time; NaNs are passed over.
inline float peakMagnitude (const float* x, int n) noexcept
{
    Float4 high {}, low {};
    int i = 0;
    for (; i + 4 <= n; i += 4)
    {
        const Float4 v = loadFloat4 (x + i);
        high = v > high ? v : high;
        low = v < low ? v : low;
    }
    float peak = 0.0f;
    for (int lane = 0; lane < 4; ++lane)
    {
        peak = high[lane] > peak ? high[lane] : peak;
        peak = -low[lane] > peak ? -low[lane] : peak;
    }
    for (; i < n; ++i)
    {
        peak = x[i] > peak ? x[i] : peak;
        peak = -x[i] > peak ? -x[i] : peak;
    }
    return peak;
}
