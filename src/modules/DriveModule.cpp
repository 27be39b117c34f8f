#include "modules/DriveModule.h"

#include "engine/Prefault.h"
#include "modules/DriveCurves.h"

namespace
{
using Oversampling = juce::dsp::Oversampling<float>;

struct Stage
{
    float widthUp, stopUp, widthDown, stopDown;
};

constexpr Stage firstStage { 0.05f, -90.0f, 0.06f, -75.0f };
constexpr Stage secondStage { 0.10f, -80.0f, 0.12f, -65.0f };

std::unique_ptr<Oversampling> makeOversampler (size_t channels, std::initializer_list<Stage> stages, size_t maxBlock)
{
    auto o = std::make_unique<Oversampling> (channels);
    for (const auto& s : stages)
        o->addOversamplingStage (Oversampling::filterHalfBandPolyphaseIIR, s.widthUp, s.stopUp, s.widthDown, s.stopDown);
    o->setUsingIntegerLatency (true);
    o->initProcessing (maxBlock);
    return o;
}
} // namespace

int DriveModule::ultraPathLatency()
{
    // The half-band designs are in normalised frequency, so the latency in base-rate
    // samples is the same at every sample rate; it is known before the first prepare.
    static const int latency = (int) std::ceil (makeOversampler (1, { firstStage, secondStage }, 64)->getLatencyInSamples());
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
        case fold: return std::asin (std::sin (juce::jlimit (-3.0f, 3.0f, x)));
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
    if (q == 1)
        return (int) std::ceil (oversampler2x->getLatencyInSamples());
    if (q == 2)
        return (int) std::ceil (oversampler4x->getLatencyInSamples());
    return 0;
}

void DriveModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;

    const int ramp = (int) std::floor (0.02 * sampleRate);
    gainSmoother.reset (ramp);
    mixSmoother.reset (ramp);
    gainSmoother.setCurrentAndTargetValue (1.0f);
    mixSmoother.setCurrentAndTargetValue (0.0f);

    dryBuffer.setSize ((int) spec.numChannels, (int) spec.maximumBlockSize);
    wetBuffer.setSize ((int) spec.numChannels, (int) spec.maximumBlockSize);
    prefault (dryBuffer);
    prefault (wetBuffer);

    oversampler2x = makeOversampler (spec.numChannels, { firstStage }, spec.maximumBlockSize);
    oversampler4x = makeOversampler (spec.numChannels, { firstStage, secondStage }, spec.maximumBlockSize);

    latencySamples = (int) std::ceil (oversampler4x->getLatencyInSamples());
    dryDelay.prepare ((int) spec.numChannels, latencySamples, (int) spec.maximumBlockSize);
    wetDelay.prepare ((int) spec.numChannels, latencySamples, (int) spec.maximumBlockSize);

    clearState();
}

void DriveModule::clearState()
{
    dryBuffer.clear();
    dryDelay.reset();
    wetDelay.reset();
    if (oversampler2x != nullptr)
        oversampler2x->reset();
    if (oversampler4x != nullptr)
        oversampler4x->reset();
    lastQuality = -1;
}

void DriveModule::reset()
{
    clearState();
}

void DriveModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    const int n = buffer.getNumSamples();
    const int channels = juce::jmin (buffer.getNumChannels(), dryBuffer.getNumChannels());
    if (oversampler4x == nullptr || n > dryBuffer.getNumSamples())
        return;

    // The buffers' first `channels` channels, for the latency lines.
    juce::AudioBuffer<float> input (buffer.getArrayOfWritePointers(), channels, n);
    dryDelay.process (input, dryBuffer, n);

    if (! enabled && ! mixSmoother.isSmoothing() && mixSmoother.getCurrentValue() == 0.0f)
    {
        for (int ch = 0; ch < channels; ++ch)
            buffer.copyFrom (ch, 0, dryBuffer, ch, 0, n);
        lastQuality = -1;
        return;
    }

    gainSmoother.setTargetValue (std::pow (10.0f, juce::jlimit (0.0f, 36.0f, driveDb) / 20.0f));
    mixSmoother.setTargetValue (enabled ? mix : 0.0f);

    const int q = juce::jlimit (0, 2, quality);
    if (q != lastQuality)
    {
        oversampler2x->reset();
        oversampler4x->reset();
        wetDelay.setDelay (latencySamples - latencyOfQuality (q));
        wetDelay.reset();
        mixSmoother.setCurrentAndTargetValue (0.0f);
        if (enabled)
            mixSmoother.setTargetValue (mix);
        lastQuality = q;
    }

    for (int i = 0; i < n; ++i)
    {
        const float g = gainSmoother.getNextValue();
        for (int ch = 0; ch < channels; ++ch)
            buffer.getWritePointer (ch)[i] *= g;
    }

    juce::dsp::AudioBlock<float> block (buffer.getArrayOfWritePointers(), (size_t) channels, (size_t) n);
    if (q == 0)
        applyShape (block);
    else
    {
        auto& oversampler = q == 1 ? *oversampler2x : *oversampler4x;
        applyShape (oversampler.processSamplesUp (block));
        oversampler.processSamplesDown (block);
    }

    wetDelay.process (input, wetBuffer, n);
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
