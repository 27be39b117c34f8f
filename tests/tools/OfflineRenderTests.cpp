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

        const int shift = c.keepLatency ? c.delay : 0;
        int wrong = 0;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < result.output.getNumSamples(); ++i)
            {
                const int source = i - shift;
                const float expected = source >= 0 && source < frames ? input.getSample (ch, source) : 0.0f;
                wrong += result.output.getSample (ch, i) != expected ? 1 : 0;
            }
        EXPECT_EQ (wrong, 0);
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
