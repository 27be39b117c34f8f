#include "engine/StateProperties.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
// Everything a state load may change, to tell "left exactly as it was" from any change.
struct Observed
{
    juce::String live, slotA, slotB;
    bool snapshots = false;
    int activeSlot = 0;
    bool canUndo = false;

    bool operator== (const Observed& o) const
    {
        return std::tie (live, slotA, slotB, snapshots, activeSlot, canUndo)
               == std::tie (o.live, o.slotA, o.slotB, o.snapshots, o.activeSlot, o.canUndo);
    }
};

Observed observe (LUMIVOXAudioProcessor& p)
{
    Observed o;
    o.live = p.apvts.copyState().toXmlString();
    o.slotA = p.getABSnapshots().storedSlot (0).toXmlString();
    o.slotB = p.getABSnapshots().storedSlot (1).toXmlString();
    o.snapshots = p.getABSnapshots().exist();
    o.activeSlot = p.getActiveABSlot();
    o.canUndo = p.undoManager.canUndo();
    return o;
}

juce::MemoryBlock saveState (LUMIVOXAudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

void load (LUMIVOXAudioProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation (block.getData(), (int) block.getSize());
}

juce::MemoryBlock wrapped (const juce::String& xmlText)
{
    juce::MemoryBlock block;
    const auto xml = juce::parseXML (xmlText);
    EXPECT_NE (xml, nullptr) << xmlText;
    if (xml != nullptr)
        juce::AudioProcessor::copyXmlToBinary (*xml, block);
    return block;
}

// Text behind a well-formed header, whatever the text is.
juce::MemoryBlock withHeader (const juce::String& text)
{
    juce::MemoryOutputStream out;
    out.writeInt (0x21324356);
    out.writeInt ((int) text.getNumBytesAsUTF8());
    out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
    out.writeByte (0);
    return out.getMemoryBlock();
}

// Renders a few blocks and tells whether every sample stayed finite.
bool rendersFinite (LUMIVOXAudioProcessor& p)
{
    p.prepareToPlay (48000.0, 256);
    const auto out = render (p, noise (2, 4096), 256);
    for (int ch = 0; ch < out.getNumChannels(); ++ch)
        for (int i = 0; i < out.getNumSamples(); ++i)
            if (! std::isfinite (out.getSample (ch, i)))
                return false;
    return true;
}

// A processor with snapshots (B active and different from A) and an undoable edit.
struct LivedInProcessor
{
    LivedInProcessor()
    {
        setParameter (p, "delayMs", 300.0f);
        p.switchABSlot (1);
        setParameter (p, "delayMs", 900.0f);
        EXPECT_TRUE (p.getRackManager().insertFx ("reverb"));
        EXPECT_TRUE (p.undoManager.canUndo());
    }
    LUMIVOXAudioProcessor p;
};
} // namespace

TEST (PluginState, RoundTripRestoresTheSoundAndTheRack)
{
    LUMIVOXAudioProcessor source;
    setParameter (source, "delayMs", 777.0f);
    ASSERT_TRUE (source.getRackManager().insertFx ("delay"));
    source.apvts.state.setProperty (StateProperty::presetName, "Night Bus", nullptr);
    const auto saved = saveState (source);

    // The framework's single-line XML in its binary wrapper.
    ASSERT_GT (saved.getSize(), 9u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (saved.getData()), 0x21324356u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (static_cast<const char*> (saved.getData()) + 4), saved.getSize() - 9);
    const juce::String text (static_cast<const char*> (saved.getData()) + 8);
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?> <LUMIVOX_STATE"));
    EXPECT_FALSE (text.containsChar ('\n'));

    LUMIVOXAudioProcessor target;
    load (target, saved);
    EXPECT_EQ (parameterValue (target, "delayMs"), 777.0f);
    EXPECT_EQ (target.getInsertedFxOrder().joinIntoString (","), "drive,filter,shaper,delay");
    EXPECT_TRUE (target.getInsertionFlags().isInserted (EffectCatalogue::indexOf ("delay")));
    EXPECT_EQ (target.apvts.state.getProperty (StateProperty::presetName).toString(), "Night Bus");
    EXPECT_FALSE (target.undoManager.canUndo());
    EXPECT_FALSE (target.getABSnapshots().exist());
}

