#include "engine/HostContext.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
struct PreparedProcessor
{
    explicit PreparedProcessor (int blockSize = 512, double sampleRate = 48000.0)
    {
        p.prepareToPlay (sampleRate, blockSize);
    }
    LUMIVOXAudioProcessor p;
};

// A play head reporting fixed values; an empty optional leaves a field out.
struct FixedPlayHead final : juce::AudioPlayHead
{
    juce::Optional<double> bpm, ppq;
    bool playing = true;
    bool hasPosition = true;

    juce::Optional<PositionInfo> getPosition() const override
    {
        if (! hasPosition)
            return {};
        PositionInfo info;
        if (bpm.hasValue())
            info.setBpm (*bpm);
        if (ppq.hasValue())
            info.setPpqPosition (*ppq);
        info.setIsPlaying (playing);
        return info;
    }
};
} // namespace

TEST (Processor, FixedAnswersToTheHost)
{
    LUMIVOXAudioProcessor p;
    EXPECT_EQ (p.getName(), "LUMIVOX");
    EXPECT_FALSE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_FALSE (p.isMidiEffect());
    EXPECT_TRUE (p.hasEditor());
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getProgramName (0), "Default");
    EXPECT_EQ (p.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (p.getMainBusNumOutputChannels(), 2);

    // The latency is known before the host prepares; it is that of 44.1 kHz, where the
    // formant's FFT doubles from 96 kHz on.
    const int before = p.getLatencySamples();
    EXPECT_GT (before, 1024);
    p.prepareToPlay (44100.0, 64);
    EXPECT_EQ (p.getLatencySamples(), before);
    p.prepareToPlay (96000.0, 64);
    EXPECT_EQ (p.getLatencySamples(), before + 1024);
}

TEST (Processor, IdentityPathDelaysByTheReportedLatency)
{
    struct Case { int blockSize; double rate; };
    for (const auto& c : { Case { 512, 48000.0 }, Case { 64, 44100.0 }, Case { 1, 48000.0 }, Case { 333, 96000.0 },
                           Case { 512, 192000.0 }, Case { 256, 22050.0 } })
    {
        PreparedProcessor fx (c.blockSize, c.rate);
        switchAllEffectsOff (fx.p);
        const auto input = noise (2, 3 * fx.p.getLatencySamples());
        const auto output = render (fx.p, input, c.blockSize);
        EXPECT_LT (maxDifferenceDelayed (input, output, fx.p.getLatencySamples()), 1.0e-6f) << c.blockSize << " " << c.rate;
    }
}

TEST (Processor, InsertedButUnpoweredAndPoweredButNotInsertedEffectsStayIdle)
{
    PreparedProcessor fx;
    switchAllEffectsOff (fx.p);
    setParameter (fx.p, "delayOn", 1.0f); // powered, not inserted
    ASSERT_TRUE (fx.p.applyInsertedFxOrder ({ "reverb", "shaper" }, false)); // inserted, not powered
    render (fx.p, noise (2, 512), 512);
    EXPECT_FALSE (fx.p.getRack().delay.enabled);
    EXPECT_FALSE (fx.p.getRack().reverb.enabled);
    EXPECT_FALSE (fx.p.getRack().shaper.enabled);

    setParameter (fx.p, "reverbOn", 1.0f);
    setParameter (fx.p, "shaperOn", 1.0f);
    render (fx.p, noise (2, 512), 512);
    EXPECT_TRUE (fx.p.getRack().reverb.enabled);
    EXPECT_TRUE (fx.p.getRack().shaper.enabled) << "the shaper needs only its power switch";
}

