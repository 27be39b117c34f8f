#include "engine/SafeXml.h"

namespace SafeXml
{
namespace
{
// Past the optional leading XML declaration, the only processing instruction allowed.
juce::String::CharPointerType afterDeclaration (const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    if (p.compareUpTo (juce::CharPointer_ASCII ("<?xml"), 5) == 0)
    {
        const int end = p.indexOf (juce::CharPointer_ASCII ("?>"));
        if (end >= 0)
            p += end + 2;
    }
    return p;
}
} // namespace

bool isSafeToParse (const juce::String& text)
{
    int depth = 0;
    bool inTag = false;
    juce::juce_wchar quote = 0;

    const auto body = afterDeclaration (text);

    // The parser skips a processing instruction as if it were white space and then rolls
    // back over it when text follows, wherever it stands, so none is accepted anywhere.
    if (body.indexOf (juce::CharPointer_ASCII ("<?")) >= 0)
        return false;

    for (auto p = body; ! p.isEmpty(); ++p)
    {
        const auto c = *p;
        if (quote != 0)
        {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (inTag)
        {
            if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
                inTag = false;
            else if (c == '/' && p[1] == '>')
                --depth;
            continue;
        }
        if (c != '<')
            continue;

        const auto next = p[1];
        if (next == '!')
        {
            // Comments and character data are fine; a document type may define entities.
            if (p.compareUpTo (juce::CharPointer_ASCII ("<!--"), 4) == 0)
            {
                const int end = p.indexOf (juce::CharPointer_ASCII ("-->"));
                if (end < 0)
                    return true; // the parser reports the unterminated comment itself
                p += end + 2;
                continue;
            }
            if (p.compareUpTo (juce::CharPointer_ASCII ("<![CDATA["), 9) == 0)
            {
                const int end = p.indexOf (juce::CharPointer_ASCII ("]]>"));
                if (end < 0)
                    return true;
                p += end + 2;
                continue;
            }
            return false;
        }
        if (next == '/')
        {
            --depth;
            inTag = true;
            continue;
        }
        if (++depth > maximumDepth)
            return false;
        inTag = true;
    }
    return true;
}

std::unique_ptr<juce::XmlElement> parse (const char* utf8, int numBytes)
{
    if (utf8 == nullptr || numBytes <= 0 || ! juce::CharPointer_UTF8::isValidString (utf8, numBytes))
        return {};

    const auto text = juce::String::fromUTF8 (utf8, numBytes);
    if (! isSafeToParse (text))
        return {};
    auto xml = juce::parseXML (text);
    if (xml == nullptr)
        return {};

    // The parser returns what it has read when the text stops early, even just "<LUMIVOX_STATE",
    // so a document cut short must be told apart by its missing end.
    const auto end = text.trimEnd();
    const bool closed = end.endsWithIgnoreCase ("</" + xml->getTagName() + ">")
                        || (xml->getNumChildElements() == 0 && end.endsWith ("/>"));
    return closed ? std::move (xml) : nullptr;
}
} // namespace SafeXml
