#pragma once

// sin (t pi / 2) for t in [0, 1], the fade curve of the replay effects: a polynomial in float,
// within 2e-7 of the library's sin, instead of a call per sample.
inline float quarterSine (float t) noexcept
{
    const float x = t * 1.57079632679f;
    const float z = x * x;
    // Taylor's series to x^11: its first omitted term is below 6e-8 on [0, pi / 2].
    float p = -2.5052108385e-8f;
    p = p * z + 2.7557319224e-6f;
    p = p * z - 1.9841269841e-4f;
    p = p * z + 8.3333333333e-3f;
    p = p * z - 1.6666666667e-1f;
    return x + x * z * p;
}