TEST (Processor, MasterMixZeroGivesTheDrySignalBeforeBothGains)
{
    PreparedProcessor fx;
    setParameter (fx.p, "masterMix", 0.0f);
    setParameter (fx.p, "input", 12.0f);
    setParameter (fx.p, "output", -24.0f);
    fx.p.prepareToPlay (48000.0, 512); // snaps the smoothers to the new values
    const auto input = noise (2, 4096);
    const auto output = render (fx.p, input, 512);
    EXPECT_LT (maxDifferenceDelayed (input, output, fx.p.getLatencySamples()), 1.0e-6f);
}

TEST (Processor, GainsScaleTheWetSignalAndRampWithoutJumps)
{
    PreparedProcessor fx;
    switchAllEffectsOff (fx.p);
    setParameter (fx.p, "input", 6.0f);
    setParameter (fx.p, "output", -12.0f);

    juce::AudioBuffer<float> ones (2, 48000);
    for (int ch = 0; ch < 2; ++ch)
        juce::FloatVectorOperations::fill (ones.getWritePointer (ch), 1.0f, ones.getNumSamples());
    const auto out = render (fx.p, ones, 512);

    // The change ramps over 20 ms (960 samples at 48 kHz), then holds.
    const float expected = std::pow (10.0f, 6.0f / 20.0f) * std::pow (10.0f, -12.0f / 20.0f);
    const int latency = fx.p.getLatencySamples();
    EXPECT_NEAR (out.getSample (0, 47999), expected, 1.0e-4f);
    EXPECT_NEAR (out.getSample (1, latency + 1000), expected, 1.0e-4f);
    // The output gain has settled before the signal comes through; the input gain ramps up with it.
    const float inputRampAt100 = 1.0f + (std::pow (10.0f, 6.0f / 20.0f) - 1.0f) * 101.0f / 960.0f;
    EXPECT_NEAR (out.getSample (0, latency + 100), inputRampAt100 * std::pow (10.0f, -12.0f / 20.0f), 2.0e-3f);
    float largestStep = 0.0f;
    for (int i = latency + 1; i < latency + 2000; ++i)
        largestStep = juce::jmax (largestStep, std::abs (out.getSample (0, i) - out.getSample (0, i - 1)));
    EXPECT_LT (largestStep, 0.01f);
}

TEST (Processor, MinimumInputGainStillPassesSignal)
{
    PreparedProcessor fx;
    switchAllEffectsOff (fx.p);
    setParameter (fx.p, "input", -24.0f);
    fx.p.prepareToPlay (48000.0, 512);
    const int latency = fx.p.getLatencySamples();
    const auto input = noise (2, latency + 1024, 0.5f);
    const auto out = render (fx.p, input, 512);
    EXPECT_NEAR (out.getMagnitude (0, latency, 1024) / input.getMagnitude (0, 0, 1024),
                 std::pow (10.0f, -24.0f / 20.0f), 1.0e-4f);
}

TEST (Processor, HostContextLimitsTempoAndAdvancesThePositionPerSubBlock)
{
    struct Case { juce::Optional<double> bpm; double expected; };
    const Case cases[] = {
        { 1000.0, 400.0 }, { 5.0, 20.0 }, { 93.5, 93.5 }, { {}, 120.0 },
        { std::numeric_limits<double>::quiet_NaN(), 120.0 }, { std::numeric_limits<double>::infinity(), 120.0 },
    };
    for (const auto& c : cases)
    {
        FixedPlayHead head;
        head.bpm = c.bpm;
        EXPECT_DOUBLE_EQ (HostContext::fromPlayHead (&head, 48000.0, 0).bpm, c.expected);
    }

    FixedPlayHead head;
    head.bpm = 120.0;
    head.ppq = 8.0;
    const auto second = HostContext::fromPlayHead (&head, 48000.0, 24000); // half a second in
    EXPECT_TRUE (second.hasPpqPosition);
    EXPECT_DOUBLE_EQ (second.ppqPosition, 9.0);

    head.playing = false;
    EXPECT_DOUBLE_EQ (HostContext::fromPlayHead (&head, 48000.0, 24000).ppqPosition, 8.0) << "stopped: no advance";

    head.ppq = std::numeric_limits<double>::quiet_NaN();
    EXPECT_DOUBLE_EQ (HostContext::fromPlayHead (&head, 48000.0, 0).ppqPosition, 0.0);
    head.ppq = 5.0e12;
    EXPECT_DOUBLE_EQ (HostContext::fromPlayHead (&head, 48000.0, 0).ppqPosition, 1.0e9);

    head.hasPosition = false;
    const auto none = HostContext::fromPlayHead (&head, 48000.0, 0);
    EXPECT_FALSE (none.hasPpqPosition);
    EXPECT_FALSE (none.isPlaying);
    const auto noHead = HostContext::fromPlayHead (nullptr, 44100.0, 100);
    EXPECT_DOUBLE_EQ (noHead.bpm, 120.0);
    EXPECT_DOUBLE_EQ (noHead.sampleRate, 44100.0);
}

