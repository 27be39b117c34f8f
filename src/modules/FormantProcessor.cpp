#include "modules/FormantProcessor.h"

#include "modules/SmootherRamp.h"
#include "modules/FiniteSamples.h"
#include "modules/VectorMath.h"

namespace
{
constexpr double smoothingSeconds = 0.035;
constexpr float activeMixFloor = 0.0001f;
constexpr float magnitudeFloor = 1.0e-7f;
constexpr float maximumLogGain = 1.35f;
constexpr float makeupFollow = 0.12f;
constexpr float makeupLow = 0.8f, makeupHigh = 1.25f;
constexpr float onsetThreshold = 0.12f, maximumOnsetGuard = 0.65f;

// FFT order by sample rate: each step keeps the frame near 21 ms.
struct OrderStep
{
    double belowRate;
    int order;
};
constexpr OrderStep orderSteps[] = { { 30000.0, FormantProcessor::lowestFftOrder }, { 72000.0, 10 }, { 144000.0, 11 } };

double usableRate (double rate) noexcept
{
    return std::isfinite (rate) && rate > 0.0 ? rate : 48000.0;
}
} // namespace

int FormantProcessor::fftOrderFor (double sampleRate) noexcept
{
    const double rate = usableRate (sampleRate);
    for (const auto& step : orderSteps)
        if (rate < step.belowRate)
            return step.order;
    return highestFftOrder;
}

void FormantProcessor::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = usableRate (spec.sampleRate);
    const int order = fftOrderFor (sampleRate);
    fftSize = 1 << order;
    hopSize = fftSize / 4;
    // Real and imaginary part of one transform: the plug-in's buses are mono or stereo.
    numChannels = juce::jlimit (1, 2, (int) spec.numChannels);
    transforms.prepare (order);

    const auto n = (size_t) fftSize;
    const auto bins = n / 2 + 1;
    window.resize (n);
    windowSquared.resize (n);
    for (size_t i = 0; i < n; ++i)
    {
        const double hann = 0.5 - 0.5 * std::cos (juce::MathConstants<double>::twoPi * ((double) i + 0.5) / (double) fftSize);
        window[i] = (float) std::sqrt (hann);
        windowSquared[i] = window[i] * window[i];
    }

    channelState.resize ((size_t) numChannels);
    for (auto& c : channelState)
    {
        c.input.assign (n, 0.0f);
        c.output.assign (2 * n, 0.0f);
    }
    windowPower.assign (2 * n, 0.0f);
    magnitude.assign (bins, 0.0f);
    previousMagnitude.assign (bins, 0.0f);
    envelope.assign (bins, 0.0f);
    gains.assign (bins, 1.0f);
    mixValues.assign ((size_t) hopSize, 0.0f);

    // The shift fades in above 70 Hz and out towards the top of the band.
    bandWeight.resize (bins);
    const double binWidth = sampleRate / fftSize;
    const double fadeStart = juce::jmin (0.28 * sampleRate, 6000.0);
    const double fadeWidth = juce::jmax (juce::jmin (0.43 * sampleRate, 9000.0) - fadeStart, 100.0);
    for (size_t k = 0; k < bins; ++k)
    {
        const double f = (double) k * binWidth;
        const double low = juce::jlimit (0.0, 1.0, (f - 70.0) / 130.0);
        const double high = 1.0 - juce::jlimit (0.0, 1.0, (f - fadeStart) / fadeWidth);
        bandWeight[k] = (float) (low * high);
    }

    const int ramp = (int) std::floor (smoothingSeconds * sampleRate);
    shiftSmoother.reset (ramp);
    toneSmoother.reset (ramp);
    mixSmoother.reset (ramp);
}

void FormantProcessor::reset (float shift, float tone, float mix)
{
    for (auto& c : channelState)
        std::fill (c.input.begin(), c.input.end(), 0.0f);
    clearAccumulators();
    std::fill (previousMagnitude.begin(), previousMagnitude.end(), 0.0f);
    sampleCounter = 0;
    inputIndex = outIndex = hopPhase = 0;
    makeupGain = 1.0f;
    shiftSmoother.setCurrentAndTargetValue (shift);
    toneSmoother.setCurrentAndTargetValue (tone);
    mixSmoother.setCurrentAndTargetValue (mix);
}

void FormantProcessor::clearAccumulators() noexcept
{
    for (auto& c : channelState)
        std::fill (c.output.begin(), c.output.end(), 0.0f);
    std::fill (windowPower.begin(), windowPower.end(), 0.0f);
    accumulatorsClear = true;
}

