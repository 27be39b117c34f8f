#include "modules/HalfBandOversampler.h"

#include <gtest/gtest.h>

#include <random>

// The oversampler against the framework's, which it reproduces: same designs, same per-sample
// operations, same fractional delay, so up, a curve at the raised rate and down give the same
// samples exactly.
TEST (HalfBandOversampler, MatchesTheFrameworksOversampling)
{
    using Stage = HalfBandOversampler::Stage;
    constexpr Stage first { 0.05f, -90.0f, 0.06f, -75.0f }, second { 0.10f, -80.0f, 0.12f, -65.0f };
    const struct
    {
        int channels, stages, blockSize;
    } cases[] = { { 2, 2, 512 }, { 2, 1, 512 }, { 1, 2, 64 }, { 1, 1, 7 }, { 2, 2, 1 }, { 2, 2, 333 } };

    for (const auto& c : cases)
    {
        HalfBandOversampler ours;
        juce::dsp::Oversampling<float> theirs ((size_t) c.channels);
        std::initializer_list<Stage> both { first, second }, one { first };
        ours.prepare (c.channels, c.stages == 2 ? both : one, c.blockSize);
        for (const auto& s : c.stages == 2 ? both : one)
            theirs.addOversamplingStage (juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, s.widthUp, s.stopUp,
                                         s.widthDown, s.stopDown);
        theirs.setUsingIntegerLatency (true);
        theirs.initProcessing ((size_t) c.blockSize);
        ASSERT_EQ (ours.getLatencyInSamples(), (double) theirs.getLatencyInSamples());
        ASSERT_EQ (ours.getFactor(), (int) theirs.getOversamplingFactor());

        std::minstd_rand random (3);
        std::uniform_real_distribution<float> noise (-1.5f, 1.5f);
        juce::AudioBuffer<float> a (c.channels, c.blockSize), b (c.channels, c.blockSize);
        float worst = 0.0f;
        for (int block = 0; block < 24000 / c.blockSize + 3; ++block)
        {
            for (int ch = 0; ch < c.channels; ++ch)
                for (int i = 0; i < c.blockSize; ++i)
                    a.setSample (ch, i, block % 9 == 8 ? 0.0f : noise (random)); // silent blocks reach the snap to zero
            b.makeCopyOf (a);

            juce::dsp::AudioBlock<float> blockA (a), blockB (b);
            for (auto raised : { ours.processSamplesUp (blockA), theirs.processSamplesUp (blockB) })
                for (size_t ch = 0; ch < raised.getNumChannels(); ++ch)
                    for (size_t i = 0; i < raised.getNumSamples(); ++i)
                        raised.setSample ((int) ch, (int) i, std::tanh (2.0f * raised.getSample ((int) ch, (int) i)));
            ours.processSamplesDown (blockA);
            theirs.processSamplesDown (blockB);

            for (int ch = 0; ch < c.channels; ++ch)
                for (int i = 0; i < c.blockSize; ++i)
                    worst = juce::jmax (worst, std::abs (a.getSample (ch, i) - b.getSample (ch, i)));
        }
        EXPECT_EQ (worst, 0.0f) << c.channels << " channels, " << c.stages << " stages, blocks of " << c.blockSize;

        ours.reset();
        theirs.reset();
    }
}
