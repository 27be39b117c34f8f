#include "RenderJob.h"

#include <ProductVersion.h>

#include <iostream>
#include <juce_events/juce_events.h>

int main (int argc, char* argv[])
{
    // The parameter tree runs timers, which need JUCE's message machinery; no display is used.
    juce::ScopedJuceInitialiser_GUI juceInitialiser;

    juce::StringArray args;
    juce::String argumentError;
    if (! RenderCommandLine::decodeArguments (argc, argv, args, argumentError))
    {
        std::cerr << "lumivox-render: " << argumentError << " (see --help)" << std::endl;
        return 2;
    }

    const auto parsed = RenderCommandLine::parse (args, juce::File::getCurrentWorkingDirectory());
    if (! parsed.ok())
    {
        std::cerr << "lumivox-render: " << parsed.error << " (see --help)" << std::endl;
        return 2;
    }

    if (parsed.options.showHelp)
    {
        std::cout << RenderCommandLine::usage();
        return 0;
    }
    if (parsed.options.showVersion)
    {
        std::cout << "lumivox-render " << LUMIVOX_VERSION_STRING << std::endl;
        return 0;
    }

    return RenderJob (parsed.options, std::cout, std::cerr).run();
}
