#pragma once

#include <juce_core/juce_core.h>

// The X display's resource database as text (what `xrdb -query` prints), or empty without
// a display. Desktops that scale through Xft.dpi (KDE, plain X) announce it only here.
namespace XResources
{
juce::String read();
}
