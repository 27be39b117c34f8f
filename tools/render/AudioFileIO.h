#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Writing a whole buffer at once, for tools that hold their signals in memory.
namespace AudioFileIO
{
// 32-bit float WAV with the buffer's channel count. Writes the given file directly: callers
// wanting an all-or-nothing result write to a PendingFile's temporary.
bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate,
                    juce::String& error);
} // namespace AudioFileIO
