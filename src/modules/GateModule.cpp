#include "modules/GateModule.h"

namespace
{
constexpr double cyclesPerBeat[] = { 1.0, 2.0, 4.0, 8.0 };
}

void GateModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    phase.prepare (spec.sampleRate);
    coefficient = (float) (1.0 - std::exp (-1.0 / (0.001 * spec.sampleRate)));
    reset();
}

void GateModule::reset()
{
    phase.reset();
    gain = 1.0f;
}

void GateModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    if (! enabled)
        return;

    phase.beginBlock (context, cyclesPerBeat[juce::jlimit (0, 3, rateIndex)]);

    const float closed = 1.0f - juce::jlimit (0.0f, 1.0f, depth) * juce::jlimit (0.0f, 1.0f, mix);
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float target = phase.get() < 0.5 ? 1.0f : closed;
        gain += (target - gain) * coefficient;
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            data[ch][i] *= gain;
        phase.advance();
    }
}
