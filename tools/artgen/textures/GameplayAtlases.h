// The grids of the gameplay atlases and the frame number of everything in them, for the
// painters and for the content that names frames ("atlas frame", "frame", "atlasFrame").
// Frame f is column f mod columns, row f / columns, counted from the top-left cell.
#pragma once

#include "raster/AtlasGrid.h"
#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

// enemies.png: 8 x 8 cells of 128 x 128.
inline AtlasGrid enemyAtlasGrid() {
    return AtlasGrid::withCellSize(128, 128, 8, 8);
}
namespace enemy_frame {
constexpr int kDart = 0;     // popcorn dart, 2 frames of engine flicker (0, 1)
constexpr int kManta = 2;    // popcorn manta wing, 2 frames (2, 3)
constexpr int kClaw = 4;     // popcorn claw with a glowing core, 2 frames (4, 5)
constexpr int kGunship = 6;  // heavier gunship, 2 frames (6, 7)
constexpr int kDartDamaged = 8;
constexpr int kMantaDamaged = 9;
constexpr int kClawDamaged = 10;
constexpr int kGunshipDamaged = 11;
constexpr int kEscort = 12;    // friendly escort, 2 frames (12, 13)
constexpr int kAsteroid = 14;  // two obstacle rocks (14, 15)
constexpr int kTankHull = 16;
constexpr int kTankTurret = 17;  // module over the hull, pivot at the cell centre
constexpr int kTankHullDamaged = 18;
constexpr int kWallTurretBase = 19;
constexpr int kWallTurretBarrel = 20;  // module over the base, pivot at the cell centre
constexpr int kWallTurretBaseDamaged = 21;
constexpr int kDebris = 22;   // obstacle: a torn hull section
constexpr int kCarrier = 24;  // 2 x 2 cells (24, 25, 32, 33): "unit width" and "unit height" 2
constexpr int kCarrierGunPod = 26;
constexpr int kCarrierArmour = 27;
constexpr int kCarrierCore = 28;
constexpr int kCarrierCoreDamaged = 29;
constexpr int kCarrierGunPodDamaged = 30;
constexpr int kCarrierArmourDamaged = 31;
// Each later stage draws its own enemies into its own block of cells, numbered in the stage's
// own art file from 0 (frame kStageTwoFirst + n in the game's lists).
constexpr int kStageTwoFirst = 34;  // 34 to 47
constexpr int kStageTwoCount = 14;
// The hauler spans two cells side by side ("unit width" 2), whole and damaged.
constexpr int kHauler = kStageTwoFirst + 9;          // 43, 44
constexpr int kHaulerDamaged = kStageTwoFirst + 11;  // 45, 46

constexpr int kStageThreeFirst = 48;  // 48 to 63
constexpr int kStageThreeCount = 16;

// The fourth stage, the fifth and the hidden fifth each have an enemy atlas of their own
// (enemies_4.png, enemies_5.png, enemies_5_true.png, 8 columns like enemies.png): the house
// cells 0 to 33, then the stage's own craft from cell 34, numbered from 0 in the stage's art
// file. Each atlas has only the rows its cells fill, so a frame keeps its number in all of them.
constexpr int kLateStageFirst = 34;
constexpr int kStageFourCount = 19;  // 34 to 52
constexpr int kStageFiveCount = 18;  // 34 to 51
constexpr int kTrueFifthCount = 14;  // 34 to 47, and its blink marker in the spare house cell
// The one house cell no first-stage craft uses; the hidden fifth stage draws its blink marker
// there, so its atlas ends with a whole row.
constexpr int kSpareHouseCell = 23;
}  // namespace enemy_frame

// A later stage's enemy atlas: the house cells and `stageCells` cells of the stage's own from
// frame 34, in as few rows of 8 as hold them.
inline AtlasGrid lateEnemyAtlasGrid(int stageCells) {
    const int columns = enemyAtlasGrid().columns();
    return AtlasGrid::withCellSize(128, 128, columns,
                                   (enemy_frame::kLateStageFirst + stageCells + columns - 1) / columns);
}

// The first stage's craft, cells 0 to 33, which every enemy atlas holds.
void paintHouseEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random);
// The later stages' enemies: each paints its own block of cells (it may span several cells
// for a large craft, the way the carrier does) straight onto the atlas.
void paintStageTwoEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random);
void paintStageThreeEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random);
void paintStageFourEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random);
void paintStageFiveEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random);
void paintTrueFifthEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random);

