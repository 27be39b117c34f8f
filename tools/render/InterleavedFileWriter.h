#pragma once

#include "AudioFileWriter.h"

// WAV and AIFF: a header, then the frames interleaved. The header is written first with the
// frame count unknown and again at finish() with the real one, so the file streams out in
// blocks and still ends up with a complete header.
class InterleavedFileWriter : public AudioFileWriter
{
public:
    bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames) override;
    bool finish() override;

    // Opens the file (created or truncated) and writes the header for no frames yet.
    bool open (const juce::File& file);

protected:
    InterleavedFileWriter (int channels, double sampleRate, int bits, bool bigEndian);

    // The whole header, for the given number of frames; the data follows it directly.
    virtual juce::MemoryBlock header (juce::uint32 frameCount) const = 0;
    virtual juce::String containerName() const = 0;

    const int channels;
    const double sampleRate;
    const int bits;

private:
    std::unique_ptr<juce::FileOutputStream> stream;
    const bool bigEndian;
    juce::uint64 framesWritten = 0;
    juce::uint64 maximumFrames = 0; // what the header's 32-bit sizes can count
    juce::MemoryBlock scratch;
    juce::File file;
};
