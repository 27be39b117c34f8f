#include "RenderTestSupport.h"

// The renderer's files: the formats it writes, pipes, many files at once, inputs cut short,
// and memory that stays flat however long the file.
using namespace render_testing;

namespace
{
constexpr double rate = 48000.0;
constexpr int frames = 24000; // 0.5 s

juce::String describe (const juce::StringArray& args)
{
    return "args: [" + args.joinIntoString ("] [") + "]";
}

struct Decoded
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 0.0;
    int bits = 0;
    bool isFloat = false;
    juce::String formatName;
};

std::optional<Decoded> decode (const juce::File& file)
{
    // By content, whatever the extension says.
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    const std::unique_ptr<juce::AudioFormatReader> reader (
        formats.createReaderFor (std::make_unique<juce::FileInputStream> (file)));
    if (reader == nullptr)
        return std::nullopt;
    Decoded d;
    d.sampleRate = reader->sampleRate;
    d.bits = (int) reader->bitsPerSample;
    d.isFloat = reader->usesFloatingPointData;
    d.formatName = reader->getFormatName();
    d.samples.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);
    if (! reader->read (&d.samples, 0, (int) reader->lengthInSamples, 0, true, true))
        return std::nullopt;
    return d;
}

float peakDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    float peak = 0.0f;
    for (int ch = 0; ch < juce::jmin (a.getNumChannels(), b.getNumChannels()); ++ch)
        for (int i = 0; i < juce::jmin (a.getNumSamples(), b.getNumSamples()); ++i)
            peak = juce::jmax (peak, std::abs (a.getSample (ch, i) - b.getSample (ch, i)));
    return peak;
}

// What sox says when it reads the file: its warnings go to standard error.
juce::String soxComplaints (const juce::File& file, const ScratchFolder& scratch)
{
    const auto run = runShell ("sox " + shellQuoted (file.getFullPathName()) + " -n stat", scratch);
    juce::StringArray complaints;
    for (const auto& line : juce::StringArray::fromLines (run.err))
        if (line.containsIgnoreCase ("warn") || line.containsIgnoreCase ("fail") || line.containsIgnoreCase ("error"))
            complaints.add (line);
    if (run.exitCode != 0)
        complaints.add ("sox exit " + juce::String (run.exitCode));
    return complaints.joinIntoString ("\n");
}

juce::Array<juce::var> jsonLines (const juce::String& text)
{
    juce::Array<juce::var> objects;
    for (const auto& line : juce::StringArray::fromLines (text.trim()))
        objects.add (juce::JSON::parse (line));
    return objects;
}
} // namespace

TEST (RenderFiles, EveryFormatIsWrittenAtItsDepthAndReadBySoxWithoutAWarning)
{
    struct Case
    {
        const char* out;
        juce::StringArray args;
        const char* formatName;
        int bits;
        bool isFloat;
    };

    const Case cases[] = {
        { "out.wav", {}, "WAV file", 32, true },
        { "out.wav", { "--bits", "24" }, "WAV file", 24, false },
        { "out.wav", { "--bits", "16" }, "WAV file", 16, false },
        { "out.aiff", {}, "AIFF file", 32, true },
        { "out.aif", { "--bits", "24" }, "AIFF file", 24, false },
        { "out.sound", { "--format", "aiff", "--bits", "16" }, "AIFF file", 16, false },
        { "out.flac", {}, "FLAC file", 24, false },
        { "out.flac", { "--bits", "16" }, "FLAC file", 16, false },
        { "out.wav", { "--format", "flac" }, "FLAC file", 24, false },
    };

    for (const int channels : { 1, 2 })
        for (const auto& c : cases)
        {
            SCOPED_TRACE (describe (c.args).toStdString() + " " + c.out + ", channels " + juce::String (channels).toStdString());
            ScratchFolder scratch;
            const auto input = testSignal (channels, frames + 1, rate); // an odd length pads 24-bit mono chunks
            ASSERT_TRUE (writeWav (scratch.file ("in.wav"), input, rate));

            auto args = c.args;
            args.addArray ({ "--fx", "", scratch.file ("in.wav").getFullPathName(), scratch.file (c.out).getFullPathName() });
            const auto run = runRenderer (args, scratch);
            ASSERT_EQ (run.exitCode, 0) << run.err;

            const auto decoded = decode (scratch.file (c.out));
            ASSERT_TRUE (decoded.has_value());
            EXPECT_EQ (decoded->formatName, c.formatName);
            EXPECT_EQ (decoded->bits, c.bits);
            EXPECT_EQ (decoded->isFloat, c.isFloat);
            EXPECT_EQ (decoded->sampleRate, rate);
            EXPECT_EQ (decoded->samples.getNumChannels(), channels);
            EXPECT_EQ (decoded->samples.getNumSamples(), input.getNumSamples());

            // Float is exact; integers are within their dither (one step either way) and rounding.
            const float step = 1.0f / (float) (1 << (c.bits - 1));
            EXPECT_LE (peakDifference (decoded->samples, input), c.isFloat ? 0.0f : 1.5f * step + 1.0e-9f);
            EXPECT_EQ (soxComplaints (scratch.file (c.out), scratch), "");
        }
}

