#pragma once

// Four floats as one SIMD register, with ordinary arithmetic operators: the compiler's vector
// extension, so the same code builds for SSE and for NEON.
using Float4 = float __attribute__ ((vector_size (16)));
