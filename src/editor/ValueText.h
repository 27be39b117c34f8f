#pragma once

#include <juce_core/juce_core.h>

// How a slider shows and reads its parameter's value: units by parameter, whole numbers
// without decimals.
namespace ValueText
{
// The unit after the number (" Hz", " dB", " %" ...), or empty.
juce::String suffixFor (const juce::String& parameterId, float rangeEnd);

juce::String format (const juce::String& parameterId, double value, const juce::String& suffix);

// The number at the start of typed text; a unit after it is ignored, no number reads as 0.
double parse (const juce::String& text);

// Parameters shown as a horizontal bar rather than a rotary knob.
bool isBar (const juce::String& parameterId);
} // namespace ValueText
