#include "engine/SwitchCrossfade.h"

#include "modules/LinearCrossfade.h"
#include "modules/Prefault.h"

void SwitchCrossfade::prepare (const juce::dsp::ProcessSpec& spec)
{
    dry.setSize ((int) juce::jmax (1u, spec.numChannels), (int) juce::jmax (1u, spec.maximumBlockSize));
    prefault (dry);
    step = 1.0f / (float) juce::jmax (1.0, std::floor (fadeSeconds * spec.sampleRate));
    reset();
}

void SwitchCrossfade::reset() noexcept
{
    known.fill (false);
}

void SwitchCrossfade::process (int index, EffectModule& module, juce::AudioBuffer<float>& buffer,
                               const ProcessContext& context) noexcept
{
    auto& gain = gains[(size_t) index];
    const bool on = module.enabled;
    const float target = on ? 1.0f : 0.0f;
    if (! known[(size_t) index])
    {
        gain = target;
        known[(size_t) index] = true;
    }

    const int channels = buffer.getNumChannels();
    const int n = buffer.getNumSamples();
    if (gain == target || channels > dry.getNumChannels() || n > dry.getNumSamples())
    {
        gain = target;
        module.process (buffer, context);
        return;
    }

    for (int ch = 0; ch < channels; ++ch)
        dry.copyFrom (ch, 0, buffer, ch, 0, n);

    module.enabled = true;
    module.process (buffer, context);
    module.enabled = on;

    gain = crossfadeInPlace (dry, buffer, channels, n, gain, on ? step : -step);
}
