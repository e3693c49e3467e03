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

}  // namespace artgen