TEST (RenderFiles, StandardInputAndOutputCarryAWav)
{
    ScratchFolder scratch;
    const auto in = scratch.file ("in.wav");
    ASSERT_TRUE (writeWav (in, testSignal (2, frames, rate), rate, 16));
    const juce::StringArray sound { "--preset", "NEON ORBIT" };

    auto fileArgs = sound;
    fileArgs.addArray ({ in.getFullPathName(), scratch.file ("file.wav").getFullPathName() });
    ASSERT_EQ (runRenderer (fileArgs, scratch).exitCode, 0);

    // A warning on the way (a clamped value) stays on standard error, off the audio.
    struct Case
    {
        const char* name;
        juce::String line;
    };
    const auto render = rendererCommand (sound);
    const auto quoted = [&] (const char* name) { return shellQuoted (scratch.file (name).getFullPathName()); };
    const Case cases[] = {
        { "piped-in.wav", render + " - " + quoted ("piped-in.wav") + " <" + quoted ("in.wav") },
        { "piped-out.wav", render + " " + quoted ("in.wav") + " - >" + quoted ("piped-out.wav") },
        { "piped-both.wav", "cat " + quoted ("in.wav") + " | " + render + " - - | cat >" + quoted ("piped-both.wav") },
        // sox writes a header before it knows the length; the renderer reads to the end regardless.
        { "from-sox.wav", "sox " + quoted ("in.wav") + " -t wav - | " + render + " - " + quoted ("from-sox.wav") },
        { "warned.wav", rendererCommand ({ "--preset", "NEON ORBIT", "--set", "delayMix=400", "-", "-" }) + " <"
                            + quoted ("in.wav") + " >" + quoted ("warned.wav") },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto run = runShell (c.line, scratch);
        EXPECT_EQ (run.exitCode, 0) << run.err;
        const auto got = decode (scratch.file (c.name));
        const auto reference = decode (scratch.file ("file.wav"));
        ASSERT_TRUE (got.has_value() && reference.has_value());
        if (juce::String (c.name) == "warned.wav")
        {
            EXPECT_TRUE (run.err.contains ("delayMix")) << run.err;
            EXPECT_EQ (got->samples.getNumSamples(), frames);
        }
        else
        {
            EXPECT_EQ (run.err, "");
            EXPECT_EQ (countDifferences (got->samples, reference->samples), 0);
        }
    }
}

