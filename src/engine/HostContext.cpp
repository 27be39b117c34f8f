#include "engine/HostContext.h"

namespace HostContext
{
ProcessContext fromPlayHead (juce::AudioPlayHead* playHead, double sampleRate, int offset)
{
    ProcessContext context;
    context.sampleRate = sampleRate;

    if (playHead == nullptr)
        return context;

    const auto position = playHead->getPosition();
    if (! position.hasValue())
        return context;

    if (const auto bpm = position->getBpm())
        context.bpm = std::isfinite (*bpm) ? juce::jlimit (20.0, 400.0, *bpm) : 120.0;

    if (const auto ppq = position->getPpqPosition())
    {
        context.ppqPosition = std::isfinite (*ppq) ? juce::jlimit (-1.0e9, 1.0e9, *ppq) : 0.0;
        context.hasPpqPosition = true;
    }

    context.isPlaying = position->getIsPlaying();

    if (context.hasPpqPosition && context.isPlaying)
        context.ppqPosition += ((double) offset / sampleRate) * context.bpm / 60.0;

    return context;
}
} // namespace HostContext
