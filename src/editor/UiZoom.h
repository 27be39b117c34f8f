#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The editor's zoom settings and how the automatic one is chosen. Zoom is stored as a whole
// percentage ("uiZoom" on the state root); the layout itself stays in logical pixels.
namespace UiZoom
{
inline constexpr int settings[] = { 75, 100, 125, 150, 175, 200 };
inline constexpr int defaultPercent = 100;

// The setting nearest to a scale factor (1.5 gives 150), within the table's range.
int nearest (double scale);

// The setting a stored value stands for, or nothing when there is none (automatic zoom).
std::optional<int> fromStored (const juce::var& stored);

// The next setting up (direction 1) or down (-1), staying at the ends.
int step (int percent, int direction);

// What the window's scale should be when nothing is stored: the host's scale when it gave
// one, else the display's, else the X resources' Xft.dpi / 96. The display's scale is
// already applied to every window by JUCE, so the zoom is what is left on top of it.
int automatic (std::optional<double> hostScale, double displayScale, std::optional<double> xftDpi);

// Xft.dpi from the text of the X resource database ("Xft.dpi:\t192\n..."), if set and sane.
std::optional<double> xftDpiFromResources (const juce::String& resources);
} // namespace UiZoom
