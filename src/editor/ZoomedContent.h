#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's parts at their logical size, scaled as one by the zoom: a transform keeps text
// and vector drawing sharp at every zoom. Drags start here, so a dragged card's image scales
// along with everything else.
class ZoomedContent final : public juce::Component, public juce::DragAndDropContainer
{
public:
    ZoomedContent();

    // Covers a logical area at the given zoom from its parent's top left corner.
    void place (juce::Point<int> logicalSize, float zoom);
};
