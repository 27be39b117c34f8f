#include "engine/EffectCatalogue.h"
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

TEST (Processor, WithoutProgramsOrEditorItStandsAlone)
{
    LUMIVOXAudioProcessor p;
    EXPECT_FALSE (p.hasEditor());
    EXPECT_EQ (p.createEditor(), nullptr);
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getProgramName (0), "Default");
    const auto before = p.apvts.copyState().toXmlString();
    p.setCurrentProgram (0);
    EXPECT_EQ (p.apvts.copyState().toXmlString(), before);
}

namespace
{
struct LatencyWatch final : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        if (details.latencyChanged)
            ++changes;
    }
    int changes = 0;
};
} // namespace

TEST (Processor, LatencyCountsTheFormantOnlyWhileItIsInserted)
{
    constexpr int driveLatency = 6;
    struct Case { double rate; int fftSize; };
    for (const auto& c : { Case { 44100.0, 1024 }, Case { 48000.0, 1024 }, Case { 96000.0, 2048 } })
    {
        PreparedProcessor fx (512, c.rate);
        auto& p = fx.p;
        LatencyWatch watch;
        p.addListener (&watch);
        EXPECT_EQ (p.getLatencySamples(), driveLatency) << c.rate;

        // Every way the inserted list changes reaches the host at once, and the dry path with it.
        struct Step { const char* what; std::function<void()> act; int latency; };
        juce::MemoryBlock withFormant;
        const Step steps[] = {
            { "insert", [&] { p.getRackManager().insertFx ("formant"); }, driveLatency + c.fftSize },
            { "switched off", [&] { setParameter (p, "formantOn", 0.0f); }, driveLatency + c.fftSize },
            { "remove", [&] { p.getStateInformation (withFormant); p.getRackManager().removeFx ("formant"); }, driveLatency },
            { "undo", [&] { p.getRackManager().undo(); }, driveLatency + c.fftSize },
            { "redo", [&] { p.getRackManager().redo(); }, driveLatency },
            { "state", [&] { p.setStateInformation (withFormant.getData(), (int) withFormant.getSize()); }, driveLatency + c.fftSize },
            { "B without it", [&] { p.switchABSlot (1); p.getRackManager().removeFx ("formant"); }, driveLatency },
            { "back to A", [&] { p.switchABSlot (0); }, driveLatency + c.fftSize },
        };
        int expectedChanges = 0, previous = driveLatency;
        for (const auto& step : steps)
        {
            step.act();
            expectedChanges += step.latency != previous ? 1 : 0;
            previous = step.latency;
            EXPECT_EQ (p.getLatencySamples(), step.latency) << c.rate << " " << step.what;
            EXPECT_EQ (watch.changes, expectedChanges) << c.rate << " " << step.what;

            switchAllEffectsOff (p);
            const auto input = noise (2, 3 * step.latency + 512);
            const auto output = render (p, input, 512);
            float worst = 0.0f; // from the latency on; before it, the end of the last step's render comes out
            for (int ch = 0; ch < 2; ++ch)
                for (int i = step.latency; i < input.getNumSamples(); ++i)
                    worst = juce::jmax (worst, std::abs (output.getSample (ch, i) - input.getSample (ch, i - step.latency)));
            EXPECT_LT (worst, 1.0e-6f) << c.rate << " " << step.what;
        }
        p.removeListener (&watch);
    }
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
    // Both gains ramp linearly from the first sample; the input gain reaches the output the latency later.
    const auto ramp = [] (float dB, int i) { return 1.0f + (std::pow (10.0f, dB / 20.0f) - 1.0f) * (float) juce::jmin (i + 1, 960) / 960.0f; };
    EXPECT_NEAR (out.getSample (0, latency + 100), ramp (6.0f, 100) * ramp (-12.0f, latency + 100), 2.0e-3f);
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


TEST (Processor, StutterAndReverseWithAStoppedTransportSoundAsTheyDoPlaying)
{
    // A stopped host still reports where it stands; replaying from there every block would buzz at the block rate.
    const auto input = noise (2, 512 * 470, 0.3f, 7); // five seconds in whole blocks
    const auto correlationAtLag = [] (const juce::AudioBuffer<float>& b, int lag)
    {
        double xy = 0.0, xx = 0.0, yy = 0.0;
        for (int i = 48000; i + lag < b.getNumSamples(); ++i)
        {
            const double x = b.getSample (0, i), y = b.getSample (0, i + lag);
            xy += x * y;
            xx += x * x;
            yy += y * y;
        }
        return xy / std::sqrt (xx * yy + 1.0e-30);
    };

    for (const char* id : { "stutter", "reverse" })
    {
        juce::AudioBuffer<float> outputs[2];
        for (const bool playing : { true, false })
        {
            PreparedProcessor fx;
            switchAllEffectsOff (fx.p);
            ASSERT_TRUE (fx.p.getRackManager().insertFx (id));
            FixedPlayHead head;
            head.bpm = 120.0;
            head.ppq = 8.0;
            head.playing = playing;
            fx.p.setPlayHead (&head);
            auto& out = outputs[playing ? 0 : 1];
            out = input;
            juce::MidiBuffer midi;
            for (int start = 0; start < out.getNumSamples(); start += 512)
            {
                juce::AudioBuffer<float> block (out.getArrayOfWritePointers(), 2, start, 512);
                fx.p.processBlock (block, midi);
                if (playing)
                    head.ppq = *head.ppq + 512.0 / 24000.0;
            }
            fx.p.setPlayHead (nullptr);
        }
        const auto& moving = outputs[0];
        const auto& stopped = outputs[1];
        const float levelDb = juce::Decibels::gainToDecibels (stopped.getRMSLevel (0, 48000, 4 * 48000))
                              - juce::Decibels::gainToDecibels (moving.getRMSLevel (0, 48000, 4 * 48000));
        EXPECT_LT (std::abs (levelDb), 3.0f) << id;
        EXPECT_LT (correlationAtLag (stopped, 512), 0.3) << id << ": a period of one block";
        EXPECT_LT (correlationAtLag (moving, 512), 0.3) << id;
    }
}

TEST (Processor, PreparedForAnOfflineRenderItSoundsAsPreparedForRealtime)
{
    // Offline, the modules leave their large buffers unwritten until audio reaches them.
    const auto input = noise (2, 48000 * 9, 0.3f, 5); // longer than the longest ring, so every ring wraps
    juce::AudioBuffer<float> outputs[2];
    for (const bool offline : { false, true })
    {
        LUMIVOXAudioProcessor p;
        juce::StringArray all;
        for (const auto& e : EffectCatalogue::entries)
        {
            all.add (e.id);
            setParameter (p, Param::id (e.power), 1.0f);
        }
        ASSERT_TRUE (p.applyInsertedFxOrder (all, false));
        setParameter (p, "tapeStopOn", 0.0f); // stopped, the tape would leave silence; off, it still records
        setParameter (p, "delayMs", 1500.0f);
        setParameter (p, "grainSpray", 0.0f); // the grains' offsets are random otherwise
        p.setNonRealtime (offline);
        p.prepareToPlay (48000.0, 512);
        outputs[offline ? 1 : 0] = render (p, input, 512);
    }
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < input.getNumSamples(); ++i)
            ASSERT_EQ (outputs[0].getSample (ch, i), outputs[1].getSample (ch, i)) << "channel " << ch << ", sample " << i;
    EXPECT_GT (outputs[1].getRMSLevel (0, 0, input.getNumSamples()), 0.01f);
}
