#include "modules/WidthModule.h"

void WidthModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! enabled || buffer.getNumChannels() < 2)
        return;

    auto* left = buffer.getWritePointer (0);
    auto* right = buffer.getWritePointer (1);
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float l = left[i], r = right[i];
        const float mid = (l + r) * 0.5f;
        const float side = (l - r) * 0.5f * width;
        left[i] = l + mix * (mid + side - l);
        right[i] = r + mix * (mid - side - r);
    }
}
