#include "engine/LUMIVOXAudioProcessor.h"
#include "engine/StateProperties.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
const char* const defaultOrder = "drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,"
                                 "granular,chorus,delay,reverb,width";

juce::String property (LUMIVOXAudioProcessor& p, const juce::Identifier& id) { return p.apvts.state[id].toString(); }
juce::StringArray list (const char* text) { return juce::StringArray::fromTokens (text, ",", {}); }

bool flagged (LUMIVOXAudioProcessor& p, const char* id)
{
    return p.getInsertionFlags().isInserted (EffectCatalogue::indexOf (id));
}

// Loads a state tree built by the test through the host's state call.
void loadState (LUMIVOXAudioProcessor& p, const juce::ValueTree& tree)
{
    juce::MemoryBlock block;
    p.copyXmlToBinary (*tree.createXml(), block);
    p.setStateInformation (block.getData(), (int) block.getSize());
}

juce::ValueTree stateWithPowers (LUMIVOXAudioProcessor& p, std::initializer_list<const char*> powersOn)
{
    auto tree = p.apvts.copyState();
    for (auto child : tree)
    {
        const auto id = child["id"].toString();
        if (id.endsWith ("On"))
            child.setProperty ("value", std::find_if (powersOn.begin(), powersOn.end(),
                                                      [&] (const char* s) { return id == s; }) != powersOn.end()
                                            ? 1.0f : 0.0f, nullptr);
    }
    return tree;
}
} // namespace

TEST (RackManagement, FreshProcessorHasDriveFilterAndShaperInserted)
{
    LUMIVOXAudioProcessor p;
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,filter,shaper");
    EXPECT_EQ (property (p, StateProperty::rackOrder), defaultOrder);
    EXPECT_TRUE (flagged (p, "drive"));
    EXPECT_TRUE (flagged (p, "filter"));
    EXPECT_FALSE (flagged (p, "delay"));
    EXPECT_FALSE (p.undoManager.canUndo());
}

TEST (RackManagement, SelectableIdsAndPowerParameters)
{
    EXPECT_FALSE (LUMIVOXAudioProcessor::isSelectableFxId ("shaper"));
    EXPECT_FALSE (LUMIVOXAudioProcessor::isSelectableFxId ("Delay"));
    EXPECT_EQ (LUMIVOXAudioProcessor::powerParameterForFx ("shaper"), nullptr);
    EXPECT_EQ (LUMIVOXAudioProcessor::powerParameterForFx ("nope"), nullptr);
    EXPECT_STREQ (LUMIVOXAudioProcessor::powerParameterForFx ("crusher"), "crushOn");
    EXPECT_STREQ (LUMIVOXAudioProcessor::powerParameterForFx ("tapestop"), "tapeStopOn");
    EXPECT_STREQ (LUMIVOXAudioProcessor::powerParameterForFx ("halftime"), "halfTimeOn");
}

TEST (RackManagement, ApplyingAListPutsItFirstAndKeepsTheRestInOrder)
{
    LUMIVOXAudioProcessor p;
    ASSERT_TRUE (p.applyInsertedFxOrder (list ("drive,shaper"), true));
    ASSERT_TRUE (p.applyInsertedFxOrder (list ("drive,shaper,filter"), true));
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,shaper,filter");
    EXPECT_EQ (property (p, StateProperty::rackOrder),
               "drive,shaper,filter,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,"
               "delay,reverb,width");
    EXPECT_EQ (p.getRack().orderString(), property (p, StateProperty::rackOrder));
}

TEST (RackManagement, ApplyDropsRepeatsUnknownIdsAndAppendsTheShaper)
{
    LUMIVOXAudioProcessor p;
    ASSERT_TRUE (p.applyInsertedFxOrder (juce::StringArray { "reverb", "reverb", "bogus", " delay" }, false));
    EXPECT_EQ (property (p, StateProperty::insertedFx), "reverb,shaper");
    EXPECT_TRUE (flagged (p, "reverb"));
    EXPECT_FALSE (flagged (p, "drive"));
    EXPECT_FALSE (flagged (p, "delay"));
    EXPECT_FALSE (p.undoManager.canUndo()) << "applying without undo records nothing";
}

TEST (RackManagement, InsertAndRemoveGestures)
{
    LUMIVOXAudioProcessor p;
    auto& rack = p.getRackManager();

    EXPECT_TRUE (rack.insertFx ("delay"));
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,filter,shaper,delay");
    EXPECT_EQ (parameterValue (p, "delayOn"), 1.0f);
    EXPECT_FALSE (rack.insertFx ("delay")) << "already inserted";
    EXPECT_FALSE (rack.insertFx ("shaper"));
    EXPECT_FALSE (rack.insertFx ("echo"));

    EXPECT_FALSE (rack.removeFx ("shaper"));
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,filter,shaper,delay");

    setParameter (p, "delayMs", 700.0f);
    EXPECT_TRUE (rack.removeFx ("delay"));
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,filter,shaper");
    EXPECT_EQ (parameterValue (p, "delayOn"), 0.0f);
    EXPECT_EQ (parameterValue (p, "delayMs"), 700.0f) << "removing keeps the effect's settings";
}

