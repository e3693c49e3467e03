// The HUD's pictures beyond its gauges, and the stage overlays' lettering (the pointer buttons,
// hud_pointer_buttons.png, and the ships left, life_counter.png, are drawn from SVG files):
//
//   red_glow.png             128 x 128: red light along the edges, clear in the middle
//   beam_warning.png         128 x 32: a band of amber chevrons, drawn on its side at the field's
//                            edges while the counter-attack is ready
//   health_warning.png       256 x 64: "SHIELD" in red neon on a hazard plate
//   splash_stage_numbers.png 1024 x 128, 8 x 1 cells of 128: the digits 1 to 8 in neon
//   splash_stage_text.png    512 x 128: "STAGE" in neon
//   boss_warning_text.png    512 x 128: "WARNING" in red neon

#include <cmath>
#include <string>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

constexpr Colour kRed = Colour::hex(0xff3a3a);
constexpr Colour kHotRed = Colour::hex(0xffb0a0);
constexpr Colour kAmber = Colour::hex(0xffb23a);

Vec2 middleOf(const Canvas& canvas) {
    return {static_cast<float>(canvas.width()) * 0.5f, static_cast<float>(canvas.height()) * 0.5f};
}

// A word in neon, centred on the canvas.
void neonWord(Canvas& canvas, const std::string& word, float capHeight, Colour glowColour, Colour body) {
    const TextStyle style{capHeight, 0.14f, 0.25f, 0.12f};
    const Strokes strokes = StrokeFont::house().layout(word, style, middleOf(canvas));
    NeonStyle neon;
    neon.glow = glowColour;
    neon.haloRadius = capHeight * 0.35f;
    neon.glowRadius = capHeight * 0.1f;
    neon.body = body;
    neon.coreInset = 1.5f;
    drawNeon(canvas, strokes, neon);
}

}  // namespace

void paintRedGlow(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    shade(canvas, [&](Vec2 p) {
        // Distance to the nearest edge, as a fraction of half the side.
        const float edge = std::min(std::min(p.x, width - p.x) / (width * 0.5f),
                                    std::min(p.y, height - p.y) / (height * 0.5f));
        const float light = std::pow(clamp01(1.0f - edge / 0.45f), 1.6f);
        return kRed.withAlpha(clamp01(light * 1.3f));
    });
    // Scaled up, the image's own edge lies beyond the field; it still ends clear.
    fadeBorders(canvas, 2.0f);
}

void paintBeamWarning(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const float middle = height * 0.5f;
    fill(canvas, RoundedRect(Rect{0.0f, 4.0f, width, height - 4.0f}, 3.0f), Colour::hex(0x2a1200, 0.45f));
    for (float x = 4.0f; x < width; x += 16.0f) {
        Strokes chevron(3.0f);
        chevron.addPolyline({{x, middle - 9.0f}, {x + 7.0f, middle}, {x, middle + 9.0f}});
        fill(canvas, chevron, kAmber.withAlpha(0.9f));
    }
    for (float y : {3.0f, height - 3.0f}) {
        Strokes rule(1.5f);
        rule.addSegment({0.0f, y}, {width, y});
        fill(canvas, rule, kRed.withAlpha(0.8f));
    }
    fadeBorders(canvas, 2.0f);
}

void paintHealthWarning(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const RoundedRect plate(Rect{10.0f, 8.0f, width - 10.0f, height - 8.0f}, 8.0f);
    glow(canvas, plate, kRed, 6.0f, 0.35f);
    fill(canvas, plate, Colour::hex(0x2a0606, 0.7f));
    stroke(canvas, plate, 2.0f, kRed.withAlpha(0.9f));
    neonWord(canvas, "SHIELD", 26.0f, kRed, kHotRed);
    fadeBorders(canvas, 3.0f);
}

void paintSplashStageNumbers(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 8, 1);
    grid.paintFrames(canvas, 8, [](Canvas& cell, int frame) {
        neonWord(cell, std::to_string(frame + 1), 80.0f, palette::cyan, palette::ice);
        fadeBorders(cell, 4.0f);
    });
}

void paintSplashStageText(Canvas& canvas, Random& random) {
    neonWord(canvas, "STAGE", 64.0f, palette::cyan, palette::ice);
    drawStreak(canvas, middleOf(canvas) + Vec2{0.0f, 46.0f}, 200.0f, 1.5f, palette::cyan, 0.8f);
    scatterDust(canvas, random, middleOf(canvas), 200.0f, 40.0f, 8, palette::cyan);
    fadeBorders(canvas, 8.0f);
}

void paintBossWarningText(Canvas& canvas, Random& /*random*/) {
    neonWord(canvas, "WARNING", 60.0f, kRed, kHotRed);
    drawStreak(canvas, middleOf(canvas) + Vec2{0.0f, 44.0f}, 210.0f, 1.5f, kAmber, 0.8f);
    fadeBorders(canvas, 8.0f);
}

}  // namespace artgen
