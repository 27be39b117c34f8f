#include "modules/CrusherModule.h"

void CrusherModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    held.assign (spec.numChannels, 0.0f);
    countdown.assign (spec.numChannels, 0);
}

void CrusherModule::reset()
{
    std::fill (countdown.begin(), countdown.end(), 0);
}

void CrusherModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! enabled)
        return;

    const int hold = juce::jlimit (1, 32, holdSamples);
    const float m = juce::jlimit (0.0f, 1.0f, mix);
    const float q = std::exp2 ((float) (juce::jlimit (2, 16, bits) - 1));
    const int channels = juce::jmin (buffer.getNumChannels(), (int) held.size());

    for (int ch = 0; ch < channels; ++ch)
    {
        auto* data = buffer.getWritePointer (ch);
        float& value = held[(size_t) ch];
        int& count = countdown[(size_t) ch];
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const float x = data[i];
            if (count <= 0)
            {
                value = std::round (q * x) / q;
                count = hold;
            }
            --count;
            data[i] = x + m * (value - x);
        }
    }
}
