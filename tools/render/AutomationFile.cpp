#include "AutomationFile.h"

#include "EventTime.h"
#include "NumberFormat.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace
{
// "SECONDS ID VALUE" split at the first two runs of whitespace; false when a part is missing.
bool splitLine (const juce::String& line, juce::String& time, juce::String& id, juce::String& value)
{
    const auto next = [] (juce::String& rest)
    {
        const int end = rest.indexOfAnyOf (" \t");
        const auto token = end < 0 ? rest : rest.substring (0, end);
        rest = end < 0 ? juce::String() : rest.substring (end).trimStart();
        return token;
    };

    auto rest = line;
    time = next (rest);
    id = next (rest);
    value = rest;
    return value.isNotEmpty();
}
} // namespace

namespace AutomationFile
{
bool read (const juce::File& file, std::vector<AutomationPoint>& points, juce::String& error)
{
    const auto name = "'" + file.getFullPathName() + "'";

    // A device or a pipe could be endless, or never answer.
    std::error_code ec;
    if (! std::filesystem::is_regular_file (file.getFullPathName().toStdString(), ec))
    {
        error = "cannot read automation file " + name;
        return false;
    }

    juce::FileInputStream stream (file);
    if (! stream.openedOk())
    {
        error = "cannot read automation file " + name;
        return false;
    }

    juce::MemoryBlock bytes;
    if (stream.readIntoMemoryBlock (bytes, maximumBytes + 1) > (size_t) maximumBytes)
    {
        error = "automation file " + name + " is larger than " + juce::String (maximumBytes / (1024 * 1024)) + " MB";
        return false;
    }

    const auto* data = static_cast<const char*> (bytes.getData());
    if (! juce::CharPointer_UTF8::isValidString (data, (int) bytes.getSize()))
    {
        error = "automation file " + name + " is not UTF-8 text";
        return false;
    }

    return parse (juce::String::fromUTF8 (data, (int) bytes.getSize()), name, points, error);
}

bool parse (const juce::String& text, const juce::String& name, std::vector<AutomationPoint>& points,
            juce::String& error)
{
    points.clear();
    std::map<int, double> latest; // each parameter's last time so far

    const auto lines = juce::StringArray::fromLines (text);
    for (int n = 0; n < lines.size(); ++n)
    {
        const auto where = name + " line " + juce::String (n + 1);
        const auto line = lines[n].upToFirstOccurrenceOf ("#", false, false).trim();
        if (line.isEmpty())
            continue;

        juce::String timeText, id, valueText;
        if (! splitLine (line, timeText, id, valueText))
        {
            error = where + ": expected SECONDS ID VALUE, got '" + line + "'";
            return false;
        }

        AutomationPoint point;
        point.origin = where;
        if (! EventTime::parse (timeText, point.seconds))
        {
            error = where + ": the time must be " + EventTime::expected() + ", got '" + timeText + "'";
            return false;
        }

        juce::String message;
        const auto assignment = ParameterAssignment::make (id, valueText, message);
        if (! assignment.has_value())
        {
            error = where + ": " + message;
            return false;
        }
        point.assignment = *assignment;

        if (const auto previous = latest.find ((int) assignment->index);
            previous != latest.end() && previous->second > point.seconds)
        {
            error = where + ": " + NumberFormat::compact (point.seconds) + " s is before the previous point of '" + id
                    + "' at " + NumberFormat::compact (previous->second) + " s; each parameter's points must be in time order";
            return false;
        }

        latest[(int) assignment->index] = point.seconds;
        points.push_back (point);
    }
    return true;
}
} // namespace AutomationFile
