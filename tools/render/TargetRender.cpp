#include "TargetRender.h"

#include "AudioFileWriter.h"
#include "AutomationTimeline.h"
#include "SignalStats.h"
#include "StandardStreams.h"

namespace
{
// The input as the render reads it, measured on the way.
class MeasuredSource final : public RenderSource
{
public:
    explicit MeasuredSource (RenderSource& s) : source (s) {}

    juce::int64 getLengthInFrames() const override { return source.getLengthInFrames(); }

    bool read (juce::AudioBuffer<float>& destination, int startInDestination, int numFrames,
               juce::String& error) override
    {
        if (! source.read (destination, startInDestination, numFrames, error))
            return false;
        stats.add (destination, startInDestination, numFrames);
        return true;
    }

    SignalStats stats;

private:
    RenderSource& source;
};

// The output encoded into its file as it comes, measured on the way.
class EncodingSink final : public RenderSink
{
public:
    explicit EncodingSink (AudioFileWriter& w) : writer (w) {}

    bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames, juce::String& error) override
    {
        stats.add (source, startFrame, numFrames);
        if (writer.write (source, startFrame, numFrames))
            return true;
        error = writer.getError();
        return false;
    }

    SignalStats stats;

private:
    AudioFileWriter& writer;
};

juce::StringArray splitIds (const juce::String& commaSeparated)
{
    juce::StringArray ids;
    ids.addTokens (commaSeparated, ",", {});
    ids.trim();
    ids.removeEmptyStrings();
    return ids;
}
} // namespace

TargetRender::TargetRender (const RenderOptions& o, const RenderTarget& t, RenderConsole& c, juce::String prefix)
    : options (o), target (t), console (c), warningPrefix (std::move (prefix)), destination (t)
{
}

juce::int64 TargetRender::lengthOf (const RenderTarget& target)
{
    if (target.fromStandardInput)
        return 0;
    InputAudioFile file;
    juce::String ignored;
    return file.open (target.input, target.inputName(), false, ignored) ? file.getLengthInFrames() : 0;
}

void TargetRender::warn (const juce::String& message)
{
    console.warn (warningPrefix + message);
}

bool TargetRender::openInput (juce::String& error)
{
    if (! target.fromStandardInput)
        return input.open (target.input, target.inputName(), false, error);

    spooledInput = std::make_unique<juce::TemporaryFile> (".wav");
    return StandardStreams::spoolStandardInput (spooledInput->getFile(), error)
           && input.open (spooledInput->getFile(), target.inputName(), true, error);
}

bool TargetRender::render (LUMIVOXAudioProcessor& processor, const Configure& configure,
                           const OfflineRender::Progress& progress, juce::String& error)
{
    if (! openInput (error))
        return false;
    if (input.getShortfallWarning().isNotEmpty())
        warn (input.getShortfallWarning());

    const int channels = input.getNumChannels();
    const double sampleRate = input.getSampleRate();
    if (! configure (processor, channels, error))
        return false;

    OfflineRenderSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = options.blockSize;
    settings.preparedBlockSize = options.preparedBlockSize;
    settings.tailFrames = (int) std::llround (options.tailSeconds * sampleRate);
    settings.keepLatency = options.keepLatency;
    settings.bypass = options.bypass;
    settings.transport = options.transport;
    settings.bpm = options.bpm;
    settings.ppq = options.ppq;

    AutomationTimeline automation (processor, options.timedChanges, options.automation, sampleRate,
                                   input.getLengthInFrames() + (juce::int64) settings.tailFrames);
    for (const auto& warning : automation.takeWarnings())
        warn (warning);

    const auto writer = AudioFileWriter::create (target.format, destination.getTemporary(), channels, sampleRate, error);
    if (writer == nullptr)
        return false;

    MeasuredSource source (input);
    EncodingSink sink (*writer);
    OfflineRenderResult result;
    if (! OfflineRender::run (processor, channels, source, sink, settings, result, error, progress, &automation))
        return false;
    if (! writer->finish())
    {
        error = writer->getError();
        return false;
    }

    for (const auto& warning : automation.takeWarnings())
        warn (warning);
    if (result.latencyChanged)
        warn ("the processor's latency changed during the render (an effect with latency was inserted or removed); OUT is "
              "aligned to the latency at the start, " + juce::String (result.latencySamples) + " samples");
    if (sink.stats.getNonFiniteSamples() > 0)
        warn ("the output has " + juce::String (sink.stats.getNonFiniteSamples()) + " non-finite samples");

    report.input = target.inputName();
    report.output = target.outputName();
    report.sampleRate = sampleRate;
    report.channels = channels;
    report.frames = result.outputFrames;
    report.renderedFrames = result.renderedFrames;
    report.latencySamples = result.latencySamples;
    report.tailSeconds = options.tailSeconds;
    report.processSeconds = result.processSeconds;
    report.inputPeak = source.stats.getPeak();
    report.outputPeak = sink.stats.getPeak();
    report.outputRms = sink.stats.getRms();
    report.nonFiniteSamples = sink.stats.getNonFiniteSamples();
    report.automationEvents = automation.getAppliedCount();
    report.insertedFx = processor.getInsertedFxOrder();
    report.rackOrder = splitIds (processor.getRack().orderString());
    return true;
}
