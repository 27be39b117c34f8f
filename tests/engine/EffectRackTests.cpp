#include "engine/EffectRack.h"

#include <gtest/gtest.h>

namespace
{
const char* const defaultOrder = "drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,"
                                 "granular,chorus,delay,reverb,width";

juce::StringArray ids (const char* text) { return juce::StringArray::fromTokens (text, ",", {}); }
} // namespace

TEST (EffectRack, StartsInTheDefaultOrder)
{
    EffectRack rack;
    EXPECT_EQ (rack.orderString(), defaultOrder);
    EXPECT_EQ (rack.orderWord(), 0x6a5f9dcb8e743210ull);
}

TEST (EffectRack, IndexForIdIsExactAndCaseSensitive)
{
    EffectRack rack;
    const char* const byIndex[] = { "drive", "filter", "shaper", "gate", "crusher", "delay", "width", "pitch",
                                    "halftime", "granular", "reverb", "stutter", "reverse", "tapestop", "formant",
                                    "chorus" };
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ (rack.indexForId (byIndex[i]), i);
        EXPECT_STREQ (rack.module (i).id(), byIndex[i]);
    }
    for (const char* bad : { "Drive", " drive", "", "tape stop", "lfo" })
        EXPECT_EQ (rack.indexForId (bad), -1) << bad;
}

TEST (EffectRack, SetOrderAcceptsOnlyPermutations)
{
    struct Case { const char* order; bool accepted; };
    const Case cases[] = {
        { "width,reverb,delay,chorus,granular,tapestop,reverse,stutter,halftime,formant,pitch,crusher,gate,shaper,filter,drive", true },
        { " drive,filter ,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,delay,reverb,width", true },
        { "Drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,delay,reverb,width", false },
        { "drive,drive,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,delay,reverb,width", false },
        { "filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,delay,reverb,width", false },
        { "drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,delay,reverb,width,drive", false },
        { "drive,filter,shaper,gate,crusher,pitch,formant,halftime,stutter,reverse,tapestop,granular,chorus,delay,reverb,lfo", false },
    };
    for (const auto& c : cases)
    {
        EffectRack rack;
        const auto list = ids (c.order);
        EXPECT_EQ (rack.setOrder (list), c.accepted) << c.order;
        if (c.accepted)
        {
            auto trimmed = list;
            trimmed.trim();
            EXPECT_EQ (rack.orderIds(), trimmed);
            EXPECT_EQ (rack.orderString(), trimmed.joinIntoString (","));
        }
        else
        {
            EXPECT_EQ (rack.orderString(), defaultOrder) << "a rejected order must leave the rack unchanged";
        }
    }
}

TEST (EffectRack, OrderWordDecodesToTheIdsSet)
{
    EffectRack rack;
    juce::StringArray reversed = rack.orderIds();
    std::reverse (reversed.begin(), reversed.end());
    ASSERT_TRUE (rack.setOrder (reversed));

    // Positions decode to the module indices of the ids set.
    const auto word = rack.orderWord();
    for (int p = 0; p < 16; ++p)
        EXPECT_EQ (EffectRack::moduleAt (word, p), rack.indexForId (reversed[p]));
}
