#pragma once

#include "InterleavedFileWriter.h"

// AIFF for 16- and 24-bit integers; AIFF-C with "fl32" for 32-bit float, which plain AIFF
// cannot hold.
class AiffFileWriter final : public InterleavedFileWriter
{
public:
    AiffFileWriter (int channels, double sampleRate, int bits);

private:
    juce::MemoryBlock header (juce::uint32 frameCount) const override;
    juce::String containerName() const override { return "AIFF"; }
};
