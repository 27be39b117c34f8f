#include "modules/StutterModule.h"

void StutterModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    juce::ignoreUnused (spec);
    reset();
}

void StutterModule::reset()
{
}

void StutterModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    juce::ignoreUnused (buffer, context);
}