TEST (PluginState, DamagedDataLeavesEverythingAsItWas)
{
    LUMIVOXAudioProcessor source;
    setParameter (source, "cutoff", 440.0f);
    source.switchABSlot (1);
    const auto saved = saveState (source);

    std::vector<std::pair<juce::String, juce::MemoryBlock>> damaged;
    // Every truncation: the root element cannot be complete before the last byte of its text.
    for (size_t length = 0; length + 1 < saved.getSize(); ++length)
        damaged.emplace_back ("first " + juce::String ((int) length) + " bytes", juce::MemoryBlock (saved.getData(), length));

    auto wrongMagic = saved;
    static_cast<char*> (wrongMagic.getData())[0] ^= 0x01;
    damaged.emplace_back ("wrong magic", wrongMagic);

    auto zeroLength = saved;
    std::fill_n (static_cast<char*> (zeroLength.getData()) + 4, 4, 0);
    damaged.emplace_back ("zero length", zeroLength);

    const juce::String rawXml (static_cast<const char*> (saved.getData()) + 8);
    damaged.emplace_back ("raw XML without the header", juce::MemoryBlock (rawXml.toRawUTF8(), rawXml.getNumBytesAsUTF8()));
    damaged.emplace_back ("foreign root", wrapped ("<OTHER_PLUGIN><PARAM id=\"cutoff\" value=\"99\"/></OTHER_PLUGIN>"));
    damaged.emplace_back ("not XML", withHeader ("LUMIVOX_STATE cutoff=99 <<<"));
    damaged.emplace_back ("text after a processing instruction, on which the XML parser never returns",
                          withHeader ("<LUMIVOX_STATE><?x?>a</LUMIVOX_STATE>"));
    damaged.emplace_back ("deep nesting", withHeader ("<LUMIVOX_STATE>" + juce::String::repeatedString ("<a>", 100000)));
    damaged.emplace_back ("unclosed root", withHeader ("<LUMIVOX_STATE><PARAM id=\"cutoff\" value=\"99\"/>"));

    juce::Random random (7);
    for (int i = 0; i < 40; ++i)
    {
        juce::MemoryBlock bytes ((size_t) random.nextInt ({ 1, 600 }));
        random.fillBitsRandomly (bytes.getData(), bytes.getSize());
        if (i % 2 == 1 && bytes.getSize() > 8) // a valid header in front of noise
            std::copy_n (static_cast<const char*> (saved.getData()), 8, static_cast<char*> (bytes.getData()));
        damaged.emplace_back ("random bytes " + juce::String (i), bytes);
    }

    // An undone edit leaves both an undo and a redo step to lose.
    LivedInProcessor target;
    juce::UndoManager& undo = target.p.undoManager;
    ASSERT_TRUE (target.p.getRackManager().insertFx ("delay"));
    ASSERT_TRUE (target.p.getRackManager().undo());
    ASSERT_TRUE (undo.canUndo() && undo.canRedo());
    const auto before = observe (target.p);

    // Any load replaces the live tree (dropping this marker), clears the undo history and
    // replaces or drops the stored slot trees, so these tell a refused load from one that ran.
    target.p.apvts.state.setProperty ("untouched", true, nullptr);
    const auto slotA = target.p.getABSnapshots().storedSlot (0);
    const auto slotB = target.p.getABSnapshots().storedSlot (1);
    const auto untouched = [&]
    {
        return target.p.apvts.state.hasProperty ("untouched") && undo.canUndo() && undo.canRedo()
               && target.p.getABSnapshots().exist() && target.p.getActiveABSlot() == 1
               && target.p.getABSnapshots().storedSlot (0) == slotA && target.p.getABSnapshots().storedSlot (1) == slotB;
    };

    for (const auto& [name, blob] : damaged)
    {
        load (target.p, blob);
        ASSERT_TRUE (untouched()) << name;
    }
    target.p.setStateInformation (nullptr, 100);
    EXPECT_TRUE (untouched()) << "no data";

    target.p.apvts.state.removeProperty ("untouched", nullptr);
    EXPECT_TRUE (observe (target.p) == before);
    EXPECT_TRUE (rendersFinite (target.p));
}

TEST (PluginState, LengthFieldsBeyondTheDataReadWhatIsThere)
{
    LUMIVOXAudioProcessor source;
    setParameter (source, "cutoff", 440.0f);
    const auto saved = saveState (source);

    for (juce::uint32 stored : { 0x7fffffffu, 0xffffffffu, (juce::uint32) saved.getSize() })
    {
        auto blob = saved;
        const auto le = juce::ByteOrder::swapIfBigEndian (stored);
        std::memcpy (static_cast<char*> (blob.getData()) + 4, &le, 4);
        LUMIVOXAudioProcessor target;
        load (target, blob);
        EXPECT_EQ (parameterValue (target, "cutoff"), 440.0f) << stored;
    }
}

