#pragma once

#include "engine/EffectModule.h"
#include <array>

// Tempo-synced sixteen-point volume curve.
class ShaperModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "shaper"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 2;
    float depth = 1.0f;
    float mix = 1.0f;
    std::array<float, 16> points {};
};
