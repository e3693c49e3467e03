// The bosses of the first stage, their parts, the decorations around a boss in a fight and
// the boss gauge.
//
//   boss_warden.png      1024 x 256, four 256-px states of the mid-boss "Warden", a squat
//                        armoured wedge with a crimson eye: 0 whole, 1 scorched with a shoulder
//                        plate blown open, 2 brow torn and the eye's ring cracked, 3 the armour
//                        split over its glowing heart.
//   boss_vigil.png       1024 x 256, four states of the boss "Halcyon Vigil", a long violet
//                        carrier with an open spine: 0 whole, 1 scorched and sparking, 2 wing
//                        plates broken open, 3 the spine split wide over its burning core.
//                        Both are painted nose up; the game turns them to face down the field.
//   boss_parts.png       512 x 256, cut 4 x 2 (cells of 128): frame 0 gun pod, 1 beam emitter (a
//                        prism lens on a mount), 2 the core (a glowing heart, the special
//                        module), 3 break shard (a jagged plate glowing at its cracks), 4 exhaust
//                        flame, 5 wing blade, 6 the Warden's shoulder turret, 7 a rune shard.
//   boss_rune_circle.png 256 x 256: a ring of rune marks between two thin circles, cyan-violet.
//   boss_event_circle.png 256 x 256: a thick soft white ring (the break phase's collapse).
//   spell_gfx.png        256 x 256: a white burst with four long rays.
//   break_ring.png       256 x 256: a hard white ring with a soft inner edge (tinted black).
//   boss_explode_ring.png 256 x 256: an orange-white shock ring with a hot rim.
//   boss_hp_gauge.png    256 x 32, two rows: the trough (frame 0) and the fill (frame 1).

#include <algorithm>
#include <cmath>
#include <string>
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

// ---- The first stage's hulls ----
//
// Each state is the whole hull with the damage of every state before it and its own on top:
// the marks of damage level k always come from the same seed, so a state only ever adds.

const Colour kEmberHot = Colour::hex(0xff7a2a);
const Colour kInnards = Colour::hex(0xff4a8a);  // the magenta-red glow inside a torn hull
const Colour kSoot = Colour::hex(0x0c0610);

Random damageSeed(const char* hull, int level) {
    return Random::forName(std::string(hull) + " damage " + std::to_string(level));
}

// Rivet heads along a line.
void drawRivets(Canvas& cell, Vec2 from, Vec2 to, int count) {
    for (int i = 0; i < count; ++i) {
        const Vec2 at =
            lerp(from, to, count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.0f);
        fill(cell, Circle(at, 2.2f), kOutline);
        fill(cell, Circle(at, 1.4f), Colour::hex(0x8a7aa8));
        fill(cell, Circle(at + Vec2{-0.5f, -0.5f}, 0.6f), Colour::hex(0xd8c8f0, 0.8f), Blend::Add);
    }
}

// A vent slot with light inside it, glowing out.
void drawVent(Canvas& cell, Vec2 at, float halfWidth, float halfHeight, Colour light, float strength) {
    const RoundedRect slot(Rect::around(at, halfWidth, halfHeight), halfHeight);
    fill(cell, Grown(slot, 1.5f), kOutline);
    fill(cell, slot, kSoot);
    glow(cell, slot, light, 5.0f + 4.0f * strength, 0.6f * strength);
    fill(cell, Grown(slot, -1.0f), light.withAlpha(0.8f * strength), Blend::Add);
}

// A plate blown open: the hollow under it, bent ribs across it and its heat glowing out, all
// kept inside `within`.
void drawOpenPlate(Canvas& cell, const Rect& area, const Shape& within, Colour heat) {
    const RoundedRect hole(area, 3.0f);
    fillInside(cell, Grown(hole, 2.0f), within, kOutline);
    fillInside(
        cell, hole, within,
        radialGradient(area.centre(), std::min(area.width(), area.height()) * 0.75f,
                       {{0.0f, heat.withAlpha(0.75f)}, {0.45f, mix(kSoot, heat, 0.35f)}, {1.0f, kSoot}}));
    Strokes ribs(2.2f);
    ribs.addSegment({area.x0, area.y0 + area.height() * 0.3f}, {area.x1, area.y0 + area.height() * 0.45f});
    ribs.addSegment({area.x0 + area.width() * 0.4f, area.y0}, {area.x0 + area.width() * 0.6f, area.y1});
    fillInside(cell, ribs, Intersection(hole, within), Colour::hex(0x2a2034));
    glow(cell, Intersection(Grown(hole, -3.0f), within), heat, 8.0f, 0.3f);
}
// Sparks caught in the act: small white-gold glints scattered over `area`.
void drawSparks(Canvas& cell, Random& random, const Rect& area, int count) {
    for (int i = 0; i < count; ++i) {
        const Vec2 at{random.range(area.x0, area.x1), random.range(area.y0, area.y1)};
        drawSparkle(cell, at, random.range(7.0f, 12.0f), Colour::hex(0xffe6a0), random.range(0.0f, 45.0f));
    }
}

