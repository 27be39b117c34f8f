#include "modules/HalfTimeModule.h"

namespace
{
constexpr double initialPhase = 0.35;
constexpr double minimumDelay = 64.0;
constexpr double speeds[] = { 0.5, 0.25, 0.125 };
} // namespace

int HalfTimeModule::ringSizeFor (double rate) noexcept
{
    // Exact products (0.14 x 44100) must not round up past themselves.
    const int needed = (int) std::ceil (4.2 * rate - 1.0e-6);
    return needed < 4089 ? 4096 : needed + 8;
}

double HalfTimeModule::windowLength (double bpm) const noexcept
{
    const double window = sampleRate * 60.0 / juce::jlimit (20.0, 400.0, bpm) * (0.5 + 1.5 * juce::jlimit (0.0f, 1.0f, smooth));
    return juce::jmin (juce::jlimit (0.08 * sampleRate, 1.8 * sampleRate, window), (double) (ringSizeFor (sampleRate) - 128));
}

void HalfTimeModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    mixSmoother.reset ((int) std::floor (0.02 * sampleRate));
    mixSmoother.setCurrentAndTargetValue (0.0f);
    ring.allocate ((int) spec.numChannels, ringSizeFor (sampleRate), prefaultsMemory);
    reset();
}

void HalfTimeModule::reset()
{
    ring.clear();
    reader.reset (initialPhase);
}

void HalfTimeModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    // The rack crossfades the switch; off, the recording stops too.
    if (! enabled)
        mixSmoother.setCurrentAndTargetValue (0.0f);
    if (! ring.isAllocated() || ! enabled)
        return;

    const double window = windowLength (context.bpm);
    const double ratio = speeds[juce::jlimit (0, 2, rateIndex)];
    mixSmoother.setTargetValue (juce::jlimit (0.0f, 1.0f, mix));

    reader.process (buffer, ring, mixSmoother, ratio, window, minimumDelay);
}
