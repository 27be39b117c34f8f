#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A labelled slider with a ring that shows how far modulation moves its parameter.
class Knob final : public juce::Component
{
public:
    explicit Knob (juce::String labelText);
    ~Knob() override = default;

    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;
    void resized() override;

    juce::Slider slider;
    juce::String label;
    float modulationAmount = 0.0f; // -1 to 1
};
