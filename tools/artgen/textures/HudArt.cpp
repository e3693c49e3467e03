// The in-stage display: the gauges, the multiplier plate, the trance cut-in, the stage and
// boss banners and the panel behind the overlays' texts (the text font is font/FontAtlas.cpp).
//
//   hud_gauges.png        256 x 128, 1 x 8 cells of 256 x 16: 0 gauge frame, 1 beam fill
//                         (white, tinted by the HUD), 2 break fill, 3 break fill in trance,
//                         4 graze heat fill, 5 shield fill;
//                         6 and 7 empty
//   hud_multiplier_plate.png  128 x 32: the dark plate behind the multiplier
//   break_cutin.png       512 x 128: "TRANCE" in neon; break_cutin_bg.png 512 x 128: a band of
//                         light; break_cutin_blur.png 256 x 128: a soft flare
//   splash_band.png       512 x 128: the band behind "STAGE n"
//   boss_warning_band.png 512 x 128: the red hazard band behind "WARNING"
//   overlay_panel.png     256 x 256: the framed panel behind pause, continue and summary texts

#include <cmath>
#include <string>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

// ---- Shared pieces ----

// A horizontal band of light: bright along its middle line, fading up and down and towards
// both ends.
void drawBand(Canvas& canvas, Colour core, Colour edge, float halfHeight) {
    const auto width = static_cast<float>(canvas.width());
    const auto middle = static_cast<float>(canvas.height()) * 0.5f;
    shade(canvas, [&](Vec2 p) {
        const float along = std::abs(p.x - width * 0.5f) / (width * 0.5f);
        const float ends = smoothstep(1.0f, 0.55f, along);
        const float across = std::abs(p.y - middle) / halfHeight;
        const float body = smoothstep(1.0f, 0.6f, across);
        const Colour colour = mix(core, edge, clamp01(across));
        return colour.withAlpha(clamp01(ends * body * (0.55f + 0.3f * std::exp(-across * across * 6.0f))));
    });
    const Rect top{0.0f, middle - halfHeight, width, middle - halfHeight + 1.5f};
    const Rect bottom{0.0f, middle + halfHeight - 1.5f, width, middle + halfHeight};
    for (const Rect& rule : {top, bottom}) {
        shade(
            canvas, rule,
            [&](Vec2 p) {
                const float along = std::abs(p.x - width * 0.5f) / (width * 0.5f);
                return edge.withAlpha(smoothstep(1.0f, 0.3f, along));
            },
            Blend::Add);
    }
}

}  // namespace

void paintHudGauges(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 1, 8);
    grid.paintFrames(canvas, 6, [](Canvas& cell, int frame) {
        const auto width = static_cast<float>(cell.width());
        const auto height = static_cast<float>(cell.height());
        const Rect body{3.0f, 3.0f, width - 3.0f, height - 3.0f};
        if (frame == 0) {
            // The frame: a dark glass trough with a thin cyan rim.
            const RoundedRect trough(body, 4.0f);
            fill(cell, trough, Colour::hex(0x04121c, 0.7f));
            stroke(cell, trough, 1.2f, palette::cyan.withAlpha(0.8f));
            return;
        }
        // The fills: a bright core line in a lighter body, the same all along so the HUD may
        // stretch them to any length.
        static const Colour kFills[5][2] = {
            {palette::white, Colour::hex(0xd8d8d8)},         // beam (tinted red when short)
            {palette::pink, palette::magenta},               // break
            {palette::white, Colour::hex(0xffd04a)},         // break during the trance
            {palette::ice, palette::cyan},                   // graze heat
            {Colour::hex(0xe8ffe0), Colour::hex(0x4ad87a)},  // shield (bombs left)
        };
        const Colour core = kFills[frame - 1][0];
        const Colour outer = kFills[frame - 1][1];
        const Rect inner{5.0f, 5.0f, width - 5.0f, height - 5.0f};
        const float middle = height * 0.5f;
        shade(cell, inner, [&](Vec2 p) {
            const float across = std::abs(p.y - middle) / (inner.height() * 0.5f);
            return mix(core, outer, clamp01(across)).withAlpha(1.0f - 0.35f * across);
        });
    });
    fadeBorders(canvas, 1.0f);
}

