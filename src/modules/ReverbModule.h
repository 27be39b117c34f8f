#pragma once

#include "modules/EffectModule.h"
#include "modules/RoomReverb.h"
#include "modules/SettingRamp.h"

// Room reverb with freeze; mono and stereo only, other channel counts pass dry.
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
    RoomReverb reverb;
    juce::AudioBuffer<float> dryBuffer;
    SettingRamp mixRamp;
};
