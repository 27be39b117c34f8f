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
    const int n = buffer.getNumSamples();
    const auto w = widthRamp.take (n), m = mixRamp.take (n);
    if (w.steps == 0 && m.steps == 0)
    {
        // Held settings: a loop the compiler can vectorise.
        const float side = 0.5f * w.start, amount = m.start;
        for (int i = 0; i < n; ++i)
        {
            const float l = left[i], r = right[i];
            const float mid = (l + r) * 0.5f;
            left[i] = l + amount * (mid + (l - r) * side - l);
            right[i] = r + amount * (mid - (l - r) * side - r);
        }
        return;
    }
    for (int i = 0; i < n; ++i)
    {
        const float l = left[i], r = right[i];
        const float mid = (l + r) * 0.5f;
        const float side = (l - r) * 0.5f * w.at (i);
        const float amount = m.at (i);
        left[i] = l + amount * (mid + side - l);
        right[i] = r + amount * (mid - side - r);
    }
}
