#pragma once

#include "AudioFileWriter.h"
#include "Dither.h"

// Puts TPDF dither on every block before an integer writer rounds it, so that 16- and 24-bit
// files carry a plain noise floor instead of distortion. The seed is fixed: the same render
// writes the same file, alone or in a batch.
class DitheredFileWriter final : public AudioFileWriter
{
public:
    DitheredFileWriter (std::unique_ptr<AudioFileWriter> integerWriter, int channels, int bits);

    bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames) override;
    bool finish() override;

private:
    std::unique_ptr<AudioFileWriter> writer;
    Dither dither;
    juce::AudioBuffer<float> scratch;
};
