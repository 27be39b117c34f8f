#include "modules/FormantProcessor.h"

#include "modules/FftWisdom.h"
#include "modules/FiniteSamples.h"
#include "modules/VectorMath.h"

namespace
{
constexpr double smoothingSeconds = 0.035;
constexpr float activeMixFloor = 0.0001f;
constexpr float magnitudeFloor = 1.0e-7f;
constexpr float maximumLogGain = 1.35f;
constexpr float makeupFollow = 0.12f;
constexpr double makeupLow = 0.8, makeupHigh = 1.25;
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
    numChannels = juce::jmax (1, (int) spec.numChannels);
    FftWisdom::load();
    fft = std::make_unique<juce::dsp::FFT> (order);

    const auto n = (size_t) fftSize;
    const auto bins = n / 2 + 1;
    window.resize (n);
    for (size_t i = 0; i < n; ++i)
        window[i] = (float) std::sqrt (0.5 - 0.5 * std::cos (juce::MathConstants<double>::twoPi * ((double) i + 0.5)
                                                              / (double) fftSize));

    channelState.resize ((size_t) numChannels);
    for (auto& c : channelState)
    {
        c.input.assign (n, 0.0f);
        c.dry.assign (n + 1, 0.0f);
        c.output.assign (2 * n, 0.0f);
        c.frameIn.assign (n, {});
        c.spectrum.assign (n, {});
        c.frameOut.assign (n, {});
    }
    realCepstrum.assign (2 * n, 0.0f);
    windowPower.assign (2 * n, 0.0f);
    magnitude.assign (bins, 0.0f);
    previousMagnitude.assign (bins, 0.0f);
    envelope.assign (bins, 0.0f);
    gains.assign (bins, 1.0f);

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
    {
        std::fill (c.input.begin(), c.input.end(), 0.0f);
        std::fill (c.dry.begin(), c.dry.end(), 0.0f);
        std::fill (c.output.begin(), c.output.end(), 0.0f);
    }
    std::fill (windowPower.begin(), windowPower.end(), 0.0f);
    std::fill (previousMagnitude.begin(), previousMagnitude.end(), 0.0f);
    sampleCounter = 0;
    inputIndex = dryWrite = outIndex = hopPhase = 0;
    dryRead = 1;
    makeupGain = 1.0f;
    shiftSmoother.setCurrentAndTargetValue (shift);
    toneSmoother.setCurrentAndTargetValue (tone);
    mixSmoother.setCurrentAndTargetValue (mix);
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
    if (fft == nullptr || channels > numChannels)
        return;

    if (! enabled && ! mixSmoother.isSmoothing() && mixSmoother.getCurrentValue() == 0.0f && ! shiftSmoother.isSmoothing()
        && ! toneSmoother.isSmoothing())
    {
        passDelayed<true> (buffer);
        return;
    }

    const auto n = (size_t) fftSize;
    const auto hop = (size_t) hopSize;
    auto* const* data = buffer.getArrayOfWritePointers();
    const auto wrapAt = [] (size_t index, size_t length) { return index + 1 == length ? 0 : index + 1; };

    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        shiftSmoother.getNextValue();
        toneSmoother.getNextValue();
        const float m = mixSmoother.getNextValue();

        const auto w = sampleCounter;
        for (int ch = 0; ch < channels; ++ch)
        {
            auto& c = channelState[(size_t) ch];
            c.input[inputIndex] = data[ch][i];
            c.dry[dryWrite] = data[ch][i];
        }

        // hopPhase is (w + 1) modulo the hop.
        hopPhase = wrapAt (hopPhase, hop);
        if (w + 1 >= n && hopPhase == 0 && (enabled || m > activeMixFloor))
            processFrame (w, channels);

