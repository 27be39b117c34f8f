#pragma once

#include <juce_core/juce_core.h>

// How a slider shows and reads its parameter's value, with the unit and decimals the
// parameter table gives it.
namespace ValueText
{
juce::String format (const juce::String& parameterId, double value);

// The number at the start of typed text; a unit after it is ignored, no number reads as 0.
double parse (const juce::String& text);

// Parameters shown as a horizontal bar rather than a rotary knob.
bool isBar (const juce::String& parameterId);
} // namespace ValueText
