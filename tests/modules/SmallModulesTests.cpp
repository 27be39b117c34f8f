#include "modules/CrusherModule.h"
#include "modules/FilterModule.h"
#include "modules/GateModule.h"
#include "modules/WidthModule.h"
#include "support/FrequencyAnalysis.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
constexpr double rate = 48000.0;
constexpr int block = 512;

void prepare (EffectModule& m, int channels = 2) { m.prepare ({ rate, (juce::uint32) block, (juce::uint32) channels }); }

// Block by block, the position moving on as the processor's clock moves it.
juce::AudioBuffer<float> run (EffectModule& m, const juce::AudioBuffer<float>& input, ProcessContext context = {})
{
    juce::AudioBuffer<float> out (input);
    const double first = context.ppqPosition;
    for (int start = 0; start < out.getNumSamples(); start += block)
    {
        const int n = juce::jmin (block, out.getNumSamples() - start);
        juce::AudioBuffer<float> view (out.getArrayOfWritePointers(), out.getNumChannels(), start, n);
        m.process (view, context);
        context.ppqPosition = first + (start + n) * context.beatsPerSample (rate);
    }
    return out;
}

juce::AudioBuffer<float> sine (double frequency, int samples, int channels = 1)
{
    juce::AudioBuffer<float> b (channels, samples);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < samples; ++i)
            b.setSample (ch, i, (float) std::sin (juce::MathConstants<double>::twoPi * frequency * i / rate));
    return b;
}

juce::AudioBuffer<float> constant (float value, int samples, int channels = 1)
{
    juce::AudioBuffer<float> b (channels, samples);
    for (int ch = 0; ch < channels; ++ch)
        juce::FloatVectorOperations::fill (b.getWritePointer (ch), value, samples);
    return b;
}

float tailRms (const juce::AudioBuffer<float>& b, int from)
{
    return b.getRMSLevel (0, from, b.getNumSamples() - from);
}

// The magnitude of the bilinear-transformed analogue prototype the filter realises.
double expectedFilterGain (int type, double frequency, double cutoff, double q)
{
    const double w = std::tan (juce::MathConstants<double>::pi * frequency / rate)
                     / std::tan (juce::MathConstants<double>::pi * cutoff / rate);
    const double denominator = std::sqrt ((1.0 - w * w) * (1.0 - w * w) + (w / q) * (w / q));
    const double numerator = type == FilterModule::lowPass ? 1.0 : (type == FilterModule::highPass ? w * w : w);
    return numerator / denominator;
}
} // namespace

TEST (FilterModule, ResponseMatchesTheAnaloguePrototypeForEveryType)
{
    struct Case { int type; double frequency, cutoff, q; };
    const Case cases[] = {
        { FilterModule::lowPass, 100.0, 1000.0, 0.707 },  { FilterModule::lowPass, 10000.0, 1000.0, 0.707 },
        { FilterModule::lowPass, 1000.0, 1000.0, 1.2 },   { FilterModule::highPass, 100.0, 1000.0, 0.707 },
        { FilterModule::highPass, 8000.0, 1000.0, 0.5 },  { FilterModule::bandPass, 2000.0, 2000.0, 1.0 },
        { FilterModule::bandPass, 200.0, 2000.0, 0.3 },
    };
    for (const auto& c : cases)
    {
        FilterModule f;
        f.cutoffHz = (float) c.cutoff;
        f.resonance = (float) c.q;
        f.type = c.type;
        f.mix = 1.0f;
        f.enabled = true;
        prepare (f, 1);
        const auto out = run (f, sine (c.frequency, 48000));
        const double measured = tailRms (out, 24000) * std::sqrt (2.0);
        EXPECT_NEAR (decibels ((float) measured), decibels ((float) expectedFilterGain (c.type, c.frequency, c.cutoff, c.q)), 0.2)
            << "type " << c.type << " at " << c.frequency << " Hz";
    }
}

TEST (FilterModule, CutoffIsLimitedAndTheIdleFilterIsBitExact)
{
    const auto settled = [] (float cutoff)
    {
        FilterModule f;
        f.enabled = true;
        f.cutoffHz = 1000.0f;
        prepare (f, 1);
        f.cutoffHz = cutoff;
        return run (f, noise (1, 9600));
    };
    EXPECT_EQ (maxDifferenceDelayed (settled (30000.0f), settled (0.45f * (float) rate), 0), 0.0f);
    EXPECT_EQ (maxDifferenceDelayed (settled (1.0f), settled (20.0f), 0), 0.0f);

    FilterModule idle;
    prepare (idle);
    idle.enabled = false;
    const auto input = noise (2, 2048);
    EXPECT_EQ (maxDifferenceDelayed (input, run (idle, input), 0), 0.0f);

    // Switching off fades out over 20 ms, then the block is left untouched again.
    FilterModule fading;
    fading.enabled = true;
    fading.cutoffHz = 200.0f;
    prepare (fading);
    run (fading, noise (2, 4800));
    fading.enabled = false;
    run (fading, noise (2, 1024));
    EXPECT_EQ (maxDifferenceDelayed (input, run (fading, input), 0), 0.0f);
}

