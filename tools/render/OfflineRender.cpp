#include "OfflineRender.h"

namespace
{
class BufferSource final : public RenderSource
{
public:
    explicit BufferSource (const juce::AudioBuffer<float>& b) : buffer (b) {}

    juce::int64 getLengthInFrames() const override { return buffer.getNumSamples(); }

    bool read (juce::AudioBuffer<float>& destination, int startInDestination, int numFrames, juce::String&) override
    {
        for (int ch = 0; ch < destination.getNumChannels(); ++ch)
            destination.copyFrom (ch, startInDestination, buffer, ch, position, numFrames);
        position += numFrames;
        return true;
    }

private:
    const juce::AudioBuffer<float>& buffer;
    int position = 0;
};

class BufferSink final : public RenderSink
{
public:
    explicit BufferSink (juce::AudioBuffer<float>& b) : buffer (b) {}

    bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames, juce::String&) override
    {
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            buffer.copyFrom (ch, position, source, ch, startFrame, numFrames);
        position += numFrames;
        return true;
    }

private:
    juce::AudioBuffer<float>& buffer;
    int position = 0;
};
} // namespace

bool OfflineRender::run (juce::AudioProcessor& processor, int channels, RenderSource& input, RenderSink& output,
                         const OfflineRenderSettings& settings, OfflineRenderResult& result, juce::String& error,
                         const Progress& progress, OfflineRenderEvents* events)
{
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
    const auto inputFrames = input.getLengthInFrames();
    const auto outputFrames = inputFrames + settings.tailFrames;
    const auto totalFrames = outputFrames + dropped;

    juce::AudioBuffer<float> storage (channels, blockSize);
    juce::MidiBuffer midi;
    juce::int64 ticksInProcessor = 0;
    bool latencyChanged = false;
    bool ok = true;

    for (juce::int64 start = 0, n = 0; ok && start < totalFrames; start += n)
    {
        n = juce::jmin ((juce::int64) blockSize, totalFrames - start);

        if (events != nullptr)
        {
            if (events->nextFrame() <= start)
            {
                events->applyAt (start);
                latencyChanged = latencyChanged || processor.getLatencySamples() != latency;
            }
            if (const auto next = events->nextFrame(); next > start && next < start + n)
                n = next - start;
        }

        juce::AudioBuffer<float> block (storage.getArrayOfWritePointers(), channels, 0, (int) n);
        const auto fromInput = (int) juce::jlimit ((juce::int64) 0, n, inputFrames - start);
        if (fromInput > 0 && ! input.read (block, 0, fromInput, error))
        {
            ok = false;
            break;
        }
        if (fromInput < n)
            block.clear (fromInput, (int) n - fromInput);

        midi.clear();
        const auto before = juce::Time::getHighResolutionTicks();
        if (settings.bypass)
            processor.processBlockBypassed (block, midi);
        else
            processor.processBlock (block, midi);
        ticksInProcessor += juce::Time::getHighResolutionTicks() - before;

        playHead.advance ((int) n);

        const auto skipped = (int) juce::jlimit ((juce::int64) 0, n, dropped - start);
        if (skipped < n)
            ok = output.write (block, skipped, (int) n - skipped, error);

        if (progress)
            progress ((double) (start + n) / (double) totalFrames);
    }

    processor.releaseResources();
    processor.setPlayHead (nullptr);

    result.latencySamples = latency;
    result.latencyChanged = latencyChanged;
    result.renderedFrames = totalFrames;
    result.outputFrames = outputFrames;
    result.processSeconds = juce::Time::highResolutionTicksToSeconds (ticksInProcessor);
    return ok;
}

bool OfflineRender::run (juce::AudioProcessor& processor, const juce::AudioBuffer<float>& input,
                         const OfflineRenderSettings& settings, OfflineRenderResult& result, juce::String& error,
                         const Progress& progress, OfflineRenderEvents* events)
{
    const auto outputFrames = (juce::int64) input.getNumSamples() + settings.tailFrames;
    if (outputFrames > std::numeric_limits<int>::max())
    {
        error = "the input and tail together are too long to render in memory";
        return false;
    }

    result.output.setSize (input.getNumChannels(), (int) outputFrames);
    BufferSource source (input);
    BufferSink sink (result.output);
    return run (processor, input.getNumChannels(), source, sink, settings, result, error, progress, events);
}
