#include "OfflineRender.h"

#include <gtest/gtest.h>

namespace
{
// Delays its input by a fixed number of samples and reports that as its latency, and
// records what the host did to it.
class DelayingProcessor final : public juce::AudioProcessor
{
public:
    explicit DelayingProcessor (int delaySamples)
        : AudioProcessor (BusesProperties()
                              .withInput ("In", juce::AudioChannelSet::stereo(), true)
                              .withOutput ("Out", juce::AudioChannelSet::stereo(), true)),
          delay (delaySamples)
    {
    }

    void prepareToPlay (double, int samplesPerBlock) override
    {
        preparedBlockSize = samplesPerBlock;
        ++prepareCalls;
        history.setSize (getTotalNumOutputChannels(), juce::jmax (1, delay));
        ringPosition = 0;
        history.clear();
        setLatencySamples (delay);
    }

    void releaseResources() override { ++releaseCalls; }

    using AudioProcessor::processBlock;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&) override
    {
        largestBlock = juce::jmax (largestBlock, buffer.getNumSamples());
        blockSizes.add (buffer.getNumSamples());
        if (auto* head = getPlayHead())
            if (const auto position = head->getPosition())
                ppqSeen.add (position->getPpqPosition().orFallback (-1.0));

        if (delay == 0)
            return;

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            {
                const float x = buffer.getSample (ch, i);
                buffer.setSample (ch, i, history.getSample (ch, ringPosition));
                history.setSample (ch, ringPosition, x);
            }
            ringPosition = (ringPosition + 1) % delay;
        }
    }

    const juce::String getName() const override { return "Delaying"; }
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

    int preparedBlockSize = 0, largestBlock = 0, prepareCalls = 0, releaseCalls = 0;
    juce::Array<double> ppqSeen;
    juce::Array<int> blockSizes;

private:
    const int delay;
    juce::AudioBuffer<float> history;
    int ringPosition = 0;
};

juce::AudioBuffer<float> ramp (int frames)
{
    juce::AudioBuffer<float> b (2, frames);
    for (int i = 0; i < frames; ++i)
    {
        b.setSample (0, i, 1.0f + (float) i);
        b.setSample (1, i, -1.0f - (float) i);
    }
    return b;
}

// Samples of output that are not input shifted later by shift (silence outside it).
int misplacedSamples (const juce::AudioBuffer<float>& output, const juce::AudioBuffer<float>& input, int shift)
{
    int wrong = 0;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < output.getNumSamples(); ++i)
        {
            const int source = i - shift;
            const float expected = source >= 0 && source < input.getNumSamples() ? input.getSample (ch, source) : 0.0f;
            wrong += output.getSample (ch, i) != expected ? 1 : 0;
        }
    return wrong;
}
} // namespace

TEST (RenderOffline, AlignsTheOutputWithTheInputUnlessTheLatencyIsKept)
{
    struct Case
    {
        int delay, blockSize, preparedBlockSize, tailFrames;
        bool keepLatency;
    };

    const Case cases[] = {
        { 0, 512, 512, 0, false },   { 37, 64, 64, 0, false }, { 37, 64, 64, 100, false },
        { 600, 256, 256, 0, false }, { 37, 100, 16, 50, true }, { 600, 1, 1, 0, true },
    };

    const int frames = 1000;
    const auto input = ramp (frames);

    for (const auto& c : cases)
    {
        SCOPED_TRACE ("delay " + std::to_string (c.delay) + ", block " + std::to_string (c.blockSize)
                      + (c.keepLatency ? ", kept" : ", aligned"));

        DelayingProcessor processor (c.delay);
        OfflineRenderSettings settings;
        settings.blockSize = c.blockSize;
        settings.preparedBlockSize = c.preparedBlockSize;
        settings.tailFrames = c.tailFrames;
        settings.keepLatency = c.keepLatency;

        OfflineRenderResult result;
        juce::String error;
        ASSERT_TRUE (OfflineRender::run (processor, input, settings, result, error)) << error;

        EXPECT_EQ (result.latencySamples, c.delay);
        EXPECT_EQ (result.renderedFrames, frames + c.tailFrames + (c.keepLatency ? 0 : c.delay));
        ASSERT_EQ (result.output.getNumSamples(), frames + c.tailFrames);

        EXPECT_EQ (misplacedSamples (result.output, input, c.keepLatency ? c.delay : 0), 0);
    }
}

