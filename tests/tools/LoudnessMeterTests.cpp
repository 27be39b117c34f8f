#include "LoudnessMeter.h"
#include "RenderTestSupport.h"

#include <complex>
#include <limits>
#include <optional>

namespace
{
constexpr double minusInfinity = -std::numeric_limits<double>::infinity();

// Odd-sized blocks, so a reading never depends on the blocks lining up with anything.
constexpr int feedBlockSize = 733;

struct Reading
{
    double integratedLufs = 0.0, truePeakDbtp = 0.0;
};

Reading measure (const juce::AudioBuffer<float>& signal, double sampleRate, int blockSize = feedBlockSize)
{
    LoudnessMeter meter (signal.getNumChannels(), sampleRate);
    for (int start = 0; start < signal.getNumSamples(); start += blockSize)
        meter.add (signal, start, juce::jmin (blockSize, signal.getNumSamples() - start));
    return { meter.integratedLufs(), meter.truePeakDbtp() };
}

juce::AudioBuffer<float> sine (int channels, double sampleRate, double seconds, double frequency, double peak,
                               double phase = 0.0)
{
    juce::AudioBuffer<float> b (channels, (int) std::lround (seconds * sampleRate));
    for (int i = 0; i < b.getNumSamples(); ++i)
    {
        const auto x = (float) (peak * std::sin (juce::MathConstants<double>::twoPi * frequency * i / sampleRate + phase));
        for (int ch = 0; ch < channels; ++ch)
            b.setSample (ch, i, x);
    }
    return b;
}

// Pink-ish noise (Paul Kellet's three-pole 1/f approximation over white noise), scaled to an
// RMS level, independent on each channel. With quietDb != 0 every other 2 s stretch is that
// much quieter, which puts the relative gate to work.
juce::AudioBuffer<float> pinkNoise (int channels, double sampleRate, double seconds, double rmsDbfs, double quietDb,
                                    juce::int64 seed)
{
    juce::Random random (seed);
    juce::AudioBuffer<float> b (channels, (int) std::lround (seconds * sampleRate));
    const int stretch = (int) std::lround (2.0 * sampleRate);

    for (int ch = 0; ch < channels; ++ch)
    {
        double b0 = 0.0, b1 = 0.0, b2 = 0.0, sumOfSquares = 0.0;
        for (int i = 0; i < b.getNumSamples(); ++i)
        {
            const double white = 2.0 * random.nextDouble() - 1.0;
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            const double pink = b0 + b1 + b2 + white * 0.1848;
            b.setSample (ch, i, (float) pink);
            sumOfSquares += pink * pink;
        }

        const double scale = juce::Decibels::decibelsToGain (rmsDbfs) / std::sqrt (sumOfSquares / b.getNumSamples());
        const double quietScale = scale * juce::Decibels::decibelsToGain (quietDb);
        for (int i = 0; i < b.getNumSamples(); ++i)
            b.setSample (ch, i, (float) (b.getSample (ch, i) * ((i / stretch) % 2 == 0 ? scale : quietScale)));
    }
    return b;
}

// ffmpeg's ebur128 filter, a meter written apart from libebur128 (it resamples to 48 kHz and
// oversamples for true peak through libswresample). Its summary gives integrated loudness to
// one decimal, whose rounding alone would spend half the tolerance, so that figure comes from
// the filter's metadata (three decimals); the true peak comes from the summary.
std::optional<Reading> ffmpegReading (const juce::File& wav)
{
    const juce::StringArray command { "ffmpeg", "-nostdin", "-nostats", "-hide_banner", "-i", wav.getFullPathName(),
                                      "-filter_complex", "ebur128=peak=true:metadata=1,ametadata=mode=print:key=lavfi.r128.I:file=-",
                                      "-f", "null", "-" };
    juce::ChildProcess ffmpeg;
    if (! ffmpeg.start (command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return std::nullopt;
    const auto output = ffmpeg.readAllProcessOutput();
    if (! ffmpeg.waitForProcessToFinish (60 * 1000) || ffmpeg.getExitCode() != 0)
        return std::nullopt;

    std::optional<double> integrated, peak;
    for (const auto& line : juce::StringArray::fromLines (output))
    {
        const auto text = line.trim();
        if (text.startsWith ("lavfi.r128.I="))
            integrated = text.fromFirstOccurrenceOf ("=", false, false).getDoubleValue();
        else if (text.startsWith ("Peak:"))
            peak = text.fromFirstOccurrenceOf (":", false, false).upToFirstOccurrenceOf ("dBFS", false, false).trim().getDoubleValue();
    }
    if (! integrated || ! peak)
        return std::nullopt;
    return Reading { *integrated, *peak };
}

std::optional<Reading> ffmpegReading (const juce::AudioBuffer<float>& signal, double sampleRate)
{
    render_testing::ScratchFolder scratch;
    const auto wav = scratch.file ("signal.wav");
    if (! render_testing::writeWav (wav, signal, sampleRate))
        return std::nullopt;
    return ffmpegReading (wav);
}

// K-weighting's gain at a frequency, from the two biquads' 48 kHz coefficients as BS.1770
// tabulates them (the meter under test designs its filters from analogue prototypes instead).
double kWeightingDb48k (double frequency)
{
    struct Biquad
    {
        double b0, b1, b2, a1, a2;
    };
    constexpr Biquad stages[] = {
        { 1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241, 0.73248077421585 }, // high shelf
        { 1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621 },                                         // high pass
    };

    const auto z1 = std::polar (1.0, -juce::MathConstants<double>::twoPi * frequency / 48000.0);
    const auto z2 = z1 * z1;
    double gain = 1.0;
    for (const auto& s : stages)
        gain *= std::abs ((s.b0 + s.b1 * z1 + s.b2 * z2) / (1.0 + s.a1 * z1 + s.a2 * z2));
    return 20.0 * std::log10 (gain);
}

constexpr double loudnessTolerance = 0.1; // LU
constexpr double truePeakTolerance = 0.2; // dB
} // namespace

TEST (LoudnessMeter, SineReadsTheKWeightedPowerAndAgreesWithFfmpeg)
{
    struct Case
    {
        double frequency, peakDbfs;
        double publishedLufs; // what EBU Tech 3341 expects, where the case is one of its own
    };

    // Stereo, 48 kHz, 20 s.
    const Case cases[] = {
        { 997.0, -20.0, std::numeric_limits<double>::quiet_NaN() },
        { 1000.0, -23.0, -23.0 }, // Tech 3341 case 1
        { 1000.0, -33.0, -33.0 }, // Tech 3341 case 2
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.frequency) + " Hz at " + juce::String (c.peakDbfs) + " dBFS");
        const auto signal = sine (2, 48000.0, 20.0, c.frequency, juce::Decibels::decibelsToGain (c.peakDbfs));
        const auto reading = measure (signal, 48000.0);

        // Mean square of a sine is peak^2 / 2, summed over both channels.
        const double peak = juce::Decibels::decibelsToGain (c.peakDbfs);
        const double expected = -0.691 + 10.0 * std::log10 (2.0 * peak * peak / 2.0) + kWeightingDb48k (c.frequency);
        EXPECT_NEAR (reading.integratedLufs, expected, loudnessTolerance);
        if (! std::isnan (c.publishedLufs))
        {
            EXPECT_NEAR (reading.integratedLufs, c.publishedLufs, loudnessTolerance);
        }
        EXPECT_NEAR (reading.truePeakDbtp, c.peakDbfs, truePeakTolerance);

        const auto reference = ffmpegReading (signal, 48000.0);
        ASSERT_TRUE (reference.has_value()) << "ffmpeg did not run or its output changed (./lumivox setup installs it)";
        EXPECT_NEAR (reading.integratedLufs, reference->integratedLufs, loudnessTolerance);
        EXPECT_NEAR (reading.truePeakDbtp, reference->truePeakDbtp, truePeakTolerance);
    }
}

