#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The --list-params text: one tab-separated line per parameter, in host order:
// id, name, type (float, bool, choice), range (min..max; for a choice its items joined
// by '|', addressed by index), interval, default, current value.
namespace ParameterListing
{
juce::String describe (juce::AudioProcessorValueTreeState& state);
} // namespace ParameterListing
