#include "modules/FormantModule.h"
#include "support/FrequencyAnalysis.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
FormantModule preparedFormant (double rate, int channels, float shift, float tone = 0.5f)
{
    FormantModule m;
    m.enabled = true;
    m.shift = shift;
    m.tone = tone;
    m.mix = 1.0f;
    m.prepare ({ rate, 512, (juce::uint32) channels });
    return m;
}

void processInPlace (EffectModule& m, juce::AudioBuffer<float>& buffer, int blockSize = 512)
{
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start,
                                       juce::jmin (blockSize, buffer.getNumSamples() - start));
        m.process (view, {});
    }
}

juce::AudioBuffer<float> run (EffectModule& m, juce::AudioBuffer<float> buffer, int blockSize = 512)
{
    processInPlace (m, buffer, blockSize);
    return buffer;
}

// A sung vowel stand-in: a 150 Hz pulse train through one resonance at 600 Hz.
juce::AudioBuffer<float> vowel (double rate, int samples)
{
    juce::AudioBuffer<float> b (1, samples);
    b.clear();
    const int period = juce::roundToInt (rate / 150.0);
    for (int i = 0; i < samples; i += period)
        b.setSample (0, i, 1.0f);

    juce::dsp::IIR::Filter<float> resonance (juce::dsp::IIR::Coefficients<float>::makeBandPass (rate, 600.0, 3.0));
    for (int i = 0; i < samples; ++i)
        b.setSample (0, i, resonance.processSample (b.getSample (0, i)));
    return b;
}

// The frequency of the strongest harmonic of 150 Hz, which tells where the formant sits.
double strongestHarmonic (const juce::AudioBuffer<float>& b, int from, double rate)
{
    constexpr int order = 15;
    const auto spectrum = magnitudeSpectrum (b.getReadPointer (0, from), order);
    const double binWidth = rate / (1 << order);
    double best = 0.0, bestLevel = 0.0;
    for (int h = 1; h * 150.0 < 5000.0; ++h)
    {
        const auto bin = (size_t) juce::roundToInt (h * 150.0 / binWidth);
        const float level = *std::max_element (spectrum.begin() + (long) bin - 2, spectrum.begin() + (long) bin + 3);
        if (level > bestLevel)
            std::tie (best, bestLevel) = std::make_tuple (h * 150.0, (double) level);
    }
    return best;
}

// Normalised autocorrelation at a lag: near 1 where the signal repeats with that period.
double similarityAtLag (const juce::AudioBuffer<float>& b, int from, int length, int lag)
{
    const float* x = b.getReadPointer (0, from);
    double cross = 0.0, early = 0.0, late = 0.0;
    for (int i = 0; i < length; ++i)
    {
        cross += (double) x[i] * x[i + lag];
        early += (double) x[i] * x[i];
        late += (double) x[i + lag] * x[i + lag];
    }
    return cross / std::sqrt (early * late + 1.0e-30);
}
} // namespace

TEST (FormantModule, FftSizeAndLatencyFollowTheSampleRate)
{
    struct Case { double rate; int size; };
    for (const auto& c : { Case { 8000.0, 512 }, Case { 29999.0, 512 }, Case { 30000.0, 1024 }, Case { 44100.0, 1024 },
                           Case { 71999.0, 1024 }, Case { 72000.0, 2048 }, Case { 96000.0, 2048 },
                           Case { 144000.0, 4096 }, Case { 192000.0, 4096 }, Case { 0.0, 1024 }, Case { -44100.0, 1024 },
                           Case { std::numeric_limits<double>::quiet_NaN(), 1024 },
                           Case { std::numeric_limits<double>::infinity(), 1024 } })
    {
        EXPECT_EQ (FormantProcessor::fftSizeFor (c.rate), c.size) << c.rate;
        if (std::isfinite (c.rate) && c.rate > 0.0)
        {
            EXPECT_EQ (preparedFormant (c.rate, 2, 0.0f).getLatencySamples(), c.size) << c.rate;
        }
    }
    EXPECT_EQ (FormantModule().getLatencySamples(), 1024) << "before the first prepare";
}

