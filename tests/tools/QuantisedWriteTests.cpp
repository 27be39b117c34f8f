#include "QuantisedWrite.h"
#include "RenderTestSupport.h"

#include <cmath>
#include <limits>

TEST (QuantisedWrite, EveryCodeReadsBackAsWrittenInEachIntegerFormat)
{
    struct Case
    {
        const char* extension;
        int bits;
    };

    const Case cases[] = { { "wav", 16 }, { "wav", 24 }, { "flac", 16 }, { "flac", 24 }, { "aiff", 16 }, { "aiff", 24 } };

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.extension) + " " + juce::String (c.bits));
        const double codesPerUnit = std::ldexp (1.0, c.bits - 1);

        // A ramp from the lowest code to the highest (every one of them at 16 bits), forwards
        // on the left and backwards on the right, then samples that are not codes at all.
        constexpr int rampLength = 65536;
        std::vector<double> codes;
        for (int i = 0; i < rampLength; ++i)
            codes.push_back (std::round (-codesPerUnit + i * (2.0 * codesPerUnit - 1.0) / (rampLength - 1)));
        struct OffGrid
        {
            float sample;
            double code;
        };
        const OffGrid offGrid[] = {
            { (float) (1234.3 / codesPerUnit), 1234.0 },  { (float) (-1234.7 / codesPerUnit), -1235.0 },
            { 2.0f, codesPerUnit - 1.0 },                 { -2.0f, -codesPerUnit },
            { std::numeric_limits<float>::quiet_NaN(), 0.0 },
        };

        const int frames = rampLength + (int) std::size (offGrid);
        juce::AudioBuffer<float> samples (2, frames);
        std::vector<double> expected[2];
        for (int i = 0; i < rampLength; ++i)
        {
            samples.setSample (0, i, (float) (codes[(size_t) i] / codesPerUnit));
            samples.setSample (1, i, (float) (codes[(size_t) (rampLength - 1 - i)] / codesPerUnit));
            expected[0].push_back (codes[(size_t) i]);
            expected[1].push_back (codes[(size_t) (rampLength - 1 - i)]);
        }
        for (size_t k = 0; k < std::size (offGrid); ++k)
            for (int ch = 0; ch < 2; ++ch)
            {
                samples.setSample (ch, rampLength + (int) k, offGrid[k].sample);
                expected[ch].push_back (offGrid[k].code);
            }

        render_testing::ScratchFolder scratch;
        const auto file = scratch.file (juce::String ("out.") + c.extension);
        auto* format = formats.findFormatForFileExtension (c.extension);
        ASSERT_NE (format, nullptr);
        {
            auto stream = std::make_unique<juce::FileOutputStream> (file);
            ASSERT_TRUE (stream->openedOk());
            std::unique_ptr<juce::AudioFormatWriter> writer (format->createWriterFor (stream.get(), 48000.0, 2, c.bits, {}, 0));
            ASSERT_NE (writer, nullptr);
            stream.release();

            // In uneven pieces, so no piece lines up with the writer's own chunks.
            constexpr int pieceLength = 1000;
            for (int start = 0; start < frames; start += pieceLength)
                ASSERT_TRUE (QuantisedWrite::write (*writer, samples, start, juce::jmin (pieceLength, frames - start)));
        }

        // JUCE's readers hand back integers left-justified in 32 bits.
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));
        ASSERT_NE (reader, nullptr);
        ASSERT_EQ (reader->lengthInSamples, frames);
        std::vector<int> read[2] = { std::vector<int> ((size_t) frames), std::vector<int> ((size_t) frames) };
        int* const channels[] = { read[0].data(), read[1].data() };
        ASSERT_TRUE (reader->read (channels, 2, 0, frames, false));

        const double justify = std::ldexp (1.0, 32 - c.bits);
        int wrong = 0;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < frames; ++i)
                wrong += (double) read[ch][(size_t) i] != expected[ch][(size_t) i] * justify ? 1 : 0;
        EXPECT_EQ (wrong, 0);
    }
}
