#include "RenderOptions.h"
#include "RenderTestSupport.h"

#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>

namespace
{
const juce::File base ("/work/renders");

RenderOptionsParse parse (const juce::StringArray& args)
{
    return RenderCommandLine::parse (args, base);
}

juce::String describe (const juce::StringArray& args)
{
    return "args: [" + args.joinIntoString ("] [") + "]";
}
} // namespace

TEST (RenderOptions, AcceptsWellFormedCommandLines)
{
    struct Case
    {
        juce::StringArray args;
        std::function<void (const RenderOptions&)> check;
    };

    const Case cases[] = {
        { { "in.wav", "out.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.targets.at (0).input, base.getChildFile ("in.wav"));
              EXPECT_EQ (o.targets.at (0).output, base.getChildFile ("out.wav"));
              EXPECT_EQ (o.blockSize, 512);
              EXPECT_EQ (o.preparedBlockSize, 512);
              EXPECT_EQ (o.bpm, 120.0);
              EXPECT_EQ (o.ppq, 0.0);
              EXPECT_EQ (o.transport, Transport::playing);
              EXPECT_EQ (o.tailSeconds, 0.0);
              EXPECT_FALSE (o.fxList.has_value());
              EXPECT_TRUE (o.assignments.empty());
              EXPECT_FALSE (o.automates());
              EXPECT_FALSE (o.keepLatency || o.bypass || o.listParameters || o.json || o.showHelp);
              EXPECT_EQ (o.stateIn, juce::File());
          } },
        { { "--block", "2048", "--max-block", "64", "a.wav", "b.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.blockSize, 2048);
              EXPECT_EQ (o.preparedBlockSize, 64);
          } },
        { { "--block=100", "a.wav", "b.wav" }, [] (const RenderOptions& o) { EXPECT_EQ (o.preparedBlockSize, 100); } },
        { { "--block", "1048576", "a.wav", "b.wav" }, [] (const RenderOptions& o) { EXPECT_EQ (o.blockSize, 1 << 20); } },
        { { "--set", "cutoff=1234.5", "--set", "driveOn=off", "--set", "filterOn=TRUE", "--set", "driveType=tube",
            "--set", "filterType=2", "--set", "cutoff=99999", "a.wav", "b.wav" },
          [] (const RenderOptions& o)
          {
              ASSERT_EQ (o.assignments.size(), 6u);
              const std::pair<Param::Index, float> expected[] = { { Param::cutoff, 1234.5f }, { Param::driveOn, 0.0f },
                                                                  { Param::filterOn, 1.0f },  { Param::driveType, 2.0f },
                                                                  { Param::filterType, 2.0f }, { Param::cutoff, 99999.0f } };
              for (size_t i = 0; i < o.assignments.size(); ++i)
              {
                  EXPECT_EQ (o.assignments[i].index, expected[i].first) << i;
                  EXPECT_EQ (o.assignments[i].value, expected[i].second) << i;
              }
          } },
        { { "--fx", "", "a.wav", "b.wav" },
          [] (const RenderOptions& o)
          {
              ASSERT_TRUE (o.fxList.has_value());
              EXPECT_TRUE (o.fxList->isEmpty());
          } },
        { { "--fx", " delay, reverb ,shaper", "a.wav", "b.wav" },
          [] (const RenderOptions& o) { EXPECT_EQ (*o.fxList, juce::StringArray ({ "delay", "reverb", "shaper" })); } },
        { { "--transport", "none", "--bpm", "90.5", "--ppq", "-4", "--tail", "1.5", "--keep-latency", "--bypass", "--json",
            "a.wav", "b.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.transport, Transport::none);
              EXPECT_EQ (o.bpm, 90.5);
              EXPECT_EQ (o.ppq, -4.0);
              EXPECT_EQ (o.tailSeconds, 1.5);
              EXPECT_TRUE (o.keepLatency && o.bypass && o.json);
          } },
        { { "--transport=stopped", "a.wav", "b.wav" },
          [] (const RenderOptions& o) { EXPECT_EQ (o.transport, Transport::stopped); } },
        { { "--list-params", "--set", "drive=3" },
          [] (const RenderOptions& o)
          {
              EXPECT_TRUE (o.listParameters);
              EXPECT_FALSE (o.rendersAudio());
          } },
        { { "--state-in", "s.xml", "--state-out", "/elsewhere/t.xml", "a.wav", "b.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.stateIn, base.getChildFile ("s.xml"));
              EXPECT_EQ (o.stateOut, juce::File ("/elsewhere/t.xml"));
          } },
        { { "--", "-odd.wav", "--out.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.targets.at (0).input, base.getChildFile ("-odd.wav"));
              EXPECT_EQ (o.targets.at (0).output, base.getChildFile ("--out.wav"));
          } },
        { { "--block", "0", "--help" }, [] (const RenderOptions& o) { EXPECT_TRUE (o.showHelp); } },
        { { "--randomize", "delay", "--randomize=rack", "--randomize", "shaper", "a.wav", "b.wav" },
          [] (const RenderOptions& o) { EXPECT_EQ (o.randomize, juce::StringArray ({ "delay", "rack", "shaper" })); } },
        { { "--at", "1.5:delayOn=0", "--at=0:insert=reverb", "--at", "2.25:filterType=bp", "--at", "0.5:remove=drive",
            "--at", "3:cutoff=99999", "--at", "1e1:driveQuality=ECO 1X", "a.wav", "b.wav" },
          [] (const RenderOptions& o)
          {
              using A = TimedChange::Action;
              struct Expected { double seconds; A action; Param::Index index; float value; const char* effect; };
              const Expected expected[] = {
                  { 1.5, A::setParameter, Param::delayOn, 0.0f, "" },     { 0.0, A::insertEffect, {}, 0.0f, "reverb" },
                  { 2.25, A::setParameter, Param::filterType, 2.0f, "" }, { 0.5, A::removeEffect, {}, 0.0f, "drive" },
                  { 3.0, A::setParameter, Param::cutoff, 99999.0f, "" },  { 10.0, A::setParameter, Param::driveQuality, 0.0f, "" },
              };
              ASSERT_EQ (o.timedChanges.size(), std::size (expected));
              for (size_t i = 0; i < o.timedChanges.size(); ++i)
              {
                  const auto& change = o.timedChanges[i];
                  EXPECT_EQ (change.seconds, expected[i].seconds) << i;
                  EXPECT_EQ (change.action, expected[i].action) << i;
                  EXPECT_EQ (change.effect, expected[i].effect) << i;
                  if (change.action == A::setParameter)
                  {
                      EXPECT_EQ (change.assignment.index, expected[i].index) << i;
                      EXPECT_EQ (change.assignment.value, expected[i].value) << i;
                  }
              }
              EXPECT_EQ (o.timedChanges[1].origin, "--at 0:insert=reverb");
              EXPECT_TRUE (o.automation.empty());
              EXPECT_TRUE (o.automates());
          } },
        { { "in.wav", "out.flac" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.targets.at (0).format.container, OutputFormat::Container::flac);
              EXPECT_EQ (o.targets.at (0).format.bits, 24);
          } },
        { { "--format", "aiff", "--bits", "16", "in.wav", "out.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.targets.at (0).format.container, OutputFormat::Container::aiff);
              EXPECT_EQ (o.targets.at (0).format.bits, 16);
          } },
        { { "in.wav", "out.AIF" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.targets.at (0).format.container, OutputFormat::Container::aiff);
              EXPECT_EQ (o.targets.at (0).format.bits, 32);
          } },
        { { "in.wav", "out.raw" },
          [] (const RenderOptions& o) { EXPECT_EQ (o.targets.at (0).format.container, OutputFormat::Container::wav); } },
        { { "-", "-" },
          [] (const RenderOptions& o)
          {
              EXPECT_TRUE (o.targets.at (0).fromStandardInput);
              EXPECT_TRUE (o.targets.at (0).toStandardOutput);
              EXPECT_EQ (o.targets.at (0).format.container, OutputFormat::Container::wav);
              EXPECT_EQ (o.targets.at (0).inputName(), "standard input");
          } },
        { { "--out-dir", "done", "--format=flac", "--jobs", "3", "a/x.wav", "b/y.aiff", "--match-loudness" },
          [] (const RenderOptions& o)
          {
              ASSERT_EQ (o.targets.size(), 2u);
              EXPECT_EQ (o.targets[0].output, base.getChildFile ("done/x.flac"));
              EXPECT_EQ (o.targets[1].output, base.getChildFile ("done/y.flac"));
              EXPECT_EQ (o.targets[1].input, base.getChildFile ("b/y.aiff"));
              EXPECT_EQ (o.jobs, 3);
              EXPECT_TRUE (o.matchLoudness);
          } },
        { { "--out-dir", "done", "only.wav" },
          [] (const RenderOptions& o)
          {
              EXPECT_EQ (o.targets.at (0).output, base.getChildFile ("done/only.wav"));
              EXPECT_EQ (o.jobs, juce::jlimit (1, RenderOptions::maximumJobs, juce::SystemStats::getNumCpus()));
          } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.args).toStdString());
        const auto result = parse (c.args);
        ASSERT_TRUE (result.ok()) << result.error;
        c.check (result.options);
    }
}

