#include "SignalStats.h"

void SignalStats::add (const juce::AudioBuffer<float>& buffer, int startFrame, int numFrames)
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
    {
        const float* data = buffer.getReadPointer (ch, startFrame);
        for (int i = 0; i < numFrames; ++i)
        {
            const float x = data[i];
            if (! std::isfinite (x))
            {
                ++nonFiniteSamples;
                continue;
            }
            peak = juce::jmax (peak, std::abs (x));
            sumOfSquares += (double) x * (double) x;
            ++finiteSamples;
        }
    }
}

double SignalStats::getRms() const noexcept
{
    return finiteSamples > 0 ? std::sqrt (sumOfSquares / (double) finiteSamples) : 0.0;
}
