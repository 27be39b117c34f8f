#include "modules/HalfBandOversampler.h"

#include "modules/Prefault.h"

void HalfBandOversampler::prepare (int numChannels, std::initializer_list<Stage> stageList, int maximumBlockSize)
{
    channels = juce::jlimit (1, maxChannels, numChannels);
    numStages = juce::jmin (maxStages, (int) stageList.size());

    // The framework's oversampler, asked once, gives the latency of these designs.
    juce::dsp::Oversampling<float> reference ((size_t) channels);
    int k = 0, length = maximumBlockSize;
    for (const auto& s : stageList)
    {
        if (k == numStages)
            break;
        reference.addOversamplingStage (juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, s.widthUp, s.stopUp,
                                        s.widthDown, s.stopDown);
        auto& stage = stages[(size_t) k++];
        stage.up.design (s.widthUp, s.stopUp);
        stage.down.design (s.widthDown, s.stopDown);
        stage.up.prepare (channels);
        stage.down.prepare (channels);
        length *= 2;
        stage.buffer.setSize (channels, length);
        prefault (stage.buffer);
    }
    reference.setUsingIntegerLatency (false);
    const double uncompensated = reference.getLatencyInSamples();

    // Rounded up to whole samples by a fractional delay of at least 0.618, which the
    // Thiran all-pass needs to stay well behaved.
    fractionalDelay = (float) (1.0 - (uncompensated - std::floor (uncompensated)));
    if (fractionalDelay == 1.0f)
        fractionalDelay = 0.0f;
    else if (fractionalDelay < 0.618f)
        fractionalDelay += 1.0f;
    latency = uncompensated + fractionalDelay;

    delay.prepare (channels, fractionalDelay);
    reset();
}

void HalfBandOversampler::reset() noexcept
{
    for (int k = 0; k < numStages; ++k)
    {
        stages[(size_t) k].up.reset();
        stages[(size_t) k].down.reset();
    }
    delay.reset();
}

juce::dsp::AudioBlock<float> HalfBandOversampler::processSamplesUp (const juce::dsp::AudioBlock<float>& input) noexcept
{
    const int numChannels = juce::jmin ((int) input.getNumChannels(), channels);
    int n = (int) input.getNumSamples();
    const float* inputChannels[maxChannels] {};
    for (int ch = 0; ch < numChannels; ++ch)
        inputChannels[ch] = input.getChannelPointer ((size_t) ch);
    const float* const* source = inputChannels;

    for (int k = 0; k < numStages; ++k)
    {
        auto& stage = stages[(size_t) k];
        stage.up.interpolate (source, stage.buffer.getArrayOfWritePointers(), numChannels, n);
        source = stage.buffer.getArrayOfReadPointers();
        n *= 2;
    }
    auto& last = stages[(size_t) numStages - 1].buffer;
    return juce::dsp::AudioBlock<float> (last.getArrayOfWritePointers(), (size_t) numChannels, (size_t) n);
}

void HalfBandOversampler::processSamplesDown (juce::dsp::AudioBlock<float>& output) noexcept
{
    const int numChannels = juce::jmin ((int) output.getNumChannels(), channels);
    const int n = (int) output.getNumSamples();
    for (int k = numStages - 1; k >= 0; --k)
    {
        const int length = n << k; // this stage's output length
        auto& stage = stages[(size_t) k];
        float* targetChannels[maxChannels] {};
        for (int ch = 0; ch < numChannels; ++ch)
            targetChannels[ch] = k > 0 ? stages[(size_t) k - 1].buffer.getWritePointer (ch) : output.getChannelPointer ((size_t) ch);
        stage.down.decimate (stage.buffer.getArrayOfReadPointers(), targetChannels, numChannels, length);
    }

    if (fractionalDelay > 0.0f)
    {
        float* channelPointers[maxChannels] {};
        for (int ch = 0; ch < numChannels; ++ch)
            channelPointers[ch] = output.getChannelPointer ((size_t) ch);
        delay.process (channelPointers, numChannels, n);
    }
}
