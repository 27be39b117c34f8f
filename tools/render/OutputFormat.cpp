#include "OutputFormat.h"

namespace
{
struct ContainerInfo
{
    OutputFormat::Container container;
    const char* name;
    const char* extension;
    const char* otherExtensions; // also recognised on OUT
    int defaultBits;
    bool floatAllowed;
};

constexpr ContainerInfo containers[] = {
    { OutputFormat::Container::wav, "wav", ".wav", ".wave", 32, true },
    { OutputFormat::Container::aiff, "aiff", ".aiff", ".aif,.aifc", 32, true },
    { OutputFormat::Container::flac, "flac", ".flac", "", 24, false },
};

const ContainerInfo& infoFor (OutputFormat::Container container)
{
    for (const auto& info : containers)
        if (info.container == container)
            return info;
    jassertfalse;
    return containers[0];
}
} // namespace

juce::String OutputFormat::extension() const
{
    return infoFor (container).extension;
}

juce::String OutputFormat::nameOf (Container c)
{
    return infoFor (c).name;
}

std::optional<OutputFormat::Container> OutputFormat::containerNamed (const juce::String& name)
{
    for (const auto& info : containers)
        if (name == info.name)
            return info.container;
    return std::nullopt;
}

std::optional<OutputFormat::Container> OutputFormat::containerForFile (const juce::File& file)
{
    const auto extension = file.getFileExtension().toLowerCase();
    if (extension.isEmpty())
        return std::nullopt;
    for (const auto& info : containers)
        if (extension == info.extension || juce::StringArray::fromTokens (info.otherExtensions, ",", {}).contains (extension))
            return info.container;
    return std::nullopt;
}

std::optional<OutputFormat> OutputFormat::resolve (std::optional<Container> asked, std::optional<int> askedBits,
                                                   const juce::File& out, juce::String& error)
{
    OutputFormat format;
    format.container = asked.value_or (containerForFile (out).value_or (Container::wav));
    const auto& info = infoFor (format.container);
    format.bits = askedBits.value_or (info.defaultBits);

    if (format.isFloat() && ! info.floatAllowed)
    {
        error = "--bits 32 (float) is for WAV and AIFF; " + juce::String (info.name).toUpperCase() + " takes 16 or 24";
        return std::nullopt;
    }
    return format;
}
