#include "editor/LUMIVOXAudioProcessorEditor.h"

#include "editor/FxBrowser.h"
#include "editor/UiZoom.h"
#include "editor/XResources.h"
#include "engine/Destinations.h"
#include "engine/EffectCatalogue.h"
#include "engine/StateProperties.h"
#include "engine/UndoFlush.h"

#include <BinaryData.h>

namespace
{
constexpr juce::uint32 buttonColour = 0xFF17101F;
} // namespace

LUMIVOXAudioProcessorEditor::LUMIVOXAudioProcessorEditor (LUMIVOXAudioProcessor& p)
    : juce::AudioProcessorEditor (p), audioProcessor (p), presetLibrary (p), menuPanel (p.apvts),
      modulationPanel (p.apvts), shaperEditor (p.apvts), attachments (p.apvts)
{
    // Read before the resize limits apply: setting them resizes the empty window, and every
    // layout pass writes its size back, which would overwrite the remembered one.
    const auto& state = audioProcessor.apvts.state;
    decorationsEnabled = (bool) state.getProperty (StateProperty::uiDecorations, true);
    logical = EditorLayout::clampedSize (state.getProperty (StateProperty::uiWidth, EditorLayout::defaultWidth),
                                         state.getProperty (StateProperty::uiHeight, EditorLayout::defaultHeight));
    zoom = UiZoom::fromStored (state.getProperty (StateProperty::uiZoom)).value_or (automaticZoom());

    addAndMakeVisible (content);
    setLookAndFeel (&lookAndFeel);
    setResizable (true, true);

    logo.setImage (juce::ImageFileFormat::loadFrom (BinaryData::LumivoxLogo_png, (size_t) BinaryData::LumivoxLogo_pngSize),
                   juce::RectanglePlacement::centred);
    logo.setInterceptsMouseClicks (false, false);
    content.addAndMakeVisible (logo);
    subtitleLabel.setText ("CREATIVE MULTI-FX", juce::dontSendNotification);
    subtitleLabel.setFont (LumivoxLookAndFeel::uiFont (11.5f, true));
    subtitleLabel.setColour (juce::Label::textColourId, juce::Colour (0xD1FFFFFF));
    subtitleLabel.setJustificationType (juce::Justification::centred);
    content.addAndMakeVisible (subtitleLabel);

    for (auto* b : { &prevPresetButton, &nextPresetButton, &presetNameButton, &favouriteButton })
    {
        styleButton (*b, buttonColour);
        content.addAndMakeVisible (b);
    }
    presetNameButton.setTooltip ("Browse factory and user presets, banks and favourites");
    prevPresetButton.onClick = [this] { presetBrowser.step (-1); };
    nextPresetButton.onClick = [this] { presetBrowser.step (1); };
    presetNameButton.onClick = [this] { openPresetBrowser(); };
    favouriteButton.onClick = [this] { toggleCurrentFavourite(); };
    presetBrowser.onClose = [this] { presetBrowser.setVisible (false); };
    presetBrowser.onPresetLoaded = [this] { syncAllAfterStateChange(); };
    content.addChildComponent (presetBrowser);
    audioProcessor.onSoundReplaced = [this] { syncAllAfterStateChange(); };

    struct Workflow
    {
        juce::TextButton* button;
        const char* tooltip;
        juce::uint32 colour;
    };
    const Workflow workflow[] = {
        { &menuButton, "Menu: preset banks, settings and about", buttonColour },
        { &addFxButton, "Insert an effect into the rack", 0x33FF3DAF },
        { &modButton, "Open the 8-slot modulation matrix", 0x389B5CFF },
        { &undoButton, "Undo the last parameter or rack change", buttonColour },
        { &redoButton, "Redo the last undone change", buttonColour },
        { &slotAButton, "Recall A state", buttonColour },
        { &slotBButton, "Recall B state", buttonColour },
        { &copyButton, "Copy the active A/B state to the other slot", buttonColour },
        { &randomizeAllButton, "Randomize all inserted effects", buttonColour },
    };
    for (const auto& w : workflow)
    {
        styleButton (*w.button, w.colour);
        w.button->setTooltip (w.tooltip);
        content.addAndMakeVisible (w.button);
    }
    undoButton.onClick = [this] { undo(); };
    redoButton.onClick = [this] { redo(); };
    slotAButton.onClick = [this] { audioProcessor.switchABSlot (0); syncAllAfterStateChange(); };
    slotBButton.onClick = [this] { audioProcessor.switchABSlot (1); syncAllAfterStateChange(); };
    copyButton.onClick = [this] { audioProcessor.copyABSlotToOther(); syncWorkflowButtons(); };
    randomizeAllButton.onClick = [this] { randomizeRack(); };
    menuButton.onClick = [this] { openMenuPanel(); };
    modButton.onClick = [this] { openModulationPanel(); };
    addFxButton.onClick = [this] { showAddFxMenu(); };

    menuPanel.onClose = [this] { menuPanel.setVisible (false); };
    menuPanel.onBrowseBanks = [this] { openPresetBrowser(); };
    menuPanel.onWindowSizeChosen = [this] (int w, int h)
    {
        logical = { w, h };
        applyZoom (zoom);
    };
    menuPanel.onZoomChosen = [this] (int percent) { setZoom (percent); };
    menuPanel.onAutomaticZoomChosen = [this] { useAutomaticZoom(); };
    menuPanel.onDecorationsChanged = [this] (bool on)
    {
        decorationsEnabled = on;
        audioProcessor.apvts.state.setProperty (StateProperty::uiDecorations, on, nullptr);
        repaint();
    };
    menuPanel.decorationsToggle.setToggleState (decorationsEnabled, juce::dontSendNotification);
    content.addChildComponent (menuPanel);
    modulationPanel.onClose = [this]
    {
        modulationPanel.setVisible (false);
        syncModulationIndicators();
    };
    modulationPanel.onRoutesChanged = [this] { syncModulationIndicators(); };
    content.addChildComponent (modulationPanel);

    rackOrderStrip.onMove = [this] (size_t from, size_t to)
    {
        if (audioProcessor.moveInsertedFx (from, to))
        {
            rackOrderStrip.setOrder (audioProcessor.getInsertedFxOrder());
            layoutFxRack (rackViewport.getHeight());
        }
    };
    content.addAndMakeVisible (rackOrderStrip);
    rackViewport.setViewedComponent (&rackContent, false);
    content.addAndMakeVisible (rackViewport);
    emptyRackLabel.setText ("CLICK + FX TO INSERT AN EFFECT  /  SCROLL OR SWIPE TO BROWSE", juce::dontSendNotification);
    emptyRackLabel.setFont (LumivoxLookAndFeel::uiFont (10.0f, true));
    emptyRackLabel.setColour (juce::Label::textColourId, juce::Colour (0x6BFFFFFF));
    emptyRackLabel.setJustificationType (juce::Justification::centred);
    emptyRackLabel.setInterceptsMouseClicks (false, false);
    rackContent.addChildComponent (emptyRackLabel);

    content.addAndMakeVisible (masterCard);
    for (auto* c : std::initializer_list<juce::Component*> { &inputKnob, &masterMixKnob, &outputKnob, &inputMeter, &outputMeter })
        masterCard.addAndMakeVisible (c);
    attachments.attachSlider (inputKnob, "input", masterCard.title);
    attachments.attachSlider (masterMixKnob, "masterMix", masterCard.title);
    attachments.attachSlider (outputKnob, "output", masterCard.title);

    for (const auto& entry : EffectCatalogue::entries)
    {
        auto* card = effectCards.cardForFxId (entry.id);
        if (card == nullptr)
            continue;
        const juce::String id (entry.id);
        card->setSize (entry.card.width, 136);
        card->onRemove = [this, id] { removeFxFromRack (id); };
        card->onRandomize = [this, id]
        {
            audioProcessor.randomizeFx (id, true);
            syncModulationIndicators();
            syncWorkflowButtons();
        };
        rackContent.addChildComponent (card);
    }
    effectCards.attach (attachments);

    for (auto* card : { &shaperCard, &lfoCard, &macroCard })
        content.addAndMakeVisible (card);
    shaperCard.addAndMakeVisible (shaperRateChoice);
    shaperRateChoice.comboBox.addItemList (EffectCards::choiceItems ("shaperRate"), 1);
    attachments.attachChoice (shaperRateChoice, "shaperRate", shaperCard.title);
    for (auto* k : { &shaperDepthKnob, &shaperMixKnob })
        shaperCard.addAndMakeVisible (k);
    attachments.attachSlider (shaperDepthKnob, "shaperDepth", shaperCard.title);
    attachments.attachSlider (shaperMixKnob, "shaperMix", shaperCard.title);
    shaperCard.addAndMakeVisible (shaperEditor);
    attachments.attachButton (shaperCard.powerButton, "shaperOn", "SHAPER power");

    for (auto* k : { &lfoRateKnob, &lfoDepthKnob })
    {
        k->slider.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xFF9B5CFF));
        lfoCard.addAndMakeVisible (k);
    }
    attachments.attachSlider (lfoRateKnob, "lfoRate", lfoCard.title);
    attachments.attachSlider (lfoDepthKnob, "lfoDepth", lfoCard.title);
    const std::pair<Knob*, const char*> macros[] = { { &macroSparkleKnob, "macroSparkle" },
                                                     { &macroGlitchKnob, "macroGlitch" },
                                                     { &macroCrushKnob, "macroCrush" },
                                                     { &macroChaosKnob, "macroChaos" } };
    for (const auto& [knob, id] : macros)
    {
        macroCard.addAndMakeVisible (knob);
        attachments.attachSlider (*knob, id, macroCard.title);
    }

    // Destination d shows its ring on the knob of the setting it moves.
    auto knobsByParameter = effectCards.allKnobs();
    knobsByParameter.emplace_back (&shaperDepthKnob, "shaperDepth");
    knobsByParameter.emplace_back (&shaperMixKnob, "shaperMix");
    for (int d = 1; d < Destination::count; ++d)
        for (const auto& [knob, id] : knobsByParameter)
            if (juce::String (id) == Param::id (Destination::row (d).base))
                destinationKnobs[(size_t) d] = knob;

    setWantsKeyboardFocus (true);
    applyZoom (zoom);
    rackOrderStrip.setOrder (audioProcessor.getInsertedFxOrder());
    syncDynamicRackUi();
    syncModulationIndicators();
    syncWorkflowButtons();
    startTimerHz (30);
}

