#pragma once

#include "AudioFileIO.h"
#include "PendingFile.h"
#include "RenderOptions.h"
#include "RenderReport.h"
#include "engine/LUMIVOXAudioProcessor.h"

#include <ostream>

// Carries out one parsed command line: configures a processor, lists its parameters,
// renders and writes the results. Listings and the JSON summary go to out, warnings to
// warnings; the first failure stops the job and is returned in error.
class RenderJob
{
public:
    RenderJob (const RenderOptions& options, std::ostream& out, std::ostream& warnings);

    bool run (juce::String& error);

private:
    // State, preset, rack, parameters and randomisation, in that order.
    bool configure (LUMIVOXAudioProcessor& processor, int channels, juce::String& error);

    // Renders IN into OUT's temporary and fills in the report.
    bool render (LUMIVOXAudioProcessor& processor, const AudioFileContents& input, PendingFile& audioOut,
                 RenderReport& report, juce::String& error);

    void warn (const juce::String& message);

    const RenderOptions& options;
    std::ostream& out;
    std::ostream& warnings;
};
