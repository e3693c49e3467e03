// The hidden fifth stage's art: its craft in cells 34 to 63 of its own enemy atlas and its family of bullets
// in frames 64 to 127 of its own bullet atlas. Nothing is drawn yet: the stage borrows the
// house cells while its own are made.
#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"

namespace artgen {

void paintTrueFifthEnemies(Canvas& /*atlas*/, const AtlasGrid& /*grid*/, Random& /*random*/) {}

void paintTrueFifthBullet(Canvas& /*cell*/, int /*index*/) {}

}  // namespace artgen