TEST (RenderOptions, RejectsBadCommandLinesWithTheReason)
{
    struct Case
    {
        juce::StringArray args;
        const char* error;
    };

    const Case cases[] = {
        { {}, "missing IN and OUT" },
        { { "in.wav" }, "missing OUT" },
        { { "--list-params", "in.wav" }, "missing OUT" },
        { { "a.wav", "b.wav", "c.wav" }, "unexpected argument 'c.wav' (several inputs go with --out-dir)" },
        { { "", "b.wav" }, "IN is an empty file name" },
        { { "a.wav", "b.wav", "--block" }, "option '--block' needs a value" },
        { { "--block", "0", "a.wav", "b.wav" }, "--block must be a whole number from 1 to 1048576, got '0'" },
        { { "--block", "12x", "a.wav", "b.wav" }, "--block must be a whole number from 1 to 1048576, got '12x'" },
        { { "--block", "64.0", "a.wav", "b.wav" }, "--block must be a whole number from 1 to 1048576, got '64.0'" },
        { { "--max-block", "1048577", "a.wav", "b.wav" },
          "--max-block must be a whole number from 1 to 1048576, got '1048577'" },
        { { "--bpm", "fast", "a.wav", "b.wav" }, "--bpm must be a number above 0 and at most 1000, got 'fast'" },
        { { "--bpm", "0", "a.wav", "b.wav" }, "--bpm must be a number above 0 and at most 1000, got '0'" },
        { { "--ppq", "1e999", "a.wav", "b.wav" }, "--ppq must be a number of quarter notes, got '1e999'" },
        { { "--tail", "-1", "a.wav", "b.wav" }, "--tail must be a number of seconds from 0 to 3600, got '-1'" },
        { { "--tail", "nan", "a.wav", "b.wav" }, "--tail must be a number of seconds from 0 to 3600, got 'nan'" },
        { { "--transport", "paused", "a.wav", "b.wav" }, "--transport must be playing, stopped or none, got 'paused'" },
        { { "--set", "foo=1", "a.wav", "b.wav" }, "unknown parameter 'foo'" },
        { { "--set", "Cutoff=1", "a.wav", "b.wav" }, "unknown parameter 'Cutoff'" },
        { { "--set", "cutoff", "a.wav", "b.wav" }, "expected ID=VALUE after --set, got 'cutoff'" },
        { { "--set", "cutoff=loud", "a.wav", "b.wav" }, "invalid value 'loud' for 'cutoff': expected a number" },
        { { "--set", "cutoff=", "a.wav", "b.wav" }, "invalid value '' for 'cutoff': expected a number" },
        { { "--set", "driveOn=maybe", "a.wav", "b.wav" },
          "invalid value 'maybe' for 'driveOn': expected 0, 1, true, false, on or off" },
        { { "--set", "filterType=notch", "a.wav", "b.wav" },
          "invalid value 'notch' for 'filterType': expected an index 0..2 or one of LP, HP, BP" },
        { { "--fx", "delay,bogus", "a.wav", "b.wav" }, "unknown effect 'bogus'" },
        { { "--fx", "delay,delay", "a.wav", "b.wav" }, "effect 'delay' is listed twice in --fx" },
        { { "--randomize", "everything", "a.wav", "b.wav" }, "--randomize needs an effect id or 'rack', got 'everything'" },
        { { "--randomize", "Delay", "a.wav", "b.wav" }, "--randomize needs an effect id or 'rack', got 'Delay'" },
        { { "--frobnicate", "a.wav", "b.wav" }, "unknown option '--frobnicate'" },
        { { "--json=yes", "a.wav", "b.wav" }, "option '--json' takes no value" },
        { { "--state-out", "", "a.wav", "b.wav" }, "--state-out needs a file name" },
        { { "--at", "1.5", "a.wav", "b.wav" },
          "expected SECONDS:ID=VALUE, SECONDS:insert=ID or SECONDS:remove=ID after --at, got '1.5'" },
        { { "--at", "1.5:delayOn", "a.wav", "b.wav" },
          "expected SECONDS:ID=VALUE, SECONDS:insert=ID or SECONDS:remove=ID after --at, got '1.5:delayOn'" },
        { { "--at", "delayOn=0", "a.wav", "b.wav" },
          "expected SECONDS:ID=VALUE, SECONDS:insert=ID or SECONDS:remove=ID after --at, got 'delayOn=0'" },
        { { "--at", "1.5:=0", "a.wav", "b.wav" },
          "expected SECONDS:ID=VALUE, SECONDS:insert=ID or SECONDS:remove=ID after --at, got '1.5:=0'" },
        { { "--at", ":delayOn=0", "a.wav", "b.wav" }, "the time in --at must be a number of seconds from 0 to 1000000, got ''" },
        { { "--at", "-0.5:delayOn=0", "a.wav", "b.wav" },
          "the time in --at must be a number of seconds from 0 to 1000000, got '-0.5'" },
        { { "--at", "1:30:delayOn=0", "a.wav", "b.wav" }, "unknown parameter '30:delayOn'" },
        { { "--at", "2e6:delayOn=0", "a.wav", "b.wav" },
          "the time in --at must be a number of seconds from 0 to 1000000, got '2e6'" },
        { { "--at", " 1:delayOn=0", "a.wav", "b.wav" },
          "the time in --at must be a number of seconds from 0 to 1000000, got ' 1'" },
        { { "--at", "1:nope=0", "a.wav", "b.wav" }, "unknown parameter 'nope'" },
        { { "--at", "1:delayMix=lots", "a.wav", "b.wav" }, "invalid value 'lots' for 'delayMix': expected a number" },
        { { "--at", "1:delayOn=maybe", "a.wav", "b.wav" },
          "invalid value 'maybe' for 'delayOn': expected 0, 1, true, false, on or off" },
        { { "--at", "1:insert=shaper", "a.wav", "b.wav" },
          "--at insert needs the id of an effect the rack can insert (drive, filter, gate, crusher, delay, width, pitch, "
          "halftime, granular, reverb, stutter, reverse, tapestop, formant, chorus), got 'shaper'" },
        { { "--at", "1:remove=Delay", "a.wav", "b.wav" },
          "--at remove needs the id of an effect the rack can remove (drive, filter, gate, crusher, delay, width, pitch, "
          "halftime, granular, reverb, stutter, reverse, tapestop, formant, chorus), got 'Delay'" },
        { { "--automation", "", "a.wav", "b.wav" }, "--automation needs a file name" },
        { { "--automation", "moves.txt", "a.wav", "b.wav" }, "cannot read automation file '/work/renders/moves.txt'" },
        { { "--format", "mp3", "a.wav", "b.wav" }, "--format must be wav, aiff or flac, got 'mp3'" },
        { { "--bits", "8", "a.wav", "b.wav" }, "--bits must be 16, 24 or 32, got '8'" },
        { { "--bits", "32", "a.wav", "b.flac" }, "--bits 32 (float) is for WAV and AIFF; FLAC takes 16 or 24" },
        { { "--bits", "32", "--format", "flac", "a.wav", "b.wav" }, "--bits 32 (float) is for WAV and AIFF; FLAC takes 16 or 24" },
        { { "--jobs", "0", "--out-dir", "d", "a.wav" }, "--jobs must be a whole number from 1 to 256, got '0'" },
        { { "--out-dir", "", "a.wav" }, "--out-dir needs a folder name" },
        { { "--out-dir", "d", "-" }, "'-' (standard input) has no name to write under in --out-dir; give IN and OUT instead" },
        { { "--out-dir", "d", "x/a.wav", "y/a.flac" }, "two inputs would both be written to '/work/renders/d/a.wav'" },
        { { "--out-dir", "d", "a.wav", "" }, "IN is an empty file name" },
        { { "--out-dir", "d", "--state-out", "s.state", "a.wav", "b.wav" },
          "--state-out and --preset-out save the result of one render, not of several inputs" },
        { { "a.wav", "a.wav" }, "IN and OUT are the same file, '/work/renders/a.wav'" },
        { { "--json", "a.wav", "-" }, "OUT '-' takes standard output, which --json, --list-params and --list-presets also need" },
    };

    for (const auto& c : cases)
    {
        const auto result = parse (c.args);
        EXPECT_EQ (result.error, juce::String (c.error)) << describe (c.args);
    }
}

