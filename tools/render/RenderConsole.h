#pragma once

#include <juce_core/juce_core.h>

#include <mutex>
#include <ostream>

// Standard output and standard error for renders that may run on several threads at once:
// each line arrives whole.
class RenderConsole
{
public:
    RenderConsole (std::ostream& out, std::ostream& errors);

    // A line on standard output.
    void print (const juce::String& line);

    // Text on standard output as it is (listings end their own lines).
    void printText (const juce::String& text);

    // "lumivox-render: warning: ..." and "lumivox-render: ..." on standard error.
    void warn (const juce::String& message);
    void fail (const juce::String& message);

private:
    std::mutex lock;
    std::ostream& out;
    std::ostream& errors;
};
