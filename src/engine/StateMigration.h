#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Repairs a state tree from outside the running instance (a host's saved state, an A/B
// slot, a preset file) so that applying it always yields a full, valid parameter set.
namespace StateMigration
{
// A repaired deep copy in the current form: the steps from the version the tree was written at
// (its "stateVersion", 0 without one) applied and the stamp removed, the default rack order
// when there is none, and the first "PARAM" child of every parameter present with a finite value
// inside its range. Everything else is copied unchanged; the given tree is never touched. An
// invalid tree gives an invalid result.
juce::ValueTree complete (juce::AudioProcessorValueTreeState& state, juce::ValueTree tree);
} // namespace StateMigration
