#include "editor/RackOrderStrip.h"

#include "editor/LumivoxLookAndFeel.h"
#include "editor/ModuleCard.h"
#include "engine/EffectCatalogue.h"

namespace
{
constexpr int chipPitch = 82, chipWidth = 78, chipTop = 14;

juce::Colour chipColour (const juce::String& id)
{
    const auto* effect = EffectCatalogue::find (id);
    return LumivoxLookAndFeel::colourOf (effect != nullptr ? effect->chip.accent : CardAccent::pink);
}
} // namespace

RackOrderStrip::~RackOrderStrip() = default;

juce::String RackOrderStrip::chipText (const juce::String& id)
{
    const auto* effect = EffectCatalogue::find (id);
    return effect != nullptr ? juce::String (effect->chip.text) : id.toUpperCase();
}

void RackOrderStrip::setOrder (const juce::StringArray& ids)
{
    if (ids.isEmpty() || ids.size() > 16)
        return;
    order.clear();
    for (const auto& id : ids)
        order.addIfNotAlreadyThere (id);
    rebuildChips();
}

void RackOrderStrip::rebuildChips()
{
    for (auto& chip : chips)
        removeChildComponent (chip.get());
    chips.clear();
    for (const auto& id : order)
    {
        auto chip = std::make_unique<Chip> (*this, id);
        addAndMakeVisible (*chip);
        chips.push_back (std::move (chip));
    }
    layoutChips();
    repaint();
}

void RackOrderStrip::layoutChips()
{
    const int n = (int) chips.size();
    scrollOffset = juce::jlimit (0, juce::jmax (chipPitch * n - getWidth() + 16, 0), scrollOffset);
    const int chipHeight = getHeight() < 37 ? 18 : getHeight() - 18;
    for (int i = 0; i < n; ++i)
        chips[(size_t) i]->setBounds (8 - scrollOffset + chipPitch * i, chipTop, chipWidth, chipHeight);
}

void RackOrderStrip::resized() { layoutChips(); }

void RackOrderStrip::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    const float delta = std::abs (wheel.deltaX) > std::abs (wheel.deltaY) ? wheel.deltaX : wheel.deltaY;
    scrollOffset -= (int) (delta * 360.0f);
    layoutChips();
    repaint();
}

void RackOrderStrip::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    g.setColour (juce::Colour (0xEB0B0811));
    g.fillRoundedRectangle (0.0f, 0.0f, w, h, 10.0f);
    g.setColour (juce::Colour (0x1AFFFFFF));
    g.drawRoundedRectangle (0.5f, 0.5f, juce::jmax (w - 1.0f, 0.0f), juce::jmax (h - 1.0f, 0.0f), 10.0f, 1.0f);

    g.setColour (juce::Colour (0x73FFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (8.5f, true));
    g.drawText ("INSERTED FX  /  DRAG TO REORDER", 10, 1, getWidth() - 20, 11, juce::Justification::centredLeft, false);

    if (dropIndex >= 0 && ! chips.empty())
    {
        const int n = (int) chips.size();
        const int x = dropIndex < n ? chips[(size_t) dropIndex]->getX() : chips.back()->getRight();
        g.setColour (juce::Colour (0xF2FF3DAF));
        g.fillRoundedRectangle ((float) x - 2.0f, (float) chipTop, 3.0f, h - 18.0f, 1.5f);
    }
}

bool RackOrderStrip::isInterestedInDragSource (const SourceDetails& details)
{
    return details.description.toString().startsWith (ModuleCard::dragPrefix);
}

int RackOrderStrip::dropIndexAt (int x) const
{
    if (chips.empty())
        return 0;
    for (size_t i = 0; i < chips.size(); ++i)
    {
        const auto& b = chips[i]->getBounds();
        if (b.getX() + b.getWidth() / 2 > x)
            return (int) i;
    }
    return (int) chips.size() - 1;
}

void RackOrderStrip::itemDragMove (const SourceDetails& details)
{
    dropIndex = dropIndexAt (details.localPosition.x);
    repaint();
}

void RackOrderStrip::itemDragExit (const SourceDetails&)
{
    dropIndex = -1;
    repaint();
}

void RackOrderStrip::itemDropped (const SourceDetails& details)
{
    const auto id = details.description.toString().fromFirstOccurrenceOf (ModuleCard::dragPrefix, false, false);
    const int from = order.indexOf (id);
    const int to = juce::jlimit (0, juce::jmax (order.size() - 1, 0), dropIndexAt (details.localPosition.x));
    if (from >= 0 && from != to)
    {
        order.move (from, to);
        rebuildChips();
        if (onMove != nullptr)
            onMove ((size_t) from, (size_t) to);
    }
    dropIndex = -1;
    repaint();
}

RackOrderStrip::Chip::Chip (RackOrderStrip& o, juce::String id) : owner (o), fxId (std::move (id))
{
    setMouseCursor (juce::MouseCursor::DraggingHandCursor);
    setTitle (chipText (fxId));
}

void RackOrderStrip::Chip::mouseDown (const juce::MouseEvent&) { dragStarted = false; }

void RackOrderStrip::Chip::mouseDrag (const juce::MouseEvent& e)
{
    if (dragStarted || juce::roundToInt (e.getDistanceFromDragStart()) < 5)
        return;
    dragStarted = true;
    owner.startDragging (ModuleCard::dragPrefix + fxId, this, juce::ScaledImage(), false);
}

void RackOrderStrip::Chip::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    const auto c = chipColour (fxId);
    g.setGradientFill (juce::ColourGradient (c.withAlpha ((juce::uint8) 0x3B), 0.5f, 0.5f, juce::Colour (0xFF17101F),
                                             w - 0.5f, h - 0.5f, false));
    g.fillRoundedRectangle (0.5f, 0.5f, juce::jmax (w - 1.0f, 0.0f), juce::jmax (h - 1.0f, 0.0f), 7.0f);
    g.setColour (c.withAlpha ((juce::uint8) 0x94));
    g.drawRoundedRectangle (1.0f, 1.0f, juce::jmax (w - 2.0f, 0.0f), juce::jmax (h - 2.0f, 0.0f), 7.0f, 1.0f);
    g.setColour (juce::Colour (0xEBFFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (9.0f, true));
    g.drawText (chipText (fxId), 0, 0, getWidth(), getHeight(), juce::Justification::centred, true);
}
