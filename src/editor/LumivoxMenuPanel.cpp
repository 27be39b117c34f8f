#include "editor/LumivoxMenuPanel.h"

#include "editor/LumivoxLookAndFeel.h"
#include "editor/UiZoom.h"
#include "engine/StateProperties.h"
#include "presets/PresetManager.h"

#include <ProductVersion.h>

namespace
{
const char* const pageNames[LumivoxMenuPanel::numPages] = { "BANKS", "SETTINGS / UI", "ABOUT", "HELP / MANUAL" };

const char* const pageTexts[LumivoxMenuPanel::numPages] = {
    "Factory sounds are read-only. Use Save As in the preset library to create your own version.\n\n"
    "Create banks with New Bank, then select a bank before saving. Existing presets in the previous LUMIVOX "
    "folder remain available.",
    "Window sizes are always available on the left and are remembered with the project.\n\n"
    "UI zoom scales the whole window (Ctrl+plus, Ctrl+minus, Ctrl+0). AUTO follows the host or the "
    "display.\n\n"
    "Glow / decorations controls the background accents. All audio controls remain visible at every size.\n\n"
    "Drive quality is stored per sound: ECO 1X, HQ 2X or ULTRA 4X. Higher quality uses more CPU.",
    nullptr, // composed when shown
    "QUICK START\nAdd an effect with + FX. Drag its header to another card to change processing order. Scroll "
    "horizontally through the rack. The power switch bypasses an effect; Remove preserves its settings.\n\n"
    "Click the preset name to search sounds and manage user banks. An asterisk marks edits. A/B compares "
    "complete sounds; COPY duplicates the current slot.\n\n"
    "MOD assigns sources to destinations with bipolar depth. Bypass keeps an assignment; CLR removes it.\n\n"
    "Shaper: drag points vertically, hold Shift to snap, double-click for full level. Pitch and HalfTime use "
    "creative time-domain processing.\n\n"
    "Standalone input is muted initially to prevent feedback; configure audio through Options.",
};

constexpr std::pair<int, int> windowSizes[] = { { 800, 520 }, { 920, 580 }, { 1080, 680 }, { 1220, 760 }, { 1400, 880 } };

void styleLabel (juce::Label& label, const juce::String& text, float height, juce::Colour colour)
{
    label.setText (text, juce::dontSendNotification);
    label.setFont (LumivoxLookAndFeel::uiFont (height, true));
    label.setColour (juce::Label::textColourId, colour);
}
} // namespace

juce::String LumivoxMenuPanel::aboutText()
{
    // The formats line names every format this build ships, LV2 included.
    return juce::String ("LUMIVOX ") + LUMIVOX_VERSION_STRING
           + "\nCreative Multi-FX\n\nFormats: VST3 / LV2 / Standalone\n\nWebsite: not configured\nSupport: not configured\n"
           + juce::String (juce::CharPointer_UTF8 ("\xc2\xa9 2026 the LUMIVOX authors"))
           + "\n\nBuilt with JUCE " + juce::String (JUCE_MAJOR_VERSION) + "." + juce::String (JUCE_MINOR_VERSION) + "."
           + juce::String (JUCE_BUILDNUMBER) + ".";
}

LumivoxMenuPanel::LumivoxMenuPanel (juce::AudioProcessorValueTreeState& s) : state (s)
{
    styleLabel (titleLabel, "LUMIVOX", 20.0f, juce::Colours::white);
    styleLabel (pageTitleLabel, {}, 16.0f, juce::Colour (LumivoxLookAndFeel::cyan));
    styleLabel (windowSizeLabel, "WINDOW SIZE", 11.0f, juce::Colour (0xD1FFFFFF));
    styleLabel (zoomLabel, "UI ZOOM", 11.0f, juce::Colour (0xD1FFFFFF));
    for (auto* l : { &titleLabel, &pageTitleLabel, &windowSizeLabel, &zoomLabel })
        addAndMakeVisible (l);

    pageText.setMultiLine (true, true);
    pageText.setReadOnly (true);
    pageText.setCaretVisible (false);
    pageText.setFont (LumivoxLookAndFeel::uiFont (13.0f, false));
    pageText.setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
    pageText.setColour (juce::TextEditor::outlineColourId, juce::Colours::transparentBlack);
    pageText.setColour (juce::TextEditor::focusedOutlineColourId, juce::Colours::transparentBlack);
    pageText.setColour (juce::TextEditor::textColourId, juce::Colour (0xBFFFFFFF));
    addAndMakeVisible (pageText);

    closeButton.onClick = [this] { if (onClose != nullptr) onClose(); };
    browseBanksButton.onClick = [this] { if (onBrowseBanks != nullptr) onBrowseBanks(); };
    openPresetFolderButton.onClick = [] { PresetManager::userPresetDirectory().revealToUser(); };
    decorationsToggle.onClick = [this]
    {
        if (onDecorationsChanged != nullptr)
            onDecorationsChanged (decorationsToggle.getToggleState());
    };
    for (auto* b : std::initializer_list<juce::Button*> { &closeButton, &browseBanksButton, &openPresetFolderButton,
                                                          &decorationsToggle })
        addAndMakeVisible (b);

    for (int i = 0; i < numPages; ++i)
    {
        auto button = std::make_unique<juce::TextButton> (pageNames[i]);
        // The page shown glows like the editor's active A/B slot.
        button->setColour (juce::TextButton::buttonColourId, juce::Colour (0xFF17101F));
        button->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0x57FF3DAF));
        button->setColour (juce::TextButton::textColourOnId, juce::Colours::white);
        button->onClick = [this, i] { select (i); };
        addAndMakeVisible (*button);
        pageButtons.push_back (std::move (button));
    }
    for (const auto& [w, h] : windowSizes)
    {
        auto button = std::make_unique<juce::TextButton> (juce::String (w) + " x " + juce::String (h));
        button->onClick = [this, w = w, h = h] { if (onWindowSizeChosen != nullptr) onWindowSizeChosen (w, h); };
        addAndMakeVisible (*button);
        windowSizeButtons.push_back (std::move (button));
    }

    const auto addZoomButton = [this] (const juce::String& text, std::function<void()> action)
    {
        auto button = std::make_unique<juce::TextButton> (text);
        button->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0x57FF3DAF));
        button->onClick = std::move (action);
        addAndMakeVisible (*button);
        zoomButtons.push_back (std::move (button));
    };
    for (const int percent : UiZoom::settings)
        addZoomButton (juce::String (percent) + " %", [this, percent] { if (onZoomChosen != nullptr) onZoomChosen (percent); });
    addZoomButton ("AUTO", [this] { if (onAutomaticZoomChosen != nullptr) onAutomaticZoomChosen(); });

    decorationsToggle.setToggleState ((bool) state.state.getProperty (StateProperty::uiDecorations, true),
                                      juce::dontSendNotification);
    select (settingsPage);
}

