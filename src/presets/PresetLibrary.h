#pragma once

#include "presets/PresetManager.h"

class LUMIVOXAudioProcessor;

// The preset library without its view: the factory and user presets in one list, the banks,
// filtering, loading, saving, renaming, deleting, favourites, and whether the live sound was
// edited since it was loaded or saved. The browser, the host's programs and the renderer all
// load through it. Message thread.
class PresetLibrary
{
public:
    enum class Shown { all, factory, user, favourites };

    explicit PresetLibrary (LUMIVOXAudioProcessor& processor);

    // Lists the factory sounds, then every user file, anew. The list stays empty until then, so
    // loading a factory sound by number never looks at the user's folder.
    void refresh();
    const juce::Array<PresetManager::PresetInfo>& presets() const noexcept { return list; }

    // Every preset's category and every user folder, sorted; empty folders included.
    juce::StringArray banks() const;

    // Indices into presets(), in list order. An empty bank matches every bank; the search
    // matches name, category or description, ignoring case.
    juce::Array<int> filter (Shown shown, const juce::String& bank, const juce::String& search) const;

    // The live sound's preset in presets(), or -1.
    int currentIndex() const;

    // Loading replaces the whole sound, synchronises the rack, clears the undo history and
    // records which preset the sound is. A failure leaves the live sound as it was.
    juce::Result load (int index);
    juce::Result loadFactory (int factoryNumber);
    juce::Result loadFile (const juce::File& file);

    // Saves the live sound as `name` in `bank` (a user bank; empty, "USER" or a factory bank
    // mean the top folder). With `overwrite` and a user preset current, writes over that file.
    juce::Result save (const juce::String& name, const juce::String& bank, bool overwrite);
    juce::Result renameCurrent (const juce::String& name);
    // Moves the current user preset to the desktop's trash.
    bool deleteCurrent();
    juce::Result createBank (const juce::String& name);

    juce::StringArray favourites() const;
    bool isFavourite (const PresetManager::PresetInfo& info) const;
    void toggleFavourite (const PresetManager::PresetInfo& info);

    juce::String fingerprint() const;
    bool isEdited() const;

    static constexpr const char* factoryBankPrefix = "FACTORY / ";

    // A name as the user typed it, made fit for a file or folder name.
    static juce::String legalName (const juce::String& text);

private:
    juce::Result finishLoad (const juce::String& key, const juce::String& name);
    void setFavourites (const juce::StringArray& keys);
    void setStateProperty (const juce::Identifier& id, const juce::var& value);

    LUMIVOXAudioProcessor& processor;
    juce::Array<PresetManager::PresetInfo> list;
    // For a state that carries no fingerprint of its own (one saved before they were kept).
    juce::String fingerprintWhenOpened;
};
