#include "engine/EffectCatalogue.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
// Parameters randomisation must never move, whatever it randomizes.
juce::StringArray untouchable()
{
    juce::StringArray ids { "reverbFreeze", "grainFreeze", "chorusMode", "driveQuality", "input", "output",
                            "masterMix", "macroChaos", "lfoRate", "lfo2Rate", "modDepth1", "shaperPoint1", "shaperDepth" };
    for (const auto& e : EffectCatalogue::entries)
        ids.add (Param::id (e.power));
    return ids;
}

std::map<juce::String, float> valuesOf (LUMIVOXAudioProcessor& p, const juce::StringArray& ids)
{
    std::map<juce::String, float> values;
    for (const auto& id : ids)
    {
        EXPECT_NE (p.apvts.getParameter (id), nullptr) << id;
        if (p.apvts.getParameter (id) != nullptr)
            values[id] = parameterValue (p, id);
    }
    return values;
}
} // namespace

TEST (Randomize, ValuesStayInsideTheirRangesAndOnTheirSteps)
{
    struct Case { const char* effect; const char* parameter; float low, high; bool whole; };
    const Case cases[] = {
        { "drive", "drive", 2.88f, 29.52f, false },  { "drive", "driveMix", 25.0f, 100.0f, false },
        { "delay", "delayMs", 31.0f, 1080.0f, true }, { "delay", "feedback", 4.75f, 68.4f, false },
        { "delay", "delayMix", 12.0f, 72.0f, false }, { "pitch", "pitchSemitones", -12.0f, 12.0f, true },
        { "pitch", "pitchCents", -30.0f, 30.0f, true },
    };

    LUMIVOXAudioProcessor p;
    std::map<juce::String, std::pair<float, float>> seen;
    for (int round = 0; round < 300; ++round)
        for (const auto* effect : { "drive", "delay", "pitch" })
        {
            p.randomizeFx (effect, false);
            for (const auto& c : cases)
            {
                if (juce::String (c.effect) != effect)
                    continue;
                const float v = parameterValue (p, c.parameter);
                ASSERT_GE (v, c.low - 1.0e-3f) << c.parameter;
                ASSERT_LE (v, c.high + 1.0e-3f) << c.parameter;
                if (c.whole)
                {
                    ASSERT_EQ (v, std::round (v)) << c.parameter;
                }
                auto& [lowest, highest] = seen.try_emplace (c.parameter, v, v).first->second;
                lowest = juce::jmin (lowest, v);
                highest = juce::jmax (highest, v);
            }
        }

    // The draws spread over most of each range rather than sitting on one value.
    for (const auto& c : cases)
        EXPECT_GT (seen[c.parameter].second - seen[c.parameter].first, 0.8f * (c.high - c.low)) << c.parameter;
}

TEST (Randomize, EveryEffectMovesOnlyItsOwnSoundParameters)
{
    LUMIVOXAudioProcessor p;
    juce::StringArray allIds;
    for (auto* raw : p.getParameters())
        allIds.add (dynamic_cast<juce::RangedAudioParameter*> (raw)->getParameterID());

    for (const auto& e : EffectCatalogue::entries)
    {
        juce::StringArray own;
        for (const auto& parameter : e)
            if (! parameter.random.isEmpty())
                own.add (parameter.spec.id);

        const auto before = valuesOf (p, allIds);
        for (int round = 0; round < 20; ++round)
            p.randomizeFx (e.id, false);
        const auto after = valuesOf (p, allIds);

        for (const auto& id : allIds)
        {
            if (own.contains (id))
            {
                auto* param = p.apvts.getParameter (id);
                const float normalised = param->convertTo0to1 (after.at (id));
                const auto& r = EffectCatalogue::findParameter (id)->random;
                // Stepped parameters may snap up to half a step outside the drawn range.
                const float slack = 0.5f * param->getNormalisableRange().interval
                                    / (param->getNormalisableRange().end - param->getNormalisableRange().start) + 1.0e-4f;
                EXPECT_GE (normalised, r.low - slack) << id;
                EXPECT_LE (normalised, r.high + slack) << id;
            }
            else
            {
                EXPECT_EQ (after.at (id), before.at (id)) << e.id << " moved " << id;
            }
        }
    }
}

TEST (Randomize, CardAndRackRandomisationAreSingleUndoSteps)
{
    LUMIVOXAudioProcessor p;
    ASSERT_TRUE (p.applyInsertedFxOrder ({ "delay", "reverb", "pitch" }, false));
    p.undoManager.clearUndoHistory();
    const auto original = p.apvts.copyState().toXmlString();
    const auto guarded = valuesOf (p, untouchable());

    p.randomizeFx ("delay", true);
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Randomize delay");
    EXPECT_TRUE (p.getRackManager().undo());
    EXPECT_EQ (p.apvts.copyState().toXmlString(), original);

    p.randomizeRack();
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Randomize rack");
    EXPECT_NE (p.apvts.copyState().toXmlString(), original);
    EXPECT_EQ (valuesOf (p, untouchable()), guarded);
    EXPECT_EQ (p.getInsertedFxOrder().joinIntoString (","), "delay,reverb,pitch,shaper");
    EXPECT_TRUE (p.getRackManager().undo());
    EXPECT_EQ (p.apvts.copyState().toXmlString(), original) << "one step undoes the whole rack";
    EXPECT_FALSE (p.undoManager.canUndo());
}

TEST (Randomize, TheShaperAndUnknownIdsChangeNothing)
{
    LUMIVOXAudioProcessor p;
    ASSERT_TRUE (p.applyInsertedFxOrder ({}, false)); // only the shaper stays
    p.undoManager.clearUndoHistory();
    const auto original = p.apvts.copyState().toXmlString();

    p.randomizeFx ("shaper", true);
    p.randomizeFx ("nonsense", true);
    p.randomizeParameter ("noSuchParameter", 0.0f, 1.0f);
    p.randomizeRack();
    EXPECT_EQ (p.apvts.copyState().toXmlString(), original);
    EXPECT_FALSE (p.undoManager.canUndo());
}
