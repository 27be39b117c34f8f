#include "engine/ParameterTable.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <regex>

// The built bundle's dsp.ttl, as hosts read it: every choice's scale points carry the
// parameter's own values, and the maintainer's addresses are real URIs.
namespace
{
juce::String describedBundle()
{
    return juce::File (LUMIVOX_LV2_SEARCH_DIR).getChildFile ("LUMIVOX.lv2/dsp.ttl").loadFileAsString();
}

// The statement about one parameter, from "plug:ID" to its closing " .".
std::string statementFor (const std::string& ttl, const std::string& id)
{
    const auto start = ttl.find ("\nplug:" + id + "\n");
    if (start == std::string::npos)
        return {};
    const auto end = ttl.find (" .\n", start);
    return ttl.substr (start, end == std::string::npos ? std::string::npos : end - start);
}
} // namespace

TEST (Lv2Description, ChoiceScalePointsCarryTheParametersOwnValues)
{
    const auto ttl = describedBundle().toStdString();
    ASSERT_FALSE (ttl.empty()) << "no dsp.ttl in " << LUMIVOX_LV2_SEARCH_DIR;

    int choices = 0;
    for (const auto& spec : Param::all())
    {
        if (spec.kind == Param::Kind::floating)
            continue;
        const auto statement = statementFor (ttl, spec.id);
        ASSERT_FALSE (statement.empty()) << spec.id;

        const std::regex point (R"re(rdfs:label "([^"]*)" ;\s*rdf:value (-?[0-9.e+-]+) ;)re");
        std::vector<std::pair<std::string, double>> points;
        for (auto it = std::sregex_iterator (statement.begin(), statement.end(), point); it != std::sregex_iterator(); ++it)
            points.emplace_back ((*it)[1].str(), std::stod ((*it)[2].str()));

        const int items = spec.kind == Param::Kind::choice ? spec.numChoices : 2;
        ASSERT_EQ ((int) points.size(), items) << spec.id;
        for (int k = 0; k < items; ++k)
        {
            EXPECT_EQ (points[(size_t) k].second, (double) k) << spec.id << " item " << k;
            if (spec.kind == Param::Kind::choice)
            {
                EXPECT_EQ (points[(size_t) k].first, spec.choices[k]) << spec.id << " item " << k;
            }
        }
        EXPECT_NE (statement.find ("lv2:minimum 0 ;"), std::string::npos) << spec.id;
        EXPECT_NE (statement.find ("lv2:maximum " + std::to_string (items - 1)), std::string::npos) << spec.id;
        choices += spec.kind == Param::Kind::choice ? 1 : 0;
    }
    EXPECT_GT (choices, 10);
}

TEST (Lv2Description, TheMaintainersAddressesAreRealUris)
{
    const auto ttl = describedBundle();
    EXPECT_TRUE (ttl.contains ("foaf:homepage <https://lumivox.audio> ;")) << ttl.fromLastOccurrenceOf ("doap:maintainer", true, false);
    EXPECT_TRUE (ttl.contains ("foaf:mbox <mailto:authors@lumivox.audio> ;")) << ttl.fromLastOccurrenceOf ("doap:maintainer", true, false);
}
