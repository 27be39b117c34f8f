#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A labelled combo box for a choice parameter; the editor adds the items.
class ChoiceControl final : public juce::Component
{
public:
    explicit ChoiceControl (juce::String labelText);
    ~ChoiceControl() override = default;

    void paint (juce::Graphics& g) override;
    void resized() override;

    juce::ComboBox comboBox;
    juce::String label;
};
