#include "presets/StateMigration.h"

#include "engine/EffectRack.h"
#include "engine/StateProperties.h"

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
} // namespace

juce::ValueTree complete (juce::AudioProcessorValueTreeState& state, juce::ValueTree tree)
{
    auto result = tree.createCopy();
    if (! result.isValid())
        return result;

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
