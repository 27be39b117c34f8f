#include "modules/DelayModule.h"

float DelayModule::timeInSamples() const noexcept
{
    return juce::jlimit (1.0f, (float) (maximumDelaySamples - 1), (float) (sampleRate * timeMs / 1000.0));
}

void DelayModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    line.prepare (spec);
    // Writing every slot once maps the line's pages in here rather than on the audio thread;
    // unwritten, the line's memory is zero pages all the same.
    if (prefaultsMemory)
        for (int ch = 0; ch < (int) spec.numChannels; ++ch)
            for (int i = 0; i <= line.getMaximumDelayInSamples(); ++i)
                line.pushSample (ch, 0.0f);
    timeSmoother.reset ((int) std::floor (0.03 * sampleRate));
    feedbackSmoother.reset ((int) std::floor (0.02 * sampleRate));
    mixSmoother.reset ((int) std::floor (0.02 * sampleRate));
    reset();
}

void DelayModule::reset()
{
    line.reset();
    timeSmoother.setCurrentAndTargetValue (timeInSamples());
    feedbackSmoother.setCurrentAndTargetValue (juce::jlimit (0.0f, 0.95f, feedback));
    mixSmoother.setCurrentAndTargetValue (juce::jlimit (0.0f, 1.0f, mix));
}

void DelayModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    if (! enabled)
        return;

    timeSmoother.setTargetValue (timeInSamples());
    feedbackSmoother.setTargetValue (juce::jlimit (0.0f, 0.95f, feedback));
    mixSmoother.setTargetValue (juce::jlimit (0.0f, 1.0f, mix));

    const float maxDelay = (float) line.getMaximumDelayInSamples();
    auto* const* data = buffer.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float d = juce::jmin (timeSmoother.getNextValue(), maxDelay);
        const float fb = feedbackSmoother.getNextValue();
        const float m = mixSmoother.getNextValue();
        line.setDelay (d);
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        {
            const float x = data[ch][i];
            const float y = line.popSample (ch);
            line.pushSample (ch, x + fb * y);
            data[ch][i] = x + m * (y - x);
        }
    }
}
