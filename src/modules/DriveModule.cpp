#include "modules/DriveModule.h"

#include "modules/DriveCurves.h"
#include "modules/LinearCrossfade.h"
#include "modules/Prefault.h"

namespace
{
using Stage = HalfBandOversampler::Stage;

constexpr Stage firstStage { 0.05f, -90.0f, 0.06f, -75.0f };
constexpr Stage secondStage { 0.10f, -80.0f, 0.12f, -65.0f };
} // namespace

int DriveModule::ultraPathLatency()
{
    // The half-band designs are in normalised frequency, so the latency in base-rate
    // samples is the same at every sample rate; it is known before the first prepare.
    static const int latency = []
    {
        HalfBandOversampler ultra;
        ultra.prepare (1, { firstStage, secondStage }, 64);
        return (int) std::ceil (ultra.getLatencyInSamples());
    }();
    return latency;
}

DriveModule::DriveModule() : latencySamples (ultraPathLatency())
{
    gainSmoother.setCurrentAndTargetValue (1.0f);
    mixSmoother.setCurrentAndTargetValue (0.0f);
}

float DriveModule::shapeSample (int s, float x) noexcept
{
    switch (s)
    {
        case hard: return juce::jlimit (-1.0f, 1.0f, x);
        case tube: return polynomialAtan (1.8f * x) * (2.0f / juce::MathConstants<float>::pi);
        case fold: return foldBack (x);
        default:   return rationalTanh (x);
    }
}

void DriveModule::applyShape (juce::dsp::AudioBlock<float> block) const noexcept
{
    for (size_t ch = 0; ch < block.getNumChannels(); ++ch)
    {
        auto* data = block.getChannelPointer (ch);
        const auto n = block.getNumSamples();
        switch (shape)
        {
            case hard: juce::FloatVectorOperations::clip (data, data, -1.0f, 1.0f, (int) n); break;
            case tube: for (size_t i = 0; i < n; ++i) data[i] = shapeSample (tube, data[i]); break;
            case fold: for (size_t i = 0; i < n; ++i) data[i] = shapeSample (fold, data[i]); break;
            default:   for (size_t i = 0; i < n; ++i) data[i] = rationalTanh (data[i]); break;
        }
    }
}

int DriveModule::latencyOfQuality (int q) const noexcept
{
    return q == 0 ? 0 : (int) std::ceil (oversamplers[(size_t) q - 1].getLatencyInSamples());
}

void DriveModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;

    const int ramp = (int) std::floor (0.02 * sampleRate);
    gainSmoother.reset (ramp);
    mixSmoother.reset (ramp);
    gainSmoother.setCurrentAndTargetValue (1.0f);
    mixSmoother.setCurrentAndTargetValue (0.0f);
    fadeStep = 1.0f / (float) juce::jmax (1.0, std::floor (qualityFadeSeconds * sampleRate));

    for (auto* b : { &dryBuffer, &wetBuffer, &fadeBuffer, &fadeWetBuffer })
    {
        b->setSize ((int) spec.numChannels, (int) spec.maximumBlockSize);
        prefault (*b);
    }

    oversamplers[0].prepare ((int) spec.numChannels, { firstStage }, (int) spec.maximumBlockSize);
    oversamplers[1].prepare ((int) spec.numChannels, { firstStage, secondStage }, (int) spec.maximumBlockSize);
    prepared = true;

    latencySamples = latencyOfQuality (2);
    dryDelay.prepare ((int) spec.numChannels, latencySamples, (int) spec.maximumBlockSize);
    for (int q = 0; q < numQualities; ++q)
    {
        wetDelays[(size_t) q].prepare ((int) spec.numChannels, latencySamples, (int) spec.maximumBlockSize);
        wetDelays[(size_t) q].setDelay (latencySamples - latencyOfQuality (q));
    }

    clearState();
}

void DriveModule::clearState()
{
    dryBuffer.clear();
    dryDelay.reset();
    for (int q = 0; q < numQualities; ++q)
        restartPath (q);
    lastQuality = -1;
    fadeGain = 1.0f;
}

void DriveModule::reset()
{
    clearState();
}

void DriveModule::restartPath (int q) noexcept
{
    wetDelays[(size_t) q].reset();
    if (q > 0)
        oversamplers[(size_t) q - 1].reset();
}

void DriveModule::runPath (int q, juce::AudioBuffer<float>& channels, juce::AudioBuffer<float>& wet, int n) noexcept
{
    juce::dsp::AudioBlock<float> block (channels.getArrayOfWritePointers(), (size_t) channels.getNumChannels(), (size_t) n);
    if (q == 0)
        applyShape (block);
    else
    {
        auto& oversampler = oversamplers[(size_t) q - 1];
        applyShape (oversampler.processSamplesUp (block));
        oversampler.processSamplesDown (block);
    }
    wetDelays[(size_t) q].process (channels, wet, n);
}

void DriveModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    const int n = buffer.getNumSamples();
    const int channels = juce::jmin (buffer.getNumChannels(), dryBuffer.getNumChannels());
    if (! prepared || n > dryBuffer.getNumSamples())
        return;

    // The buffers' first `channels` channels, for the latency lines.
    juce::AudioBuffer<float> input (buffer.getArrayOfWritePointers(), channels, n);
    dryDelay.process (input, dryBuffer, n);

    if (! enabled && ! mixSmoother.isSmoothing() && mixSmoother.getCurrentValue() == 0.0f)
    {
        for (int ch = 0; ch < channels; ++ch)
            buffer.copyFrom (ch, 0, dryBuffer, ch, 0, n);
        lastQuality = -1;
        fadeGain = 1.0f;
        return;
    }

    gainSmoother.setTargetValue (std::pow (10.0f, juce::jlimit (0.0f, 36.0f, driveDb) / 20.0f));
    mixSmoother.setTargetValue (enabled ? mix : 0.0f);

    const int q = juce::jlimit (0, numQualities - 1, quality);
    if (q != lastQuality)
    {
        // From silence the mix fades in; from another quality the two paths crossfade.
        if (lastQuality >= 0)
        {
            fadingFrom = lastQuality;
            fadeGain = 0.0f;
        }
        restartPath (q);
        lastQuality = q;
    }

    for (int i = 0; i < n; ++i)
    {
        const float g = gainSmoother.getNextValue();
        for (int ch = 0; ch < channels; ++ch)
            buffer.getWritePointer (ch)[i] *= g;
    }

    const bool fading = fadeGain < 1.0f;
    juce::AudioBuffer<float> oldPath (fadeBuffer.getArrayOfWritePointers(), channels, n);
    if (fading)
        for (int ch = 0; ch < channels; ++ch)
            oldPath.copyFrom (ch, 0, buffer, ch, 0, n);

    runPath (q, input, wetBuffer, n);
    if (fading)
    {
        runPath (fadingFrom, oldPath, fadeWetBuffer, n);
        fadeGain = crossfadeInPlace (fadeWetBuffer, wetBuffer, channels, n, fadeGain, fadeStep);
    }

    for (int i = 0; i < n; ++i)
    {
        const float m = mixSmoother.getNextValue();
        for (int ch = 0; ch < channels; ++ch)
        {
            const float dry = dryBuffer.getSample (ch, i);
            const float wet = wetBuffer.getSample (ch, i);
            buffer.setSample (ch, i, dry + m * (wet - dry));
        }
    }
}