TEST (RenderFiles, AnInputCutShortRendersWhatItHoldsWithAWarning)
{
    ScratchFolder scratch;
    const auto whole = scratch.file ("whole.wav");
    ASSERT_TRUE (writeWav (whole, testSignal (2, frames, rate), rate, 16));

    juce::MemoryBlock bytes;
    ASSERT_TRUE (whole.loadFileAsData (bytes));
    juce::int64 dataStart = 0;
    for (size_t i = 12; i + 4 <= bytes.getSize() && dataStart == 0; ++i)
        if (std::memcmp (static_cast<const char*> (bytes.getData()) + i, "data", 4) == 0)
            dataStart = (juce::int64) i + 8;
    ASSERT_GT (dataStart, 0);

    struct Case
    {
        const char* name;
        juce::int64 keptFrames;
    };
    const Case cases[] = { { "cut.wav", 1000 }, { "halfframe.wav", 500 }, { "headeronly.wav", 0 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto cut = bytes;
        // The half-frame case ends two bytes into a frame.
        cut.setSize ((size_t) (dataStart + 4 * c.keptFrames + (juce::String (c.name) == "halfframe.wav" ? 2 : 0)));
        ASSERT_TRUE (scratch.file (c.name).replaceWithData (cut.getData(), cut.getSize()));

        const auto present = c.keptFrames;
        const auto run = runRenderer ({ "--fx", "", scratch.file (c.name).getFullPathName(),
                                        scratch.file ("out.wav").getFullPathName() },
                                      scratch);
        EXPECT_EQ (run.exitCode, 0) << run.err;
        EXPECT_TRUE (run.err.contains (scratch.file (c.name).getFullPathName())) << run.err;
        EXPECT_TRUE (run.err.contains ("read " + juce::String (present) + " of " + juce::String (frames) + " frames"))
            << run.err;
        const auto out = decode (scratch.file ("out.wav"));
        ASSERT_TRUE (out.has_value());
        EXPECT_EQ (out->samples.getNumSamples(), present);
    }

    // A complete file says nothing.
    const auto run = runRenderer ({ whole.getFullPathName(), scratch.file ("out.wav").getFullPathName() }, scratch);
    EXPECT_EQ (run.exitCode, 0);
    EXPECT_EQ (run.err, "");
}

TEST (RenderBatch, SixFilesAtOnceEqualSixSingleRenders)
{
    ScratchFolder scratch;
    juce::StringArray inputs;
    for (int i = 0; i < 6; ++i)
    {
        // Different lengths, channel counts and rates, so that no file is a copy of another.
        const auto name = "take" + juce::String (i) + ".wav";
        const double fileRate = i % 3 == 0 ? 44100.0 : rate;
        ASSERT_TRUE (writeWav (scratch.file (name), testSignal (1 + i % 2, frames / 2 + 997 * i, fileRate, 0.1f * (float) (i + 1)),
                               fileRate));
        inputs.add (scratch.file (name).getFullPathName());
    }

    // The clamped value is worth one warning for the batch, not one per file.
    const juce::StringArray sound { "--preset", "GLITCH BLOOM", "--tail", "0.2", "--bits", "24", "--set", "delayMix=400" };
    auto batch = sound;
    batch.addArray ({ "--out-dir", scratch.file ("batch").getFullPathName(), "--jobs", "2", "--json" });
    batch.addArray (inputs);
    const auto run = runRenderer (batch, scratch);
    ASSERT_EQ (run.exitCode, 0) << run.err;
    EXPECT_EQ (juce::StringArray::fromLines (run.err.trim()).size(), 1) << run.err;

    const auto lines = jsonLines (run.out);
    ASSERT_EQ (lines.size(), 6);
    juce::StringArray reported;
    for (const auto& line : lines)
        reported.add (line["input"].toString());
    reported.sort (false);
    auto sortedInputs = inputs;
    sortedInputs.sort (false);
    EXPECT_EQ (reported, sortedInputs);

    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE (inputs[i]);
        auto single = sound;
        single.addArray ({ inputs[i], scratch.file ("single.wav").getFullPathName() });
        ASSERT_EQ (runRenderer (single, scratch).exitCode, 0);

        juce::MemoryBlock a, b;
        ASSERT_TRUE (scratch.file ("single.wav").loadFileAsData (a));
        ASSERT_TRUE (scratch.file ("batch/take" + juce::String (i) + ".wav").loadFileAsData (b));
        EXPECT_TRUE (a == b) << "the batch's file differs from the single render";
    }
}