void FormantProcessor::setTargets (float shift, float tone, float mix) noexcept
{
    shiftSmoother.setTargetValue (shift);
    toneSmoother.setTargetValue (tone);
    mixSmoother.setTargetValue (mix);
}

void FormantProcessor::process (juce::AudioBuffer<float>& buffer, bool enabled) noexcept
{
    juce::ScopedNoDenormals noDenormals;
    const int channels = buffer.getNumChannels();
    if (! isPrepared() || channels > numChannels)
        return;

    if (! enabled && ! mixSmoother.isSmoothing() && mixSmoother.getCurrentValue() == 0.0f && ! shiftSmoother.isSmoothing()
        && ! toneSmoother.isSmoothing())
    {
        passDelayed<true> (buffer);
        return;
    }

    const auto n = (juce::uint64) fftSize;
    const auto hop = (size_t) hopSize;
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int done = 0; done < buffer.getNumSamples();)
    {
        // Up to the sample after which a frame is due: ring lengths are multiples of the hop.
        const int length = juce::jmin (buffer.getNumSamples() - done, (int) (hop - hopPhase));
        takeRamp (mixSmoother, mixValues.data(), length);
        shiftSmoother.skip (length);
        toneSmoother.skip (length);
        processRun (data, channels, done, length);

        sampleCounter += (juce::uint64) length;
        hopPhase = (hopPhase + (size_t) length) % hop;
        inputIndex = (inputIndex + (size_t) length) % (size_t) n;
        outIndex = (outIndex + (size_t) length) % (2 * (size_t) n);
        done += length;

        // A frame only writes beyond the samples already put out, so it may follow them.
        if (hopPhase == 0 && sampleCounter >= n && (enabled || mixValues[(size_t) length - 1] > activeMixFloor))
            processFrame (channels);
    }
}

void FormantProcessor::processRun (float* const* data, int channels, int start, int length) noexcept
{
    const float* m = mixValues.data();
    float* power = windowPower.data() + outIndex;
    for (int ch = 0; ch < channels; ++ch)
    {
        auto& c = channelState[(size_t) ch];
        float* x = data[ch] + start;
        float* in = c.input.data() + inputIndex;
        float* acc = c.output.data() + outIndex;
        for (int i = 0; i < length; ++i)
        {
            const float dry = in[i]; // written n samples ago
            in[i] = x[i];
            const float p = power[i];
            // Where fewer than enough frames overlap yet, the dry signal fills in the missing window power.
            const float wet = p >= 0.5f ? acc[i] / p : 2.0f * (acc[i] + dry * (0.5f - p));
            acc[i] = 0.0f;
            x[i] = FiniteSamples::orSilence (dry + m[i] * (wet - dry));
        }
    }
    std::fill_n (power, length, 0.0f);
}

void FormantProcessor::record (juce::AudioBuffer<float>& buffer) noexcept
{
    if (! isPrepared() || buffer.getNumChannels() > numChannels)
        return;

    // Frames that were still sounding would come back on the next insert.
    mixSmoother.setCurrentAndTargetValue (0.0f);
    passDelayed<false> (buffer);
}

template <bool writeOutput>
void FormantProcessor::passDelayed (juce::AudioBuffer<float>& buffer) noexcept
{
    // Switched off and faded out, no frames run: the output is the input ring's oldest samples.
    if (! accumulatorsClear)
        clearAccumulators();
    const auto n = (size_t) fftSize;
    const int channels = buffer.getNumChannels();
    const auto total = (size_t) buffer.getNumSamples();

    for (size_t done = 0; done < total;)
    {
        const size_t run = std::min (total - done, n - inputIndex);
        for (int ch = 0; ch < channels; ++ch)
        {
            auto* d = buffer.getWritePointer (ch, (int) done);
            float* in = channelState[(size_t) ch].input.data() + inputIndex;
            for (size_t j = 0; j < run; ++j)
            {
                const float x = d[j];
                if constexpr (writeOutput)
                    d[j] = FiniteSamples::orSilence (in[j]);
                in[j] = x;
            }
        }
        inputIndex = inputIndex + run == n ? 0 : inputIndex + run;
        done += run;
    }

    sampleCounter += total;
    outIndex = (outIndex + total) % (2 * n);
    hopPhase = (hopPhase + total) % (size_t) hopSize;
}

