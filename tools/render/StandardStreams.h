#pragma once

#include <juce_core/juce_core.h>

// "-" for IN or OUT. Audio readers and writers need to seek (a WAV header holds the length,
// known only at the end), so a pipe's contents pass through a temporary file.
namespace StandardStreams
{
// Copies everything on standard input into file.
bool spoolStandardInput (const juce::File& file, juce::String& error);

// Copies file to standard output, untouched by any text translation.
bool copyToStandardOutput (const juce::File& file, juce::String& error);
} // namespace StandardStreams
