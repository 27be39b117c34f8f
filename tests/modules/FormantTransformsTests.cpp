#include "modules/FftWisdom.h"
#include "modules/FormantProcessor.h"
#include "modules/FormantTransforms.h"

#include <gtest/gtest.h>

#if LUMIVOX_FFTW_WISDOM
#include <fftw3.h>
#endif

namespace
{
using Complex = std::complex<double>;

std::vector<Complex> dft (const std::vector<Complex>& x, int sign)
{
    const size_t n = x.size();
    std::vector<Complex> y (n);
    for (size_t k = 0; k < n; ++k)
        for (size_t j = 0; j < n; ++j)
            y[k] += x[j] * std::polar (1.0, sign * juce::MathConstants<double>::twoPi * (double) ((j * k) % n) / (double) n);
    return y;
}

// Largest difference relative to the largest value expected.
template <typename Got>
double relativeError (const std::vector<Complex>& expected, const Got* got, double scale = 1.0)
{
    double peak = 0.0, error = 0.0;
    for (size_t i = 0; i < expected.size(); ++i)
    {
        peak = std::max (peak, std::abs (expected[i]));
        error = std::max (error, std::abs (expected[i] - Complex (got[i]) * scale));
    }
    return error / peak;
}

// Forward, inverse and the even transform against their definitions, at the formant's smallest
// and largest sizes.
template <typename Transforms>
void expectTheDefinitions()
{
    for (const int order : { FormantProcessor::lowestFftOrder, FormantProcessor::highestFftOrder })
    {
        const int n = 1 << order;
        Transforms t;
        t.prepare (order);
        ASSERT_TRUE (t.isPrepared());

        std::vector<Complex> signal ((size_t) n);
        for (int i = 0; i < n; ++i)
            signal[(size_t) i] = { std::sin (0.37 * i) + 0.1 * (i % 7), std::cos (0.11 * i) - 0.05 * (i % 5) };
        std::copy (signal.begin(), signal.end(), t.frame());
        t.forward();
        const auto spectrum = dft (signal, -1);
        EXPECT_LT (relativeError (spectrum, t.spectrum()), 1.0e-6) << "forward, order " << order;

        for (int k = 0; k < n; ++k)
            t.spectrum()[k] *= t.inverseScale();
        t.inverse();
        EXPECT_LT (relativeError (signal, t.frame()), 1.0e-6) << "inverse, order " << order;

        // The even transform is the complex one of the whole even sequence.
        const int half = n / 2;
        std::vector<Complex> evenSequence ((size_t) n);
        for (int j = 0; j <= half; ++j)
        {
            const double x = std::exp (-0.01 * j) * std::cos (0.3 * j) + (j % 3 == 0 ? 0.2 : 0.0);
            t.even()[j] = (float) x;
            evenSequence[(size_t) j] = evenSequence[(size_t) ((n - j) % n)] = x;
        }
        t.evenTransform();
        auto expected = dft (evenSequence, -1);
        expected.resize ((size_t) half + 1);
        EXPECT_LT (relativeError (expected, t.even()), 1.0e-6) << "even, order " << order;
    }
}
} // namespace

TEST (FormantTransforms, TheFrameworksFftMeetsTheDefinitions)
{
    expectTheDefinitions<FrameworkFormantTransforms>();
}

#if LUMIVOX_FFTW_WISDOM

TEST (FormantTransforms, FftwMeetsTheDefinitions)
{
    expectTheDefinitions<FftwFormantTransforms>();
}

TEST (FormantTransforms, AMovedFftwTransformTakesItsPlansAlong)
{
    // The module that holds it may be moved; its arrays and plans must be freed once.
    FftwFormantTransforms original;
    original.prepare (FormantProcessor::lowestFftOrder);
    original.frame()[1] = { 1.0f, 0.0f };
    FftwFormantTransforms moved (std::move (original));
    EXPECT_FALSE (original.isPrepared());
    ASSERT_TRUE (moved.isPrepared());
    moved.forward();
    EXPECT_FLOAT_EQ (std::abs (moved.spectrum()[5]), 1.0f) << "a delayed impulse has a flat spectrum";

    FftwFormantTransforms assigned;
    assigned.prepare (FormantProcessor::highestFftOrder);
    assigned = std::move (moved);
    EXPECT_TRUE (assigned.isPrepared());
    EXPECT_FALSE (moved.isPrepared());
}

TEST (FormantTransforms, TheRecordedWisdomPlansEveryOrder)
{
    // Wisdom this FFTW could not use would leave every start to plans by estimate.
    fftwf_forget_wisdom();
    ASSERT_EQ (fftwf_import_wisdom_from_string (FftWisdom::recorded), 1) << "the build's own FFTW takes its wisdom";
    for (int order = FormantProcessor::lowestFftOrder; order <= FormantProcessor::highestFftOrder; ++order)
    {
        FftwFormantTransforms t;
        t.prepare (order);
        EXPECT_TRUE (t.plannedFromWisdom()) << "order " << order;
    }
}

#endif
