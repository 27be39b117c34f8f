#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Where a WAV or AIFF file's sample data starts and how many bytes of it the file really
// holds, read from its chunks. Decoders take the header's word for the length and fill what
// is missing with silence; this tells a file cut short from a complete one.
namespace DeclaredAudioData
{
struct Extent
{
    juce::int64 declaredBytes = 0; // what the data chunk's header says
    juce::int64 presentBytes = 0;  // what the file holds after the chunk's start
};

// Empty for other formats and for files whose chunks cannot be walked.
std::optional<Extent> find (const juce::File& file);
} // namespace DeclaredAudioData
