#include "editor/UiZoom.h"

#include <gtest/gtest.h>

TEST (UiZoom, SettingsNearestStoredAndStepped)
{
    struct Nearest { double scale; int percent; };
    for (const auto& c : { Nearest { 0.5, 75 }, Nearest { 0.75, 75 }, Nearest { 1.0, 100 }, Nearest { 1.1, 100 },
                           Nearest { 1.125, 125 }, Nearest { 1.5, 150 }, Nearest { 2.0, 200 }, Nearest { 3.0, 200 } })
        EXPECT_EQ (UiZoom::nearest (c.scale), c.percent) << c.scale;

    struct Stored { juce::var value; std::optional<int> percent; };
    for (const auto& c : { Stored { juce::var(), std::nullopt }, Stored { "abc", std::nullopt }, Stored { -5, std::nullopt },
                           Stored { 0, std::nullopt }, Stored { 150, 150 }, Stored { "175", 175 }, Stored { 130, 125 },
                           Stored { 1000, 200 }, Stored { 87.5, 100 } })
        EXPECT_EQ (UiZoom::fromStored (c.value), c.percent) << c.value.toString();

    struct Step { int from, direction, to; };
    for (const auto& c : { Step { 100, 1, 125 }, Step { 200, 1, 200 }, Step { 75, -1, 75 }, Step { 150, -1, 125 },
                           Step { 130, 1, 150 } })
        EXPECT_EQ (UiZoom::step (c.from, c.direction), c.to) << c.from << " " << c.direction;
}

TEST (UiZoom, AutomaticFromHostDisplayOrXftDpi)
{
    struct Case
    {
        std::optional<double> host;
        double display;
        std::optional<double> dpi;
        int percent;
    };
    const Case cases[] = {
        { 2.0, 1.0, std::nullopt, 200 },  // the host's content scale
        { 1.5, 1.0, 192.0, 150 },         // the host wins over Xft.dpi
        { std::nullopt, 1.0, 192.0, 200 },  // KDE or plain X at 192 dpi
        { std::nullopt, 1.0, 144.0, 150 },
        { std::nullopt, 1.0, 120.0, 125 },
        { std::nullopt, 1.0, std::nullopt, 100 },
        { std::nullopt, 2.0, 192.0, 100 },  // GNOME at 2x: JUCE already draws every window twice as large
        { 2.0, 2.0, std::nullopt, 100 },    // ... and a host's 2 on it asks for no more
        { std::nullopt, 0.0, std::nullopt, 100 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (UiZoom::automatic (c.host, c.display, c.dpi), c.percent)
            << c.host.value_or (-1) << " " << c.display << " " << c.dpi.value_or (-1);
}

TEST (UiZoom, XftDpiIsReadFromTheResourceDatabase)
{
    struct Case { const char* resources; std::optional<double> dpi; };
    for (const auto& c : { Case { "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 192.0 },
                           Case { "Xft.dpi: 96", 96.0 },
                           Case { "Xft.antialias:\t1\n", std::nullopt },
                           Case { "Xft.dpi:\tlarge\n", std::nullopt },
                           Case { "Xft.dpi:\t0\n", std::nullopt },
                           Case { "XTerm*dpi:\t192\n", std::nullopt },
                           Case { "", std::nullopt } })
        EXPECT_EQ (UiZoom::xftDpiFromResources (c.resources), c.dpi) << c.resources;
}
