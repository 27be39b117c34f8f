#include "AutomationFile.h"
#include "AutomationLane.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct Played
{
    juce::int64 frame;
    float value;
    int tag;

    bool operator== (const Played& other) const
    {
        return frame == other.frame && std::abs (value - other.value) < 1.0e-4f && tag == other.tag;
    }
};

std::ostream& operator<< (std::ostream& s, const Played& p)
{
    return s << "{" << p.frame << ", " << p.value << ", " << p.tag << "}";
}
} // namespace

TEST (AutomationLane, RampsBetweenPointsOnTheThirtyTwoSampleGrid)
{
    using P = AutomationLane::Point;
    struct Case
    {
        const char* name;
        bool ramps;
        std::vector<P> points;
        juce::int64 endFrame;
        std::vector<Played> expected;
    };

    const Case cases[] = {
        { "a ramp between two points", true, { { 10, 0.0f, 0 }, { 100, 90.0f, 1 } }, 1000,
          { { 10, 0, 0 }, { 32, 22, -1 }, { 64, 54, -1 }, { 96, 86, -1 }, { 100, 90, 1 } } },
        { "a switch steps at its points", false, { { 10, 0.0f, 0 }, { 100, 1.0f, 1 } }, 1000,
          { { 10, 0, 0 }, { 100, 1, 1 } } },
        { "two points at one frame: a jump", true, { { 0, 5.0f, 0 }, { 64, 10.0f, 1 }, { 64, 0.0f, 2 }, { 128, 64.0f, 3 } }, 1000,
          { { 0, 5, 0 }, { 32, 7.5f, -1 }, { 64, 10, 1 }, { 64, 0, 2 }, { 96, 32, -1 }, { 128, 64, 3 } } },
        { "a falling ramp from a point on the grid", true, { { 64, 100.0f, 0 }, { 192, 0.0f, 1 } }, 1000,
          { { 64, 100, 0 }, { 96, 75, -1 }, { 128, 50, -1 }, { 160, 25, -1 }, { 192, 0, 1 } } },
        { "the end cuts a ramp towards a later point", true, { { 0, 0.0f, 0 }, { 320, 320.0f, 1 } }, 100,
          { { 0, 0, 0 }, { 32, 32, -1 }, { 64, 64, -1 }, { 96, 96, -1 } } },
        { "a point at the end is not played", true, { { 5, 1.0f, 0 }, { 100, 2.0f, 1 } }, 5, {} },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        AutomationLane lane (Param::delayMix, c.ramps, c.points, c.endFrame);
        EXPECT_EQ (lane.getParameter(), Param::delayMix);

        std::vector<Played> played;
        for (int guard = 0; lane.nextFrame() != AutomationLane::noFrame && guard < 1000; ++guard)
        {
            const auto frame = lane.nextFrame();
            lane.playNext ([&] (float value, int tag) { played.push_back ({ frame, value, tag }); });
        }
        EXPECT_EQ (played, c.expected);
    }
}

TEST (AutomationFile, ReadsPointsAndNamesTheBadLine)
{
    struct Case
    {
        const char* text;
        const char* error;                  // empty when the text is good
        std::vector<AutomationPoint> points; // origin is checked as "'moves.txt' line N" through line
        std::vector<int> lines;
    };

    const auto point = [] (double seconds, Param::Index index, float value)
    { return AutomationPoint { seconds, { index, value }, {} }; };

    const Case cases[] = {
        { "# a comment\n\n0 delayMix 0\n  1.5\tdelayMix   100  # up\r\n2 driveQuality ECO 1X\n2 delayOn off\n1 filterType bp\n",
          "",
          { point (0.0, Param::delayMix, 0.0f), point (1.5, Param::delayMix, 100.0f), point (2.0, Param::driveQuality, 0.0f),
            point (2.0, Param::delayOn, 0.0f), point (1.0, Param::filterType, 2.0f) },
          { 3, 4, 5, 6, 7 } },
        { "1 delayMix 10\n1 delayMix 20\n", "", { point (1.0, Param::delayMix, 10.0f), point (1.0, Param::delayMix, 20.0f) }, { 1, 2 } },
        { "", "", {}, {} },
        { "0 delayMix 0\n1 delayMix\n", "'moves.txt' line 2: expected SECONDS ID VALUE, got '1 delayMix'", {}, {} },
        { "1.5\n", "'moves.txt' line 1: expected SECONDS ID VALUE, got '1.5'", {}, {} },
        { "soon delayMix 5\n", "'moves.txt' line 1: the time must be a number of seconds from 0 to 1000000, got 'soon'", {}, {} },
        { "-1 delayMix 5\n", "'moves.txt' line 1: the time must be a number of seconds from 0 to 1000000, got '-1'", {}, {} },
        { "1:5 delayMix 5\n", "'moves.txt' line 1: the time must be a number of seconds from 0 to 1000000, got '1:5'", {}, {} },
        { "\n\n\n1 nope 5\n", "'moves.txt' line 4: unknown parameter 'nope'", {}, {} },
        { "1 delayMix 5 6\n", "'moves.txt' line 1: invalid value '5 6' for 'delayMix': expected a number", {}, {} },
        { "1 filterType notch\n", "'moves.txt' line 1: invalid value 'notch' for 'filterType': expected an index 0..2 or one of LP, HP, BP", {}, {} },
        { "2 delayMix 5\n1 cutoff 100\n1.5 delayMix 7\n",
          "'moves.txt' line 3: 1.5 s is before the previous point of 'delayMix' at 2 s; each parameter's points must be in time order", {}, {} },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.text);
        std::vector<AutomationPoint> points;
        juce::String error;
        const bool ok = AutomationFile::parse (c.text, "'moves.txt'", points, error);
        EXPECT_EQ (error, c.error);
        EXPECT_EQ (ok, juce::String (c.error).isEmpty());
        if (! ok)
            continue;

        ASSERT_EQ (points.size(), c.points.size());
        for (size_t i = 0; i < points.size(); ++i)
        {
            EXPECT_EQ (points[i].seconds, c.points[i].seconds) << i;
            EXPECT_EQ (points[i].assignment.index, c.points[i].assignment.index) << i;
            EXPECT_EQ (points[i].assignment.value, c.points[i].assignment.value) << i;
            EXPECT_EQ (points[i].origin, "'moves.txt' line " + juce::String (c.lines[i])) << i;
        }
    }
}

TEST (AutomationFile, RefusesFilesItCannotReadAsText)
{
    render_testing::ScratchFolder scratch;
    const char binary[] = "1 delayMix \xff\xfe\n";
    scratch.file ("binary.txt").replaceWithData (binary, sizeof (binary) - 1);
    scratch.file ("folder.txt").createDirectory();

    struct Case { const char* name; const char* error; };
    const Case cases[] = {
        { "missing.txt", "cannot read automation file '" },
        { "folder.txt", "cannot read automation file '" },
        { "/dev/zero", "cannot read automation file '/dev/zero'" },
        { "binary.txt", "binary.txt' is not UTF-8 text" },
    };
    for (const auto& c : cases)
    {
        std::vector<AutomationPoint> points;
        juce::String error;
        const auto file = juce::String (c.name).startsWithChar ('/') ? juce::File (c.name) : scratch.file (c.name);
        EXPECT_FALSE (AutomationFile::read (file, points, error)) << c.name;
        EXPECT_TRUE (error.contains (c.error)) << error;
    }
}
