// The bullet atlas bullets.png: 8 x 8 cells of 64 x 64, every bullet drawn pointing up (the
// game turns it to its direction). Enemy bullets are a near-black rim around a saturated body
// and a white-hot core, never in the nebula's blue; the player's shots are pale, see-through
// ice blues; items are large and gold. The frame numbers are the ones the
// bullet manager and the bullet types use (assets/plist/atlas_bullets.plist lists them).
#pragma once

#include "raster/AtlasGrid.h"
#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

inline AtlasGrid bulletAtlasGrid() {
    return AtlasGrid::withCellSize(64, 64, 8, 8);
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
}  // namespace bullet_frame

// Paints the whole atlas (512 x 512).
void paintBulletAtlas(Canvas& canvas, Random& random);

}  // namespace artgen
