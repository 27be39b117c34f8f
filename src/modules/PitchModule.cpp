#include "modules/PitchModule.h"

namespace
{
constexpr double initialPhase = 0.25;
constexpr double minimumDelay = 48.0;
constexpr double windowSeconds = 0.055;
} // namespace

int PitchModule::ringSizeFor (double rate) noexcept
{
    // Exact products (0.14 x 44100) must not round up past themselves.
    const int needed = (int) std::ceil (0.14 * rate - 1.0e-6);
    return needed < 1017 ? 1024 : needed + 8;
}

void PitchModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    mixSmoother.reset ((int) std::floor (0.02 * sampleRate));
    mixSmoother.setCurrentAndTargetValue (0.0f);
    ring.allocate ((int) spec.numChannels, ringSizeFor (sampleRate), prefaultsMemory);
    reset();
}

void PitchModule::reset()
{
    ring.clear();
    reader.reset (initialPhase);
}

void PitchModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! ring.isAllocated())
        return;

    const double shift = semitones + cents / 100.0;
    const double ratio = std::exp2 (shift / 12.0);
    const double window = windowSeconds * sampleRate;
    // The rack crossfades the switch; off, only the recording goes on.
    if (! enabled)
        mixSmoother.setCurrentAndTargetValue (0.0f);
    else
        mixSmoother.setTargetValue (std::abs (shift) < 0.001 ? 0.0f : juce::jlimit (0.0f, 1.0f, mix));

    reader.process (buffer, ring, mixSmoother, ratio, window, minimumDelay);
}
