#include "RenderTestSupport.h"

#include <map>
#include "support/ClickMeasure.h"
#include "engine/EffectCatalogue.h"
#include "engine/ParameterTable.h"

using namespace render_testing;

namespace
{
constexpr double rate = 44100.0;
constexpr int frames = 13230; // 0.3 s

// Writes IN with the test signal and returns it as the renderer will decode it.
juce::AudioBuffer<float> makeInput (const ScratchFolder& scratch, int channels, int bits = 32,
                                    const juce::String& name = "in.wav")
{
    EXPECT_TRUE (writeWav (scratch.file (name), testSignal (channels, frames, rate), rate, bits));
    const auto decoded = readWav (scratch.file (name));
    EXPECT_TRUE (decoded.has_value());
    return decoded.has_value() ? decoded->samples : juce::AudioBuffer<float>();
}

juce::StringArray withFiles (const ScratchFolder& scratch, juce::StringArray args)
{
    args.add (scratch.file ("in.wav").getFullPathName());
    args.add (scratch.file ("out.wav").getFullPathName());
    return args;
}

juce::String describe (const juce::StringArray& args)
{
    return "args: [" + args.joinIntoString ("] [") + "]";
}

// The rendered OUT, which must be a 32-bit float WAV at the input's rate.
juce::AudioBuffer<float> readOutput (const ScratchFolder& scratch)
{
    const auto out = readWav (scratch.file ("out.wav"));
    EXPECT_TRUE (out.has_value()) << "OUT missing or unreadable";
    if (! out.has_value())
        return {};
    EXPECT_TRUE (out->isFloat32);
    EXPECT_EQ (out->sampleRate, rate);
    return out->samples;
}

// One render of IN (already written) with --json: OUT, the summary and what went to stderr.
struct Render
{
    juce::AudioBuffer<float> output;
    int latency = -1;
    juce::var json;
    juce::String warnings;
};

Render renderWith (const ScratchFolder& scratch, juce::StringArray args)
{
    args.add ("--json");
    const auto run = runRenderer (withFiles (scratch, args), scratch);
    EXPECT_EQ (run.exitCode, 0) << describe (args) << "\n" << run.err;
    Render r;
    r.output = readOutput (scratch);
    r.json = juce::JSON::parse (run.out);
    r.latency = (int) r.json["latencySamples"];
    r.warnings = run.err;
    return r;
}

juce::StringArray joined (juce::StringArray a, const juce::StringArray& b)
{
    a.addArray (b);
    return a;
}
} // namespace

TEST (RenderCommand, OutputEqualsInputWithEveryEffectOff)
{
    struct Case
    {
        int channels, bits;
        juce::StringArray args;
    };

    const Case cases[] = {
        { 1, 16, { "--fx", "" } },
        { 2, 32, { "--fx", "" } },
        { 2, 24, { "--fx=", "--block", "1000", "--max-block", "64" } },
        { 1, 32, { "--fx", "", "--block", "1" } },
        { 2, 32, { "--fx", "", "--block", "333", "--transport", "none" } },
        { 2, 32, { "--fx", "", "--transport", "stopped", "--bpm", "87", "--ppq", "13.5" } },
        { 2, 32, { "--set", "driveOn=0", "--set", "filterOn=off" } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.args).toStdString());
        ScratchFolder scratch;
        const auto input = makeInput (scratch, c.channels, c.bits);

        const auto run = runRenderer (withFiles (scratch, c.args), scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;
        EXPECT_EQ (run.err, "");
        EXPECT_EQ (countDifferences (readOutput (scratch), input), 0);
    }
}

