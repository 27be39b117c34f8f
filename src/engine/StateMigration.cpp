#include "engine/StateMigration.h"

#include "engine/EffectRack.h"
#include "engine/StateProperties.h"
#include "engine/StateVersion.h"

namespace StateMigration
{
namespace
{
const juce::Identifier paramType { "PARAM" };
const juce::Identifier idProperty { "id" };
const juce::Identifier valueProperty { "value" };

float repairedValue (const juce::RangedAudioParameter& parameter, const juce::var& stored)
{
    const auto& range = parameter.getNormalisableRange();
    const float defaultValue = parameter.convertFrom0to1 (parameter.getDefaultValue());

    // Missing or non-numeric text reads as 0; a double beyond the float range turns infinite
    // here and so falls back to the default.
    const auto value = (float) (double) stored;
    if (! std::isfinite (value))
        return defaultValue;
    return juce::jlimit (range.start, range.end, value);
}

// Each step brings a tree written at version `from` to the form of version from + 1. A tree
// from a newer build than this one takes no step and gets the common repair only.
struct Step
{
    int from;
    void (*apply) (juce::ValueTree&);
};

const Step steps[] = {
    // The stamp came with no change of form: unstamped trees are already in version 1's.
    { 0, [] (juce::ValueTree&) {} },
};
} // namespace

juce::ValueTree complete (juce::AudioProcessorValueTreeState& state, juce::ValueTree tree)
{
    auto result = tree.createCopy();
    if (! result.isValid())
        return result;

    const int version = StateVersion::of (result);
    for (const auto& step : steps)
        if (version <= step.from)
            step.apply (result);
    // The live tree is always in the current form; saving stamps it again.
    result.removeProperty (StateVersion::property, nullptr);

    if (! result.hasProperty (StateProperty::rackOrder))
        result.setProperty (StateProperty::rackOrder, EffectRack::defaultOrderString(), nullptr);

    for (auto* p : state.processor.getParameters())
    {
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (p);
        if (parameter == nullptr)
            continue;

        const auto& id = parameter->getParameterID();
        auto child = result.getChildWithProperty (idProperty, id);
        if (! child.isValid())
        {
            child = juce::ValueTree (paramType);
            child.setProperty (idProperty, id, nullptr);
            child.setProperty (valueProperty, (double) parameter->convertFrom0to1 (parameter->getDefaultValue()), nullptr);
            result.appendChild (child, nullptr);
        }

        child.setProperty (valueProperty, (double) repairedValue (*parameter, child.getProperty (valueProperty)), nullptr);
    }
    return result;
}
} // namespace StateMigration
