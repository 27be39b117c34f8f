#include "engine/SavedState.h"
#include "engine/StateVersion.h"
#include "presets/PresetFile.h"
#include "engine/StateMigration.h"
#include "support/TestHelpers.h"

namespace
{
const char* const defaultOrder = "drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,"
                                 "granular,chorus,delay,reverb,width";

juce::ValueTree param (const juce::String& id, const juce::var& value)
{
    juce::ValueTree p ("PARAM");
    p.setProperty ("id", id, nullptr);
    if (! value.isVoid())
        p.setProperty ("value", value, nullptr);
    return p;
}

juce::var valueOf (const juce::ValueTree& tree, const juce::String& id)
{
    return tree.getChildWithProperty ("id", id).getProperty ("value");
}
} // namespace

TEST (StateMigration, RackOrderIsAddedOnlyWhenMissing)
{
    LUMIVOXAudioProcessor p;
    juce::ValueTree bare ("LUMIVOX_STATE");
    EXPECT_EQ (StateMigration::complete (p.apvts, bare).getProperty ("rackOrder").toString(), defaultOrder);
    EXPECT_FALSE (bare.hasProperty ("rackOrder")) << "the given tree never changes";
    EXPECT_EQ (bare.getNumChildren(), 0);

    for (const juce::String kept : { "width", "" })
    {
        juce::ValueTree tree ("LUMIVOX_STATE");
        tree.setProperty ("rackOrder", kept, nullptr);
        EXPECT_EQ (StateMigration::complete (p.apvts, tree).getProperty ("rackOrder").toString(), kept);
    }
    EXPECT_FALSE (StateMigration::complete (p.apvts, juce::ValueTree()).isValid());
}

TEST (StateMigration, ValuesAreRepairedIntoRangeOrToTheDefault)
{
    LUMIVOXAudioProcessor p;
    struct Case { const char* id; juce::var stored; double expected; };
    const Case cases[] = {
        { "cutoff", 250000.0, 20000.0 },           // clamped to the range end
        { "bits", -5, 2.0 },                       // clamped to the range start
        { "delayMs", 1.0e300, 250.0 },             // infinite as a float: the default
        { "feedback", "1e300", 30.0 },             // the same, as stored text
        { "cutoff", juce::var(), 20.0 },           // missing reads as 0, then clamped
        { "reverbMix", "loud", 0.0 },              // non-numeric text reads as 0
        { "delayMix", std::numeric_limits<double>::quiet_NaN(), 25.0 },
        { "drive", -std::numeric_limits<double>::infinity(), 8.0 },
        { "delayMs", 777.4, 777.4f },              // not snapped to the step here
    };
    for (const auto& c : cases)
    {
        juce::ValueTree tree ("LUMIVOX_STATE");
        tree.appendChild (param (c.id, c.stored), nullptr);
        const auto repaired = StateMigration::complete (p.apvts, tree);
        const auto value = valueOf (repaired, c.id);
        EXPECT_TRUE (value.isDouble()) << c.id;
        EXPECT_DOUBLE_EQ ((double) value, c.expected) << c.id << " from " << c.stored.toString();
    }
}

