#pragma once

#include "modules/ChorusEngine.h"
#include "modules/EffectModule.h"

// Chorus (8 ms centre delay) or flanger (1.6 ms).
class ChorusModule final : public EffectModule
{
public:
    static constexpr float chorusCentreMs = 8.0f;
    static constexpr float flangerCentreMs = 1.6f;

    const char* id() const noexcept override { return "chorus"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float centreDelayMs() const noexcept { return currentCentreMs; }

    bool flanger = false;
    float rateHz = 0.7f;
    float depth = 0.38f;
    float feedback = 0.1f;
    float mix = 0.35f;

private:
    ChorusEngine chorus;
    float currentCentreMs = chorusCentreMs;
};
