#include "modules/ShaperModule.h"

#include "modules/ShaperCurve.h"

ShaperModule::ShaperModule()
{
    points.fill (1.0f);
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

    const double cyclesPerBeat = 1.0 / ShaperCurve::beatsPerCycleAt (rateIndex);
    const BeatPositions beats (context, sampleRate);
    double phase = beats.phaseAtStart (cyclesPerBeat);
    const double step = beats.phaseStep (cyclesPerBeat);

    const float amount = juce::jlimit (0.0f, 1.0f, mix) * juce::jlimit (0.0f, 1.0f, depth);
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float target = 1.0f + amount * (ShaperCurve::valueAt (points, phase) - 1.0f);
        gain += (target - gain) * coefficient;
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            data[ch][i] *= gain;
        phase += step;
        if (phase >= 1.0)
            phase -= std::floor (phase);
    }
}
