#include "RenderJob.h"

#include "AutomationTimeline.h"
#include "OfflineRender.h"
#include "ParameterListing.h"
#include "PresetListing.h"
#include "ProcessorConfiguration.h"
#include "ProgressMeter.h"
#include "SignalStats.h"
#include "presets/PresetFile.h"

namespace
{
juce::StringArray splitIds (const juce::String& commaSeparated)
{
    juce::StringArray ids;
    ids.addTokens (commaSeparated, ",", {});
    ids.trim();
    ids.removeEmptyStrings();
    return ids;
}

bool writeState (LUMIVOXAudioProcessor& processor, PendingFile& file, juce::String& error)
{
    juce::MemoryBlock state;
    processor.getStateInformation (state);
    if (! file.getTemporary().replaceWithData (state.getData(), state.getSize()))
    {
        error = "cannot write state file '" + file.getDestination().getFullPathName() + "'";
        return false;
    }
    return true;
}

bool writePreset (LUMIVOXAudioProcessor& processor, PendingFile& file, juce::String& error)
{
    if (! file.getTemporary().replaceWithText (PresetFile::textOf (processor.apvts), false, false, nullptr))
    {
        error = "'" + file.getDestination().getFullPathName() + "': " + PresetFile::writeFailedMessage;
        return false;
    }
    return true;
}
} // namespace

RenderJob::RenderJob (const RenderOptions& o, std::ostream& standardOut, std::ostream& standardError)
    : options (o), out (standardOut), warnings (standardError)
{
}

void RenderJob::warn (const juce::String& message)
{
    warnings << "lumivox-render: warning: " << message << std::endl;
}

bool RenderJob::run (juce::String& error)
{
    if (options.rendersAudio() && ! PendingFile::isWritableDestination (options.output, error))
        return false;
    if (options.stateOut != juce::File() && ! PendingFile::isWritableDestination (options.stateOut, error))
        return false;
    if (options.presetOut != juce::File() && ! PendingFile::isWritableDestination (options.presetOut, error))
        return false;

    AudioFileContents input;
    if (options.rendersAudio() && ! AudioFileIO::read (options.input, input, error))
        return false;

    auto processor = std::make_unique<LUMIVOXAudioProcessor>();
    if (! configure (*processor, options.rendersAudio() ? input.samples.getNumChannels() : 2, error))
        return false;

    if (options.automates() && ! options.rendersAudio())
        warn ("--at and --automation change nothing without IN and OUT");

    if (options.listParameters)
        out << ParameterListing::describe (processor->apvts) << std::flush;
    if (options.listPresets)
        out << PresetListing::describe() << std::flush;

    std::unique_ptr<PendingFile> audioOut, stateOut, presetOut;
    RenderReport report;

    if (options.rendersAudio())
    {
        audioOut = std::make_unique<PendingFile> (options.output);
        if (! render (*processor, input, *audioOut, report, error))
            return false;
    }

    if (options.stateOut != juce::File())
    {
        stateOut = std::make_unique<PendingFile> (options.stateOut);
        if (! writeState (*processor, *stateOut, error))
            return false;
    }

    if (options.presetOut != juce::File())
    {
        presetOut = std::make_unique<PendingFile> (options.presetOut);
        if (! writePreset (*processor, *presetOut, error))
            return false;
    }

    // Every result is complete before any replaces anything.
    for (auto* pending : { audioOut.get(), stateOut.get(), presetOut.get() })
        if (pending != nullptr && ! pending->commit (error))
            return false;

    if (options.json && options.rendersAudio())
        out << report.toJson() << std::endl;

    return true;
}

bool RenderJob::configure (LUMIVOXAudioProcessor& processor, int channels, juce::String& error)
{
    if (! ProcessorConfiguration::setChannelCount (processor, channels, error))
        return false;

    if (options.stateIn != juce::File() && ! ProcessorConfiguration::loadState (processor, options.stateIn, error))
        return false;

    if (options.preset.isNotEmpty()
        && ! ProcessorConfiguration::loadPreset (processor, options.preset, options.presetFile, error))
        return false;

    if (options.fxList.has_value() && ! ProcessorConfiguration::buildRack (processor, *options.fxList, error))
        return false;

    for (const auto& assignment : options.assignments)
        if (const auto warning = ProcessorConfiguration::applyParameter (processor, assignment); warning.isNotEmpty())
            warn (warning);

    for (const auto& id : options.randomize)
        if (id == "rack")
            processor.randomizeRack();
        else
            processor.randomizeFx (id, true);

    return true;
}

bool RenderJob::render (LUMIVOXAudioProcessor& processor, const AudioFileContents& input, PendingFile& audioOut,
                        RenderReport& report, juce::String& error)
{
    OfflineRenderSettings settings;
    settings.sampleRate = input.sampleRate;
    settings.blockSize = options.blockSize;
    settings.preparedBlockSize = options.preparedBlockSize;
    settings.tailFrames = (int) std::llround (options.tailSeconds * input.sampleRate);
    settings.keepLatency = options.keepLatency;
    settings.bypass = options.bypass;
    settings.transport = options.transport;
    settings.bpm = options.bpm;
    settings.ppq = options.ppq;

    AutomationTimeline automation (processor, options.timedChanges, options.automation, input.sampleRate,
                                   input.samples.getNumSamples() + (juce::int64) settings.tailFrames);
    for (const auto& warning : automation.takeWarnings())
        warn (warning);

    OfflineRenderResult result;
    {
        ProgressMeter meter;
        if (! OfflineRender::run (processor, input.samples, settings, result, error,
                                  [&meter] (double done) { meter.update (done); }, &automation))
            return false;
    }

    for (const auto& warning : automation.takeWarnings())
        warn (warning);
    if (result.latencyChanged)
        warn ("the processor's latency changed during the render (an effect with latency was inserted or removed); OUT is "
              "aligned to the latency at the start, " + juce::String (result.latencySamples) + " samples");

    if (! AudioFileIO::writeFloatWav (audioOut.getTemporary(), result.output, input.sampleRate, error))
    {
        error = "cannot write '" + options.output.getFullPathName() + "'";
        return false;
    }

    const auto outputStats = SignalStats::measure (result.output);
    if (outputStats.nonFiniteSamples > 0)
        warn ("the output has " + juce::String (outputStats.nonFiniteSamples) + " non-finite samples");

    report.sampleRate = input.sampleRate;
    report.channels = input.samples.getNumChannels();
    report.frames = result.output.getNumSamples();
    report.renderedFrames = result.renderedFrames;
    report.latencySamples = result.latencySamples;
    report.tailSeconds = options.tailSeconds;
    report.processSeconds = result.processSeconds;
    report.inputPeak = SignalStats::measure (input.samples).peak;
    report.outputPeak = outputStats.peak;
    report.outputRms = outputStats.rms;
    report.nonFiniteSamples = outputStats.nonFiniteSamples;
    report.automationEvents = automation.getAppliedCount();
    report.insertedFx = processor.getInsertedFxOrder();
    report.rackOrder = splitIds (processor.getRack().orderString());
    return true;
}