TEST (RenderCommand, FxSwitchesTheListedEffectsOnAndTheOthersOff)
{
    struct Case
    {
        const char* fx;
        std::map<juce::String, juce::String> switches;
    };

    // From INIT, where the shaper is off and the drive and filter are on.
    const Case cases[] = {
        { "shaper", { { "shaperOn", "1" }, { "driveOn", "0" }, { "delayOn", "0" } } },
        { "delay,shaper", { { "shaperOn", "1" }, { "delayOn", "1" }, { "filterOn", "0" } } },
        { "delay", { { "shaperOn", "0" }, { "delayOn", "1" }, { "driveOn", "0" } } },
        { "", { { "shaperOn", "0" }, { "driveOn", "0" }, { "filterOn", "0" } } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.fx);
        ScratchFolder scratch;
        const auto run = runRenderer ({ "--preset", "INIT", "--fx", c.fx, "--list-params" }, scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;
        for (const auto& [id, value] : c.switches)
            EXPECT_EQ (listedValue (run.out, id), value) << id;
    }
}

TEST (RenderCommand, BypassAndZeroMasterMixPassTheInputWithTheDefaultRack)
{
    const juce::StringArray cases[] = { { "--bypass" }, { "--bypass", "--block", "4096", "--max-block", "100" },
                                        { "--set", "masterMix=0" } };

    for (const auto& args : cases)
    {
        SCOPED_TRACE (describe (args).toStdString());
        ScratchFolder scratch;
        const auto input = makeInput (scratch, 2);

        const auto run = runRenderer (withFiles (scratch, args), scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;
        EXPECT_EQ (countDifferences (readOutput (scratch), input), 0);
    }
}

TEST (RenderCommand, TailAndKeptLatencyShapeTheOutput)
{
    struct Case
    {
        juce::StringArray args;
        double tailSeconds;
        bool keepLatency;
    };

    const Case cases[] = {
        { { "--tail", "0.25" }, 0.25, false },
        { { "--tail", "0.1", "--keep-latency" }, 0.1, true },
        { { "--keep-latency", "--block", "77" }, 0.0, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.args).toStdString());
        ScratchFolder scratch;
        const auto input = makeInput (scratch, 2);

        auto args = c.args;
        args.addArray ({ "--fx", "", "--json" });
        const auto run = runRenderer (withFiles (scratch, args), scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;

        const int latency = (int) juce::JSON::parse (run.out)["latencySamples"];
        const int tailFrames = (int) std::llround (c.tailSeconds * rate);
        const auto output = readOutput (scratch);
        ASSERT_EQ (output.getNumSamples(), frames + tailFrames);

        // Aligned: IN then silence. Kept: the same, later by the reported latency.
        const int shift = c.keepLatency ? latency : 0;
        int wrong = 0;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < output.getNumSamples(); ++i)
            {
                const int source = i - shift;
                const float expected = source >= 0 && source < frames ? input.getSample (ch, source) : 0.0f;
                wrong += output.getSample (ch, i) != expected ? 1 : 0;
            }
        EXPECT_EQ (wrong, 0) << "latency " << latency;
    }
}

TEST (RenderCommand, JsonSummaryDescribesTheRender)
{
    for (const int channels : { 1, 2 })
    {
        ScratchFolder scratch;
        const auto input = makeInput (scratch, channels);
        const auto run = runRenderer (withFiles (scratch, { "--json", "--fx", "delay,reverb", "--tail", "0.5" }), scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;

        juce::var json;
        ASSERT_TRUE (juce::JSON::parse (run.out, json).wasOk()) << run.out;
        ASSERT_TRUE (json.isObject()) << run.out;

        for (const char* key : { "sampleRate", "channels", "frames", "latencySamples", "tailSeconds", "processSeconds",
                                 "realtimeFactor", "inputPeak", "outputPeak", "outputRms", "nonFiniteSamples",
                                 "automationEvents", "insertedFx", "rackOrder" })
            EXPECT_TRUE (json.hasProperty (key)) << key;

        const auto output = readOutput (scratch);
        EXPECT_EQ ((double) json["sampleRate"], rate);
        EXPECT_EQ ((int) json["channels"], channels);
        EXPECT_EQ ((int) json["frames"], frames + (int) (0.5 * rate));
        EXPECT_EQ ((int) json["frames"], output.getNumSamples());
        EXPECT_GE ((int) json["latencySamples"], 0);
        EXPECT_EQ ((double) json["tailSeconds"], 0.5);
        EXPECT_GT ((double) json["processSeconds"], 0.0);
        EXPECT_GT ((double) json["realtimeFactor"], 0.0);
        EXPECT_EQ ((int) json["nonFiniteSamples"], 0);
        EXPECT_EQ ((int) json["automationEvents"], 0);

        float inputPeak = 0.0f, outputPeak = 0.0f;
        for (int ch = 0; ch < channels; ++ch)
        {
            inputPeak = juce::jmax (inputPeak, input.getMagnitude (ch, 0, input.getNumSamples()));
            outputPeak = juce::jmax (outputPeak, output.getMagnitude (ch, 0, output.getNumSamples()));
        }
        EXPECT_NEAR ((double) json["inputPeak"], inputPeak, 1.0e-6);
        EXPECT_NEAR ((double) json["outputPeak"], outputPeak, 1.0e-6);
        EXPECT_GT ((double) json["outputRms"], 0.0);
        EXPECT_LE ((double) json["outputRms"], outputPeak);

        const auto* inserted = json["insertedFx"].getArray();
        const auto* order = json["rackOrder"].getArray();
        ASSERT_NE (inserted, nullptr);
        ASSERT_NE (order, nullptr);
        ASSERT_EQ (inserted->size(), 3) << "the shaper is always part of the rack";
        EXPECT_EQ ((*inserted)[0].toString(), "delay");
        EXPECT_EQ ((*inserted)[1].toString(), "reverb");
        EXPECT_EQ ((*inserted)[2].toString(), "shaper");

        juce::StringArray orderIds;
        for (const auto& id : *order)
            orderIds.addIfNotAlreadyThere (id.toString());
        ASSERT_EQ (orderIds.size(), EffectCatalogue::numEffects);
        for (const auto& entry : EffectCatalogue::entries)
            EXPECT_TRUE (orderIds.contains (entry.id)) << entry.id;
        EXPECT_EQ (orderIds.indexOf ("delay"), 0) << "the inserted effects lead the processing order";
        EXPECT_EQ (orderIds.indexOf ("reverb"), 1);
    }
}

TEST (RenderCommand, FailuresNameTheProblemAndLeaveOutAlone)
{
    struct Case
    {
        juce::StringArray args; // IN and OUT are appended
        const char* message;
        std::function<void (const ScratchFolder&)> prepare;
    };

    const auto writeText = [] (const char* name, const char* text)
    { return [=] (const ScratchFolder& s) { s.file (name).replaceWithText (text); }; };

    const Case cases[] = {
        { { "--set", "foo=1" }, "unknown parameter 'foo'", {} },
        { { "--fx", "delay,bogus" }, "unknown effect 'bogus'", {} },
        { { "--block", "0" }, "--block must be a whole number", {} },
        { { "--max-block", "2000000" }, "--max-block must be a whole number", {} },
        { { "--tail", "soon" }, "--tail must be a number of seconds", {} },
        { {}, "has 3 channels; only mono and stereo are supported",
          [] (const ScratchFolder& s) { writeWav (s.file ("in.wav"), testSignal (3, 1000, rate), rate); } },
        { {}, "not a WAV, AIFF, FLAC or Ogg Vorbis file", writeText ("in.wav", "this is not audio") },
        { {}, "no such file", [] (const ScratchFolder& s) { s.file ("in.wav").deleteFile(); } },
        { { "--state-in", "missing-state.xml" }, "cannot read state file", {} },
        { { "--state-in", "not-state.xml" }, "is not a LUMIVOX state file", writeText ("not-state.xml", "<junk/>") },
        { { "--state-out", "folder.xml" }, "folder.xml': it is a folder",
          [] (const ScratchFolder& s) { s.file ("folder.xml").createDirectory(); } },
        { { "--state-out", "nowhere/state.xml" }, "state.xml': its folder does not exist", {} },
        { { "--at", "0.1:nope=1" }, "unknown parameter 'nope'", {} },
        { { "--at", "0.1:insert=shaper" }, "--at insert needs the id of an effect the rack can insert", {} },
        { { "--at", "0.1s:delayOn=0" }, "the time in --at must be a number of seconds", {} },
        { { "--automation", "moves.txt" }, "moves.txt' line 2: invalid value 'loud' for 'delayMix'",
          writeText ("moves.txt", "0 delayMix 0\n1 delayMix loud\n") },
        { { "--automation", "missing.txt" }, "cannot read automation file", {} },
    };

    for (const auto& c : cases)
    {
        for (const bool outExists : { false, true })
        {
            SCOPED_TRACE (describe (c.args).toStdString() + (outExists ? ", OUT exists" : ", no OUT"));
            ScratchFolder scratch;
            makeInput (scratch, 2);
            if (c.prepare)
                c.prepare (scratch);

            const juce::String existing = "an earlier render that must survive";
            if (outExists)
                scratch.file ("out.wav").replaceWithText (existing);
            const auto filesBefore = scratch.fileNames();

            auto args = c.args;
            for (auto& a : args)
                if (a.endsWith (".xml") || a.endsWith (".txt"))
                    a = scratch.file (a).getFullPathName();
            const auto run = runRenderer (withFiles (scratch, args), scratch);

            EXPECT_NE (run.exitCode, 0);
            if (c.args.contains ("--at") || c.args.contains ("--automation"))
            {
                EXPECT_EQ (run.exitCode, 2) << "a bad command line";
            }
            EXPECT_TRUE (run.err.startsWith ("lumivox-render: ")) << run.err;
            EXPECT_TRUE (run.err.contains (c.message)) << run.err;
            EXPECT_EQ (juce::StringArray::fromLines (run.err.trimEnd()).size(), 1) << run.err;
            EXPECT_EQ (run.out, "");

            EXPECT_EQ (scratch.fileNames(), filesBefore) << "no OUT and no temporary left behind";
            if (outExists)
            {
                EXPECT_EQ (scratch.file ("out.wav").loadFileAsString(), existing);
            }
        }
    }
}

TEST (RenderCommand, OutOfRangeValuesAreClampedWithAWarning)
{
    struct Case
    {
        const char* assignment;
        const char* id;
        const char* listed;
    };

    const Case cases[] = {
        { "cutoff=99999", "cutoff", "20000" },
        { "input=-100", "input", "-24" },
        { "driveType=9", "driveType", "3" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.assignment);
        ScratchFolder scratch;
        const auto run = runRenderer ({ "--list-params", "--set", c.assignment }, scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;
        EXPECT_TRUE (run.err.startsWith ("lumivox-render: warning: ")) << run.err;
        EXPECT_TRUE (run.err.contains ("'" + juce::String (c.id) + "'")) << run.err;
        EXPECT_TRUE (run.err.contains ("clamped to " + juce::String (c.listed))) << run.err;
        EXPECT_EQ (listedValue (run.out, c.id), c.listed);
    }
}

TEST (RenderCommand, ListParamsShowsEveryParameterInHostOrder)
{
    ScratchFolder scratch;
    const auto run = runRenderer ({ "--list-params", "--fx", "gate", "--set", "driveType=Fold", "--set", "cutoff=440" },
                                  scratch);
    ASSERT_EQ (run.exitCode, 0) << run.err;

    const auto lines = juce::StringArray::fromLines (run.out.trimEnd());
    ASSERT_EQ (lines.size(), (int) Param::count);

    for (const auto& s : Param::all())
    {
        const auto fields = juce::StringArray::fromTokens (lines[(int) s.index], "\t", {});
        ASSERT_EQ (fields.size(), 7) << lines[(int) s.index];
        EXPECT_EQ (fields[0], s.id);
        EXPECT_EQ (fields[1], s.name);
        EXPECT_EQ (fields[2], s.kind == Param::Kind::floating ? "float" : s.kind == Param::Kind::boolean ? "bool" : "choice");
        EXPECT_NEAR (fields[5].getDoubleValue(), s.defaultValue, 1.0e-6) << s.id;
    }

    EXPECT_EQ (juce::StringArray::fromTokens (lines[(int) Param::driveType], "\t", {})[3], "Soft|Hard|Tube|Fold");
    EXPECT_EQ (listedValue (run.out, "driveType"), "3");
    EXPECT_EQ (listedValue (run.out, "cutoff"), "440");
    EXPECT_EQ (listedValue (run.out, "gateOn"), "1");
    EXPECT_EQ (listedValue (run.out, "driveOn"), "0") << "--fx switches unlisted effects off";
    EXPECT_EQ (listedValue (run.out, "filterOn"), "0");
}

TEST (RenderCommand, RandomizeMovesOnlyTheNamedEffectsAfterTheSettings)
{
    ScratchFolder scratch;
    const juce::StringArray rack { "--list-params", "--fx", "delay,reverb", "--set", "delayMs=5" };
    const auto plain = runRenderer (rack, scratch);
    ASSERT_EQ (plain.exitCode, 0) << plain.err;

    // Changed parameters, by id, between two listings.
    const auto changed = [&plain] (const juce::String& listing)
    {
        juce::StringArray ids;
        for (const auto& s : Param::all())
            if (listedValue (listing, s.id) != listedValue (plain.out, s.id))
                ids.add (s.id);
        return ids;
    };

    auto oneEffect = rack;
    oneEffect.addArray ({ "--randomize", "delay" });
    const auto delay = runRenderer (oneEffect, scratch);
    ASSERT_EQ (delay.exitCode, 0) << delay.err;
    const float delayMs = listedValue (delay.out, "delayMs").getFloatValue();
    EXPECT_GE (delayMs, 31.0f) << "randomized after --set, inside its range";
    EXPECT_LE (delayMs, 1080.0f);
    for (const auto& id : changed (delay.out))
        EXPECT_TRUE (juce::StringArray ({ "delayMs", "feedback", "delayMix" }).contains (id)) << id;

    auto wholeRack = rack;
    wholeRack.addArray ({ "--randomize", "rack" });
    const auto all = runRenderer (wholeRack, scratch);
    ASSERT_EQ (all.exitCode, 0) << all.err;
    const auto moved = changed (all.out);
    EXPECT_TRUE (moved.contains ("delayMs"));
    EXPECT_TRUE (moved.contains ("reverbSize"));
    for (const auto& id : moved)
        EXPECT_TRUE (id.startsWith ("delay") || id == "feedback" || id.startsWith ("reverb")) << id;
    EXPECT_FALSE (moved.contains ("reverbFreeze"));
}

TEST (RenderCommand, PresetsLoadListAndSave)
{
    ScratchFolder scratch;
    const auto listing = runRenderer ({ "--list-presets" }, scratch);
    ASSERT_EQ (listing.exitCode, 0) << listing.err;
    const auto lines = juce::StringArray::fromLines (listing.out.trimEnd());
    ASSERT_GE (lines.size(), 161);
    EXPECT_EQ (lines[0], "0\tINIT\tFACTORY / ORIGINALS");
    EXPECT_EQ (lines[11], "11\tCandy Chrome\tFACTORY / HYPERPOP");
    EXPECT_EQ (lines[160], "160\tAfterimage Machine\tFACTORY / EXPERIMENTAL");

    // A factory preset by name, then --set on top of it, saved as a preset file.
    const auto presetFile = scratch.file ("Mine.lumivoxpreset").getFullPathName();
    const auto saved = runRenderer ({ "--list-params", "--preset", "HYPER PUMP", "--set", "width=150", "--preset-out", presetFile },
                                    scratch);
    ASSERT_EQ (saved.exitCode, 0) << saved.err;
    EXPECT_EQ (listedValue (saved.out, "cutoff"), "15500");
    EXPECT_EQ (listedValue (saved.out, "width"), "150");
    const auto text = juce::File (presetFile).loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml") && text.contains ("insertedFx=\"filter,shaper,width\"")) << text;

    // The file loads back as a preset.
    const auto loaded = runRenderer ({ "--list-params", "--preset", presetFile }, scratch);
    ASSERT_EQ (loaded.exitCode, 0) << loaded.err;
    EXPECT_EQ (listedValue (loaded.out, "width"), "150");

    // Unknown names and broken files fail with the reason and write nothing.
    makeInput (scratch, 2);
    scratch.file ("broken.lumivoxpreset").replaceWithText ("<not xml");
    struct Case { juce::String preset, message; };
    for (const auto& c : { Case { "No Such Sound", "The selected preset file no longer exists." },
                           Case { scratch.file ("broken.lumivoxpreset").getFullPathName(), "The selected preset is not valid XML." } })
    {
        const auto run = runRenderer (withFiles (scratch, { "--preset", c.preset }), scratch);
        EXPECT_EQ (run.exitCode, 1) << c.preset;
        EXPECT_TRUE (run.err.contains (c.message)) << run.err;
    }
    EXPECT_FALSE (scratch.file ("out.wav").exists());
}

TEST (RenderCommand, SavedStateRestoresParametersAndRack)
{
    ScratchFolder scratch;
    const auto state = scratch.file ("state.bin").getFullPathName();
    makeInput (scratch, 2);

    // --set overrides the power switch --fx gave, since it is applied after it.
    const auto save = runRenderer (withFiles (scratch, { "--fx", "reverb,delay", "--set", "cutoff=1234", "--set",
                                                         "filterType=HP", "--set", "delayOn=off", "--state-out", state }),
                                   scratch);
    ASSERT_EQ (save.exitCode, 0) << save.err;
    ASSERT_TRUE (juce::File (state).existsAsFile());

    const auto load = runRenderer ({ "--list-params", "--state-in", state, "--json" }, scratch);
    ASSERT_EQ (load.exitCode, 0) << load.err;
    EXPECT_EQ (listedValue (load.out, "cutoff"), "1234");
    EXPECT_EQ (listedValue (load.out, "filterType"), "1");
    EXPECT_EQ (listedValue (load.out, "reverbOn"), "1");
    EXPECT_EQ (listedValue (load.out, "delayOn"), "0");
    EXPECT_EQ (listedValue (load.out, "driveOn"), "0");

    // The inserted list travels with the state too.
    const auto render = runRenderer (withFiles (scratch, { "--state-in", state, "--json" }), scratch);
    ASSERT_EQ (render.exitCode, 0) << render.err;
    const auto json = juce::JSON::parse (render.out);
    const auto* inserted = json["insertedFx"].getArray();
    ASSERT_NE (inserted, nullptr);
    ASSERT_EQ (inserted->size(), 3);
    EXPECT_EQ ((*inserted)[0].toString(), "reverb");
    EXPECT_EQ ((*inserted)[1].toString(), "delay");

    EXPECT_EQ (scratch.fileNames(), juce::StringArray ({ "in.wav", "out.wav", "state.bin" }));
}

TEST (RenderCommand, HelpDescribesTheToolAndSucceeds)
{
    ScratchFolder scratch;
    const auto run = runRenderer ({ "--help" }, scratch);
    EXPECT_EQ (run.exitCode, 0);
    EXPECT_TRUE (run.out.startsWith ("usage: lumivox-render")) << run.out;
    // Every option is described, and shown in an example command line.
    juce::StringArray examples;
    for (const auto& line : juce::StringArray::fromLines (run.out))
        if (line.contains ("e.g. lumivox-render"))
            examples.add (line + " ");
    for (const char* option : { "--set", "--fx", "--randomize", "--at", "--automation", "--preset", "--preset-out", "--block", "--max-block",
                                "--bpm", "--transport", "--ppq", "--tail", "--keep-latency", "--bypass", "--state-in",
                                "--state-out", "--list-params", "--list-presets", "--json" })
    {
        EXPECT_TRUE (run.out.contains (juce::String ("  ") + option + " ")) << option;
        bool shown = false;
        for (const auto& example : examples)
            shown = shown || example.contains (juce::String (" ") + option + " ");
        EXPECT_TRUE (shown) << option << " has no example";
    }

    const auto version = runRenderer ({ "--version" }, scratch);
    EXPECT_EQ (version.exitCode, 0);
    EXPECT_EQ (version.out.trim(), "lumivox-render 1.8.1");
}

TEST (RenderCommand, ReportsTheLatencyThatApplied)
{
    // The drive's six samples, and the formant's FFT size only while it is inserted, on or off.
    struct Case { juce::StringArray args; double rate; int latency; };
    const Case cases[] = {
        { { "--fx", "drive,filter,delay" }, 48000.0, 6 },
        { { "--fx", "" }, 48000.0, 6 },
        { { "--fx", "drive,formant" }, 48000.0, 1030 },
        { { "--fx", "formant", "--set", "formantOn=0" }, 48000.0, 1030 },
        { { "--fx", "formant" }, 96000.0, 2054 },
        { { "--fx", "formant" }, 22050.0, 518 },
    };
    for (const auto& c : cases)
    {
        ScratchFolder scratch;
        ASSERT_TRUE (writeWav (scratch.file ("in.wav"), testSignal (2, 4096, c.rate), c.rate));
        auto args = c.args;
        args.add ("--json");
        const auto run = runRenderer (withFiles (scratch, args), scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;
        juce::var json;
        ASSERT_TRUE (juce::JSON::parse (run.out, json).wasOk()) << run.out;
        EXPECT_EQ ((int) json["latencySamples"], c.latency) << describe (args) << " at " << c.rate;
    }
}

TEST (RenderCommand, ShaperCyclesStartOnTheBeatGridWhateverTheLatency)
{
    // A "1/8" curve that is open for its first half and closed for the rest: at 120 BPM and
    // 48 kHz, the level jumps back up at every multiple of 12000 samples.
    constexpr double gridRate = 48000.0;
    constexpr int length = 60000;
    juce::StringArray shape { "--set", "shaperOn=1", "--set", "shaperRate=3", "--set", "shaperDepth=100", "--set", "shaperMix=100" };
    for (int p = 0; p < 16; ++p)
        shape.addArray ({ "--set", "shaperPoint" + juce::String (p) + "=" + (p < 8 ? "1" : "0") });

    for (const auto* fx : { "drive", "drive,formant" })
    {
        ScratchFolder scratch;
        juce::AudioBuffer<float> ones (1, length);
        juce::FloatVectorOperations::fill (ones.getWritePointer (0), 0.5f, length);
        ASSERT_TRUE (writeWav (scratch.file ("in.wav"), ones, gridRate));
        juce::StringArray args { "--fx", fx, "--set", "drive=0", "--set", "driveMix=0" };
        args.addArray (shape);
        const auto run = runRenderer (withFiles (scratch, args), scratch);
        ASSERT_EQ (run.exitCode, 0) << run.err;
        const auto out = readWav (scratch.file ("out.wav"));
        ASSERT_TRUE (out.has_value());

        // The 1.5 ms smoothing reaches half way ln 2 x 72 = 50 samples after the jump.
        for (int cycle = 2; cycle <= 4; ++cycle)
        {
            int rise = cycle * 12000 - 2000;
            while (rise < length && out->samples.getSample (0, rise) < 0.25f)
                ++rise;
            EXPECT_NEAR (rise - cycle * 12000, 50, 2) << fx << ", cycle " << cycle;
        }
    }
}

TEST (RenderCommand, TimedChangesLandOnTheFrameOfTheirTime)
{
    // The crusher sits before the drive's latency, so its change is heard at the frame of IN; the
    // output level comes after it, so it is heard the latency earlier unless that is kept.
    struct Case
    {
        juce::StringArray sound;
        const char* at;
        int frame;
        bool afterTheLatency;
    };

    const juce::StringArray crusher { "--fx", "crusher", "--set", "bits=2", "--set", "crushMix=0" };
    const Case cases[] = {
        { crusher, "0.1:crushMix=100", 4410, false },
        { joined (crusher, { "--block", "7" }), "0.05001:crushMix=50", 2205, false },
        { joined (crusher, { "--block", "4410" }), "0:crushMix=1", 0, false },
        { { "--fx", "", "--keep-latency" }, "0.1:output=-6", 4410, false },
        { { "--fx", "", "--block", "100" }, "0.1:output=-6", 4410, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.sound).toStdString() + " --at " + c.at);
        ScratchFolder scratch;
        makeInput (scratch, 2);

        const auto plain = renderWith (scratch, c.sound);
        const auto changed = renderWith (scratch, joined (c.sound, { "--at", c.at }));
        EXPECT_EQ (firstDifference (plain.output, changed.output), c.afterTheLatency ? c.frame - changed.latency : c.frame);
        EXPECT_EQ ((int) changed.json["automationEvents"], 1);
        EXPECT_EQ (changed.warnings, "");
    }
}

TEST (RenderCommand, InsertAndRemoveTakeEffectAtTheirTime)
{
    // Each edit appends to or takes from the inserted list, as the editor's do; the effects
    // stay ahead of the drive's latency, so nothing is heard before the edit's time.
    struct Case
    {
        juce::StringArray sound, at;
        juce::StringArray insertedAfter;
    };

    const Case cases[] = {
        { { "--fx", "" }, { "--at", "0.1:insert=delay" }, { "shaper", "delay" } },
        { { "--fx", "delay" }, { "--at", "0.1:remove=delay" }, { "shaper" } },
        { { "--fx", "filter", "--set", "cutoff=300" }, { "--at", "0.1:insert=crusher", "--at", "0.2:remove=filter" },
          { "shaper", "crusher" } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.at).toStdString());
        ScratchFolder scratch;
        makeInput (scratch, 2);

        const auto plain = renderWith (scratch, c.sound);
        const auto changed = renderWith (scratch, joined (c.sound, c.at));
        const int first = firstDifference (plain.output, changed.output);
        EXPECT_GE (first, 4410) << "nothing changes before the first edit";
        EXPECT_LT (first, 4410 + 441) << "the first edit is heard soon after its time";
        EXPECT_EQ ((int) changed.json["automationEvents"], c.at.size() / 2);

        juce::StringArray inserted;
        if (const auto* list = changed.json["insertedFx"].getArray())
            for (const auto& id : *list)
                inserted.add (id.toString());
        EXPECT_EQ (inserted.joinIntoString (","), c.insertedAfter.joinIntoString (","));
    }
}

