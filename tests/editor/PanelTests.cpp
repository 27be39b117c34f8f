#include "editor/LUMIVOXAudioProcessorEditor.h"
#include "engine/StateProperties.h"
#include "support/MouseEvents.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST (MenuPanel, OpensOnSettingsAndReadsTheDecorationsFlagSilently)
{
    LUMIVOXAudioProcessor p;
    {
        LumivoxMenuPanel panel (p.apvts);
        EXPECT_EQ (panel.page, LumivoxMenuPanel::settingsPage);
        EXPECT_TRUE (panel.pageButtons[1]->getToggleState());
        EXPECT_FALSE (panel.pageButtons[0]->getToggleState());
        EXPECT_TRUE (panel.decorationsToggle.isVisible());
        EXPECT_TRUE (panel.decorationsToggle.getToggleState()) << "absent means on";
        EXPECT_FALSE (panel.browseBanksButton.isVisible());
        EXPECT_FALSE (panel.openPresetFolderButton.isVisible());
        EXPECT_EQ (panel.pageTitleLabel.getText(), "SETTINGS / UI");
    }

    p.apvts.state.setProperty (StateProperty::uiDecorations, false, nullptr);
    LumivoxMenuPanel panel (p.apvts);
    EXPECT_FALSE (panel.decorationsToggle.getToggleState());

    panel.select (LumivoxMenuPanel::aboutPage);
    const auto firstLine = juce::StringArray::fromLines (panel.pageText.getText())[0];
    EXPECT_EQ (firstLine, "LUMIVOX 1.8.1");
    EXPECT_TRUE (panel.pageText.getText().contains ("Built with JUCE 7.0.5."));
    EXPECT_FALSE (panel.decorationsToggle.isVisible());
    panel.select (LumivoxMenuPanel::banksPage);
    EXPECT_TRUE (panel.browseBanksButton.isVisible());

    std::pair<int, int> chosen;
    panel.onWindowSizeChosen = [&chosen] (int w, int h) { chosen = { w, h }; };
    ASSERT_EQ (panel.windowSizeButtons[2]->getButtonText(), "1080 x 680");
    panel.windowSizeButtons[2]->onClick();
    EXPECT_EQ (chosen, std::make_pair (1080, 680));

    panel.setSize (40, 30);
    for (auto* c : panel.getChildren())
        EXPECT_TRUE (c->getWidth() >= 0 && c->getHeight() >= 0);
}

TEST (MenuPanel, EditorWiresSizesDecorationsAndOnePanelAtATime)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);

    editor.openModulationPanel();
    EXPECT_TRUE (editor.modulationPanel.isVisible());
    editor.menuButton.onClick();
    EXPECT_TRUE (editor.menuPanel.isVisible());
    EXPECT_FALSE (editor.modulationPanel.isVisible()) << "the menu replaces the matrix";

    editor.presetBrowser.toFront (false);
    editor.menuPanel.windowSizeButtons[3]->onClick();
    EXPECT_EQ (editor.getWidth(), 1220);
    EXPECT_EQ (editor.getHeight(), 760);
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiWidth), 1220);
    auto* panels = editor.menuPanel.getParentComponent();
    ASSERT_EQ (panels, editor.presetBrowser.getParentComponent());
    EXPECT_GT (panels->getIndexOfChildComponent (&editor.menuPanel), panels->getIndexOfChildComponent (&editor.presetBrowser))
        << "resizing keeps the open panel in front";

    editor.menuPanel.decorationsToggle.setToggleState (false, juce::dontSendNotification);
    editor.menuPanel.decorationsToggle.onClick();
    EXPECT_FALSE (editor.decorationsEnabled);
    EXPECT_FALSE ((bool) p.apvts.state.getProperty (StateProperty::uiDecorations));

    editor.menuPanel.browseBanksButton.onClick();
    EXPECT_TRUE (editor.presetBrowser.isVisible());
    EXPECT_FALSE (editor.menuPanel.isVisible());

    editor.modButton.onClick();
    editor.modulationPanel.closeButton.onClick();
    EXPECT_FALSE (editor.modulationPanel.isVisible());
}