TEST (LoudnessMeter, PinkNoiseAgreesWithFfmpeg)
{
    struct Case
    {
        int channels;
        double sampleRate, rmsDbfs, quietDb;
    };

    // 12 s each. The last two alternate 2 s stretches with quieter ones: 25 dB down they fall
    // under the relative gate, 6 dB down they stay in.
    const Case cases[] = {
        { 2, 48000.0, -20.0, 0.0 },
        { 2, 44100.0, -12.0, 0.0 },
        { 1, 48000.0, -30.0, 0.0 },
        { 2, 96000.0, -40.0, 0.0 },
        { 1, 44100.0, -55.0, 0.0 },
        { 2, 48000.0, -18.0, -25.0 },
        { 1, 88200.0, -24.0, -6.0 },
    };

    juce::int64 seed = 1;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.channels) + " ch, " + juce::String (c.sampleRate) + " Hz, " + juce::String (c.rmsDbfs)
                      + " dBFS RMS, quiet stretches " + juce::String (c.quietDb) + " dB");
        const auto signal = pinkNoise (c.channels, c.sampleRate, 12.0, c.rmsDbfs, c.quietDb, seed++);
        const auto reading = measure (signal, c.sampleRate);

        const auto reference = ffmpegReading (signal, c.sampleRate);
        ASSERT_TRUE (reference.has_value()) << "ffmpeg did not run or its output changed (./lumivox setup installs it)";
        EXPECT_NEAR (reading.integratedLufs, reference->integratedLufs, loudnessTolerance);
        EXPECT_NEAR (reading.truePeakDbtp, reference->truePeakDbtp, truePeakTolerance);
    }
}

