// The bosses of the first stage, their parts, the decorations around a boss in a fight and
// the boss gauge.
//
//   boss_parts.png       512 x 512. Cut 2 x 2 (cells of 256): frame 0 the mid-boss "Warden",
//                        a squat armoured wedge with a crimson eye; frame 1 the boss "Halcyon
//                        Vigil", a long violet carrier with an open spine. Cut 4 x 4 (cells of
//                        128): frame 8 gun pod, 9 beam emitter (a prism lens on a mount),
//                        10 the core (a glowing heart, the special module), 11 break shard
//                        (a jagged plate glowing at its cracks), 12 exhaust flame, 13 wing
//                        blade, 14 the Warden's shoulder turret, 15 a rune shard.
//   boss_rune_circle.png 256 x 256: a ring of rune marks between two thin circles, cyan-violet.
//   boss_event_circle.png 256 x 256: a thick soft white ring (the break phase's collapse).
//   spell_gfx.png        256 x 256: a white burst with four long rays.
//   break_ring.png       256 x 256: a hard white ring with a soft inner edge (tinted black).
//   boss_explode_ring.png 256 x 256: an orange-white shock ring with a hot rim.
//   boss_hp_gauge.png    256 x 32, two rows: the trough (frame 0) and the fill (frame 1).

#include <cmath>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "textures/CraftKit.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

const Colour kOutline = Colour::hex(0x07040c);
const Colour kCrimson = Colour::hex(0xff2a4a);
const Colour kHostileHalo = Colour::hex(0xff2a55);

Metal bossMetal(Colour base, float bevel) {
    Metal metal;
    metal.lit = mix(base, palette::white, 0.45f);
    metal.base = base;
    metal.shade = mix(base, palette::black, 0.7f);
    metal.bevel = bevel;
    metal.sheen = 0.3f;
    metal.rim = Colour::hex(0xffc0d8);
    metal.rimStrength = 0.3f;
    return metal;
}

// A ring of radius `radius` and soft width `width` in `colour`, with a haze around it.
void softRing(Canvas& canvas, float radius, float width, float haze, Colour colour, float inner = 0.0f) {
    const float size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    shade(canvas, [&](Vec2 p) {
        const float r = length(p - centre);
        const float band = std::exp(-std::pow((r - radius) / width, 2.0f));
        const float glowAmount = std::exp(-std::pow((r - radius) / haze, 2.0f)) * 0.4f;
        const float fill = r < radius ? inner * (r / radius) : 0.0f;
        const float alpha =
            clamp01((band + glowAmount + fill) * smoothstep(size * 0.5f - 1.0f, size * 0.5f - 6.0f, r));
        return colour.withAlpha(alpha);
    });
}

void paintWarden(Canvas& cell, Random& random) {
    const float m = 128.0f;
    const Polygon hull(
        mirrored({{m, 30}, {m + 52, 58}, {m + 96, 120}, {m + 84, 168}, {m + 40, 186}, {m + 22, 222}}, m));
    drawHalo(cell, hull, kHostileHalo, 14.0f, 0.5f);
    drawPlate(cell, hull, bossMetal(Colour::hex(0x4a3e5c), 7.0f), kOutline, 2.5f);
    const Polygon brow(mirrored({{m, 56}, {m + 36, 78}, {m + 48, 112}, {m + 20, 104}}, m));
    drawPlate(cell, brow, bossMetal(Colour::hex(0x2c2438), 4.0f), kOutline, 1.5f);
    fillMirroredPlates(cell, {Rect{m + 54, 128, m + 80, 166}, Rect{m + 26, 140, m + 46, 176}}, m, hull,
                       bossMetal(Colour::hex(0x3a3048), 3.0f));
    drawSeams(cell,
              mirroredSeamLines(1.5f, {{{m + 10, 120}, {m + 70, 150}}, {{m + 8, 180}, {m + 36, 200}}}, m),
              hull, Colour::hex(0x0b0810, 0.6f));
    drawLamp(cell, {m, 138}, 17.0f, kCrimson, 1.2f);
    drawLamp(cell, {m - 62, 146}, 6.0f, Colour::hex(0xff8a2a), 0.8f);
    drawLamp(cell, {m + 62, 146}, 6.0f, Colour::hex(0xff8a2a), 0.8f);
    drawExhaust(cell, {m - 14, 214}, 14.0f, 30.0f, Colour::hex(0xff5a8a), 0.7f);
    drawExhaust(cell, {m + 14, 214}, 14.0f, 30.0f, Colour::hex(0xff5a8a), 0.7f);
    (void)random;
    clearMargin(cell, 3.0f);
}