TEST (PluginState, BrokenValuesAreRepairedOnLoad)
{
    const auto blob = wrapped (
        "<LUMIVOX_STATE insertedFx=\"delay,reverb\">"
        "<PARAM id=\"cutoff\" value=\"nan\"/>"
        "<PARAM id=\"delayMs\" value=\"1e300\"/>"
        "<PARAM id=\"feedback\" value=\"inf\"/>"
        "<PARAM id=\"reverbMix\" value=\"very wet\"/>"
        "<PARAM id=\"bits\" value=\"-40\"/>"
        "<PARAM id=\"madeUpKnob\" value=\"3\"/>"
        "<PARAM id=\"bits\" value=\"1e300\"/>"
        "<PARAM id=\"delayMix\" value=\"60\"/>"
        "<PARAM id=\"delayMix\" value=\"nan\"/>"
        "</LUMIVOX_STATE>");

    LUMIVOXAudioProcessor p;
    load (p, blob);
    EXPECT_EQ (parameterValue (p, "delayMs"), 250.0f);
    EXPECT_EQ (parameterValue (p, "bits"), 2.0f);
    EXPECT_EQ (parameterValue (p, "reverbMix"), 0.0f);
    EXPECT_EQ (parameterValue (p, "delayMix"), 60.0f) << "the first of duplicated children is the one that counts";
    EXPECT_EQ (p.getInsertedFxOrder().joinIntoString (","), "delay,reverb,shaper");

    for (auto* raw : p.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (raw);
        const float value = parameterValue (p, ranged->getParameterID());
        EXPECT_TRUE (std::isfinite (value)) << ranged->getParameterID();
        EXPECT_GE (value, ranged->getNormalisableRange().start) << ranged->getParameterID();
        EXPECT_LE (value, ranged->getNormalisableRange().end) << ranged->getParameterID();
    }
    EXPECT_EQ (p.apvts.state.getChildWithProperty ("id", "madeUpKnob").getProperty ("value").toString(), "3")
        << "unknown entries are kept";
    EXPECT_TRUE (rendersFinite (p));

    // The repaired sound saves and loads again unchanged.
    const auto resaved = saveState (p);
    LUMIVOXAudioProcessor again;
    load (again, resaved);
    EXPECT_EQ (again.apvts.copyState().toXmlString(), p.apvts.copyState().toXmlString());
}

TEST (PluginState, SnapshotsNeedExactlyTwoStateChildren)
{
    const juce::String slot = "<LUMIVOX_STATE><PARAM id=\"cutoff\" value=\"100\"/></LUMIVOX_STATE>";
    struct Case { const char* name; juce::String children; };
    const Case cases[] = {
        { "no children", "" },
        { "one child", slot },
        { "three children", slot + slot + slot },
        { "two children that are not sounds", "<FOO/><BAR/>" },
    };
    for (const auto& c : cases)
    {
        LivedInProcessor target;
        load (target.p, wrapped ("<LUMIVOX_STATE><PARAM id=\"cutoff\" value=\"5000\"/><AB_SNAPSHOTS active=\"1\">"
                                 + c.children + "</AB_SNAPSHOTS></LUMIVOX_STATE>"));
        EXPECT_EQ (parameterValue (target.p, "cutoff"), 5000.0f) << c.name;
        EXPECT_FALSE (target.p.getABSnapshots().exist()) << c.name;
        EXPECT_EQ (target.p.getActiveABSlot(), 0) << c.name;
        EXPECT_FALSE (target.p.apvts.state.getChildWithName ("AB_SNAPSHOTS").isValid()) << c.name;
        EXPECT_FALSE (target.p.undoManager.canUndo()) << c.name;
    }
}