// senko_type_a.png: the player's ship, 4 cells of 128 x 128 in a row.
inline AtlasGrid playerShipGrid() {
    return AtlasGrid::withCellSize(128, 128, 4, 1);
}
namespace ship_frame {
constexpr int kLevel = 0;
constexpr int kBankLeft = 1;
constexpr int kBankRight = 2;
constexpr int kBoost = 3;
}  // namespace ship_frame

// senko_option.png: the option pod, 2 frames of 64 x 64.
inline AtlasGrid optionGrid() {
    return AtlasGrid::withCellSize(64, 64, 2, 1);
}
// senko_engine.png: the engine glow under the ship, 2 flicker frames of 64 x 128.
inline AtlasGrid engineGrid() {
    return AtlasGrid::withCellSize(64, 128, 2, 1);
}

// particles.png: 8 x 8 cells of 64 x 64. Grey frames are white light or grey smoke for the
// engine to tint; the rest carry their own colours.
inline AtlasGrid particleAtlasGrid() {
    return AtlasGrid::withCellSize(64, 64, 8, 8);
}
namespace particle_frame {
constexpr int kSoftGlow = 0;  // grey
constexpr int kCoreGlow = 1;  // grey
constexpr int kDot = 2;       // grey
constexpr int kSparkle = 3;   // grey
constexpr int kStreak = 4;    // grey, long, along y for directional systems
constexpr int kSpark = 5;     // grey, short and thick, along y
constexpr int kRing = 6;      // grey, thin shockwave ring
constexpr int kSoftRing = 7;  // grey, wide soft shockwave
constexpr int kSmoke = 8;     // grey, 4 puffs (8 to 11)
constexpr int kSmokeCount = 4;
constexpr int kShard = 12;  // grey, 3 debris shards (12 to 14)
constexpr int kShardCount = 3;
constexpr int kEmber = 15;  // orange
constexpr int kFire = 16;   // coloured explosion, 8 frames along one row (16 to 23)
constexpr int kFireCount = 8;
constexpr int kBurst = 24;  // grey energy burst, 8 frames along one row (24 to 31)
constexpr int kBurstCount = 8;
constexpr int kFlame = 32;    // orange flame tongue, along y
constexpr int kFlash = 33;    // grey hexagonal lens flash
constexpr int kBolt = 34;     // grey electric arc
constexpr int kScratch = 35;  // grey graze spark: a bright chevron
}  // namespace particle_frame

// trails.png: 16 x 8 cells of 32 x 64, one ribbon a cell: u runs across the ribbon, v along it
// from its head (top, bright) to its tail (bottom, gone). Each row one colour, each column a
// width of glow, from a thin hard line (column 0) to a wide soft plume (column 15).
inline AtlasGrid trailAtlasGrid() {
    return AtlasGrid::withCellSize(32, 64, 16, 8);
}
namespace trail_frame {
constexpr int kColumns = 16;
constexpr int kWhite = 0;    // row 0: white with a cyan edge, bullet trails
constexpr int kCyan = 16;    // row 1
constexpr int kGreen = 32;   // row 2
constexpr int kFire = 48;    // row 3: orange fire, the embers of explosions (52)
constexpr int kRed = 64;     // row 4
constexpr int kEngine = 80;  // row 5: blue-white engine plumes, the ship's engines (94)
constexpr int kViolet = 96;  // row 6
constexpr int kSmoke = 112;  // row 7: grey
}  // namespace trail_frame

// explosion.png: 8 x 8 cells of 128 x 128: three fiery blasts of 16 frames (frames 0-15, 32-47
// and 48-63), so that neighbouring explosions differ, and the score popups x2, x4, x8 and x16
// in frames 16 to 19.
inline AtlasGrid explosionGrid() {
    return AtlasGrid::withCellSize(128, 128, 8, 8);
}
namespace explosion_frame {
constexpr int kBurst = 0;
constexpr int kBurstCount = 16;
constexpr int kBlastStarts[] = {0, 32, 48};
constexpr int kBlastCount = 3;
constexpr int kScoreTimes2 = 16;
constexpr int kScoreTimes4 = 17;
constexpr int kScoreTimes8 = 18;
constexpr int kScoreTimes16 = 19;
}  // namespace explosion_frame

}  // namespace artgen
