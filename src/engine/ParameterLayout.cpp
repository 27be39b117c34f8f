#include "engine/ParameterLayout.h"

#include "engine/ParameterTable.h"

namespace
{
constexpr int parameterVersionHint = 1;

std::unique_ptr<juce::RangedAudioParameter> makeFloatParameter (const char* id, const char* name, float minimum,
                                                                float maximum, float defaultValue, float interval)
{
    return std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { id, parameterVersionHint }, name,
                                                        juce::NormalisableRange<float> (minimum, maximum, interval),
                                                        defaultValue);
}

std::unique_ptr<juce::RangedAudioParameter> makeParameter (const Param::Spec& s)
{
    switch (s.kind)
    {
        case Param::Kind::boolean:
            return std::make_unique<juce::AudioParameterBool> (juce::ParameterID { s.id, parameterVersionHint }, s.name,
                                                               s.defaultValue > 0.5f);
        case Param::Kind::choice:
        {
            juce::StringArray items;
            for (int i = 0; i < s.numChoices; ++i)
                items.add (s.choices[i]);
            return std::make_unique<juce::AudioParameterChoice> (juce::ParameterID { s.id, parameterVersionHint },
                                                                 s.name, items, (int) s.defaultValue);
        }
        case Param::Kind::floating:
            break;
    }
    return makeFloatParameter (s.id, s.name, s.minimum, s.maximum, s.defaultValue, s.interval);
}
} // namespace

juce::AudioProcessorValueTreeState::ParameterLayout ParameterLayout::create()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    for (const auto& s : Param::all())
        layout.add (makeParameter (s));
    return layout;
}