namespace
{
void setRoute (LUMIVOXAudioProcessor& p, int r, float source, float destination, float depth)
{
    setParameter (p, Param::modSources[r], source);
    setParameter (p, Param::modDestinations[r], destination);
    setParameter (p, Param::modDepths[r], depth);
}
} // namespace

TEST (ModulationPanel, ClearRoutesAndClrTouchExactlyTheirParameters)
{
    LUMIVOXAudioProcessor p;
    ModulationMatrixPanel panel (p.apvts);
    for (int r = 0; r < 8; ++r)
        setRoute (p, r, 1.0f + (float) r, 3.0f + (float) r, 10.0f * (float) r - 35.0f);
    setParameter (p, "modEnabled3", 0.0f);

    int changes = 0;
    panel.onRoutesChanged = [&changes] { ++changes; };

    // CLR on route 3 (index 2) only.
    p.undoManager.clearUndoHistory();
    changes = 0;
    panel.routes[2].removeButton.onClick();
    for (int r = 0; r < 8; ++r)
    {
        const bool cleared = r == 2;
        EXPECT_EQ (parameterValue (p, Param::modSources[r]), cleared ? 0.0f : 1.0f + (float) r) << r;
        EXPECT_EQ (parameterValue (p, Param::modDestinations[r]), cleared ? 0.0f : 3.0f + (float) r) << r;
        EXPECT_FLOAT_EQ (parameterValue (p, Param::modDepths[r]), cleared ? 0.0f : 10.0f * (float) r - 35.0f) << r;
    }
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Remove modulation route");

    setRoute (p, 2, 4.0f, 5.0f, 50.0f);
    p.undoManager.clearUndoHistory();
    changes = 0;
    panel.clearButton.onClick();
    for (int r = 0; r < 8; ++r)
    {
        EXPECT_EQ (parameterValue (p, Param::modSources[r]), 0.0f);
        EXPECT_EQ (parameterValue (p, Param::modDestinations[r]), 0.0f);
        EXPECT_EQ (parameterValue (p, Param::modDepths[r]), 0.0f);
    }
    EXPECT_EQ (parameterValue (p, "modEnabled3"), 0.0f) << "enable switches stay";
    EXPECT_EQ (parameterValue (p, "modEnabled1"), 1.0f);
    EXPECT_GE (changes, 1);
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Clear modulation routes");
    p.undoManager.undo();
    EXPECT_EQ (parameterValue (p, Param::modSources[7]), 8.0f) << "one undo step restores every route";
    EXPECT_EQ (parameterValue (p, Param::modSources[0]), 1.0f);

    // Item id 32 is choice index 31.
    panel.routes[0].destinationBox.setSelectedId (32, juce::sendNotificationSync);
    EXPECT_EQ (parameterValue (p, Param::modDestinations[0]), 31.0f);
    EXPECT_EQ (panel.routes[0].destinationBox.getText(), "FORMANT SHIFT");
}

TEST (ModulationPanel, LayoutAtAThousandPixelsAndWhenTiny)
{
    LUMIVOXAudioProcessor p;
    ModulationMatrixPanel panel (p.apvts);
    panel.setSize (1000, 640);
    EXPECT_EQ (panel.sourceSliders[0].getX() - 50, 24);
    EXPECT_EQ (panel.sourceCaptions[2].getX(), 24 + 232 + 8) << "columns (1000 - 72) / 4 wide";
    EXPECT_EQ (panel.sourceSliders[2].getWidth(), 232 - 50);
    EXPECT_EQ (panel.routes[0].sourceBox.getWidth(), 130);
    EXPECT_EQ (panel.routes[0].destinationBox.getWidth(), 205);
    EXPECT_EQ (panel.routes[0].removeButton.getRight(), 24 + 952);
    EXPECT_GT (panel.routes[7].depthSlider.getY(), panel.routes[6].depthSlider.getBottom() - 1);
    EXPECT_LE (panel.routes[7].depthSlider.getBottom(), 640 - 12);

    panel.setSize (30, 20);
    std::function<void (juce::Component&)> check = [&] (juce::Component& c)
    {
        EXPECT_GE (c.getWidth(), 0);
        EXPECT_GE (c.getHeight(), 0);
    };
    for (auto* c : panel.getChildren())
        check (*c);
}

