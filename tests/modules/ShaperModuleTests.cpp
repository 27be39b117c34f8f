#include "modules/ShaperCurve.h"
#include "modules/ShaperModule.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
constexpr double rate = 48000.0;

juce::AudioBuffer<float> ones (int samples)
{
    juce::AudioBuffer<float> b (1, samples);
    juce::FloatVectorOperations::fill (b.getWritePointer (0), 1.0f, samples);
    return b;
}

// Block by block, the position moving on as the processor's clock moves it.
juce::AudioBuffer<float> run (ShaperModule& m, juce::AudioBuffer<float> buffer, ProcessContext context, int block = 512)
{
    const double first = context.ppqPosition;
    for (int start = 0; start < buffer.getNumSamples(); start += block)
    {
        const int n = juce::jmin (block, buffer.getNumSamples() - start);
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), 1, start, n);
        m.process (view, context);
        context.ppqPosition = first + (start + n) * context.beatsPerSample (rate);
    }
    return buffer;
}

ShaperModule prepared()
{
    ShaperModule m;
    m.enabled = true;
    m.prepare ({ rate, 512, 1 });
    return m;
}
} // namespace

TEST (ShaperModule, FlatCurveLeavesTheSignalAndZeroCurveSilencesIt)
{
    auto flat = prepared();
    flat.points.fill (1.0f);
    const auto input = noise (1, 4800);
    EXPECT_EQ (maxDifferenceDelayed (input, run (flat, input, {}), 0), 0.0f);

    auto zero = prepared();
    zero.points.fill (-3.0f); // outside 0 ... 1 counts as 0
    const auto out = run (zero, ones (4800), {});
    EXPECT_NEAR (out.getSample (0, 71), std::exp (-72.0f / 72.0f), 0.01f) << "one 1.5 ms time constant";
    EXPECT_LT (out.getSample (0, 4799), 1.0e-6f);
}

TEST (ShaperModule, CurveInterpolatesBetweenPoints)
{
    std::array<float, 16> p {};
    for (int i = 0; i < 16; ++i)
        p[(size_t) i] = (float) i / 15.0f;
    p[8] = 2.0f; // clamped to 1
    EXPECT_FLOAT_EQ (ShaperCurve::valueAt (p, 0.0), 0.0f);
    EXPECT_FLOAT_EQ (ShaperCurve::valueAt (p, 0.5), (7.0f / 15.0f + 1.0f) / 2.0f) << "halfway between points 7 and 8";
    EXPECT_NEAR (ShaperCurve::valueAt (p, 0.999999), 1.0f, 1.0e-4f);
}

TEST (ShaperModule, FollowsTheClockPosition)
{
    ProcessContext playing;
    playing.isPlaying = true;
    playing.ppqPosition = 3.0; // "1/2": phase 0.5, halfway between points 7 and 8
    // Relocked to the same phase every one-sample block, the gain settles on the curve value there.
    auto settle = prepared();
    settle.points.fill (0.0f);
    settle.points[8] = 1.0f;
    settle.rateIndex = 1;
    for (int i = 0; i < 2000; ++i)
    {
        auto one = ones (1);
        settle.process (one, playing); // relocked to phase 0.5 every block
    }
    auto one = ones (1);
    settle.process (one, playing);
    EXPECT_NEAR (one.getSample (0, 0), 0.5f, 1.0e-3f);

    // "1/1" at 120 BPM: the pattern repeats every 2 s (96000 samples).
    auto free = prepared();
    for (int i = 0; i < 16; ++i)
        free.points[(size_t) i] = (i % 4) / 3.0f;
    free.rateIndex = 0;
    ProcessContext tempo;
    tempo.bpm = 120.0;
    const auto out = run (free, ones (3 * 96000), tempo);
    float worst = 0.0f;
    for (int i = 96000; i < 2 * 96000; ++i)
        worst = juce::jmax (worst, std::abs (out.getSample (0, i) - out.getSample (0, i + 96000)));
    EXPECT_LT (worst, 1.0e-3f);
    float shifted = 0.0f;
    for (int i = 96000; i < 2 * 96000; ++i)
        shifted = juce::jmax (shifted, std::abs (out.getSample (0, i) - out.getSample (0, i + 48000)));
    EXPECT_GT (shifted, 0.1f) << "not periodic at half the cycle";
}
