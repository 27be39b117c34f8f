#include "editor/FxBrowser.h"

#include "editor/LumivoxLookAndFeel.h"

namespace
{
struct Row
{
    const char* text;
    const char* fxId;
    int x, y, width;
};

constexpr int buttonHeight = 30;

const Row rows[] = {
    { "Width", "width", 12, 30, 223 },        { "Filter", "filter", 240, 30, 223 },
    { "Drive", "drive", 12, 98, 147 },        { "Crusher", "crusher", 164, 98, 147 },
    { "Formant", "formant", 316, 98, 147 },   { "Delay", "delay", 12, 166, 86 },
    { "Reverb", "reverb", 103, 166, 86 },     { "HalfTime", "halftime", 194, 166, 86 },
    { "Tape Stop", "tapestop", 285, 166, 86 }, { "Reverse", "reverse", 376, 166, 86 },
    { "Stutter", "stutter", 12, 234, 147 },   { "Granular", "granular", 164, 234, 147 },
    { "Gate", "gate", 316, 234, 147 },        { "Chorus / Flanger", "chorus", 12, 302, 223 },
    { "Pitch", "pitch", 240, 302, 223 },
};

const char* const headings[] = { "UTILITY", "COLOR", "TIME", "GLITCH / RHYTHM", "MODULATION / SPECIAL" };
} // namespace

FxBrowser::FxBrowser (std::function<bool (const juce::String&)> isInserted, std::function<void (const juce::String&)> insert)
{
    for (const auto& row : rows)
    {
        auto button = std::make_unique<juce::TextButton> (row.text);
        const juce::String id (row.fxId);
        const bool inserted = isInserted != nullptr && isInserted (id);
        button->setEnabled (! inserted);
        button->setTooltip (inserted ? juce::String ("Already inserted") : "Insert " + juce::String (row.text));
        button->setComponentID (id);
        button->onClick = [this, id, insert]
        {
            if (insert != nullptr)
                insert (id);
            if (auto* box = findParentComponentOfClass<juce::CallOutBox>())
                box->dismiss();
        };
        addAndMakeVisible (*button);
        buttons.push_back (std::move (button));
    }
    setSize (480, 354);
}

juce::TextButton* FxBrowser::buttonFor (const juce::String& fxId) const
{
    for (const auto& b : buttons)
        if (b->getComponentID() == fxId)
            return b.get();
    return nullptr;
}

void FxBrowser::resized()
{
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setBounds (rows[i].x, rows[i].y, rows[i].width, buttonHeight);
}

void FxBrowser::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFF17101F));
    g.setColour (juce::Colour (LumivoxLookAndFeel::cyan));
    g.setFont (LumivoxLookAndFeel::uiFont (11.0f, true));
    for (int i = 0; i < 5; ++i)
        g.drawText (headings[i], 12, 8 + 68 * i, 450, 18, juce::Justification::centredLeft, true);
}
