#pragma once

#include "modules/EffectModule.h"
#include "modules/ReplayRing.h"
#include "modules/SettingRamp.h"

// Slows the audio down to a standstill like a tape machine switched off; every switch-on
// starts a new stop.
class TapeStopModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "tapestop"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float timeMs = 650.0f;
    float curve = 1.6f;
    float mix = 1.0f;

private:
    static constexpr int startBehind = 48; // playback starts this far behind the live input

    ReplayRing ring;
    SettingRamp mixRamp;
    double sampleRate = 44100.0;
    double readPosition = 0.0;
    int elapsed = 0;
    bool wasEnabled = false;
};
