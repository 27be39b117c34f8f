#pragma once

#include "ParameterAssignment.h"
#include "engine/LUMIVOXAudioProcessor.h"

// Puts a processor into the state a render asks for, through the same calls a host and a
// user's gestures would make. Failures return false with a one-line reason.
namespace ProcessorConfiguration
{
// Mono in / mono out or stereo in / stereo out.
bool setChannelCount (juce::AudioProcessor& processor, int channels, juce::String& error);

// Refuses a file that is not a LUMIVOX state, which the processor itself would ignore.
bool loadState (LUMIVOXAudioProcessor& processor, const juce::File& file, juce::String& error);

// A factory preset by its exact name, else the preset file, as the preset browser loads them.
bool loadPreset (LUMIVOXAudioProcessor& processor, const juce::String& name, const juce::File& file, juce::String& error);

// The listed effects become the inserted list; listed selectable effects are switched on,
// unlisted ones off. The ids are known to be valid effect ids.
bool buildRack (LUMIVOXAudioProcessor& processor, const juce::StringArray& ids, juce::String& error);

// A host-notified change inside a gesture. Returns a warning when the value was clamped.
juce::String applyParameter (LUMIVOXAudioProcessor& processor, const ParameterAssignment& assignment);
} // namespace ProcessorConfiguration
