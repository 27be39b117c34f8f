#pragma once

#include <juce_core/juce_core.h>

#include <cmath>

// Turning float samples into the bytes of a file, shared by the WAV and AIFF writers.
namespace SampleEncoding
{
// The nearest integer of the given width to x (full scale at 1.0), clipped to its range.
inline juce::int32 toInteger (float x, int bits) noexcept
{
    const double scale = (double) (1 << (bits - 1));
    const double y = std::isfinite (x) ? std::nearbyint ((double) x * scale) : 0.0;
    return (juce::int32) juce::jlimit (-scale, scale - 1.0, y);
}

// Appends one sample of the given width (16, 24 integer or 32 float) to bytes.
inline void append (juce::MemoryBlock& bytes, size_t& used, float x, int bits, bool bigEndian) noexcept
{
    auto* p = static_cast<juce::uint8*> (bytes.getData()) + used;
    juce::uint32 word = 0;
    if (bits == 32)
        std::memcpy (&word, &x, sizeof (word));
    else
        word = (juce::uint32) toInteger (x, bits);

    const int count = bits / 8;
    for (int i = 0; i < count; ++i)
    {
        const int shift = bigEndian ? 8 * (count - 1 - i) : 8 * i;
        p[i] = (juce::uint8) ((word >> shift) & 0xff);
    }
    used += (size_t) count;
}
} // namespace SampleEncoding
