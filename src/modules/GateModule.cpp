#include "modules/GateModule.h"

namespace
{
constexpr double cyclesPerBeat[] = { 1.0, 2.0, 4.0, 8.0 };
}

void GateModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    coefficient = (float) (1.0 - std::exp (-1.0 / (0.001 * sampleRate)));
    reset();
}

void GateModule::reset()
{
    phase = 0.0;
    gain = 1.0f;
}

void GateModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! enabled)
        return;

    const double cycles = cyclesPerBeat[juce::jlimit (0, 3, rateIndex)];
    const double beatsPerSecond = context.bpm < 20.0 ? 1.0 / 3.0 : juce::jmin (context.bpm, 400.0) / 60.0;
    const double increment = cycles * beatsPerSecond / sampleRate;

    if (context.isPlaying && context.hasPpqPosition)
    {
        const double position = context.ppqPosition * cycles;
        phase = position - std::floor (position);
    }

    const float closed = 1.0f - juce::jlimit (0.0f, 1.0f, depth) * juce::jlimit (0.0f, 1.0f, mix);
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float target = phase < 0.5 ? 1.0f : closed;
        gain += (target - gain) * coefficient;
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            data[ch][i] *= gain;
        phase += increment;
        if (phase >= 1.0)
            phase -= std::floor (phase);
    }
}
