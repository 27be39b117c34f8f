#include "EventTime.h"

#include "StrictNumber.h"

#include <cmath>

namespace EventTime
{
bool parse (const juce::String& text, double& seconds)
{
    double x = 0.0;
    if (! StrictNumber::parseDouble (text, x) || x < 0.0 || x > maximumSeconds)
        return false;
    seconds = x;
    return true;
}

juce::String expected()
{
    return "a number of seconds from 0 to " + juce::String ((juce::int64) maximumSeconds);
}

juce::int64 toFrame (double seconds, double sampleRate)
{
    return (juce::int64) std::llround (seconds * sampleRate);
}
} // namespace EventTime