void LumivoxMenuPanel::select (int newPage)
{
    page = juce::jlimit (0, numPages - 1, newPage);
    pageTitleLabel.setText (pageButtons[(size_t) page]->getButtonText(), juce::dontSendNotification);
    pageText.setText (page == aboutPage ? aboutText() : juce::String (pageTexts[page]), false);
    browseBanksButton.setVisible (page == banksPage);
    openPresetFolderButton.setVisible (page == banksPage);
    decorationsToggle.setVisible (page == settingsPage);
    zoomLabel.setVisible (page == settingsPage);
    for (auto& b : zoomButtons)
        b->setVisible (page == settingsPage);
    for (int i = 0; i < numPages; ++i)
        pageButtons[(size_t) i]->setToggleState (i == page, juce::dontSendNotification);
    resized();
}

void LumivoxMenuPanel::showZoom (int percent, bool automatic)
{
    for (size_t i = 0; i < zoomButtons.size(); ++i)
    {
        const bool isAuto = i == std::size (UiZoom::settings);
        const bool on = automatic ? isAuto : (! isAuto && UiZoom::settings[i] == percent);
        zoomButtons[i]->setToggleState (on, juce::dontSendNotification);
    }
    // AUTO names the zoom it chose.
    zoomButtons.back()->setButtonText (automatic ? "AUTO " + juce::String (percent) + " %" : juce::String ("AUTO"));
}

void LumivoxMenuPanel::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFF0C0912));
    g.setColour (juce::Colour (0x739B5CFF));
    g.drawRoundedRectangle (getLocalBounds().toFloat().reduced (12.0f), 14.0f, 1.0f);
}

void LumivoxMenuPanel::resized()
{
    auto area = getLocalBounds().reduced (28);

    auto top = area.removeFromTop (36);
    closeButton.setBounds (top.removeFromRight (juce::jmin (80, top.getWidth())));
    titleLabel.setBounds (top);
    area.removeFromTop (juce::jmin (16, area.getHeight()));

    auto column = area.removeFromLeft (juce::jmin (170, area.getWidth()));
    for (auto& b : pageButtons)
    {
        b->setBounds (column.removeFromTop (juce::jmin (28, column.getHeight())));
        column.removeFromTop (juce::jmin (5, column.getHeight()));
    }
    column.removeFromTop (juce::jmin (8, column.getHeight()));
    windowSizeLabel.setBounds (column.removeFromTop (juce::jmin (24, column.getHeight())));
    for (auto& b : windowSizeButtons)
    {
        b->setBounds (column.removeFromTop (juce::jmin (28, column.getHeight())));
        column.removeFromTop (juce::jmin (4, column.getHeight()));
    }

    area.removeFromLeft (juce::jmin (24, area.getWidth()));
    pageTitleLabel.setBounds (area.removeFromTop (juce::jmin (32, area.getHeight())));
    area.removeFromTop (juce::jmin (8, area.getHeight()));
    const auto bottomRow = area.removeFromBottom (juce::jmin (40, area.getHeight()));
    auto bottom = bottomRow;
    area.removeFromBottom (juce::jmin (16, area.getHeight()));
    if (page == settingsPage)
    {
        // The zoom row sits above the decorations toggle.
        auto zoomRow = area.removeFromBottom (juce::jmin (28, area.getHeight()));
        area.removeFromBottom (juce::jmin (12, area.getHeight()));
        zoomLabel.setBounds (zoomRow.removeFromLeft (juce::jmin (72, zoomRow.getWidth())));
        const int gap = 4, n = (int) zoomButtons.size();
        const int each = juce::jmax (0, (zoomRow.getWidth() - gap * (n - 1)) / n);
        for (auto& b : zoomButtons)
        {
            b->setBounds (zoomRow.removeFromLeft (juce::jmin (each, zoomRow.getWidth())));
            zoomRow.removeFromLeft (juce::jmin (gap, zoomRow.getWidth()));
        }
    }
    pageText.setBounds (area);

    browseBanksButton.setBounds (bottom.removeFromLeft (juce::jmin (160, bottom.getWidth())));
    bottom.removeFromLeft (juce::jmin (8, bottom.getWidth()));
    openPresetFolderButton.setBounds (bottom.removeFromLeft (juce::jmin (175, bottom.getWidth())));
    decorationsToggle.setBounds (bottomRow);
}