TEST (StateMigration, EveryParameterEndsUpPresentOnceAndOtherContentIsKept)
{
    LUMIVOXAudioProcessor p;
    juce::ValueTree tree ("LUMIVOX_STATE");
    tree.setProperty ("presetName", "Mine", nullptr);
    tree.appendChild (param ("notAParameter", "x"), nullptr);
    tree.appendChild (param ("cutoff", 500.0), nullptr);
    tree.appendChild (param ("cutoff", "junk"), nullptr); // a later duplicate is copied as it is
    tree.appendChild (juce::ValueTree ("AB_SNAPSHOTS"), nullptr);
    const auto before = tree.toXmlString();

    const auto repaired = StateMigration::complete (p.apvts, tree);
    EXPECT_EQ (tree.toXmlString(), before);
    EXPECT_EQ (repaired.getProperty ("presetName").toString(), "Mine");
    EXPECT_EQ (repaired.getChild (0).getProperty ("value").toString(), "x");
    EXPECT_EQ ((double) repaired.getChild (1).getProperty ("value"), 500.0);
    EXPECT_EQ (repaired.getChild (2).getProperty ("value").toString(), "junk");
    EXPECT_TRUE (repaired.getChild (3).hasType ("AB_SNAPSHOTS"));

    // Missing parameters are appended in parameter order with their defaults.
    const auto& params = p.getParameters();
    EXPECT_EQ (repaired.getNumChildren(), 4 + params.size() - 1);
    int appended = 4;
    for (auto* raw : params)
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (raw);
        ASSERT_NE (ranged, nullptr);
        const auto child = repaired.getChildWithProperty ("id", ranged->getParameterID());
        const auto value = (double) child.getProperty ("value");
        EXPECT_TRUE (std::isfinite (value));
        EXPECT_GE (value, ranged->getNormalisableRange().start);
        EXPECT_LE (value, ranged->getNormalisableRange().end);
        if (ranged->getParameterID() != "cutoff")
        {
            EXPECT_EQ (repaired.indexOf (child), appended++) << ranged->getParameterID();
            EXPECT_EQ (value, ranged->convertFrom0to1 (ranged->getDefaultValue()));
        }
    }
    const auto freeze = repaired.getChildWithProperty ("id", "grainFreeze");
    EXPECT_TRUE (freeze.hasType ("PARAM"));
    EXPECT_EQ ((double) freeze.getProperty ("value"), 0.0);
}

TEST (StateMigration, SavedStatesAndPresetFilesCarryTheVersionAndTheLiveTreeDoesNot)
{
    LUMIVOXAudioProcessor p;
    p.switchABSlot (1); // a saved state with both A/B slots

    juce::MemoryBlock saved;
    p.getStateInformation (saved);
    const auto tree = SavedState::read (saved.getData(), (int) saved.getSize());
    EXPECT_EQ (StateVersion::of (tree), StateVersion::current);
    const auto slots = tree.getChildWithName ("AB_SNAPSHOTS");
    ASSERT_EQ (slots.getNumChildren(), 2);
    for (const auto& slot : slots)
        EXPECT_EQ (StateVersion::of (slot), StateVersion::current);

    const auto file = juce::ValueTree::fromXml (PresetFile::textOf (p.apvts));
    EXPECT_EQ (StateVersion::of (file), StateVersion::current);

    LUMIVOXAudioProcessor restored;
    restored.setStateInformation (saved.getData(), (int) saved.getSize());
    EXPECT_FALSE (restored.apvts.state.hasProperty (StateVersion::property));
    EXPECT_FALSE (p.apvts.state.hasProperty (StateVersion::property)) << "saving leaves the live tree alone";
}

TEST (StateMigration, EveryVersionStampCompletesToTheSameSound)
{
    LUMIVOXAudioProcessor p;
    juce::ValueTree plain ("LUMIVOX_STATE");
    plain.setProperty ("insertedFx", "delay", nullptr);
    plain.appendChild (param ("delayMix", 40.0), nullptr);
    plain.appendChild (param ("cutoff", 1.0e9), nullptr);
    const auto expected = StateMigration::complete (p.apvts, plain).toXmlString();

    // Unstamped, this version, a newer build's, and stamps that make no sense.
    for (const juce::var& stamp : { juce::var (0), juce::var (1), juce::var (99), juce::var ("junk"), juce::var (-3),
                                   juce::var (std::numeric_limits<double>::quiet_NaN()) })
    {
        auto stamped = plain.createCopy();
        stamped.setProperty (StateVersion::property, stamp, nullptr);
        const auto completed = StateMigration::complete (p.apvts, stamped);
        EXPECT_EQ (completed.toXmlString(), expected) << stamp.toString();
        EXPECT_FALSE (completed.hasProperty (StateVersion::property));
    }
}