void paintVigil(Canvas& cell, Random& random) {
    const float m = 128.0f;
    const Polygon hull(mirrored({{m, 14},
                                 {m + 22, 40},
                                 {m + 34, 96},
                                 {m + 100, 132},
                                 {m + 108, 160},
                                 {m + 44, 170},
                                 {m + 36, 214},
                                 {m + 18, 238}},
                                m));
    drawHalo(cell, hull, Colour::hex(0xb04dff), 16.0f, 0.55f);
    drawPlate(cell, hull, bossMetal(Colour::hex(0x3e3462), 7.0f), kOutline, 2.5f);
    // The open spine: a glowing channel down the middle.
    const RoundedRect spine(Rect{m - 9, 44, m + 9, 206}, 8.0f);
    fill(cell, spine, Colour::hex(0x0d0618));
    glow(cell, spine, palette::magenta, 10.0f, 0.8f, Blend::Add);
    fill(cell, RoundedRect(Rect{m - 3, 54, m + 3, 196}, 3.0f), palette::pink, Blend::Add);
    fillMirroredPlates(cell, {Rect{m + 44, 128, m + 96, 150}, Rect{m + 16, 100, m + 30, 160}}, m, hull,
                       bossMetal(Colour::hex(0x5a4a86), 3.0f));
    drawSeams(
        cell,
        mirroredSeamLines(
            1.5f,
            {{{m + 20, 60}, {m + 30, 100}}, {{m + 40, 170}, {m + 30, 210}}, {{m + 60, 134}, {m + 100, 150}}},
            m),
        hull, Colour::hex(0x0b0810, 0.6f));
    drawLamp(cell, {m - 80, 146}, 5.0f, palette::cyan, 0.9f);
    drawLamp(cell, {m + 80, 146}, 5.0f, palette::cyan, 0.9f);
    drawLamp(cell, {m, 30}, 7.0f, palette::magenta, 1.0f);
    (void)random;
    clearMargin(cell, 3.0f);
}

