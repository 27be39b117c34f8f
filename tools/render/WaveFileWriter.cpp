#include "WaveFileWriter.h"

namespace
{
constexpr int formatPcm = 1;
constexpr int formatFloat = 3;
} // namespace

WaveFileWriter::WaveFileWriter (int c, double rate, int b) : InterleavedFileWriter (c, rate, b, false)
{
}

juce::MemoryBlock WaveFileWriter::header (juce::uint32 frameCount) const
{
    const bool isFloat = bits == 32;
    const auto blockAlign = (juce::uint32) (channels * bits / 8);
    const auto dataBytes = (juce::uint64) frameCount * blockAlign;
    const auto fmtBytes = isFloat ? 18u : 16u;
    const auto factBytes = isFloat ? 12u : 0u;
    const auto riffBytes = 4 + (8 + fmtBytes) + factBytes + 8 + dataBytes + (dataBytes & 1);
    const auto rate = (juce::uint32) juce::roundToInt (sampleRate);

    juce::MemoryOutputStream out;
    out.write ("RIFF", 4);
    out.writeInt ((int) (juce::uint32) riffBytes);
    out.write ("WAVE", 4);

    out.write ("fmt ", 4);
    out.writeInt ((int) fmtBytes);
    out.writeShort ((short) (isFloat ? formatFloat : formatPcm));
    out.writeShort ((short) channels);
    out.writeInt ((int) rate);
    out.writeInt ((int) (rate * blockAlign));
    out.writeShort ((short) blockAlign);
    out.writeShort ((short) bits);
    if (isFloat)
    {
        out.writeShort (0); // no extension data follows
        out.write ("fact", 4);
        out.writeInt (4);
        out.writeInt ((int) frameCount);
    }

    out.write ("data", 4);
    out.writeInt ((int) (juce::uint32) dataBytes);
    return out.getMemoryBlock();
}
