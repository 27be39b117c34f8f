#include "engine/SafeXml.h"

#include <gtest/gtest.h>

namespace
{
juce::String nested (int depth)
{
    juce::String text;
    for (int i = 0; i < depth; ++i)
        text << "<a x=\"/>\">";
    for (int i = 0; i < depth; ++i)
        text << "</a>";
    return text;
}
} // namespace

TEST (SafeXml, RefusesWhatTheParserCannotHandle)
{
    struct Case { const char* name; juce::String text; bool parses; };
    const Case cases[] = {
        { "a saved state", "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <S a=\"1\"><P id=\"x\"/></S>", true },
        { "comments and character data", "<S><!-- a comment --><![CDATA[<data>]]>text</S>", true },
        { "a processing instruction before text, which never returns", "<S><?x?>a</S>", false },
        { "any later processing instruction", "<S><P/><?x?></S>", false },
        { "one inside a broken tag", "<S><P id=\"a\"/<?xml version=\"1.0\"?>AM id=\"b\"/></S>", false },
        { "a document type", "<!DOCTYPE S [<!ENTITY e \"<S/>\">]><S>&e;</S>", false },
        { "nesting at the limit", nested (SafeXml::maximumDepth), true },
        { "nesting beyond it", nested (SafeXml::maximumDepth + 1), false },
        { "self-closed siblings do not add up", juce::String ("<S>") + juce::String::repeatedString ("<P/>", 500) + "</S>", true },
        { "not XML", "just text", false },
        { "cut short after the root's name", "<S", false },
        { "cut short after a child", "<S a=\"1\"><P id=\"x\"/>", false },
        { "closed in another case", "<S><P/></s>", true },
    };
    for (const auto& c : cases)
        EXPECT_EQ (SafeXml::parse (c.text.toRawUTF8(), (int) c.text.getNumBytesAsUTF8()) != nullptr, c.parses) << c.name;

    // Broken UTF-8: a lead byte whose sequence is cut off by the end, or by other bytes.
    for (const std::string& bytes : { std::string ("<S>\xe2</S>"), std::string ("<S/>\xf0\x9f"), std::string ("<S a=\"\xc3\"/>") })
        EXPECT_EQ (SafeXml::parse (bytes.data(), (int) bytes.size()), nullptr);
    const std::string valid ("<S a=\"\xc3\xa9\"/>");
    EXPECT_NE (SafeXml::parse (valid.data(), (int) valid.size()), nullptr);
}
