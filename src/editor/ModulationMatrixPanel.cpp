#include "editor/ModulationMatrixPanel.h"

#include "editor/LumivoxLookAndFeel.h"
#include "engine/ParameterTable.h"
#include "engine/UndoFlush.h"

namespace
{
struct SourceControl
{
    const char* caption;
    const char* parameterId;
};

const SourceControl sourceControls[8] = {
    { "RATE", "lfoRate" },       { "DEPTH", "lfoDepth" },    { "RATE", "lfo2Rate" },       { "DEPTH", "lfo2Depth" },
    { "ATTACK", "envAttack" },   { "RELEASE", "envRelease" }, { "RATE", "sampleHoldRate" }, { "SMOOTH", "sampleHoldSmooth" },
};

const std::pair<const char*, juce::uint32> sourceHeaderRows[4] = {
    { "LFO 1", LumivoxLookAndFeel::pink }, { "LFO 2", LumivoxLookAndFeel::cyan },
    { "ENVELOPE", LumivoxLookAndFeel::pink }, { "SAMPLE & HOLD", LumivoxLookAndFeel::cyan } };

void styleLabel (juce::Label& label, const juce::String& text, float height, juce::uint32 colour,
                 juce::Justification justification = juce::Justification::centredLeft)
{
    label.setText (text, juce::dontSendNotification);
    label.setFont (LumivoxLookAndFeel::uiFont (height, true));
    label.setColour (juce::Label::textColourId, juce::Colour (colour));
    label.setJustificationType (justification);
    label.setMinimumHorizontalScale (0.68f);
}

void styleSlider (juce::Slider& slider)
{
    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle (juce::Slider::TextBoxRight, true, 62, 20);
    slider.setColour (juce::Slider::trackColourId, juce::Colour (0xADFF3DAF));
    slider.setColour (juce::Slider::backgroundColourId, juce::Colour (0x12FFFFFF));
    slider.setColour (juce::Slider::thumbColourId, juce::Colour (0xE6FFFFFF));
}

juce::StringArray itemsOf (const char* const* names, int count)
{
    juce::StringArray items;
    for (int i = 0; i < count; ++i)
        items.add (names[i]);
    return items;
}
} // namespace

ModulationMatrixPanel::ModulationMatrixPanel (juce::AudioProcessorValueTreeState& s) : state (s)
{
    using APVTS = juce::AudioProcessorValueTreeState;

    styleLabel (titleLabel, "MODULATION MATRIX", 18.0f, 0xFFFFFFFF);
    styleLabel (subtitleLabel, "8 ROUTES  /  LFO 1 + LFO 2 + ENVELOPE + S&H + SHAPER + MACROS", 9.5f, 0x7AFFFFFF);
    addAndMakeVisible (titleLabel);
    addAndMakeVisible (subtitleLabel);

    closeButton.setColour (juce::TextButton::buttonColourId, juce::Colour (0x38FF3DAF));
    closeButton.setColour (juce::TextButton::textColourOffId, juce::Colours::white);
    closeButton.onClick = [this] { if (onClose != nullptr) onClose(); };
    clearButton.setColour (juce::TextButton::buttonColourId, juce::Colour (0xFF1A1222));
    clearButton.setColour (juce::TextButton::textColourOffId, juce::Colour (0xD1FFFFFF));
    clearButton.onClick = [this] { clearAllRoutes(); };
    addAndMakeVisible (closeButton);
    addAndMakeVisible (clearButton);

    for (size_t k = 0; k < sourceHeaders.size(); ++k)
    {
        styleLabel (sourceHeaders[k], sourceHeaderRows[k].first, 10.5f, sourceHeaderRows[k].second);
        addAndMakeVisible (sourceHeaders[k]);
    }
    for (size_t i = 0; i < sourceSliders.size(); ++i)
    {
        styleLabel (sourceCaptions[i], sourceControls[i].caption, 8.5f, 0x8CFFFFFF);
        addAndMakeVisible (sourceCaptions[i]);
        styleSlider (sourceSliders[i]);
        sourceSliders[i].setTitle (sourceHeaderRows[i / 2].first + juce::String (" ") + sourceControls[i].caption);
        addAndMakeVisible (sourceSliders[i]);
        sliderAttachments.push_back (std::make_unique<APVTS::SliderAttachment> (state, sourceControls[i].parameterId,
                                                                                sourceSliders[i]));
    }

    const auto sources = itemsOf (Param::sourceNames, Param::numSources);
    const auto destinations = itemsOf (Param::destinationNames, Param::numDestinations);
    for (int r = 0; r < Param::numRoutes; ++r)
    {
        auto& route = routes[(size_t) r];
        const juce::String name = "Route " + juce::String (r + 1);

        route.enableButton.setTooltip ("Enable or bypass this route without losing its assignment");
        route.enableButton.setTitle (name + " enable");
        route.removeButton.setTooltip ("Remove this route");
        route.removeButton.setTitle (name + " remove");
        route.removeButton.onClick = [this, r] { removeRoute (r); };
        styleLabel (route.numberLabel, juce::String (r + 1), 10.5f, 0xDBFF3DAF, juce::Justification::centred);

        route.sourceBox.addItemList (sources, 1);
        route.destinationBox.addItemList (destinations, 1);
        route.sourceBox.setTitle (name + " source");
        route.destinationBox.setTitle (name + " destination");
        for (auto* box : { &route.sourceBox, &route.destinationBox })
        {
            box->setJustificationType (juce::Justification::centred);
            box->onChange = [this] { if (onRoutesChanged != nullptr) onRoutesChanged(); };
        }

        styleSlider (route.depthSlider);
        route.depthSlider.setTooltip ("Bipolar modulation depth: negative values invert the source");
        route.depthSlider.setTitle (name + " depth");
        route.depthSlider.onValueChange = [this] { if (onRoutesChanged != nullptr) onRoutesChanged(); };

        for (auto* c : std::initializer_list<juce::Component*> { &route.enableButton, &route.removeButton,
                                                                 &route.numberLabel, &route.sourceBox,
                                                                 &route.destinationBox, &route.depthSlider })
            addAndMakeVisible (c);

        buttonAttachments.push_back (std::make_unique<APVTS::ButtonAttachment> (state, Param::modEnabled[r], route.enableButton));
        comboAttachments.push_back (std::make_unique<APVTS::ComboBoxAttachment> (state, Param::modSources[r], route.sourceBox));
        comboAttachments.push_back (
            std::make_unique<APVTS::ComboBoxAttachment> (state, Param::modDestinations[r], route.destinationBox));
        sliderAttachments.push_back (std::make_unique<APVTS::SliderAttachment> (state, Param::modDepths[r], route.depthSlider));
        // After the attachment, which installs the parameter's own texts.
        route.depthSlider.textFromValueFunction = [] (double v) { return juce::String (v, 1) + "%"; };
        route.depthSlider.valueFromTextFunction = [] (const juce::String& t) { return t.retainCharacters ("-0123456789.").getDoubleValue(); };
        route.depthSlider.updateText();
    }
    setOpaque (false);
}

