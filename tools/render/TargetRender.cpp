#include "TargetRender.h"

#include "AudioFileWriter.h"
#include "AutomationTimeline.h"
#include "LoudnessMatch.h"
#include "LoudnessMeter.h"
#include "SignalStats.h"
#include "StandardStreams.h"

namespace
{
// Level and, when a meter is given, loudness of everything that passes.
struct Measurement
{
    SignalStats stats;
    std::unique_ptr<LoudnessMeter> loudness;

    void add (const juce::AudioBuffer<float>& buffer, int start, int n)
    {
        stats.add (buffer, start, n);
        if (loudness != nullptr)
            loudness->add (buffer, start, n);
    }
};

// The input as the render reads it, measured on the way.
class MeasuredSource final : public RenderSource
{
public:
    MeasuredSource (RenderSource& s, Measurement& m) : source (s), measurement (m) {}

    juce::int64 getLengthInFrames() const override { return source.getLengthInFrames(); }

    bool read (juce::AudioBuffer<float>& destination, int startInDestination, int numFrames,
               juce::String& error) override
    {
        if (! source.read (destination, startInDestination, numFrames, error))
            return false;
        measurement.add (destination, startInDestination, numFrames);
        return true;
    }

private:
    RenderSource& source;
    Measurement& measurement;
};

// The output encoded into its file as it comes, measured on the way.
class EncodingSink final : public RenderSink
{
public:
    EncodingSink (AudioFileWriter& w, Measurement& m) : writer (w), measurement (m) {}

    bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames, juce::String& error) override
    {
        measurement.add (source, startFrame, numFrames);
        if (writer.write (source, startFrame, numFrames))
            return true;
        error = writer.getError();
        return false;
    }

private:
    AudioFileWriter& writer;
    Measurement& measurement;
};

bool finish (AudioFileWriter& writer, juce::String& error)
{
    if (writer.finish())
        return true;
    error = writer.getError();
    return false;
}

// Copies a rendered file into the writer with a gain, block by block.
bool copyWithGain (InputAudioFile& from, float gain, EncodingSink& to, juce::String& error)
{
    constexpr int blockFrames = 1 << 15;
    juce::AudioBuffer<float> block (from.getNumChannels(), blockFrames);
    for (juce::int64 done = 0; done < from.getLengthInFrames();)
    {
        const auto n = (int) juce::jmin ((juce::int64) blockFrames, from.getLengthInFrames() - done);
        if (! from.read (block, 0, n, error))
            return false;
        block.applyGain (0, n, gain);
        if (! to.write (block, 0, n, error))
            return false;
        done += n;
    }
    return true;
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

    // Loudness costs time, so it is only measured when asked for.
    const bool measuresLoudness = (options.json || options.matchLoudness) && LoudnessMeter::supports (channels, sampleRate);
    if (options.matchLoudness && ! measuresLoudness)
        warn ("loudness cannot be measured at " + juce::String (sampleRate) + " Hz; --match-loudness leaves the level as it is");
    const auto meter = [&] (LoudnessMeter::Reading reading)
    { return measuresLoudness ? std::make_unique<LoudnessMeter> (channels, sampleRate, reading) : nullptr; };
    const auto outputReading = LoudnessMeter::Reading::loudnessAndTruePeak;

    Measurement in, out;
    in.loudness = meter (LoudnessMeter::Reading::loudness);
    MeasuredSource source (input, in);
    OfflineRenderResult result;

    const auto writer = AudioFileWriter::create (target.format, destination.getTemporary(), channels, sampleRate, error);
    if (writer == nullptr)
        return false;

    if (! (options.matchLoudness && measuresLoudness))
    {
        out.loudness = meter (outputReading);
        EncodingSink sink (*writer, out);
        if (! OfflineRender::run (processor, channels, source, sink, settings, result, error, progress, &automation)
            || ! finish (*writer, error))
            return false;
    }
    else
    {
        // The gain depends on the whole output, so it goes first into a float file of its own.
        juce::TemporaryFile unmatched (".wav");
        Measurement rendered;
        rendered.loudness = meter (outputReading);
        {
            const auto floatWriter = AudioFileWriter::create ({ OutputFormat::Container::wav, 32 }, unmatched.getFile(),
                                                              channels, sampleRate, error);
            if (floatWriter == nullptr)
                return false;
            EncodingSink sink (*floatWriter, rendered);
            if (! OfflineRender::run (processor, channels, source, sink, settings, result, error, progress, &automation)
                || ! finish (*floatWriter, error))
                return false;
        }

        const auto match = LoudnessMatch::compute (in.loudness->integratedLufs(), rendered.loudness->integratedLufs(),
                                                   rendered.loudness->truePeakDbtp());
        if (match.message().isNotEmpty())
            warn (match.message());
        report.loudnessGainDb = match.gainDb;

        InputAudioFile renderedFile;
        out.loudness = meter (outputReading);
        EncodingSink sink (*writer, out);
        if (! renderedFile.open (unmatched.getFile(), unmatched.getFile().getFullPathName(), false, error)
            || ! copyWithGain (renderedFile, (float) match.gain, sink, error) || ! finish (*writer, error))
            return false;
    }

    for (const auto& warning : automation.takeWarnings())
        warn (warning);
    if (result.latencyChanged)
        warn ("the processor's latency changed during the render (an effect with latency was inserted or removed); OUT is "
              "aligned to the latency at the start, " + juce::String (result.latencySamples) + " samples");
    if (out.stats.getNonFiniteSamples() > 0)
        warn ("the output has " + juce::String (out.stats.getNonFiniteSamples()) + " non-finite samples");

    report.input = target.inputName();
    report.output = target.outputName();
    report.sampleRate = sampleRate;
    report.channels = channels;
    report.frames = result.outputFrames;
    report.renderedFrames = result.renderedFrames;
    report.latencySamples = result.latencySamples;
    report.tailSeconds = options.tailSeconds;
    report.processSeconds = result.processSeconds;
    report.inputPeak = in.stats.getPeak();
    report.outputPeak = out.stats.getPeak();
    report.outputRms = out.stats.getRms();
    report.nonFiniteSamples = out.stats.getNonFiniteSamples();
    if (measuresLoudness)
    {
        report.inputLoudness = in.loudness->integratedLufs();
        report.outputLoudness = out.loudness->integratedLufs();
        report.outputTruePeak = out.loudness->truePeakDbtp();
    }
    report.automationEvents = automation.getAppliedCount();
    report.insertedFx = processor.getInsertedFxOrder();
    report.rackOrder = processor.getRack().orderIds();
    return true;
}
