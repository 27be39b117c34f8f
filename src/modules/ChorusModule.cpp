#include "modules/ChorusModule.h"

void ChorusModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    juce::ignoreUnused (spec);
    reset();
}

void ChorusModule::reset()
{
}

void ChorusModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    juce::ignoreUnused (buffer, context);
}