TEST (RenderCommand, AutomationRampsInThirtyTwoSampleSteps)
{
    // At 2 bits the crusher moves each sample by a known amount times its mix, so the output
    // shows the mix in force at every frame. Before the lane's first point, --set's 30 % holds.
    ScratchFolder scratch;
    const auto input = makeInput (scratch, 1);
    scratch.file ("ramp.txt").replaceWithText ("# a rising crusher\n0.05 crushMix 0\n0.25 crushMix 100\n");

    const int rampStart = 2205, rampEnd = 11025;
    const auto expectedMix = [&] (int frame)
    {
        if (frame < rampStart)
            return 0.3;
        if (frame >= rampEnd)
            return 1.0;
        const int stepStart = juce::jmax (rampStart, frame / 32 * 32);
        const double percent = 100.0 * (stepStart - rampStart) / (rampEnd - rampStart);
        return std::round (percent * 10.0) / 1000.0; // the parameter's 0.1 steps
    };

    for (const auto* block : { "512", "100" })
    {
        SCOPED_TRACE (std::string ("block ") + block);
        const auto render = renderWith (scratch, { "--fx", "crusher", "--set", "bits=2", "--set", "crushMix=30", "--block",
                                                   block, "--automation", scratch.file ("ramp.txt").getFullPathName() });
        ASSERT_EQ (render.output.getNumSamples(), frames);

        int measured = 0, wrong = 0;
        for (int i = 0; i < frames; ++i)
        {
            const float x = input.getSample (0, i);
            const float crushed = std::round (2.0f * x) / 2.0f;
            if (std::abs (crushed - x) < 0.05f)
                continue; // too close to its 2-bit level to tell the mix

            const double mix = (render.output.getSample (0, i) - x) / (crushed - x);
            const bool right = std::abs (mix - expectedMix (i)) <= 2.0e-5;
            ++measured;
            wrong += right ? 0 : 1;
            if (! right && wrong <= 5)
                ADD_FAILURE() << "frame " << i << ": mix " << mix << ", expected " << expectedMix (i);
        }
        EXPECT_GT (measured, frames / 2);
        EXPECT_EQ (wrong, 0);
        EXPECT_EQ ((int) render.json["automationEvents"], 2 + (rampEnd / 32 - rampStart / 32));
    }
}

