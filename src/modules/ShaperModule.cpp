#include "modules/ShaperModule.h"

namespace
{
constexpr double beatsPerCycle[] = { 4.0, 2.0, 1.0, 0.5, 0.25 };
}

ShaperModule::ShaperModule()
{
    points.fill (1.0f);
}

float ShaperModule::curveValue (const std::array<float, 16>& p, double phase) noexcept
{
    const double t = (phase - std::floor (phase)) * 15.0;
    const int i = juce::jlimit (0, 14, (int) std::floor (t));
    const float a = juce::jlimit (0.0f, 1.0f, p[(size_t) i]);
    const float b = juce::jlimit (0.0f, 1.0f, p[(size_t) juce::jmin (i + 1, 15)]);
    return a + (b - a) * (float) (t - i);
}

void ShaperModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    coefficient = (float) (1.0 - std::exp (-1.0 / (0.0015 * spec.sampleRate)));
    reset();
}

void ShaperModule::reset()
{
    gain = 1.0f;
}

void ShaperModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! enabled)
        return;

    // Beats per cycle are powers of two, so their reciprocals are exact.
    const double cyclesPerBeat = 1.0 / beatsPerCycle[juce::jlimit (0, 4, rateIndex)];
    const BeatPositions beats (context, sampleRate);
    double phase = beats.phaseAtStart (cyclesPerBeat);
    const double step = beats.phaseStep (cyclesPerBeat);

    const float amount = juce::jlimit (0.0f, 1.0f, mix) * juce::jlimit (0.0f, 1.0f, depth);
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float target = 1.0f + amount * (curveValue (points, phase) - 1.0f);
        gain += (target - gain) * coefficient;
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            data[ch][i] *= gain;
        phase += step;
        if (phase >= 1.0)
            phase -= std::floor (phase);
    }
}
