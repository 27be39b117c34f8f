#pragma once

#include <cstdint>
#include <cstring>

// exp and log over whole arrays, written so the compiler vectorises the loops (the library's
// expf and logf are calls per value), and tan as a few inline operations. Cephes-style range
// reduction and polynomials: within 2 units in the last place of the library's results for
// normal inputs.
namespace VectorMath
{
namespace detail
{
inline float fromBits (std::int32_t bits) noexcept
{
    float x;
    std::memcpy (&x, &bits, sizeof (x));
    return x;
}

inline std::int32_t toBits (float x) noexcept
{
    std::int32_t bits;
    std::memcpy (&bits, &x, sizeof (bits));
    return bits;
}

// Round to nearest by the float adder itself: exact for |x| < 2^22.
constexpr float roundingMagic = 12582912.0f; // 1.5 x 2^23
} // namespace detail

// x in place; inputs beyond about +-87 are clamped to stay finite and normal.
inline void exp (float* x, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        float v = x[i] < -87.0f ? -87.0f : (x[i] > 88.0f ? 88.0f : x[i]);
        const float shifted = v * 1.44269504088896341f + detail::roundingMagic;
        const float whole = shifted - detail::roundingMagic;
        const std::int32_t power = detail::toBits (shifted) - detail::toBits (detail::roundingMagic);
        v = v - whole * 0.693359375f;
        v = v - whole * -2.12194440e-4f;
        const float z = v * v;
        float p = 1.9875691500e-4f;
        p = p * v + 1.3981999507e-3f;
        p = p * v + 8.3334519073e-3f;
        p = p * v + 4.1665795894e-2f;
        p = p * v + 1.6666665459e-1f;
        p = p * v + 5.0000001201e-1f;
        p = p * z + v + 1.0f;
        x[i] = p * detail::fromBits ((power + 127) << 23);
    }
}

// Natural logarithm of positive normal values (callers floor their inputs).
inline void log (const float* x, float* out, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        const std::int32_t bits = detail::toBits (x[i]);
        // The mantissa in [sqrt(1/2), sqrt(2)) and the matching power of two.
        const std::int32_t shifted = bits - 0x3f3504f3; // bits of sqrt(1/2)
        const std::int32_t power = shifted >> 23;
        const float m = detail::fromBits ((shifted & 0x007fffff) + 0x3f3504f3);
        const float e = (float) power;
        const float f = m - 1.0f;
        const float z = f * f;
        float y = 7.0376836292e-2f;
        y = y * f - 1.1514610310e-1f;
        y = y * f + 1.1676998740e-1f;
        y = y * f - 1.2420140846e-1f;
        y = y * f + 1.4249322787e-1f;
        y = y * f - 1.6668057665e-1f;
        y = y * f + 2.0000714765e-1f;
        y = y * f - 2.4999993993e-1f;
        y = y * f + 3.3333331174e-1f;
        y = y * f * z;
        y += e * -2.12194440e-4f;
        y += -0.5f * z;
        out[i] = f + y + e * 0.693359375f;
    }
}

// tan of x in [0, pi / 2): within 2 units in the last place of the library's tanf. Cephes-style:
// past pi / 4, tan x = -1 / tan (x - pi / 2), with pi / 2 subtracted in three parts.
inline float tan (float x) noexcept
{
    const bool upper = x > 0.785398163397448f;
    const float octants = upper ? 2.0f : 0.0f;
    const float z = ((x - octants * 0.78515625f) - octants * 2.4187564849853515625e-4f) - octants * 3.77489497744594108e-8f;
    const float zz = z * z;
    float p = 9.38540185543e-3f;
    p = p * zz + 3.11992232697e-3f;
    p = p * zz + 2.44301354525e-2f;
    p = p * zz + 5.34112807005e-2f;
    p = p * zz + 1.33387994085e-1f;
    p = p * zz + 3.33331568548e-1f;
    const float t = p * zz * z + z;
    return upper ? -1.0f / t : t;
}
} // namespace VectorMath
