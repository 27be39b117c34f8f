#include "presets/PresetLibrary.h"

#include "engine/LUMIVOXAudioProcessor.h"
#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetFile.h"
#include "presets/PresetIdentity.h"
#include "presets/SoundFingerprint.h"
#include "presets/UserTrash.h"

juce::String PresetLibrary::legalName (const juce::String& text)
{
    return juce::File::createLegalFileName (text.trim());
}

PresetLibrary::PresetLibrary (LUMIVOXAudioProcessor& p) : processor (p), fingerprintWhenOpened (fingerprint())
{
}

void PresetLibrary::setStateProperty (const juce::Identifier& id, const juce::var& value)
{
    processor.apvts.state.setProperty (id, value, nullptr);
}

void PresetLibrary::refresh()
{
    list.clearQuick();
    for (const auto& info : FactoryLibrary::presetList())
        list.add (info);
    for (const auto& info : PresetManager::userPresets())
        list.add (info);
}

juce::StringArray PresetLibrary::banks() const
{
    juce::StringArray names;
    for (const auto& info : list)
        names.addIfNotAlreadyThere (info.category);
    for (const auto& folder : PresetManager::userPresetDirectory().findChildFiles (juce::File::findDirectories, false, "*"))
        names.addIfNotAlreadyThere (folder.getFileName());
    names.sort (true);
    return names;
}

juce::Array<int> PresetLibrary::filter (Shown shown, const juce::String& bank, const juce::String& search) const
{
    const auto favouriteKeys = favourites();
    const auto text = search.trim();
    juce::Array<int> rows;
    for (int i = 0; i < list.size(); ++i)
    {
        const auto& p = list.getReference (i);
        if ((shown == Shown::factory && ! p.isFactory) || (shown == Shown::user && p.isFactory)
            || (shown == Shown::favourites && ! favouriteKeys.contains (PresetIdentity::keyOf (p))))
            continue;
        if (bank.isNotEmpty() && p.category != bank)
            continue;
        if (text.isNotEmpty() && ! (p.name + " " + p.category + " " + p.description).containsIgnoreCase (text))
            continue;
        rows.add (i);
    }
    return rows;
}

int PresetLibrary::currentIndex() const
{
    const auto& state = processor.apvts.state;
    if (! state.hasProperty (StateProperty::presetKey))
        return -1;
    const auto key = state.getProperty (StateProperty::presetKey).toString();
    for (int i = 0; i < list.size(); ++i)
        if (PresetIdentity::keyOf (list.getReference (i)) == key)
            return i;
    return -1;
}

juce::Result PresetLibrary::load (int index)
{
    if (! juce::isPositiveAndBelow (index, list.size()))
        return juce::Result::fail ("There is no such preset.");
    const auto info = list[index];
    if (info.isFactory)
        return loadFactory (FactoryLibrary::indexOf (info.name));
    return loadFile (info.file);
}

juce::Result PresetLibrary::loadFactory (int factoryNumber)
{
    if (! juce::isPositiveAndBelow (factoryNumber, FactoryLibrary::numPresets()))
        return juce::Result::fail ("There is no such factory preset.");
    FactoryLibrary::load (processor.apvts, factoryNumber);
    const auto name = FactoryLibrary::presetList()[(size_t) factoryNumber].name;
    return finishLoad (PresetIdentity::factoryKey (name), name);
}

juce::Result PresetLibrary::loadFile (const juce::File& file)
{
    if (const auto message = PresetFile::read (processor.apvts, file); message.isNotEmpty())
        return juce::Result::fail (message);
    return finishLoad (file.getFullPathName(), file.getFileNameWithoutExtension());
}

juce::Result PresetLibrary::finishLoad (const juce::String& key, const juce::String& name)
{
    processor.syncRackOrderFromState();
    processor.syncInsertedFxFromState();
    processor.undoManager.clearUndoHistory();
    PresetIdentity::record (processor.apvts, key, name);
    fingerprintWhenOpened = fingerprint();
    return juce::Result::ok();
}

