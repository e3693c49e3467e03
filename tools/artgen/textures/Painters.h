// The painters of the texture table, one per texture.
#pragma once

#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

// Front end: title and menus.
void paintBlack(Canvas& canvas, Random& random);
void paintTitleLogo(Canvas& canvas, Random& random);
void paintTitleStart(Canvas& canvas, Random& random);
void paintSelectHighlight(Canvas& canvas, Random& random);
void paintMenuBackgroundNebula(Canvas& canvas, Random& random);

// The load blocker.
void paintLoadLogo(Canvas& canvas, Random& random);
void paintLoadLogoPc(Canvas& canvas, Random& random);

// Gameplay: enemies, the player's ship and its effects.
void paintEnemyAtlas(Canvas& canvas, Random& random);
void paintSenkoTypeA(Canvas& canvas, Random& random);
void paintSenkoOption(Canvas& canvas, Random& random);
void paintSenkoEngine(Canvas& canvas, Random& random);
void paintSenkoMarker(Canvas& canvas, Random& random);
void paintMothership(Canvas& canvas, Random& random);
void paintBomb(Canvas& canvas, Random& random);
void paintParticleAtlas(Canvas& canvas, Random& random);
void paintExplosion(Canvas& canvas, Random& random);

}  // namespace artgen
