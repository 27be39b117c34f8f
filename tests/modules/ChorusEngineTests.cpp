#include "modules/ChorusEngine.h"

#include <gtest/gtest.h>

#include <random>

TEST (ChorusEngine, MatchesTheFrameworksChorusSampleForSample)
{
    const struct
    {
        double sampleRate;
        int channels, blockSize;
    } cases[] = { { 48000.0, 2, 512 }, { 44100.0, 1, 441 }, { 8000.0, 2, 7 }, { 192000.0, 2, 4096 }, { 96000.0, 1, 1 } };

    for (const auto& c : cases)
    {
        const juce::dsp::ProcessSpec spec { c.sampleRate, (juce::uint32) c.blockSize, (juce::uint32) c.channels };
        ChorusEngine ours;
        juce::dsp::Chorus<float> theirs;
        ours.prepare (spec);
        theirs.prepare (spec);

        std::minstd_rand random (11);
        std::uniform_real_distribution<float> noise (-0.5f, 0.5f);
        juce::AudioBuffer<float> a (c.channels, c.blockSize), b (c.channels, c.blockSize);
        float worst = 0.0f;
        // One second, with the settings moving every few blocks through chorus and flanger
        // delays, so every glide and the feedback's sign change are exercised.
        for (int done = 0, block = 0; done < (int) c.sampleRate; done += c.blockSize, ++block)
        {
            const float rate = 0.05f + 1.5f * (float) (block / 5 % 6);
            const float depth = 1.0f - 0.3f * (float) (block / 7 % 4);
            const float centre = block / 9 % 2 == 0 ? 8.0f : 1.6f;
            const float feedback = -0.8f + 0.4f * (float) (block / 4 % 5);
            const float mix = 0.2f * (float) (block / 3 % 6);
            ours.setSettings ({ rate, depth, centre, feedback, mix });
            theirs.setCentreDelay (centre);
            theirs.setRate (rate);
            theirs.setDepth (depth);
            theirs.setFeedback (feedback);
            theirs.setMix (mix);
            if (block == 40)
            {
                ours.reset();
                theirs.reset();
            }

            for (int ch = 0; ch < c.channels; ++ch)
                for (int i = 0; i < c.blockSize; ++i)
                    a.setSample (ch, i, noise (random));
            b.makeCopyOf (a);
            ours.process (juce::dsp::AudioBlock<float> (a));
            juce::dsp::AudioBlock<float> theirBlock (b);
            theirs.process (juce::dsp::ProcessContextReplacing<float> (theirBlock));
            for (int ch = 0; ch < c.channels; ++ch)
                for (int i = 0; i < c.blockSize; ++i)
                    worst = juce::jmax (worst, std::abs (a.getSample (ch, i) - b.getSample (ch, i)));
        }
        EXPECT_EQ (worst, 0.0f) << c.sampleRate << " Hz, " << c.channels << " channels, blocks of " << c.blockSize;
    }
}