TEST (RenderCommand, AtAndAnAutomationFileRenderAlike)
{
    struct Case
    {
        juce::StringArray sound, at;
        const char* file;
        int firstChange;
    };

    const Case cases[] = {
        { { "--fx", "delay" }, { "--at", "1.5:delayOn=0", "--at", "2.5:delayOn=1" }, "1.5 delayOn 0\n2.5 delayOn 1\n", 66150 },
        { { "--fx", "drive", "--set", "drive=20" }, { "--at", "0.5:driveQuality=ECO 1X", "--at", "0.5:driveType=tube" },
          "0.5 driveQuality ECO 1X\n0.5 driveType Tube # the same moment\n", 22050 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.at).toStdString());
        ScratchFolder scratch;
        ASSERT_TRUE (writeWav (scratch.file ("in.wav"), testSignal (2, 3 * (int) rate, rate), rate));
        scratch.file ("moves.txt").replaceWithText (c.file);

        const auto plain = renderWith (scratch, c.sound);
        const auto at = renderWith (scratch, joined (c.sound, c.at));
        const auto file = renderWith (scratch, joined (c.sound, { "--automation", scratch.file ("moves.txt").getFullPathName() }));
        EXPECT_EQ (countDifferences (at.output, file.output), 0);
        // A change to the drive is heard up to its latency early.
        EXPECT_GE (firstDifference (plain.output, at.output), c.firstChange - at.latency);
        EXPECT_LT (firstDifference (plain.output, at.output), c.firstChange + 441);
    }
}