TEST (LoudnessMeter, TruePeakFindsThePeakBetweenTheSamples)
{
    // A sine at a quarter of the sample rate, 45 degrees off: every sample lands at 0.707 of the
    // crest, which falls halfway between two samples, 3.01 dB above the sample peak.
    // libebur128's interpolator reads this tone about 0.1 dB high.
    for (const double sampleRate : { 44100.0, 48000.0, 96000.0 })
    {
        SCOPED_TRACE (sampleRate);
        const double crest = 0.5;
        const auto signal = sine (2, sampleRate, 2.0, sampleRate / 4.0, crest, juce::MathConstants<double>::pi / 4.0);
        const double samplePeakDb = juce::Decibels::gainToDecibels ((double) signal.getMagnitude (0, signal.getNumSamples()));

        const auto reading = measure (signal, sampleRate);
        EXPECT_NEAR (samplePeakDb, 20.0 * std::log10 (crest * std::sqrt (0.5)), 1.0e-4);
        EXPECT_NEAR (reading.truePeakDbtp - samplePeakDb, 20.0 * std::log10 (std::sqrt (2.0)), truePeakTolerance);
        EXPECT_NEAR (reading.truePeakDbtp, 20.0 * std::log10 (crest), truePeakTolerance);
    }
}

TEST (LoudnessMeter, SilenceAndShortSignalsReadMinusInfinityWhichJsonWritesAsNull)
{
    juce::AudioBuffer<float> zeros (2, 5 * 48000);
    zeros.clear();
    const auto silent = measure (zeros, 48000.0);
    EXPECT_EQ (silent.integratedLufs, minusInfinity);
    EXPECT_EQ (silent.truePeakDbtp, minusInfinity);

    // Shorter than one 400 ms gating block: no loudness, but a peak all the same.
    const auto shortSine = measure (sine (2, 48000.0, 0.3, 997.0, 0.5), 48000.0);
    EXPECT_EQ (shortSine.integratedLufs, minusInfinity);
    EXPECT_NEAR (shortSine.truePeakDbtp, 20.0 * std::log10 (0.5), truePeakTolerance);

    // The report's writer shows what cannot be a JSON number as null.
    auto object = std::make_unique<juce::DynamicObject>();
    object->setProperty ("integratedLufs", silent.integratedLufs);
    EXPECT_EQ (juce::JSON::toString (juce::var (object.release()), true), "{\"integratedLufs\": null}");
}

TEST (LoudnessMeter, ReadsTheSameWhateverTheBlocksAndStepsOverBadSamples)
{
    const auto signal = pinkNoise (2, 48000.0, 6.0, -20.0, -10.0, 7);
    const auto whole = measure (signal, 48000.0, signal.getNumSamples());
    for (const int blockSize : { 1, 64, 4093 })
    {
        const auto inBlocks = measure (signal, 48000.0, blockSize);
        EXPECT_EQ (inBlocks.integratedLufs, whole.integratedLufs) << blockSize;
        EXPECT_EQ (inBlocks.truePeakDbtp, whole.truePeakDbtp) << blockSize;
    }

    // A few NaN and infinite samples count as silence instead of poisoning the filters.
    auto damaged = signal;
    const float bad[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity() };
    for (int k = 0; k < 30; ++k)
        damaged.setSample (k % 2, 1000 + k * 9001, bad[k % 3]);
    const auto reading = measure (damaged, 48000.0);
    EXPECT_NEAR (reading.integratedLufs, whole.integratedLufs, 0.01);
    EXPECT_EQ (reading.truePeakDbtp, whole.truePeakDbtp);
}

TEST (LoudnessMeter, MeasuresMonoAndStereoAtUsableRatesAndReadsNanOtherwise)
{
    struct Case
    {
        int channels;
        double sampleRate;
        bool supported;
    };

    const Case cases[] = {
        { 1, 44100.0, true },  { 2, 48000.0, true }, { 2, 8000.0, true }, { 2, 384000.0, true },
        { 0, 48000.0, false }, { 3, 48000.0, false }, { 2, 0.0, false }, { 2, std::numeric_limits<double>::quiet_NaN(), false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.channels) + " ch at " + juce::String (c.sampleRate) + " Hz");
        EXPECT_EQ (LoudnessMeter::supports (c.channels, c.sampleRate), c.supported);
        if (c.supported)
            continue;

        LoudnessMeter meter (c.channels, c.sampleRate);
        EXPECT_TRUE (std::isnan (meter.integratedLufs()));
        EXPECT_TRUE (std::isnan (meter.truePeakDbtp()));
    }
}