LUMIVOXAudioProcessorEditor::~LUMIVOXAudioProcessorEditor()
{
    stopTimer();
    audioProcessor.onSoundReplaced = nullptr;
    rackViewport.setViewedComponent (nullptr, false);
    setLookAndFeel (nullptr);
}

void LUMIVOXAudioProcessorEditor::styleButton (juce::TextButton& button, juce::uint32 background)
{
    button.setColour (juce::TextButton::buttonColourId, juce::Colour (background));
    button.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0x4CFF3DAF));
    button.setColour (juce::TextButton::textColourOffId, juce::Colour (0xD1FFFFFF));
    button.setColour (juce::TextButton::textColourOnId, juce::Colour (0xFFFFFFFF));
}

int LUMIVOXAudioProcessorEditor::automaticZoom() const
{
    const auto& desktop = juce::Desktop::getInstance();
    const auto* display = getPeer() != nullptr ? desktop.getDisplays().getDisplayForRect (getScreenBounds())
                                               : desktop.getDisplays().getPrimaryDisplay();
    const double displayScale = display != nullptr ? display->scale / (double) desktop.getGlobalScaleFactor() : 1.0;
    // The X resources are asked only when neither the host nor the display scales.
    std::optional<double> xftDpi;
    if (! hostScale.has_value() && displayScale <= 1.0)
        xftDpi = UiZoom::xftDpiFromResources (XResources::read());
    return UiZoom::automatic (hostScale, displayScale, xftDpi);
}

