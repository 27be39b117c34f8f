#pragma once

#include "engine/ParameterTable.h"

#include <optional>

// One "--set ID=VALUE": a parameter and a value in that parameter's own units (dB, Hz,
// percent, a choice index, 0/1 for a switch). The value is not limited to the range here:
// the parameter clamps it when it is applied, so that the user can be told.
struct ParameterAssignment
{
    Param::Index index;
    float value;

    // Reads "ID=VALUE" against the parameter table. On failure, error says why.
    static std::optional<ParameterAssignment> parse (const juce::String& text, juce::String& error);

    // A parameter ID and its value's text. Switches take 0/1/true/false/on/off, choices an
    // index or an item's text (case-insensitive). On failure, error says why.
    static std::optional<ParameterAssignment> make (const juce::String& id, const juce::String& valueText,
                                                    juce::String& error);
};
