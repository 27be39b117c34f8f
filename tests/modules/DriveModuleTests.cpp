#include "modules/DriveModule.h"
#include "modules/DriveCurves.h"
#include "support/FrequencyAnalysis.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
constexpr double rate = 48000.0;
constexpr int block = 512;

struct Drive
{
    explicit Drive (int quality, int channels = 1)
    {
        module.quality = quality;
        module.prepare ({ rate, (juce::uint32) block, (juce::uint32) channels });
    }

    juce::AudioBuffer<float> run (const juce::AudioBuffer<float>& input)
    {
        juce::AudioBuffer<float> out (input);
        for (int start = 0; start < out.getNumSamples(); start += block)
        {
            juce::AudioBuffer<float> view (out.getArrayOfWritePointers(), out.getNumChannels(), start,
                                           juce::jmin (block, out.getNumSamples() - start));
            module.process (view, {});
        }
        return out;
    }

    DriveModule module;
};

juce::AudioBuffer<float> silence (int samples, int channels = 1)
{
    juce::AudioBuffer<float> b (channels, samples);
    b.clear();
    return b;
}

juce::AudioBuffer<float> sine (float frequency, float amplitude, int samples)
{
    juce::AudioBuffer<float> b (1, samples);
    for (int i = 0; i < samples; ++i)
        b.setSample (0, i, amplitude * std::sin (juce::MathConstants<float>::twoPi * frequency * (float) i / (float) rate));
    return b;
}

int peakIndex (const juce::AudioBuffer<float>& b)
{
    int best = 0;
    for (int i = 1; i < b.getNumSamples(); ++i)
        if (std::abs (b.getSample (0, i)) > std::abs (b.getSample (0, best)))
            best = i;
    return best;
}

// Level of the strongest component that is not a harmonic of the fundamental, relative to the fundamental.
float strongestAliasDb (const juce::AudioBuffer<float>& signal, int from, float fundamental)
{
    constexpr int order = 14;
    const auto spectrum = magnitudeSpectrum (signal.getReadPointer (0, from), order);
    const float binHz = (float) rate / (float) (1 << order);
    const int guard = 6; // the window's main lobe
    const float fundamentalLevel = spectrum[(size_t) std::lround (fundamental / binHz)];

    float worst = 0.0f;
    for (size_t bin = (size_t) guard; bin < spectrum.size(); ++bin)
    {
        const float hz = (float) bin * binHz;
        const float nearestHarmonic = std::round (hz / fundamental) * fundamental;
        if (std::abs (hz - nearestHarmonic) > (float) guard * binHz)
            worst = juce::jmax (worst, spectrum[bin]);
    }
    return decibels (worst / fundamentalLevel);
}
} // namespace

TEST (DriveModule, LatencyIsTheUltraPathsWhateverTheQuality)
{
    Drive eco (0), ultra (2);
    EXPECT_GT (eco.module.getLatencySamples(), 0);
    EXPECT_EQ (eco.module.getLatencySamples(), ultra.module.getLatencySamples());
}

TEST (DriveModule, IdleModuleDelaysByExactlyItsLatency)
{
    for (int quality : { 0, 1, 2 })
    {
        Drive drive (quality, 2);
        drive.module.enabled = false;
        const auto input = noise (2, 3000);
        EXPECT_EQ (maxDifferenceDelayed (input, drive.run (input), drive.module.getLatencySamples()), 0.0f) << quality;
    }
}

TEST (DriveModule, WetSignalArrivesAtTheSamePlaceAtEveryQuality)
{
    // Below the clipping point the Hard curve is the identity, so a fully wet module must
    // give back its input delayed by exactly the module latency, whatever the quality.
    const auto input = sine (500.0f, 0.3f, 9600);
    for (int quality : { 0, 1, 2 })
    {
        Drive drive (quality);
        drive.module.enabled = true;
        drive.module.mix = 1.0f;
        drive.module.driveDb = 0.0f;
        drive.module.shape = DriveModule::hard;
        drive.run (silence (4800)); // past the 20 ms fade-in

        const auto out = drive.run (input);
        const int latency = drive.module.getLatencySamples();
        float worst = 0.0f;
        for (int i = 2400; i < out.getNumSamples(); ++i)
            worst = juce::jmax (worst, std::abs (out.getSample (0, i) - input.getSample (0, i - latency)));
        EXPECT_LT (worst, 0.01f) << "quality " << quality;

        auto impulse = silence (2048);
        impulse.setSample (0, 100, 0.5f);
        EXPECT_NEAR (peakIndex (drive.run (impulse)) - 100, latency, 1) << "quality " << quality;
    }
}