juce::Result PresetLibrary::save (const juce::String& nameText, const juce::String& bank, bool overwrite)
{
    const auto name = legalName (nameText);
    if (name.isEmpty())
        return juce::Result::fail ("Enter a preset name first.");

    auto folder = PresetManager::userPresetDirectory();
    if (bank.isNotEmpty() && ! bank.startsWith ("FACTORY") && bank != "USER")
        folder = folder.getChildFile (juce::File::createLegalFileName (bank));

    const int current = currentIndex();
    const bool overwriteCurrent = overwrite && current >= 0 && ! list.getReference (current).isFactory;
    const auto target = overwriteCurrent ? list.getReference (current).file
                                         : folder.getChildFile (name + PresetManager::fileExtension);

    if (! overwrite && target.exists())
        return juce::Result::fail ("That name exists. Choose another name or use Save.");
    target.getParentDirectory().createDirectory();
    if (! PresetFile::write (processor.apvts, target))
        return juce::Result::fail (PresetFile::writeFailedMessage);

    setStateProperty (StateProperty::presetKey, target.getFullPathName());
    setStateProperty (StateProperty::presetName, target.getFileNameWithoutExtension());
    fingerprintWhenOpened = fingerprint();
    setStateProperty (StateProperty::presetFingerprint, fingerprintWhenOpened);
    refresh();
    return juce::Result::ok();
}

juce::Result PresetLibrary::renameCurrent (const juce::String& nameText)
{
    const int current = currentIndex();
    if (current < 0 || list.getReference (current).isFactory)
        return juce::Result::fail ("Only a user preset can be renamed.");

    const auto name = legalName (nameText);
    if (name.isEmpty())
        return juce::Result::fail ("Enter a name first.");

    const auto file = list.getReference (current).file;
    const auto target = file.getSiblingFile (name + PresetManager::fileExtension);
    if (target.exists())
        return juce::Result::fail ("That name already exists.");
    if (! file.existsAsFile() || ! file.moveFileTo (target))
        return juce::Result::fail ("Could not rename this preset.");

    const auto oldKey = file.getFullPathName();
    auto keys = favourites();
    if (keys.contains (oldKey))
    {
        keys.removeString (oldKey);
        keys.add (target.getFullPathName());
        setStateProperty (StateProperty::presetFavorites, keys.joinIntoString ("|"));
    }
    setStateProperty (StateProperty::presetKey, target.getFullPathName());
    setStateProperty (StateProperty::presetName, name);
    refresh();
    return juce::Result::ok();
}

bool PresetLibrary::deleteCurrent()
{
    const int current = currentIndex();
    if (current < 0 || list.getReference (current).isFactory)
        return false;

    const auto file = list.getReference (current).file;
    if (file != juce::File() && file.exists() && ! UserTrash::moveToTrash (file))
        return false;

    setStateProperty (StateProperty::presetKey, juce::String());
    refresh();
    return true;
}

juce::Result PresetLibrary::createBank (const juce::String& nameText)
{
    const auto name = legalName (nameText);
    if (name.isEmpty())
        return juce::Result::fail ("Enter a bank name first.");
    return PresetManager::userPresetDirectory().getChildFile (name).createDirectory();
}

juce::StringArray PresetLibrary::favourites() const
{
    const auto& state = processor.apvts.state;
    auto keys = juce::StringArray::fromTokens (state.getProperty (StateProperty::presetFavorites).toString(), "|", {});
    keys.removeEmptyStrings();
    // Earlier versions kept factory favourites by name.
    for (const auto& name : juce::StringArray::fromTokens (state.getProperty (StateProperty::favoriteFactoryPresets).toString(), "|", {}))
        if (name.isNotEmpty())
            keys.addIfNotAlreadyThere (PresetIdentity::factoryKey (name));
    return keys;
}

bool PresetLibrary::isFavourite (const PresetManager::PresetInfo& info) const
{
    return favourites().contains (PresetIdentity::keyOf (info));
}

void PresetLibrary::setFavourites (const juce::StringArray& keys)
{
    setStateProperty (StateProperty::presetFavorites, keys.joinIntoString ("|"));
    processor.apvts.state.removeProperty (StateProperty::favoriteFactoryPresets, nullptr);
}

void PresetLibrary::toggleFavourite (const PresetManager::PresetInfo& info)
{
    auto keys = favourites();
    const auto key = PresetIdentity::keyOf (info);
    if (keys.contains (key))
        keys.removeString (key);
    else
        keys.add (key);
    setFavourites (keys);
}

juce::String PresetLibrary::fingerprint() const
{
    return SoundFingerprint::of (processor.apvts);
}

bool PresetLibrary::isEdited() const
{
    const auto& state = processor.apvts.state;
    const auto stored = state.hasProperty (StateProperty::presetFingerprint)
                            ? state.getProperty (StateProperty::presetFingerprint).toString()
                            : fingerprintWhenOpened;
    return fingerprint() != stored;
}
