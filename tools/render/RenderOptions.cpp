#include "RenderOptions.h"

#include "StrictNumber.h"
#include "engine/EffectCatalogue.h"

#include <cstring>
#include <limits>

namespace
{
const juce::StringArray flagOptions { "--keep-latency", "--bypass", "--list-params", "--list-presets", "--json",
                                      "--match-loudness", "--help", "-h", "--version" };
const juce::StringArray valueOptions { "--set", "--fx", "--randomize", "--at", "--automation", "--block",
                                       "--max-block", "--bpm", "--ppq", "--transport", "--tail", "--state-in",
                                       "--state-out", "--preset", "--preset-out", "--out-dir", "--jobs",
                                       "--format", "--bits" };
const juce::String standardStream = "-";

bool asksForHelp (const juce::StringArray& args)
{
    for (const auto& arg : args)
    {
        if (arg == "--")
            return false;
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

bool parseBlockSize (const juce::String& text, int& result)
{
    juce::int64 n = 0;
    if (! StrictNumber::parseInteger (text, n) || n < 1 || n > RenderOptions::maximumBlockSize)
        return false;
    result = (int) n;
    return true;
}

bool parseNumberInRange (const juce::String& text, double lowest, double highest, bool lowestAllowed, double& result)
{
    double x = 0.0;
    if (! StrictNumber::parseDouble (text, x) || x > highest || x < lowest || (! lowestAllowed && x == lowest))
        return false;
    result = x;
    return true;
}

bool parseTransport (const juce::String& text, Transport& result)
{
    if (text == "playing")
        result = Transport::playing;
    else if (text == "stopped")
        result = Transport::stopped;
    else if (text == "none")
        result = Transport::none;
    else
        return false;
    return true;
}

// Comma-separated effect ids; an empty list is a valid request for an empty rack.
juce::String parseFxList (const juce::String& text, juce::StringArray& result)
{
    juce::StringArray ids;
    ids.addTokens (text, ",", {});
    ids.trim();
    ids.removeEmptyStrings();

    result.clear();
    for (const auto& id : ids)
    {
        if (EffectCatalogue::indexOf (id) < 0)
            return "unknown effect '" + id + "'";
        if (result.contains (id))
            return "effect '" + id + "' is listed twice in --fx";
        result.add (id);
    }
    return {};
}

class Parser
{
public:
    Parser (const juce::StringArray& a, const juce::File& base) : args (a), baseDirectory (base) {}

    RenderOptionsParse run()
    {
        RenderOptionsParse result;
        result.error = parseAll (result.options);
        return result;
    }

private:
    juce::String parseAll (RenderOptions& o)
    {
        if (asksForHelp (args))
        {
            o.showHelp = true;
            return {};
        }
        if (args.size() == 1 && args[0] == "--version")
        {
            o.showVersion = true;
            return {};
        }

        juce::StringArray positional;
        bool optionsEnded = false;
        bool preparedBlockGiven = false;

        for (int i = 0; i < args.size(); ++i)
        {
            const auto& arg = args[i];

            if (optionsEnded || ! arg.startsWithChar ('-') || arg == "-")
            {
                positional.add (arg);
                continue;
            }

            if (arg == "--")
            {
                optionsEnded = true;
                continue;
            }

            // "--name=value" is the same as "--name value".
            const bool inlineValue = arg.startsWith ("--") && arg.containsChar ('=');
            const auto name = inlineValue ? arg.upToFirstOccurrenceOf ("=", false, false) : arg;

            if (flagOptions.contains (name))
            {
                if (inlineValue)
                    return "option '" + name + "' takes no value";

                if (name == "--keep-latency")
                    o.keepLatency = true;
                else if (name == "--bypass")
                    o.bypass = true;
                else if (name == "--list-params")
                    o.listParameters = true;
                else if (name == "--list-presets")
                    o.listPresets = true;
                else if (name == "--json")
                    o.json = true;
                else if (name == "--match-loudness")
                    o.matchLoudness = true;
                continue;
            }

            if (! valueOptions.contains (name))
                return "unknown option '" + arg + "'";

            juce::String value;
            if (inlineValue)
                value = arg.fromFirstOccurrenceOf ("=", false, false);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                return "option '" + name + "' needs a value";

            if (const auto error = applyValueOption (o, name, value, preparedBlockGiven); error.isNotEmpty())
                return error;
        }

        if (! preparedBlockGiven)
            o.preparedBlockSize = o.blockSize;

        o.jobs = jobsGiven.value_or (juce::jlimit (1, RenderOptions::maximumJobs, juce::SystemStats::getNumCpus()));
        return applyPositional (o, positional);
    }

    juce::String applyValueOption (RenderOptions& o, const juce::String& name, const juce::String& value,
                                   bool& preparedBlockGiven)
    {
        const auto got = ", got '" + value + "'";

        if (name == "--set")
        {
            juce::String error;
            const auto assignment = ParameterAssignment::parse (value, error);
            if (! assignment.has_value())
                return error;
            o.assignments.push_back (*assignment);
        }
        else if (name == "--fx")
        {
            juce::StringArray ids;
            if (const auto error = parseFxList (value, ids); error.isNotEmpty())
                return error;
            o.fxList = ids;
        }
        else if (name == "--randomize")
        {
            if (value != "rack" && EffectCatalogue::indexOf (value) < 0)
                return "--randomize needs an effect id or 'rack'" + got;
            o.randomize.add (value);
        }
        else if (name == "--at")
        {
            juce::String error;
            const auto change = TimedChange::parse (value, error);
            if (! change.has_value())
                return error;
            o.timedChanges.push_back (*change);
        }
        else if (name == "--automation")
        {
            if (value.isEmpty())
                return "--automation needs a file name";
            if (o.automationFile != juce::File())
                return "--automation is given twice";
            o.automationFile = baseDirectory.getChildFile (value);
            juce::String error;
            if (! AutomationFile::read (o.automationFile, o.automation, error))
                return error;
        }
        else if (name == "--block" || name == "--max-block")
        {
            int n = 0;
            if (! parseBlockSize (value, n))
                return name + " must be a whole number from 1 to " + juce::String (RenderOptions::maximumBlockSize) + got;
            if (name == "--block")
            {
                o.blockSize = n;
            }
            else
            {
                o.preparedBlockSize = n;
                preparedBlockGiven = true;
            }
        }
        else if (name == "--bpm")
        {
            if (! parseNumberInRange (value, 0.0, 1000.0, false, o.bpm))
                return "--bpm must be a number above 0 and at most 1000" + got;
        }
        else if (name == "--ppq")
        {
            if (! parseNumberInRange (value, -1.0e9, 1.0e9, true, o.ppq))
                return "--ppq must be a number of quarter notes" + got;
        }
        else if (name == "--tail")
        {
            if (! parseNumberInRange (value, 0.0, RenderOptions::maximumTailSeconds, true, o.tailSeconds))
                return "--tail must be a number of seconds from 0 to "
                       + juce::String ((int) RenderOptions::maximumTailSeconds) + got;
        }
        else if (name == "--transport")
        {
            if (! parseTransport (value, o.transport))
                return "--transport must be playing, stopped or none" + got;
        }
        else if (name == "--preset" || name == "--preset-out")
        {
            if (value.isEmpty())
                return name + " needs a preset name or file";
            if (name == "--preset")
            {
                o.preset = value;
                o.presetFile = baseDirectory.getChildFile (value);
            }
            else
            {
                o.presetOut = baseDirectory.getChildFile (value);
            }
        }
        else if (name == "--state-in" || name == "--state-out")
        {
            if (value.isEmpty())
                return name + " needs a file name";
            (name == "--state-in" ? o.stateIn : o.stateOut) = baseDirectory.getChildFile (value);
        }
        else if (name == "--out-dir")
        {
            if (value.isEmpty())
                return "--out-dir needs a folder name";
            o.outDir = baseDirectory.getChildFile (value);
            if (o.outDir.existsAsFile())
                return "--out-dir '" + o.outDir.getFullPathName() + "' is a file, not a folder";
        }
        else if (name == "--jobs")
        {
            juce::int64 n = 0;
            if (! StrictNumber::parseInteger (value, n) || n < 1 || n > RenderOptions::maximumJobs)
                return "--jobs must be a whole number from 1 to " + juce::String (RenderOptions::maximumJobs) + got;
            jobsGiven = (int) n;
        }
        else if (name == "--format")
        {
            container = OutputFormat::containerNamed (value);
            if (! container.has_value())
                return "--format must be wav, aiff or flac" + got;
        }
        else if (name == "--bits")
        {
            juce::int64 n = 0;
            if (! StrictNumber::parseInteger (value, n) || (n != 16 && n != 24 && n != 32))
                return "--bits must be 16, 24 or 32" + got;
            bits = (int) n;
        }
        return {};
    }

    juce::String applyPositional (RenderOptions& o, const juce::StringArray& positional) const
    {
        if (positional.isEmpty())
            return o.listParameters || o.listPresets ? juce::String() : juce::String ("missing IN and OUT");

        if (o.outDir != juce::File())
        {
            for (const auto& name : positional)
            {
                if (name.isEmpty())
                    return "IN is an empty file name";
                if (auto error = addTarget (o, name, {}); error.isNotEmpty())
                    return error;
            }
        }
        else
        {
            if (positional.size() == 1)
                return "missing OUT";
            if (positional.size() > 2)
                return "unexpected argument '" + positional[2] + "' (several inputs go with --out-dir)";
            if (positional[0].isEmpty())
                return "IN is an empty file name";
            if (positional[1].isEmpty())
                return "OUT is an empty file name";
            if (auto error = addTarget (o, positional[0], positional[1]); error.isNotEmpty())
                return error;
        }
        return checkTargets (o);
    }

    // One IN with its OUT; without outName, OUT is IN's name in --out-dir.
    juce::String addTarget (RenderOptions& o, const juce::String& inName, const juce::String& outName) const
    {
        RenderTarget target;
        target.fromStandardInput = inName == standardStream;
        if (! target.fromStandardInput)
            target.input = baseDirectory.getChildFile (inName);

        juce::String error;
        if (outName.isNotEmpty())
        {
            target.toStandardOutput = outName == standardStream;
            if (! target.toStandardOutput)
                target.output = baseDirectory.getChildFile (outName);
            const auto format = OutputFormat::resolve (container, bits, target.output, error);
            if (! format.has_value())
                return error;
            target.format = *format;
        }
        else
        {
            if (target.fromStandardInput)
                return "'-' (standard input) has no name to write under in --out-dir; give IN and OUT instead";
            const auto format = OutputFormat::resolve (container.value_or (OutputFormat::Container::wav), bits, {}, error);
            if (! format.has_value())
                return error;
            target.format = *format;
            target.output = o.outDir.getChildFile (target.input.getFileNameWithoutExtension() + format->extension());
        }
        o.targets.push_back (target);
        return {};
    }

    static juce::String checkTargets (const RenderOptions& o)
    {
        for (size_t i = 0; i < o.targets.size(); ++i)
        {
            const auto& t = o.targets[i];
            if (! t.fromStandardInput && ! t.toStandardOutput && t.input == t.output)
                return "IN and OUT are the same file, '" + t.input.getFullPathName() + "'";
            for (size_t j = 0; j < i; ++j)
                if (! t.toStandardOutput && o.targets[j].output == t.output)
                    return "two inputs would both be written to '" + t.output.getFullPathName() + "'";
        }

        const bool toStandardOutput = o.targets.front().toStandardOutput;
        if (toStandardOutput && (o.json || o.listParameters || o.listPresets))
            return "OUT '-' takes standard output, which --json, --list-params and --list-presets also need";
        if (o.targets.size() > 1 && (o.stateOut != juce::File() || o.presetOut != juce::File()))
            return "--state-out and --preset-out save the result of one render, not of several inputs";
        return {};
    }

    const juce::StringArray& args;
    const juce::File baseDirectory;
    std::optional<OutputFormat::Container> container; // --format
    std::optional<int> bits;                          // --bits
    std::optional<int> jobsGiven;                     // --jobs
};
} // namespace

namespace RenderCommandLine
{
bool decodeArguments (int argc, const char* const* argv, juce::StringArray& args, juce::String& error)
{
    args.clear();
    for (int i = 1; i < argc; ++i)
    {
        const auto length = std::strlen (argv[i]);
        if (length > (size_t) std::numeric_limits<int>::max() || ! juce::CharPointer_UTF8::isValidString (argv[i], (int) length))
        {
            error = "argument " + juce::String (i) + " is not valid UTF-8 text";
            return false;
        }
        args.add (juce::String::fromUTF8 (argv[i], (int) length));
    }
    return true;
}

RenderOptionsParse parse (const juce::StringArray& args, const juce::File& baseDirectory)
{
    return Parser (args, baseDirectory).run();
}

juce::String usage()
{
    return R"(usage: lumivox-render [options] IN OUT
       lumivox-render [options] --out-dir DIR IN...
       lumivox-render [options] --list-params | --list-presets
       lumivox-render --help | --version

Runs IN through the LUMIVOX processor, as a host would, and writes OUT.
IN: a mono or stereo WAV, AIFF, FLAC or Ogg Vorbis file; its sample rate is the
processing rate; "-" reads a WAV from standard input. OUT: IN's channel count,
as a 32-bit float WAV unless --format or OUT's extension (.wav, .aiff, .aif,
.flac) says otherwise; "-" writes it to standard output (messages stay on
standard error). OUT is only replaced once the whole render has succeeded.
The files stream through in blocks: memory does not grow with their length.

Processor settings, applied in this order:
  --state-in FILE      load a saved plug-in state
                       e.g. lumivox-render --state-in song.state in.wav out.wav
  --preset NAME|FILE   load a factory preset by its exact name, or a preset file,
                       as the preset browser does
                       e.g. lumivox-render --preset "NEON ORBIT" in.wav out.wav
  --fx LIST            the rack as a user would build it: the comma-separated
                       effect ids become the inserted list in that order, each
                       listed effect is switched on and every other one off;
                       an empty LIST ("") switches all of them off. The shaper,
                       always in the rack, is switched on when listed and
                       otherwise left as it is
                       e.g. lumivox-render --fx drive,filter,delay in.wav out.wav
  --set ID=VALUE       set a parameter in its own units (repeatable, in order);
                       switches take 0/1/true/false/on/off, choices an index or
                       the item text; a value outside the range is clamped
                       e.g. lumivox-render --set delayMix=50 --set driveType=Tube in.wav out.wav
  --randomize ID       move an effect's sound parameters to random values inside
                       their usable ranges, as its card's randomize button does;
                       "rack" does every inserted effect (repeatable, in order)
                       e.g. lumivox-render --fx granular,reverb --randomize rack in.wav out.wav

Automation, at times of IN in seconds (the frame is the time times the sample
rate, rounded); each change starts a host block, as a host's automation does:
  --at SECONDS:ID=VALUE
                       at that time, set a parameter as --set does (repeatable)
                       e.g. lumivox-render --fx delay --at 1.5:delayOn=0 --at 2.5:delayOn=1 in.wav out.wav
  --at SECONDS:insert=ID | SECONDS:remove=ID
                       at that time, insert an effect (added to the inserted
                       list and switched on) or remove it (taken out and
                       switched off), as the editor does
                       e.g. lumivox-render --fx "" --at 2:insert=reverb --at 6:remove=reverb in.wav out.wav
  --automation FILE    lanes from a text file of lines "SECONDS ID VALUE"; VALUE
                       as for --set, the rest of the line (a choice item may
                       have spaces); "#" starts a comment. Each parameter's
                       points, in time order, are joined by linear ramps in its
                       own units, applied at every multiple of 32 samples;
                       switches and choices step at their points. Before its
                       first point a parameter is left alone, after its last
                       it holds. At the same time, the file's changes come
                       first, then --at's in order. Times past the end of IN
                       and the tail are ignored with a warning
                       e.g. lumivox-render --fx drive --automation moves.txt in.wav out.wav

Host simulation:
  --block N            host block size (default 512)
                       e.g. lumivox-render --block 64 in.wav out.wav
  --max-block N        block size announced to the processor beforehand
                       (default: --block); smaller than --block is allowed
                       e.g. lumivox-render --block 1024 --max-block 256 in.wav out.wav
  --bpm X              tempo (default 120)
                       e.g. lumivox-render --bpm 174 --fx stutter in.wav out.wav
  --transport MODE     playing, stopped or none (no play head) (default playing)
                       e.g. lumivox-render --transport none in.wav out.wav
  --ppq X              start position in quarter notes (default 0)
                       e.g. lumivox-render --ppq 16.5 in.wav out.wav
  --bypass             run the host's bypass path instead of processing
                       e.g. lumivox-render --bypass in.wav out.wav
  --tail SECONDS       silence appended to IN before rendering (default 0)
                       e.g. lumivox-render --fx reverb --tail 4 in.wav out.wav
  --keep-latency       write the raw output: IN plus tail, with the processor's
                       latency at the start; by default the output is aligned
                       with IN
                       e.g. lumivox-render --keep-latency in.wav out.wav

Files:
  --out-dir DIR        render every IN with the same settings into DIR (made if
                       missing), each named after its IN with the output
                       format's extension; a file that fails is named on
                       standard error and the others still render
                       e.g. lumivox-render --preset "NEON ORBIT" --out-dir wet takes/*.wav
  --jobs N             with --out-dir, render N files at once, each on a
                       processor of its own (default: the number of cores);
                       the output is the same as rendering each file alone
                       e.g. lumivox-render --jobs 2 --out-dir wet a.wav b.wav c.wav
  --format F           wav, aiff or flac (default: from OUT's extension, else wav)
                       e.g. lumivox-render --format flac in.wav - > out.flac
  --bits N             16 or 24 (integer, with TPDF dither) or 32 (float, WAV and
                       AIFF only); default 32 for WAV and AIFF, 24 for FLAC
                       e.g. lumivox-render --bits 24 in.wav out.flac
  --match-loudness     scale OUT to IN's integrated loudness (EBU R128), to
                       compare sounds fairly; it stops short, with a warning,
                       where OUT's true peak would pass -1 dBTP
                       e.g. lumivox-render --preset "PLASTIC VOCAL" --match-loudness in.wav out.wav

Output:
  --state-out FILE     save the plug-in state after rendering
                       e.g. lumivox-render --fx delay --state-out song.state in.wav out.wav
  --preset-out FILE    save the final sound as a preset file
                       e.g. lumivox-render --fx reverb --preset-out Mine.lumivoxpreset in.wav out.wav
  --list-presets       print the factory presets (number, name, category), then
                       the user presets ("user", name, bank, file), tab-separated
                       e.g. lumivox-render --list-presets
  --list-params        print each parameter: id, name, type, range (choices:
                       the items, by index), interval, default, current value,
                       tab-separated; IN and OUT are optional with this
                       e.g. lumivox-render --preset "NEON ORBIT" --list-params
  --json               after rendering, print a JSON summary on stdout, one line
                       per file: sample rate, frames, latency, speed, peaks,
                       inputLoudness and outputLoudness (LUFS), outputTruePeak
                       (dBTP), null for silence; with --out-dir a file that
                       failed gets a line with its "error"
                       e.g. lumivox-render --json in.wav out.wav
  --help               this text
  --version            the program's name and version, e.g. "lumivox-render 1.8.1"

Exit status: 0 on success, 1 when a render fails (with --out-dir: any of them),
2 for a bad command line.
)";
}
} // namespace RenderCommandLine
