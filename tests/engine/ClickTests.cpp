#include "support/ClickMeasure.h"
#include "support/TestHelpers.h"

using namespace testing_support;

// One control switched or stepped while a sustained chord (or drum bursts) plays, measured as
// ClickMeasure describes.
using namespace click_measure;

namespace
{


struct Event
{
    const char* name;
    const char* fx;                                        // inserted and switched on; everything else off
    std::vector<std::pair<const char*, float>> settings;   // before the render
    const char* id;                                        // "insert" or "remove" for the rack gestures, with `fx`
    float from, to;
    Signal signal = Signal::chord;
};

const Event events[] = {
    { "drive off", "drive", {}, "driveOn", 1, 0 },
    { "drive on", "drive", {}, "driveOn", 0, 1 },
    { "drive quality 1x to 2x", "drive", { { "drive", 24 } }, "driveQuality", 0, 1 },
    { "drive quality 2x to 4x", "drive", { { "drive", 24 } }, "driveQuality", 1, 2 },
    { "drive quality 4x to 1x", "drive", { { "drive", 24 } }, "driveQuality", 2, 0 },
    { "drive mix", "drive", { { "drive", 24 } }, "driveMix", 0, 100 },
    { "filter off", "filter", { { "cutoff", 800 } }, "filterOn", 1, 0 },
    { "filter on", "filter", { { "cutoff", 800 } }, "filterOn", 0, 1 },
    { "filter cutoff", "filter", {}, "cutoff", 400, 6000 },
    { "shaper on", "", { { "shaperPoint3", 0 }, { "shaperPoint9", 0.2f } }, "shaperOn", 0, 1 },
    { "shaper off", "", { { "shaperPoint3", 0 }, { "shaperPoint9", 0.2f } }, "shaperOn", 1, 0 },
    { "shaper mix", "", { { "shaperOn", 1 }, { "shaperPoint7", 0 }, { "shaperPoint8", 0 } }, "shaperMix", 100, 0 },
    { "gate on", "gate", {}, "gateOn", 0, 1 },
    { "gate off", "gate", {}, "gateOn", 1, 0 },
    { "gate mix", "gate", {}, "gateMix", 0, 100 },
    { "crusher on", "crusher", { { "bits", 6 } }, "crushOn", 0, 1 },
    { "crusher off", "crusher", { { "bits", 6 } }, "crushOn", 1, 0 },
    { "crusher mix", "crusher", { { "bits", 6 } }, "crushMix", 100, 0 },
    { "crusher bits", "crusher", {}, "bits", 16, 5 },
    { "pitch on", "pitch", { { "pitchSemitones", 7 } }, "pitchOn", 0, 1 },
    { "pitch off", "pitch", { { "pitchSemitones", 7 } }, "pitchOn", 1, 0 },
    { "pitch step", "pitch", {}, "pitchSemitones", 0, 7 },
    { "formant on", "formant", { { "formantShift", 6 } }, "formantOn", 0, 1 },
    { "formant off", "formant", { { "formantShift", 6 } }, "formantOn", 1, 0 },
    { "halftime on", "halftime", {}, "halfTimeOn", 0, 1 },
    { "halftime off", "halftime", {}, "halfTimeOn", 1, 0 },
    { "halftime mix", "halftime", {}, "halfTimeMix", 0, 100 },
    { "stutter on", "stutter", {}, "stutterOn", 0, 1 },
    { "stutter off", "stutter", {}, "stutterOn", 1, 0 },
    { "stutter mix", "stutter", {}, "stutterMix", 100, 0 },
    { "reverse on", "reverse", {}, "reverseOn", 0, 1 },
    { "reverse off", "reverse", {}, "reverseOn", 1, 0 },
    { "reverse mix", "reverse", {}, "reverseMix", 0, 100 },
    { "tape stop on", "tapestop", {}, "tapeStopOn", 0, 1 },
    { "tape stop off", "tapestop", {}, "tapeStopOn", 1, 0 },
    { "tape stop mix", "tapestop", { { "tapeStopTime", 2000 } }, "tapeStopMix", 100, 0 },
    { "granular on", "granular", {}, "granularOn", 0, 1, Signal::drums },
    { "granular off", "granular", {}, "granularOn", 1, 0, Signal::drums },
    { "grain mix", "granular", {}, "grainMix", 0, 100, Signal::drums },
    { "chorus on", "chorus", {}, "chorusOn", 0, 1 },
    { "chorus off", "chorus", {}, "chorusOn", 1, 0 },
    { "chorus mix", "chorus", {}, "chorusMix", 0, 100 },
    { "delay on", "delay", { { "delayMix", 60 } }, "delayOn", 0, 1 },
    { "delay off while echoes ring", "delay", { { "delayMix", 60 }, { "feedback", 80 } }, "delayOn", 1, 0, Signal::drums },
    { "delay mix", "delay", {}, "delayMix", 0, 100 },
    { "reverb on", "reverb", {}, "reverbOn", 0, 1 },
    { "reverb off while it rings", "reverb", { { "reverbMix", 80 } }, "reverbOn", 1, 0, Signal::drums },
    { "reverb mix", "reverb", {}, "reverbMix", 0, 100 },
    { "width on", "width", { { "width", 200 } }, "widthOn", 0, 1 },
    { "width off", "width", { { "width", 200 } }, "widthOn", 1, 0 },
    { "width 100 to 200", "width", {}, "width", 100, 200 },
    { "width 100 to 0", "width", {}, "width", 100, 0 },
    { "width mix", "width", { { "width", 0 } }, "widthMix", 0, 100 },
    { "insert delay", "delay", { { "delayMix", 60 } }, "insert", 0, 1 },
    { "remove reverb", "reverb", { { "reverbMix", 60 } }, "remove", 1, 0 },
};

void setUp (LUMIVOXAudioProcessor& p, const Event& e)
{
    switchAllEffectsOff (p);
    const auto fxList = juce::StringArray::fromTokens (e.fx, ",", {});
    const bool gesture = juce::String (e.id) == "insert" || juce::String (e.id) == "remove";
    juce::StringArray inserted;
    if (! (gesture && e.from < 0.5f))
        inserted = fxList;
    p.applyInsertedFxOrder (inserted, false);
    for (const auto& id : fxList)
        p.setFxPower (id, true);
    for (const auto& [id, value] : e.settings)
        setParameter (p, id, value);
    if (! gesture)
        setParameter (p, e.id, e.from);
}

void change (LUMIVOXAudioProcessor& p, const Event& e, float value)
{
    if (juce::String (e.id) == "insert")
        p.getRackManager().insertFx (e.fx);
    else if (juce::String (e.id) == "remove")
        p.getRackManager().removeFx (e.fx);
    else
        setParameter (p, e.id, value);
}

// Renders the signal; at eventFrame (a block boundary) the control goes to `to`, if given.
juce::AudioBuffer<float> renderWith (const Event& e, const juce::AudioBuffer<float>& input, double rate, int blockSize,
                                     float initial, std::optional<float> to, int eventFrame)
{
    LUMIVOXAudioProcessor p;
    setUp (p, e);
    if (initial != e.from)
        change (p, e, initial);
    p.prepareToPlay (rate, blockSize);
    auto out = input;
    juce::MidiBuffer midi;
    for (int start = 0; start < out.getNumSamples(); start += blockSize)
    {
        if (start == eventFrame && to.has_value())
            change (p, e, *to);
        const int n = juce::jmin (blockSize, out.getNumSamples() - start);
        juce::AudioBuffer<float> block (out.getArrayOfWritePointers(), 2, start, n);
        p.processBlock (block, midi);
    }
    return out;
}

struct Setup
{
    double rate;
    int blockSize;
};

class Clicks : public ::testing::TestWithParam<Setup>
{
};
} // namespace

