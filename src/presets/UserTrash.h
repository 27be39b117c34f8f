#pragma once

#include <juce_core/juce_core.h>

// Moves a file into the freedesktop.org trash ($XDG_DATA_HOME/Trash, or ~/.local/share/Trash),
// with its .trashinfo entry, so file managers show it and can restore it. The framework's
// own move-to-trash fails on desktops that have not created the trash folder yet.
namespace UserTrash
{
juce::File trashFolder();

// False, with the file left where it was, when it cannot be moved.
bool moveToTrash (const juce::File& file);
} // namespace UserTrash
