#pragma once

#include <juce_core/juce_core.h>

// Parses XML text that comes from outside the running instance (a host's saved state, a
// preset file). The framework's parser never returns on a processing instruction followed
// by text inside an element ("<a><?x?>b</a>", or one inside a broken tag) and recurses once
// per nesting level, so such text is refused before it reaches the parser.
namespace SafeXml
{
constexpr int maximumDepth = 64;

// The document element of UTF-8 text, or nullptr for bytes that are not valid UTF-8 (the
// framework's text walking can step past the end of a broken sequence), for text that is
// refused or does not parse, and for a document cut short before its root element's end.
std::unique_ptr<juce::XmlElement> parse (const char* utf8, int numBytes);

// True when the text holds nothing the framework's parser cannot safely handle.
bool isSafeToParse (const juce::String& text);
} // namespace SafeXml
