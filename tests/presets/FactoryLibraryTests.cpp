#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
const char* const remainingOrder[] = { "drive",   "filter",  "shaper",   "gate",    "crusher", "pitch",
                                       "halftime", "granular", "reverb", "stutter", "reverse", "tapestop",
                                       "formant", "chorus",  "delay",    "width" };

const char* const categories[] = { "FACTORY / HYPERPOP", "FACTORY / GLITCH",     "FACTORY / VOCAL",
                                   "FACTORY / TEXTURE",  "FACTORY / PUMP",       "FACTORY / AMBIENT",
                                   "FACTORY / DISTORTION", "FACTORY / SPACE",    "FACTORY / TIME",
                                   "FACTORY / EXPERIMENTAL" };

juce::String expectedRackOrder (const juce::String& insertedFx)
{
    auto ids = juce::StringArray::fromTokens (insertedFx, ",", {});
    for (const auto* id : remainingOrder)
        if (! ids.contains (id))
            ids.add (id);
    return ids.joinIntoString (",");
}

juce::String baseDescription (const juce::String& description)
{
    return description.upToLastOccurrenceOf (" Colour level", false, false);
}

float initValue (const Param::Spec& s)
{
    const auto id = juce::String (s.id);
    return id == "driveOn" || id == "filterOn" ? 0.0f : s.defaultValue;
}
} // namespace

TEST (FactoryLibrary, ListOrderNamesAndCategories)
{
    const auto list = FactoryLibrary::presetList();
    ASSERT_EQ (list.size(), 161u);
    EXPECT_EQ (list[0].name, "INIT");
    EXPECT_EQ (list[10].name, "PLASTIC VOCAL");
    EXPECT_EQ (list[11].name, "Candy Chrome");
    EXPECT_EQ (list[160].name, "Afterimage Machine");
    for (size_t n = 0; n < 11; ++n)
        EXPECT_EQ (list[n].category, "FACTORY / ORIGINALS");

    juce::StringArray names;
    for (size_t n = 0; n < list.size(); ++n)
    {
        EXPECT_TRUE (list[n].isFactory);
        EXPECT_EQ (list[n].file, juce::File());
        EXPECT_FALSE (names.contains (list[n].name)) << list[n].name << " appears twice";
        names.add (list[n].name);
        EXPECT_EQ (FactoryLibrary::indexOf (list[n].name), (int) n);
        if (n >= 11)
        {
            EXPECT_EQ (list[n].category, categories[(n - 11) / 15]) << list[n].name;
        }
    }
    EXPECT_EQ (FactoryLibrary::indexOf ("candy chrome"), -1) << "names match exactly";
}

TEST (FactoryLibrary, RecipesFollowTheTableRules)
{
    const auto& recipes = FactoryLibrary::recipes();
    ASSERT_EQ (recipes.size(), 150u);
    int shaperLast = 0;

    for (size_t i = 0; i < recipes.size(); ++i)
    {
        const auto& r = recipes[i];
        const auto inserted = juce::StringArray::fromTokens (r.insertedFx, ",", {});
        EXPECT_TRUE (inserted.contains ("shaper")) << r.name;
        shaperLast += inserted[inserted.size() - 1] == "shaper" ? 1 : 0;
        EXPECT_EQ (juce::String (r.rackOrder), expectedRackOrder (r.insertedFx)) << r.name;
        ASSERT_FALSE (r.values.empty()) << r.name;
        EXPECT_STREQ (r.values.front().id, "output") << r.name;

        for (const auto& v : r.values)
        {
            const int index = Param::indexOf (v.id);
            ASSERT_GE (index, 0) << r.name << ": " << v.id;
            const auto& s = Param::spec ((Param::Index) index);
            EXPECT_GE (v.value, s.minimum) << r.name << ": " << v.id;
            EXPECT_LE (v.value, s.maximum) << r.name << ": " << v.id;
        }

        // Levels 1, 2 and 3 of a base sit five apart within the category and share all but values.
        const size_t inCategory = i % 15;
        const int level = (int) inCategory / 5 + 1;
        EXPECT_TRUE (juce::String (r.description).endsWith (" Colour level " + juce::String (level) + ".")) << r.name;
        if (level > 1)
        {
            const auto& first = recipes[i - (size_t) (level - 1) * 5];
            EXPECT_EQ (baseDescription (r.description), baseDescription (first.description)) << r.name;
            EXPECT_STREQ (r.insertedFx, first.insertedFx) << r.name;
            ASSERT_EQ (r.values.size(), first.values.size()) << r.name;
            for (size_t k = 0; k < r.values.size(); ++k)
                EXPECT_STREQ (r.values[k].id, first.values[k].id) << r.name;
        }
    }
    EXPECT_EQ (shaperLast, 132);
}

