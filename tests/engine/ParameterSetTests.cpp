#include "engine/LUMIVOXAudioProcessor.h"
#include "engine/ParameterTable.h"
#include "support/TestHelpers.h"

#include <set>

using namespace testing_support;

TEST (ParameterSet, HasAllParametersWithDistinctIdsAndTheRightKinds)
{
    LUMIVOXAudioProcessor p;
    const auto& params = p.getParameters();
    ASSERT_EQ (params.size(), 137);

    std::set<juce::String> ids;
    int floats = 0, bools = 0, choices = 0;
    for (auto* param : params)
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (param);
        ASSERT_NE (ranged, nullptr);
        ids.insert (ranged->getParameterID());
        EXPECT_EQ (ranged->getVersionHint(), 1) << ranged->getParameterID();
        floats += dynamic_cast<juce::AudioParameterFloat*> (param) != nullptr;
        bools += dynamic_cast<juce::AudioParameterBool*> (param) != nullptr;
        choices += dynamic_cast<juce::AudioParameterChoice*> (param) != nullptr;
    }
    EXPECT_EQ (ids.size(), 137u);
    EXPECT_EQ (floats, 85);
    EXPECT_EQ (bools, 26);
    EXPECT_EQ (choices, 26);
    EXPECT_EQ (p.apvts.state.getType().toString(), "LUMIVOX_STATE");
}

TEST (ParameterSet, TableIndicesAndFamiliesAgree)
{
    for (int i = 0; i < Param::count; ++i)
    {
        EXPECT_EQ ((int) Param::all()[(size_t) i].index, i) << Param::all()[(size_t) i].id;
        EXPECT_EQ (Param::indexOf (Param::all()[(size_t) i].id), i);
    }
    EXPECT_EQ (Param::indexOf ("Drive"), -1);

    for (int n = 0; n < Param::numShaperPoints; ++n)
        EXPECT_STREQ (Param::id (Param::shaperPointIndex[n]), Param::shaperPoints[n]);
    for (int n = 0; n < Param::numRoutes; ++n)
    {
        EXPECT_STREQ (Param::id (Param::modSourceIndex[n]), Param::modSources[n]);
        EXPECT_STREQ (Param::id (Param::modDestinationIndex[n]), Param::modDestinations[n]);
        EXPECT_STREQ (Param::id (Param::modDepthIndex[n]), Param::modDepths[n]);
        EXPECT_STREQ (Param::id (Param::modEnabledIndex[n]), Param::modEnabled[n]);
    }
    // Routes count from 0 in their IDs and from 1 in their names; modEnabled from 1 in both.
    EXPECT_STREQ (Param::spec (Param::modSource0).name, "Mod Source 1");
    EXPECT_STREQ (Param::spec (Param::modEnabled1).name, "Mod Enabled 1");
    EXPECT_STREQ (Param::spec (Param::shaperPoint15).name, "Shaper Point 16");
}

TEST (ParameterSet, FreshProcessorReportsDefaults)
{
    LUMIVOXAudioProcessor p;
    struct Case { const char* id; float value; };
    const Case cases[] = {
        { "input", 0.0f }, { "output", 0.0f }, { "masterMix", 100.0f }, { "drive", 8.0f },
        { "driveQuality", 1.0f }, { "cutoff", 12000.0f }, { "resonance", 0.707f }, { "shaperRate", 2.0f },
        { "shaperPoint0", 0.0f }, { "shaperPoint1", 0.05f }, { "shaperPoint6", 0.88f }, { "shaperPoint7", 1.0f },
        { "shaperPoint15", 1.0f }, { "gateRate", 2.0f }, { "bits", 12.0f }, { "downsample", 1.0f },
        { "delayMs", 250.0f }, { "feedback", 30.0f }, { "delayMix", 25.0f }, { "grainMix", 50.0f },
        { "reverbMix", 24.0f }, { "stutterRate", 3.0f }, { "stutterLength", 72.0f }, { "reverseRate", 2.0f },
        { "tapeStopCurve", 1.6f }, { "chorusRate", 0.7f }, { "chorusFeedback", 10.0f }, { "lfoRate", 1.0f },
        { "lfo2Rate", 0.5f }, { "envRelease", 180.0f }, { "sampleHoldSmooth", 12.0f }, { "macroChaos", 0.0f },
    };
    for (const auto& c : cases)
        EXPECT_NEAR (parameterValue (p, c.id), c.value, 1.0e-5f) << c.id;

    for (const auto& s : Param::all())
    {
        const juce::String id (s.id);
        if (id.endsWith ("On"))
        {
            EXPECT_EQ (parameterValue (p, id), (id == "driveOn" || id == "filterOn") ? 1.0f : 0.0f) << id;
        }
    }
    for (int n = 0; n < Param::numRoutes; ++n)
    {
        EXPECT_EQ (parameterValue (p, Param::modEnabled[n]), 1.0f);
        EXPECT_EQ (parameterValue (p, Param::modSources[n]), 0.0f);
        EXPECT_EQ (parameterValue (p, Param::modDestinations[n]), 0.0f);
    }
}

TEST (ParameterSet, HostTextShowsTheDecimalsOfTheInterval)
{
    LUMIVOXAudioProcessor p;
    struct Case { const char* id; float value; const char* text; };
    const Case cases[] = {
        { "delayMs", 250.0f, "250" },   { "chorusRate", 0.7f, "0.70" }, { "formantShift", 1.5f, "1.50" },
        { "resonance", 0.707f, "0.707" }, { "drive", 8.0f, "8.0" },     { "filterType", 1.0f, "HP" },
        { "modSource0", 4.0f, "S&H" },  { "modDestination3", 33.0f, "CHORUS MIX" },
    };
    for (const auto& c : cases)
    {
        auto* param = p.apvts.getParameter (c.id);
        EXPECT_EQ (param->getText (param->convertTo0to1 (c.value), 0), juce::String (c.text)) << c.id;
    }
}

TEST (ParameterSet, HostValuesSnapToTheInterval)
{
    LUMIVOXAudioProcessor p;
    struct Case { const char* id; float set; float expected; };
    const Case cases[] = {
        { "downsample", 7.4f, 7.0f }, { "formantShift", 1.52f, 1.5f }, { "formantShift", -3.97f, -3.95f },
        { "delayMs", 250.6f, 251.0f }, { "cutoff", 99999.0f, 20000.0f }, { "input", -50.0f, -24.0f },
    };
    for (const auto& c : cases)
    {
        setParameter (p, c.id, c.set);
        EXPECT_NEAR (parameterValue (p, c.id), c.expected, 1.0e-4f) << c.id;
    }
}