TEST (Processor, HostBlocksLargerThanPreparedAreSplit)
{
    PreparedProcessor fx (256);
    switchAllEffectsOff (fx.p);
    const auto input = noise (2, 4096);
    const auto output = render (fx.p, input, 1024); // four sub-blocks per host block
    EXPECT_LT (maxDifferenceDelayed (input, output, fx.p.getLatencySamples()), 1.0e-6f);
}

TEST (Processor, TailLength)
{
    struct Case { float delayMs, feedback; bool reverbFreeze, grainFreeze; double expected, tolerance; };
    const Case cases[] = {
        { 250.0f, 30.0f, false, false, 10.0, 1.0e-9 },
        { 1500.0f, 95.0f, false, false, 1.5 * std::log (0.0001) / std::log (0.95), 1.0e-3 },
        { 1500.0f, 0.0f, false, false, 10.0, 1.0e-9 },
        { 250.0f, 30.0f, true, false, 3600.0, 1.0e-9 },
        { 250.0f, 30.0f, false, true, 3600.0, 1.0e-9 },
    };
    for (const auto& c : cases)
    {
        LUMIVOXAudioProcessor p;
        setParameter (p, "delayMs", c.delayMs);
        setParameter (p, "feedback", c.feedback);
        setParameter (p, "reverbFreeze", c.reverbFreeze ? 1.0f : 0.0f);
        setParameter (p, "grainFreeze", c.grainFreeze ? 1.0f : 0.0f);
        EXPECT_NEAR (p.getTailLengthSeconds(), c.expected, c.tolerance);
    }
    EXPECT_NEAR (1.5 * std::log (0.0001) / std::log (0.95), 269.3, 0.1);
}

TEST (Processor, BusLayouts)
{
    LUMIVOXAudioProcessor p;
    using Set = juce::AudioChannelSet;
    struct Case { Set in, out; bool supported; };
    const Case cases[] = {
        { Set::mono(), Set::mono(), true },       { Set::stereo(), Set::stereo(), true },
        { Set::mono(), Set::stereo(), false },    { Set::stereo(), Set::mono(), false },
        { Set::create5point1(), Set::create5point1(), false }, { Set::disabled(), Set::stereo(), false },
    };
    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.in);
        layout.outputBuses.add (c.out);
        EXPECT_EQ (p.checkBusesLayoutSupported (layout), c.supported)
            << c.in.getDescription() << " -> " << c.out.getDescription();
    }
}

TEST (Processor, MonoLayoutProcesses)
{
    LUMIVOXAudioProcessor p;
    juce::AudioProcessor::BusesLayout mono;
    mono.inputBuses.add (juce::AudioChannelSet::mono());
    mono.outputBuses.add (juce::AudioChannelSet::mono());
    ASSERT_TRUE (p.setBusesLayout (mono));
    p.prepareToPlay (44100.0, 128);
    switchAllEffectsOff (p);
    const auto input = noise (1, 1000);
    EXPECT_LT (maxDifferenceDelayed (input, render (p, input, 128), p.getLatencySamples()), 1.0e-6f);
}

