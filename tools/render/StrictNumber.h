#pragma once

#include <juce_core/juce_core.h>

// Whole-string number parsing: juce::String's own conversions read "12abc" as 12, which
// would let a typo on the command line pass silently.
namespace StrictNumber
{
// A finite decimal number, nothing before or after it.
bool parseDouble (const juce::String& text, double& result);

// A decimal integer that fits in 64 bits, nothing before or after it.
bool parseInteger (const juce::String& text, juce::int64& result);
} // namespace StrictNumber