void LUMIVOXAudioProcessorEditor::setZoom (int percent)
{
    const int setting = UiZoom::nearest (percent / 100.0);
    audioProcessor.apvts.state.setProperty (StateProperty::uiZoom, setting, nullptr);
    applyZoom (setting);
}

void LUMIVOXAudioProcessorEditor::useAutomaticZoom()
{
    audioProcessor.apvts.state.removeProperty (StateProperty::uiZoom, nullptr);
    applyZoom (automaticZoom());
}

void LUMIVOXAudioProcessorEditor::applyZoom (int percent)
{
    zoom = percent;
    const auto scaled = [z = percent / 100.0] (int v) { return juce::roundToInt (v * z); };
    // The resize limits and the new size both pass through resized(): the logical size stays.
    holdingLogicalSize = true;
    setResizeLimits (scaled (EditorLayout::minimumWidth), scaled (EditorLayout::minimumHeight),
                     scaled (EditorLayout::maximumWidth), scaled (EditorLayout::maximumHeight));
    const auto before = getBounds();
    setSize (scaled (logical.x), scaled (logical.y));
    if (getBounds() == before)
        resized();
    holdingLogicalSize = false;
    menuPanel.showZoom (zoom, ! audioProcessor.apvts.state.hasProperty (StateProperty::uiZoom));
    repaint();
}

