#pragma once

#include "ParameterAssignment.h"

#include <vector>

// One point of a parameter's automation: its value, in its own units, at a time of IN.
struct AutomationPoint
{
    double seconds = 0.0;
    ParameterAssignment assignment {};
    juce::String origin; // the file and line, for warnings
};

// The --automation file: lines of "SECONDS ID VALUE", whitespace between them. VALUE, as --set
// takes it, is the rest of the line, so that choice items with spaces need no quotes. "#"
// starts a comment; blank lines are skipped. The points of one parameter must be in time order.
namespace AutomationFile
{
constexpr juce::int64 maximumBytes = 16 * 1024 * 1024;

// The points in the file's order. On failure, error names the file and, for a bad line, its number.
bool read (const juce::File& file, std::vector<AutomationPoint>& points, juce::String& error);

// The same for text already read; name stands for the file in messages.
bool parse (const juce::String& text, const juce::String& name, std::vector<AutomationPoint>& points,
            juce::String& error);
} // namespace AutomationFile