TEST_P (Clicks, EverySwitchAndStepStaysWithin10dBOfTheSteadyRenders)
{
    const auto [rate, blockSize] = GetParam();
    const int eventFrame = blockSize * (int) std::ceil (1.0 * rate / blockSize);
    const int frames = eventFrame + (int) (0.3 * rate);
    const auto chord = makeSignal (Signal::chord, rate, frames);
    const auto drums = makeSignal (Signal::drums, rate, frames);

    for (const auto& e : events)
    {
        const auto& input = e.signal == Signal::chord ? chord : drums;
        const auto moving = renderWith (e, input, rate, blockSize, e.from, e.to, eventFrame);
        const auto before = renderWith (e, input, rate, blockSize, e.from, {}, eventFrame);
        const auto after = renderWith (e, input, rate, blockSize, e.to, {}, eventFrame);

        // The output is late by the latency, and so is the event.
        LUMIVOXAudioProcessor probe;
        setUp (probe, e);
        probe.prepareToPlay (rate, blockSize);
        const int heard = eventFrame + probe.getLatencySamples();

        const float figure = clickFigure (moving, before, after, rate, heard);
        EXPECT_LE (figure, 10.0f) << e.name << " at " << rate << " Hz, " << blockSize << "-sample blocks";
        std::printf ("%-30s %6.1f dB\n", e.name, figure);
    }
}

INSTANTIATE_TEST_SUITE_P (Engine, Clicks, ::testing::Values (Setup { 48000.0, 512 }, Setup { 44100.0, 64 }),
                          [] (const auto& test) { return std::to_string ((int) test.param.rate) + "Hz_" + std::to_string (test.param.blockSize); });
