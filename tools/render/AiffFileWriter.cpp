#include "AiffFileWriter.h"

#include <cmath>

namespace
{
constexpr juce::uint32 aifcVersion1 = 0xA2805140;
const char floatName[] = "32-bit float";

// The sample rate as the 80-bit extended float AIFF stores.
void writeExtended (juce::MemoryOutputStream& out, double value)
{
    int exponent = 0;
    const double mantissa = std::frexp (value, &exponent); // value = mantissa * 2^exponent, mantissa in [0.5, 1)
    const auto bits = (juce::uint64) std::ldexp (mantissa, 64);
    out.writeShortBigEndian ((short) (16383 + exponent - 1));
    out.writeIntBigEndian ((int) (juce::uint32) (bits >> 32));
    out.writeIntBigEndian ((int) (juce::uint32) (bits & 0xffffffffu));
}
} // namespace

AiffFileWriter::AiffFileWriter (int c, double rate, int b) : InterleavedFileWriter (c, rate, b, true)
{
}

juce::MemoryBlock AiffFileWriter::header (juce::uint32 frameCount) const
{
    const bool isFloat = bits == 32;
    const auto dataBytes = (juce::uint64) frameCount * (juce::uint64) (channels * bits / 8);
    // The compression name is a Pascal string padded to an even length.
    const auto nameBytes = (juce::uint32) ((1 + sizeof (floatName) - 1 + 1) & ~1u);
    const auto commBytes = 18u + (isFloat ? 4u + nameBytes : 0u);
    const auto fverBytes = isFloat ? 12u : 0u;
    const auto formBytes = 4 + fverBytes + (8 + commBytes) + (8 + 8 + dataBytes) + (dataBytes & 1);

    juce::MemoryOutputStream out;
    out.write ("FORM", 4);
    out.writeIntBigEndian ((int) (juce::uint32) formBytes);
    out.write (isFloat ? "AIFC" : "AIFF", 4);

    if (isFloat)
    {
        out.write ("FVER", 4);
        out.writeIntBigEndian (4);
        out.writeIntBigEndian ((int) aifcVersion1);
    }

    out.write ("COMM", 4);
    out.writeIntBigEndian ((int) commBytes);
    out.writeShortBigEndian ((short) channels);
    out.writeIntBigEndian ((int) frameCount);
    out.writeShortBigEndian ((short) bits);
    writeExtended (out, sampleRate);
    if (isFloat)
    {
        out.write ("fl32", 4);
        out.writeByte ((char) (sizeof (floatName) - 1));
        out.write (floatName, sizeof (floatName) - 1);
        if ((sizeof (floatName) - 1 + 1) % 2 != 0)
            out.writeByte (0);
    }

    out.write ("SSND", 4);
    out.writeIntBigEndian ((int) (juce::uint32) (8 + dataBytes));
    out.writeIntBigEndian (0); // offset
    out.writeIntBigEndian (0); // block size
    return out.getMemoryBlock();
}