void LUMIVOXAudioProcessorEditor::setScaleFactor (float newScale)
{
    // Both wrappers pass 1 when the host gave no scale; a 1 after another scale is the host's.
    if (! (newScale > 0.0f) || (! hostScale.has_value() && juce::approximatelyEqual (newScale, 1.0f)))
        return;
    hostScale = newScale;
    if (audioProcessor.apvts.state.hasProperty (StateProperty::uiZoom))
        return;
    applyZoom (automaticZoom());
    holdLogicalSizeUntilHostSettles();
}

void LUMIVOXAudioProcessorEditor::holdLogicalSizeUntilHostSettles()
{
    // JUCE's VST3 wrapper puts the window back to its previous pixel size right after a scale
    // change; the logical size is kept through that and the zoomed size asked for again.
    holdingLogicalSize = true;
    juce::Component::SafePointer<LUMIVOXAudioProcessorEditor> safe (this);
    juce::MessageManager::callAsync ([safe]
    {
        if (safe == nullptr)
            return;
        safe->holdingLogicalSize = false;
        safe->applyZoom (safe->zoom);
    });
}

void LUMIVOXAudioProcessorEditor::openPresetBrowser()
{
    menuPanel.setVisible (false);
    modulationPanel.setVisible (false);
    presetBrowser.refresh();
    presetBrowser.setVisible (true);
    presetBrowser.toFront (true);
}

void LUMIVOXAudioProcessorEditor::openMenuPanel()
{
    modulationPanel.setVisible (false);
    menuPanel.setVisible (true);
    menuPanel.toFront (false);
}

void LUMIVOXAudioProcessorEditor::openModulationPanel()
{
    menuPanel.setVisible (false);
    modulationPanel.setVisible (true);
    modulationPanel.toFront (false);
}

void LUMIVOXAudioProcessorEditor::toggleCurrentFavourite()
{
    const int current = presetLibrary.currentIndex();
    if (current < 0)
        return;
    presetBrowser.toggleFavourite (presetLibrary.presets()[current]);
    syncWorkflowButtons();
}

void LUMIVOXAudioProcessorEditor::undo() { stepHistory (false); }
void LUMIVOXAudioProcessorEditor::redo() { stepHistory (true); }

void LUMIVOXAudioProcessorEditor::stepHistory (bool forward)
{
    // The rack manager lands pending parameter changes first and re-reads the rack after.
    auto& rack = audioProcessor.getRackManager();
    forward ? rack.redo() : rack.undo();
    // The buttons refresh even when there was nothing to step over.
    syncAllAfterStateChange();
}

void LUMIVOXAudioProcessorEditor::randomizeRack()
{
    audioProcessor.randomizeRack();
    syncAllAfterStateChange();
}

