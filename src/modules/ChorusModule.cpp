#include "modules/ChorusModule.h"

void ChorusModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    chorus.prepare (spec);
    currentCentreMs = chorusCentreMs;
    chorus.setCentreDelay (currentCentreMs);
    chorus.reset();
}

void ChorusModule::reset()
{
    chorus.reset();
}

void ChorusModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! enabled)
        return;

    currentCentreMs = flanger ? flangerCentreMs : chorusCentreMs;
    chorus.setCentreDelay (currentCentreMs);
    chorus.setRate (juce::jlimit (0.05f, 8.0f, rateHz));
    chorus.setDepth (juce::jlimit (0.0f, 1.0f, depth));
    chorus.setFeedback (juce::jlimit (-0.8f, 0.8f, feedback));
    chorus.setMix (juce::jlimit (0.0f, 1.0f, mix));

    chorus.process (juce::dsp::AudioBlock<float> (buffer));
}
