#pragma once

#include <juce_core/juce_core.h>

// The time of an automation event: seconds of IN, which become the input frame it lands on.
namespace EventTime
{
constexpr double maximumSeconds = 1.0e6;

// A plain number of seconds from 0 to maximumSeconds, nothing before or after it.
bool parse (const juce::String& text, double& seconds);

// What parse accepts, for error messages: "a number of seconds from 0 to ...".
juce::String expected();

juce::int64 toFrame (double seconds, double sampleRate);
} // namespace EventTime
