#pragma once

#include "ParameterAssignment.h"

#include <optional>

// One "--at SECONDS:ID=VALUE", "--at SECONDS:insert=ID" or "--at SECONDS:remove=ID": a
// parameter change, or the editor's insert or remove of an effect, at a time of IN.
struct TimedChange
{
    enum class Action
    {
        setParameter,
        insertEffect,
        removeEffect
    };

    double seconds = 0.0;
    Action action = Action::setParameter;
    ParameterAssignment assignment {}; // setParameter only
    juce::String effect;               // insertEffect and removeEffect only
    juce::String origin;               // "--at ..." as given, for warnings

    // Reads the option's value. On failure, error says why.
    static std::optional<TimedChange> parse (const juce::String& text, juce::String& error);
};
