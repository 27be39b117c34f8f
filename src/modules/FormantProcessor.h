#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <complex>
#include <memory>
#include <vector>

// Short-time Fourier formant shifter: a cepstrally smoothed spectral envelope is read at a
// shifted frequency and each frame's spectrum is scaled by the ratio, keeping the phases.
// The output lags the input by exactly one FFT size.
class FormantProcessor
{
public:
    // The FFT orders fftOrderFor() chooses from, 44.1 and 48 kHz taking order 10.
    static constexpr int lowestFftOrder = 9, highestFftOrder = 12;

    static int fftOrderFor (double sampleRate) noexcept;
    static int fftSizeFor (double sampleRate) noexcept { return 1 << fftOrderFor (sampleRate); }

    void prepare (const juce::dsp::ProcessSpec& spec);

    // Clears the rings and accumulators and sets the smoothers straight to the given values.
    void reset (float shift, float tone, float mix);

    void setTargets (float shift, float tone, float mix) noexcept;

    // Frames keep running after switch-off until the wet share has faded out.
    void process (juce::AudioBuffer<float>& buffer, bool enabled) noexcept;

    // Takes the block into the rings and leaves it as it is; the wet share drops to 0 at once.
    void record (juce::AudioBuffer<float>& buffer) noexcept;

    int getFftSize() const noexcept { return fftSize; }
    bool isPrepared() const noexcept { return fft != nullptr; }
    float getMakeupGain() const noexcept { return makeupGain; }

private:
    using Complex = std::complex<float>;
    using Smoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    struct Channel
    {
        std::vector<float> input, dry, output;
        std::vector<Complex> frameIn, spectrum, frameOut;
    };

    // Feeds the rings with no frames running; with writeOutput the block becomes the delayed dry signal.
    template <bool writeOutput>
    void passDelayed (juce::AudioBuffer<float>& buffer) noexcept;
    void processFrame (juce::uint64 w, int channels) noexcept;
    void analyse (int channels, int start) noexcept;
    void computeEnvelope (float tone) noexcept;
    void computeGains (float shift) noexcept;
    void synthesise (int channels, int start) noexcept;

    std::unique_ptr<juce::dsp::FFT> fft;
    int fftSize = 0, hopSize = 0, numChannels = 1;
    double sampleRate = 48000.0;

    std::vector<float> window;
    std::vector<Channel> channelState;
    std::vector<float> realCepstrum; // the real-only transforms' interleaved working space, 2 n
    std::vector<float> windowPower, magnitude, previousMagnitude, envelope, gains, bandWeight;

    juce::uint64 sampleCounter = 0;
    // sampleCounter modulo the ring lengths, kept up per sample instead of divided out.
    size_t inputIndex = 0, dryWrite = 0, dryRead = 1, outIndex = 0, hopPhase = 0;
    float makeupGain = 1.0f;
    float flux = 0.0f, totalMagnitude = 0.0f;
    Smoother shiftSmoother, toneSmoother, mixSmoother;
};