bool LUMIVOXAudioProcessorEditor::keyPressed (const juce::KeyPress& key)
{
    const auto mods = key.getModifiers();
    if (! mods.isCommandDown())
        return false;
    const auto c = juce::CharacterFunctions::toLowerCase (key.getTextCharacter() != 0 ? key.getTextCharacter()
                                                                                       : (juce::juce_wchar) key.getKeyCode());
    const int code = key.getKeyCode();
    if (c == '+' || c == '=' || code == juce::KeyPress::numberPadAdd)
        setZoom (UiZoom::step (zoom, 1));
    else if (c == '-' || code == juce::KeyPress::numberPadSubtract)
        setZoom (UiZoom::step (zoom, -1));
    else if (c == '0' || code == juce::KeyPress::numberPad0)
        setZoom (UiZoom::defaultPercent);
    else if (c == 'z' && ! mods.isShiftDown())
        undo();
    else if ((c == 'z' && mods.isShiftDown()) || c == 'y')
        redo();
    else
        return false;
    return true;
}

void LUMIVOXAudioProcessorEditor::syncWorkflowButtons()
{
    auto text = audioProcessor.apvts.state.getProperty (StateProperty::presetName, "Untitled").toString();
    if (presetLibrary.isEdited())
        text << " *";
    if (presetNameButton.getButtonText() != text)
        presetNameButton.setButtonText (text);

    const int current = presetLibrary.currentIndex();
    favouriteButton.setToggleState (current >= 0 && presetLibrary.isFavourite (presetLibrary.presets()[current]),
                                    juce::dontSendNotification);
    undoButton.setEnabled (audioProcessor.undoManager.canUndo());
    redoButton.setEnabled (audioProcessor.undoManager.canRedo());

    const int slot = audioProcessor.getActiveABSlot();
    slotAButton.setToggleState (slot == 0, juce::dontSendNotification);
    slotBButton.setToggleState (slot == 1, juce::dontSendNotification);
    slotAButton.setColour (juce::TextButton::buttonColourId, juce::Colour (slot == 0 ? 0x57FF3DAF : buttonColour));
    slotBButton.setColour (juce::TextButton::buttonColourId, juce::Colour (slot == 1 ? 0x4732DCFF : buttonColour));
}

void LUMIVOXAudioProcessorEditor::syncModulationIndicators()
{
    auto& state = audioProcessor.apvts;
    const auto raw = [&state] (const char* id) { return state.getRawParameterValue (id)->load(); };

    std::array<float, Destination::count> sums {};
    for (int k = 0; k < Param::numRoutes; ++k)
    {
        if (raw (Param::modEnabled[k]) < 0.5f)
            continue;
        const int source = juce::roundToInt (raw (Param::modSources[k]));
        const int destination = juce::roundToInt (raw (Param::modDestinations[k]));
        if (source >= 1 && destination >= 1 && destination < Destination::count)
            sums[(size_t) destination] += raw (Param::modDepths[k]) / 100.0f;
    }
    for (int d = 1; d < Destination::count; ++d)
        if (auto* knob = destinationKnobs[(size_t) d])
        {
            knob->modulationAmount = juce::jlimit (-1.0f, 1.0f, sums[(size_t) d]);
            knob->repaint();
        }
}

Knob* LUMIVOXAudioProcessorEditor::knobForDestination (int destination) const noexcept
{
    return destination >= 1 && destination < Destination::count ? destinationKnobs[(size_t) destination] : nullptr;
}

void LUMIVOXAudioProcessorEditor::syncAllAfterStateChange()
{
    audioProcessor.syncRackOrderFromState();
    audioProcessor.syncInsertedFxFromState();
    rackOrderStrip.setOrder (audioProcessor.getInsertedFxOrder());
    syncDynamicRackUi();
    syncModulationIndicators();
    syncWorkflowButtons();
    resized();
}

ModuleCard* LUMIVOXAudioProcessorEditor::cardForFxId (const juce::String& fxId) noexcept
{
    return effectCards.cardForFxId (fxId);
}

