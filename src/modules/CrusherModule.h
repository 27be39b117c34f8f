#pragma once

#include "modules/EffectModule.h"

#include <vector>

// Bit-depth reduction with sample-and-hold downsampling.
class CrusherModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "crusher"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int bits = 12;
    int holdSamples = 1;
    float mix = 1.0f;

private:
    std::vector<float> held;
    std::vector<int> countdown;
};
