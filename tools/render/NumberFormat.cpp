#include "NumberFormat.h"

#include <cstdio>

namespace NumberFormat
{
juce::String compact (double value)
{
    if (value == 0.0)
        return "0"; // also for -0

    char text[32];
    std::snprintf (text, sizeof (text), "%.6g", value);
    return text;
}
} // namespace NumberFormat
