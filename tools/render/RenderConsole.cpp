#include "RenderConsole.h"

RenderConsole::RenderConsole (std::ostream& o, std::ostream& e) : out (o), errors (e)
{
}

void RenderConsole::print (const juce::String& line)
{
    const std::lock_guard<std::mutex> guard (lock);
    out << line << std::endl;
}

void RenderConsole::printText (const juce::String& text)
{
    const std::lock_guard<std::mutex> guard (lock);
    out << text << std::flush;
}

void RenderConsole::warn (const juce::String& message)
{
    const std::lock_guard<std::mutex> guard (lock);
    errors << "lumivox-render: warning: " << message << std::endl;
}

void RenderConsole::fail (const juce::String& message)
{
    const std::lock_guard<std::mutex> guard (lock);
    errors << "lumivox-render: " << message << std::endl;
}
