#pragma once

#include "AutomationFile.h"
#include "OutputFormat.h"
#include "ParameterAssignment.h"
#include "SimulatedPlayHead.h"
#include "TimedChange.h"

#include <optional>
#include <vector>

// One IN and the OUT it renders into. "-" stands for the standard streams.
struct RenderTarget
{
    juce::File input, output;       // unset where the standard stream is meant
    bool fromStandardInput = false;
    bool toStandardOutput = false;
    OutputFormat format;

    juce::String inputName() const { return fromStandardInput ? "standard input" : input.getFullPathName(); }
    juce::String outputName() const { return toStandardOutput ? "standard output" : output.getFullPathName(); }
};

// Everything the command line asks for, already checked.
struct RenderOptions
{
    static constexpr int maximumBlockSize = 1 << 20;
    static constexpr double maximumTailSeconds = 3600.0;
    static constexpr int maximumJobs = 256;

    std::vector<RenderTarget> targets; // in command-line order; empty in a listing run
    juce::File outDir;                 // set with --out-dir
    int jobs = 1;                      // files rendered at once
    juce::File stateIn, stateOut;   // unset when not asked for
    juce::String preset;            // a factory preset name or a preset file (presetFile); empty when not asked for
    juce::File presetFile, presetOut;
    std::optional<juce::StringArray> fxList;
    std::vector<ParameterAssignment> assignments;
    juce::StringArray randomize;    // effect ids, or "rack" for every inserted effect, in order
    std::vector<TimedChange> timedChanges;   // --at, in command-line order
    juce::File automationFile;               // unset when not asked for
    std::vector<AutomationPoint> automation; // its points, already read

    int blockSize = 512;
    int preparedBlockSize = 512;    // --max-block, or blockSize when not given
    double bpm = 120.0;
    double ppq = 0.0;
    Transport transport = Transport::playing;
    double tailSeconds = 0.0;

    bool keepLatency = false;
    bool bypass = false;
    bool matchLoudness = false;
    bool listParameters = false;
    bool listPresets = false;
    bool json = false;
    bool showHelp = false;
    bool showVersion = false;

    bool rendersAudio() const { return ! targets.empty(); }
    bool automates() const { return ! timedChanges.empty() || ! automation.empty(); }
};

struct RenderOptionsParse
{
    RenderOptions options;
    juce::String error; // empty on success

    bool ok() const { return error.isEmpty(); }
};

namespace RenderCommandLine
{
// The arguments after the program name as text; false, with the reason in error, when one is
// not valid UTF-8 (text that is not would trip up the string handling further on).
bool decodeArguments (int argc, const char* const* argv, juce::StringArray& args, juce::String& error);

// args: the arguments after the program name. Relative paths are taken from baseDirectory.
RenderOptionsParse parse (const juce::StringArray& args, const juce::File& baseDirectory);

juce::String usage();
} // namespace RenderCommandLine
