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

// A sung vowel stand-in: a 150 Hz pulse train through two resonances, at 600 and 1800 Hz.
juce::AudioBuffer<float> vowel (double rate, int samples)
{
    juce::AudioBuffer<float> pulses (1, samples), b (1, samples);
    pulses.clear();
    const int period = juce::roundToInt (rate / 150.0);
    for (int i = 0; i < samples; i += period)
        pulses.setSample (0, i, 1.0f);

    using Coefficients = juce::dsp::IIR::Coefficients<float>;
    juce::dsp::IIR::Filter<float> first (Coefficients::makeBandPass (rate, 600.0, 4.0));
    juce::dsp::IIR::Filter<float> second (Coefficients::makeBandPass (rate, 1800.0, 6.0));
    for (int i = 0; i < samples; ++i)
    {
        const float x = pulses.getSample (0, i);
        b.setSample (0, i, first.processSample (x) + 0.7f * second.processSample (x));
    }
    return b;
}

// Levels in dB of the harmonics of 150 Hz up to 4.95 kHz; element h - 1 is harmonic h.
std::vector<double> harmonicLevels (const juce::AudioBuffer<float>& b, int from, double rate)
{
    constexpr int order = 15;
    const auto spectrum = magnitudeSpectrum (b.getReadPointer (0, from), order);
    const double binWidth = rate / (1 << order);
    std::vector<double> levels;
    for (int h = 1; h * 150.0 < 5000.0; ++h)
    {
        const auto bin = (long) juce::roundToInt (h * 150.0 / binWidth);
        levels.push_back (decibels (*std::max_element (spectrum.begin() + bin - 2, spectrum.begin() + bin + 3)));
    }
    return levels;
}

// The levels as they would be with every frequency scaled by `ratio`, read by linear interpolation.
std::vector<double> scaledInFrequency (const std::vector<double>& levels, double ratio)
{
    std::vector<double> scaled;
    const double last = (double) levels.size() - 1.0;
    for (size_t i = 0; i < levels.size(); ++i)
    {
        const double source = juce::jlimit (0.0, last, ((double) i + 1.0) / ratio - 1.0);
        const auto below = (size_t) source;
        const auto above = juce::jmin (below + 1, levels.size() - 1);
        scaled.push_back (levels[below] + (source - (double) below) * (levels[above] - levels[below]));
    }
    return scaled;
}

// Pearson correlation over harmonics 2 to 30 (300 Hz to 4.5 kHz).
double correlation (const std::vector<double>& a, const std::vector<double>& b)
{
    double meanA = 0.0, meanB = 0.0;
    constexpr size_t first = 1, last = 30;
    for (size_t i = first; i < last; ++i)
    {
        meanA += a[i];
        meanB += b[i];
    }
    meanA /= (double) (last - first);
    meanB /= (double) (last - first);
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (size_t i = first; i < last; ++i)
    {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return ab / std::sqrt (aa * bb + 1.0e-30);
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

TEST (FormantModule, ShiftMovesTheFormantsButKeepsThePitch)
{
    constexpr double rate = 48000.0;
    const auto input = vowel (rate, 3 * 48000);
    const int settled = 24000;
    const auto before = harmonicLevels (input, settled, rate);

    for (float shift : { 12.0f, -12.0f })
    {
        auto formant = preparedFormant (rate, 1, shift);
        const auto output = run (formant, input);
        const int from = settled + formant.getLatencySamples();
        const auto after = harmonicLevels (output, from, rate);

        // The harmonics now trace the old envelope stretched by an octave, not the old one.
        const double moved = correlation (after, scaledInFrequency (before, std::exp2 (shift / 12.0)));
        const double stayed = correlation (after, before);
        EXPECT_GT (moved, 0.8) << shift;
        EXPECT_LT (stayed, moved - 0.3) << shift;

        // Still periodic at 150 Hz, so the pitch did not fall; not at 300 Hz, so it did not rise
        // (a 300 Hz formant makes half-period similarity natural, so that check is for the upward shift).
        EXPECT_GT (similarityAtLag (output, from, 8192, 320), 0.95) << shift;
        if (shift > 0.0f)
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