TEST (FormantModule, NoShiftDelaysTheInputByOneFftSize)
{
    for (double rate : { 44100.0, 96000.0, 22050.0 })
        for (float tone : { 0.0f, 1.0f })
        {
            auto formant = preparedFormant (rate, 2, 0.0f, tone);
            const int n = formant.getLatencySamples();
            const auto input = noise (2, 6 * n);
            const auto output = run (formant, input, 333);
            EXPECT_LT (maxDifferenceDelayed (input, output, n), 1.0e-4f) << rate << " tone " << tone;
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < n; ++i)
                    ASSERT_EQ (output.getSample (ch, i), 0.0f) << "no frame before the first full window";
        }
}

TEST (FormantModule, ShiftMovesTheFormantButKeepsThePitch)
{
    constexpr double rate = 48000.0;
    const auto input = vowel (rate, 3 * 48000);
    const int settled = 24000;
    EXPECT_EQ (strongestHarmonic (input, settled, rate), 600.0);

    struct Case { float shift; double lowest, highest; };
    for (const auto& c : { Case { 12.0f, 1050.0, 1350.0 }, Case { -12.0f, 150.0, 450.0 } })
    {
        auto formant = preparedFormant (rate, 1, c.shift);
        const auto output = run (formant, input);
        const double peak = strongestHarmonic (output, settled + 1024, rate);
        EXPECT_GE (peak, c.lowest) << c.shift;
        EXPECT_LE (peak, c.highest) << c.shift;
        const int from = settled + 1024;
        // Still periodic at 150 Hz, so the pitch did not fall; not at 300 Hz, so it did not rise
        // (a 300 Hz formant makes half-period similarity natural, so that check is for the upward shift).
        EXPECT_GT (similarityAtLag (output, from, 8192, 320), 0.95) << c.shift;
        if (c.shift > 0.0f)
        {
            EXPECT_LT (similarityAtLag (output, from, 8192, 160), 0.5);
        }
    }
}

TEST (FormantModule, SilenceStaysSilentAtFullShift)
{
    auto formant = preparedFormant (48000.0, 2, 12.0f, 1.0f);
    juce::AudioBuffer<float> silence (2, 8192);
    silence.clear();
    const auto output = run (formant, silence);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < output.getNumSamples(); ++i)
            ASSERT_EQ (output.getSample (ch, i), 0.0f);
}

TEST (FormantModule, MoreChannelsThanPreparedPassUnchanged)
{
    auto formant = preparedFormant (48000.0, 1, 12.0f);
    const auto input = noise (2, 4096);
    const auto output = run (formant, input);
    EXPECT_EQ (maxDifferenceDelayed (input, output, 0), 0.0f);
}

TEST (FormantModule, SwitchedOffItFadesOutAndLeavesTheDelayedDrySignal)
{
    constexpr double rate = 48000.0;
    auto formant = preparedFormant (rate, 2, 12.0f);
    const int n = formant.getLatencySamples();
    const auto input = noise (2, 2 * 48000);

    auto output = input;
    juce::AudioBuffer<float> shifting (output.getArrayOfWritePointers(), 2, 0, 48000);
    juce::AudioBuffer<float> after (output.getArrayOfWritePointers(), 2, 48000, 48000);
    processInPlace (formant, shifting);
    formant.enabled = false;
    processInPlace (formant, after);

    // The wet share ramps out over 35 ms; one more FFT size drains the overlap-add.
    const int quiet = (int) std::floor (0.035 * rate) + n + 1;
    float largestDifference = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = quiet; i < after.getNumSamples(); ++i)
            largestDifference = juce::jmax (largestDifference,
                                            std::abs (after.getSample (ch, i) - input.getSample (ch, 48000 + i - n)));
    EXPECT_EQ (largestDifference, 0.0f);

    float earlyDifference = 0.0f;
    for (int i = 0; i < 256; ++i)
        earlyDifference = juce::jmax (earlyDifference, std::abs (after.getSample (0, i) - input.getSample (0, 48000 + i - n)));
    EXPECT_GT (earlyDifference, 0.01f) << "the wet share fades rather than cutting off";
}
