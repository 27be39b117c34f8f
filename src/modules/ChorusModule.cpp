#include "modules/ChorusModule.h"

void ChorusModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    chorus.prepare (spec);
    currentCentreMs = chorusCentreMs;
    ChorusEngine::Settings initial;
    initial.centreDelayMs = currentCentreMs;
    chorus.setSettings (initial);
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
    chorus.setSettings ({ juce::jlimit (0.05f, 8.0f, rateHz), juce::jlimit (0.0f, 1.0f, depth), currentCentreMs,
                          juce::jlimit (-0.8f, 0.8f, feedback), juce::jlimit (0.0f, 1.0f, mix) });

    chorus.process (juce::dsp::AudioBlock<float> (buffer));
}
