#pragma once

#include <juce_graphics/juce_graphics.h>

// The one place the editor builds fonts. Newer JUCE builds them from juce::FontOptions,
// which JUCE 7.0.5 does not have; this gives the same font (default typeface, the given
// height, bold or regular) on either.
namespace FontAdapter
{
inline juce::Font make (float height, bool bold)
{
    return juce::Font (height, bold ? juce::Font::bold : juce::Font::plain);
}
} // namespace FontAdapter
