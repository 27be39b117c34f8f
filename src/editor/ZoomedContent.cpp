#include "editor/ZoomedContent.h"

ZoomedContent::ZoomedContent()
{
    // Clicks between the parts go to the editor, which takes the keyboard focus.
    setInterceptsMouseClicks (false, true);
}

void ZoomedContent::place (juce::Point<int> logicalSize, float zoom)
{
    setBounds (0, 0, logicalSize.x, logicalSize.y);
    const auto transform = juce::AffineTransform::scale (zoom);
    if (! (getTransform() == transform))
        setTransform (transform);
}
