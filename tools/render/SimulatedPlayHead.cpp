#include "SimulatedPlayHead.h"

SimulatedPlayHead::SimulatedPlayHead (double rate, double tempo, double startPpq, bool isPlaying)
    : sampleRate (rate), bpm (tempo), ppq (startPpq), playing (isPlaying)
{
}

juce::Optional<juce::AudioPlayHead::PositionInfo> SimulatedPlayHead::getPosition() const
{
    const double heardPpq = ppq - latency / sampleRate * bpm / 60.0;
    const auto heardSamples = timeInSamples - latency;
    PositionInfo info;
    info.setBpm (bpm);
    info.setTimeSignature (TimeSignature { 4, 4 });
    info.setPpqPosition (heardPpq);
    info.setPpqPositionOfLastBarStart (std::floor (heardPpq / 4.0) * 4.0);
    info.setTimeInSamples (heardSamples);
    info.setTimeInSeconds ((double) heardSamples / sampleRate);
    info.setIsPlaying (playing);
    return info;
}

void SimulatedPlayHead::advance (int numSamples)
{
    if (! playing)
        return;

    timeInSamples += numSamples;
    ppq += (double) numSamples / sampleRate * bpm / 60.0;
}
