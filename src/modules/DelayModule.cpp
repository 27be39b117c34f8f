#include "modules/DelayModule.h"

float DelayModule::timeInSamples() const noexcept
{
    return juce::jlimit (1.0f, (float) (maximumDelaySamples - 1), (float) (sampleRate * timeMs / 1000.0));
}

void DelayModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    ring = {};
    ring.setSize ((int) juce::jmax (1u, spec.numChannels), maximumDelaySamples + 1, false, true);
    // Written once here, the ring's pages are mapped in now rather than on the audio thread;
    // unwritten, they are zero pages all the same.
    if (prefaultsMemory)
        prefault (ring);
    timeSmoother.reset ((int) std::floor (0.03 * sampleRate));
    feedbackSmoother.reset ((int) std::floor (0.02 * sampleRate));
    mixSmoother.reset ((int) std::floor (0.02 * sampleRate));
    reset();
}

void DelayModule::reset()
{
    ring.clear();
    writeIndex = 0;
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

    const int size = ring.getNumSamples();
    const auto maxDelay = (float) (size - 1);
    const int channels = juce::jmin (buffer.getNumChannels(), ring.getNumChannels());
    auto* const* data = buffer.getArrayOfWritePointers();
    auto* const* line = ring.getArrayOfWritePointers();
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float d = juce::jlimit (0.0f, maxDelay, juce::jmin (timeSmoother.getNextValue(), maxDelay));
        const int whole = (int) std::floor (d);
        const float fraction = d - (float) whole;
        const float fb = feedbackSmoother.getNextValue();
        const float m = mixSmoother.getNextValue();

        // The samples written `whole` and `whole + 1` samples ago.
        int newer = writeIndex - whole;
        newer += newer < 0 ? size : 0;
        const int older = newer == 0 ? size - 1 : newer - 1;
        for (int ch = 0; ch < channels; ++ch)
        {
            const float x = data[ch][i];
            const float a = line[ch][newer], b = line[ch][older];
            const float y = a + fraction * (b - a);
            line[ch][writeIndex] = x + fb * y;
            data[ch][i] = x + m * (y - x);
        }
        writeIndex = writeIndex + 1 == size ? 0 : writeIndex + 1;
    }
}
