#include "modules/ReverseModule.h"

void ReverseModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    juce::ignoreUnused (spec);
    reset();
}

void ReverseModule::reset()
{
}

void ReverseModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    juce::ignoreUnused (buffer, context);
}
