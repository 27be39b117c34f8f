#include "Dither.h"
#include "RenderTestSupport.h"

#include <juce_dsp/juce_dsp.h>

#include <cmath>
#include <limits>

namespace
{
juce::AudioBuffer<float> sine (int channels, int frames, double cyclesPerSample, double peak)
{
    juce::AudioBuffer<float> b (channels, frames);
    for (int i = 0; i < frames; ++i)
        for (int ch = 0; ch < channels; ++ch)
            b.setSample (ch, i, (float) (peak * std::sin (juce::MathConstants<double>::twoPi * cyclesPerSample * i)));
    return b;
}

juce::AudioBuffer<float> dithered (juce::AudioBuffer<float> signal, int bits, juce::int64 seed)
{
    Dither dither (signal.getNumChannels(), bits, seed);
    dither.process (signal, 0, signal.getNumSamples());
    return signal;
}

// Rounding to the grid with no dither, the case dither exists to fix.
juce::AudioBuffer<float> rounded (juce::AudioBuffer<float> signal, int bits)
{
    const double codes = std::ldexp (1.0, bits - 1);
    for (int ch = 0; ch < signal.getNumChannels(); ++ch)
        for (int i = 0; i < signal.getNumSamples(); ++i)
            signal.setSample (ch, i, (float) (std::round (signal.getSample (ch, i) * codes) / codes));
    return signal;
}

struct Moments
{
    double mean = 0.0, variance = 0.0;
};

Moments momentsOf (const std::vector<double>& values)
{
    Moments m;
    for (const double v : values)
        m.mean += v;
    m.mean /= (double) values.size();
    for (const double v : values)
        m.variance += (v - m.mean) * (v - m.mean);
    m.variance /= (double) values.size();
    return m;
}
} // namespace

TEST (Dither, ErrorHasZeroMeanAndAQuarterLsbSquaredWhateverTheSignalValue)
{
    // Rounding alone leaves an error of variance 1/12 LSB^2 that depends on where the sample
    // falls between two steps; triangular dither adds 1/6 and takes that dependence away, so
    // every stretch of the grid sees mean 0 and variance 1/4.
    constexpr int fractionBins = 8;

    for (const int bits : { 16, 24 })
    {
        SCOPED_TRACE (bits);
        const auto signal = sine (1, 1 << 20, 997.0 / 48000.0, 0.3);
        const auto output = dithered (signal, bits, 1234);
        const double codes = std::ldexp (1.0, bits - 1);

        std::vector<double> all;
        std::vector<std::vector<double>> byFraction (fractionBins);
        double largest = 0.0;
        for (int i = 0; i < signal.getNumSamples(); ++i)
        {
            const double scaled = (double) signal.getSample (0, i) * codes;
            const double error = (double) output.getSample (0, i) * codes - scaled;
            all.push_back (error);
            byFraction[(size_t) ((scaled - std::floor (scaled)) * fractionBins)].push_back (error);
            largest = juce::jmax (largest, std::abs (error));
        }

        const auto overall = momentsOf (all);
        EXPECT_NEAR (overall.mean, 0.0, 0.003);
        EXPECT_NEAR (overall.variance, 0.25, 0.0025);
        EXPECT_LE (largest, 1.5);

        // At 24 bits a float this loud lands on quarter steps only, so some bins stay empty.
        for (int bin = 0; bin < fractionBins; ++bin)
        {
            if (byFraction[(size_t) bin].size() < 1000)
                continue;
            const auto part = momentsOf (byFraction[(size_t) bin]);
            EXPECT_NEAR (part.mean, 0.0, 0.01) << "bin " << bin;
            EXPECT_NEAR (part.variance, 0.25, 0.01) << "bin " << bin;
        }
    }
}

