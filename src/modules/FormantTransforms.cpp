#include "modules/FormantTransforms.h"

#include "modules/FftWisdom.h"

#if LUMIVOX_FFTW_WISDOM

#include <fftw3.h>

#include <mutex>
#include <utility>

namespace
{
// FFTW's planner is not thread-safe, and hosts prepare instances on threads of their own.
std::mutex& plannerLock()
{
    static std::mutex lock;
    return lock;
}

fftwf_plan asPlan (void* plan) noexcept { return static_cast<fftwf_plan> (plan); }
} // namespace

FftwFormantTransforms::FftwFormantTransforms() = default;

FftwFormantTransforms::~FftwFormantTransforms() { release(); }

FftwFormantTransforms::FftwFormantTransforms (FftwFormantTransforms&& other) noexcept { *this = std::move (other); }

FftwFormantTransforms& FftwFormantTransforms::operator= (FftwFormantTransforms&& other) noexcept
{
    if (this != &other)
    {
        release();
        std::swap (frameData, other.frameData);
        std::swap (spectrumData, other.spectrumData);
        std::swap (evenData, other.evenData);
        std::swap (forwardPlan, other.forwardPlan);
        std::swap (inversePlan, other.inversePlan);
        std::swap (evenPlan, other.evenPlan);
        scale = other.scale;
        fromWisdom = other.fromWisdom;
    }
    return *this;
}

void FftwFormantTransforms::destroyPlans() noexcept
{
    for (auto* plan : { forwardPlan, inversePlan, evenPlan })
        if (plan != nullptr)
            fftwf_destroy_plan (asPlan (plan));
    forwardPlan = inversePlan = evenPlan = nullptr;
}

void FftwFormantTransforms::release() noexcept
{
    const std::lock_guard<std::mutex> guard (plannerLock());
    destroyPlans();
    fftwf_free (frameData);
    fftwf_free (spectrumData);
    fftwf_free (evenData);
    frameData = spectrumData = nullptr;
    evenData = nullptr;
}

void FftwFormantTransforms::prepare (int order, bool search)
{
    release();
    if (! search)
        FftWisdom::load();
    const int n = 1 << order;
    const int evenSize = n / 2 + 1;

    const std::lock_guard<std::mutex> guard (plannerLock());
    frameData = reinterpret_cast<std::complex<float>*> (fftwf_alloc_complex ((size_t) n));
    spectrumData = reinterpret_cast<std::complex<float>*> (fftwf_alloc_complex ((size_t) n));
    evenData = fftwf_alloc_real ((size_t) evenSize);

    auto* frame = reinterpret_cast<fftwf_complex*> (frameData);
    auto* spectrum = reinterpret_cast<fftwf_complex*> (spectrumData);
    const auto plan = [&] (unsigned flags)
    {
        forwardPlan = fftwf_plan_dft_1d (n, frame, spectrum, FFTW_FORWARD, flags);
        inversePlan = fftwf_plan_dft_1d (n, spectrum, frame, FFTW_BACKWARD, flags);
        evenPlan = fftwf_plan_r2r_1d (evenSize, evenData, evenData, FFTW_REDFT00, flags);
        return forwardPlan != nullptr && inversePlan != nullptr && evenPlan != nullptr;
    };
    // Measuring takes some milliseconds per plan; the build has done it for this machine's FFTW.
    fromWisdom = ! search && plan (FFTW_MEASURE | FFTW_WISDOM_ONLY);
    if (! fromWisdom)
    {
        destroyPlans();
        plan (search ? FFTW_MEASURE : FFTW_ESTIMATE);
    }

    // Measuring wrote into the arrays.
    std::fill_n (frameData, n, std::complex<float>());
    std::fill_n (spectrumData, n, std::complex<float>());
    std::fill_n (evenData, evenSize, 0.0f);
    scale = 1.0f / (float) n;
}

void FftwFormantTransforms::forward() noexcept
{
    fftwf_execute (asPlan (forwardPlan));
}

void FftwFormantTransforms::inverse() noexcept
{
    fftwf_execute (asPlan (inversePlan));
}

void FftwFormantTransforms::evenTransform() noexcept
{
    fftwf_execute (asPlan (evenPlan));
}

#endif

void FrameworkFormantTransforms::prepare (int order)
{
    const auto n = (size_t) 1 << order;
    fft = std::make_unique<juce::dsp::FFT> (order);
    frameData.assign (n, {});
    spectrumData.assign (n, {});
    evenData.assign (n / 2 + 1, 0.0f);
    realWork.assign (2 * n, 0.0f);
}

void FrameworkFormantTransforms::forward() noexcept
{
    fft->perform (frameData.data(), spectrumData.data(), false);
}

void FrameworkFormantTransforms::inverse() noexcept
{
    fft->perform (spectrumData.data(), frameData.data(), true);
}

void FrameworkFormantTransforms::evenTransform() noexcept
{
    // The whole even sequence through the real transform; its spectrum is real.
    const size_t half = evenData.size() - 1, n = 2 * half;
    std::copy (evenData.begin(), evenData.end(), realWork.begin());
    for (size_t j = 1; j < half; ++j)
        realWork[n - j] = evenData[j];
    std::fill (realWork.begin() + (std::ptrdiff_t) n, realWork.end(), 0.0f);
    fft->performRealOnlyForwardTransform (realWork.data(), true);
    for (size_t k = 0; k <= half; ++k)
        evenData[k] = realWork[2 * k];
}
