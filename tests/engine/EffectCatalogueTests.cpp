#include "engine/EffectCatalogue.h"
#include "engine/EffectRack.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
const EffectParameter* ownParameter (const EffectDescriptor& effect, Param::Index index)
{
    for (const auto& p : effect)
        if (p.spec.index == index)
            return &p;
    return nullptr;
}
} // namespace

// What a new descriptor must get right beyond what the build checks (every host parameter
// described exactly once).
TEST (EffectCatalogue, EachDescriptorAgreesWithItsModuleAndItself)
{
    EffectRack rack;
    std::map<EffectGroup, std::set<int>> slots;
    for (int i = 0; i < EffectCatalogue::numEffects; ++i)
    {
        const auto& effect = EffectCatalogue::entries[i];
        EXPECT_STREQ (rack.module (i).id(), effect.id) << "module index " << i;

        const auto* power = ownParameter (effect, effect.power);
        const auto* mix = ownParameter (effect, effect.mix);
        ASSERT_NE (power, nullptr) << effect.id;
        ASSERT_NE (mix, nullptr) << effect.id;
        EXPECT_EQ (power->spec.kind, Param::Kind::boolean) << effect.id;
        EXPECT_EQ (mix->spec.kind, Param::Kind::floating) << effect.id;

        for (const auto& p : effect)
        {
            EXPECT_TRUE (p.random.isEmpty() || (p.random.low >= 0.0f && p.random.high <= 1.0f)) << p.spec.id;
            EXPECT_TRUE (p.cardChoices == nullptr || p.spec.kind == Param::Kind::choice) << p.spec.id;
        }

        // Whatever the user may insert has a card to show and a browser button to insert it with.
        EXPECT_EQ (effect.selectable, effect.card.width > 0) << effect.id;
        if (effect.selectable)
        {
            EXPECT_TRUE (slots[effect.browser.group].insert (effect.browser.slot).second) << effect.id << " shares a slot";
        }
    }

    for (const auto& [group, taken] : slots)
        EXPECT_EQ (*taken.rbegin(), (int) taken.size() - 1) << "slots of group " << (int) group << " run from 0 without gaps";
}
