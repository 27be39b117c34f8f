// libFuzzer target: arbitrary bytes as the renderer's command line (one argument per line),
// parsed as lumivox-render parses it; an accepted command line's rack and parameter settings
// are applied to a processor, then its automation as far as a short render reaches, and the
// processor renders one block. Nothing may crash, the files it would write must be ones the
// writers can write (a known depth, no two renders into one file), and the settings must leave
// finite parameters and finite audio.

#include "AutomationTimeline.h"
#include "ProcessorConfiguration.h"
#include "RenderOptions.h"
#include "FuzzSupport.h"

#include <juce_events/juce_events.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
constexpr int blockSize = 256;
constexpr double sampleRate = 48000.0;
constexpr juce::int64 automatedFrames = 48000; // a ramp's steps stay few however far its points are

struct Fixture
{
    juce::ScopedJuceInitialiser_GUI juce;
    juce::AudioBuffer<float> input { fuzz::noiseBlock (blockSize) }, block { 2, blockSize };
    juce::MidiBuffer midi;
    juce::File base { juce::File::getSpecialLocation (juce::File::tempDirectory) };
};

Fixture* fixture = nullptr;

void writeSeeds (const juce::File& seeds)
{
    seeds.createDirectory();
    seeds.getChildFile ("fx").replaceWithText ("--fx\ndrive,delay\n--set\ndelayMix=50\nin.wav\nout.wav\n");
    seeds.getChildFile ("host").replaceWithText ("--block\n37\n--max-block\n16\n--bpm\n174.5\n--transport\nstopped\n--tail\n2\nin.wav\nout.wav\n");
    seeds.getChildFile ("choices").replaceWithText ("--set\nfilterType=band pass\n--set\ndriveOn=on\n--randomize\nrack\n--json\na.flac\nb.wav\n");
    seeds.getChildFile ("files").replaceWithText ("--out-dir\nwet\n--jobs\n2\n--format\nflac\n--bits\n16\n--match-loudness\na.wav\nb.aif\n");
    seeds.getChildFile ("pipes").replaceWithText ("--bits=24\n-\n-\n");
    seeds.getChildFile ("at").replaceWithText ("--fx\ndelay\n--at\n0.5:delayOn=0\n--at=0:insert=formant\n--at\n0.25:remove=delay\nin.wav\nout.wav\n");
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    fixture = new Fixture();
    if (const char* seeds = std::getenv ("LUMIVOX_FUZZ_SEEDS"))
        writeSeeds (juce::File (seeds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& f = *fixture;
    // One argument per line, as bytes, the way a shell hands them to main().
    std::vector<std::string> lines (1);
    for (size_t i = 0; i < juce::jmin (size, (size_t) 65536); ++i)
    {
        if (data[i] == '\n')
            lines.emplace_back();
        else if (data[i] != 0)
            lines.back().push_back ((char) data[i]);
    }
    std::vector<const char*> argv { "lumivox-render" };
    for (const auto& line : lines)
        argv.push_back (line.c_str());

    juce::StringArray args;
    juce::String error;
    if (! RenderCommandLine::decodeArguments ((int) argv.size(), argv.data(), args, error))
        return 0;

    const auto parsed = RenderCommandLine::parse (args, f.base);
    if (! parsed.ok())
        return 0;
    const auto& options = parsed.options;

    for (size_t i = 0; i < options.targets.size(); ++i)
    {
        const auto& format = options.targets[i].format;
        if (format.bits != 16 && format.bits != 24 && ! (format.bits == 32 && format.container != OutputFormat::Container::flac))
            fuzz::finding ("render", "a target with a depth its format cannot write");
        for (size_t j = 0; j < i; ++j)
            if (! options.targets[i].toStandardOutput && options.targets[i].output == options.targets[j].output)
                fuzz::finding ("render", "two targets write one file");
    }
    if (options.jobs < 1 || options.jobs > RenderOptions::maximumJobs)
        fuzz::finding ("render", "a job count out of range");

    LUMIVOXAudioProcessor p;
    if (options.fxList.has_value())
        ProcessorConfiguration::buildRack (p, *options.fxList, error);
    for (const auto& assignment : options.assignments)
        ProcessorConfiguration::applyParameter (p, assignment);
    for (const auto& id : options.randomize)
        id == "rack" ? p.randomizeRack() : p.randomizeFx (id, false);

    AutomationTimeline automation (p, options.timedChanges, options.automation, sampleRate, automatedFrames);
    for (auto frame = automation.nextFrame(); frame < automatedFrames; frame = automation.nextFrame())
        automation.applyAt (frame);

    fuzz::checkParametersFinite (p, "render");

    p.prepareToPlay (sampleRate, juce::jlimit (1, blockSize, options.preparedBlockSize));
    fuzz::renderAndCheck (p, f.input, f.block, f.midi, "render");
    return 0;
}
