// The painters of the hangar, high-score, options, control-settings and results screens.
#pragma once

#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

void paintHangarButtons(Canvas& canvas, Random& random);
void paintLaunchButton(Canvas& canvas, Random& random);
void paintHangarBackButton(Canvas& canvas, Random& random);
void paintRankBadges(Canvas& canvas, Random& random);
void paintScoreLabels(Canvas& canvas, Random& random);
void paintSliderTrack(Canvas& canvas, Random& random);
void paintSliderKnob(Canvas& canvas, Random& random);
void paintAutoTranceButtons(Canvas& canvas, Random& random);
void paintExperienceBar(Canvas& canvas, Random& random);
void paintLevelPips(Canvas& canvas, Random& random);
void paintMenuRowPlate(Canvas& canvas, Random& random);

}  // namespace artgen
