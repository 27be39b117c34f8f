#pragma once

#include "editor/FineSlider.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A labelled slider with a ring that shows how far modulation moves its parameter. As a bar,
// caption and value box share the top line and the track runs the full width below them.
class Knob final : public juce::Component
{
public:
    explicit Knob (juce::String labelText);
    ~Knob() override = default;

    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;
    void resized() override;

    FineSlider slider;
    juce::String label;
    float modulationAmount = 0.0f; // -1 to 1

    static constexpr int barLineHeight = 15; // a bar's caption and value box
    static constexpr int barTrackHeight = 24; // at most, under that line
};
