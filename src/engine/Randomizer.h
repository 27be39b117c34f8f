#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Moves an effect's sound-shaping parameters to random values inside their usable ranges, as
// host-notified changes that land in the undo history. Message thread only.
class Randomizer
{
public:
    // Undo steps go to the tree's own undo manager.
    explicit Randomizer (juce::AudioProcessorValueTreeState& state);

    // Normalised bounds, 0 to 1 of the parameter's range; an unknown id changes nothing.
    void randomizeParameter (const char* id, float low, float high);

    void randomizeFx (const juce::String& id, bool withTransaction);

    // One undo step, "Randomize rack", over the given effects (the shaper has nothing to draw).
    void randomizeRack (const juce::StringArray& insertedIds);

private:
    void randomizeEffectParameters (const juce::String& id);

    juce::AudioProcessorValueTreeState& state;
};
