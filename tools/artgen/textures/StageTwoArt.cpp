// The stage two art: its enemies' cells in the enemy atlas and its own family of bullets.

#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"

namespace artgen {

void paintStageTwoEnemies(Canvas& /*atlas*/, const AtlasGrid& /*grid*/, Random& /*random*/) {}

void paintStageTwoBullet(Canvas& /*cell*/, int /*index*/) {}

}  // namespace artgen
