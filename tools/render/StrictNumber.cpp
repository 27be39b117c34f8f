#include "StrictNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace StrictNumber
{
bool parseDouble (const juce::String& text, double& result)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty() || trimmed != text)
        return false;

    const std::string s = trimmed.toStdString();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod (s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || ! std::isfinite (value))
        return false;

    // strtod also takes hexadecimal and "infinity"; a command line wants plain decimals.
    if (trimmed.containsAnyOf ("xXnNiI"))
        return false;

    result = value;
    return true;
}

bool parseInteger (const juce::String& text, juce::int64& result)
{
    const bool signedText = text.startsWithChar ('-') || text.startsWithChar ('+');
    const auto digits = signedText ? text.substring (1) : text;
    if (digits.isEmpty() || ! digits.containsOnly ("0123456789"))
        return false;

    const std::string s = text.toStdString();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll (s.c_str(), &end, 10);
    if (end != s.c_str() + s.size() || errno == ERANGE)
        return false;

    result = (juce::int64) value;
    return true;
}
} // namespace StrictNumber