TEST (RenderOptions, ReadsTheAutomationFileOnce)
{
    render_testing::ScratchFolder scratch;
    const auto file = scratch.file ("moves.txt");
    file.replaceWithText ("0 delayMix 0\n1 delayMix 100\n");

    const auto once = RenderCommandLine::parse ({ "--automation", "moves.txt", "a.wav", "b.wav" }, file.getParentDirectory());
    ASSERT_TRUE (once.ok()) << once.error;
    EXPECT_EQ (once.options.automationFile, file);
    ASSERT_EQ (once.options.automation.size(), 2u);
    EXPECT_EQ (once.options.automation[1].origin, "'" + file.getFullPathName() + "' line 2");
    EXPECT_TRUE (once.options.automates());

    const auto twice = RenderCommandLine::parse ({ "--automation", "moves.txt", "--automation=moves.txt", "a.wav", "b.wav" },
                                                 file.getParentDirectory());
    EXPECT_EQ (twice.error, "--automation is given twice");
}

TEST (RenderOptions, ArgumentsThatAreNotUtf8AreRefusedByNumber)
{
    const char* valid[] = { "lumivox-render", "--set", "delayMix=50", "in.wav", "out.wav" };
    juce::StringArray args;
    juce::String error;
    ASSERT_TRUE (RenderCommandLine::decodeArguments (5, valid, args, error)) << error;
    EXPECT_EQ (args.joinIntoString (" "), "--set delayMix=50 in.wav out.wav");

    const char* broken[] = { "lumivox-render", "--fx", "drive", "--su\xf4=.ri\x8a" };
    EXPECT_FALSE (RenderCommandLine::decodeArguments (4, broken, args, error));
    EXPECT_EQ (error, "argument 3 is not valid UTF-8 text");

    // The fuzzer's findings, one argument per line: each is refused or parsed, never a crash.
    for (const auto& file : juce::File (LUMIVOX_FUZZ_REGRESSIONS).getChildFile ("render").findChildFiles (juce::File::findFiles, false))
    {
        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes));
        std::vector<std::string> lines (1);
        for (size_t i = 0; i < bytes.getSize(); ++i)
        {
            const char c = static_cast<const char*> (bytes.getData())[i];
            c == '\n' ? (void) lines.emplace_back() : (c != 0 ? lines.back().push_back (c) : (void) 0);
        }
        std::vector<const char*> argv { "lumivox-render" };
        for (const auto& line : lines)
            argv.push_back (line.c_str());
        if (RenderCommandLine::decodeArguments ((int) argv.size(), argv.data(), args, error))
            RenderCommandLine::parse (args, juce::File::getCurrentWorkingDirectory());
        else
            EXPECT_TRUE (error.endsWith ("is not valid UTF-8 text")) << file.getFileName();
    }
}
