#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace testing_support
{
// A synthetic mouse event at (x, y) in the component's coordinates, pressed at the same place.
inline juce::MouseEvent mouseEventAt (juce::Component& component, float x, float y,
                                      juce::ModifierKeys mods = juce::ModifierKeys(), int clicks = 1)
{
    const juce::Point<float> position (x, y);
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods,
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &component, &component, now, position, now, clicks,
                             false);
}

// The same event, but pressed at (downX, downY): a drag in progress.
inline juce::MouseEvent dragEventAt (juce::Component& component, float downX, float downY, float x, float y,
                                     juce::ModifierKeys mods = juce::ModifierKeys())
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), { x, y }, mods,
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &component, &component, now, { downX, downY }, now, 1,
                             true);
}

inline juce::MouseWheelDetails wheel (float dx, float dy)
{
    juce::MouseWheelDetails w;
    w.deltaX = dx;
    w.deltaY = dy;
    w.isReversed = false;
    w.isSmooth = false;
    w.isInertial = false;
    return w;
}
} // namespace testing_support
