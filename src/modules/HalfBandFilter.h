#pragma once

#include "modules/Float4.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <vector>

// One polyphase IIR half-band lowpass (the framework's all-pass design), used to double a
// signal's rate or to halve it: two chains of first-order all-passes, a direct and a delayed
// one. Stereo runs both channels and both chains side by side in one SIMD vector with the
// same operations per lane, so the result equals the framework's own oversampling stage.
class HalfBandFilter
{
public:
    void design (float normalisedTransitionWidth, float stopbandDb);
    void prepare (int numChannels);
    void reset() noexcept;

    // n input samples to 2n.
    void interpolate (const float* const* input, float* const* output, int numChannels, int n) noexcept;
    // 2n input samples to n.
    void decimate (const float* const* input, float* const* output, int numChannels, int n) noexcept;

private:
    // One sample through chain stages [first, last) of one channel, in the plain form.
    float runChain (float x, float* states, int first, int last) const noexcept;
    // Both channels and both chains side by side, for designs of up to four stages per chain.
    // False for a design it has no kernel for.
    template <bool decimating>
    bool runStereo (const float* const* input, float* const* output, int n) noexcept;
    // Channel by channel, sample by sample: any channel count and design.
    template <bool decimating>
    void runPlain (const float* const* input, float* const* output, int numChannels, int n) noexcept;
    template <int common, bool extra, bool decimating>
    void runStereoKernel (const float* const* input, float* const* output, int n) noexcept;
    void snapStatesToZero() noexcept;

    std::vector<float> coefficients; // the direct chain's, then the delayed chain's
    int directStages = 0, delayedStages = 0;
    std::vector<std::vector<float>> states;   // per channel, per coefficient
    std::vector<float> delayedSample;         // decimation: each channel's last delayed-chain output
    std::vector<Float4> laneCoefficients, laneStates; // the stages both chains have
    std::array<float, 2> extraStates {};              // the direct chain's extra stage, left and right
};
