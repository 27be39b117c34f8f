#include "modules/FilterModule.h"

#include "modules/VectorMath.h"

FilterModule::FilterModule()
{
    mixSmoother.setCurrentAndTargetValue (0.0f);
}

void FilterModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    maxCutoffHz = 0.45f * (float) sampleRate;
    s1.assign (spec.numChannels, 0.0f);
    s2.assign (spec.numChannels, 0.0f);

    const int ramp = (int) std::floor (0.02 * sampleRate);
    for (auto* s : { &cutoffSmoother, &resonanceSmoother, &mixSmoother })
        s->reset (ramp);
    cutoffSmoother.setCurrentAndTargetValue (juce::jmin (cutoffHz, maxCutoffHz));
    resonanceSmoother.setCurrentAndTargetValue (resonance);
    mixSmoother.setCurrentAndTargetValue (0.0f);
}

void FilterModule::reset()
{
    std::fill (s1.begin(), s1.end(), 0.0f);
    std::fill (s2.begin(), s2.end(), 0.0f);
}

void FilterModule::updateCoefficients (float cutoff, float q) noexcept
{
    // A modulated cutoff takes a new tan every sample.
    g = VectorMath::tan ((float) (juce::MathConstants<double>::pi * cutoff / sampleRate));
    R2 = 1.0f / q;
    h = 1.0f / (1.0f + R2 * g + g * g);
}

void FilterModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    // The rack crossfades the switch; the mix starts from nothing when it comes back on.
    if (! enabled)
    {
        mixSmoother.setCurrentAndTargetValue (0.0f);
        return;
    }

    cutoffSmoother.setTargetValue (juce::jlimit (20.0f, maxCutoffHz, cutoffHz));
    resonanceSmoother.setTargetValue (juce::jlimit (0.1f, 1.2f, resonance));
    mixSmoother.setTargetValue (juce::jlimit (0.0f, 1.0f, mix));

    const int channels = juce::jmin (buffer.getNumChannels(), (int) s1.size());
    const int n = buffer.getNumSamples();
    auto* const* data = buffer.getArrayOfWritePointers();

    // The coefficients only change while the cutoff or resonance is still ramping.
    bool coefficientsFresh = false;
    for (int i = 0; i < n; ++i)
    {
        const bool ramping = cutoffSmoother.isSmoothing() || resonanceSmoother.isSmoothing();
        const float cutoff = cutoffSmoother.getNextValue();
        const float q = resonanceSmoother.getNextValue();
        const float m = mixSmoother.getNextValue();
        if (ramping || ! coefficientsFresh)
        {
            updateCoefficients (cutoff, q);
            coefficientsFresh = true;
        }

        for (int ch = 0; ch < channels; ++ch)
        {
            const float x = data[ch][i];
            float& z1 = s1[(size_t) ch];
            float& z2 = s2[(size_t) ch];
            const float hp = h * (x - (R2 + g) * z1 - z2);
            const float bp = g * hp + z1;
            z1 = g * hp + bp;
            const float lp = g * bp + z2;
            z2 = g * bp + lp;
            const float y = type == highPass ? hp : (type == bandPass ? bp : lp);
            data[ch][i] = x + m * (y - x);
        }
    }
}
