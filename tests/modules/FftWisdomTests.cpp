#include "modules/FftWisdom.h"
#include "modules/FormantProcessor.h"

#include <gtest/gtest.h>

#if LUMIVOX_FFTW_WISDOM

#include <fftw3.h>

namespace
{
// Every transform the formant uses, on one fixed signal, one after the other.
std::vector<float> transformsAt (int order)
{
    const int n = 1 << order;
    juce::dsp::FFT fft (order);
    std::vector<std::complex<float>> in ((size_t) n), out ((size_t) n);
    std::vector<float> real ((size_t) (2 * n)), results;
    for (int i = 0; i < n; ++i)
    {
        in[(size_t) i] = { std::sin (0.37f * (float) i) + 0.1f * (float) (i % 7), std::cos (0.11f * (float) i) };
        real[(size_t) i] = in[(size_t) i].real();
    }
    const auto keep = [&results] (const float* data, int count) { results.insert (results.end(), data, data + count); };

    fft.perform (in.data(), out.data(), false);
    keep (reinterpret_cast<const float*> (out.data()), 2 * n);
    fft.perform (out.data(), in.data(), true);
    keep (reinterpret_cast<const float*> (in.data()), 2 * n);
    fft.performRealOnlyForwardTransform (real.data(), true);
    keep (real.data(), 2 * n);
    fft.performRealOnlyInverseTransform (real.data());
    keep (real.data(), 2 * n);
    return results;
}
} // namespace

TEST (FftWisdom, RecordedPlansTransformExactlyAsFreshlySearchedOnes)
{
    for (int order = FormantProcessor::lowestFftOrder; order <= FormantProcessor::highestFftOrder; ++order)
    {
        fftwf_forget_wisdom();
        const auto searched = transformsAt (order);

        fftwf_forget_wisdom();
        ASSERT_EQ (fftwf_import_wisdom_from_string (FftWisdom::recorded), 1) << "the build's own FFTW takes its wisdom";
        const auto recorded = transformsAt (order);

        ASSERT_EQ (searched.size(), recorded.size());
        for (size_t i = 0; i < searched.size(); ++i)
            ASSERT_EQ (searched[i], recorded[i]) << "order " << order << ", value " << i;
    }
}

#endif
