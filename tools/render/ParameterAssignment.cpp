#include "ParameterAssignment.h"

#include "StrictNumber.h"

namespace
{
// One row of the parameter table.
using ParameterEntry = std::decay_t<decltype (Param::all()[0])>;

std::optional<float> parseSwitch (const juce::String& text)
{
    const auto t = text.toLowerCase();
    if (t == "1" || t == "true" || t == "on")
        return 1.0f;
    if (t == "0" || t == "false" || t == "off")
        return 0.0f;
    return std::nullopt;
}

std::optional<float> parseChoice (const ParameterEntry& s, const juce::String& text)
{
    for (int i = 0; i < s.numChoices; ++i)
        if (text.equalsIgnoreCase (s.choices[i]))
            return (float) i;

    juce::int64 index = 0;
    if (StrictNumber::parseInteger (text, index))
        return (float) juce::jlimit ((juce::int64) -1000000, (juce::int64) 1000000, index);

    return std::nullopt;
}

juce::String choiceList (const ParameterEntry& s)
{
    juce::StringArray items;
    for (int i = 0; i < s.numChoices; ++i)
        items.add (s.choices[i]);
    return items.joinIntoString (", ");
}
} // namespace

std::optional<ParameterAssignment> ParameterAssignment::parse (const juce::String& text, juce::String& error)
{
    const int equals = text.indexOfChar ('=');
    if (equals <= 0)
    {
        error = "expected ID=VALUE after --set, got '" + text + "'";
        return std::nullopt;
    }

    return make (text.substring (0, equals), text.substring (equals + 1), error);
}

std::optional<ParameterAssignment> ParameterAssignment::make (const juce::String& id, const juce::String& valueText,
                                                              juce::String& error)
{
    const int index = Param::indexOf (id);
    if (index < 0)
    {
        error = "unknown parameter '" + id + "'";
        return std::nullopt;
    }

    const auto& s = Param::all()[(size_t) index];
    const auto invalid = [&] (const juce::String& expected)
    {
        error = "invalid value '" + valueText + "' for '" + id + "': expected " + expected;
        return std::nullopt;
    };

    switch (s.kind)
    {
        case Param::Kind::boolean:
            if (const auto v = parseSwitch (valueText))
                return ParameterAssignment { (Param::Index) index, *v };
            return invalid ("0, 1, true, false, on or off");

        case Param::Kind::choice:
            if (const auto v = parseChoice (s, valueText))
                return ParameterAssignment { (Param::Index) index, *v };
            return invalid ("an index 0.." + juce::String (s.numChoices - 1) + " or one of " + choiceList (s));

        case Param::Kind::floating:
            break;
    }

    double number = 0.0;
    if (! StrictNumber::parseDouble (valueText, number))
        return invalid ("a number");

    // Far outside any range; the parameter clamps it either way, this only keeps it a float.
    number = juce::jlimit (-1.0e30, 1.0e30, number);
    return ParameterAssignment { (Param::Index) index, (float) number };
}
