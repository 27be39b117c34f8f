#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The host's saved form of a state tree: the framework's XML-in-binary wrapper.
namespace SavedState
{
// Writes the tree stamped with the current state version.
void write (const juce::ValueTree& tree, juce::MemoryBlock& destination);

// The "LUMIVOX_STATE" tree in the data, or an invalid tree for short, foreign or broken data.
juce::ValueTree read (const void* data, int sizeInBytes);

// Removes every child after the first that names the same parameter. The framework binds a
// parameter to the last such child, which state repair leaves as it was found.
void removeShadowedParameters (juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& state);
} // namespace SavedState