        const float p = windowPower[outIndex];
        for (int ch = 0; ch < channels; ++ch)
        {
            auto& c = channelState[(size_t) ch];
            const float dry = c.dry[dryRead];
            const float acc = c.output[outIndex];
            c.output[outIndex] = 0.0f;
            // Where fewer than enough frames overlap yet, the dry signal fills in the missing window power.
            const float wet = p >= 0.5f ? acc / p : 2.0f * (acc + dry * (0.5f - p));
            const float out = dry + m * (wet - dry);
            data[ch][i] = FiniteSamples::orSilence (out);
        }
        windowPower[outIndex] = 0.0f;

        sampleCounter = w + 1;
        inputIndex = wrapAt (inputIndex, n);
        dryWrite = wrapAt (dryWrite, n + 1);
        dryRead = wrapAt (dryRead, n + 1);
        outIndex = wrapAt (outIndex, 2 * n);
    }
}

void FormantProcessor::record (juce::AudioBuffer<float>& buffer) noexcept
{
    if (fft == nullptr || buffer.getNumChannels() > numChannels)
        return;

    if (mixSmoother.getCurrentValue() != 0.0f || mixSmoother.isSmoothing())
    {
        // Frames that were still sounding would come back on the next insert.
        for (auto& c : channelState)
            std::fill (c.output.begin(), c.output.end(), 0.0f);
        std::fill (windowPower.begin(), windowPower.end(), 0.0f);
        mixSmoother.setCurrentAndTargetValue (0.0f);
    }
    passDelayed<false> (buffer);
}

template <bool writeOutput>
void FormantProcessor::passDelayed (juce::AudioBuffer<float>& buffer) noexcept
{
    // Switched off and faded out, no frames run: the output is the dry ring, read in runs up
    // to the next ring end instead of sample by sample.
    const auto n = (size_t) fftSize;
    const int channels = buffer.getNumChannels();
    const auto total = (size_t) buffer.getNumSamples();
    const auto advance = [] (size_t index, size_t by, size_t length) { return index + by == length ? 0 : index + by; };

    for (size_t done = 0; done < total;)
    {
        const size_t run = std::min ({ total - done, n - inputIndex, n + 1 - dryWrite, n + 1 - dryRead, 2 * n - outIndex });
        for (int ch = 0; ch < channels; ++ch)
        {
            auto& c = channelState[(size_t) ch];
            auto* d = buffer.getWritePointer (ch, (int) done);
            float* in = c.input.data() + inputIndex;
            float* dryIn = c.dry.data() + dryWrite;
            const float* dryOut = c.dry.data() + dryRead;
            for (size_t j = 0; j < run; ++j)
            {
                const float x = d[j];
                in[j] = x;
                const float y = dryOut[j]; // written n samples ago, before this run's writes reach it
                dryIn[j] = x;
                if constexpr (writeOutput)
                    d[j] = FiniteSamples::orSilence (y);
            }
            std::fill_n (c.output.begin() + (std::ptrdiff_t) outIndex, run, 0.0f);
        }
        std::fill_n (windowPower.begin() + (std::ptrdiff_t) outIndex, run, 0.0f);

        inputIndex = advance (inputIndex, run, n);
        dryWrite = advance (dryWrite, run, n + 1);
        dryRead = advance (dryRead, run, n + 1);
        outIndex = advance (outIndex, run, 2 * n);
        done += run;
    }

    sampleCounter += total;
    hopPhase = (hopPhase + total) % (size_t) hopSize;
}

void FormantProcessor::processFrame (juce::uint64 w, int channels) noexcept
{
    // Hop and size divide each other, so the oldest frame sample sits where the next write goes.
    const int start = (int) ((w + 1) % (juce::uint64) fftSize);
    analyse (channels, start);
    computeEnvelope (toneSmoother.getCurrentValue());
    computeGains (shiftSmoother.getCurrentValue());

    const int outStart = (int) ((w + 1) % (juce::uint64) (2 * fftSize));
    synthesise (channels, outStart);
}

