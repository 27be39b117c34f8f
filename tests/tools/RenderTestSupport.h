#pragma once

#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <optional>

// Running the built lumivox-render and handling the files it reads and writes.
namespace render_testing
{
// A fresh folder under the system's temporary directory, removed with everything in it.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        const auto name = "lumivox-render-test-" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt());
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile (name, {}, false);
        folder.createDirectory();
    }

    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }

    // Every file in the folder, hidden ones included, sorted.
    juce::StringArray fileNames() const
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFiles, false, "*"))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }

private:
    juce::File folder;
};

struct RunResult
{
    int exitCode = -1;
    juce::String out, err;
};

inline juce::String shellQuoted (const juce::String& text)
{
    return "'" + text.replace ("'", "'\\''") + "'";
}

// Runs a shell command line, standard error apart from standard output (juce::ChildProcess
// can only merge the two).
inline RunResult runShell (juce::String line, const ScratchFolder& scratch)
{
    const auto errFile = scratch.file (".stderr-" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()));
    line = "exec 2>" + shellQuoted (errFile.getFullPathName()) + "; " + line;
    const juce::StringArray command { "/bin/sh", "-c", line };

    RunResult result;
    juce::ChildProcess process;
    if (! process.start (command, juce::ChildProcess::wantStdOut))
        return result;

    result.out = process.readAllProcessOutput();
    if (! process.waitForProcessToFinish (300 * 1000))
    {
        process.kill();
        return result;
    }
    result.exitCode = (int) process.getExitCode();
    result.err = errFile.loadFileAsString();
    errFile.deleteFile();
    return result;
}

// The renderer's command line for the shell, run without a display. The shell is needed
// because juce::ChildProcess drops empty arguments, and "--fx ''" is a real command line.
inline juce::String rendererCommand (const juce::StringArray& args)
{
    juce::String line = "/usr/bin/env -u DISPLAY " + shellQuoted (LUMIVOX_RENDER_BINARY);
    for (const auto& arg : args)
        line << " " << shellQuoted (arg);
    return line;
}

// With stdinFile, standard input comes from that file; with stdoutFile, standard output goes
// there instead of into the result.
inline RunResult runRenderer (const juce::StringArray& args, const ScratchFolder& scratch,
                              const juce::File& stdinFile = {}, const juce::File& stdoutFile = {})
{
    auto line = "exec " + rendererCommand (args);
    if (stdinFile != juce::File())
        line << " <" << shellQuoted (stdinFile.getFullPathName());
    if (stdoutFile != juce::File())
        line << " >" << shellQuoted (stdoutFile.getFullPathName());
    return runShell (line, scratch);
}

// A deterministic test signal: a different sine per channel plus a little noise, so that
// swapped channels or shifted samples cannot go unnoticed.
inline juce::AudioBuffer<float> testSignal (int channels, int frames, double sampleRate, float amplitude = 0.5f)
{
    juce::Random random (42);
    juce::AudioBuffer<float> b (channels, frames);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < frames; ++i)
        {
            const double phase = juce::MathConstants<double>::twoPi * (220.0 * (ch + 1)) * i / sampleRate;
            b.setSample (ch, i, amplitude * (0.9f * (float) std::sin (phase) + 0.1f * (2.0f * random.nextFloat() - 1.0f)));
        }
    return b;
}

inline bool writeWav (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate,
                      int bitsPerSample = 32)
{
    file.deleteFile();
    auto stream = std::make_unique<juce::FileOutputStream> (file);
    if (! stream->openedOk())
        return false;

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (stream.get(), sampleRate, (unsigned int) samples.getNumChannels(), bitsPerSample, {}, 0));
    if (writer == nullptr)
        return false;
    stream.release();
    return writer->writeFromAudioSampleBuffer (samples, 0, samples.getNumSamples());
}

struct WavContents
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 0.0;
    bool isFloat32 = false;
};

inline std::optional<WavContents> readWav (const juce::File& file)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    const std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));
    if (reader == nullptr)
        return std::nullopt;

    WavContents contents;
    contents.sampleRate = reader->sampleRate;
    contents.isFloat32 = reader->bitsPerSample == 32 && reader->usesFloatingPointData;
    contents.samples.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);
    if (! reader->read (&contents.samples, 0, (int) reader->lengthInSamples, 0, true, true))
        return std::nullopt;
    return contents;
}

// Number of samples at which a and b differ (any channel), or -1 when their shapes differ.
inline int countDifferences (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return -1;

    int differences = 0;
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            differences += a.getSample (ch, i) != b.getSample (ch, i) ? 1 : 0;
    return differences;
}

// The first frame at which a and b differ (any channel), or -1 when they are equal. They must
// have the same shape.
inline int firstDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int i = 0; i < juce::jmin (a.getNumSamples(), b.getNumSamples()); ++i)
        for (int ch = 0; ch < juce::jmin (a.getNumChannels(), b.getNumChannels()); ++ch)
            if (a.getSample (ch, i) != b.getSample (ch, i))
                return i;
    return -1;
}

// The current value column of a --list-params line.
inline juce::String listedValue (const juce::String& listing, const juce::String& id)
{
    for (const auto& line : juce::StringArray::fromLines (listing))
        if (line.startsWith (id + "\t"))
            return juce::StringArray::fromTokens (line, "\t", {})[6];
    return {};
}
} // namespace render_testing