void paintPart(Canvas& cell, int frame, Random& random) {
    const float m = 64.0f;
    switch (frame) {
        case 8: {  // gun pod
            const Polygon pod(mirrored({{m, 18}, {m + 16, 34}, {m + 20, 96}, {m + 10, 108}}, m));
            drawPlate(cell, pod, bossMetal(Colour::hex(0x4a3e5c), 4.0f), kOutline, 1.5f);
            for (float x : {m - 8.0f, m + 8.0f}) {
                drawPlate(cell, RoundedRect(Rect{x - 3, 6, x + 3, 40}, 2.0f),
                          bossMetal(Colour::hex(0x2a2236), 1.5f), kOutline, 1.0f);
            }
            drawLamp(cell, {m, 70}, 7.0f, kCrimson);
            break;
        }
        case 9: {  // beam emitter
            drawPlate(cell, Circle({m, 70}, 30.0f), bossMetal(Colour::hex(0x3a3048), 4.0f), kOutline, 1.5f);
            const Polygon prism({{m, 18}, {m + 18, 60}, {m, 84}, {m - 18, 60}});
            glow(cell, prism, palette::cyan, 12.0f, 0.9f, Blend::Add);
            fill(cell, prism,
                 linearGradient({m, 18}, {m, 84}, {{0.0f, palette::white}, {1.0f, palette::cyan}}));
            break;
        }
        case 10: {  // the core
            glow(cell, Circle({m, m}, 26.0f), palette::magenta, 22.0f, 1.0f, Blend::Add);
            fill(cell, Circle({m, m}, 26.0f),
                 radialGradient({m, m}, 26.0f,
                                {{0.0f, palette::white}, {0.45f, palette::pink}, {1.0f, palette::magenta}}));
            stroke(cell, Circle({m, m}, 34.0f), 3.0f, palette::violet.withAlpha(0.8f));
            break;
        }
        case 11: {  // break shard
            const Polygon shard(
                {{m - 10, 12}, {m + 26, 30}, {m + 34, 78}, {m + 6, 116}, {m - 30, 92}, {m - 26, 40}});
            drawPlate(cell, shard, bossMetal(Colour::hex(0x2a2040), 4.0f), kOutline, 1.5f);
            Strokes cracks(2.0f);
            cracks.addPolyline({{m - 14, 30}, {m + 2, 60}, {m - 4, 84}, {m + 10, 104}});
            cracks.addPolyline({{m + 2, 60}, {m + 24, 66}});
            glow(cell, cracks, Colour::hex(0xff8a2a), 6.0f, 0.9f, Blend::Add);
            fill(cell, cracks, Colour::hex(0xffe0a0), Blend::Add);
            break;
        }
        case 12:  // exhaust flame
            drawExhaust(cell, {m, 8}, 30.0f, 110.0f, Colour::hex(0xff4aa0), 1.0f);
            break;
        case 13: {  // wing blade
            const Polygon blade({{m - 40, 40}, {m + 44, 20}, {m + 50, 34}, {m - 20, 92}, {m - 44, 88}});
            drawPlate(cell, blade, bossMetal(Colour::hex(0x4c3f74), 4.0f), kOutline, 1.5f);
            drawLamp(cell, {m + 38, 30}, 4.0f, palette::cyan, 0.8f);
            break;
        }
        case 14: {  // the Warden's shoulder turret
            drawPlate(cell, Circle({m, 72}, 28.0f), bossMetal(Colour::hex(0x4a3e5c), 4.0f), kOutline, 1.5f);
            drawPlate(cell, RoundedRect(Rect{m - 5, 14, m + 5, 64}, 3.0f),
                      bossMetal(Colour::hex(0x2a2236), 2.0f), kOutline, 1.0f);
            drawLamp(cell, {m, 76}, 8.0f, kCrimson);
            break;
        }
        case 15: {  // rune shard
            const Polygon rune({{m, 14}, {m + 22, m}, {m, 114}, {m - 22, m}});
            glow(cell, rune, palette::cyan, 12.0f, 0.8f, Blend::Add);
            stroke(cell, rune, 3.0f, palette::ice);
            Strokes mark(2.5f);
            mark.addPolyline({{m, 34}, {m, 94}});
            mark.addPolyline({{m - 10, 54}, {m + 10, 74}});
            fill(cell, mark, palette::cyan);
            break;
        }
        default:
            break;
    }
    (void)random;
    clearMargin(cell, 2.0f);
}

}  // namespace

void paintBossParts(Canvas& canvas, Random& random) {
    const AtlasGrid bodies(canvas.width(), canvas.height(), 2, 2);
    bodies.paintFrames(canvas, 2, [&](Canvas& cell, int frame) {
        if (frame == 0) {
            paintWarden(cell, random);
        } else {
            paintVigil(cell, random);
        }
    });
    // The parts take the bottom half only: placing a cell copies it whole, so an empty cell
    // placed over the top half would wipe the two bodies out.
    const AtlasGrid parts(canvas.width(), canvas.height(), 4, 4);
    for (int frame = 8; frame < 16; ++frame) {
        Canvas cell(parts.cellWidth(), parts.cellHeight());
        paintPart(cell, frame, random);
        parts.place(canvas, cell, frame % 4, frame / 4);
    }
}