void FormantProcessor::analyse (int channels, int start) noexcept
{
    const int n = fftSize;
    const int bins = n / 2 + 1;
    std::fill (magnitude.begin(), magnitude.end(), 0.0f);
    const float share = 1.0f / (float) channels;

    const int firstRun = n - start;
    const auto windowed = [&] (int ch, int k)
    {
        const auto& input = channelState[(size_t) ch].input;
        return input[(size_t) (k < firstRun ? start + k : k - firstRun)] * window[(size_t) k];
    };

    if (channels == 2)
    {
        // Both channels in one transform, left as the real part and right as the imaginary,
        // separated again by the symmetry of real signals' spectra.
        auto& left = channelState[0];
        auto& right = channelState[1];
        for (int k = 0; k < n; ++k)
            left.frameIn[(size_t) k] = { windowed (0, k), windowed (1, k) };
        fft->perform (left.frameIn.data(), left.frameOut.data(), false);
        // On the floats of the complex arrays: products of std::complex check for NaNs per
        // bin, and building them went through the stack.
        const float* z = reinterpret_cast<const float*> (left.frameOut.data());
        float* l = reinterpret_cast<float*> (left.spectrum.data());
        float* r = reinterpret_cast<float*> (right.spectrum.data());
        for (int k = 0; k < n; ++k)
        {
            const int m = (n - k) & (n - 1);
            const float re = z[2 * k], im = z[2 * k + 1], mirroredRe = z[2 * m], mirroredIm = -z[2 * m + 1];
            // left = (z + conj z[-k]) / 2, right = -i (z - conj z[-k]) / 2
            l[2 * k] = 0.5f * (re + mirroredRe);
            l[2 * k + 1] = 0.5f * (im + mirroredIm);
            r[2 * k] = 0.5f * (im - mirroredIm);
            r[2 * k + 1] = -0.5f * (re - mirroredRe);
        }
    }
    else
    {
        for (int ch = 0; ch < channels; ++ch)
        {
            auto& c = channelState[(size_t) ch];
            for (int k = 0; k < n; ++k)
                c.frameIn[(size_t) k] = { windowed (ch, k), 0.0f };
            fft->perform (c.frameIn.data(), c.spectrum.data(), false);
        }
    }

    for (int ch = 0; ch < channels; ++ch)
        for (int k = 0; k < bins; ++k)
            magnitude[(size_t) k] += std::sqrt (std::norm (channelState[(size_t) ch].spectrum[(size_t) k])) * share;

    float rise = 0.0f, total = 1.0e-8f;
    for (int k = 0; k < bins; ++k)
    {
        rise += juce::jmax (magnitude[(size_t) k] - previousMagnitude[(size_t) k], 0.0f);
        total += magnitude[(size_t) k];
    }
    flux = rise;
    totalMagnitude = total;
    std::copy (magnitude.begin(), magnitude.end(), previousMagnitude.begin());
}

void FormantProcessor::computeEnvelope (float tone) noexcept
{
    const int n = fftSize;
    const int half = n / 2;

    // The log spectrum is real and even, so its cepstrum is too: real-only transforms do.
    // The envelope's array holds the log magnitudes for a moment: one vectorised pass.
    for (int k = 0; k <= half; ++k)
        envelope[(size_t) k] = juce::jmax (magnitude[(size_t) k], magnitudeFloor);
    VectorMath::log (envelope.data(), envelope.data(), half + 1);
    for (int k = 0; k <= half; ++k)
    {
        realCepstrum[(size_t) (2 * k)] = envelope[(size_t) k];
        realCepstrum[(size_t) (2 * k + 1)] = 0.0f;
    }
    fft->performRealOnlyInverseTransform (realCepstrum.data());

    // Brighter tone keeps more quefrencies, so the envelope follows finer spectral detail.
    const float cutoff = juce::jlimit (24.0f, (float) n / 4.0f, (float) (sampleRate / (440.0 - 170.0 * tone)));
    const float taper = 0.25f * cutoff;
    for (int q = 1; q < n; ++q)
        realCepstrum[(size_t) q] *= juce::jlimit (0.0f, 1.0f, (cutoff - (float) juce::jmin (q, n - q)) / taper);
    std::fill (realCepstrum.begin() + n, realCepstrum.end(), 0.0f);

    fft->performRealOnlyForwardTransform (realCepstrum.data(), true);
    for (int k = 0; k <= half; ++k)
        envelope[(size_t) k] = realCepstrum[(size_t) (2 * k)];
}