void LUMIVOXAudioProcessorEditor::syncDynamicRackUi()
{
    for (auto* card : effectCards.allCards())
        card->setVisible (false);
    int shown = 0;
    for (const auto& id : audioProcessor.getInsertedFxOrder())
        if (auto* card = cardForFxId (id))
        {
            card->setVisible (true);
            ++shown;
        }
    emptyRackLabel.setVisible (shown == 0);
    if (rackViewport.getHeight() > 0)
        layoutFxRack (rackViewport.getHeight());
}

void LUMIVOXAudioProcessorEditor::layoutFxRack (int height)
{
    for (auto* card : effectCards.allCards())
        card->setVisible (false);

    const int cardHeight = juce::jmax (height, 136) - 8;
    int x = 0;
    bool placed = false;
    for (const auto& id : audioProcessor.getInsertedFxOrder())
    {
        auto* card = cardForFxId (id);
        if (card == nullptr)
            continue;
        card->fxId = id;
        card->onDropFx = [this, id] (const juce::String& dragged) { dropFxOnCard (dragged, id); };
        card->setBounds (x, 0, EffectCatalogue::find (id)->card.width, cardHeight);
        card->setVisible (true);
        x += card->getWidth() + 5;
        placed = true;
    }

    const int contentWidth = juce::jmax (placed ? x - 5 : 0, rackViewport.getWidth());
    rackContent.setSize (contentWidth, cardHeight);
    emptyRackLabel.setBounds (0, 0, contentWidth, cardHeight);
    emptyRackLabel.setVisible (! placed);

    for (auto* card : effectCards.allCards())
        effectCards.layoutControls (*card, cardHeight);
}

void LUMIVOXAudioProcessorEditor::dropFxOnCard (const juce::String& dragged, const juce::String& target)
{
    const auto list = audioProcessor.getInsertedFxOrder();
    const int from = list.indexOf (dragged), to = list.indexOf (target);
    if (from < 0 || to < 0)
        return;
    beginUndoStep (audioProcessor.apvts, "Reorder rack");
    audioProcessor.moveInsertedFx ((size_t) from, (size_t) to);
    syncAllAfterStateChange();
}

void LUMIVOXAudioProcessorEditor::removeFxFromRack (const juce::String& id)
{
    if (! LUMIVOXAudioProcessor::isSelectableFxId (id))
        return;
    if (audioProcessor.getInsertedFxOrder().contains (id) && ! audioProcessor.getRackManager().removeFx (id))
        return;
    rackOrderStrip.setOrder (audioProcessor.getInsertedFxOrder());
    syncDynamicRackUi();
    resized();
}

void LUMIVOXAudioProcessorEditor::insertFx (const juce::String& id)
{
    if (! LUMIVOXAudioProcessor::isSelectableFxId (id))
        return;
    // One named undo step: the rack list and the power switch together.
    if (! audioProcessor.getInsertedFxOrder().contains (id) && ! audioProcessor.getRackManager().insertFx (id))
        return;
    rackOrderStrip.setOrder (audioProcessor.getInsertedFxOrder());
    syncDynamicRackUi();
    resized();

    if (auto* card = cardForFxId (id); card != nullptr && card->isVisible())
        rackViewport.setViewPosition (juce::jmax (card->getX() - 8, 0), 0);
}

void LUMIVOXAudioProcessorEditor::showAddFxMenu()
{
    juce::Component::SafePointer<LUMIVOXAudioProcessorEditor> safe (this);
    auto browser = std::make_unique<FxBrowser> (
        [safe] (const juce::String& id) { return safe != nullptr && safe->audioProcessor.getInsertedFxOrder().contains (id); },
        [safe] (const juce::String& id)
        {
            if (safe != nullptr)
                safe->insertFx (id);
        });
    juce::CallOutBox::launchAsynchronously (std::move (browser), addFxButton.getBounds(), &content);
}

void LUMIVOXAudioProcessorEditor::followLevel (LevelMeter& meter, float level)
{
    // A -60 dB to 0 dB scale; instant rise, smoothed fall.
    const float v = juce::jlimit (0.0f, 1.0f, (20.0f * std::log10 (juce::jmax (level, 0.001f)) + 60.0f) / 60.0f);
    meter.displayLevel = v >= meter.displayLevel ? v : meter.displayLevel * 0.82f + v * 0.18f;
    meter.repaint();
}

