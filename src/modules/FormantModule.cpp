#include "modules/FormantModule.h"

void FormantModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    processor.prepare (spec);
    latencySamples = processor.getFftSize();
    reset();
}

void FormantModule::reset()
{
    processor.reset (shift, tone, mixTarget());
}

void FormantModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! inserted)
    {
        processor.record (buffer);
        return;
    }
    processor.setTargets (shift, tone, mixTarget());
    processor.process (buffer, enabled);
}
