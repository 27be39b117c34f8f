#include "modules/ChorusModule.h"
#include "modules/DelayModule.h"
#include "modules/ReverbModule.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
juce::AudioBuffer<float> run (EffectModule& m, juce::AudioBuffer<float> buffer, int block = 512)
{
    for (int start = 0; start < buffer.getNumSamples(); start += block)
    {
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start,
                                       juce::jmin (block, buffer.getNumSamples() - start));
        m.process (view, {});
    }
    return buffer;
}

juce::AudioBuffer<float> impulse (int channels, int samples)
{
    juce::AudioBuffer<float> b (channels, samples);
    b.clear();
    for (int ch = 0; ch < channels; ++ch)
        b.setSample (ch, 0, 1.0f);
    return b;
}

juce::AudioBuffer<float> silence (int channels, int samples)
{
    juce::AudioBuffer<float> b (channels, samples);
    b.clear();
    return b;
}
} // namespace

TEST (DelayModule, FirstEchoArrivesAfterTheDelayTime)
{
    struct Case { double rate; float ms; };
    for (const Case c : { Case { 48000.0, 250.0f }, Case { 44100.0, 10.0f }, Case { 192000.0, 1500.0f } })
    {
        DelayModule delay;
        delay.enabled = true;
        delay.timeMs = c.ms;
        delay.mix = 1.0f;
        delay.feedback = 0.0f;
        delay.prepare ({ c.rate, 512, 2 });
        const int expected = (int) std::lround (c.rate * c.ms / 1000.0);
        const auto out = run (delay, impulse (2, expected + 100));
        for (int ch = 0; ch < 2; ++ch)
        {
            EXPECT_NEAR (out.getSample (ch, expected), 1.0f, 1.0e-6f) << c.rate << " Hz, " << c.ms << " ms";
            EXPECT_NEAR (out.getMagnitude (ch, 0, expected), 0.0f, 1.0e-6f);
        }
    }

    DelayModule fractional; // 10.5 samples: the echo is split over two samples
    fractional.enabled = true;
    fractional.timeMs = 10.5f * 1000.0f / 48000.0f;
    fractional.mix = 1.0f;
    fractional.feedback = 0.0f;
    fractional.prepare ({ 48000.0, 512, 1 });
    const auto out = run (fractional, impulse (1, 64));
    EXPECT_NEAR (out.getSample (0, 10), 0.5f, 1.0e-3f);
    EXPECT_NEAR (out.getSample (0, 11), 0.5f, 1.0e-3f);
}

TEST (DelayModule, MaximumFeedbackDecays)
{
    DelayModule delay;
    delay.enabled = true;
    delay.timeMs = 10.0f;
    delay.mix = 1.0f;
    delay.feedback = 0.95f;
    delay.prepare ({ 48000.0, 512, 1 });
    const auto out = run (delay, impulse (1, 48000 * 4));
    const float early = out.getMagnitude (0, 0, 4800);
    const float late = out.getMagnitude (0, 48000 * 3, 48000);
    EXPECT_LT (late, early * 0.01f);
    EXPECT_NEAR (out.getSample (0, 960), 0.95f, 1.0e-5f) << "second echo at 0.95";

    delay.enabled = false;
    const auto input = noise (1, 1024);
    EXPECT_EQ (maxDifferenceDelayed (input, run (delay, input), 0), 0.0f) << "cut at once when off";
}

TEST (ChorusModule, ModeMovesTheCentreDelayAndTheWetSignal)
{
    ChorusModule chorus;
    chorus.enabled = true;
    chorus.mix = 1.0f;
    chorus.depth = 0.0f;
    chorus.feedback = 0.0f;
    chorus.prepare ({ 48000.0, 512, 1 });
    EXPECT_FLOAT_EQ (chorus.centreDelayMs(), 8.0f);

    const auto arrival = [&chorus]
    {
        chorus.reset();
        const auto out = run (chorus, impulse (1, 4800));
        int peak = 0;
        for (int i = 0; i < out.getNumSamples(); ++i)
            if (std::abs (out.getSample (0, i)) > std::abs (out.getSample (0, peak)))
                peak = i;
        return peak;
    };
    // The mix ramps in; run once to settle, then measure.
    run (chorus, silence (1, 4800));
    EXPECT_NEAR (arrival(), 0.008 * 48000.0, 2.0);

    chorus.flanger = true;
    run (chorus, silence (1, 512));
    EXPECT_FLOAT_EQ (chorus.centreDelayMs(), 1.6f);
    EXPECT_NEAR (arrival(), 0.0016 * 48000.0, 2.0);
}

TEST (ReverbModule, FreezeKeepsRingingAndOtherLayoutsStayDry)
{
    ReverbModule reverb;
    reverb.enabled = true;
    reverb.mix = 1.0f;
    reverb.prepare ({ 48000.0, 512, 3 });
    run (reverb, noise (2, 9600));
    reverb.freeze = true;
    run (reverb, noise (2, 4800));
    const auto frozen = run (reverb, silence (2, 48000 * 3));
    EXPECT_GT (frozen.getRMSLevel (0, 48000 * 2, 48000), 0.5f * frozen.getRMSLevel (0, 0, 48000));

    reverb.freeze = false;
    run (reverb, silence (2, 48000 * 4));
    EXPECT_LT (run (reverb, silence (2, 4800)).getMagnitude (0, 4800), 1.0e-3f) << "decays once unfrozen";

    const auto three = noise (3, 1024);
    EXPECT_EQ (maxDifferenceDelayed (three, run (reverb, three), 0), 0.0f);

    ReverbModule mono;
    mono.enabled = true;
    mono.mix = 1.0f;
    mono.prepare ({ 48000.0, 512, 1 });
    const auto wet = run (mono, impulse (1, 9600));
    EXPECT_GT (wet.getRMSLevel (0, 2400, 7200), 1.0e-4f) << "the mono path makes a tail";
}
