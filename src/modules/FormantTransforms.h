#pragma once

#include <juce_dsp/juce_dsp.h>

#include <complex>
#include <memory>
#include <vector>

// The formant's transforms at one frame size n: a complex one each way (both channels of a
// stereo frame travel in it as its real and imaginary parts) and the even real transform that
// takes a log spectrum to its cepstrum and back. Each works on arrays it owns, so that FFTW's
// plans can be made once for them, aligned and out of place. The forward and even transforms
// are unscaled; what the inverse needs is inverseScale().
#if LUMIVOX_FFTW_WISDOM
class FftwFormantTransforms
{
public:
    FftwFormantTransforms();
    ~FftwFormantTransforms();
    // It owns its arrays and plans: moved, never copied.
    FftwFormantTransforms (FftwFormantTransforms&& other) noexcept;
    FftwFormantTransforms& operator= (FftwFormantTransforms&& other) noexcept;
    FftwFormantTransforms (const FftwFormantTransforms&) = delete;
    FftwFormantTransforms& operator= (const FftwFormantTransforms&) = delete;

    // Plans from the build's recorded wisdom, else by estimate; with search, plans by measuring
    // (what the build records).
    void prepare (int order, bool search = false);
    bool isPrepared() const noexcept { return forwardPlan != nullptr; }
    // Whether the recorded wisdom gave all three plans.
    bool plannedFromWisdom() const noexcept { return fromWisdom; }

    std::complex<float>* frame() noexcept { return frameData; }
    std::complex<float>* spectrum() noexcept { return spectrumData; }
    void forward() noexcept; // frame to spectrum
    // Spectrum to frame, multiplied by n: scale the spectrum by inverseScale() first for the true inverse.
    void inverse() noexcept;
    float inverseScale() const noexcept { return scale; }

    // n / 2 + 1 values x[0..h]: y[k] = x[0] + (-1)^k x[h] + 2 sum x[j] cos (pi j k / h), in place;
    // the transform of the even sequence of length n that x is the first half of.
    float* even() noexcept { return evenData; }
    void evenTransform() noexcept;

private:
    // Under the planner's lock.
    void destroyPlans() noexcept;
    void release() noexcept;

    std::complex<float>* frameData = nullptr;
    std::complex<float>* spectrumData = nullptr;
    float* evenData = nullptr;
    void* forwardPlan = nullptr;
    void* inversePlan = nullptr;
    void* evenPlan = nullptr;
    float scale = 1.0f;
    bool fromWisdom = false;
};
#endif

// The same transforms on the framework's FFT, for builds without FFTW.
class FrameworkFormantTransforms
{
public:
    void prepare (int order);
    bool isPrepared() const noexcept { return fft != nullptr; }

    std::complex<float>* frame() noexcept { return frameData.data(); }
    std::complex<float>* spectrum() noexcept { return spectrumData.data(); }
    void forward() noexcept;
    // The framework's inverse divides by n itself.
    void inverse() noexcept;
    float inverseScale() const noexcept { return 1.0f; }

    float* even() noexcept { return evenData.data(); }
    void evenTransform() noexcept;

private:
    std::unique_ptr<juce::dsp::FFT> fft;
    std::vector<std::complex<float>> frameData, spectrumData;
    std::vector<float> evenData, realWork;
};

#if LUMIVOX_FFTW_WISDOM
using FormantTransforms = FftwFormantTransforms;
#else
using FormantTransforms = FrameworkFormantTransforms;
#endif
