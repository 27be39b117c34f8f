#pragma once

#include "AudioFileWriter.h"

#include <juce_audio_formats/juce_audio_formats.h>

// FLAC through JUCE's encoder, 16 or 24 bits. The samples go in as integers, so that values
// already on the grid are stored exactly (JUCE's float path scales by 2^31 - 1 and truncates).
class FlacFileWriter final : public AudioFileWriter
{
public:
    FlacFileWriter (int channels, double sampleRate, int bits);

    bool open (const juce::File& file);
    bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames) override;
    bool finish() override;

private:
    const int channels;
    const double sampleRate;
    const int bits;
    juce::File file;
    std::unique_ptr<juce::AudioFormatWriter> writer;
    juce::HeapBlock<int> samples;
    size_t capacity = 0;
};
