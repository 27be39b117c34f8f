#include "engine/LUMIVOXAudioProcessor.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
struct Case
{
    const char* id;
    std::vector<std::pair<const char*, float>> audible; // settings that make the effect clearly heard
};

const Case cases[] = {
    { "filter", { { "cutoff", 300.0f } } },
    { "gate", { { "gateRate", 3.0f } } },
    { "crusher", { { "bits", 2.0f } } },
    { "width", { { "width", 0.0f } } },
    { "delay", { { "delayMs", 5.0f }, { "delayMix", 100.0f } } },
    { "chorus", { { "chorusMix", 100.0f } } },
    { "reverb", { { "reverbMix", 100.0f } } },
    { "shaper", { { "shaperRate", 4.0f } } },
    { "stutter", { { "stutterRate", 5.0f } } },
    { "reverse", { { "reverseRate", 4.0f } } },
    { "tapestop", { { "tapeStopTime", 80.0f } } },
    { "pitch", { { "pitchSemitones", 7.0f } } },
    { "halftime", { { "halfTimeRate", 2.0f } } },
    { "granular", { { "grainMix", 100.0f } } },
};

float difference (LUMIVOXAudioProcessor& p, int samples)
{
    // Compared only where the output comes from this input, not from the previous call's.
    const auto input = noise (2, samples, 0.5f, samples);
    const auto output = render (p, input, 512);
    const int latency = p.getLatencySamples();
    float worst = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = latency; i < samples; ++i)
            worst = juce::jmax (worst, std::abs (output.getSample (ch, i) - input.getSample (ch, i - latency)));
    return worst;
}
} // namespace

TEST (ModuleSwitching, PowerAndInsertionDecideWhetherAnEffectIsHeard)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.id);
        LUMIVOXAudioProcessor p;
        switchAllEffectsOff (p);
        for (const auto& [id, value] : c.audible)
            setParameter (p, id, value);
        p.prepareToPlay (48000.0, 512);
        const juce::String power = juce::String (c.id) == "shaper" ? "shaperOn" : LUMIVOXAudioProcessor::powerParameterForFx (c.id);

        setParameter (p, power, 1.0f);
        if (LUMIVOXAudioProcessor::isSelectableFxId (c.id))
        {
            ASSERT_TRUE (p.applyInsertedFxOrder ({ "shaper" }, false));
            EXPECT_EQ (difference (p, 4800), 0.0f) << "powered but not inserted";
            ASSERT_TRUE (p.getRackManager().insertFx (c.id));
        }
        EXPECT_GT (difference (p, 4800), 0.01f) << "inserted and on";

        setParameter (p, power, 0.0f);
        difference (p, 4800); // past any fade-out
        EXPECT_LT (difference (p, 4800), 1.0e-6f) << "switched off";
    }
}
