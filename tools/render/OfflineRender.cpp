#include "OfflineRender.h"

bool OfflineRender::run (juce::AudioProcessor& processor, const juce::AudioBuffer<float>& input,
                         const OfflineRenderSettings& settings, OfflineRenderResult& result, juce::String& error,
                         const Progress& progress, OfflineRenderEvents* events)
{
    const int channels = input.getNumChannels();
    const int blockSize = juce::jmax (1, settings.blockSize);
    const int preparedBlockSize = juce::jmax (1, settings.preparedBlockSize);

    SimulatedPlayHead playHead (settings.sampleRate, settings.bpm, settings.ppq,
                                settings.transport == Transport::playing);
    processor.setPlayHead (settings.transport == Transport::none ? nullptr : &playHead);
    processor.setNonRealtime (true);
    processor.setRateAndBufferSizeDetails (settings.sampleRate, preparedBlockSize);
    processor.prepareToPlay (settings.sampleRate, preparedBlockSize);

    // Aligned output: render the latency's worth of extra frames and drop as many at the start.
    const int latency = juce::jmax (0, processor.getLatencySamples());
    playHead.setLatency (latency);
    const int dropped = settings.keepLatency ? 0 : latency;
    const auto outputFrames = (juce::int64) input.getNumSamples() + settings.tailFrames;
    const auto totalFrames = outputFrames + dropped;

    if (totalFrames > std::numeric_limits<int>::max())
    {
        processor.releaseResources();
        processor.setPlayHead (nullptr);
        error = "the input, tail and latency together are too long to render in one piece";
        return false;
    }

    juce::AudioBuffer<float> signal (channels, (int) totalFrames);
    signal.clear();
    for (int ch = 0; ch < channels; ++ch)
        signal.copyFrom (ch, 0, input, ch, 0, input.getNumSamples());

    juce::MidiBuffer midi;
    juce::int64 ticksInProcessor = 0;
    bool latencyChanged = false;

    for (int start = 0, n = 0; start < (int) totalFrames; start += n)
    {
        n = juce::jmin (blockSize, (int) totalFrames - start);

        if (events != nullptr)
        {
            if (events->nextFrame() <= start)
            {
                events->applyAt (start);
                latencyChanged = latencyChanged || processor.getLatencySamples() != latency;
            }
            if (const auto next = events->nextFrame(); next > start && next < start + n)
                n = (int) (next - start);
        }

        juce::AudioBuffer<float> block (signal.getArrayOfWritePointers(), channels, start, n);
        midi.clear();

        const auto before = juce::Time::getHighResolutionTicks();
        if (settings.bypass)
            processor.processBlockBypassed (block, midi);
        else
            processor.processBlock (block, midi);
        ticksInProcessor += juce::Time::getHighResolutionTicks() - before;

        playHead.advance (n);

        if (progress)
            progress ((double) (start + n) / (double) totalFrames);
    }

    processor.releaseResources();
    processor.setPlayHead (nullptr);

    result.latencySamples = latency;
    result.latencyChanged = latencyChanged;
    result.renderedFrames = totalFrames;
    result.processSeconds = juce::Time::highResolutionTicksToSeconds (ticksInProcessor);
    result.output.setSize (channels, (int) outputFrames);
    for (int ch = 0; ch < channels; ++ch)
        result.output.copyFrom (ch, 0, signal, ch, dropped, (int) outputFrames);
    return true;
}