TEST (RenderBatch, AFailingFileIsNamedAndTheOthersStillRender)
{
    ScratchFolder scratch;
    ASSERT_TRUE (writeWav (scratch.file ("good.wav"), testSignal (2, frames, rate), rate));
    ASSERT_TRUE (scratch.file ("notes.wav").replaceWithText ("not audio"));
    const auto missing = scratch.file ("missing.wav").getFullPathName();

    const auto run = runRenderer ({ "--out-dir", scratch.file ("out").getFullPathName(), "--json", "--format", "flac",
                                    scratch.file ("notes.wav").getFullPathName(), missing,
                                    scratch.file ("good.wav").getFullPathName() },
                                  scratch);
    EXPECT_EQ (run.exitCode, 1);
    EXPECT_TRUE (run.err.contains ("cannot read '" + missing + "': no such file")) << run.err;
    EXPECT_TRUE (run.err.contains ("cannot read '" + scratch.file ("notes.wav").getFullPathName() + "'")) << run.err;
    EXPECT_TRUE (decode (scratch.file ("out/good.flac")).has_value());
    EXPECT_FALSE (scratch.file ("out/notes.flac").exists());
    EXPECT_FALSE (scratch.file ("out/missing.flac").exists());

    int failed = 0;
    for (const auto& line : jsonLines (run.out))
        failed += line.hasProperty ("error") ? 1 : 0;
    EXPECT_EQ (failed, 2) << run.out;

    // A file where the folder should be is a bad command line; nothing is written.
    ASSERT_TRUE (scratch.file ("taken").replaceWithText ("keep me"));
    const auto refused = runRenderer ({ "--out-dir", scratch.file ("taken").getFullPathName(),
                                        scratch.file ("good.wav").getFullPathName() },
                                      scratch);
    EXPECT_EQ (refused.exitCode, 2);
    EXPECT_TRUE (refused.err.contains ("is a file, not a folder")) << refused.err;
    EXPECT_EQ (scratch.file ("taken").loadFileAsString(), "keep me");

    // Settings no file can render with fail the batch once, before any file.
    const auto unknown = runRenderer ({ "--preset", "NO SUCH SOUND", "--out-dir", scratch.file ("none").getFullPathName(),
                                        scratch.file ("good.wav").getFullPathName(), missing },
                                      scratch);
    EXPECT_EQ (unknown.exitCode, 1);
    EXPECT_EQ (juce::StringArray::fromLines (unknown.err.trim()).size(), 1) << unknown.err;
    EXPECT_EQ (scratch.file ("none").getNumberOfChildFiles (juce::File::findFiles), 0);
}

// The render streams: a long file needs no more memory than a short one. Peak resident
// memory is the kernel's count for the finished child.
TEST (RenderFiles, MemoryStaysFlatHoweverLongTheFile)
{
    ScratchFolder scratch;
    const auto peakKilobytes = [&] (const char* seconds)
    {
        const auto in = scratch.file (juce::String ("in-") + seconds + ".wav");
        const auto made = runShell ("sox -n -r 48000 -c 2 -b 16 " + shellQuoted (in.getFullPathName()) + " synth " + seconds
                                        + " pinknoise vol 0.3",
                                    scratch);
        EXPECT_EQ (made.exitCode, 0) << made.err;
        const auto measured = runShell (
            "python3 -c 'import resource, subprocess, sys; subprocess.run(sys.argv[1:], check=True); "
            "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "
                + rendererCommand ({ "--preset", "NEON ORBIT", in.getFullPathName(), scratch.file ("out.wav").getFullPathName() }),
            scratch);
        EXPECT_EQ (measured.exitCode, 0) << measured.err;
        in.deleteFile();
        return measured.out.trim().getLargeIntValue();
    };

    const auto shortPeak = peakKilobytes ("5");
    const auto longPeak = peakKilobytes ("300"); // holding it would take 110 MB in and as much out
    EXPECT_GT (shortPeak, 0);
    EXPECT_LT (longPeak - shortPeak, 20 * 1024) << "5 s: " << shortPeak << " kB, 300 s: " << longPeak << " kB";
}