TEST (RenderCommand, AutomationOutsideTheRenderOrOutOfRangeWarns)
{
    struct Case
    {
        juce::StringArray args;
        const char* warning;
        bool changesTheSound;
    };

    const Case cases[] = {
        { { "--fx", "delay", "--at", "0.3:delayOn=0" }, "--at 0.3:delayOn=0: the time is past the end of IN and the tail (0.3 s); ignored", false },
        { { "--fx", "delay", "--tail", "0.2", "--at", "0.6:delayOn=0" }, "the time is past the end of IN and the tail (0.5 s); ignored", false },
        { { "--fx", "delay", "--at", "0.1:delayMix=150" }, "--at 0.1:delayMix=150: value 150 for 'delayMix' is outside 0..100; clamped to 100", true },
        { { "--fx", "delay", "--at", "0.1:insert=delay" }, "--at 0.1:insert=delay: 'delay' is inserted already; nothing changed", false },
        { { "--fx", "delay", "--at", "0.1:insert=formant" }, "the processor's latency changed during the render", true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.args).toStdString());
        ScratchFolder scratch;
        makeInput (scratch, 2);
        auto sound = c.args;
        sound.removeRange (sound.indexOf ("--at"), 2);

        const auto plain = renderWith (scratch, sound);
        const auto changed = renderWith (scratch, c.args);
        EXPECT_TRUE (changed.warnings.startsWith ("lumivox-render: warning: ") && changed.warnings.contains (c.warning))
            << changed.warnings;
        EXPECT_EQ (juce::StringArray::fromLines (changed.warnings.trimEnd()).size(), 1) << changed.warnings;
        EXPECT_EQ (countDifferences (plain.output, changed.output) > 0, c.changesTheSound);
    }
}

