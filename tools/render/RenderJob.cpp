#include "RenderJob.h"

#include "ParameterListing.h"
#include "PresetListing.h"
#include "ProcessorConfiguration.h"
#include "ProgressMeter.h"
#include "TargetRender.h"
#include "presets/PresetFile.h"

#include <atomic>
#include <thread>

namespace
{
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

// The state and preset files asked for, written beside their destinations.
struct SettingsFiles
{
    std::unique_ptr<PendingFile> state, preset;

    bool write (const RenderOptions& options, LUMIVOXAudioProcessor& processor, juce::String& error)
    {
        if (options.stateOut != juce::File())
        {
            state = std::make_unique<PendingFile> (options.stateOut);
            if (! writeState (processor, *state, error))
                return false;
        }
        if (options.presetOut != juce::File())
        {
            preset = std::make_unique<PendingFile> (options.presetOut);
            if (! writePreset (processor, *preset, error))
                return false;
        }
        return true;
    }

    bool commit (juce::String& error)
    {
        for (auto* pending : { state.get(), preset.get() })
            if (pending != nullptr && ! pending->commit (error))
                return false;
        return true;
    }
};

bool checkSettingsDestinations (const RenderOptions& options, juce::String& error)
{
    return (options.stateOut == juce::File() || PendingFile::isWritableDestination (options.stateOut, error))
           && (options.presetOut == juce::File() || PendingFile::isWritableDestination (options.presetOut, error));
}
} // namespace

RenderJob::RenderJob (const RenderOptions& o, std::ostream& out, std::ostream& errors) : options (o), console (out, errors)
{
}

int RenderJob::run()
{
    if (! options.rendersAudio())
        return runWithoutAudio();
    if (options.outDir == juce::File())
        return runOne();
    return runBatch();
}

void RenderJob::printListings (LUMIVOXAudioProcessor& processor)
{
    if (options.listParameters)
        console.printText (ParameterListing::describe (processor.apvts));
    if (options.listPresets)
        console.printText (PresetListing::describe());
}

int RenderJob::runWithoutAudio()
{
    juce::String error;
    const auto failed = [&] { console.fail (error); return 1; };

    if (! checkSettingsDestinations (options, error))
        return failed();

    LUMIVOXAudioProcessor processor;
    if (! configure (processor, 2, error))
        return failed();
    if (options.automates())
        console.warn ("--at and --automation change nothing without IN and OUT");
    printListings (processor);

    SettingsFiles settings;
    if (! settings.write (options, processor, error) || ! settings.commit (error))
        return failed();
    return 0;
}

int RenderJob::runOne()
{
    juce::String error;
    const auto failed = [&] { console.fail (error); return 1; };

    const auto& target = options.targets.front();
    if (! target.toStandardOutput && ! PendingFile::isWritableDestination (target.output, error))
        return failed();
    if (! checkSettingsDestinations (options, error))
        return failed();

    LUMIVOXAudioProcessor processor;
    TargetRender render (options, target, console, {});
    const auto configureAndList = [this] (LUMIVOXAudioProcessor& p, int channels, juce::String& e)
    {
        if (! configure (p, channels, e))
            return false;
        printListings (p);
        return true;
    };

    {
        ProgressMeter meter;
        if (! render.render (processor, configureAndList, [&meter] (double done) { meter.update (done); }, error))
            return failed();
    }

    // Every result is complete before any replaces anything.
    SettingsFiles settings;
    if (! settings.write (options, processor, error) || ! render.commit (error) || ! settings.commit (error))
        return failed();

    if (options.json)
        console.print (render.getReport().toJson());
    return 0;
}

int RenderJob::runBatch()
{
    if (! options.outDir.isDirectory() && ! options.outDir.createDirectory().wasOk())
    {
        console.fail ("cannot create the folder '" + options.outDir.getFullPathName() + "'");
        return 1;
    }

    // The settings are the same for every file: configured once here, a bad one fails the batch
    // before any file, and its warnings and the listings appear once.
    {
        LUMIVOXAudioProcessor processor;
        juce::String error;
        if (! configure (processor, 2, error))
        {
            console.fail (error);
            return 1;
        }
        printListings (processor);
    }

    const auto count = options.targets.size();
    std::vector<double> weights (count);
    double totalWeight = 0.0;
    for (size_t i = 0; i < count; ++i)
        totalWeight += weights[i] = (double) juce::jmax ((juce::int64) 1, TargetRender::lengthOf (options.targets[i]));

    std::vector<std::atomic<double>> done (count);
    std::atomic<size_t> next { 0 }, finished { 0 };
    std::atomic<int> failures { 0 };
    juce::WaitableEvent fileFinished;

    // Each file on a processor of its own, so that a render never depends on which files
    // went before it on the same thread.
    const auto renderFiles = [&]
    {
        for (size_t i = next++; i < count; i = next++)
        {
            const auto& target = options.targets[i];
            juce::String error;
            bool ok = false;
            {
                LUMIVOXAudioProcessor processor;
                TargetRender render (options, target, console, "'" + target.inputName() + "': ");
                const auto configureThis = [this] (LUMIVOXAudioProcessor& p, int channels, juce::String& e)
                { return configure (p, channels, e, false); };
                ok = render.render (processor, configureThis, [&done, i] (double f) { done[i] = f; }, error)
                     && render.commit (error);
                if (ok && options.json)
                    console.print (render.getReport().toJson());
            }
            done[i] = 1.0;
            ++finished;
            fileFinished.signal();
            if (! ok)
            {
                ++failures;
                // Most reasons name the file already; the others get its name in front.
                console.fail (error.contains (target.inputName()) ? error : "'" + target.inputName() + "': " + error);
                if (options.json)
                    console.print (RenderReport::failureToJson (target.inputName(), target.outputName(), error));
            }
        }
    };

    std::vector<std::thread> workers;
    const auto threads = (size_t) juce::jmin ((int) count, options.jobs);
    for (size_t t = 0; t < threads; ++t)
        workers.emplace_back (renderFiles);

    {
        ProgressMeter meter;
        const auto fraction = [&]
        {
            double sum = 0.0;
            for (size_t i = 0; i < count; ++i)
                sum += weights[i] * done[i];
            return sum / totalWeight;
        };
        // Woken by each finished file, so a batch of short files does not wait on the bar.
        while (finished < count)
        {
            meter.update (fraction());
            fileFinished.wait (100);
        }
        meter.update (1.0);
    }

    for (auto& worker : workers)
        worker.join();
    return failures > 0 ? 1 : 0;
}

bool RenderJob::configure (LUMIVOXAudioProcessor& processor, int channels, juce::String& error, bool reportWarnings)
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
        if (const auto warning = ProcessorConfiguration::applyParameter (processor, assignment);
            warning.isNotEmpty() && reportWarnings)
            console.warn (warning);

    for (const auto& id : options.randomize)
        if (id == "rack")
            processor.randomizeRack();
        else
            processor.randomizeFx (id, true);

    return true;
}
