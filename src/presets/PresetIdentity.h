#pragma once

#include "presets/PresetManager.h"

// Which preset the live sound is: its key ("factory:" and the name, or a user file's full path),
// its name, and the fingerprint of the sound as loaded, on the state root.
namespace PresetIdentity
{
juce::String keyOf (const PresetManager::PresetInfo& info);
juce::String factoryKey (const juce::String& name);

// After the sound has been loaded and the rack synchronised.
void record (juce::AudioProcessorValueTreeState& state, const juce::String& key, const juce::String& name);
} // namespace PresetIdentity
