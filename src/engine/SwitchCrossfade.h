#pragma once

#include "modules/EffectModule.h"

#include <array>

// Switches the rack's modules on and off without a click: for a short time after a module's
// enabled flag changes, the module runs on (enabled) while its output is crossfaded with its
// input, up to its full sound or down to the untouched input. One copy of the input serves
// every module, as they run one after the other.
class SwitchCrossfade
{
public:
    static constexpr int maximumModules = 16;
    static constexpr double fadeSeconds = 0.015;

    void prepare (const juce::dsp::ProcessSpec& spec);

    // Forgets the modules' states: each takes up its flag at its next call without a fade.
    void reset() noexcept;

    // Runs module number `index` over the buffer, as its enabled flag asks.
    void process (int index, EffectModule& module, juce::AudioBuffer<float>& buffer, const ProcessContext& context) noexcept;

private:
    juce::AudioBuffer<float> dry;
    std::array<float, maximumModules> gains {}; // 0 off ... 1 on
    std::array<bool, maximumModules> known {};
    float step = 1.0f;
};
