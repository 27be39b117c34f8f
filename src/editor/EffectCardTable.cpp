#include "editor/EffectCardTable.h"

namespace EffectCardTable
{
const Entry entries[numCards] = {
    { "drive", "DRIVE", 248 },         { "filter", "FILTER", 242 },   { "gate", "GATE", 218 },
    { "crusher", "CRUSHER", 234 },     { "pitch", "PITCH", 252 },     { "formant", "FORMANT", 248 },
    { "halftime", "HALFTIME", 218 },   { "stutter", "STUTTER", 266 }, { "reverse", "REVERSE", 236 },
    { "tapestop", "TAPE STOP", 250 },  { "granular", "GRANULAR", 430 }, { "chorus", "CHORUS / FLANGER", 350 },
    { "delay", "DELAY", 236 },         { "reverb", "REVERB", 350 },   { "width", "WIDTH", 218 },
};

const Entry* find (const juce::String& fxId) noexcept
{
    for (const auto& e : entries)
        if (fxId == e.fxId)
            return &e;
    return nullptr;
}

namespace
{
struct ChoiceRow
{
    const char* parameterId;
    const char* items[10]; // unused entries are null
};

const ChoiceRow choiceRows[] = {
    { "driveType", { "SOFT", "HARD", "TUBE", "FOLD" } },
    { "driveQuality", { "ECO 1X", "HQ 2X", "ULTRA 4X" } },
    { "filterType", { "LOW PASS", "HIGH PASS", "BAND PASS" } },
    { "gateRate", { "1/4", "1/8", "1/16", "1/32" } },
    { "shaperRate", { "1/1", "1/2", "1/4", "1/8", "1/16" } },
    { "halfTimeRate", { "1/2", "1/4", "1/8" } },
    { "chorusMode", { "CHORUS", "FLANGER" } },
    { "stutterRate", { "1/2", "1/4", "1/8", "1/16", "1/32", "1/64", "1/8T", "1/16T", "1/8D", "1/16D" } },
    { "reverseRate", { "1/2", "1/4", "1/8", "1/16", "1/32", "1/8T", "1/16T" } },
};
} // namespace

juce::StringArray choiceItems (const juce::String& parameterId)
{
    juce::StringArray items;
    for (const auto& row : choiceRows)
        if (parameterId == row.parameterId)
            for (const auto* item : row.items)
                if (item != nullptr)
                    items.add (item);
    return items;
}
} // namespace EffectCardTable
