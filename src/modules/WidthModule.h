#pragma once

#include "modules/EffectModule.h"
#include "modules/SettingRamp.h"

// Mid/side stereo width: 0 is mono, 1 leaves the image alone, 2 doubles the side signal.
class WidthModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "width"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float width = 1.0f;
    float mix = 1.0f;

private:
    SettingRamp widthRamp, mixRamp;
};