void FormantProcessor::computeGains (float shift) noexcept
{
    const int half = fftSize / 2;
    const float ratio = std::exp2 (shift / 12.0f);
    const float amount = juce::jmin (std::abs (shift) / 1.5f, 1.0f);
    // Frames with strong onsets are shifted less, which keeps attacks from smearing.
    const float transient =
        1.0f - juce::jlimit (0.0f, maximumOnsetGuard, 2.0f * (flux / totalMagnitude - onsetThreshold));
    const float depth = amount * transient;

    double e0 = 1.0e-9, e1 = 1.0e-9;
    for (int k = 0; k <= half; ++k)
    {
        const float source = juce::jmin ((float) k / ratio, (float) half);
        const int below = (int) source;
        const int above = juce::jmin (below + 1, half);
        const float shifted = envelope[(size_t) below]
                              + (source - (float) below) * (envelope[(size_t) above] - envelope[(size_t) below]);

        const float d = (shifted - envelope[(size_t) k]) * depth * bandWeight[(size_t) k];
        gains[(size_t) k] = juce::jlimit (-maximumLogGain, maximumLogGain, d);
    }
    VectorMath::exp (gains.data(), half + 1);

    for (int k = 0; k <= half; ++k)
    {
        const double power = (double) magnitude[(size_t) k] * magnitude[(size_t) k];
        const float gain = gains[(size_t) k];
        e0 += power;
        e1 += power * gain * gain;
    }

    const auto target = (float) juce::jlimit (makeupLow, makeupHigh, std::sqrt (e0 / e1));
    makeupGain += (target - makeupGain) * makeupFollow;
}

void FormantProcessor::synthesise (int channels, int outStart) noexcept
{
    const int n = fftSize;
    const int accSize = 2 * n;

    const auto gainAt = [this, n] (int k) { return gains[(size_t) juce::jmin (k, n - k)] * makeupGain; };

    if (channels == 2)
    {
        // Both spectra stay those of real signals, so one inverse transform of left + i right
        // gives left as its real part and right as its imaginary part.
        auto& left = channelState[0];
        auto& right = channelState[1];
        // left + i right, on the floats (see the analysis).
        const float* l = reinterpret_cast<const float*> (left.spectrum.data());
        const float* r = reinterpret_cast<const float*> (right.spectrum.data());
        float* in = reinterpret_cast<float*> (left.frameIn.data());
        for (int k = 0; k < n; ++k)
        {
            const float g = gainAt (k);
            in[2 * k] = g * (l[2 * k] - r[2 * k + 1]);
            in[2 * k + 1] = g * (l[2 * k + 1] + r[2 * k]);
        }
        fft->perform (left.frameIn.data(), left.frameOut.data(), true);
        for (int k = 0, pos = outStart; k < n; ++k, pos = (pos + 1 == accSize ? 0 : pos + 1))
        {
            left.output[(size_t) pos] += left.frameOut[(size_t) k].real() * window[(size_t) k];
            right.output[(size_t) pos] += left.frameOut[(size_t) k].imag() * window[(size_t) k];
        }
    }
    else
    {
        for (int ch = 0; ch < channels; ++ch)
        {
            auto& c = channelState[(size_t) ch];
            for (int k = 0; k < n; ++k)
                c.spectrum[(size_t) k] *= gainAt (k);

            fft->perform (c.spectrum.data(), c.frameOut.data(), true);

            for (int k = 0, pos = outStart; k < n; ++k, pos = (pos + 1 == accSize ? 0 : pos + 1))
                c.output[(size_t) pos] += c.frameOut[(size_t) k].real() * window[(size_t) k];
        }
    }

    for (int k = 0, pos = outStart; k < n; ++k, pos = (pos + 1 == accSize ? 0 : pos + 1))
        windowPower[(size_t) pos] += window[(size_t) k] * window[(size_t) k];
}