void LUMIVOXAudioProcessorEditor::timerCallback()
{
    followLevel (inputMeter, audioProcessor.inputLevel.load());
    followLevel (outputMeter, audioProcessor.outputLevel.load());
    syncWorkflowButtons();
    syncModulationIndicators();

    // Changes made elsewhere (host automation of a power switch, a state load) show up here.
    if (audioProcessor.getInsertedFxOrder() != rackOrderStrip.order)
    {
        rackOrderStrip.setOrder (audioProcessor.getInsertedFxOrder());
        syncDynamicRackUi();
    }
}

void LUMIVOXAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.addTransform (content.getTransform());
    const int W = logical.x, H = logical.y;
    const auto w = (float) W, h = (float) H;
    juce::ColourGradient background (juce::Colour (0xFF08060D), 0.0f, 0.0f, juce::Colour (0xFF160A20), w, h, false);
    background.addColour (0.28, juce::Colour (0xFF20112C));
    background.addColour (0.72, juce::Colour (0xFF0B0811));
    g.setGradientFill (background);
    g.fillAll();

    const int hp = EditorLayout::paintedHeaderHeight (H);
    const auto hpf = (float) hp;
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x1FFFFFFF), 12.0f, 10.0f, juce::Colour (0xBF21132C), w - 12.0f,
                                             hpf + 10.0f, false));
    g.fillRoundedRectangle (12.0f, 10.0f, juce::jmax (w - 24.0f, 0.0f), hpf, 18.0f);
    g.setColour (juce::Colour (0x29FFFFFF));
    g.drawRoundedRectangle (12.8f, 10.8f, juce::jmax (w - 25.6f, 0.0f), juce::jmax (hpf - 1.6f, 0.0f), 18.0f, 1.0f);
    g.setColour (juce::Colour (0x38FF3DAF));
    g.drawRoundedRectangle (14.0f, 12.0f, juce::jmax (w - 28.0f, 0.0f), juce::jmax (hpf - 4.0f, 0.0f), 16.0f, 1.0f);

    if (decorationsEnabled)
    {
        g.setColour (juce::Colour (0x11FF3DAF));
        g.fillEllipse (-170.0f, -250.0f, 620.0f, 620.0f);
        g.setColour (juce::Colour (0x0B32DCFF));
        g.fillEllipse (w - 360.0f, -150.0f, 500.0f, 500.0f);

        for (int i = 0; i < 16; ++i)
        {
            const float x = std::fmod ((float) (i * 131), (float) juce::jmax (W, 152) - 52.0f) + 26.0f;
            const float y = std::fmod ((float) (i * 47), (float) juce::jmax (hp - 12, 50)) + 16.0f;
            const float r = (float) (i % 3) + 1.5f;
            ModuleCard::drawSparkle (g, x, y, r, juce::Colour (i % 2 == 0 ? 0x4CFF3DAF : 0x4C32DCFF));
        }

        g.setColour (juce::Colour (0x09FFFFFF));
        for (int x = 0; x < W; x += 36)
            if (hp + 16 < H)
                g.fillRect (x, hp + 16, 1, H - hp - 16);
        g.setColour (juce::Colour (0x05FFFFFF));
        for (int y = hp + 16; y < H; y += 36)
            if (W >= 1)
                g.fillRect (0, y, W, 1);
    }

    if (W >= 37)
    {
        g.setColour (juce::Colour (0x0BFFFFFF));
        g.fillRect (18, H - 22, W - 36, 1);
    }
    g.setColour (juce::Colour (0x85FF3DAF));
    g.setFont (LumivoxLookAndFeel::uiFont (8.5f, true));
    g.drawText ("MAKE WEIRD SOUNDS FOREVER", 24, H - 20, 230, 14, juce::Justification::centredLeft, false);
}