void paintBossRuneCircle(Canvas& canvas, Random& random) {
    const float size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    for (float radius : {size * 0.44f, size * 0.32f}) {
        glow(canvas, Outline(Circle(centre, radius), 1.5f), palette::violet, 6.0f, 0.6f, Blend::Add);
        fill(canvas, Outline(Circle(centre, radius), 1.5f), palette::cyan.withAlpha(0.9f), Blend::Add);
    }
    // Rune marks between the circles: short strokes and ticks in an uneven rhythm.
    Strokes marks(2.5f);
    const int count = 24;
    for (int i = 0; i < count; ++i) {
        const float angle = static_cast<float>(i) / count * 6.2831853f;
        const Vec2 dir{std::sin(angle), -std::cos(angle)};
        const Vec2 side{-dir.y, dir.x};
        const Vec2 base = centre + dir * (size * 0.38f);
        const float h = size * 0.035f;
        switch (random.integer(0, 3)) {
            case 0:
                marks.addPolyline({base - dir * h, base + dir * h});
                break;
            case 1:
                marks.addPolyline(
                    {base - dir * h + side * 4.0f, base + dir * h, base - dir * h - side * 4.0f});
                break;
            case 2:
                marks.addPolyline({base - side * 5.0f, base + side * 5.0f});
                marks.addPolyline({base - dir * h, base + dir * h});
                break;
            default:
                marks.addPolyline({base - dir * h - side * 4.0f, base + dir * h - side * 4.0f,
                                   base + dir * h + side * 4.0f},
                                  false);
                break;
        }
    }
    glow(canvas, marks, palette::cyan, 5.0f, 0.7f, Blend::Add);
    fill(canvas, marks, palette::ice, Blend::Add);
    fadeBorders(canvas, 4.0f);
}

void paintBossEventCircle(Canvas& canvas, Random& /*random*/) {
    softRing(canvas, canvas.width() * 0.40f, 9.0f, 20.0f, palette::white, 0.1f);
}

void paintSpellFlash(Canvas& canvas, Random& /*random*/) {
    const float size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    fill(canvas, Circle(centre, size * 0.3f),
         radialGradient(centre, size * 0.3f,
                        {{0.0f, palette::white},
                         {0.4f, palette::ice.withAlpha(0.6f)},
                         {1.0f, palette::ice.withAlpha(0.0f)}}),
         Blend::Add);
    Strokes rays(4.0f);
    rays.addSegment({centre.x - size * 0.46f, centre.y}, {centre.x + size * 0.46f, centre.y});
    rays.addSegment({centre.x, centre.y - size * 0.46f}, {centre.x, centre.y + size * 0.46f});
    glow(canvas, rays, palette::ice, 8.0f, 0.6f);
    fill(canvas, rays, palette::white, Blend::Add);
    fadeBorders(canvas, 4.0f);
}

void paintBreakRing(Canvas& canvas, Random& /*random*/) {
    softRing(canvas, canvas.width() * 0.42f, 5.0f, 10.0f, palette::white, 0.0f);
}

void paintBossExplodeRing(Canvas& canvas, Random& /*random*/) {
    softRing(canvas, canvas.width() * 0.40f, 7.0f, 16.0f, Colour::hex(0xffb070), 0.15f);
    softRing(canvas, canvas.width() * 0.40f, 2.5f, 3.0f, palette::white, 0.0f);
}

void paintBossHpGauge(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid rows(canvas.width(), canvas.height(), 1, 2);
    rows.paintFrames(canvas, 2, [&](Canvas& cell, int frame) {
        const float w = static_cast<float>(cell.width());
        const float h = static_cast<float>(cell.height());
        const RoundedRect bar(Rect{2, 3, w - 2, h - 3}, 4.0f);
        if (frame == 0) {
            fill(cell, bar, Colour::hex(0x140814, 0.85f));
            stroke(cell, bar, 1.5f, Colour::hex(0xff8ab0, 0.9f));
        } else {
            fill(cell, RoundedRect(Rect{1, 4, w - 1, h - 4}, 3.0f),
                 linearGradient({0, 0}, {w, 0},
                                {{0.0f, Colour::hex(0xff2a4a)},
                                 {0.6f, Colour::hex(0xff3fd2)},
                                 {1.0f, Colour::hex(0xffb3f0)}}));
            fill(cell, RoundedRect(Rect{2, 5, w - 2, 7}, 1.0f), palette::white.withAlpha(0.5f), Blend::Add);
        }
    });
}

}  // namespace artgen
