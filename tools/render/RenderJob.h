#pragma once

#include "RenderConsole.h"
#include "RenderOptions.h"
#include "engine/LUMIVOXAudioProcessor.h"

#include <ostream>

// Carries out one parsed command line: configures a processor, lists its parameters,
// renders every IN into its OUT (several at once with --jobs) and writes the results.
// Listings and the JSON lines go to out, warnings and failures to errors.
class RenderJob
{
public:
    RenderJob (const RenderOptions& options, std::ostream& out, std::ostream& errors);

    // The exit status: 0 when everything succeeded, 1 when anything failed.
    int run();

private:
    // State, preset, rack, parameters and randomisation, in that order. Warnings about the
    // settings go to the console when reportWarnings is set.
    bool configure (LUMIVOXAudioProcessor& processor, int channels, juce::String& error, bool reportWarnings = true);

    int runWithoutAudio();
    int runOne();
    int runBatch();

    // Listings asked for, of a configured processor.
    void printListings (LUMIVOXAudioProcessor& processor);

    const RenderOptions& options;
    RenderConsole console;
};