void LUMIVOXAudioProcessorEditor::resized()
{
    if (! holdingLogicalSize)
        logical = { juce::roundToInt (getWidth() * 100.0 / zoom), juce::roundToInt (getHeight() * 100.0 / zoom) };
    content.place (logical, (float) zoom / 100.0f);
    const int W = logical.x, H = logical.y;
    auto& state = audioProcessor.apvts.state;
    state.setProperty (StateProperty::uiWidth, W, nullptr);
    state.setProperty (StateProperty::uiHeight, H, nullptr);

    const auto l = EditorLayout::compute (W, H);
    logo.setBounds (l.logo);
    subtitleLabel.setBounds (l.subtitle);
    menuButton.setBounds (l.menuButton);
    prevPresetButton.setBounds (l.prevPreset);
    presetNameButton.setBounds (l.presetName);
    favouriteButton.setBounds (l.favourite);
    nextPresetButton.setBounds (l.nextPreset);
    slotAButton.setBounds (l.slotA);
    slotBButton.setBounds (l.slotB);
    copyButton.setBounds (l.copy);
    undoButton.setBounds (l.undo);
    redoButton.setBounds (l.redo);
    randomizeAllButton.setBounds (l.randomizeAll);

    masterCard.setBounds (l.masterCard);
    const int cw = l.masterCard.getWidth();
    const int k = juce::jmax (cw - 28, 1) / 3;
    inputKnob.setBounds (12, 20, k, 41);
    masterMixKnob.setBounds (k + 14, 20, k, 41);
    outputKnob.setBounds (2 * k + 16, 20, k, 41);
    const int mw = cw < 574 ? 82 : juce::jmin (cw / 7, 132);
    inputMeter.setBounds (150, 9, mw, 13);
    outputMeter.setBounds (cw - mw - 14, 9, mw, 13);

    addFxButton.setBounds (l.addFx);
    modButton.setBounds (l.mod);
    rackOrderStrip.setBounds (l.rackOrderStrip);
    rackViewport.setBounds (l.rackViewport);
    layoutFxRack (l.rackHeight);

    shaperCard.setBounds (l.shaperCard);
    lfoCard.setBounds (l.lfoCard);
    macroCard.setBounds (l.macroCard);
    const int sw = l.shaperCard.getWidth(), sh = l.shaperCard.getHeight();
    const int g = sh < 135 ? 45 : juce::jmin (sh / 3, 58);
    shaperRateChoice.setBounds (10, 27, 84, g - 5);
    // DEPTH and MIX share the row between SYNC and the power switch (52 from the right edge),
    // so each bar's track gets the room.
    const int barWidth = juce::jmax (sw - 96 - 56, 0) / 2;
    shaperDepthKnob.setBounds (96, 24, barWidth, g);
    shaperMixKnob.setBounds (98 + barWidth, 24, barWidth, g);
    shaperEditor.setBounds (8, g + 27, sw - 16, juce::jmax (sh - g - 27, 46) - 8);
    const int j = juce::jmax (l.lfoCard.getWidth() - 22, 1) / 2, i = juce::jmax (l.lfoCard.getHeight(), 92) - 38;
    lfoRateKnob.setBounds (10, 27, j, i);
    lfoDepthKnob.setBounds (j + 12, 27, j, i);
    // One macro bar per row across the card, spread over its height: two side by side would
    // leave each track too short to set by mouse.
    const int macroTop = 30, rowHeight = juce::jmax (l.macroCard.getHeight() - macroTop - 6, 0) / 4;
    const int barHeight = juce::jmin (rowHeight, Knob::barLineHeight + Knob::barTrackHeight);
    int row = 0;
    for (auto* knob : { &macroSparkleKnob, &macroGlitchKnob, &macroCrushKnob, &macroChaosKnob })
        knob->setBounds (12, macroTop + rowHeight * row++, juce::jmax (l.macroCard.getWidth() - 24, 0), barHeight);

    for (auto* panel : std::initializer_list<juce::Component*> { &presetBrowser, &menuPanel, &modulationPanel })
        panel->setBounds (content.getLocalBounds());
    if (menuPanel.isVisible())
        menuPanel.toFront (false);
    if (modulationPanel.isVisible())
        modulationPanel.toFront (false);
}