TEST (FactoryLibrary, TellingRowsAreExact)
{
    const auto find = [] (const char* name) -> const FactoryLibrary::Recipe&
    {
        const int n = FactoryLibrary::indexOf (name);
        EXPECT_GE (n, 11) << name;
        return FactoryLibrary::recipes()[(size_t) juce::jmax (0, n - 11)];
    };

    const auto& cyber = find ("Cyber Candy");
    const std::vector<std::pair<const char*, float>> cyberValues = {
        { "output", -3 },      { "driveQuality", 1 }, { "drive", 12 },      { "driveMix", 48 },   { "driveType", 2 },
        { "formantShift", 4 }, { "formantMix", 46 },  { "chorusRate", 0.71f }, { "chorusDepth", 42 }, { "chorusMix", 32 },
        { "delayMs", 249 },    { "feedback", 36 },    { "delayMix", 26 },   { "width", 144 },     { "driveOn", 1 },
        { "formantOn", 1 },    { "chorusOn", 1 },     { "delayOn", 1 },     { "widthOn", 1 },     { "modSource0", 1 },
        { "modDestination0", 24 }, { "modDepth0", 11 },
    };
    ASSERT_EQ (cyber.values.size(), cyberValues.size());
    for (size_t k = 0; k < cyberValues.size(); ++k)
    {
        EXPECT_STREQ (cyber.values[k].id, cyberValues[k].first);
        EXPECT_FLOAT_EQ (cyber.values[k].value, cyberValues[k].second) << cyberValues[k].first;
    }

    const auto& duck = find ("Festival Duck");
    const float duckCurve[] = { 0, 0.072f, 0.164f, 0.268f, 0.378f, 0.494f, 0.615f, 0.74f, 0.868f, 1, 1, 1, 1, 1, 1, 1 };
    ASSERT_GE (duck.values.size(), 16u);
    for (int k = 0; k < 16; ++k)
    {
        const auto& v = duck.values[duck.values.size() - 16 + (size_t) k];
        EXPECT_STREQ (v.id, Param::shaperPoints[k]);
        EXPECT_FLOAT_EQ (v.value, duckCurve[k]) << k;
    }

    const auto& hearts = find ("Parallel Hearts");
    EXPECT_STREQ (hearts.values.back().id, "modDepth1");
    EXPECT_FLOAT_EQ (hearts.values.back().value, -16.0f);
    EXPECT_STREQ (find ("Cassette Fall").values[3].id, "tapeStopTime");
    EXPECT_FLOAT_EQ (find ("Cassette Fall").values[3].value, 1350.0f);
}

TEST (FactoryLibrary, LoadingAppliesTheInitSoundFirst)
{
    LUMIVOXAudioProcessor p;
    FactoryLibrary::load (p.apvts, FactoryLibrary::indexOf ("Cyber Candy"));
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::insertedFx).toString(), "drive,formant,chorus,delay,width,shaper");
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::rackOrder).toString(),
               "drive,formant,chorus,delay,width,shaper,filter,gate,crusher,pitch,halftime,granular,reverb,stutter,"
               "reverse,tapestop");

    // "HYPER PUMP" after another preset: its values and curve A, everything else at init, rack order kept.
    const auto orderBefore = p.apvts.state.getProperty (StateProperty::rackOrder).toString();
    FactoryLibrary::load (p.apvts, FactoryLibrary::indexOf ("HYPER PUMP"));
    const std::map<juce::String, float> pump = {
        { "filterOn", 1 }, { "cutoff", 15500 }, { "resonance", 0.82f }, { "filterMix", 72 }, { "shaperOn", 1 },
        { "shaperRate", 2 }, { "shaperDepth", 88 }, { "widthOn", 1 }, { "width", 138 }, { "macroSparkle", 32 },
    };
    const float curveA[] = { 0, 0.04f, 0.10f, 0.19f, 0.31f, 0.48f, 0.68f, 0.86f, 0.97f, 1, 1, 1, 1, 1, 1, 1 };
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR (parameterValue (p, Param::shaperPoints[k]), curveA[k], 1.0e-3f) << k;
    for (const auto& s : Param::all())
    {
        if (juce::String (s.id).startsWith ("shaperPoint"))
            continue;
        const auto listed = pump.find (s.id);
        const float expected = listed != pump.end() ? listed->second : initValue (s);
        EXPECT_NEAR (parameterValue (p, s.id), expected, 1.0e-5f * (s.maximum - s.minimum) + 1.0e-6f) << s.id;
    }
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::insertedFx).toString(), "filter,shaper,width");
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::rackOrder).toString(), orderBefore);

    FactoryLibrary::load (p.apvts, 0);
    for (const auto& s : Param::all())
        EXPECT_NEAR (parameterValue (p, s.id), initValue (s), 1.0e-5f * (s.maximum - s.minimum) + 1.0e-6f) << s.id;
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::insertedFx).toString(), "shaper");

    const auto before = p.apvts.copyState().toXmlString();
    FactoryLibrary::load (p.apvts, 161);
    FactoryLibrary::load (p.apvts, -1);
    EXPECT_EQ (p.apvts.copyState().toXmlString(), before) << "numbers beyond the list apply nothing";
}
