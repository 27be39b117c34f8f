#include "editor/HorizontalRackViewport.h"

HorizontalRackViewport::HorizontalRackViewport()
{
    setScrollBarsShown (false, true, false, true);
    setScrollBarThickness (7);
    getHorizontalScrollBar().setColour (juce::ScrollBar::thumbColourId, juce::Colour (0x80FF3DAF));
    getHorizontalScrollBar().setColour (juce::ScrollBar::backgroundColourId, juce::Colours::transparentBlack);
}

void HorizontalRackViewport::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    auto sideways = wheel;
    if (std::abs (wheel.deltaX) < std::abs (wheel.deltaY))
    {
        sideways.deltaX = wheel.deltaY;
        sideways.deltaY = 0.0f;
    }
    juce::Viewport::mouseWheelMove (e, sideways);
}
