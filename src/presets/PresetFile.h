#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// A preset file on disk: the state tree in the framework's default XML text, stamped with the
// state version, without the properties that belong to the instance or the loaded preset, and
// without A/B snapshots.
namespace PresetFile
{
inline const juce::String missingMessage { "The selected preset file no longer exists." };
inline const juce::String invalidXmlMessage { "The selected preset is not valid XML." };
inline const juce::String foreignMessage { "This file is not a LUMIVOX preset." };
inline const juce::String writeFailedMessage { "Could not write preset." };

// Replaces the live state with the repaired file content, keeping the instance's window
// size, decorations and favourites. Returns one of the messages above on failure, with the
// live state untouched; empty on success. The caller re-synchronises the rack.
juce::String read (juce::AudioProcessorValueTreeState& state, const juce::File& file);

// The text a preset file of the live state holds.
juce::String textOf (juce::AudioProcessorValueTreeState& state);

// Writes through a temporary file beside the target, so a failed write leaves it as it was.
bool write (juce::AudioProcessorValueTreeState& state, const juce::File& file);
} // namespace PresetFile
