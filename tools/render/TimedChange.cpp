#include "TimedChange.h"

#include "EventTime.h"
#include "engine/EffectCatalogue.h"
#include "engine/RackManager.h"

namespace
{
juce::String selectableEffects()
{
    juce::StringArray ids;
    for (const auto& entry : EffectCatalogue::entries)
        if (entry.selectable)
            ids.add (entry.id);
    return ids.joinIntoString (", ");
}
} // namespace

std::optional<TimedChange> TimedChange::parse (const juce::String& text, juce::String& error)
{
    const int colon = text.indexOfChar (':');
    const auto change = text.substring (colon + 1);
    const int equals = change.indexOfChar ('=');
    if (colon < 0 || equals <= 0)
    {
        error = "expected SECONDS:ID=VALUE, SECONDS:insert=ID or SECONDS:remove=ID after --at, got '" + text + "'";
        return std::nullopt;
    }

    TimedChange result;
    result.origin = "--at " + text;

    const auto timeText = text.substring (0, colon);
    if (! EventTime::parse (timeText, result.seconds))
    {
        error = "the time in --at must be " + EventTime::expected() + ", got '" + timeText + "'";
        return std::nullopt;
    }

    const auto name = change.substring (0, equals);
    const auto value = change.substring (equals + 1);

    if (name == "insert" || name == "remove")
    {
        if (! RackManager::isSelectableFxId (value))
        {
            error = "--at " + name + " needs the id of an effect the rack can " + name + " (" + selectableEffects()
                    + "), got '" + value + "'";
            return std::nullopt;
        }
        result.action = name == "insert" ? Action::insertEffect : Action::removeEffect;
        result.effect = value;
        return result;
    }

    const auto assignment = ParameterAssignment::make (name, value, error);
    if (! assignment.has_value())
        return std::nullopt;
    result.assignment = *assignment;
    return result;
}
