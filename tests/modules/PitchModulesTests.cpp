#include "modules/HalfTimeModule.h"
#include "modules/PitchModule.h"
#include "support/FrequencyAnalysis.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
constexpr double rate = 48000.0;

juce::AudioBuffer<float> sine (double frequency, int samples)
{
    juce::AudioBuffer<float> b (1, samples);
    for (int i = 0; i < samples; ++i)
        b.setSample (0, i, 0.5f * (float) std::sin (juce::MathConstants<double>::twoPi * frequency * i / rate));
    return b;
}

juce::AudioBuffer<float> run (EffectModule& m, juce::AudioBuffer<float> buffer, ProcessContext context = {})
{
    for (int start = 0; start < buffer.getNumSamples(); start += 512)
    {
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), 1, start, juce::jmin (512, buffer.getNumSamples() - start));
        m.process (view, context);
    }
    return buffer;
}

double dominantFrequency (const juce::AudioBuffer<float>& b, int from)
{
    constexpr int order = 15;
    const auto spectrum = magnitudeSpectrum (b.getReadPointer (0, from), order);
    const auto peak = std::max_element (spectrum.begin() + 1, spectrum.end()) - spectrum.begin();
    return (double) peak * rate / (double) (1 << order);
}

template <typename Module>
Module prepared()
{
    Module m;
    m.enabled = true;
    m.mix = 1.0f;
    m.prepare ({ rate, 512, 1 });
    return m;
}
} // namespace

TEST (PitchModule, TransposesBySemitonesAndCents)
{
    struct Case { float semitones, cents; double expected; };
    for (const auto& c : { Case { 12.0f, 0.0f, 880.0 }, Case { -12.0f, 0.0f, 220.0 }, Case { 7.0f, 0.0f, 440.0 * std::exp2 (7.0 / 12.0) },
                           Case { 11.0f, 100.0f, 880.0 } })
    {
        auto pitch = prepared<PitchModule>();
        pitch.semitones = c.semitones;
        pitch.cents = c.cents;
        const auto out = run (pitch, sine (440.0, 48000));
        // The crossfaded taps spread the line over sidebands of the 18 Hz window rotation;
        // a semitone is 6 %, so 1.5 % still tells every transposition apart.
        EXPECT_NEAR (dominantFrequency (out, 9600), c.expected, 0.015 * c.expected) << c.semitones << " st " << c.cents << " ct";
    }
}

TEST (PitchModule, ZeroShiftFadesOutAndRingSizesFollowTheRate)
{
    auto pitch = prepared<PitchModule>();
    pitch.semitones = 12.0f;
    run (pitch, sine (440.0, 4800));
    pitch.semitones = 0.0f;
    run (pitch, sine (440.0, 960)); // the 20 ms fade
    const auto input = sine (440.0, 2048);
    EXPECT_EQ (maxDifferenceDelayed (input, run (pitch, input), 0), 0.0f);

    EXPECT_EQ (PitchModule::ringSizeFor (44100.0), 6182);
    EXPECT_EQ (PitchModule::ringSizeFor (8000.0), 1128); // ceil(1120) + 8
    EXPECT_EQ (PitchModule::ringSizeFor (7000.0), 1024);
    EXPECT_EQ (pitch.getRingSize(), PitchModule::ringSizeFor (rate));
}

TEST (HalfTimeModule, WindowFollowsTempoAndSmoothAndPlaysAnOctaveDown)
{
    auto half = prepared<HalfTimeModule>();
    struct Case { double bpm; float smooth; double window; };
    for (const auto& c : { Case { 120.0, 0.0f, 12000.0 }, Case { 120.0, 1.0f, 48000.0 }, Case { 20.0, 1.0f, 86400.0 },
                           Case { 400.0, 0.0f, 3840.0 } })
    {
        half.smooth = c.smooth;
        EXPECT_NEAR (half.windowLength (c.bpm), c.window, 1.0e-6) << c.bpm << " BPM, smooth " << c.smooth;
    }

    half.smooth = 0.0f;
    half.rateIndex = 0;
    ProcessContext tempo;
    tempo.bpm = 120.0;
    const auto out = run (half, sine (880.0, 96000), tempo);
    EXPECT_NEAR (dominantFrequency (out, 48000), 440.0, 3.0);

    // Switched off, it fades out and then leaves the block alone.
    half.enabled = false;
    run (half, sine (880.0, 2048), tempo);
    const auto input = sine (880.0, 2048);
    EXPECT_EQ (maxDifferenceDelayed (input, run (half, input, tempo), 0), 0.0f);
}
