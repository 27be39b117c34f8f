#include "modules/ShaperModule.h"

void ShaperModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    juce::ignoreUnused (spec);
    reset();
}

void ShaperModule::reset()
{
}

void ShaperModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    juce::ignoreUnused (buffer, context);
}
