#include "fx/FlashRule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

float brightest(const Colour& c) {
    return std::max({c.r, c.g, c.b});
}

// Whether a wash lightens the backdrop at all.
bool lightens(const Colour& c) {
    return brightest(c) > 1.0f;
}

}  // namespace

// Whatever a stage asks for, a wash never whites the backdrop out: it lightens a little at most,
// keeps its hue, and colouring or darkening goes through as asked. (The game scene's tests hold
// every flash of a stage, and the player's dimming, to the same bounds.)
TEST(FlashRule, AWashLightensOnlyALittleAndColoursAndDarkensAsAsked) {
    FlashRule rule;
    const Colour warm = rule.wash({2.0f, 1.5f, 1.0f, 1.0f});
    EXPECT_TRUE(lightens(warm));
    EXPECT_LE(brightest(warm), FlashRule::kMostLift);
    EXPECT_GT(warm.r, warm.g);
    EXPECT_GT(warm.g, warm.b);  // still warm

    const Colour counter = rule.wash({0.25f, 1.0f, 0.8f, 1.0f});
    EXPECT_FLOAT_EQ(counter.r, 0.25f);
    EXPECT_FLOAT_EQ(counter.b, 0.8f);
    EXPECT_FLOAT_EQ(rule.wash({0.05f, 0.05f, 0.05f, 1.0f}).g, 0.05f);
    const float nothing = std::numeric_limits<float>::quiet_NaN();
    const Colour broken = rule.wash({nothing, -3.0f, 1.0f, 1.0f});
    EXPECT_FLOAT_EQ(broken.r, 1.0f);
    EXPECT_FLOAT_EQ(broken.g, 0.0f);
}

// However many lights are asked for at once (bombs, hits, a trance's end, a boss's death and its
// explosions), no more than the allowed number start in any second; the others keep only their
// colour, and the allowance comes back as the second passes.
TEST(FlashRule, NoMoreFlashesStartInASecondThanAllowed) {
    FlashRule rule;
    int lit = 0;
    for (int frame = 0; frame < 60; ++frame) {
        lit += lightens(rule.wash({1.3f, 1.15f, 1.0f, 1.0f})) ? 1 : 0;
        lit += rule.veil(0.6f) > 0.0f ? 1 : 0;
        lit += rule.glowAlpha(FlashRule::kLargestGlow, 1.0f) > 0.0f ? 1 : 0;
        rule.advance(16.0f);
    }
    EXPECT_EQ(lit, FlashRule::kFlashesPerSecond);
    const Colour refused = rule.wash({1.0f, 1.15f, 1.3f, 1.0f});
    EXPECT_FLOAT_EQ(brightest(refused), 1.0f);
    EXPECT_LT(refused.r, refused.b);  // its hue kept

    rule.advance(FlashRule::kWindowMs);
    EXPECT_EQ(rule.recentFlashes(), 0);
    EXPECT_GT(rule.veil(0.6f), 0.0f);
    // A small explosion's glow is no flash: it always shows and counts nothing.
    for (int i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(rule.glowAlpha(1.0f, 1.0f), 1.0f);
    }
    EXPECT_EQ(rule.recentFlashes(), 1);
    EXPECT_LE(FlashRule::glowScale(390.0f), FlashRule::kLargestGlow);
}
