// The stage three art: its enemies' cells in the enemy atlas and its own family of bullets.

#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"

namespace artgen {

void paintStageThreeEnemies(Canvas& /*atlas*/, const AtlasGrid& /*grid*/, Random& /*random*/) {}

void paintStageThreeBullet(Canvas& /*cell*/, int /*index*/) {}

}  // namespace artgen