void paintHudMultiplierPlate(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const RoundedRect plate(Rect{6.0f, 5.0f, width - 6.0f, height - 5.0f}, 8.0f);
    glow(canvas, plate, palette::deepTeal, 5.0f, 0.5f);
    fill(canvas, plate,
         linearGradient({0.0f, 5.0f}, {0.0f, height - 5.0f},
                        {{0.0f, Colour::hex(0x0b2a38, 0.9f)}, {1.0f, Colour::hex(0x040d14, 0.9f)}}));
    stroke(canvas, plate, 1.0f, palette::teal.withAlpha(0.8f));
    fadeBorders(canvas, 3.0f);
}

void paintBreakCutIn(Canvas& canvas, Random& random) {
    const Vec2 centre{static_cast<float>(canvas.width()) * 0.5f, static_cast<float>(canvas.height()) * 0.5f};
    const TextStyle style{54.0f, 0.16f, 0.3f, 0.18f};
    const Strokes word = StrokeFont::house().layout("TRANCE", style, centre);
    NeonStyle neon;
    neon.glow = palette::magenta;
    neon.haloRadius = 20.0f;
    neon.glowRadius = 6.0f;
    neon.body = palette::pink;
    neon.coreInset = 2.0f;
    drawNeon(canvas, word, neon);
    drawStreak(canvas, centre + Vec2{0.0f, 38.0f}, 220.0f, 1.5f, palette::cyan, 0.9f);
    scatterDust(canvas, random, centre, 210.0f, 40.0f, 14, palette::pink);
    fadeBorders(canvas, 10.0f);
}

void paintBreakCutInBackground(Canvas& canvas, Random& /*random*/) {
    drawBand(canvas, Colour::hex(0x5a1060), palette::magenta, 44.0f);
    fadeBorders(canvas, 6.0f);
}

void paintBreakCutInBlur(Canvas& canvas, Random& /*random*/) {
    const Vec2 centre{static_cast<float>(canvas.width()) * 0.5f, static_cast<float>(canvas.height()) * 0.5f};
    const Ellipse flare(centre, 70.0f, 18.0f);
    glow(canvas, flare, palette::pink, 40.0f, 0.6f);
    fill(canvas, flare, palette::white.withAlpha(0.5f), Blend::Add);
    blur(canvas, 8.0f);
    fadeBorders(canvas, 8.0f);
}

void paintSplashBand(Canvas& canvas, Random& random) {
    drawBand(canvas, Colour::hex(0x06303e), palette::cyan, 30.0f);
    const Vec2 centre{static_cast<float>(canvas.width()) * 0.5f, static_cast<float>(canvas.height()) * 0.5f};
    scatterDust(canvas, random, centre, 200.0f, 34.0f, 10, palette::cyan);
    fadeBorders(canvas, 6.0f);
}

void paintBossWarningBand(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const auto middle = static_cast<float>(canvas.height()) * 0.5f;
    drawBand(canvas, Colour::hex(0x4a0808), Colour::hex(0xff3030), 30.0f);
    // Hazard stripes along both rules.
    for (float edgeY : {middle - 38.0f, middle + 38.0f}) {
        for (float x = 8.0f; x < width - 8.0f; x += 18.0f) {
            const float along = std::abs(x - width * 0.5f) / (width * 0.5f);
            const Polygon stripe({{x, edgeY - 4.0f},
                                  {x + 8.0f, edgeY - 4.0f},
                                  {x + 4.0f, edgeY + 4.0f},
                                  {x - 4.0f, edgeY + 4.0f}});
            fill(canvas, stripe, Colour::hex(0xff5a30, 0.85f * smoothstep(1.0f, 0.5f, along)));
        }
    }
    fadeBorders(canvas, 6.0f);
}

void paintOverlayPanel(Canvas& canvas, Random& /*random*/) {
    const auto size = static_cast<float>(canvas.width());
    const RoundedRect panel(Rect{10.0f, 10.0f, size - 10.0f, size - 10.0f}, 14.0f);
    glow(canvas, panel, palette::cyan, 8.0f, 0.25f);
    fill(canvas, panel,
         linearGradient({0.0f, 10.0f}, {0.0f, size - 10.0f},
                        {{0.0f, Colour::hex(0x0a2230, 0.88f)}, {1.0f, Colour::hex(0x050a16, 0.88f)}}));
    stroke(canvas, panel, 1.5f, palette::cyan.withAlpha(0.85f));
    const RoundedRect inner(Rect{16.0f, 16.0f, size - 16.0f, size - 16.0f}, 10.0f);
    stroke(canvas, inner, 1.0f, palette::teal.withAlpha(0.35f));
    fadeBorders(canvas, 4.0f);
}

}  // namespace artgen
