#include "modules/DelayModule.h"

void DelayModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    juce::ignoreUnused (spec);
    reset();
}

void DelayModule::reset()
{
}

void DelayModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    juce::ignoreUnused (buffer, context);
}
