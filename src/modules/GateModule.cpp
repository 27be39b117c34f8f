#include "modules/GateModule.h"

namespace
{
constexpr double cyclesPerBeat[] = { 1.0, 2.0, 4.0, 8.0 };
}

void GateModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    coefficient = (float) (1.0 - std::exp (-1.0 / (0.001 * spec.sampleRate)));
    reset();
}

void GateModule::reset()
{
    gain = 1.0f;
}

void GateModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! enabled)
        return;

    const double cycles = cyclesPerBeat[juce::jlimit (0, 3, rateIndex)];
    const BeatPositions beats (context, sampleRate);
    double phase = beats.phaseAtStart (cycles);
    const double step = beats.phaseStep (cycles);

    const float closed = 1.0f - juce::jlimit (0.0f, 1.0f, depth) * juce::jlimit (0.0f, 1.0f, mix);
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float target = phase < 0.5 ? 1.0f : closed;
        gain += (target - gain) * coefficient;
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            data[ch][i] *= gain;
        phase += step;
        if (phase >= 1.0)
            phase -= std::floor (phase);
    }
}
