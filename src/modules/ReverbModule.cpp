#include "modules/ReverbModule.h"

#include "modules/Prefault.h"

void ReverbModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    reverb.prepare (spec.sampleRate, (int) spec.maximumBlockSize);
    mixRamp.prepare (spec.sampleRate);
    dryBuffer.setSize ((int) spec.numChannels, (int) spec.maximumBlockSize);
    prefault (dryBuffer);
    reset();
}

void ReverbModule::reset()
{
    reverb.reset();
    dryBuffer.clear();
    mixRamp.reset();
}

void ReverbModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    const int channels = buffer.getNumChannels();
    const int n = buffer.getNumSamples();
    if (! enabled || channels > dryBuffer.getNumChannels() || n > dryBuffer.getNumSamples())
        return;

    for (int ch = 0; ch < channels; ++ch)
        dryBuffer.copyFrom (ch, 0, buffer, ch, 0, n);

    if (channels > 2)
        return; // other layouts stay dry
    reverb.setSettings ({ juce::jlimit (0.0f, 1.0f, size), juce::jlimit (0.0f, 1.0f, damping), juce::jlimit (0.0f, 1.0f, width), freeze });
    reverb.process (buffer.getWritePointer (0), channels == 2 ? buffer.getWritePointer (1) : nullptr, n);

    mixRamp.setTarget (juce::jlimit (0.0f, 1.0f, mix));
    const auto m = mixRamp.take (n);
    for (int ch = 0; ch < channels; ++ch)
    {
        auto* out = buffer.getWritePointer (ch);
        const auto* dry = dryBuffer.getReadPointer (ch);
        for (int i = 0; i < n; ++i)
            out[i] = dry[i] + m.at (i) * (out[i] - dry[i]);
    }
}
