#include "presets/UserTrash.h"

namespace UserTrash
{
namespace
{
// Percent-encodes a path for the Path= line, keeping unreserved characters and slashes.
juce::String encodedPath (const juce::String& path)
{
    juce::String encoded;
    const auto* bytes = path.toRawUTF8();
    for (size_t i = 0; bytes[i] != 0; ++i)
    {
        const auto c = (unsigned char) bytes[i];
        if (juce::CharacterFunctions::isLetterOrDigit ((char) c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~')
            encoded << (char) c;
        else
            encoded << "%" << juce::String::toHexString ((int) c).paddedLeft ('0', 2).toUpperCase();
    }
    return encoded;
}
} // namespace

juce::File trashFolder()
{
    const auto dataHome = juce::SystemStats::getEnvironmentVariable ("XDG_DATA_HOME", {});
    const auto base = juce::File::isAbsolutePath (dataHome)
                          ? juce::File (dataHome)
                          : juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".local/share");
    return base.getChildFile ("Trash");
}

bool moveToTrash (const juce::File& file)
{
    if (! file.existsAsFile())
        return false;

    const auto trash = trashFolder();
    const auto files = trash.getChildFile ("files");
    const auto info = trash.getChildFile ("info");
    if (! files.createDirectory() || ! info.createDirectory())
        return false;

    // A name that is free in both folders; the info entry is written first, as it claims the name.
    auto name = file.getFileName();
    for (int n = 2; files.getChildFile (name).exists() || info.getChildFile (name + ".trashinfo").exists(); ++n)
        name = file.getFileNameWithoutExtension() + "." + juce::String (n) + file.getFileExtension();

    const auto entry = info.getChildFile (name + ".trashinfo");
    const auto text = "[Trash Info]\nPath=" + encodedPath (file.getFullPathName()) + "\nDeletionDate="
                      + juce::Time::getCurrentTime().formatted ("%Y-%m-%dT%H:%M:%S") + "\n";
    if (! entry.replaceWithText (text, false, false, "\n"))
        return false;

    if (file.moveFileTo (files.getChildFile (name)))
        return true;
    entry.deleteFile();
    return false;
}
} // namespace UserTrash
