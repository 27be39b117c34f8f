#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The shaper's sixteen-point volume curve, drawn and edited with the mouse. Each drag is one
// host gesture and one undo step; the drawing always reads the live parameters.
class ShaperEditor final : public juce::Component, private juce::Timer
{
public:
    explicit ShaperEditor (juce::AudioProcessorValueTreeState& state);
    ~ShaperEditor() override;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseDoubleClick (const juce::MouseEvent& e) override;

    // The point nearest to an x position.
    int pointAt (float x) const noexcept;
    void beginGesture (int index);
    void setPointFromMouse (int index, float y, bool snap);

    int activePoint = -1;

private:
    void timerCallback() override { repaint(); }
    void beginEditTransaction();
    void endGesture();
    juce::RangedAudioParameter* point (int index) const;

    juce::AudioProcessorValueTreeState& state;
};
