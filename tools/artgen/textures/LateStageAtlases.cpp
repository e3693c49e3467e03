// The fourth stage, the fifth and the hidden fifth each draw from atlases of their own, so that
// each has a whole block of enemy cells and two rows of bullet frames to itself. Every one
// holds the house cells and frames at their usual numbers, so the first stage's craft, the
// shared bullets, the items and the player's shots look the same in every stage.
#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

using EnemyPainter = void (*)(Canvas&, const AtlasGrid&, Random&);
using BulletPainter = void (*)(Canvas&, int);

void paintLateEnemyAtlas(Canvas& canvas, Random& random, int stageCells, EnemyPainter paintStage) {
    const AtlasGrid grid = lateEnemyAtlasGrid(stageCells);
    paintHouseEnemies(canvas, grid, random);
    paintStage(canvas, grid, random);
}

void paintLateBulletAtlas(Canvas& canvas, BulletPainter paintStage) {
    paintHouseBullets(canvas);
    bulletAtlasGrid().paintFrames(canvas, bullet_frame::kLateFamilyFirst, bullet_frame::kLateFamilySize,
                                  paintStage);
}

}  // namespace

void paintStageFourEnemyAtlas(Canvas& canvas, Random& random) {
    paintLateEnemyAtlas(canvas, random, enemy_frame::kStageFourCount, paintStageFourEnemies);
}
void paintStageFiveEnemyAtlas(Canvas& canvas, Random& random) {
    paintLateEnemyAtlas(canvas, random, enemy_frame::kStageFiveCount, paintStageFiveEnemies);
}
void paintTrueFifthEnemyAtlas(Canvas& canvas, Random& random) {
    paintLateEnemyAtlas(canvas, random, enemy_frame::kTrueFifthCount, paintTrueFifthEnemies);
}

void paintStageFourBulletAtlas(Canvas& canvas, Random& /*random*/) {
    paintLateBulletAtlas(canvas, paintStageFourBullet);
}
void paintStageFiveBulletAtlas(Canvas& canvas, Random& /*random*/) {
    paintLateBulletAtlas(canvas, paintStageFiveBullet);
}
void paintTrueFifthBulletAtlas(Canvas& canvas, Random& /*random*/) {
    paintLateBulletAtlas(canvas, paintTrueFifthBullet);
}

}  // namespace artgen
