#include "modules/ReverseModule.h"
#include "modules/StutterModule.h"
#include "modules/TapeStopModule.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
constexpr double rate = 48000.0;

// A signal whose every sample tells where it came from: x[i] = i / 1e6.
juce::AudioBuffer<float> timeline (int samples, int channels = 1)
{
    juce::AudioBuffer<float> b (channels, samples);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < samples; ++i)
            b.setSample (ch, i, (float) i * 1.0e-6f * (ch == 0 ? 1.0f : -1.0f));
    return b;
}

// Block by block, the position moving on as the processor's clock moves it.
juce::AudioBuffer<float> run (EffectModule& m, juce::AudioBuffer<float> buffer, ProcessContext& context)
{
    const double first = context.ppqPosition;
    for (int start = 0; start < buffer.getNumSamples(); start += 512)
    {
        const int n = juce::jmin (512, buffer.getNumSamples() - start);
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start, n);
        m.process (view, context);
        context.ppqPosition = first + (start + n) * context.beatsPerSample (rate);
    }
    return buffer;
}

juce::AudioBuffer<float> run (EffectModule& m, juce::AudioBuffer<float> buffer)
{
    ProcessContext context;
    return run (m, std::move (buffer), context);
}

template <typename Module>
Module prepared (int channels = 1)
{
    Module m;
    m.enabled = true;
    m.mix = 1.0f;
    m.prepare ({ rate, 512, (juce::uint32) channels });
    return m;
}
} // namespace

TEST (StutterModule, LoopsTheStartOfThePreviousSlice)
{
    auto stutter = prepared<StutterModule> (2);
    stutter.rateIndex = 3; // "1/16" at 120 BPM: L = 6000
    stutter.length = 0.5f; // loops 3000 samples
    stutter.probability = 1.0f;
    const auto input = timeline (24000, 2);
    const auto out = run (stutter, input);

    // The free-running beat counter accumulates, so a slice edge may land one sample late:
    // one sample of the timeline is 1e-6.
    const float oneSample = 1.5e-6f;
    for (int k : { 100, 1000, 2900 })
        for (int repeat : { 0, 1 })
        {
            EXPECT_NEAR (out.getSample (0, 6000 + repeat * 3000 + k), input.getSample (0, k), oneSample) << k;
            EXPECT_NEAR (out.getSample (1, 12000 + repeat * 3000 + k), input.getSample (1, 6000 + k), oneSample) << k;
        }
    // The quarter-sine dip at the start of each repeat: 12 samples in, the gain is 0.25 + 0.75 sin(pi/4).
    const float gain = 0.25f + 0.75f * std::sin (0.5f * juce::MathConstants<float>::halfPi);
    const float x = input.getSample (0, 9012);
    EXPECT_NEAR (out.getSample (0, 9012), x + gain * (input.getSample (0, 12) - x), 0.05f * x);
}

TEST (StutterModule, ProbabilityZeroAndSwitchedOffPassTheDrySignal)
{
    const auto input = noise (1, 24000);
    auto never = prepared<StutterModule>();
    never.probability = 0.0f;
    EXPECT_EQ (maxDifferenceDelayed (input, run (never, input), 0), 0.0f);

    auto off = prepared<StutterModule>();
    off.enabled = false;
    EXPECT_EQ (maxDifferenceDelayed (input, run (off, input), 0), 0.0f);

    // Switched on mid-slice, it plays audio recorded while it was off.
    const auto line = timeline (12000);
    auto late = prepared<StutterModule>();
    late.enabled = false;
    late.length = 1.0f;
    auto first = line;
    first.setSize (1, 7000, true);
    run (late, first);
    late.enabled = true;
    juce::AudioBuffer<float> rest (1, 1000);
    rest.copyFrom (0, 0, line, 0, 7000, 1000);
    const auto out = run (late, rest);
    EXPECT_NEAR (out.getSample (0, 500), line.getSample (0, 1500), 1.5e-6f) << "slice 1 replays samples 0 ... 5999";
}

TEST (StutterModule, VeryShortSlicesAreLengthenedTo16Samples)
{
    ProcessContext quick;
    quick.bpm = 400.0;
    quick.sampleRate = 1000.0;
    StutterModule slow;
    slow.enabled = true;
    slow.mix = 1.0f;
    slow.rateIndex = 5;
    slow.length = 1.0f;
    slow.prepare ({ 1000.0, 512, 1 }); // 1/64 at 400 BPM and 1 kHz is 2.3 samples
    const auto input = timeline (200);
    const auto out = run (slow, input, quick);
    // Every slice replays from 16 samples back, not from the 2 a slice lasts.
    EXPECT_GE (out.getSample (0, 100), input.getSample (0, 84) - 1.0e-9f);
    EXPECT_LT (out.getSample (0, 100), input.getSample (0, 99));
}

TEST (ReverseModule, PlaysEachSegmentBackwards)
{
    auto reverse = prepared<ReverseModule>();
    reverse.rateIndex = 1; // "1/4" at 120 BPM: 24000 samples
    reverse.crossfade = 0.0f;
    const auto input = timeline (48000);
    const auto out = run (reverse, input);
    for (int j : { 1000, 12000, 23000 })
    {
        const double readPosition = 23999.0 - (double) j / 24000.0 * 23999.0;
        EXPECT_NEAR (out.getSample (0, 24000 + j), readPosition * 1.0e-6, 1.0e-7) << j;
    }

    // Crossfade 0 fades over 0.5 % of the segment: a quarter of the way in, the gain is sin(pi/4).
    const int j = 30; // p = 0.00125 of a 24000-sample segment, t = 0.25
    const float x = input.getSample (0, 24000 + j);
    const float y = (float) ((23999.0 - j / 24000.0 * 23999.0) * 1.0e-6);
    EXPECT_NEAR (out.getSample (0, 24000 + j), x + std::sin (0.25f * juce::MathConstants<float>::halfPi) * (y - x), 1.0e-7f);
}

TEST (TapeStopModule, SlowsToAStopAndRestartsOnlyWhenSwitchedOnAgain)
{
    auto tape = prepared<TapeStopModule>();
    tape.curve = 1.0f;
    tape.timeMs = 1000.0f;
    auto input = timeline (72000);
    const auto out = run (tape, input);

    const auto played = [&out] (int i) { return out.getSample (0, i) / (1.0f - (float) i / 48000.0f); };
    // Read position after i samples: -48 + i - i^2 / 96000 (speed 1 - t).
    EXPECT_NEAR (played (100), (100.0f - 48.0f - 100.0f * 100.0f / 96000.0f) * 1.0e-6f, 2.0e-8f) << "starts 48 samples behind";
    const double speed = (played (24050) - played (23950)) / 100.0e-6;
    EXPECT_NEAR (speed, 0.5, 0.01) << "half speed after 500 ms";
    EXPECT_NEAR (out.getSample (0, 24000) / played (24000), 0.5f, 1.0e-3f) << "half level";
    EXPECT_EQ (out.getMagnitude (0, 48001, 20000), 0.0f) << "silent after the stop length";

    // Still on: no new stop.
    EXPECT_EQ (run (tape, timeline (4800)).getMagnitude (0, 0, 4800), 0.0f);

    // Off passes dry; on again starts a new stop at full level.
    tape.enabled = false;
    const auto dry = noise (1, 1024);
    EXPECT_EQ (maxDifferenceDelayed (dry, run (tape, dry), 0), 0.0f);
    tape.enabled = true;
    EXPECT_GT (run (tape, noise (1, 1024)).getRMSLevel (0, 0, 256), 0.2f);
}
