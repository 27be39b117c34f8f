#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

// Writing float samples that lie on an integer writer's grid (value = code / 2^(bits-1), as
// Dither leaves them) as exactly those codes. JUCE's float path (writeFromAudioSampleBuffer)
// scales by 2^31 - 1 and then truncates to the file's depth, which stores every positive code
// from half scale up one step low; this hands the writer the codes as left-justified integers
// instead. Samples off the grid round to the nearest code, and clip to the writer's range.
namespace QuantisedWrite
{
// The writer is fixed-point with the buffer's channel count. Allocates nothing.
bool write (juce::AudioFormatWriter& writer, const juce::AudioBuffer<float>& samples, int startSample, int numSamples);
} // namespace QuantisedWrite
