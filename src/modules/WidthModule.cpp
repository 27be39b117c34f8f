#include "modules/WidthModule.h"

void WidthModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    widthRamp.prepare (spec.sampleRate);
    mixRamp.prepare (spec.sampleRate);
}

void WidthModule::reset()
{
    widthRamp.reset();
    mixRamp.reset();
}

void WidthModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! enabled || buffer.getNumChannels() < 2)
        return;

    widthRamp.setTarget (width);
    mixRamp.setTarget (mix);
    auto* left = buffer.getWritePointer (0);
    auto* right = buffer.getWritePointer (1);
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float l = left[i], r = right[i];
        const float mid = (l + r) * 0.5f;
        const float side = (l - r) * 0.5f * widthRamp.next();
        const float m = mixRamp.next();
        left[i] = l + m * (mid + side - l);
        right[i] = r + m * (mid - side - r);
    }
}
