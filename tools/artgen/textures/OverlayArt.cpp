// The HUD's pictures beyond its gauges, and the stage overlays' lettering:
//
//   hud_pointer_buttons.png  192 x 192, 3 x 3 cells of 64: a row per button (pause, bomb,
//                            counter-attack), its disabled, normal and pressed looks across
//   red_glow.png             128 x 128: red light along the edges, clear in the middle
//   beam_warning.png         128 x 32: a band of amber chevrons, drawn on its side at the field's
//                            edges while the counter-attack is ready
//   life_counter.png         256 x 256, 1 x 8 cells of 256 x 32: cell n shows n + 1 ships
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

// A small arrowhead ship, nose up, centred on `centre`, `size` pixels tall.
Polygon shipIcon(Vec2 centre, float size) {
    const float h = size * 0.5f;
    return Polygon({{centre.x, centre.y - h},
                    {centre.x + h * 0.8f, centre.y + h},
                    {centre.x, centre.y + h * 0.5f},
                    {centre.x - h * 0.8f, centre.y + h}});
}

}  // namespace

void paintHudPointerButtons(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 3, 3);
    grid.paintFrames(canvas, 9, [](Canvas& cell, int frame) {
        const int kind = frame / 3;  // 0 pause, 1 bomb, 2 counter-attack
        const int look = frame % 3;  // 0 disabled, 1 normal, 2 pressed
        const Vec2 centre = middleOf(cell);
        const Circle disc(centre, 26.0f);
        const Colour rim = look == 0 ? Colour::hex(0x5a6670) : look == 2 ? palette::ice : palette::cyan;
        if (look != 0) {
            glow(cell, disc, look == 2 ? palette::cyan : palette::teal, 5.0f, look == 2 ? 0.6f : 0.3f);
        }
        fill(cell, disc, Colour::hex(look == 2 ? 0x1d7f96 : 0x06141e, look == 0 ? 0.5f : 0.75f));
        stroke(cell, disc, 2.0f, rim.withAlpha(0.9f));
        const Colour mark = look == 0 ? Colour::hex(0x7a8690) : palette::ice;
        if (kind == 0) {
            for (float side : {-1.0f, 1.0f}) {
                fill(cell,
                     RoundedRect(Rect{centre.x + side * 7.0f - 3.5f, centre.y - 11.0f,
                                      centre.x + side * 7.0f + 3.5f, centre.y + 11.0f},
                                 1.5f),
                     mark);
            }
        } else if (kind == 1) {
            const Circle bomb(centre + Vec2{-1.0f, 2.0f}, 10.0f);
            fill(cell, bomb, look == 0 ? mark : palette::pink);
            Strokes fuse(2.5f);
            fuse.addPolyline({centre + Vec2{6.0f, -6.0f}, centre + Vec2{10.0f, -12.0f}});
            fill(cell, fuse, mark);
            if (look != 0) {
                drawSparkle(cell, centre + Vec2{11.0f, -14.0f}, 6.0f, kAmber);
            }
        } else {
            // An upward beam between two chevrons.
            Strokes arrow(3.0f);
            arrow.addPolyline(
                {centre + Vec2{-10.0f, 2.0f}, centre + Vec2{0.0f, -9.0f}, centre + Vec2{10.0f, 2.0f}});
            arrow.addPolyline(
                {centre + Vec2{-10.0f, 12.0f}, centre + Vec2{0.0f, 1.0f}, centre + Vec2{10.0f, 12.0f}});
            fill(cell, arrow, mark);
        }
        fadeBorders(cell, 1.5f);
    });
}

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

void paintLifeCounter(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 1, 8);
    grid.paintFrames(canvas, 8, [](Canvas& cell, int frame) {
        const float middle = static_cast<float>(cell.height()) * 0.5f;
        for (int ship = 0; ship <= frame; ++ship) {
            const Vec2 centre{14.0f + static_cast<float>(ship) * 30.0f, middle};
            const Polygon icon = shipIcon(centre, 22.0f);
            glow(cell, icon, palette::cyan, 4.0f, 0.45f);
            fill(cell, icon,
                 linearGradient(centre + Vec2{0.0f, -11.0f}, centre + Vec2{0.0f, 11.0f},
                                {{0.0f, palette::white}, {1.0f, palette::cyan}}));
        }
        fadeBorders(cell, 1.0f);
    });
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
