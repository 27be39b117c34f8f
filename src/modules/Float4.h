#pragma once

#include <cstring>

// Four floats as one SIMD register, with ordinary arithmetic operators: the compiler's vector
// extension, so the same code builds for SSE and for NEON.
using Float4 = float __attribute__ ((vector_size (16)));

// Four floats from anywhere, aligned or not.
inline Float4 loadFloat4 (const float* p) noexcept
{
    Float4 v;
    std::memcpy (&v, p, sizeof (v));
    return v;
}
