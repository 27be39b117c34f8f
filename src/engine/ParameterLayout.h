#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Builds the host parameter list from the parameter table.
struct ParameterLayout
{
    static juce::AudioProcessorValueTreeState::ParameterLayout create();
};
