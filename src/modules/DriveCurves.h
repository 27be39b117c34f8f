#pragma once

#include <juce_core/juce_core.h>

// The drive's smooth curves as plain arithmetic, within a few float steps of the library's
// functions, so that the loops over the oversampled signal vectorise.

// tanh as one rational function, x P(x^2) / Q(x^2), clamped where tanh reaches 1 in float
// precision.
inline float rationalTanh (float x) noexcept
{
    constexpr float limit = 7.90531110763549805f;
    x = juce::jlimit (-limit, limit, x);
    const float x2 = x * x;
    float p = -2.76076847742355e-16f;
    p = p * x2 + 2.00018790482477e-13f;
    p = p * x2 - 8.60467152213735e-11f;
    p = p * x2 + 5.12229709037114e-08f;
    p = p * x2 + 1.48572235717979e-05f;
    p = p * x2 + 6.37261928875436e-04f;
    p = p * x2 + 4.89352455891786e-03f;
    float q = 1.19825839466702e-06f;
    q = q * x2 + 1.18534705686654e-04f;
    q = q * x2 + 2.26843463243900e-03f;
    q = q * x2 + 4.89352518554385e-03f;
    return x * p / q;
}

// atan by reduction to |x| <= tan (pi / 8) around 0, pi / 4 or pi / 2, then an odd polynomial.
inline float polynomialAtan (float x) noexcept
{
    const float a = std::abs (x);
    const bool far = a > 2.414213562373095f, middle = a > 0.4142135623730950f;
    const float reduced = far ? -1.0f / a : (middle ? (a - 1.0f) / (a + 1.0f) : a);
    const float offset = far ? juce::MathConstants<float>::halfPi : (middle ? 0.25f * juce::MathConstants<float>::pi : 0.0f);
    const float z = reduced * reduced;
    const float y = offset + ((((8.05374449538e-2f * z - 1.38776856032e-1f) * z + 1.99777106478e-1f) * z - 3.33329491539e-1f) * z * reduced + reduced);
    return std::copysign (y, x);
}

// asin (sin x) on [-3, 3], x clamped there first: the fold's three straight pieces. Within a
// hair of the corners at +-pi / 2 the library's pair is kept, whose rounding there the recorded
// sound has (up to 3e-5); everywhere else the two agree within 2e-6.
inline float foldBack (float x) noexcept
{
    constexpr float halfPi = juce::MathConstants<float>::halfPi, pi = juce::MathConstants<float>::pi;
    constexpr float piBelow = -8.742278e-8f; // pi - (float) pi
    constexpr float corner = 0.02f;
    x = juce::jlimit (-3.0f, 3.0f, x);
    const float a = std::abs (x);
    if (std::abs (a - halfPi) < corner)
        return std::asin (std::sin (x));
    return std::copysign (a > halfPi ? (pi - a) + piBelow : a, x);
}