TEST (RenderOffline, DrivesTheProcessorAsAHostWould)
{
    struct Case
    {
        Transport transport;
        int blockSize, preparedBlockSize;
    };

    const Case cases[] = {
        { Transport::playing, 256, 256 },
        { Transport::playing, 1000, 64 },
        { Transport::stopped, 128, 512 },
        { Transport::none, 128, 128 },
    };

    const double sampleRate = 32000.0, bpm = 150.0, startPpq = 2.5;
    const int frames = 4000;

    for (const auto& c : cases)
    {
        SCOPED_TRACE ("block " + std::to_string (c.blockSize) + ", prepared " + std::to_string (c.preparedBlockSize));

        DelayingProcessor processor (0);
        OfflineRenderSettings settings;
        settings.sampleRate = sampleRate;
        settings.blockSize = c.blockSize;
        settings.preparedBlockSize = c.preparedBlockSize;
        settings.transport = c.transport;
        settings.bpm = bpm;
        settings.ppq = startPpq;

        double lastProgress = 0.0;
        OfflineRenderResult result;
        juce::String error;
        ASSERT_TRUE (OfflineRender::run (processor, ramp (frames), settings, result, error,
                                         [&] (double done)
                                         {
                                             EXPECT_GE (done, lastProgress);
                                             lastProgress = done;
                                         }))
            << error;

        EXPECT_EQ (lastProgress, 1.0);
        EXPECT_EQ (processor.prepareCalls, 1);
        EXPECT_EQ (processor.releaseCalls, 1);
        EXPECT_EQ (processor.preparedBlockSize, c.preparedBlockSize);
        EXPECT_EQ (processor.largestBlock, c.blockSize);
        EXPECT_TRUE (processor.isNonRealtime());
        EXPECT_EQ (processor.getPlayHead(), nullptr) << "the play head does not outlive the render";

        const int blocks = (frames + c.blockSize - 1) / c.blockSize;
        if (c.transport == Transport::none)
        {
            EXPECT_TRUE (processor.ppqSeen.isEmpty());
            continue;
        }

        ASSERT_EQ (processor.ppqSeen.size(), blocks);
        const double ppqPerBlock = c.transport == Transport::playing ? c.blockSize / sampleRate * bpm / 60.0 : 0.0;
        for (int b = 0; b < blocks; ++b)
            EXPECT_NEAR (processor.ppqSeen[b], startPpq + b * ppqPerBlock, 1.0e-9) << "block " << b;
    }
}

namespace
{
// Events at fixed frames; records where each was made and how far the processor had got.
class ListedEvents final : public OfflineRenderEvents
{
public:
    ListedEvents (std::vector<juce::int64> f, const DelayingProcessor& p) : frames (std::move (f)), processor (p) {}

    juce::int64 nextFrame() const override { return next < frames.size() ? frames[next] : std::numeric_limits<juce::int64>::max(); }

    void applyAt (juce::int64 frame) override
    {
        int processed = 0;
        for (const int n : processor.blockSizes)
            processed += n;
        madeAt.push_back ({ frame, processed });
        while (next < frames.size() && frames[next] <= frame)
            ++next;
    }

    std::vector<std::pair<juce::int64, int>> madeAt; // the frame asked for, the frames processed by then

private:
    std::vector<juce::int64> frames;
    size_t next = 0;
    const DelayingProcessor& processor;
};
} // namespace

TEST (RenderOffline, StartsABlockAtEveryEvent)
{
    struct Case
    {
        int blockSize, delay, tailFrames;
        bool keepLatency;
        std::vector<juce::int64> events;
        std::vector<juce::int64> made; // the events the render reaches
    };

    const int frames = 1000;
    const Case cases[] = {
        { 256, 0, 0, false, { 0, 5, 6, 300, 700, 701, 999 }, { 0, 5, 6, 300, 700, 701, 999 } },
        { 64, 37, 0, false, { 1, 500, 1000, 1036, 1037, 5000 }, { 1, 500, 1000, 1036 } },
        { 1000, 0, 100, true, { 512, 1099, 1100 }, { 512, 1099 } },
        { 1, 0, 0, false, { 3, 4 }, { 3, 4 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE ("block " + std::to_string (c.blockSize) + ", delay " + std::to_string (c.delay));
        DelayingProcessor processor (c.delay);
        ListedEvents events (c.events, processor);
        OfflineRenderSettings settings;
        settings.blockSize = settings.preparedBlockSize = c.blockSize;
        settings.tailFrames = c.tailFrames;
        settings.keepLatency = c.keepLatency;

        OfflineRenderResult result;
        juce::String error;
        ASSERT_TRUE (OfflineRender::run (processor, ramp (frames), settings, result, error, {}, &events)) << error;

        // Each event is made once, just before the block that starts at its frame.
        ASSERT_EQ (events.madeAt.size(), c.made.size());
        for (size_t i = 0; i < c.made.size(); ++i)
        {
            EXPECT_EQ (events.madeAt[i].first, c.made[i]) << i;
            EXPECT_EQ (events.madeAt[i].second, c.made[i]) << i;
        }

        // Blocks are as long as the host's unless an event cuts one short, and cover the render.
        int start = 0;
        size_t nextEvent = 0;
        for (const int n : processor.blockSizes)
        {
            while (nextEvent < c.events.size() && c.events[nextEvent] <= start)
                ++nextEvent;
            const auto limit = nextEvent < c.events.size() ? juce::jmin ((juce::int64) c.blockSize, c.events[nextEvent] - start)
                                                           : (juce::int64) c.blockSize;
            EXPECT_EQ (n, juce::jmin (limit, result.renderedFrames - start)) << "block at " << start;
            start += n;
        }
        EXPECT_EQ (start, result.renderedFrames);
        EXPECT_FALSE (result.latencyChanged);
        EXPECT_EQ (misplacedSamples (result.output, ramp (frames), c.keepLatency ? c.delay : 0), 0);
    }
}