void FormantProcessor::processFrame (int channels) noexcept
{
    accumulatorsClear = false;
    analyse (channels);
    computeEnvelope (toneSmoother.getCurrentValue());
    computeGains (shiftSmoother.getCurrentValue());
    synthesise (channels);
}

void FormantProcessor::analyse (int channels) noexcept
{
    const int n = fftSize;
    const int half = n / 2;

    // The frame starts at the oldest input, where the next write goes: two runs of the ring.
    float* frame = reinterpret_cast<float*> (transforms.frame());
    const float* left = channelState[0].input.data();
    const float* right = channels == 2 ? channelState[1].input.data() : nullptr;
    const int firstRun = n - (int) inputIndex;
    const auto windowRun = [&] (int from, int to, int offset)
    {
        if (right != nullptr)
            for (int k = from; k < to; ++k)
            {
                frame[2 * k] = left[k + offset] * window[(size_t) k];
                frame[2 * k + 1] = right[k + offset] * window[(size_t) k];
            }
        else
            for (int k = from; k < to; ++k)
            {
                frame[2 * k] = left[k + offset] * window[(size_t) k];
                frame[2 * k + 1] = 0.0f;
            }
    };
    windowRun (0, firstRun, (int) inputIndex);
    windowRun (firstRun, n, -firstRun);
    transforms.forward();

    const float* z = reinterpret_cast<const float*> (transforms.spectrum());
    if (right != nullptr)
    {
        // Left is the even part of the spectrum and right the odd one: with m = n - k,
        // |left| = |z[k] + conj z[m]| / 2 and |right| = |z[k] - conj z[m]| / 2; the mean of both.
        for (int k = 0; k <= half; ++k)
        {
            const int m = (n - k) & (n - 1);
            const float re = z[2 * k], im = z[2 * k + 1], mirroredRe = z[2 * m], mirroredIm = z[2 * m + 1];
            const float sumRe = re + mirroredRe, sumIm = im - mirroredIm;
            const float differenceRe = re - mirroredRe, differenceIm = im + mirroredIm;
            magnitude[(size_t) k] = 0.25f * (std::sqrt (sumRe * sumRe + sumIm * sumIm)
                                             + std::sqrt (differenceRe * differenceRe + differenceIm * differenceIm));
        }
    }
    else
    {
        for (int k = 0; k <= half; ++k)
            magnitude[(size_t) k] = std::sqrt (z[2 * k] * z[2 * k] + z[2 * k + 1] * z[2 * k + 1]);
    }

    // Four running sums: one would wait for each addition before the next.
    float rise[4] = {}, total[4] = { 1.0e-8f, 0.0f, 0.0f, 0.0f };
    int k = 0;
    for (; k + 4 <= half + 1; k += 4)
        for (int lane = 0; lane < 4; ++lane)
        {
            const float now = magnitude[(size_t) (k + lane)];
            rise[lane] += juce::jmax (now - previousMagnitude[(size_t) (k + lane)], 0.0f);
            total[lane] += now;
        }
    for (; k <= half; ++k)
    {
        rise[0] += juce::jmax (magnitude[(size_t) k] - previousMagnitude[(size_t) k], 0.0f);
        total[0] += magnitude[(size_t) k];
    }
    flux = (rise[0] + rise[1]) + (rise[2] + rise[3]);
    totalMagnitude = (total[0] + total[1]) + (total[2] + total[3]);
    std::copy (magnitude.begin(), magnitude.end(), previousMagnitude.begin());
}

void FormantProcessor::computeEnvelope (float tone) noexcept
{
    const int n = fftSize;
    const int half = n / 2;

    // The log spectrum is real and even, and so is its cepstrum: the even transform takes one to
    // the other, and back.
    float* even = transforms.even();
    for (int k = 0; k <= half; ++k)
        even[k] = juce::jmax (magnitude[(size_t) k], magnitudeFloor);
    VectorMath::log (even, even, half + 1);
    transforms.evenTransform();

    // Brighter tone keeps more quefrencies, so the envelope follows finer spectral detail; 1 / n
    // makes the first transform an inverse one.
    const float cutoff = juce::jlimit (24.0f, (float) n / 4.0f, (float) (sampleRate / (440.0 - 170.0 * tone)));
    const float perTaper = 1.0f / (0.25f * cutoff);
    const float inverse = 1.0f / (float) n;
    for (int q = 0; q <= half; ++q)
        even[q] *= juce::jlimit (0.0f, 1.0f, (cutoff - (float) q) * perTaper) * inverse;
    transforms.evenTransform();
    std::copy (even, even + half + 1, envelope.begin());
}

