#include "editor/ValueText.h"

#include "engine/ParameterTable.h"

namespace ValueText
{
juce::String format (const juce::String& id, double value)
{
    const int index = Param::indexOf (id);
    const char* unit = index >= 0 ? Param::spec ((Param::Index) index).unit : Param::Unit::none;
    const int decimals = index >= 0 ? Param::spec ((Param::Index) index).decimals : 1;

    if (decimals > 1)
        return juce::String (value, decimals) + unit;
    const double whole = std::round (value);
    if (std::abs (value - whole) <= 0.001)
        return juce::String ((juce::int64) whole) + unit;
    return juce::String (value, 1) + unit;
}

double parse (const juce::String& text)
{
    return text.getDoubleValue();
}

bool isBar (const juce::String& id)
{
    return id == "input" || id == "output" || id == "masterMix" || id.startsWith ("macro") || id == "shaperDepth"
           || id == "shaperMix";
}
} // namespace ValueText