// A jagged split along `path`: dark edges, the innards glowing through and a white-hot seam.
void drawSplit(Canvas& cell, const std::vector<Vec2>& path, float width, const Shape& within, Colour heat) {
    Strokes gap(width);
    gap.addPolyline(path);
    Strokes seam(width * 0.2f);
    seam.addPolyline(path);
    fillInside(cell, Grown(gap, 2.5f), within, kSoot);
    glow(cell, Intersection(gap, within), heat, 12.0f, 0.55f);
    fillInside(cell, gap, within, heat.withAlpha(0.6f), Blend::Add);
    fillInside(cell, seam, within, Colour::hex(0xffc0a0, 0.7f), Blend::Add);
}

// The Warden: a squat armoured wedge, nose up, its crimson eye under a heavy brow, shoulder
// armour where its turrets ride, vents along its flanks and twin engines at the tail. Damage
// 1 scorches it and blows a shoulder plate open, 2 tears its brow and cracks its eye's ring,
// 3 splits the armour down the middle over its glowing heart.
void paintWarden(Canvas& cell, int damage) {
    const float m = 128.0f;
    const Polygon hull(
        mirrored({{m, 30}, {m + 52, 58}, {m + 96, 120}, {m + 84, 168}, {m + 40, 186}, {m + 22, 222}}, m));
    drawHalo(cell, hull, kHostileHalo, 14.0f, damage >= 3 ? 0.7f : 0.5f);
    drawPlate(cell, hull, bossMetal(Colour::hex(0x4a3e5c), 7.0f), kOutline, 2.5f);
    // A magenta trim along the leading edges, inside the bevel.
    const Grown inset(hull, -7.0f);
    fillInside(cell, Outline(inset, 1.4f), Intersection(hull, RoundedRect(Rect{0, 0, 256, 126}, 0.0f)),
               palette::magenta.withAlpha(0.55f), Blend::Add);
    const Polygon brow(mirrored({{m, 56}, {m + 36, 78}, {m + 48, 112}, {m + 20, 104}}, m));
    drawPlate(cell, brow, bossMetal(Colour::hex(0x2c2438), 4.0f), kOutline, 1.5f);
    drawRivets(cell, {m - 40, 110}, {m - 22, 104}, 3);
    drawRivets(cell, {m + 22, 104}, {m + 40, 110}, 3);
    const Rect outerPlate{m + 54, 128, m + 80, 166};
    const Rect innerPlate{m + 26, 140, m + 46, 176};
    fillMirroredPlates(cell, {outerPlate, innerPlate}, m, hull, bossMetal(Colour::hex(0x3a3048), 3.0f));
    for (float side : {-1.0f, 1.0f}) {
        drawRivets(cell, {m + side * 58, 124}, {m + side * 78, 124}, 3);
        drawRivets(cell, {m + side * 30, 180}, {m + side * 44, 180}, 2);
        // Flank vents, glowing red from the reactor.
        for (int i = 0; i < 3; ++i) {
            drawVent(
                cell,
                {m + side * (66.0f + 6.0f * static_cast<float>(i)), 92.0f + 9.0f * static_cast<float>(i)},
                6.0f, 1.8f, kCrimson, 0.7f);
        }
    }
    drawSeams(cell,
              mirroredSeamLines(1.5f,
                                {{{m + 10, 120}, {m + 70, 150}},
                                 {{m + 8, 180}, {m + 36, 200}},
                                 {{m + 2, 118}, {m + 2, 210}},
                                 {{m + 48, 66}, {m + 84, 116}}},
                                m),
              hull, Colour::hex(0x0b0810, 0.6f));
    // The eye: a crimson lens in a dark iron ring.
    fill(cell, Circle({m, 138}, 22.0f), kOutline);
    stroke(cell, Circle({m, 138}, 19.5f), 3.0f, Colour::hex(0x6a5a80));
    drawLamp(cell, {m, 138}, 16.0f, kCrimson, 1.2f);
    drawLamp(cell, {m - 62, 146}, 6.0f, Colour::hex(0xff8a2a), 0.8f);
    drawLamp(cell, {m + 62, 146}, 6.0f, Colour::hex(0xff8a2a), 0.8f);
    drawLamp(cell, {m, 44}, 3.5f, kCrimson, 0.8f);
    drawExhaust(cell, {m - 14, 214}, 14.0f, 30.0f, Colour::hex(0xff5a8a), 0.7f);
    drawExhaust(cell, {m + 14, 214}, 14.0f, 30.0f, Colour::hex(0xff5a8a), 0.7f);

    if (damage >= 1) {
        Random random = damageSeed("warden", 1);
        drawOpenPlate(cell, outerPlate, hull, kEmberHot);
        drawDamage(cell, random, {m - 80, 60, m + 80, 190}, 6, {{m + 92, 132}});
        drawSparks(cell, random, {m + 50, 120, m + 84, 170}, 2);
    }
    if (damage >= 2) {
        Random random = damageSeed("warden", 2);
        drawOpenPlate(cell, Rect{2 * m - outerPlate.x1, outerPlate.y0, 2 * m - outerPlate.x0, outerPlate.y1},
                      hull, kEmberHot);
        drawHotCracks(cell, random, {m - 44, 70, m + 44, 112}, 4, brow,
                      {kSoot, kEmberHot, Colour::hex(0xffd0a0)});
        // The eye's ring cracked: its light leaks out through the breaks.
        drawSplit(cell, {{m + 12, 122}, {m + 18, 114}, {m + 26, 110}}, 2.5f, hull, kCrimson);
        drawDamage(cell, random, {m - 90, 60, m + 90, 200}, 5, {{m - 46, 66}, {m + 30, 198}});
        drawSparks(cell, random, {m - 60, 70, m + 60, 200}, 3);
    }
    if (damage >= 3) {
        Random random = damageSeed("warden", 3);
        // The armour splits down the middle over the heart, which burns through.
        drawSplit(
            cell,
            {{m - 2, 40}, {m + 6, 62}, {m - 4, 88}, {m + 5, 112}, {m - 3, 160}, {m + 4, 190}, {m - 2, 214}},
            5.0f, hull, kInnards);
        glow(cell, Circle({m, 138}, 18.0f), kInnards, 30.0f, 0.8f);
        fill(cell, Circle({m, 138}, 15.0f),
             radialGradient({m, 138}, 15.0f,
                            {{0.0f, palette::white}, {0.5f, palette::pink}, {1.0f, kInnards}}));
        drawHotCracks(cell, random, {m - 80, 80, m + 80, 190}, 7, hull,
                      {kSoot, kInnards, Colour::hex(0xffd0a0)});
        drawDamage(cell, random, {m - 90, 60, m + 90, 200}, 6, {{m - 90, 124}, {m + 60, 180}});
        drawSparks(cell, random, {m - 80, 60, m + 80, 200}, 4);
    }
    clearMargin(cell, 3.0f);
}

