#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// A text that is equal for two states exactly when they hold the same sound: every ranged
// parameter's normalised value, then the inserted list and the rack order.
namespace SoundFingerprint
{
juce::String of (juce::AudioProcessorValueTreeState& state);
} // namespace SoundFingerprint
