#pragma once

#include "modules/EffectModule.h"
#include "modules/SegmentedReplay.h"

// Repeats the start of the last musical slice, slice by slice, with a set probability.
class StutterModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "stutter"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 3;
    float length = 0.72f;
    float probability = 1.0f;
    float mix = 1.0f;

private:
    SegmentedReplay replay;
    int sliceStart = 0, sliceLength = 1;
    bool sliceActive = true;
    juce::uint32 randomState = 0x8BADF00Du;
};
