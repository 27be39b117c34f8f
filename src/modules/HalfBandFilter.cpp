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

HalfBandFilter::Float4 HalfBandFilter::runBothChains (Float4 x) noexcept
{
    for (int k = 0; k < delayedStages; ++k)
    {
        const Float4 alpha = laneCoefficients[(size_t) k];
        const Float4 out = alpha * x + laneStates[(size_t) k];
        laneStates[(size_t) k] = x - alpha * out;
        x = out;
    }
    if (directStages > delayedStages)
    {
        const float alpha = coefficients[(size_t) delayedStages];
        for (int lane = 0; lane < 2; ++lane)
        {
            const float in = x[lane];
            const float out = alpha * in + extraStates[(size_t) lane];
            extraStates[(size_t) lane] = in - alpha * out;
            x[lane] = out;
        }
    }
    return x;
}

void HalfBandFilter::interpolate (const float* const* input, float* const* output, int numChannels, int n) noexcept
{
    if (numChannels == 2)
    {
        const float *inL = input[0], *inR = input[1];
        float *outL = output[0], *outR = output[1];
        for (int i = 0; i < n; ++i)
        {
            const Float4 y = runBothChains (Float4 { inL[i], inR[i], inL[i], inR[i] });
            outL[2 * i] = y[0];
            outR[2 * i] = y[1];
            outL[2 * i + 1] = y[2];
            outR[2 * i + 1] = y[3];
        }
    }
    else
    {
        for (int ch = 0; ch < numChannels; ++ch)
        {
            float* s = states[(size_t) ch].data();
            for (int i = 0; i < n; ++i)
            {
                output[ch][2 * i] = runChain (input[ch][i], s, 0, directStages);
                output[ch][2 * i + 1] = runChain (input[ch][i], s, directStages, directStages + delayedStages);
            }
        }
    }
    snapStatesToZero();
}

void HalfBandFilter::decimate (const float* const* input, float* const* output, int numChannels, int n) noexcept
{
    if (numChannels == 2)
    {
        const float *inL = input[0], *inR = input[1];
        float *outL = output[0], *outR = output[1];
        float lastL = delayedSample[0], lastR = delayedSample[1];
        for (int i = 0; i < n; ++i)
        {
            const Float4 y = runBothChains (Float4 { inL[2 * i], inR[2 * i], inL[2 * i + 1], inR[2 * i + 1] });
            outL[i] = (lastL + y[0]) * 0.5f;
            outR[i] = (lastR + y[1]) * 0.5f;
            lastL = y[2];
            lastR = y[3];
        }
        delayedSample[0] = lastL;
        delayedSample[1] = lastR;
    }
    else
    {
        for (int ch = 0; ch < numChannels; ++ch)
        {
            float* s = states[(size_t) ch].data();
            float last = delayedSample[(size_t) ch];
            for (int i = 0; i < n; ++i)
            {
                const float direct = runChain (input[ch][2 * i], s, 0, directStages);
                output[ch][i] = (last + direct) * 0.5f;
                last = runChain (input[ch][2 * i + 1], s, directStages, directStages + delayedStages);
            }
            delayedSample[(size_t) ch] = last;
        }
    }
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
