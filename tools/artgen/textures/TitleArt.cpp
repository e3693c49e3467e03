// The title screen: the logo and the start prompt.

#include <cmath>

#include "raster/Draw.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

void paintTitleLogo(Canvas& canvas, Random& random) {
    const Vec2 wordCentre{320.0f, 100.0f};
    const Vec2 twoCentre{322.0f, 232.0f};
    const Vec2 orbitCentre = twoCentre + Vec2{0.0f, 16.0f};
    const float orbitTilt = -8.0f;
    const float orbitX = 190.0f;
    const float orbitY = 38.0f;

    drawOrbit(canvas, orbitCentre, orbitX, orbitY, orbitTilt, 3.0f, false);
    drawTitleTwo(canvas, twoCentre, 136.0f);
    drawOrbit(canvas, orbitCentre, orbitX, orbitY, orbitTilt, 3.0f, true);
    scatterDust(canvas, random, orbitCentre, orbitX, orbitY, 26, palette::cyan);

    drawStreak(canvas, {320.0f, 146.0f}, 290.0f, 2.0f, palette::cyan);
    drawStreak(canvas, {320.0f, 146.0f}, 90.0f, 2.5f, palette::white, 0.8f);
    drawWordmark(canvas, wordCentre, 62.0f);

    // Glints: where the orbit swings nearest, on the apex of the A, and at the streak's end.
    const Vec2 orbitNear =
        orbitCentre +
        rotated(Vec2{std::cos(radians(60.0f)) * orbitX, std::sin(radians(60.0f)) * orbitY}, orbitTilt);
    drawSparkle(canvas, orbitNear, 26.0f, palette::cyan);
    drawSparkle(canvas, {392.0f, 68.0f}, 16.0f, palette::ice);
    drawSparkle(canvas, {46.0f, 146.0f}, 10.0f, palette::pink);
    fadeBorders(canvas, 12.0f);
}

void paintTitleStart(Canvas& canvas, Random& /*random*/) {
    const Vec2 centre{210.0f, 28.0f};
    const TextStyle style{24.0f, 0.13f, 0.42f, 0.0f};
    const Strokes text = StrokeFont::house().layout("PRESS START", style, centre);
    NeonStyle neon;
    neon.glow = palette::cyan;
    neon.haloRadius = 14.0f;
    neon.haloStrength = 0.18f;
    neon.glowRadius = 4.0f;
    neon.glowStrength = 0.35f;
    neon.body = palette::ice;
    drawNeon(canvas, text, neon);

    // A short fading rule either side of the words.
    const float reach = StrokeFont::house().textWidth("PRESS START", style) * 0.5f + 16.0f;
    for (float side : {-1.0f, 1.0f}) {
        const Vec2 from = centre + Vec2{side * reach, 0.0f};
        const Vec2 to = centre + Vec2{side * (reach + 30.0f), 0.0f};
        Strokes rule(2.0f);
        rule.addSegment(from, to);
        const Paint fading = linearGradient(
            from, to, {{0.0f, palette::ice.withAlpha(0.85f)}, {1.0f, palette::cyan.withAlpha(0.0f)}});
        fill(canvas, rule, fading);
    }
    fadeBorders(canvas, 3.0f);
}

}  // namespace artgen
