#include "editor/FxBrowser.h"

#include "editor/LumivoxLookAndFeel.h"
#include "engine/EffectCatalogue.h"

namespace
{
constexpr int buttonHeight = 30, left = 12, gap = 5, rowWidth = 451, firstRowTop = 30, rowPitch = 68;

// One heading and one row of buttons per group, in EffectGroup order.
constexpr const char* headings[] = { "UTILITY", "COLOR", "TIME", "GLITCH / RHYTHM", "MODULATION / SPECIAL" };
static_assert (std::size (headings) == (size_t) EffectGroup::modulation + 1);

// The selectable effects by group, then slot.
std::vector<const EffectDescriptor*> offered()
{
    std::vector<const EffectDescriptor*> effects;
    for (const auto& effect : EffectCatalogue::entries)
        if (effect.selectable)
            effects.push_back (&effect);
    std::sort (effects.begin(), effects.end(), [] (const auto* a, const auto* b)
               { return std::make_pair (a->browser.group, a->browser.slot) < std::make_pair (b->browser.group, b->browser.slot); });
    return effects;
}
} // namespace

FxBrowser::FxBrowser (std::function<bool (const juce::String&)> isInserted, std::function<void (const juce::String&)> insert)
{
    for (const auto* entry : offered())
    {
        const juce::String name (entry->browser.name), id (entry->id);
        auto button = std::make_unique<juce::TextButton> (name);
        const bool inserted = isInserted != nullptr && isInserted (id);
        button->setEnabled (! inserted);
        button->setTooltip (inserted ? juce::String ("Already inserted") : "Insert " + name);
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
    // Each group's buttons share its row evenly.
    const auto effects = offered();
    for (size_t i = 0; i < buttons.size() && i < effects.size(); ++i)
    {
        const auto group = effects[i]->browser.group;
        const auto inGroup = std::count_if (effects.begin(), effects.end(), [group] (const auto* e) { return e->browser.group == group; });
        const int width = (rowWidth - gap * (int) (inGroup - 1)) / (int) inGroup;
        buttons[i]->setBounds (left + effects[i]->browser.slot * (width + gap), firstRowTop + rowPitch * (int) group, width,
                               buttonHeight);
    }
}

void FxBrowser::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFF17101F));
    g.setColour (juce::Colour (LumivoxLookAndFeel::cyan));
    g.setFont (LumivoxLookAndFeel::uiFont (11.0f, true));
    for (int i = 0; i < (int) std::size (headings); ++i)
        g.drawText (headings[i], left, 8 + rowPitch * i, 450, 18, juce::Justification::centredLeft, true);
}
