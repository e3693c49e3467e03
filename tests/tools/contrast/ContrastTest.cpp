// The bullet-against-background rule: the colour maths it stands on, what a bullet's body and rim
// are, and the blend of a layer over what lies beneath it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "BulletContrast.h"

using namespace contrast;

namespace {

// A square cell of `side` pixels: a disc of `body`, ringed `rimWidth` pixels wide with `rim`, on
// transparency.
Image disc(int side, const Rgb& body, const Rgb& rim, float rimWidth) {
    Image image;
    image.width = image.height = side;
    image.rgba.assign(static_cast<size_t>(side * side * 4), 0);
    const float centre = static_cast<float>(side) * 0.5f;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - centre,
                        dy = static_cast<float>(y) + 0.5f - centre;
            const float r = std::sqrt(dx * dx + dy * dy);
            if (r > centre) {
                continue;
            }
            const Rgb& c = r > centre - rimWidth ? rim : body;
            uint8_t* p = &image.rgba[static_cast<size_t>((y * side + x) * 4)];
            p[0] = static_cast<uint8_t>(c.r * 255.0f);
            p[1] = static_cast<uint8_t>(c.g * 255.0f);
            p[2] = static_cast<uint8_t>(c.b * 255.0f);
            p[3] = 255;
        }
    }
    return image;
}

}  // namespace

TEST(ContrastColour, HueWrapsRoundTheWheel) {
    EXPECT_NEAR(hue({1.0f, 0.0f, 0.0f}), 0.0f, 0.01f);
    EXPECT_NEAR(hue({0.0f, 1.0f, 0.0f}), 120.0f, 0.01f);
    EXPECT_NEAR(hue({0.0f, 0.0f, 1.0f}), 240.0f, 0.01f);
    // Red leaning to blue lies just under 360, never negative.
    const float rose = hue({1.0f, 0.0f, 0.1f});
    EXPECT_GT(rose, 350.0f);
    EXPECT_LT(rose, 360.0f);
    // Across 0: 350 and 10 are 20 apart, not 340; opposite hues are 180 apart either way.
    EXPECT_NEAR(hueDistance(350.0f, 10.0f), 20.0f, 0.01f);
    EXPECT_NEAR(hueDistance(10.0f, 350.0f), 20.0f, 0.01f);
    EXPECT_NEAR(hueDistance(90.0f, 270.0f), 180.0f, 0.01f);
    EXPECT_NEAR(hueDistance(0.0f, 359.0f), 1.0f, 0.01f);
}

TEST(ContrastColour, LumaWeighsGreenMostAndBlueLeast) {
    EXPECT_NEAR(luma({1.0f, 1.0f, 1.0f}), 1.0f, 0.001f);
    EXPECT_NEAR(luma({0.0f, 0.0f, 0.0f}), 0.0f, 0.001f);
    EXPECT_GT(luma({0.0f, 1.0f, 0.0f}), luma({1.0f, 0.0f, 0.0f}));
    EXPECT_GT(luma({1.0f, 0.0f, 0.0f}), luma({0.0f, 0.0f, 1.0f}));
}

TEST(ContrastRule, CloseInLumaAndHueHidesABullet) {
    BulletBody red;
    red.visible = true;
    red.body = {0.9f, 0.2f, 0.2f};
    // The same red, a shade darker: hidden. Red across the 0/360 seam: hidden too.
    EXPECT_TRUE(tooClose(red, {0.85f, 0.2f, 0.22f}));
    EXPECT_TRUE(tooClose(red, {0.9f, 0.22f, 0.2f}));
    EXPECT_TRUE(tooClose(red, {0.88f, 0.2f, 0.3f}));
    // As bright but green, or a deep dark red: the bullet reads.
    EXPECT_FALSE(tooClose(red, {0.25f, 0.38f, 0.2f}));
    EXPECT_FALSE(tooClose(red, {0.3f, 0.05f, 0.05f}));
    // Much brighter than the rimless body: lost.
    EXPECT_TRUE(tooClose(red, {0.95f, 0.95f, 0.9f}));
    // A grey background never hides a coloured bullet; two greys of a luma do hide.
    EXPECT_FALSE(tooClose(red, {0.35f, 0.35f, 0.35f}));
    BulletBody white;
    white.visible = true;
    white.body = {0.9f, 0.9f, 0.9f};
    EXPECT_TRUE(tooClose(white, {0.85f, 0.86f, 0.88f}));
}