TEST (RackManagement, UndoingARemoveRestoresPlacePositionAndPower)
{
    LUMIVOXAudioProcessor p;
    auto& rack = p.getRackManager();
    ASSERT_TRUE (rack.insertFx ("reverb"));
    ASSERT_TRUE (p.moveInsertedFx (3, 0));
    const auto listBefore = property (p, StateProperty::insertedFx);
    const auto orderBefore = p.getRack().orderString();
    ASSERT_EQ (listBefore, "reverb,drive,filter,shaper");

    ASSERT_TRUE (rack.removeFx ("reverb"));
    EXPECT_FALSE (flagged (p, "reverb"));

    ASSERT_TRUE (rack.undo());
    EXPECT_EQ (property (p, StateProperty::insertedFx), listBefore);
    EXPECT_EQ (p.getRack().orderString(), orderBefore);
    EXPECT_EQ (parameterValue (p, "reverbOn"), 1.0f);
    EXPECT_TRUE (flagged (p, "reverb"));

    ASSERT_TRUE (rack.redo());
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,filter,shaper");
    EXPECT_EQ (parameterValue (p, "reverbOn"), 0.0f);
    EXPECT_FALSE (flagged (p, "reverb"));
}

TEST (RackManagement, MoveRejectsEqualAndOutOfRangeIndices)
{
    LUMIVOXAudioProcessor p;
    EXPECT_FALSE (p.moveInsertedFx (0, 5));
    EXPECT_FALSE (p.moveInsertedFx (1, 1));
    EXPECT_FALSE (p.moveInsertedFx (3, 0));
    EXPECT_TRUE (p.moveInsertedFx (0, 2));
    EXPECT_EQ (property (p, StateProperty::insertedFx), "filter,shaper,drive");
    EXPECT_EQ (p.getRack().orderIds()[2], "drive");
}

TEST (RackManagement, LoadedRackOrderIsRepairedAndRewritten)
{
    LUMIVOXAudioProcessor p;
    auto tree = p.apvts.copyState();
    tree.setProperty (StateProperty::rackOrder, "width, width ,drive,,bogus", nullptr);
    tree.removeProperty (StateProperty::insertedFx, nullptr);
    loadState (p, tree);

    const char* const expected = "width,drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,"
                                 "tapestop,granular,chorus,delay,reverb";
    // drive and filter are powered in the loaded state, so they are inserted and move to the front.
    EXPECT_EQ (property (p, StateProperty::insertedFx), "drive,filter,shaper");
    EXPECT_EQ (p.getRack().orderString(), "drive,filter,shaper,width,gate,crusher,pitch,formant,halftime,stutter,"
                                          "reverse,tapestop,granular,chorus,delay,reverb");
    EXPECT_EQ (property (p, StateProperty::rackOrder), p.getRack().orderString());

    // With nothing powered, the repaired order itself stays.
    auto quiet = stateWithPowers (p, {});
    quiet.setProperty (StateProperty::rackOrder, "width,width,drive", nullptr);
    quiet.removeProperty (StateProperty::insertedFx, nullptr);
    loadState (p, quiet);
    EXPECT_EQ (property (p, StateProperty::insertedFx), "shaper");
    EXPECT_EQ (p.getRack().orderString(), juce::String ("shaper,") + juce::String (expected).replace (",shaper", ""));
}

TEST (RackManagement, StateWithoutInsertedListInsertsThePoweredEffects)
{
    LUMIVOXAudioProcessor p;
    auto tree = stateWithPowers (p, { "delayOn", "reverbOn" });
    tree.removeProperty (StateProperty::insertedFx, nullptr);
    tree.removeProperty (StateProperty::rackOrder, nullptr);
    loadState (p, tree);

    EXPECT_EQ (property (p, StateProperty::insertedFx), "shaper,delay,reverb");
    EXPECT_EQ (property (p, StateProperty::rackOrder), p.getRack().orderString());
    EXPECT_TRUE (flagged (p, "delay"));
    EXPECT_TRUE (flagged (p, "reverb"));
    EXPECT_FALSE (flagged (p, "drive"));
    EXPECT_EQ (parameterValue (p, "driveOn"), 0.0f) << "loading never changes power switches";
}

TEST (RackManagement, ExplicitInsertedListWinsOverPowerSwitches)
{
    for (const char* stored : { "", "shaper", " ,shaper,," })
    {
        LUMIVOXAudioProcessor p;
        auto tree = stateWithPowers (p, { "delayOn", "driveOn" });
        tree.setProperty (StateProperty::insertedFx, stored, nullptr);
        loadState (p, tree);
        EXPECT_EQ (property (p, StateProperty::insertedFx), "shaper") << "'" << stored << "'";
        EXPECT_FALSE (flagged (p, "delay"));
        EXPECT_FALSE (flagged (p, "drive"));
        EXPECT_EQ (parameterValue (p, "delayOn"), 1.0f);
    }
}