TEST (RenderFiles, LoudnessAgreesWithFfmpegAndMatchingBringsTheOutputToTheInput)
{
    ScratchFolder scratch;
    const auto quoted = [&] (const char* name) { return shellQuoted (scratch.file (name).getFullPathName()); };
    ASSERT_EQ (runShell ("sox -n -r 48000 -c 2 " + quoted ("tone.wav") + " synth 10 sine 997 vol 0.1", scratch).exitCode, 0);
    ASSERT_EQ (runShell ("sox -n -r 48000 -c 2 " + quoted ("square.wav") + " synth 10 square 100 vol 0.98", scratch).exitCode, 0);

    // The tone through an empty rack, measured by the renderer and by ffmpeg's EBU R128 filter.
    const auto run = runRenderer ({ "--fx", "", "--json", scratch.file ("tone.wav").getFullPathName(),
                                    scratch.file ("tone-out.wav").getFullPathName() },
                                  scratch);
    ASSERT_EQ (run.exitCode, 0) << run.err;
    const auto json = juce::JSON::parse (run.out);
    const auto ffmpeg = runShell ("ffmpeg -nostdin -nostats -hide_banner -i " + quoted ("tone-out.wav")
                                      + " -filter_complex ebur128=peak=true -f null - 2>&1 | grep -E '^ +(I|Peak):' | tail -2",
                                  scratch);
    const auto lines = juce::StringArray::fromLines (ffmpeg.out.trim());
    ASSERT_EQ (lines.size(), 2) << ffmpeg.out; // the summary's integrated loudness and true peak
    const double ffmpegLoudness = lines[0].fromFirstOccurrenceOf ("I:", false, false).trim().getDoubleValue();
    const double ffmpegTruePeak = lines[1].fromFirstOccurrenceOf ("Peak:", false, false).trim().getDoubleValue();
    EXPECT_NEAR ((double) json["outputLoudness"], ffmpegLoudness, 0.3);
    EXPECT_NEAR ((double) json["inputLoudness"], -20.0, 0.1) << "a 997 Hz sine at -20 dBFS reads -20 LUFS";
    EXPECT_NEAR ((double) json["outputTruePeak"], ffmpegTruePeak, 0.3);

    struct Case
    {
        const char* in;
        juce::StringArray sound;
        bool limited;
    };
    const Case cases[] = {
        { "tone.wav", { "--preset", "PLASTIC VOCAL" }, false },
        { "tone.wav", { "--fx", "", "--set", "output=12" }, false },
        // A square wave near full scale turned down: bringing it back up would pass -1 dBTP.
        { "square.wav", { "--fx", "", "--set", "output=-24" }, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (describe (c.sound).toStdString());
        auto args = c.sound;
        args.addArray ({ "--match-loudness", "--json", "--bits", "24", scratch.file (c.in).getFullPathName(),
                         scratch.file ("matched.wav").getFullPathName() });
        const auto matched = runRenderer (args, scratch);
        ASSERT_EQ (matched.exitCode, 0) << matched.err;
        const auto m = juce::JSON::parse (matched.out);
        EXPECT_LE ((double) m["outputTruePeak"], -1.0 + 0.05);
        if (c.limited)
        {
            EXPECT_LT ((double) m["outputLoudness"], (double) m["inputLoudness"] - 0.5);
            EXPECT_TRUE (matched.err.contains ("-1.0 dBTP")) << matched.err;
        }
        else
        {
            EXPECT_NEAR ((double) m["outputLoudness"], (double) m["inputLoudness"], 0.1);
            EXPECT_EQ (matched.err, "");
        }
    }

    // Silence has no loudness: null, and the match leaves it alone.
    ASSERT_EQ (runShell ("sox -n -r 48000 -c 2 " + quoted ("silence.wav") + " trim 0 1", scratch).exitCode, 0);
    const auto silent = runRenderer ({ "--match-loudness", "--json", scratch.file ("silence.wav").getFullPathName(),
                                       scratch.file ("silent-out.wav").getFullPathName() },
                                     scratch);
    EXPECT_EQ (silent.exitCode, 0) << silent.err;
    EXPECT_TRUE (silent.out.contains ("\"inputLoudness\": null")) << silent.out;
}
