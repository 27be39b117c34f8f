#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The container and sample format OUT is written in.
struct OutputFormat
{
    enum class Container
    {
        wav,
        aiff,
        flac
    };

    Container container = Container::wav;
    int bits = 32; // 32 is float; 16 and 24 are integers, dithered

    bool isFloat() const noexcept { return bits == 32; }

    // ".wav", ".aiff" or ".flac": the extension a batch render gives its files.
    juce::String extension() const;

    // "wav", "aiff" or "flac", as --format takes it.
    static juce::String nameOf (Container container);
    static std::optional<Container> containerNamed (const juce::String& name);
    static std::optional<Container> containerForFile (const juce::File& file);

    // The format for OUT from --format and --bits, either of which may be absent: the
    // container defaults to OUT's extension, else WAV; the bits to 32 (WAV, AIFF) or 24 (FLAC).
    static std::optional<OutputFormat> resolve (std::optional<Container> asked, std::optional<int> askedBits,
                                                const juce::File& out, juce::String& error);
};
