#include "editor/XResources.h"

#include <X11/Xlib.h>

namespace XResources
{
juce::String read()
{
    // A connection of its own: JUCE keeps its display to itself, and the resource string is
    // read once when an editor opens.
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return {};
    juce::String text;
    if (const char* resources = XResourceManagerString (display))
        text = juce::String::fromUTF8 (resources);
    XCloseDisplay (display);
    return text;
}
} // namespace XResources
