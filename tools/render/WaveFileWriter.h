#pragma once

#include "InterleavedFileWriter.h"

// RIFF WAVE: 16- or 24-bit PCM, or 32-bit float with the extended format chunk and the fact
// chunk that readers such as sox expect of a non-PCM file.
class WaveFileWriter final : public InterleavedFileWriter
{
public:
    WaveFileWriter (int channels, double sampleRate, int bits);

private:
    juce::MemoryBlock header (juce::uint32 frameCount) const override;
    juce::String containerName() const override { return "WAV"; }
};
