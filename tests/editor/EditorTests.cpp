#include "editor/LUMIVOXAudioProcessorEditor.h"
#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "support/TestHelpers.h"

using namespace testing_support;

TEST (Editor, WindowSizeIsRememberedAndClamped)
{
    LUMIVOXAudioProcessor fresh;
    {
        LUMIVOXAudioProcessorEditor editor (fresh);
        EXPECT_EQ (editor.getWidth(), 920);
        EXPECT_EQ (editor.getHeight(), 580);
        EXPECT_TRUE (editor.decorationsEnabled);
    }

    LUMIVOXAudioProcessor p;
    p.apvts.state.setProperty (StateProperty::uiWidth, 3000, nullptr);
    p.apvts.state.setProperty (StateProperty::uiHeight, 200, nullptr);
    LUMIVOXAudioProcessorEditor editor (p);
    EXPECT_EQ (editor.getWidth(), 1600);
    EXPECT_EQ (editor.getHeight(), 520);
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiWidth), 1600) << "written back as opened";
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiHeight), 520);
}

TEST (Editor, PresetNameShowsEditsAndWorkflowButtonsKeepTheirUndoRules)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);
    editor.presetBrowser.load (FactoryLibrary::indexOf ("NEON ORBIT"));
    editor.syncWorkflowButtons();
    EXPECT_EQ (editor.presetNameButton.getButtonText(), "NEON ORBIT");
    setParameter (p, "cutoff", 500.0f);
    editor.syncWorkflowButtons();
    EXPECT_EQ (editor.presetNameButton.getButtonText(), "NEON ORBIT *");
    setParameter (p, "cutoff", 9200.0f);
    editor.syncWorkflowButtons();
    EXPECT_EQ (editor.presetNameButton.getButtonText(), "NEON ORBIT");

    setParameter (p, "cutoff", 700.0f);
    p.apvts.copyState(); // the tree records the change for undo
    ASSERT_TRUE (p.undoManager.canUndo());
    editor.copyButton.onClick();
    EXPECT_TRUE (p.undoManager.canUndo()) << "COPY keeps the undo history";
    editor.slotBButton.onClick();
    EXPECT_FALSE (p.undoManager.canUndo()) << "A/B clears it";
    EXPECT_TRUE (editor.slotBButton.getToggleState());

    const auto shaperBefore = parameterValue (p, "shaperDepth");
    const auto before = p.apvts.copyState().toXmlString();
    editor.randomizeAllButton.onClick();
    EXPECT_EQ (parameterValue (p, "shaperDepth"), shaperBefore) << "RND leaves the shaper alone";
    EXPECT_NE (p.apvts.copyState().toXmlString(), before);
    editor.undoButton.onClick();
    EXPECT_EQ (p.apvts.copyState().toXmlString(), before) << "one UNDO reverts the whole randomisation";
}

TEST (Editor, ControlZAndControlShiftZUndoAndRedo)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);
    ASSERT_TRUE (p.getRackManager().insertFx ("delay"));
    const auto command = juce::ModifierKeys::commandModifier;

    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('z', command, 'z')));
    EXPECT_FALSE (p.getInsertedFxOrder().contains ("delay"));
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('z', command | juce::ModifierKeys::shiftModifier, 'Z')));
    EXPECT_TRUE (p.getInsertedFxOrder().contains ("delay"));
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('z', command, 'z')));
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('y', command, 'y')));
    EXPECT_TRUE (p.getInsertedFxOrder().contains ("delay"));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('z', juce::ModifierKeys(), 'z'))) << "a plain z is not a shortcut";
}

TEST (Editor, StoredZoomScalesTheWindowAndKeepsTheLayoutLogical)
{
    LUMIVOXAudioProcessor p;
    p.apvts.state.setProperty (StateProperty::uiZoom, 200, nullptr);
    LUMIVOXAudioProcessorEditor editor (p);
    EXPECT_EQ (editor.zoomPercent(), 200);
    EXPECT_EQ (editor.getWidth(), 1840);
    EXPECT_EQ (editor.getHeight(), 1160);
    EXPECT_EQ (editor.logicalSize(), juce::Point<int> (920, 580));
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiWidth), 920) << "the window size stays logical";
    EXPECT_EQ (editor.menuButton.getBounds(), juce::Rectangle<int> (836, 18, 68, 30));
    EXPECT_EQ (editor.getLocalArea (&editor.menuButton, editor.menuButton.getLocalBounds()),
               juce::Rectangle<int> (1672, 36, 136, 60))
        << "and is drawn twice as large";

    // Window sizes keep their logical sizes; a host's resize is divided by the zoom.
    editor.menuPanel.windowSizeButtons[2]->onClick();
    EXPECT_EQ (editor.getBounds().getBottomRight(), juce::Point<int> (2160, 1360));
    editor.setSize (2000, 1200);
    EXPECT_EQ (editor.logicalSize(), juce::Point<int> (1000, 600));
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiWidth), 1000);

    // Reopened with the same state: the same zoom and size.
    LUMIVOXAudioProcessorEditor again (p);
    EXPECT_EQ (again.getWidth(), 2000);
    EXPECT_EQ (again.getHeight(), 1200);
}