ModulationMatrixPanel::~ModulationMatrixPanel() = default;

void ModulationMatrixPanel::resetRoute (int r)
{
    for (const auto* id : { Param::modSources[r], Param::modDestinations[r], Param::modDepths[r] })
        if (auto* p = state.getParameter (id))
        {
            p->beginChangeGesture();
            p->setValueNotifyingHost (p->convertTo0to1 (0.0f));
            p->endChangeGesture();
        }
}

void ModulationMatrixPanel::clearAllRoutes()
{
    beginUndoStep (state, "Clear modulation routes");
    for (int r = 0; r < Param::numRoutes; ++r)
        resetRoute (r);
    flushParametersIntoUndoStep (state);
    if (onRoutesChanged != nullptr)
        onRoutesChanged();
}

void ModulationMatrixPanel::removeRoute (int r)
{
    if (r < 0 || r >= Param::numRoutes)
        return;
    beginUndoStep (state, "Remove modulation route");
    resetRoute (r);
    flushParametersIntoUndoStep (state);
}

void ModulationMatrixPanel::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    g.fillAll (juce::Colour (0xC7050409));

    juce::ColourGradient body (juce::Colour (0xFF291634), 12.0f, 12.0f, juce::Colour (0xFF0B0810), w - 12.0f, h - 12.0f, false);
    body.addColour (0.5, juce::Colour (0xFF130C1D));
    g.setGradientFill (body);
    g.fillRoundedRectangle (12.0f, 12.0f, juce::jmax (w - 24.0f, 0.0f), juce::jmax (h - 24.0f, 0.0f), 18.0f);
    g.setColour (juce::Colour (0x29FFFFFF));
    g.drawRoundedRectangle (12.7f, 12.7f, juce::jmax (w - 25.4f, 0.0f), juce::jmax (h - 25.4f, 0.0f), 18.0f, 1.0f);
    g.setColour (juce::Colour (0x6BFF3DAF));
    g.drawRoundedRectangle (14.0f, 14.0f, juce::jmax (w - 28.0f, 0.0f), juce::jmax (h - 28.0f, 0.0f), 16.0f, 1.0f);

    g.setColour (juce::Colour (0x0EFFFFFF));
    g.fillRoundedRectangle (24.0f, 68.0f, juce::jmax (w - 48.0f, 0.0f), 116.0f, 12.0f);
    g.fillRoundedRectangle (24.0f, 194.0f, juce::jmax (w - 48.0f, 0.0f), juce::jmax (h - 218.0f, 0.0f), 12.0f);

    g.setColour (juce::Colour (0x6BFFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (8.5f, true));
    g.drawText ("SOURCE", 64, 200, 120, 14, juce::Justification::centredLeft, false);
    g.drawText ("DESTINATION", 202, 200, 170, 14, juce::Justification::centredLeft, false);
    g.drawText ("DEPTH", 388, 200, 100, 14, juce::Justification::centredLeft, false);
}

void ModulationMatrixPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const int D = juce::jmax (W - 24, 0), B = juce::jmax (H - 24, 0);
    const int HH = juce::jmin (B, 52), BH = juce::jmax (HH - 16, 0);

    const int E = juce::jmin (D, 78);
    closeButton.setBounds (D - E + 14, 20, juce::jmax (E - 4, 0), BH);
    const int M2 = juce::jmin (D, 176);
    clearButton.setBounds (D - M2 + 14, 20, juce::jmax (M2 - E - juce::jmin (M2 - E, 4) - 4, 0), BH);
    const int TW = D - M2 < 17 ? 0 : D - M2 - 16;
    const int T3 = juce::jmin (B, 28);
    titleLabel.setBounds (20, 14, TW, juce::jmax (T3 - 4, 0));
    subtitleLabel.setBounds (20, T3 + 12, TW, juce::jmax (HH - T3, 0));

    const int inner = juce::jmax (W - 24, 24);
    const int CW = juce::jmax ((inner - (inner < 48 ? 45 : 48)) / 4, 138);
    const int SH = juce::jmin (B - HH, 126);
    const int U = juce::jmax (SH - 16, 0);
    int rest = U;
    const int headerHeight = juce::jmin (rest, 20);
    rest -= headerHeight;
    int gap = juce::jmin (rest, 2);
    rest -= gap;
    const int y1 = HH + 20 + headerHeight + gap;
    const int R1 = juce::jmin (rest, 37);
    rest -= R1;
    gap = juce::jmin (rest, 2);
    rest -= gap;
    const int y2 = y1 + R1 + gap;
    const int R2 = juce::jmin (rest, 37);
    for (int k = 0; k < 4; ++k)
    {
        const int x = 24 + k * (CW + 8);
        sourceHeaders[(size_t) k].setBounds (x, HH + 20, CW, headerHeight);
        const int rowY[2] = { y1, y2 }, rowH[2] = { R1, R2 };
        for (int row = 0; row < 2; ++row)
        {
            const auto i = (size_t) (2 * k + row);
            sourceCaptions[i].setBounds (x, rowY[row], 50, rowH[row]);
            sourceSliders[i].setBounds (x + 50, rowY[row], juce::jmax (CW - 50, 0), rowH[row]);
        }
    }

    const int RH = B - HH - SH;
    const int GA = juce::jmin (RH, 6);
    const int RB = juce::jmax (RH - GA - 12, 0);
    const int HS = juce::jmin (RB, 20);
    const int rowHeight = juce::jmax ((RB - HS - 21) / 8, 27);
    const int RW = W <= 48 ? 0 : W - 48;
    int y = HH + SH + GA + HS + 18;
    int remaining = juce::jmax (RB - HS, 0);
    for (auto& route : routes)
    {
        const int L = juce::jmin (remaining, rowHeight);
        remaining -= L;

        const int K = juce::jmin (RW, 38);
        route.removeButton.setBounds (24 + RW - K, y, K, L);
        int left = RW - K - juce::jmin (RW - K, 5);
        int x = 24;
        const auto take = [&] (juce::Component& c, int width)
        {
            c.setBounds (x, y, width, L);
            x += width;
            left -= width;
        };
        const auto skip = [&] (int width)
        {
            x += width;
            left -= width;
        };
        take (route.enableButton, juce::jmin (left, 36));
        take (route.numberLabel, juce::jmin (left, 24));
        skip (juce::jmin (left, 6));
        const int beforeSource = left;
        take (route.sourceBox, juce::jmin (left, beforeSource < 500 ? 100 : juce::jmin (beforeSource / 5, 130)));
        skip (juce::jmin (left, 6));
        take (route.destinationBox,
              juce::jmin (left, beforeSource < 484 ? 145 : juce::jmin (beforeSource * 30 / 100, 205)));
        skip (juce::jmin (left, 8));
        take (route.depthSlider, juce::jmax (left, 0));

        const int spacing = juce::jmin (remaining, 3);
        remaining -= spacing;
        y += L + spacing;
    }
}
