#include "modules/ChorusEngine.h"

ChorusEngine::ChorusEngine()
{
    oscillator.initialise ([] (float x) { return std::sin (x); });
    dryWet.setMixingRule (juce::dsp::DryWetMixingRule::linear);
}

void ChorusEngine::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    const auto longest = std::ceil ((maximumDelayModulation * maximumDepth * oscillatorVolume + maximumCentreDelayMs)
                                    * sampleRate / 1000.0);
    lineLength = juce::jmax (4, (int) longest + 1);
    line.setSize ((int) spec.numChannels, lineLength, false, false, true);
    dryWet.prepare (spec);
    feedbackLevel.resize (spec.numChannels);
    lastOutput.resize (spec.numChannels);
    oscillator.prepare (spec);
    delayTimes.setSize (1, (int) spec.maximumBlockSize, false, false, true);
    update();
    reset();
}

void ChorusEngine::reset()
{
    std::fill (lastOutput.begin(), lastOutput.end(), 0.0f);
    line.clear();
    writeIndex = 0;
    oscillator.reset();
    dryWet.reset();
    oscillatorLevel.reset (sampleRate, 0.05);
    for (auto& level : feedbackLevel)
        level.reset (sampleRate, 0.05);
}

void ChorusEngine::setSettings (const Settings& newSettings)
{
    settings = newSettings;
    settings.centreDelayMs = juce::jlimit (1.0f, maximumCentreDelayMs, settings.centreDelayMs);
    update();
}

void ChorusEngine::update()
{
    oscillator.setFrequency (settings.rateHz);
    oscillatorLevel.setTargetValue (settings.depth * oscillatorVolume);
    dryWet.setWetMixProportion (settings.mix);
    for (auto& level : feedbackLevel)
        level.setTargetValue (settings.feedback);
}

void ChorusEngine::process (juce::dsp::AudioBlock<float> block) noexcept
{
    const auto numSamples = block.getNumSamples();
    const auto numChannels = juce::jmin (block.getNumChannels(), lastOutput.size());

    auto times = juce::dsp::AudioBlock<float> (delayTimes).getSubBlock (0, numSamples);
    times.clear();
    oscillator.process (juce::dsp::ProcessContextReplacing<float> (times));
    times.multiplyBy (oscillatorLevel);

    float* delays = delayTimes.getWritePointer (0);
    const auto longest = (float) (lineLength - 1);
    for (size_t i = 0; i < numSamples; ++i)
    {
        const float lfo = juce::jmax (1.0f, maximumDelayModulation * delays[i] + settings.centreDelayMs);
        delays[i] = juce::jlimit (0.0f, longest, (float) (lfo * sampleRate / 1000.0));
    }

    dryWet.pushDrySamples (block);

    for (size_t ch = 0; ch < numChannels; ++ch)
    {
        float* samples = block.getChannelPointer (ch);
        float* ring = line.getWritePointer ((int) ch);
        int w = writeIndex;
        float last = lastOutput[ch];
        for (size_t i = 0; i < numSamples; ++i)
        {
            ring[w] = samples[i] - last;
            // Positive, so truncation is the floor.
            const auto whole = (int) delays[i];
            const float fraction = delays[i] - (float) whole;
            const int newer = w - whole < 0 ? w - whole + lineLength : w - whole;
            const int older = newer == 0 ? lineLength - 1 : newer - 1;
            const float output = ring[newer] + fraction * (ring[older] - ring[newer]);
            samples[i] = output;
            last = output * feedbackLevel[ch].getNextValue();
            w = w + 1 == lineLength ? 0 : w + 1;
        }
        lastOutput[ch] = last;
    }
    writeIndex = (int) (((size_t) writeIndex + numSamples) % (size_t) lineLength);

    dryWet.mixWetSamples (block);
}
