#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A card's dice button: three dots in a rounded square.
class RandomizeIconButton final : public juce::Button
{
public:
    RandomizeIconButton() : juce::Button ("randomize") {}
    void paintButton (juce::Graphics& g, bool highlighted, bool down) override;
};

// A card's remove button: a cross in a circle.
class RemoveIconButton final : public juce::Button
{
public:
    RemoveIconButton() : juce::Button ("remove") {}
    void paintButton (juce::Graphics& g, bool highlighted, bool down) override;
};
