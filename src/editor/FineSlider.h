#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

// A slider that moves a tenth as far while Shift is held. A press with Shift does not jump a
// bar to the pointer; once Shift has been used, the rest of that drag stays relative.
class FineSlider final : public juce::Slider
{
public:
    static constexpr double fineRatio = 0.1;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    // Pixels of mouse travel that cover the whole range at normal speed.
    double pixelsForFullRange();

    struct Anchor
    {
        juce::Point<float> position;
        double proportion, ratio;
    };
    std::optional<Anchor> anchor;
    bool restoreSnapping = false;
};
