#include "SimulatedPlayHead.h"

SimulatedPlayHead::SimulatedPlayHead (double rate, double tempo, double startPpq, bool isPlaying)
    : sampleRate (rate), bpm (tempo), ppq (startPpq), playing (isPlaying)
{
}

juce::Optional<juce::AudioPlayHead::PositionInfo> SimulatedPlayHead::getPosition() const
{
    PositionInfo info;
    info.setBpm (bpm);
    info.setTimeSignature (TimeSignature { 4, 4 });
    info.setPpqPosition (ppq);
    info.setPpqPositionOfLastBarStart (std::floor (ppq / 4.0) * 4.0);
    info.setTimeInSamples (timeInSamples);
    info.setTimeInSeconds ((double) timeInSamples / sampleRate);
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
