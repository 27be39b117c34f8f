#include "editor/ShaperEditor.h"

#include "engine/ParameterTable.h"
#include "engine/UndoFlush.h"

namespace
{
constexpr float left = 14.0f, top = 12.0f;
}

ShaperEditor::ShaperEditor (juce::AudioProcessorValueTreeState& s) : state (s)
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
    setTitle ("SHAPER curve");
    startTimerHz (30);
}

ShaperEditor::~ShaperEditor()
{
    stopTimer();
    endGesture();
}

juce::RangedAudioParameter* ShaperEditor::point (int index) const
{
    return state.getParameter (Param::shaperPoints[juce::jlimit (0, Param::numShaperPoints - 1, index)]);
}

int ShaperEditor::pointAt (float x) const noexcept
{
    const float plotWidth = (float) juce::jmax (getWidth() - 28, 0);
    const float t = plotWidth > 0.0f ? juce::jlimit (0.0f, 1.0f, (x - left) / plotWidth) : 0.0f;
    return juce::jlimit (0, Param::numShaperPoints - 1, juce::roundToInt (t * 15.0f));
}

void ShaperEditor::beginEditTransaction()
{
    beginUndoStep (state, "Edit shaper");
}

void ShaperEditor::endGesture()
{
    if (activePoint < 0)
        return;
    if (auto* p = point (activePoint))
        p->endChangeGesture();
    flushParametersIntoUndoStep (state);
    activePoint = -1;
    repaint();
}

void ShaperEditor::beginGesture (int index)
{
    if (index == activePoint)
        return;
    endGesture();
    activePoint = index;
    if (auto* p = point (index))
        p->beginChangeGesture();
}

void ShaperEditor::setPointFromMouse (int index, float y, bool snap)
{
    const float plotHeight = (float) juce::jmax (getHeight() - 24, 0);
    float v = juce::jlimit (0.0f, 1.0f, (plotHeight + top - y) / juce::jmax (plotHeight, 1.0f));
    if (snap)
        v = (float) juce::roundToInt (v * 8.0f) * 0.125f;
    if (auto* p = point (index))
        p->setValueNotifyingHost (v);
    repaint();
}

void ShaperEditor::mouseDown (const juce::MouseEvent& e)
{
    beginEditTransaction();
    const int i = pointAt (e.position.x);
    beginGesture (i);
    setPointFromMouse (i, e.position.y, e.mods.isShiftDown());
}

void ShaperEditor::mouseDrag (const juce::MouseEvent& e)
{
    if (activePoint >= 0)
        setPointFromMouse (activePoint, e.position.y, e.mods.isShiftDown());
}

void ShaperEditor::mouseUp (const juce::MouseEvent&) { endGesture(); }

void ShaperEditor::mouseDoubleClick (const juce::MouseEvent& e)
{
    beginEditTransaction();
    const int i = pointAt (e.position.x);
    beginGesture (i);
    if (auto* p = point (i))
        p->setValueNotifyingHost (1.0f);
    endGesture();
}

void ShaperEditor::paint (juce::Graphics& g)
{
    const float pw = (float) juce::jmax (getWidth() - 28, 0), ph = (float) juce::jmax (getHeight() - 24, 0);
    const juce::Rectangle<float> plot (left, top, pw, ph);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF090611), left, top, juce::Colour (0xFF24102F), left + pw,
                                             top + ph, false));
    g.fillRoundedRectangle (plot, 11.0f);

    g.saveState();
    g.reduceClipRegion (plot.toNearestInt());

    if (ph > 0.0f)
        for (int i = 0; i < Param::numShaperPoints; ++i)
        {
            g.setColour (juce::Colour (i % 4 == 0 ? 0x1C32DCFF : 0x09FFFFFF));
            const float x = (float) juce::roundToInt (pw * (float) i / 15.0f + left);
            g.drawLine (x, top, x, top + ph);
        }
    if (pw > 0.0f)
        for (int k = 0; k <= 4; ++k)
        {
            g.setColour (juce::Colour (k == 2 ? 0x1CFF3DAF : 0x0AFFFFFF));
            const float y = (float) juce::roundToInt (top + ph * (float) k / 4.0f);
            g.drawLine (left, y, left + pw, y);
        }

    juce::Point<float> points[Param::numShaperPoints];
    for (int i = 0; i < Param::numShaperPoints; ++i)
    {
        const float v = juce::jlimit (0.0f, 1.0f, point (i) != nullptr ? point (i)->getValue() : 0.0f);
        points[i] = { left + pw * (float) i / 15.0f, top + ph * (1.0f - v) };
    }

    juce::Path stroke, fill;
    stroke.startNewSubPath (points[0]);
    fill.startNewSubPath (left, top + ph);
    for (int i = 0; i < Param::numShaperPoints; ++i)
    {
        if (i > 0)
            stroke.lineTo (points[i]);
        fill.lineTo (points[i]);
    }
    fill.lineTo (left + pw, top + ph);
    fill.closeSubPath();

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x61FF3DAF), left + pw / 2.0f, top, juce::Colour (0x069B5CFF),
                                             left + pw / 2.0f, top + ph, false));
    g.fillPath (fill);
    const juce::PathStrokeType::JointStyle joint = juce::PathStrokeType::curved;
    g.setColour (juce::Colour (0x24FF3DAF));
    g.strokePath (stroke, juce::PathStrokeType (7.0f, joint, juce::PathStrokeType::rounded));
    g.setColour (juce::Colour (0xF2FFFFFF));
    g.strokePath (stroke, juce::PathStrokeType (2.6f, joint, juce::PathStrokeType::rounded));

    for (int i = 0; i < Param::numShaperPoints; ++i)
    {
        const float r = i == activePoint ? 6.0f : 4.2f;
        const auto c = points[i];
        const auto circle = [&] (float radius, juce::uint32 colour)
        {
            g.setColour (juce::Colour (colour));
            g.fillEllipse (c.x - radius, c.y - radius, 2.0f * radius, 2.0f * radius);
        };
        circle (r + 5.0f, 0x2BFF3DAF);
        circle (r + 1.6f, 0xFF120A19);
        circle (r, i == activePoint ? 0xFFFFFFFF : 0xFFFF3DAF);
    }

    g.restoreState();
    g.setColour (juce::Colour (0x2E32DCFF));
    g.drawRoundedRectangle (14.5f, 12.5f, juce::jmax (pw - 1.0f, 0.0f), juce::jmax (ph - 1.0f, 0.0f), 11.0f, 1.0f);
}