// The Halcyon Vigil: a long violet carrier, nose up, its spine an open channel of magenta
// light crossed by ribs, swept wings with cyan tips and red running lights. Damage 1 scorches
// it and sets it sparking, 2 breaks its wing plates open, 3 splits the spine wide over its
// burning core.
void paintVigil(Canvas& cell, int damage) {
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
    // Neon trim along the wings' leading edges.
    for (float side : {-1.0f, 1.0f}) {
        Strokes edge(1.6f);
        edge.addSegment({m + side * 40, 104}, {m + side * 98, 136});
        fillInside(cell, edge, hull, palette::magenta.withAlpha(0.7f), Blend::Add);
        glow(cell, edge, palette::magenta, 6.0f, 0.35f);
    }
    const Rect wingPlate{m + 44, 128, m + 96, 150};
    const Rect flankPlate{m + 16, 100, m + 30, 160};
    fillMirroredPlates(cell, {wingPlate, flankPlate, Rect{m + 14, 176, m + 30, 206}}, m, hull,
                       bossMetal(Colour::hex(0x5a4a86), 3.0f));
    drawSeams(cell,
              mirroredSeamLines(1.5f,
                                {{{m + 20, 60}, {m + 30, 100}},
                                 {{m + 40, 170}, {m + 30, 210}},
                                 {{m + 60, 134}, {m + 100, 150}},
                                 {{m + 70, 128}, {m + 66, 152}}},
                                m),
              hull, Colour::hex(0x0b0810, 0.6f));
    for (float side : {-1.0f, 1.0f}) {
        drawRivets(cell, {m + side * 46, 155}, {m + side * 94, 155}, 6);
        drawRivets(cell, {m + side * 23, 48}, {m + side * 29, 92}, 4);
        // Red running lights down the flanks.
        for (int i = 0; i < 3; ++i) {
            drawLamp(cell, {m + side * 38.0f, 180.0f + 12.0f * static_cast<float>(i)}, 2.2f, kCrimson, 0.8f);
        }
        drawVent(cell, {m + side * 60, 142}, 5.0f, 1.6f, palette::magenta, 0.6f);
        drawVent(cell, {m + side * 76, 144}, 5.0f, 1.6f, palette::magenta, 0.6f);
    }
    // The open spine: a glowing channel down the middle, crossed by ribs.
    const float spineWidth = damage >= 3 ? 15.0f : 9.0f;
    const RoundedRect spine(Rect{m - spineWidth, 44, m + spineWidth, 206}, 8.0f);
    fill(cell, spine, Colour::hex(0x0d0618));
    glow(cell, spine, palette::magenta, damage >= 3 ? 18.0f : 10.0f, 0.8f, Blend::Add);
    fill(cell, RoundedRect(Rect{m - 3, 54, m + 3, 196}, 3.0f), palette::pink, Blend::Add);
    Strokes ribs(2.4f);
    for (float y = 58.0f; y < 200.0f; y += 14.0f) {
        ribs.addSegment({m - spineWidth, y}, {m + spineWidth, y});
    }
    fill(cell, Grown(ribs, 0.8f), kOutline);
    fill(cell, ribs, metalPaint(ribs, bossMetal(Colour::hex(0x3a2e58), 1.0f)));
    drawLamp(cell, {m - 80, 146}, 5.0f, palette::cyan, 0.9f);
    drawLamp(cell, {m + 80, 146}, 5.0f, palette::cyan, 0.9f);
    drawLamp(cell, {m - 102, 156}, 3.0f, kCrimson, 0.9f);
    drawLamp(cell, {m + 102, 156}, 3.0f, kCrimson, 0.9f);
    drawLamp(cell, {m, 30}, 7.0f, palette::magenta, 1.0f);

    if (damage >= 1) {
        Random random = damageSeed("vigil", 1);
        drawDamage(cell, random, {m - 90, 40, m + 90, 200}, 8, {{m + 104, 150}});
        drawSparks(cell, random, {m - 90, 110, m + 90, 170}, 3);
    }
    if (damage >= 2) {
        Random random = damageSeed("vigil", 2);
        drawOpenPlate(cell, wingPlate, hull, kEmberHot);
        drawOpenPlate(cell, Rect{2 * m - wingPlate.x1, wingPlate.y0, 2 * m - wingPlate.x0, wingPlate.y1},
                      hull, kEmberHot);
        drawHotCracks(cell, random, {m - 34, 40, m + 34, 110}, 4, hull,
                      {kSoot, kEmberHot, Colour::hex(0xffd0a0)});
        drawDamage(cell, random, {m - 100, 50, m + 100, 220}, 6, {{m - 98, 140}, {m + 36, 214}});
        drawSparks(cell, random, {m - 100, 120, m + 100, 160}, 3);
    }
    if (damage >= 3) {
        Random random = damageSeed("vigil", 3);
        // The spine splits wide: jagged edges and the core burning white through it.
        for (float side : {-1.0f, 1.0f}) {
            drawSplit(cell,
                      {{m + side * 14, 48},
                       {m + side * 20, 80},
                       {m + side * 15, 110},
                       {m + side * 22, 150},
                       {m + side * 16, 200}},
                      3.5f, hull, kInnards);
        }
        glow(cell, Circle({m, 120}, 14.0f), kInnards, 34.0f, 0.9f);
        fill(cell, Ellipse({m, 120}, 11.0f, 20.0f),
             radialGradient({m, 120}, 20.0f,
                            {{0.0f, palette::white}, {0.5f, palette::pink}, {1.0f, kInnards}}));
        drawHotCracks(cell, random, {m - 90, 110, m + 90, 200}, 7, hull,
                      {kSoot, kInnards, Colour::hex(0xffd0a0)});
        drawDamage(cell, random, {m - 100, 50, m + 100, 220}, 6, {{m + 60, 136}, {m - 30, 210}});
        drawSparks(cell, random, {m - 90, 40, m + 90, 210}, 4);
    }
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
    const AtlasGrid parts(canvas.width(), canvas.height(), 4, 2);
    parts.paintFrames(canvas, 8, [&](Canvas& cell, int frame) { paintPart(cell, frame + 8, random); });
}

void paintBossWarden(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid states(canvas.width(), canvas.height(), 4, 1);
    states.paintFrames(canvas, 4, [](Canvas& cell, int damage) { paintWarden(cell, damage); });
}

void paintBossVigil(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid states(canvas.width(), canvas.height(), 4, 1);
    states.paintFrames(canvas, 4, [](Canvas& cell, int damage) { paintVigil(cell, damage); });
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
