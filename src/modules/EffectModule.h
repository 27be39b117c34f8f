#pragma once

#include "modules/ProcessContext.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

// One effect of the rack. The processor writes the module's public setting fields and
// `enabled` right before each process() call; process() runs on every sub-block, and a
// disabled module leaves the signal as it is (a latent one delays it).
class EffectModule
{
public:
    virtual ~EffectModule() = default;

    virtual const char* id() const noexcept = 0;

    // Sizes every buffer for the sample rate, block size and channel count, and clears the running state.
    virtual void prepare (const juce::dsp::ProcessSpec& spec) = 0;

    // Clears the running state without reallocating.
    virtual void reset() = 0;

    virtual void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) = 0;

    // How many samples the module's output lags its input, as it is set now.
    virtual int getLatencySamples() const noexcept { return 0; }

    // The latency it will have once inserted in the rack or not, for telling the host before
    // audio reaches it; by default whatever it is now.
    virtual int latencyWhenInserted (bool inserted) const noexcept
    {
        juce::ignoreUnused (inserted);
        return getLatencySamples();
    }

    // Whether the module fades between its sound and its input by itself when `enabled`
    // changes; the rack crossfades every other module's switch.
    virtual bool crossfadesItsOwnSwitch() const noexcept { return false; }

    bool enabled = false;

    // Whether prepare() writes its large buffers once, so that their pages are mapped in before
    // audio runs against a deadline; set by the rack before each prepare().
    bool prefaultsMemory = true;
};
