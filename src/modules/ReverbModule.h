#pragma once

#include "modules/EffectModule.h"
#include "modules/SettingRamp.h"

// Room reverb with freeze on the framework's reverb; mono and stereo only, other
// channel counts pass dry.
class ReverbModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "reverb"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float size = 0.55f;
    float damping = 0.45f;
    float width = 1.0f;
    bool freeze = false;
    float mix = 0.24f;

private:
    juce::Reverb reverb;
    juce::AudioBuffer<float> dryBuffer;
    SettingRamp mixRamp;
};
