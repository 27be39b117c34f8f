#include "engine/ModulationEngine.h"
#include "support/TestHelpers.h"

using namespace testing_support;
using D = Destination::Index;

namespace
{
constexpr double rate = 48000.0;

// A parameter tree to set values on, and the engine reading it through a cache.
struct Engine
{
    Engine()
    {
        cache.bind (p.apvts);
        engine.reset (rate);
        for (int i = 0; i < Param::numShaperPoints; ++i)
            points[(size_t) i] = Param::spec (Param::shaperPointIndex[i]).defaultValue;
    }

    void set (const char* id, float value) { setParameter (p, id, value); }

    void route (int n, int source, int destination, float depth)
    {
        set (Param::modSources[n], (float) source);
        set (Param::modDestinations[n], (float) destination);
        set (Param::modDepths[n], depth);
    }

    EffectiveValues run (int samples = 512, float peak = 0.0f, ProcessContext context = {})
    {
        context.sampleRate = rate;
        return engine.process (cache, context, samples, peak, points);
    }

    float source (ModulationEngine::Source s) const { return engine.getSourceValues()[(size_t) s]; }

    LUMIVOXAudioProcessor p;
    ParameterCache cache;
    ModulationEngine engine;
    ModulationEngine::ShaperPoints points {};
};
} // namespace

TEST (ModulationEngine, WithoutModulationEveryValueIsItsParameter)
{
    Engine e;
    e.set ("bits", 9.0f);
    e.set ("downsample", 4.0f);
    e.set ("width", 150.0f);
    const auto v = e.run();
    for (int d = 1; d < Destination::count; ++d)
    {
        const auto& row = Destination::row (d);
        const float expected = parameterValue (e.p, Param::id (row.base)) * row.scale;
        EXPECT_NEAR (v.value[(size_t) d], row.rounded ? std::round (expected) : expected, 1.0e-4f) << Param::destinationNames[d];
    }
    EXPECT_FLOAT_EQ (v[D::width], 1.5f);
    EXPECT_FLOAT_EQ (v[D::bits], 9.0f);
}

TEST (ModulationEngine, MacroContributions)
{
    struct Case { const char* macro; D destination; float base, expected; const char* baseId; };
    const Case cases[] = {
        { "macroGlitch", D::bits, 12.0f, 5.0f, "bits" },
        { "macroGlitch", D::downsample, 1.0f, 15.0f, "downsample" },
        { "macroCrush", D::drive, 8.0f, 26.0f, "drive" },
        { "macroCrush", D::drive, 30.0f, 36.0f, "drive" },
        { "macroCrush", D::bits, 12.0f, 10.0f, "bits" },
        { "macroChaos", D::delayFeedback, 30.0f, 0.54f, "feedback" },
        { "macroChaos", D::formantShift, 0.0f, -1.0f, "formantShift" },
        { "macroSparkle", D::cutoff, 1000.0f, 1000.0f * std::exp2 (1.15f), "cutoff" },
        { "macroSparkle", D::width, 100.0f, 1.55f, "width" },
    };
    for (const auto& c : cases)
    {
        Engine e;
        e.set (c.baseId, c.base);
        e.set (c.macro, 100.0f);
        EXPECT_NEAR (e.run()[c.destination], c.expected, 1.0e-3f) << c.macro << " -> " << Param::destinationNames[c.destination];
    }
}

TEST (ModulationEngine, RoutesSumClampAndObeyTheirSwitches)
{
    Engine e;
    e.set ("lfoRate", 0.05f);
    e.run (240); // LFO 1 moves away from phase 0, where its sine is 0
    e.route (0, ModulationEngine::lfo1, D::drive, 100.0f);
    e.route (1, ModulationEngine::lfo1, D::drive, 100.0f);
    const auto v = e.run (1);
    const float lfo = e.source (ModulationEngine::lfo1);
    ASSERT_GT (lfo, 0.0f);
    EXPECT_NEAR (v[D::drive], 8.0f + 18.0f * juce::jmin (1.0f, 2.0f * lfo), 1.0e-4f);

    // A macro as a source with full depth pins the sum at +1 however many routes add to it.
    Engine clamped;
    clamped.set ("macroSparkle", 100.0f);
    for (int n = 0; n < 4; ++n)
        clamped.route (n, ModulationEngine::sparkle, D::drive, 100.0f);
    EXPECT_NEAR (clamped.run()[D::drive], 8.0f + 18.0f, 1.0e-4f);

    clamped.set ("modEnabled1", 0.0f);
    clamped.set ("modEnabled2", 0.0f);
    clamped.set ("modEnabled3", 0.0f);
    clamped.set ("modEnabled4", 0.0f);
    EXPECT_NEAR (clamped.run()[D::drive], 8.0f, 1.0e-4f) << "disabled routes contribute nothing";
}

