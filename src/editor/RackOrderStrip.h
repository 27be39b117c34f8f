#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// The chips of the inserted effects above the rack, in processing order; a chip dragged onto
// another place reorders the rack.
class RackOrderStrip final : public juce::Component,
                             public juce::DragAndDropContainer,
                             public juce::DragAndDropTarget
{
public:
    RackOrderStrip() = default;
    ~RackOrderStrip() override;

    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDragMove (const SourceDetails& details) override;
    void itemDragExit (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

    // Ignores an empty list and one of more than sixteen ids; repeats are dropped.
    void setOrder (const juce::StringArray& ids);
    void rebuildChips();

    // The chip text of an effect id.
    static juce::String chipText (const juce::String& fxId);

    class Chip final : public juce::Component
    {
    public:
        Chip (RackOrderStrip& owner, juce::String fxId);
        ~Chip() override = default;

        void mouseDown (const juce::MouseEvent& e) override;
        void mouseDrag (const juce::MouseEvent& e) override;
        void paint (juce::Graphics& g) override;

        RackOrderStrip& owner;
        juce::String fxId;
        bool dragStarted = false;
    };

    std::function<void (size_t, size_t)> onMove;
    juce::StringArray order;
    std::vector<std::unique_ptr<Chip>> chips;
    int dropIndex = -1;
    int scrollOffset = 0;

private:
    void layoutChips();
    int dropIndexAt (int x) const;
};
