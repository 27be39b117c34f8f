#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The rack's viewport: a vertical wheel or swipe scrolls the cards sideways.
class HorizontalRackViewport final : public juce::Viewport
{
public:
    HorizontalRackViewport();
    ~HorizontalRackViewport() override = default;

    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
};
