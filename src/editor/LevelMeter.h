#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A horizontal peak meter of the master card, "IN" or "OUT"; the editor's timer sets the level.
class LevelMeter final : public juce::Component
{
public:
    explicit LevelMeter (juce::String labelText);
    ~LevelMeter() override = default;

    void paint (juce::Graphics& g) override;

    juce::String label;
    float displayLevel = 0.0f; // 0 to 1
};
