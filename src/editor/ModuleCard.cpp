#include "editor/ModuleCard.h"

#include "editor/LumivoxLookAndFeel.h"

namespace
{
struct AccentRule
{
    const char* words[6]; // unused entries are null
    juce::uint32 colour;
};

constexpr int headerHeight = 35;
constexpr int dragThreshold = 6;
} // namespace

juce::Colour ModuleCard::accentFor (const juce::String& titleText)
{
    static const AccentRule rules[] = {
        { { "FILTER", "DELAY", "REVERB", "CHORUS" }, LumivoxLookAndFeel::cyan },
        { { "GATE", "GRANULAR", "FORMANT" }, LumivoxLookAndFeel::lime },
        { { "WIDTH", "LFO", "PITCH", "HALFTIME", "REVERSE", "TAPE" }, LumivoxLookAndFeel::violet },
    };
    for (const auto& rule : rules)
        for (const auto* word : rule.words)
            if (word != nullptr && titleText.containsIgnoreCase (word))
                return juce::Colour (rule.colour);
    return juce::Colour (LumivoxLookAndFeel::pink);
}

ModuleCard::ModuleCard (juce::String titleText, bool withPowerSwitch, bool withActionButtons)
    : title (std::move (titleText)), hasPowerSwitch (withPowerSwitch), hasActionButtons (withActionButtons),
      accent (accentFor (title))
{
    if (hasPowerSwitch)
    {
        powerButton.setTooltip ("Enable or bypass this module");
        powerButton.setTitle (title + " power");
        addAndMakeVisible (powerButton);
    }
    if (hasActionButtons)
    {
        randomizeButton.setTooltip ("Randomize this effect");
        randomizeButton.setTitle ("Randomize " + title);
        randomizeButton.onClick = [this] { if (onRandomize != nullptr) onRandomize(); };
        removeButton.setTooltip ("Remove this effect from the rack");
        removeButton.setTitle ("Remove " + title);
        removeButton.onClick = [this] { if (onRemove != nullptr) onRemove(); };
        addAndMakeVisible (randomizeButton);
        addAndMakeVisible (removeButton);
    }
}

void ModuleCard::resized()
{
    const int w = getWidth();
    int powerRight = w - 12;
    if (hasActionButtons)
    {
        removeButton.setBounds (w - 34, 9, 22, 22);
        randomizeButton.setBounds (w - 59, 9, 22, 22);
        powerRight = w - 64;
    }
    if (hasPowerSwitch)
        powerButton.setBounds (powerRight - 40, 10, 40, 20);
}

int ModuleCard::titleWidth() const noexcept
{
    const int reserved = (hasPowerSwitch ? 88 : 42) + (hasActionButtons ? 50 : 0);
    return juce::jmax (getWidth() - reserved, 20);
}

void ModuleCard::drawSparkle (juce::Graphics& g, float x, float y, float r, juce::Colour colour)
{
    const float k = 0.24f * r;
    juce::Path star;
    star.startNewSubPath (x, y - r);
    star.lineTo (x + k, y - k);
    star.lineTo (x + r, y);
    star.lineTo (x + k, y + k);
    star.lineTo (x, y + r);
    star.lineTo (x - k, y + k);
    star.lineTo (x - r, y);
    star.lineTo (x - k, y - k);
    star.closeSubPath();
    g.setColour (colour);
    g.fillPath (star);
}

void ModuleCard::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();

    g.setColour (accent.withAlpha ((juce::uint8) 0x14));
    g.fillRoundedRectangle (-1.0f, -1.0f, juce::jmax (w + 2.0f, 0.0f), juce::jmax (h + 2.0f, 0.0f), 16.0f);

    juce::ColourGradient body (juce::Colour (0xFF241C30), 0.0f, 0.0f, juce::Colour (0xFF15101D), w, h, false);
    body.addColour (0.32, juce::Colour (0xFF302638));
    body.addColour (0.46, juce::Colour (0xFF2A1C36));
    g.setGradientFill (body);
    g.fillRoundedRectangle (0.0f, 0.0f, w, h, 16.0f);

    g.setColour (juce::Colour (0x38FFFFFF));
    g.drawRoundedRectangle (0.8f, 0.8f, juce::jmax (w - 1.6f, 0.0f), juce::jmax (h - 1.6f, 0.0f), 16.0f, 1.0f);
    g.setColour (accent.withAlpha ((juce::uint8) 0x4C));
    g.drawRoundedRectangle (2.2f, 2.2f, juce::jmax (w - 4.4f, 0.0f), juce::jmax (h - 4.4f, 0.0f), 14.0f, 1.0f);

    drawSparkle (g, 14.0f, 15.0f, 5.0f, accent.withAlpha ((juce::uint8) 0xD9));

    g.setColour (juce::Colour (0xF2FFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (12.0f, true));
    g.drawText (title, 28, 8, titleWidth(), 26, juce::Justification::centredLeft, false);
}

void ModuleCard::paintOverChildren (juce::Graphics& g)
{
    if (! dragHover)
        return;
    g.setColour (juce::Colour (LumivoxLookAndFeel::cyan));
    g.fillRoundedRectangle (2.0f, 6.0f, 3.0f, (float) getHeight() - 12.0f, 1.0f);
}

void ModuleCard::mouseDrag (const juce::MouseEvent& e)
{
    if (fxId.isEmpty() || e.getMouseDownPosition().getY() > headerHeight
        || juce::roundToInt (e.getDistanceFromDragStart()) < dragThreshold)
        return;

    auto* container = juce::DragAndDropContainer::findParentDragContainerFor (this);
    if (container == nullptr || container->isDragAndDropActive())
        return;
    container->startDragging (dragPrefix + fxId, this, juce::ScaledImage(), false);
}

bool ModuleCard::isInterestedInDragSource (const SourceDetails& details)
{
    return fxId.isNotEmpty() && details.description.toString().startsWith (dragPrefix);
}

void ModuleCard::itemDragEnter (const SourceDetails&)
{
    dragHover = true;
    repaint();
}

void ModuleCard::itemDragExit (const SourceDetails&)
{
    dragHover = false;
    repaint();
}

void ModuleCard::itemDropped (const SourceDetails& details)
{
    dragHover = false;
    if (onDropFx != nullptr)
        onDropFx (details.description.toString().substring (5));
    repaint();
}
