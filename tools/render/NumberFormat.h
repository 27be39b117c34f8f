#pragma once

#include <juce_core/juce_core.h>

namespace NumberFormat
{
// Up to six significant digits without trailing zeros: parameter values are stored as
// floats, and printing every digit of 0.707f would only show the float's error.
juce::String compact (double value);
} // namespace NumberFormat
