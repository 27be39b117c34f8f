#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

struct AudioFileContents
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 0.0;
};

// Reading the input and writing the result. Failures return false with a one-line reason
// that names the file.
namespace AudioFileIO
{
// Any format JUCE's basic formats read; mono or stereo only.
bool read (const juce::File& file, AudioFileContents& contents, juce::String& error);

// 32-bit float WAV with the buffer's channel count. Writes the given file directly: callers
// wanting an all-or-nothing result write to a PendingFile's temporary.
bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate,
                    juce::String& error);
} // namespace AudioFileIO
