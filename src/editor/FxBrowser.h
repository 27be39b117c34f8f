#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// The "+ FX" call-out: one button per selectable effect, grouped by category; effects
// already in the rack are disabled.
class FxBrowser final : public juce::Component
{
public:
    FxBrowser (std::function<bool (const juce::String&)> isInserted, std::function<void (const juce::String&)> insert);
    ~FxBrowser() override = default;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // The button of an effect id, or null.
    juce::TextButton* buttonFor (const juce::String& fxId) const;

    std::vector<std::unique_ptr<juce::TextButton>> buttons;
};