TEST (Processor, InvalidSampleRatesFallBackTo44100)
{
    for (double rate : { 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        LUMIVOXAudioProcessor p;
        p.prepareToPlay (rate, 512);
        EXPECT_EQ (p.getCurrentSampleRate(), 44100.0);
        const auto out = render (p, noise (2, 1024), 512);
        EXPECT_TRUE (std::isfinite (out.getMagnitude (0, 1024)));
    }
}

TEST (Processor, UnpreparedOrOversizedBuffersComeBackSilent)
{
    LUMIVOXAudioProcessor unprepared;
    EXPECT_EQ (render (unprepared, noise (2, 512), 512).getMagnitude (0, 512), 0.0f);

    PreparedProcessor fx;
    EXPECT_EQ (render (fx.p, noise (4, 512), 512).getMagnitude (0, 512), 0.0f) << "more channels than prepared";
    EXPECT_EQ (render (fx.p, noise (4, 512), 512, true).getMagnitude (0, 512), 0.0f);
}

TEST (Processor, NonFiniteInputBecomesSilence)
{
    PreparedProcessor fx;
    auto input = noise (2, 2048);
    const float bad[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity() };
    for (int i = 0; i < 3; ++i)
    {
        input.setSample (0, 100 + i, bad[i]);
        input.setSample (1, 900 + i, bad[i]);
    }
    for (bool bypassed : { false, true })
    {
        LUMIVOXAudioProcessor p;
        switchAllEffectsOff (p); // so that the replaced samples can be checked exactly
        p.prepareToPlay (48000.0, 512);
        const auto out = render (p, input, 512, bypassed);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < out.getNumSamples(); ++i)
                ASSERT_TRUE (std::isfinite (out.getSample (ch, i))) << ch << ":" << i;
        EXPECT_EQ (out.getSample (0, 101 + p.getLatencySamples()), 0.0f);
    }

    LUMIVOXAudioProcessor driven; // default sound: drive and filter on
    driven.prepareToPlay (48000.0, 512);
    const auto out = render (driven, input, 512);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < out.getNumSamples(); ++i)
            ASSERT_TRUE (std::isfinite (out.getSample (ch, i))) << ch << ":" << i;
}

TEST (Processor, BypassPassesTheInputDelayedByTheLatency)
{
    PreparedProcessor fx;
    setParameter (fx.p, "masterMix", 50.0f);
    setParameter (fx.p, "output", -24.0f);
    const auto input = noise (2, 3000);
    EXPECT_LT (maxDifferenceDelayed (input, render (fx.p, input, 512, true), fx.p.getLatencySamples()), 1.0e-6f);
}

TEST (Processor, MetersFollowPeaksWithA180msRelease)
{
    PreparedProcessor fx (480);
    switchAllEffectsOff (fx.p);
    juce::AudioBuffer<float> block (2, 480);
    block.clear();
    block.setSample (1, 10, -0.5f);
    render (fx.p, block, 480);
    EXPECT_FLOAT_EQ (fx.p.inputLevel.load(), 0.5f);

    block.clear();
    render (fx.p, block, 480);
    EXPECT_NEAR (fx.p.inputLevel.load(), 0.5f * std::exp (-480.0 / (0.18 * 48000.0)), 1.0e-6f);

    // The output meter sees the peak once it has come through the latency, in the last block here.
    const int latency = fx.p.getLatencySamples();
    juce::AudioBuffer<float> delayedPeak (2, 480 * (latency / 480 + 2));
    delayedPeak.clear();
    delayedPeak.setSample (1, delayedPeak.getNumSamples() - 470 - latency, -0.5f);
    render (fx.p, delayedPeak, 480);
    EXPECT_NEAR (fx.p.outputLevel.load(), 0.5f, 1.0e-6f);
}

