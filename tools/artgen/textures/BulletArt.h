// The bullet atlas bullets.png: 8 x 16 cells of 64 x 64, every bullet drawn pointing up (the
// game turns it to its direction). Enemy bullets are a near-black rim around a saturated body
// and a white-hot core, never in the nebula's blue; the player's shots are pale, see-through
// ice blues; items are large and gold. The frame numbers are the ones the
// bullet manager and the bullet types use (assets/plist/atlas_bullets.plist lists them).
#pragma once

#include "raster/AtlasGrid.h"
#include "raster/Canvas.h"
#include "raster/Colour.h"
#include "raster/Geometry.h"
#include "raster/Random.h"
#include "raster/Shapes.h"

namespace artgen {

inline AtlasGrid bulletAtlasGrid() {
    return AtlasGrid::withCellSize(64, 64, 8, 16);
}

namespace bullet_frame {
constexpr int kSpawnFlash = 0;   // a bullet's first draw
constexpr int kRound = 1;        // 1 to 7: red, magenta, green, yellow, purple, lime, orange
constexpr int kExpiry = 8;       // 8 to 11: the puff of a bullet that runs out
constexpr int kScoreOrb = 12;    // 12 to 15: twinkle of the gold score orb (also upgrade items)
constexpr int kPrizeSpawn = 16;  // a prize's first frame: the gold flash of a bullet turning into it
constexpr int kRoundBigRed = 17;
constexpr int kHitSpark = 18;    // 18, 19: a player shot striking
constexpr int kRice = 20;        // 20 to 23: red, magenta, green, purple
constexpr int kArrow = 24;       // 24 to 27: red, magenta, green, yellow
constexpr int kStarSpin = 28;    // 28 to 31: the yellow star, turning
constexpr int kCasualCoin = 32;  // 32 to 35
constexpr int kTranceOrb = 36;   // 36 to 39
constexpr int kRing = 40;        // 40 to 43: red, magenta, green, orange
constexpr int kRoundBigMagenta = 44;
constexpr int kRoundBigPurple = 45;
constexpr int kBlocker = 46;
constexpr int kRiceYellow = 47;
// The player's shots, all pale ice: 48 main shot, 49 level 4, 50 trance, 51 homing needle.
constexpr int kPlayerShot = 48;
constexpr int kPlayerShotStrong = 49;
constexpr int kPlayerShotBreak = 50;
constexpr int kHoming = 51;
constexpr int kStar = 52;  // 52 to 55: red, magenta, green, purple
constexpr int kHomingStrong = 56;
constexpr int kPlayerShotTop = 57;  // level 5
constexpr int kArrowPurple = 58;
constexpr int kMultiplierGem = 59;  // 59 to 62
constexpr int kFirstFrameFlash = 63;
// Frames 0 to 63 are the house frames every bullet atlas holds.
constexpr int kHouseCount = 64;
// Rows 8 to 15 of bullets.png: the second and third stages' own families of enemy bullets, 32
// frames apiece, numbered in the stage's own art file from 0 (frame kStageTwoFirst + n in the
// game's lists).
constexpr int kStageFamilySize = 32;
constexpr int kStageTwoFirst = 64;    // 64 to 95
constexpr int kStageThreeFirst = 96;  // 96 to 127
// The fourth stage, the fifth and the hidden fifth each have a bullet atlas of their own
// (bullets_4.png, bullets_5.png, bullets_5_true.png, the same grid): the house frames, then the
// stage's family in rows 8 to 15, numbered from 0 in the stage's art file.
constexpr int kLateFamilyFirst = 64;  // 64 to 127
constexpr int kLateFamilySize = 64;
}  // namespace bullet_frame

// The colours of one enemy bullet: its body, and the hot colour its core fades to.
struct BulletHue {
    Colour body;
    Colour hot;
};

// The enemy bullets' colours, shared by every stage's family: saturated, each with a white-hot
// core, and never the player's ice blues.
namespace bullet_hue {
constexpr BulletHue kRed{Colour::hex(0xff2f45), Colour::hex(0xffe0e4)};
constexpr BulletHue kMagenta{Colour::hex(0xff2fb8), Colour::hex(0xffe2f6)};
constexpr BulletHue kGreen{Colour::hex(0x2fe86a), Colour::hex(0xe4ffec)};
constexpr BulletHue kYellow{Colour::hex(0xffd42a), Colour::hex(0xfffbe6)};
constexpr BulletHue kPurple{Colour::hex(0xb84dff), Colour::hex(0xf6e8ff)};
constexpr BulletHue kLime{Colour::hex(0xb4ff2a), Colour::hex(0xf6ffe0)};
constexpr BulletHue kOrange{Colour::hex(0xff8a1f), Colour::hex(0xfff0e0)};
}  // namespace bullet_hue

// Every cell is 64 x 64 and a bullet is drawn about its centre, pointing up.
constexpr Vec2 kBulletCellCentre{32.0f, 32.0f};

// The near-black rim every enemy bullet has, tinted with its own colour.
Colour bulletRim(const BulletHue& hue);

// An enemy bullet in the house rule: a soft glow, a near-black rim, a saturated body lighter
// inwards and a white-hot core. `core` is the body's shape shrunk by the caller.
void drawEnemyBullet(Canvas& cell, const Shape& body, const Shape& core, const BulletHue& hue,
                     float rimWidth = 5.0f);

// Paints the whole atlas (512 x 1024).
void paintBulletAtlas(Canvas& canvas, Random& random);
// The house frames 0 to 63, for every bullet atlas.
void paintHouseBullets(Canvas& atlas);

// The later stages' families: `index` counts from the family's first frame.
void paintStageTwoBullet(Canvas& cell, int index);
void paintStageThreeBullet(Canvas& cell, int index);
void paintStageFourBullet(Canvas& cell, int index);
void paintStageFiveBullet(Canvas& cell, int index);
void paintTrueFifthBullet(Canvas& cell, int index);

}  // namespace artgen