TEST(ContrastRule, ADarkRimOutlinesTheBulletOnABrighterGround) {
    const Rgb orange{1.0f, 0.55f, 0.1f};
    const Image cell = disc(32, orange, {0.02f, 0.02f, 0.02f}, 3.0f);
    BulletBody body = bulletBody(cell, 0, 0, 32, 32);
    ASSERT_TRUE(body.visible);
    ASSERT_TRUE(body.hasRim);
    EXPECT_LT(body.rimLuma, 0.05f);
    // The body is the opaque pixels' mean: darker than the orange by its rim.
    EXPECT_LT(luma(body.body), luma(orange));
    // A ground of the body's own colour hides it, rim or not.
    EXPECT_TRUE(tooClose(body, body.body));
    // A much brighter ground of any hue: the rim outlines the bullet; without a rim the darker
    // body is lost against it.
    const Rgb bright{std::min(1.0f, body.body.r + 0.4f), body.body.g + 0.4f, body.body.b + 0.4f};
    EXPECT_FALSE(tooClose(body, bright));
    body.hasRim = false;
    EXPECT_TRUE(tooClose(body, bright));
    // A darker ground needs no rim.
    EXPECT_FALSE(tooClose(body, {0.05f, 0.03f, 0.02f}));
    // A cell without a rim has none; an empty cell is not a bullet.
    EXPECT_FALSE(bulletBody(disc(32, orange, orange, 3.0f), 0, 0, 32, 32).hasRim);
    EXPECT_FALSE(bulletBody(disc(32, orange, orange, 3.0f), 40, 40, 32, 32).visible);
}

TEST(ContrastRule, LayersBlendOverWhatLiesBeneath) {
    const Rgb ground{0.1f, 0.1f, 0.3f};
    const Rgb glow{0.4f, 0.2f, 0.0f};
    // Additive adds, clamped at white; ordinary drawing covers by the source's alpha.
    const Rgb added = blend(1, ground, glow, 1.0f);
    EXPECT_NEAR(added.r, 0.5f, 0.001f);
    EXPECT_NEAR(blend(1, {0.9f, 0.9f, 0.9f}, {0.5f, 0.5f, 0.5f}, 1.0f).r, 1.0f, 0.001f);
    const Rgb half = blend(0, ground, {0.2f, 0.1f, 0.0f}, 0.5f);
    EXPECT_NEAR(half.b, 0.15f, 0.001f);
    EXPECT_NEAR(half.r, 0.25f, 0.001f);
    // A transparent sample leaves what lies beneath as it was, whatever the mode.
    for (int mode = 0; mode < 8; ++mode) {
        if (mode == 7) {
            continue;  // darkens by the source's alpha: nothing drawn is black
        }
        const Rgb kept = blend(mode, ground, {0.0f, 0.0f, 0.0f}, 0.0f);
        EXPECT_NEAR(kept.b, 0.3f, 0.001f) << "mode " << mode;
    }
    // The share counts the samples too close, out of all (black is far below the blue body).
    BulletBody blue;
    blue.visible = true;
    blue.body = {0.1f, 0.1f, 0.3f};
    EXPECT_NEAR(closeShare(blue, {ground, ground, {}, {}}), 0.5f, 0.001f);
    EXPECT_EQ(closeShare(blue, {}), 0.0f);
}
