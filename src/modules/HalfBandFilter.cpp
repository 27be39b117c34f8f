#include "modules/HalfBandFilter.h"

void HalfBandFilter::design (float normalisedTransitionWidth, float stopbandDb)
{
    const auto structure = juce::dsp::FilterDesign<float>::designIIRLowpassHalfBandPolyphaseAllpassMethod (normalisedTransitionWidth, stopbandDb);
    coefficients.clear();
    for (int i = 0; i < structure.directPath.size(); ++i)
        coefficients.push_back (structure.directPath.getObjectPointer (i)->coefficients[0]);
    // The delayed chain's first section is the delay itself.
    for (int i = 1; i < structure.delayedPath.size(); ++i)
        coefficients.push_back (structure.delayedPath.getObjectPointer (i)->coefficients[0]);

    const int total = (int) coefficients.size();
    delayedStages = total / 2;
    directStages = total - delayedStages;

    // Stage k of both chains side by side; the direct chain's extra last stage (when it has
    // one) runs on its own.
    laneCoefficients.assign ((size_t) delayedStages, Float4 {});
    for (int k = 0; k < delayedStages; ++k)
    {
        const float direct = coefficients[(size_t) k], delayed = coefficients[(size_t) (directStages + k)];
        laneCoefficients[(size_t) k] = Float4 { direct, direct, delayed, delayed };
    }
}

void HalfBandFilter::prepare (int numChannels)
{
    states.assign ((size_t) juce::jmax (1, numChannels), std::vector<float> (coefficients.size(), 0.0f));
    delayedSample.assign (states.size(), 0.0f);
    laneStates.assign ((size_t) delayedStages, Float4 {});
    extraStates = { 0.0f, 0.0f };
}

void HalfBandFilter::reset() noexcept
{
    for (auto& channel : states)
        std::fill (channel.begin(), channel.end(), 0.0f);
    std::fill (delayedSample.begin(), delayedSample.end(), 0.0f);
    std::fill (laneStates.begin(), laneStates.end(), Float4 {});
    extraStates = { 0.0f, 0.0f };
}

float HalfBandFilter::runChain (float x, float* s, int first, int last) const noexcept
{
    for (int k = first; k < last; ++k)
    {
        const float alpha = coefficients[(size_t) k];
        const float out = alpha * x + s[k];
        s[k] = x - alpha * out;
        x = out;
    }
    return x;
}

template <int common, bool extra, bool decimating>
void HalfBandFilter::runStereoKernel (const float* const* input, float* const* output, int n) noexcept
{
    // The states live in registers for the whole block: a fixed number of stages per design.
    Float4 alpha[(size_t) common], state[(size_t) common];
    for (int k = 0; k < common; ++k)
    {
        alpha[k] = laneCoefficients[(size_t) k];
        state[k] = laneStates[(size_t) k];
    }
    const float extraAlpha = extra ? coefficients[(size_t) common] : 0.0f;
    float extraL = extraStates[0], extraR = extraStates[1];
    float lastL = delayedSample[0], lastR = delayedSample[1];
    const float *inL = input[0], *inR = input[1];
    float *outL = output[0], *outR = output[1];

    for (int i = 0; i < n; ++i)
    {
        // Lanes: left direct, right direct, left delayed, right delayed.
        Float4 x = decimating ? Float4 { inL[2 * i], inR[2 * i], inL[2 * i + 1], inR[2 * i + 1] }
                              : Float4 { inL[i], inR[i], inL[i], inR[i] };
        for (int k = 0; k < common; ++k)
        {
            const Float4 out = alpha[k] * x + state[k];
            state[k] = x - alpha[k] * out;
            x = out;
        }
        float directL = x[0], directR = x[1];
        if (extra)
        {
            const float outExtraL = extraAlpha * directL + extraL;
            extraL = directL - extraAlpha * outExtraL;
            directL = outExtraL;
            const float outExtraR = extraAlpha * directR + extraR;
            extraR = directR - extraAlpha * outExtraR;
            directR = outExtraR;
        }
        if (decimating)
        {
            outL[i] = (lastL + directL) * 0.5f;
            outR[i] = (lastR + directR) * 0.5f;
            lastL = x[2];
            lastR = x[3];
        }
        else
        {
            outL[2 * i] = directL;
            outR[2 * i] = directR;
            outL[2 * i + 1] = x[2];
            outR[2 * i + 1] = x[3];
        }
    }

    for (int k = 0; k < common; ++k)
        laneStates[(size_t) k] = state[k];
    extraStates = { extraL, extraR };
    if (decimating)
    {
        delayedSample[0] = lastL;
        delayedSample[1] = lastR;
    }
}

template <bool decimating>
bool HalfBandFilter::runStereo (const float* const* input, float* const* output, int n) noexcept
{
    const bool extra = directStages > delayedStages;
    switch (delayedStages * 2 + (extra ? 1 : 0))
    {
        case 2: runStereoKernel<1, false, decimating> (input, output, n); return true;
        case 3: runStereoKernel<1, true, decimating> (input, output, n); return true;
        case 4: runStereoKernel<2, false, decimating> (input, output, n); return true;
        case 5: runStereoKernel<2, true, decimating> (input, output, n); return true;
        case 6: runStereoKernel<3, false, decimating> (input, output, n); return true;
        case 7: runStereoKernel<3, true, decimating> (input, output, n); return true;
        case 8: runStereoKernel<4, false, decimating> (input, output, n); return true;
        case 9: runStereoKernel<4, true, decimating> (input, output, n); return true;
        default: return false;
    }
}

template <bool decimating>
void HalfBandFilter::runPlain (const float* const* input, float* const* output, int numChannels, int n) noexcept
{
    for (int ch = 0; ch < numChannels; ++ch)
    {
        float* st = states[(size_t) ch].data();
        float last = delayedSample[(size_t) ch];
        for (int i = 0; i < n; ++i)
        {
            if (decimating)
            {
                const float direct = runChain (input[ch][2 * i], st, 0, directStages);
                output[ch][i] = (last + direct) * 0.5f;
                last = runChain (input[ch][2 * i + 1], st, directStages, directStages + delayedStages);
            }
            else
            {
                output[ch][2 * i] = runChain (input[ch][i], st, 0, directStages);
                output[ch][2 * i + 1] = runChain (input[ch][i], st, directStages, directStages + delayedStages);
            }
        }
        delayedSample[(size_t) ch] = last;
    }
}

void HalfBandFilter::interpolate (const float* const* input, float* const* output, int numChannels, int n) noexcept
{
    if (numChannels != 2 || ! runStereo<false> (input, output, n))
        runPlain<false> (input, output, numChannels, n);
    snapStatesToZero();
}

void HalfBandFilter::decimate (const float* const* input, float* const* output, int numChannels, int n) noexcept
{
    if (numChannels != 2 || ! runStereo<true> (input, output, n))
        runPlain<true> (input, output, numChannels, n);
    snapStatesToZero();
}

void HalfBandFilter::snapStatesToZero() noexcept
{
    // Tiny states are set to zero after every block, as the framework's stage does, which
    // keeps both equal and keeps denormals away.
    const auto snap = [] (float& x) { if (! (x < -1.0e-8f || x > 1.0e-8f)) x = 0.0f; };
    for (auto& channel : states)
        for (auto& s : channel)
            snap (s);
    for (auto& lanes : laneStates)
        for (int lane = 0; lane < 4; ++lane)
        {
            float x = lanes[lane];
            snap (x);
            lanes[lane] = x;
        }
    for (auto& x : extraStates)
        snap (x);
}