TEST (ModulationEngine, EnvelopeOnCutoffWithNegativeDepthLowersUpToFourOctaves)
{
    Engine e;
    e.set ("cutoff", 8000.0f);
    e.route (0, ModulationEngine::envelopeSource, D::cutoff, -100.0f);
    EXPECT_NEAR (e.run (512, 0.0f)[D::cutoff], 8000.0f, 1.0e-2f);
    EffectiveValues v;
    for (int i = 0; i < 200; ++i)
        v = e.run (512, 1.0f);
    EXPECT_NEAR (v[D::cutoff], 500.0f, 1.0f);

    e.set ("cutoff", 100.0f);
    EXPECT_FLOAT_EQ (e.run (512, 1.0f)[D::cutoff], 20.0f) << "limited at 20 Hz";
}

TEST (ModulationEngine, EnvelopeFollowsABurstWithItsTimeConstants)
{
    Engine e;
    e.set ("envAttack", 20.0f);
    e.set ("envRelease", 180.0f);
    const int n = 48; // 1 ms sub-blocks

    // After one attack time constant of full-scale input: 1 - 1/e.
    for (int i = 0; i < 20; ++i)
        e.run (n, 1.0f);
    EXPECT_NEAR (e.source (ModulationEngine::envelopeSource), 1.0f - std::exp (-1.0f), 1.0e-3f);

    for (int i = 0; i < 400; ++i)
        e.run (n, 1.0f);
    const float top = e.source (ModulationEngine::envelopeSource);
    EXPECT_NEAR (top, 1.0f, 1.0e-3f);

    // After one release time constant of silence: top / e.
    for (int i = 0; i < 180; ++i)
        e.run (n, 0.0f);
    EXPECT_NEAR (e.source (ModulationEngine::envelopeSource), top * std::exp (-1.0f), 1.0e-3f);
}

TEST (ModulationEngine, SampleAndHoldDrawsAtMostOncePerSubBlockAndRepeatsAfterReset)
{
    const auto sequence = [] (Engine& e)
    {
        std::vector<float> values;
        for (int i = 0; i < 6; ++i)
        {
            e.run (4096);
            values.push_back (e.source (ModulationEngine::sampleHold));
        }
        return values;
    };

    Engine e;
    e.set ("sampleHoldRate", 20.0f);
    e.set ("sampleHoldSmooth", 0.0f);
    const auto first = sequence (e);

    // One draw per sub-block, with the generator's first outputs.
    juce::uint32 rng = 0x12345678u;
    for (size_t i = 0; i < first.size(); ++i)
    {
        rng = rng * 1664525u + 1013904223u;
        const float target = (float) ((rng >> 8) / 16777215.0) * 2.0f - 1.0f;
        EXPECT_NEAR (first[i], target, 0.01f) << i; // 2 ms smoothing over 85 ms sub-blocks
    }

    e.engine.reset (rate);
    EXPECT_EQ (sequence (e), first);
}

TEST (ModulationEngine, ShaperSourceFollowsTheClockPosition)
{
    Engine e;
    for (auto& p : e.points)
        p = 0.0f;
    e.points[15] = 1.0f; // the curve rises over the last fifteenth of the cycle
    e.set ("shaperRate", 2.0f); // one beat per cycle

    ProcessContext context;
    context.ppqPosition = 10.0 + 14.5 / 15.0; // halfway between points 14 and 15
    e.run (512, 0.0f, context);
    EXPECT_NEAR (e.source (ModulationEngine::shaperSource), 0.0f, 1.0e-4f) << "2 x 0.5 - 1";

    context.ppqPosition = -0.25; // positive fraction: 0.75 of the cycle, on flat zero points
    e.run (512, 0.0f, context);
    EXPECT_NEAR (e.source (ModulationEngine::shaperSource), -1.0f, 1.0e-4f);
}

TEST (ModulationEngine, LegacyLfoTarget)
{
    Engine e;
    e.set ("lfoRate", 0.05f);
    e.set ("lfoTarget", 2.0f);
    e.run (4800);
    const auto v = e.run (1);
    EXPECT_NEAR (v[D::drive], 8.0f + 18.0f * e.source (ModulationEngine::lfo1), 1.0e-4f);

    e.set ("lfoTarget", 1.0f);
    const auto c = e.run (1);
    EXPECT_NEAR (c[D::cutoff], 12000.0f * std::exp2 (3.0f * e.source (ModulationEngine::lfo1)), 0.5f);
}
