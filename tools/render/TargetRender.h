#pragma once

#include "AudioDestination.h"
#include "InputAudioFile.h"
#include "OfflineRender.h"
#include "RenderConsole.h"
#include "RenderOptions.h"
#include "RenderReport.h"
#include "engine/LUMIVOXAudioProcessor.h"

#include <functional>

// One IN rendered into its OUT: the input streamed from its file (or a pipe), the processor
// configured for its channel count, the output encoded block by block into the destination's
// temporary, and the figures for the report. OUT appears only on commit().
class TargetRender
{
public:
    using Configure = std::function<bool (LUMIVOXAudioProcessor&, int channels, juce::String& error)>;

    // Warnings go to console, each starting with warningPrefix.
    TargetRender (const RenderOptions& options, const RenderTarget& target, RenderConsole& console,
                  juce::String warningPrefix);

    // The input's length in frames, read from its header; 0 when it cannot be read (the
    // render then reports why).
    static juce::int64 lengthOf (const RenderTarget& target);

    bool render (LUMIVOXAudioProcessor& processor, const Configure& configure, const OfflineRender::Progress& progress,
                 juce::String& error);

    bool commit (juce::String& error) { return destination.commit (error); }

    const RenderReport& getReport() const noexcept { return report; }

private:
    bool openInput (juce::String& error);
    void warn (const juce::String& message);

    const RenderOptions& options;
    const RenderTarget& target;
    RenderConsole& console;
    const juce::String warningPrefix;

    std::unique_ptr<juce::TemporaryFile> spooledInput;
    InputAudioFile input;
    AudioDestination destination;
    RenderReport report;
};
