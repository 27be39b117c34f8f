#include "modules/HalfTimeModule.h"

void HalfTimeModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    juce::ignoreUnused (spec);
    reset();
}

void HalfTimeModule::reset()
{
}

void HalfTimeModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    juce::ignoreUnused (buffer, context);
}
