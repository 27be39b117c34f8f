#include "SignalStats.h"

SignalStats SignalStats::measure (const juce::AudioBuffer<float>& buffer)
{
    SignalStats stats;
    double sumOfSquares = 0.0;
    juce::int64 finiteSamples = 0;

    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
    {
        const float* data = buffer.getReadPointer (ch);
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const float x = data[i];
            if (! std::isfinite (x))
            {
                ++stats.nonFiniteSamples;
                continue;
            }
            stats.peak = juce::jmax (stats.peak, std::abs (x));
            sumOfSquares += (double) x * (double) x;
            ++finiteSamples;
        }
    }

    if (finiteSamples > 0)
        stats.rms = std::sqrt (sumOfSquares / (double) finiteSamples);
    return stats;
}
