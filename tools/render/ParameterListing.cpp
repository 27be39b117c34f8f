#include "ParameterListing.h"

#include "NumberFormat.h"
#include "engine/ParameterTable.h"

namespace
{
// One row of the parameter table.
using ParameterEntry = std::decay_t<decltype (Param::all()[0])>;

juce::String typeName (Param::Kind kind)
{
    switch (kind)
    {
        case Param::Kind::boolean: return "bool";
        case Param::Kind::choice: return "choice";
        case Param::Kind::floating: break;
    }
    return "float";
}

juce::String rangeText (const ParameterEntry& s)
{
    if (s.kind != Param::Kind::choice)
        return NumberFormat::compact (s.minimum) + ".." + NumberFormat::compact (s.maximum);

    juce::StringArray items;
    for (int i = 0; i < s.numChoices; ++i)
        items.add (s.choices[i]);
    return items.joinIntoString ("|");
}
} // namespace

namespace ParameterListing
{
juce::String describe (juce::AudioProcessorValueTreeState& state)
{
    juce::String text;
    for (const auto& s : Param::all())
    {
        const auto* value = state.getRawParameterValue (s.id);
        const juce::StringArray fields { s.id,
                                         s.name,
                                         typeName (s.kind),
                                         rangeText (s),
                                         NumberFormat::compact (s.interval),
                                         NumberFormat::compact (s.defaultValue),
                                         value != nullptr ? NumberFormat::compact (value->load()) : juce::String ("?") };
        text << fields.joinIntoString ("\t") << "\n";
    }
    return text;
}
} // namespace ParameterListing