void FormantProcessor::computeGains (float shift) noexcept
{
    const int half = fftSize / 2;
    const float perRatio = std::exp2 (-shift / 12.0f);
    const float amount = juce::jmin (std::abs (shift) / 1.5f, 1.0f);
    // Frames with strong onsets are shifted less, which keeps attacks from smearing.
    const float transient =
        1.0f - juce::jlimit (0.0f, maximumOnsetGuard, 2.0f * (flux / totalMagnitude - onsetThreshold));
    const float depth = amount * transient;

    // std::min and std::max rather than jlimit: the compiler makes them minimum and maximum
    // instructions, where jlimit's branches went each way unpredictably.
    for (int k = 0; k <= half; ++k)
    {
        const float source = std::min ((float) k * perRatio, (float) half);
        const int below = (int) source;
        const int above = std::min (below + 1, half);
        const float shifted = envelope[(size_t) below]
                              + (source - (float) below) * (envelope[(size_t) above] - envelope[(size_t) below]);

        const float d = (shifted - envelope[(size_t) k]) * depth * bandWeight[(size_t) k];
        gains[(size_t) k] = std::min (std::max (d, -maximumLogGain), maximumLogGain);
    }
    VectorMath::exp (gains.data(), half + 1);

    // Four running sums, as in the analysis.
    float e0[4] = { 1.0e-9f, 1.0e-9f, 0.0f, 0.0f }, e1[4] = { 1.0e-9f, 1.0e-9f, 0.0f, 0.0f };
    int k = 0;
    for (; k + 4 <= half + 1; k += 4)
        for (int lane = 0; lane < 4; ++lane)
        {
            const float power = magnitude[(size_t) (k + lane)] * magnitude[(size_t) (k + lane)];
            const float gain = gains[(size_t) (k + lane)];
            e0[lane] += power;
            e1[lane] += power * gain * gain;
        }
    for (; k <= half; ++k)
    {
        const float power = magnitude[(size_t) k] * magnitude[(size_t) k];
        e0[0] += power;
        e1[0] += power * gains[(size_t) k] * gains[(size_t) k];
    }

    const float energyRatio = ((e0[0] + e0[1]) + (e0[2] + e0[3])) / ((e1[0] + e1[1]) + (e1[2] + e1[3]));
    const float target = juce::jlimit (makeupLow, makeupHigh, std::sqrt (energyRatio));
    makeupGain += (target - makeupGain) * makeupFollow;
}

void FormantProcessor::synthesise (int channels) noexcept
{
    const int n = fftSize;
    const int half = n / 2;

    // Real, even gains keep both channels' spectra those of real signals, so the packed
    // spectrum is scaled as it is and its inverse gives left as the real part, right as the imaginary.
    const float scale = makeupGain * transforms.inverseScale();
    float* z = reinterpret_cast<float*> (transforms.spectrum());
    for (int k = 0; k <= half; ++k)
    {
        const float g = gains[(size_t) k] * scale;
        z[2 * k] *= g;
        z[2 * k + 1] *= g;
    }
    for (int k = half + 1; k < n; ++k)
    {
        const float g = gains[(size_t) (n - k)] * scale;
        z[2 * k] *= g;
        z[2 * k + 1] *= g;
    }
    transforms.inverse();

    // Overlap-added from the next output on: two runs of the ring.
    const float* frame = reinterpret_cast<const float*> (transforms.frame());
    const int accSize = 2 * n;
    const int firstRun = juce::jmin (n, accSize - (int) outIndex);
    float* left = channelState[0].output.data();
    float* right = channels == 2 ? channelState[1].output.data() : nullptr;
    const auto addRun = [&] (int from, int to, int offset)
    {
        float* l = left + offset;
        float* power = windowPower.data() + offset;
        for (int k = from; k < to; ++k)
        {
            l[k] += frame[2 * k] * window[(size_t) k];
            power[k] += windowSquared[(size_t) k];
        }
        if (right != nullptr)
        {
            float* r = right + offset;
            for (int k = from; k < to; ++k)
                r[k] += frame[2 * k + 1] * window[(size_t) k];
        }
    };
    addRun (0, firstRun, (int) outIndex);
    addRun (firstRun, n, -firstRun);
}