TEST (DriveModule, CurvesAndGainLimits)
{
    EXPECT_FLOAT_EQ (DriveModule::shapeSample (DriveModule::fold, 5.0f), std::asin (std::sin (3.0f)));
    EXPECT_FLOAT_EQ (DriveModule::shapeSample (DriveModule::fold, -5.0f), std::asin (std::sin (-3.0f)));
    EXPECT_FLOAT_EQ (DriveModule::shapeSample (DriveModule::hard, 2.0f), 1.0f);
    EXPECT_FLOAT_EQ (DriveModule::shapeSample (DriveModule::soft, 0.5f), std::tanh (0.5f));
    EXPECT_FLOAT_EQ (DriveModule::shapeSample (DriveModule::tube, 1.0f), std::atan (1.8f) * 2.0f / juce::MathConstants<float>::pi);

    const auto render = [] (float dB)
    {
        Drive drive (1);
        drive.module.enabled = true;
        drive.module.shape = DriveModule::soft;
        drive.module.driveDb = dB;
        return drive.run (sine (220.0f, 0.1f, 9600));
    };
    EXPECT_EQ (maxDifferenceDelayed (render (36.0f), render (60.0f), 0), 0.0f);
    EXPECT_EQ (maxDifferenceDelayed (render (0.0f), render (-12.0f), 0), 0.0f);
}

TEST (DriveModule, QualityChangeCrossfadesFromTheOldQualityToTheNew)
{
    const auto input = sine (100.0f, 0.2f, 48000);
    const auto settled = [&input] (int quality)
    {
        auto d = std::make_unique<Drive> (quality);
        d->module.enabled = true;
        d->module.mix = 1.0f;
        d->module.driveDb = 24.0f;
        d->module.shape = DriveModule::hard;
        d->run (input);
        return d;
    };
    auto changed = settled (1);
    auto stayed = settled (1);
    auto target = settled (2);

    changed->module.quality = 2;
    const auto out = changed->run (input);
    const auto old = stayed->run (input);
    const auto next = target->run (input);

    // It starts on the old quality's sound, not on the dry signal, and ends on the new one's.
    EXPECT_NEAR (out.getSample (0, 0), old.getSample (0, 0), 1.0e-3f);
    float afterFade = 0.0f;
    for (int i = 1000; i < 4000; ++i)
        afterFade = juce::jmax (afterFade, std::abs (out.getSample (0, i) - next.getSample (0, i)));
    EXPECT_LT (afterFade, 1.0e-3f) << "from 20 ms on";
    // The steepest slope of the clipped 100 Hz sine is about 0.042 per sample; a jump would be many times that.
    float largestStep = 0.0f;
    for (int i = 1; i < 1200; ++i)
        largestStep = juce::jmax (largestStep, std::abs (out.getSample (0, i) - out.getSample (0, i - 1)));
    EXPECT_LT (largestStep, 0.06f);
}

TEST (DriveModule, OversamplingSuppressesAliases)
{
    float aliasDb[3] {};
    for (int quality : { 0, 1, 2 })
    {
        Drive drive (quality);
        drive.module.enabled = true;
        drive.module.mix = 1.0f;
        drive.module.driveDb = 36.0f;
        drive.module.shape = DriveModule::hard;
        const auto out = drive.run (sine (5000.0f, 0.5f, 24000));
        aliasDb[quality] = strongestAliasDb (out, 4800, 5000.0f);
    }
    RecordProperty ("aliasEcoDb", juce::String (aliasDb[0], 1).toStdString());
    RecordProperty ("aliasHqDb", juce::String (aliasDb[1], 1).toStdString());
    RecordProperty ("aliasUltraDb", juce::String (aliasDb[2], 1).toStdString());
    std::cout << "strongest alias re fundamental: ECO " << aliasDb[0] << " dB, HQ " << aliasDb[1] << " dB, ULTRA "
              << aliasDb[2] << " dB" << std::endl;
    // A hard-clipped sine is close to a square wave, whose harmonics fall only as 1/n: the
    // strongest alias left is the first harmonic that folds back past the oversampled band.
    EXPECT_LT (aliasDb[1], aliasDb[0] - 6.0f);
    EXPECT_LT (aliasDb[2], aliasDb[1] - 6.0f);
}

TEST (DriveCurves, FollowTheLibraryFunctionsEverywhere)
{
    float worstTanh = 0.0f, worstAtan = 0.0f;
    float worstFold = 0.0f;
    for (int i = -2000000; i <= 2000000; ++i)
    {
        const float x = (float) i * 1.0e-5f; // -20 to 20 in steps of 1e-5
        worstTanh = std::max (worstTanh, std::abs (rationalTanh (x) - std::tanh (x)));
        worstAtan = std::max (worstAtan, std::abs (polynomialAtan (x) - std::atan (x)));
        const float clamped = juce::jlimit (-3.0f, 3.0f, x);
        worstFold = std::max (worstFold, std::abs (foldBack (x) - std::asin (std::sin (clamped))));
    }
    EXPECT_LT (worstTanh, 5.0e-7f);
    EXPECT_LT (worstAtan, 5.0e-7f);
    EXPECT_LT (worstFold, 2.0e-6f);
    EXPECT_FLOAT_EQ (polynomialAtan (1.0e30f), juce::MathConstants<float>::halfPi);
    EXPECT_EQ (polynomialAtan (0.0f), 0.0f);
    EXPECT_EQ (rationalTanh (0.0f), 0.0f);
    EXPECT_FLOAT_EQ (rationalTanh (1.0e30f), 1.0f);
    EXPECT_FLOAT_EQ (rationalTanh (-std::numeric_limits<float>::infinity()), -1.0f);
}