TEST (Dither, QuietSineShowsNoHarmonicsUnlikePlainRounding)
{
    // A -90 dBFS sine (about one 16-bit step) at bin 341 of a 16384-point FFT, 999 Hz at
    // 48 kHz: whole cycles, so the sine and its harmonics fall on bins with no window. Power
    // is averaged over 8 frames.
    constexpr int order = 14, size = 1 << order, frames = 8, fundamentalBin = 341;
    const auto signal = sine (1, size * frames, (double) fundamentalBin / size, juce::Decibels::decibelsToGain (-90.0));

    // Each harmonic's power over the mean of the bins that are neither DC nor a harmonic.
    const auto harmonicsOverFloorDb = [&] (const juce::AudioBuffer<float>& quantised)
    {
        juce::dsp::FFT fft (order);
        std::vector<double> power ((size_t) size / 2, 0.0);
        std::vector<float> data ((size_t) size * 2);
        for (int f = 0; f < frames; ++f)
        {
            std::fill (data.begin(), data.end(), 0.0f);
            std::copy_n (quantised.getReadPointer (0, f * size), size, data.begin());
            fft.performFrequencyOnlyForwardTransform (data.data());
            for (size_t k = 0; k < power.size(); ++k)
                power[k] += (double) data[k] * data[k] / frames;
        }

        double floor = 0.0;
        int floorBins = 0;
        for (size_t k = 1; k < power.size(); ++k)
            if (k % fundamentalBin != 0)
            {
                floor += power[k];
                ++floorBins;
            }
        floor /= floorBins;

        std::vector<double> overFloorDb;
        for (int h = 1; h * fundamentalBin < size / 2; ++h)
            overFloorDb.push_back (10.0 * std::log10 (power[(size_t) (h * fundamentalBin)] / floor));
        return overFloorDb;
    };

    const auto withDither = harmonicsOverFloorDb (dithered (signal, 16, 99));
    EXPECT_GT (withDither[0], 30.0) << "the sine itself stays";
    for (size_t h = 1; h < withDither.size(); ++h)
        EXPECT_LT (withDither[h], 6.0) << "harmonic " << h + 1;

    // Without dither the error follows the sine: every odd harmonic stands far out of a floor
    // that is itself made of harmonics folded back.
    const auto withoutDither = harmonicsOverFloorDb (rounded (signal, 16));
    for (size_t h = 2; h < withoutDither.size(); h += 2)
        EXPECT_GT (withoutDither[h], 20.0) << "harmonic " << h + 1;
}

TEST (Dither, OutputLiesOnTheGridAndClipsToTheIntegerRange)
{
    // Over full scale on both sides, with bad samples.
    auto signal = sine (2, 48000, 440.0 / 48000.0, 1.3);
    signal.setSample (0, 100, std::numeric_limits<float>::quiet_NaN());
    signal.setSample (1, 200, std::numeric_limits<float>::infinity());
    signal.setSample (1, 300, -std::numeric_limits<float>::infinity());

    for (const int bits : { 16, 24 })
    {
        SCOPED_TRACE (bits);
        const auto output = dithered (signal, bits, 5);
        const double codes = std::ldexp (1.0, bits - 1);

        double lowest = 0.0, highest = 0.0;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < output.getNumSamples(); ++i)
            {
                const double code = (double) output.getSample (ch, i) * codes;
                ASSERT_EQ (code, std::round (code)) << ch << ":" << i;
                lowest = juce::jmin (lowest, code);
                highest = juce::jmax (highest, code);
            }
        EXPECT_EQ (lowest, -codes);
        EXPECT_EQ (highest, codes - 1.0);
        EXPECT_LE (std::abs (output.getSample (0, 100)) * codes, 1.0) << "NaN is silence, dithered";
        EXPECT_EQ (output.getSample (1, 200) * codes, codes - 1.0);
        EXPECT_EQ (output.getSample (1, 300) * codes, -codes);
    }
}

TEST (Dither, SameSeedSameOutputInAnyBlocksAndAnotherSeedOtherNoise)
{
    const auto signal = sine (2, 20000, 0.0123, 0.01);
    const auto whole = dithered (signal, 16, 42);

    // Batch and single renders must write the same file, however the audio is cut.
    for (const int blockSize : { 1, 100, 4096 })
    {
        auto inBlocks = signal;
        Dither dither (2, 16, 42);
        for (int start = 0; start < inBlocks.getNumSamples(); start += blockSize)
            dither.process (inBlocks, start, juce::jmin (blockSize, inBlocks.getNumSamples() - start));
        EXPECT_EQ (render_testing::countDifferences (inBlocks, whole), 0) << blockSize;
    }

    // Another seed, and the other channel of the same signal, get noise of their own: over a
    // quarter of the samples land on another step.
    const auto otherSeed = dithered (signal, 16, 43);
    EXPECT_GT (render_testing::countDifferences (otherSeed, whole), 2 * signal.getNumSamples() / 4);

    int channelsDiffer = 0;
    for (int i = 0; i < whole.getNumSamples(); ++i)
        channelsDiffer += whole.getSample (0, i) != whole.getSample (1, i) ? 1 : 0;
    EXPECT_GT (channelsDiffer, signal.getNumSamples() / 4);
}
