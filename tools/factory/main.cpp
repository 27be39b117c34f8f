// lumivox-factory: auditions the factory library over a loop made by code.
//   lumivox-factory report [--markdown FILE]   figures for all 161 presets; exit 1 on any breach
//   lumivox-factory demo DIR [NAME...]         the loop through the named presets, as WAV files

#include "AudioFileIO.h"
#include "FactoryAudition.h"
#include "TestLoop.h"
#include "presets/FactoryLibrary.h"

#include <iostream>
#include <juce_events/juce_events.h>

namespace
{
const char* const demoPresets[] = { "HYPER PUMP",  "Candy Chrome",  "Bit Tornado",   "Ghost Answer",   "Festival Duck",
                                    "Soft Nebula", "Tube Ribbon",   "Violet Cathedral", "Cassette Fall", "Parallel Hearts" };

int usage()
{
    std::cerr << "usage: lumivox-factory report [--markdown FILE]\n"
                 "       lumivox-factory demo DIR [PRESET NAME...]\n";
    return 2;
}

int report (const juce::StringArray& args)
{
    juce::File markdown;
    if (args.size() == 2 && args[0] == "--markdown")
        markdown = juce::File::getCurrentWorkingDirectory().getChildFile (args[1]);
    else if (! args.isEmpty())
        return usage();

    juce::String error;
    const auto all = FactoryAudition::measureAll (error);
    if (all.empty())
    {
        std::cerr << "lumivox-factory: " << error << "\n";
        return 1;
    }

    const auto problems = FactoryAudition::problems (all);
    const auto table = FactoryAudition::markdownTable (all);
    std::cout << table;
    if (markdown != juce::File() && ! markdown.replaceWithText (table))
    {
        std::cerr << "lumivox-factory: cannot write '" << markdown.getFullPathName() << "'\n";
        return 1;
    }
    for (const auto& p : problems)
        std::cerr << "lumivox-factory: " << p << "\n";
    std::cerr << "lumivox-factory: " << all.size() << " presets, " << problems.size() << " problems\n";
    return problems.isEmpty() ? 0 : 1;
}

int demo (const juce::StringArray& args)
{
    if (args.isEmpty())
        return usage();
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (args[0]);
    juce::StringArray names;
    for (int i = 1; i < args.size(); ++i)
        names.add (args[i]);
    if (names.isEmpty())
        for (const auto* name : demoPresets)
            names.add (name);

    for (const auto& name : names)
        if (FactoryLibrary::indexOf (name) < 0)
        {
            std::cerr << "lumivox-factory: no factory preset is named '" << name << "'\n";
            return 2;
        }

    if (! folder.createDirectory())
    {
        std::cerr << "lumivox-factory: cannot create '" << folder.getFullPathName() << "'\n";
        return 1;
    }

    const auto loop = TestLoop::make (FactoryAudition::sampleRate, FactoryAudition::loopSeconds);
    juce::String error;
    const auto dryFile = folder.getChildFile ("00 dry loop.wav");
    if (! AudioFileIO::writeFloatWav (dryFile, loop, FactoryAudition::sampleRate, error))
    {
        std::cerr << "lumivox-factory: " << error << "\n";
        return 1;
    }
    std::cout << dryFile.getFullPathName() << "\n";

    for (const auto& name : names)
    {
        const int n = FactoryLibrary::indexOf (name);
        juce::AudioBuffer<float> output;
        const auto file = folder.getChildFile (juce::String (n).paddedLeft ('0', 3) + " "
                                               + juce::File::createLegalFileName (name) + ".wav");
        if (! FactoryAudition::render (n, loop, output, error)
            || ! AudioFileIO::writeFloatWav (file, output, FactoryAudition::sampleRate, error))
        {
            std::cerr << "lumivox-factory: " << error << "\n";
            return 1;
        }
        std::cout << file.getFullPathName() << "\n";
    }
    return 0;
}
} // namespace

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));
    if (args.isEmpty())
        return usage();

    const auto command = args[0];
    args.remove (0);
    if (command == "report")
        return report (args);
    if (command == "demo")
        return demo (args);
    return usage();
}