TEST (Editor, ZoomFromMenuKeysAndHostScale)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);
    ASSERT_EQ (editor.zoomPercent(), 100) << "a virtual display without Xft.dpi";
    const auto command = juce::ModifierKeys::commandModifier;

    struct Key { juce::KeyPress key; int percent; };
    const Key keys[] = { { juce::KeyPress ('=', command, '='), 125 },
                         { juce::KeyPress ('=', command | juce::ModifierKeys::shiftModifier, '+'), 150 },
                         { juce::KeyPress (juce::KeyPress::numberPadAdd, command, '+'), 175 },
                         { juce::KeyPress ('-', command, '-'), 150 },
                         { juce::KeyPress ('0', command, '0'), 100 },
                         { juce::KeyPress ('-', command, '-'), 75 },
                         { juce::KeyPress ('-', command, '-'), 75 } };
    for (const auto& k : keys)
    {
        EXPECT_TRUE (editor.keyPressed (k.key));
        EXPECT_EQ (editor.zoomPercent(), k.percent) << k.key.getTextDescription();
        EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiZoom), k.percent);
        EXPECT_EQ (editor.getWidth(), 920 * k.percent / 100);
    }
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('=', juce::ModifierKeys(), '='))) << "a plain = is not a shortcut";

    // A stored setting wins over the host's scale.
    editor.setScaleFactor (2.0f);
    EXPECT_EQ (editor.zoomPercent(), 75);

    // The menu's settings and AUTO; the button in use is marked.
    auto& buttons = editor.menuPanel.zoomButtons;
    ASSERT_EQ (buttons.size(), 7u);
    EXPECT_TRUE (buttons[0]->getToggleState());
    buttons[3]->onClick();
    EXPECT_EQ (editor.zoomPercent(), 150);
    EXPECT_TRUE (buttons[3]->getToggleState());
    EXPECT_FALSE (buttons[0]->getToggleState());
    buttons[6]->onClick();
    EXPECT_FALSE (p.apvts.state.hasProperty (StateProperty::uiZoom)) << "AUTO removes the setting";
    EXPECT_EQ (editor.zoomPercent(), 200) << "and follows the host's scale given before";
    EXPECT_TRUE (buttons[6]->getToggleState());
    EXPECT_EQ (buttons[6]->getButtonText(), "AUTO 200 %");
    EXPECT_EQ (editor.logicalSize(), juce::Point<int> (920, 580));
}

TEST (Editor, HostScaleSetsTheAutomaticZoom)
{
    struct Case { std::vector<float> scales; int percent; };
    // Both wrappers pass 1 when the host gives nothing; a 1 after another scale is the host's.
    for (const auto& c : { Case { { 1.0f }, 100 }, Case { { 2.0f }, 200 }, Case { { 1.5f }, 150 },
                           Case { { 2.0f, 1.0f }, 100 }, Case { { 1.3f }, 125 } })
    {
        LUMIVOXAudioProcessor p;
        LUMIVOXAudioProcessorEditor editor (p);
        for (const float s : c.scales)
            editor.setScaleFactor (s);
        EXPECT_EQ (editor.zoomPercent(), c.percent) << c.scales.back();
        EXPECT_EQ (editor.getWidth(), juce::roundToInt (920 * c.percent / 100.0));
        EXPECT_FALSE (p.apvts.state.hasProperty (StateProperty::uiZoom)) << "automatic zoom is not stored";
    }
}

TEST (Editor, EveryBarHasATrackOfAtLeast80PixelsAtEveryWindowSize)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);
    const std::pair<Knob*, const char*> bars[] = { { &editor.macroSparkleKnob, "SPARKLE" }, { &editor.macroGlitchKnob, "GLITCH" },
                                                   { &editor.macroCrushKnob, "CRUSH" }, { &editor.macroChaosKnob, "CHAOS" },
                                                   { &editor.shaperDepthKnob, "DEPTH" }, { &editor.shaperMixKnob, "MIX" },
                                                   { &editor.inputKnob, "INPUT" }, { &editor.masterMixKnob, "MASTER MIX" },
                                                   { &editor.outputKnob, "OUTPUT" } };
    for (auto& sizeButton : editor.menuPanel.windowSizeButtons)
    {
        sizeButton->onClick();
        for (const auto& [knob, name] : bars)
        {
            auto& s = knob->slider;
            const auto layout = s.getLookAndFeel().getSliderLayout (s);
            const auto track = layout.sliderBounds.getWidth();
            EXPECT_GE (track, 80) << name << " at " << sizeButton->getButtonText();
            EXPECT_GE (layout.sliderBounds.getHeight(), 9) << name << " at " << sizeButton->getButtonText();
            // Inside its card, clear of the card's other bars.
            auto* card = knob->getParentComponent();
            EXPECT_TRUE (card->getLocalBounds().contains (knob->getBounds())) << name << " at " << sizeButton->getButtonText();
            for (const auto& [other, otherName] : bars)
            {
                if (other != knob && other->getParentComponent() == card)
                {
                    EXPECT_FALSE (other->getBounds().intersects (knob->getBounds())) << name << " / " << otherName;
                }
            }
            EXPECT_FALSE (editor.shaperRateChoice.getBounds().intersects (editor.shaperDepthKnob.getBounds()));
            RecordProperty ((sizeButton->getButtonText() + " " + name).toStdString(), track);
        }
    }
}
