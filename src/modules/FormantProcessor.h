#pragma once

#include "modules/FormantTransforms.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <vector>

// Short-time Fourier formant shifter: a cepstrally smoothed spectral envelope is read at a
// shifted frequency and each frame's spectrum is scaled by the ratio, keeping the phases.
// The output lags the input by exactly one FFT size. Mono or stereo: a stereo frame's two
// channels travel through one complex transform.
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
    bool isPrepared() const noexcept { return transforms.isPrepared(); }
    float getMakeupGain() const noexcept { return makeupGain; }

private:
    using Smoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    struct Channel
    {
        // The last n inputs, oldest at inputIndex: what a frame reads, and the delayed dry signal.
        std::vector<float> input;
        // Overlap-added frames, read and cleared at outIndex.
        std::vector<float> output;
    };

    // Feeds the input rings with no frames running; with writeOutput the block becomes the delayed dry signal.
    template <bool writeOutput>
    void passDelayed (juce::AudioBuffer<float>& buffer) noexcept;
    // Samples up to the next frame; the rings do not wrap within them.
    void processRun (float* const* data, int channels, int start, int length) noexcept;
    void processFrame (int channels) noexcept;
    void analyse (int channels) noexcept;
    void computeEnvelope (float tone) noexcept;
    void computeGains (float shift) noexcept;
    void synthesise (int channels) noexcept;
    void clearAccumulators() noexcept;

    FormantTransforms transforms;
    int fftSize = 0, hopSize = 0, numChannels = 1;
    double sampleRate = 48000.0;

    std::vector<float> window, windowSquared;
    std::vector<Channel> channelState;
    std::vector<float> windowPower, magnitude, previousMagnitude, envelope, gains, bandWeight, mixValues;

    juce::uint64 sampleCounter = 0;
    // sampleCounter modulo n, 2 n and the hop, kept up instead of divided out.
    size_t inputIndex = 0, outIndex = 0, hopPhase = 0;
    bool accumulatorsClear = true;
    float makeupGain = 1.0f;
    float flux = 0.0f, totalMagnitude = 0.0f;
    Smoother shiftSmoother, toneSmoother, mixSmoother;
};
