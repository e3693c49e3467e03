// The bullet atlas: enemy bullets, the player's shots, prizes and the frames of the bullet
// manager's own animations. See BulletArt.h for the layout.

#include "textures/BulletArt.h"

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "raster/Shapes.h"
#include "textures/Motifs.h"

namespace artgen {

namespace {

namespace f = bullet_frame;

constexpr Vec2 kCentre = kBulletCellCentre;

// One rule a player learns at a glance: enemy bullets are saturated red, orange, yellow, lime,
// green, magenta or violet, each with a white-hot core and a near-black rim, and never the blue
// and cyan of the stage's nebula; the player's shots are pale, see-through ice blues, a family
// no enemy bullet uses; items are large gold discs and gems that twinkle.
using namespace bullet_hue;
// The player's family: pale ice, drawn partly transparent.
constexpr BulletHue kIce{Colour::hex(0xa8e6ff), Colour::hex(0xffffff)};
constexpr BulletHue kAqua{Colour::hex(0xa0fff0), Colour::hex(0xffffff)};
constexpr BulletHue kFrost{Colour::hex(0xd8f2ff), Colour::hex(0xffffff)};
// The items' gold.
constexpr BulletHue kGold{Colour::hex(0xffc21f), Colour::hex(0xfff6c8)};

void paintRound(Canvas& cell, const BulletHue& hue, float radius) {
    const Circle body(kCentre, radius);
    const Circle core(kCentre, radius * 0.42f);
    drawEnemyBullet(cell, body, core, hue);
}

// A grain of rice, pointing up; the types narrow it with their width factor.
void paintRice(Canvas& cell, const BulletHue& hue) {
    const Ellipse body(kCentre, 17.0f, 25.0f);
    const Ellipse core(kCentre, 6.5f, 13.0f);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
}

// An arrowhead pointing up with a notched tail.
void paintArrow(Canvas& cell, const BulletHue& hue) {
    const Polygon body({{32.0f, 5.0f}, {52.0f, 50.0f}, {32.0f, 40.0f}, {12.0f, 50.0f}});
    const Polygon core({{32.0f, 17.0f}, {40.0f, 38.0f}, {32.0f, 33.0f}, {24.0f, 38.0f}});
    drawEnemyBullet(cell, body, core, hue, 4.0f);
}

std::vector<Vec2> starPoints(float outer, float inner, float degrees) {
    std::vector<Vec2> points;
    for (int i = 0; i < 10; ++i) {
        const float radius = i % 2 == 0 ? outer : inner;
        points.push_back(kCentre + direction(degrees - 90.0f + 36.0f * static_cast<float>(i)) * radius);
    }
    return points;
}

void paintStar(Canvas& cell, const BulletHue& hue, float degrees) {
    const Polygon body(starPoints(24.0f, 11.0f, degrees));
    const Polygon core(starPoints(11.0f, 5.0f, degrees));
    drawEnemyBullet(cell, body, core, hue, 4.0f);
}

// A hollow ring: dark rims on both sides of a lit band.
void paintRing(Canvas& cell, const BulletHue& hue) {
    const Arc band(kCentre, 17.0f, 9.0f, 0.0f, 360.0f);
    const Arc hot(kCentre, 17.0f, 3.0f, 0.0f, 360.0f);
    drawEnemyBullet(cell, band, hot, hue, 4.0f);
}

// The player's shots stay out of the way of what must be read: a pale, see-through lance
// with no rim, so it never looks like an enemy bullet; the types stretch it with their
// height factor.
void paintPlayerShot(Canvas& cell, const BulletHue& hue) {
    const RoundedRect body(Rect{21.0f, 6.0f, 43.0f, 58.0f}, 11.0f);
    const RoundedRect core(Rect{29.0f, 12.0f, 35.0f, 52.0f}, 3.0f);
    glow(cell, body, hue.body, 8.0f, 0.25f);
    fill(cell, body, hue.body.withAlpha(0.35f), Blend::Add);
    fill(cell, core, hue.hot.withAlpha(0.55f), Blend::Add);
}

// A homing needle: a slim, pale diamond with a faint spine.
void paintHoming(Canvas& cell, const BulletHue& hue) {
    const Polygon body({{32.0f, 4.0f}, {44.0f, 34.0f}, {32.0f, 60.0f}, {20.0f, 34.0f}});
    const Polygon core({{32.0f, 12.0f}, {35.0f, 34.0f}, {32.0f, 50.0f}, {29.0f, 34.0f}});
    glow(cell, body, hue.body, 7.0f, 0.25f);
    fill(cell, body, hue.body.withAlpha(0.35f), Blend::Add);
    fill(cell, core, hue.hot.withAlpha(0.55f), Blend::Add);
}

// The bullet eater: a clear bubble with a bright rim and a highlight.
void paintBlocker(Canvas& cell) {
    const Circle bubble(kCentre, 27.0f);
    fill(cell, bubble,
         radialGradient(kCentre, 27.0f,
                        {{0.0f, palette::cyan.withAlpha(0.05f)},
                         {0.8f, palette::cyan.withAlpha(0.25f)},
                         {1.0f, palette::ice.withAlpha(0.6f)}}));
    stroke(cell, bubble, 2.5f, palette::ice);
    glow(cell, Outline(bubble, 2.5f), palette::cyan, 6.0f, 0.6f);
    const Ellipse shine({23.0f, 21.0f}, 7.0f, 4.0f, -35.0f);
    fill(cell, shine, palette::white.withAlpha(0.7f), Blend::Add);
}

// How far each twinkle frame swells an item: the four frames loop into a pulse.
constexpr float kItemPulse[4] = {1.0f, 1.06f, 1.1f, 1.04f};

// A prize orb, large and gold, and its twinkle: `phase` 0 to 3 swells it and turns a glint
// across it.
void paintOrb(Canvas& cell, const BulletHue& hue, int phase) {
    const float radius = 23.0f * kItemPulse[phase];
    const Circle orb(kCentre, radius);
    glow(cell, orb, hue.body, 8.0f, 0.35f + 0.1f * static_cast<float>(phase % 3));
    fill(cell, Grown(orb, 2.0f), mix(Colour::hex(0x1a0e00), hue.body, 0.25f));
    fill(cell, orb,
         radialGradient(
             {27.0f, 26.0f}, radius + 4.0f,
             {{0.0f, hue.hot}, {0.45f, hue.body}, {1.0f, mix(hue.body, Colour::hex(0x3a2000), 0.5f)}}));
    fill(cell, Circle(kCentre, radius * 0.45f), hue.hot.withAlpha(0.7f));
    drawSparkle(cell, kCentre + direction(-120.0f + 25.0f * static_cast<float>(phase)) * 9.0f,
                11.0f + 3.0f * static_cast<float>(phase % 2), palette::white,
                15.0f * static_cast<float>(phase));
}

// The casual score coin: a gold disc whose face narrows as it spins.
void paintCoin(Canvas& cell, int phase) {
    const float narrowing[] = {1.0f, 0.7f, 0.35f, 0.7f};
    const BulletHue& gold = kGold;
    const Ellipse coin(kCentre, 24.0f * narrowing[phase], 24.0f);
    glow(cell, coin, gold.body, 10.0f, 0.4f);
    fill(cell, Grown(coin, 2.0f), bulletRim(gold));
    fill(cell, coin, linearGradient({0.0f, 14.0f}, {0.0f, 50.0f}, {{0.0f, gold.hot}, {1.0f, gold.body}}));
    fill(cell, Ellipse(kCentre, 12.0f * narrowing[phase], 12.0f), gold.body);
    if (phase == 0) {
        drawSparkle(cell, {40.0f, 22.0f}, 10.0f, palette::white);
    }
}

// The multiplier gem: a large faceted gold diamond that swells and glints as it twinkles.
void paintGem(Canvas& cell, int phase) {
    const BulletHue& gold = kGold;
    const float k = kItemPulse[phase];
    auto at = [k](float x, float y) { return Vec2{32.0f + (x - 32.0f) * k, 32.0f + (y - 32.0f) * k}; };
    const Polygon gem({at(32.0f, 5.0f), at(56.0f, 28.0f), at(32.0f, 59.0f), at(8.0f, 28.0f)});
    const Polygon facet({at(32.0f, 5.0f), at(44.0f, 28.0f), at(32.0f, 59.0f), at(20.0f, 28.0f)});
    glow(cell, gem, gold.body, 8.0f, 0.35f + 0.1f * static_cast<float>(phase % 3));
    fill(cell, Grown(gem, 2.5f), mix(Colour::hex(0x1a0e00), gold.body, 0.25f));
    fill(cell, gem, mix(gold.body, Colour::hex(0xff8a00), 0.35f));
    fill(cell, facet, mix(gold.body, gold.hot, 0.5f));
    drawSparkle(cell, {32.0f, 16.0f + 9.0f * static_cast<float>(phase)}, 10.0f, palette::white);
}

// The expiry puff, `step` 0 to 3: a soft flash that shrinks and fades to nothing. It is
// filled, never a hollow outline, so a bullet on its way out cannot pass for a live one.
void paintExpiry(Canvas& cell, int step) {
    const float t = static_cast<float>(step) / 3.0f;
    const Circle puff(kCentre, 7.0f - 4.0f * t);
    glow(cell, puff, palette::ice, 8.0f - 4.0f * t, 0.3f * (1.0f - t * 0.8f));
    fill(cell, puff, palette::white.withAlpha(0.3f * (1.0f - t * 0.85f)), Blend::Add);
}

// The spark of a shot striking: a star burst, then a smaller, fainter one. No ring: a ring
// left behind reads as a live ring bullet or an item.
void paintHitSpark(Canvas& cell, int step) {
    const Colour spark = Colour::hex(0xfff0a0);
    if (step == 0) {
        drawSparkle(cell, kCentre, 26.0f, spark, 0.0f);
        drawSparkle(cell, kCentre, 18.0f, spark, 45.0f);
    } else {
        drawSparkle(cell, kCentre, 14.0f, spark.withAlpha(0.6f), 20.0f);
    }
}

void paintFlash(Canvas& cell, float radius, Colour colour) {
    const Circle heart(kCentre, radius);
    glow(cell, heart, colour, 32.0f - radius, 0.9f);
    fill(cell, heart, palette::white, Blend::Add);
}

void paintCell(Canvas& cell, int frame) {
    const BulletHue rounds[] = {kRed, kMagenta, kGreen, kYellow, kPurple, kLime, kOrange};
    const BulletHue rice[] = {kRed, kMagenta, kGreen, kPurple};
    const BulletHue arrows[] = {kRed, kMagenta, kGreen, kYellow};
    const BulletHue rings[] = {kRed, kMagenta, kGreen, kOrange};
    const BulletHue stars[] = {kRed, kMagenta, kGreen, kPurple};
    if (frame >= f::kRound && frame < f::kRound + 7) {
        paintRound(cell, rounds[frame - f::kRound], 19.0f);
    } else if (frame >= f::kExpiry && frame < f::kExpiry + 4) {
        paintExpiry(cell, frame - f::kExpiry);
    } else if (frame >= f::kScoreOrb && frame < f::kScoreOrb + 4) {
        paintOrb(cell, kGold, frame - f::kScoreOrb);
    } else if (frame >= f::kHitSpark && frame < f::kHitSpark + 2) {
        paintHitSpark(cell, frame - f::kHitSpark);
    } else if (frame >= f::kRice && frame < f::kRice + 4) {
        paintRice(cell, rice[frame - f::kRice]);
    } else if (frame >= f::kArrow && frame < f::kArrow + 4) {
        paintArrow(cell, arrows[frame - f::kArrow]);
    } else if (frame >= f::kStarSpin && frame < f::kStarSpin + 4) {
        paintStar(cell, kYellow, 18.0f * static_cast<float>(frame - f::kStarSpin));
    } else if (frame >= f::kCasualCoin && frame < f::kCasualCoin + 4) {
        paintCoin(cell, frame - f::kCasualCoin);
    } else if (frame >= f::kTranceOrb && frame < f::kTranceOrb + 4) {
        paintOrb(cell, kGold, frame - f::kTranceOrb);
    } else if (frame >= f::kRing && frame < f::kRing + 4) {
        paintRing(cell, rings[frame - f::kRing]);
    } else if (frame >= f::kStar && frame < f::kStar + 4) {
        paintStar(cell, stars[frame - f::kStar], 0.0f);
    } else if (frame >= f::kMultiplierGem && frame < f::kMultiplierGem + 4) {
        paintGem(cell, frame - f::kMultiplierGem);
    } else {
        switch (frame) {
            case f::kSpawnFlash:
                paintFlash(cell, 7.0f, palette::cyan);
                break;
            case f::kPrizeSpawn:
                // A cancelled bullet's flash as it turns into its item: gold, like the item.
                paintFlash(cell, 9.0f, kGold.body);
                drawSparkle(cell, kCentre, 26.0f, kGold.hot);
                break;
            case f::kRoundBigRed:
                paintRound(cell, kRed, 24.0f);
                break;
            case f::kRoundBigMagenta:
                paintRound(cell, kMagenta, 24.0f);
                break;
            case f::kRoundBigPurple:
                paintRound(cell, kPurple, 24.0f);
                break;
            case f::kBlocker:
                paintBlocker(cell);
                break;
            case f::kRiceYellow:
                paintRice(cell, kYellow);
                break;
            case f::kPlayerShot:
                paintPlayerShot(cell, kIce);
                break;
            case f::kPlayerShotStrong:
                paintPlayerShot(cell, kAqua);
                break;
            case f::kPlayerShotBreak:
                paintPlayerShot(cell, kFrost);
                break;
            case f::kHoming:
                paintHoming(cell, kIce);
                break;
            case f::kHomingStrong:
                paintHoming(cell, kAqua);
                break;
            case f::kPlayerShotTop:
                paintPlayerShot(cell, kFrost);
                break;
            case f::kArrowPurple:
                paintArrow(cell, kPurple);
                break;
            case f::kFirstFrameFlash:
                paintFlash(cell, 12.0f, palette::ice);
                break;
            default:
                break;
        }
    }
    // Nothing reaches the cell's edge, so linear filtering never bleeds in a neighbour.
    fadeBorders(cell, 3.0f);
}

}  // namespace

Colour bulletRim(const BulletHue& hue) {
    return mix(Colour::hex(0x05060c), hue.body, 0.12f);
}

void drawEnemyBullet(Canvas& cell, const Shape& body, const Shape& core, const BulletHue& hue,
                     float rimWidth) {
    glow(cell, body, hue.body, 9.0f, 0.25f);
    const Grown rim(body, rimWidth * 0.6f);
    fill(cell, rim, bulletRim(hue));
    fill(cell, body,
         radialGradient(kBulletCellCentre, 26.0f,
                        {{0.0f, mix(hue.body, hue.hot, 0.5f)},
                         {0.55f, hue.body},
                         {1.0f, mix(hue.body, bulletRim(hue), 0.3f)}}));
    glow(cell, core, hue.hot, 4.0f, 0.7f);
    fill(cell, core, hue.hot);
}

void paintHouseBullets(Canvas& atlas) {
    bulletAtlasGrid().paintFrames(atlas, bullet_frame::kHouseCount,
                                  [](Canvas& cell, int frame) { paintCell(cell, frame); });
}

void paintBulletAtlas(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = bulletAtlasGrid();
    paintHouseBullets(canvas);
    // Each later stage's own bullet family, in its own rows.
    grid.paintFrames(canvas, bullet_frame::kStageTwoFirst, bullet_frame::kStageFamilySize,
                     paintStageTwoBullet);
    grid.paintFrames(canvas, bullet_frame::kStageThreeFirst, bullet_frame::kStageFamilySize,
                     paintStageThreeBullet);
}

}  // namespace artgen