TEST (ABSnapshots, SavedWithBActiveComesBackOnBWithAIntact)
{
    LUMIVOXAudioProcessor source;
    setParameter (source, "delayMs", 300.0f);
    source.switchABSlot (1);
    setParameter (source, "delayMs", 900.0f);
    ASSERT_TRUE (source.getRackManager().insertFx ("reverb"));

    LUMIVOXAudioProcessor target;
    load (target, saveState (source));
    EXPECT_TRUE (target.getABSnapshots().exist());
    EXPECT_EQ (target.getActiveABSlot(), 1);
    EXPECT_EQ (parameterValue (target, "delayMs"), 900.0f);
    EXPECT_TRUE (target.getInsertedFxOrder().contains ("reverb"));

    target.switchABSlot (0);
    EXPECT_EQ (parameterValue (target, "delayMs"), 300.0f);
    EXPECT_FALSE (target.getInsertedFxOrder().contains ("reverb"));
    target.switchABSlot (1);
    EXPECT_EQ (parameterValue (target, "delayMs"), 900.0f);
}

TEST (ABSnapshots, FirstUseAndClicksOnTheActiveSlot)
{
    // The first click on B stores the sound as A and loads a copy: nothing audible changes.
    LUMIVOXAudioProcessor p;
    setParameter (p, "cutoff", 1234.0f);
    const auto sound = p.apvts.copyState().toXmlString();
    p.switchABSlot (1);
    EXPECT_EQ (p.getActiveABSlot(), 1);
    EXPECT_EQ (p.apvts.copyState().toXmlString(), sound);

    // Edits then touch only B, and clicking B again does nothing.
    setParameter (p, "cutoff", 4321.0f);
    p.switchABSlot (1);
    EXPECT_EQ (parameterValue (p, "cutoff"), 4321.0f);
    p.switchABSlot (0);
    EXPECT_EQ (parameterValue (p, "cutoff"), 1234.0f);

    // The first click on A creates the snapshots and keeps the sound.
    LUMIVOXAudioProcessor fresh;
    setParameter (fresh, "cutoff", 777.0f);
    ASSERT_TRUE (fresh.getRackManager().insertFx ("delay"));
    fresh.switchABSlot (0);
    EXPECT_TRUE (fresh.getABSnapshots().exist());
    EXPECT_EQ (fresh.getActiveABSlot(), 0);
    EXPECT_EQ (parameterValue (fresh, "cutoff"), 777.0f);
    EXPECT_TRUE (fresh.undoManager.canUndo()) << "nothing was replaced";
}

TEST (ABSnapshots, WindowSizeAndFavouritesStayWithTheInstance)
{
    LUMIVOXAudioProcessor p;
    p.switchABSlot (1);
    p.switchABSlot (0);
    const std::pair<const juce::Identifier*, juce::var> instance[] = {
        { &StateProperty::uiWidth, 1400 }, { &StateProperty::uiHeight, 900 }, { &StateProperty::uiDecorations, true },
        { &StateProperty::favoriteFactoryPresets, "factory:Glass" }, { &StateProperty::presetFavorites, "user:Mine" },
    };
    for (const auto& [id, value] : instance)
        p.apvts.state.setProperty (*id, value, nullptr);
    p.apvts.state.setProperty (StateProperty::presetName, "Sound A", nullptr);

    p.switchABSlot (1);
    for (const auto& [id, value] : instance)
        EXPECT_EQ (p.apvts.state.getProperty (*id), value) << id->toString();
    EXPECT_FALSE (p.apvts.state.hasProperty (StateProperty::presetName)) << "the preset name belongs to the sound";
    p.switchABSlot (0);
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::presetName).toString(), "Sound A");
}

TEST (ABSnapshots, CopyKeepsTheUndoHistoryAndSwitchingClearsIt)
{
    LUMIVOXAudioProcessor p;
    setParameter (p, "cutoff", 500.0f);
    ASSERT_TRUE (p.getRackManager().insertFx ("delay"));
    p.copyABSlotToOther(); // first use: both slots hold this sound
    EXPECT_TRUE (p.getABSnapshots().exist());
    EXPECT_EQ (p.getActiveABSlot(), 0);
    EXPECT_TRUE (p.undoManager.canUndo());

    setParameter (p, "cutoff", 9000.0f);
    p.copyABSlotToOther();
    EXPECT_EQ (parameterValue (p, "cutoff"), 9000.0f);
    p.switchABSlot (1);
    EXPECT_FALSE (p.undoManager.canUndo());
    EXPECT_EQ (parameterValue (p, "cutoff"), 9000.0f) << "B received the copy";

    // Copying from B writes A.
    setParameter (p, "cutoff", 60.0f);
    p.copyABSlotToOther();
    p.switchABSlot (0);
    EXPECT_EQ (parameterValue (p, "cutoff"), 60.0f);
}
