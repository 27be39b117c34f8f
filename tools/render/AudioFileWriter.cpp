#include "AudioFileWriter.h"

#include "AiffFileWriter.h"
#include "DitheredFileWriter.h"
#include "FlacFileWriter.h"
#include "WaveFileWriter.h"

std::unique_ptr<AudioFileWriter> AudioFileWriter::create (const OutputFormat& format, const juce::File& file,
                                                          int channels, double sampleRate, juce::String& error)
{
    const auto opened = [&] (auto writer) -> std::unique_ptr<AudioFileWriter>
    {
        if (! writer->open (file))
        {
            error = writer->getError();
            return nullptr;
        }
        if (format.isFloat())
            return writer;
        return std::make_unique<DitheredFileWriter> (std::move (writer), channels, format.bits);
    };

    switch (format.container)
    {
        case OutputFormat::Container::wav: return opened (std::make_unique<WaveFileWriter> (channels, sampleRate, format.bits));
        case OutputFormat::Container::aiff: return opened (std::make_unique<AiffFileWriter> (channels, sampleRate, format.bits));
        case OutputFormat::Container::flac: return opened (std::make_unique<FlacFileWriter> (channels, sampleRate, format.bits));
    }
    return nullptr;
}
