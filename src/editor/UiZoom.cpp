#include "editor/UiZoom.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace UiZoom
{
int nearest (double scale)
{
    int best = defaultPercent;
    double bestDistance = -1.0;
    for (const int s : settings)
    {
        const double distance = std::abs (s - scale * 100.0);
        // Ties go to the larger setting: 112.5 % reads better at 125 than at 100.
        if (bestDistance < 0.0 || distance <= bestDistance)
        {
            best = s;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<int> fromStored (const juce::var& stored)
{
    if (! (stored.isInt() || stored.isInt64() || stored.isDouble() || stored.isString()))
        return std::nullopt;
    const auto text = stored.toString().trim();
    if (text.isEmpty() || ! text.containsOnly ("0123456789."))
        return std::nullopt;
    const double percent = text.getDoubleValue();
    if (! std::isfinite (percent) || percent <= 0.0)
        return std::nullopt;
    return nearest (percent / 100.0);
}

int step (int percent, int direction)
{
    const int current = nearest (percent / 100.0);
    const auto* at = std::find (std::begin (settings), std::end (settings), current);
    const auto index = juce::jlimit (0, (int) std::size (settings) - 1, (int) (at - std::begin (settings)) + direction);
    return settings[index];
}

int automatic (std::optional<double> hostScale, double displayScale, std::optional<double> xftDpi)
{
    const double display = displayScale > 0.0 && std::isfinite (displayScale) ? displayScale : 1.0;
    double wanted = 1.0;
    if (hostScale.has_value() && *hostScale > 0.0 && std::isfinite (*hostScale))
        wanted = *hostScale;
    else if (display > 1.0)
        wanted = display;
    else if (xftDpi.has_value())
        wanted = *xftDpi / 96.0;
    return nearest (wanted / display);
}

std::optional<double> xftDpiFromResources (const juce::String& resources)
{
    for (const auto& line : juce::StringArray::fromLines (resources))
    {
        const auto colon = line.indexOfChar (':');
        if (colon < 0 || line.substring (0, colon).trim() != "Xft.dpi")
            continue;
        const auto value = line.substring (colon + 1).trim();
        const double dpi = value.getDoubleValue();
        if (value.containsOnly ("0123456789.") && dpi >= 24.0 && dpi <= 960.0)
            return dpi;
        return std::nullopt;
    }
    return std::nullopt;
}
} // namespace UiZoom