namespace
{
struct ShaperFixture : ::testing::Test
{
    LUMIVOXAudioProcessor p;
    ShaperEditor shaper { p.apvts };

    void SetUp() override
    {
        shaper.setSize (328, 124); // plot 300 x 100 from (14, 12)
        for (int i = 0; i < 16; ++i)
            setParameter (p, Param::shaperPoints[i], 0.5f);
        p.apvts.copyState(); // lands the set-up in the history before it is cleared
        p.undoManager.clearUndoHistory();
    }

    float point (int i) { return parameterValue (p, Param::shaperPoints[i]); }
};
} // namespace

TEST_F (ShaperFixture, ClicksPickTheNearestPoint)
{
    EXPECT_EQ (shaper.pointAt (0.0f), 0);
    EXPECT_EQ (shaper.pointAt (400.0f), 15);
    EXPECT_EQ (shaper.pointAt (14.0f + 300.0f * 7.5f / 15.0f), 8) << "halfway between 7 and 8 rounds up";
    EXPECT_EQ (shaper.pointAt (14.0f + 20.0f * 3.0f - 1.0f), 3);

    ShaperEditor tiny (p.apvts);
    tiny.setSize (20, 20);
    EXPECT_EQ (tiny.pointAt (19.0f), 0) << "no plot width: every point sits at x 14";
    juce::Image image (juce::Image::ARGB, 20, 20, true);
    juce::Graphics g (image);
    tiny.paint (g);
}

TEST_F (ShaperFixture, DraggingSetsOnePointAsOneUndoStep)
{
    const float x4 = 14.0f + 80.0f;
    shaper.mouseDown (mouseEventAt (shaper, x4, 12.0f + 100.0f * 0.25f));
    EXPECT_EQ (shaper.activePoint, 4);
    EXPECT_NEAR (point (4), 0.75f, 1e-3f);

    // Above the plot is full level; moving sideways keeps the same point.
    shaper.mouseDrag (dragEventAt (shaper, x4, 37.0f, x4 + 120.0f, -40.0f));
    EXPECT_NEAR (point (4), 1.0f, 1e-6f);
    EXPECT_NEAR (point (10), 0.5f, 1e-6f);
    shaper.mouseDrag (dragEventAt (shaper, x4, 37.0f, x4, 300.0f));
    EXPECT_NEAR (point (4), 0.0f, 1e-6f);

    // Shift snaps to eighths: 60 % height gives 5/8.
    shaper.mouseDrag (dragEventAt (shaper, x4, 37.0f, x4, 12.0f + 40.0f, juce::ModifierKeys::shiftModifier));
    EXPECT_FLOAT_EQ (point (4), 0.625f);
    shaper.mouseUp (mouseEventAt (shaper, x4, 52.0f));
    EXPECT_EQ (shaper.activePoint, -1);

    EXPECT_EQ (p.undoManager.getUndoDescription(), "Edit shaper");
    p.undoManager.undo();
    EXPECT_NEAR (point (4), 0.5f, 1e-6f);
    EXPECT_FALSE (p.undoManager.canUndo()) << "the whole drag was one step";
}

TEST_F (ShaperFixture, DoubleClickSetsFullLevel)
{
    shaper.mouseDoubleClick (mouseEventAt (shaper, 14.0f + 300.0f, 100.0f, {}, 2));
    EXPECT_FLOAT_EQ (point (15), 1.0f);
    EXPECT_EQ (shaper.activePoint, -1);
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Edit shaper");
    p.undoManager.undo();
    EXPECT_NEAR (point (15), 0.5f, 1e-6f);
}