TEST (RenderCommand, AutomatedThrowsDoNotClick)
{
    // The moves producers automate, through --at, against renders that hold each value.
    struct Throw { const char* fx; juce::StringArray settings; const char* id; const char* from; const char* to; };
    const Throw throws[] = {
        { "delay", { "delayMix=60" }, "delayOn", "1", "0" },
        { "delay", { "delayMix=60" }, "delayOn", "0", "1" },
        { "stutter", {}, "stutterOn", "0", "1" },
        { "tapestop", {}, "tapeStopOn", "0", "1" },
        { "reverb", {}, "reverbMix", "0", "100" },
        { "width", {}, "width", "100", "200" },
    };
    constexpr double throwRate = 48000.0;
    constexpr double at = 1.5;
    const int frame = (int) std::lround (at * throwRate);

    ScratchFolder scratch;
    ASSERT_TRUE (writeWav (scratch.file ("in.wav"), click_measure::makeSignal (click_measure::Signal::chord, throwRate, frame + 24000), throwRate));
    const auto render = [&scratch] (const Throw& t, const juce::String& initial, const juce::String& later)
    {
        juce::StringArray args { "--fx", t.fx };
        for (const auto& s : t.settings)
            args.addArray ({ "--set", s });
        args.addArray ({ "--set", juce::String (t.id) + "=" + initial });
        if (later.isNotEmpty())
            args.addArray ({ "--at", juce::String (at) + ":" + t.id + "=" + later });
        const auto run = runRenderer (withFiles (scratch, args), scratch);
        EXPECT_EQ (run.exitCode, 0) << run.err;
        const auto out = readWav (scratch.file ("out.wav"));
        return out.has_value() ? out->samples : juce::AudioBuffer<float>();
    };

    for (const auto& t : throws)
    {
        const auto moving = render (t, t.from, t.to);
        const auto before = render (t, t.from, {});
        const auto after = render (t, t.to, {});
        ASSERT_EQ (moving.getNumSamples(), frame + 24000);
        EXPECT_LE (click_measure::clickFigure (moving, before, after, throwRate, frame), 10.0f)
            << t.id << " " << t.from << " to " << t.to;
    }
}
