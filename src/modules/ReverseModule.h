#pragma once

#include "modules/EffectModule.h"
#include "modules/SegmentedReplay.h"

// Plays each musical segment's worth of the latest audio backwards, with crossfaded ends.
class ReverseModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "reverse"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 2;
    float crossfade = 0.22f;
    float mix = 1.0f;

private:
    SegmentedReplay replay;
    int anchor = 0;
};