TEST (GateModule, ClosesInTheSecondHalfOfEachCycleWithA1msTimeConstant)
{
    GateModule gate;
    gate.enabled = true;
    gate.rateIndex = 0; // one cycle per beat: 24000 samples at 120 BPM
    prepare (gate, 1);
    ProcessContext free;
    free.bpm = 120.0;
    const auto out = run (gate, constant (1.0f, 48000), free);

    EXPECT_NEAR (out.getSample (0, 11999), 1.0f, 1.0e-6f);
    EXPECT_NEAR (out.getSample (0, 12000 + 48), std::exp (-49.0f / 48.0f), 0.01f) << "one 1 ms time constant in";
    EXPECT_LT (out.getSample (0, 23999), 1.0e-4f);
    EXPECT_GT (out.getSample (0, 24000 + 480), 0.99f) << "open again in the next cycle";

    for (auto [depth, mix] : { std::pair { 0.0f, 1.0f }, std::pair { 1.0f, 0.0f } })
    {
        GateModule open;
        open.enabled = true;
        open.depth = depth;
        open.mix = mix;
        prepare (open, 1);
        EXPECT_EQ (run (open, constant (1.0f, 48000), free).getMagnitude (0, 48000), 1.0f);
        EXPECT_EQ (run (open, constant (1.0f, 48000), free).findMinMax (0, 0, 48000).getStart(), 1.0f);
    }
}

TEST (GateModule, FollowsTheClockPosition)
{
    GateModule gate;
    gate.enabled = true;
    gate.rateIndex = 1; // "1/8"
    prepare (gate, 1);
    ProcessContext playing;
    playing.isPlaying = true;
    playing.ppqPosition = 1.25; // phase 0.5: closed
    const auto out = run (gate, constant (1.0f, 480), playing);
    EXPECT_LT (out.getSample (0, 479), 1.0e-3f);

    playing.ppqPosition = 1.0; // phase 0: open
    const auto open = run (gate, constant (1.0f, 480), playing);
    EXPECT_GT (open.getSample (0, 479), 0.99f);
}

TEST (CrusherModule, QuantisesAndHoldsPerChannel)
{
    CrusherModule crusher;
    crusher.enabled = true;
    crusher.bits = 16;
    crusher.holdSamples = 1;
    prepare (crusher);
    const auto input = noise (2, 4096);
    const auto fine = run (crusher, input);
    for (int i = 0; i < 4096; ++i)
    {
        const float x = input.getSample (0, i);
        EXPECT_FLOAT_EQ (fine.getSample (0, i), std::round (x * 32768.0f) / 32768.0f);
    }

    CrusherModule held;
    held.enabled = true;
    held.bits = 16;
    held.holdSamples = 32;
    prepare (held);
    const auto ramp = [] { juce::AudioBuffer<float> b (2, 256); for (int i = 0; i < 256; ++i) { b.setSample (0, i, i / 512.0f); b.setSample (1, i, -i / 512.0f); } return b; }();
    const auto out = run (held, ramp);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 256; ++i)
            EXPECT_FLOAT_EQ (out.getSample (ch, i), std::round (ramp.getSample (ch, i - i % 32) * 32768.0f) / 32768.0f)
                << ch << ":" << i;

    held.bits = 2; // two steps per unit: values of 0, 0.5, 1
    held.holdSamples = 1;
    const auto coarse = run (held, constant (0.3f, 8));
    EXPECT_FLOAT_EQ (coarse.getSample (0, 7), 0.5f);
    held.mix = 0.5f;
    EXPECT_FLOAT_EQ (run (held, constant (0.3f, 8)).getSample (0, 7), 0.4f);
}

TEST (WidthModule, ScalesTheSideSignal)
{
    juce::AudioBuffer<float> stereo (2, 1);
    stereo.setSample (0, 0, 0.8f);
    stereo.setSample (1, 0, 0.2f); // mid 0.5, side 0.3

    struct Case { float width, mix, left, right; };
    const Case cases[] = {
        { 0.0f, 1.0f, 0.5f, 0.5f }, { 1.0f, 1.0f, 0.8f, 0.2f }, { 2.0f, 1.0f, 1.1f, -0.1f }, { 0.0f, 0.5f, 0.65f, 0.35f },
    };
    for (const auto& c : cases)
    {
        WidthModule w;
        w.enabled = true;
        w.width = c.width;
        w.mix = c.mix;
        const auto out = run (w, stereo);
        EXPECT_NEAR (out.getSample (0, 0), c.left, 1.0e-6f);
        EXPECT_NEAR (out.getSample (1, 0), c.right, 1.0e-6f);
    }

    WidthModule monoWidth;
    monoWidth.enabled = true;
    monoWidth.width = 0.0f;
    const auto mono = noise (1, 256);
    EXPECT_EQ (maxDifferenceDelayed (mono, run (monoWidth, mono), 0), 0.0f);
}
