// The player's side: the Senko Type A fighter and its pieces, and the mothership that brings
// it into the stage. Drawn nose-up in white metal with teal panels and cyan light.
//
//   senko_type_a.png   512 x 128, 4 cells of 128 x 128: 0 level flight, 1 banking left,
//                      2 banking right, 3 boost (engines at full burn)
//   senko_option.png   128 x 64, 2 cells of 64 x 64: the option pod, its core pulsing
//   senko_engine.png   128 x 128, 2 cells of 64 x 128: the exhaust plume that hangs below the
//                      ship (nozzle at the top of the cell), two flicker frames
//   senko_marker.png   64 x 64: the focus marker round the ship's hit box (hit box at the centre)
//   senko_fx.png       512 x 256, 8 x 4 cells of 64 x 64: the ship's lights and markers (see
//                      fx_frame below for the cells)
//   mothership.png     512 x 512: the friendly carrier, nose-up, its launch rail down the middle

#include <cmath>
#include <functional>
#include <vector>

#include "raster/Draw.h"
#include "textures/CraftKit.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

const Colour kAllyOutline = Colour::hex(0x06121a);
const Colour kAllySeam = Colour::hex(0x284052, 0.55f);
const Colour kTealPanel = Colour::hex(0x137e96);
const Colour kDeepPanel = Colour::hex(0x0e3f5a);
const Colour kVioletTrim = Colour::hex(0x8a4dff);

Metal whiteMetal(float bevel, float sideShade = 0.0f, float axis = 64.0f, float span = 64.0f) {
    Metal metal;
    metal.lit = Colour::hex(0xffffff);
    metal.base = Colour::hex(0xc8d8e6);
    metal.shade = Colour::hex(0x40566c);
    metal.bevel = bevel;
    metal.sheen = 0.3f;
    metal.rim = palette::ice;
    metal.rimStrength = 0.45f;
    metal.sideShade = sideShade;
    metal.axis = axis;
    metal.span = span;
    return metal;
}

Metal panelMetal(Colour base, float bevel, float sideShade = 0.0f, float axis = 64.0f, float span = 64.0f) {
    Metal metal;
    metal.lit = mix(base, palette::white, 0.5f);
    metal.base = base;
    metal.shade = mix(base, palette::black, 0.7f);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = mix(base, palette::white, 0.75f);
    metal.rimStrength = 0.35f;
    metal.sideShade = sideShade;
    metal.axis = axis;
    metal.span = span;
    return metal;
}

// How the fighter is seen: rolled about its long axis for the banking frames. A point's
// distance from the centre line shrinks with the roll (more on the lowered wing), and parts
// standing above the wings (the canopy, the spine) lean towards the lowered side.
struct ShipView {
    float roll = 0.0f;  // radians; positive lowers the right wing

    // The fighter is designed on a 128-pixel grid and drawn a little smaller, leaving room
    // below it for the boost flames.
    Vec2 place(Vec2 p, float height = 0.0f) const {
        constexpr float kScale = 0.9f;
        const float dx = p.x - 64.0f;
        const float perspective = 1.0f - 0.3f * std::sin(roll) * dx / 48.0f;
        const float x = dx * std::cos(roll) * perspective + height * std::sin(roll);
        return {64.0f + x * kScale, 61.0f + (p.y - 64.0f) * kScale};
    }
    std::vector<Vec2> place(const std::vector<Vec2>& points, float height = 0.0f) const {
        std::vector<Vec2> placed;
        for (const Vec2& p : points) {
            placed.push_back(place(p, height));
        }
        return placed;
    }
    // The lowered wing is in shade.
    float sideShade() const { return std::sin(roll) * 1.2f; }
};

void paintSenko(Canvas& canvas, const ShipView& view, bool boost) {
    const float shadeSide = view.sideShade();
    const Polygon wings(
        view.place(mirrored({{68, 52}, {102, 86}, {108, 99}, {102, 103}, {86, 97}, {71, 96}}, 64.0f)));
    const Polygon canards(view.place(mirrored({{67, 36}, {81, 47}, {81, 52}, {68, 51}}, 64.0f), 2.0f));
    const Polygon fuselage(view.place(
        mirrored({{64, 4}, {66.5f, 14}, {69, 30}, {70.5f, 52}, {72, 80}, {71, 98}, {68.5f, 108}, {64, 109}},
                 64.0f),
        4.0f));
    const Polygon rightNacelle(view.place({{74, 72}, {80, 76}, {81, 104}, {78, 110}, {73, 110}, {72, 80}}));
    const Polygon leftNacelle(view.place({{54, 72}, {48, 76}, {47, 104}, {50, 110}, {55, 110}, {56, 80}}));
    const Polygon rightFin(view.place({{98, 84}, {101, 72}, {104, 74}, {104, 96}}));
    const Polygon leftFin(view.place({{30, 84}, {27, 72}, {24, 74}, {24, 96}}));
    const Union silhouette({&wings, &fuselage, &rightNacelle, &leftNacelle, &canards});
    const Vec2 rightNozzle = view.place({77.0f, 110.0f});
    const Vec2 leftNozzle = view.place({51.0f, 110.0f});

    if (boost) {
        for (const Vec2& nozzle : {rightNozzle, leftNozzle}) {
            drawExhaust(canvas, nozzle, 9.0f, 22.0f, palette::cyan, 1.6f);
        }
        glow(canvas, silhouette, palette::cyan, 10.0f, 0.35f);
    } else {
        for (const Vec2& nozzle : {rightNozzle, leftNozzle}) {
            drawExhaust(canvas, nozzle, 7.0f, 8.0f, palette::cyan, 0.9f);
        }
    }
    drawHalo(canvas, silhouette, palette::cyan, 7.0f, 0.25f);
    // Wings: white with teal panels, a cyan stripe and violet tips.
    drawPlate(canvas, wings, whiteMetal(5.0f, shadeSide), kAllyOutline);
    const Polygon panels(view.place(mirrored({{74, 66}, {96, 87}, {90, 93}, {74, 92}}, 64.0f)));
    fillInside(canvas, panels, wings, metalPaint(wings, panelMetal(kTealPanel, 5.0f, shadeSide)));
    Strokes stripe(2.4f);
    for (float side : {-1.0f, 1.0f}) {
        stripe.addSegment(view.place({64.0f + side * 9.0f, 62.0f}),
                          view.place({64.0f + side * 34.0f, 86.0f}));
    }
    fillInside(canvas, stripe, wings, palette::cyan.withAlpha(0.95f));
    const Polygon tips(view.place(mirrored({{100, 90}, {112, 100}, {102, 105}, {99, 98}}, 64.0f)));
    fillInside(canvas, tips, wings, metalPaint(wings, panelMetal(kVioletTrim, 4.0f, shadeSide)));
    for (const Polygon* fin : {&rightFin, &leftFin}) {
        drawPlate(canvas, *fin, panelMetal(kDeepPanel, 3.0f, shadeSide), kAllyOutline, 1.2f);
    }
    drawPlate(canvas, canards, whiteMetal(3.0f, shadeSide), kAllyOutline, 1.2f);
    for (const Polygon* nacelle : {&rightNacelle, &leftNacelle}) {
        drawPlate(canvas, *nacelle, panelMetal(Colour::hex(0x8aa4b8), 3.0f, shadeSide), kAllyOutline, 1.2f);
    }
    // Nozzle rings, lit from within.
    for (const Vec2& nozzle : {rightNozzle, leftNozzle}) {
        const RoundedRect ring(Rect::around(nozzle + Vec2{0.0f, -2.0f}, 3.6f, 2.0f), 1.5f);
        fill(canvas, ring, boost ? palette::white : palette::ice.withAlpha(0.9f));
        glow(canvas, ring, palette::cyan, 6.0f, boost ? 0.9f : 0.6f);
    }
    drawPlate(canvas, fuselage, whiteMetal(6.0f, shadeSide), kAllyOutline);
    // Spine: a teal strip from the canopy to the tail, a violet chevron on the nose.
    Strokes spine(3.0f);
    spine.addSegment(view.place({64.0f, 50.0f}, 4.0f), view.place({64.0f, 100.0f}, 4.0f));
    fillInside(canvas, spine, fuselage, metalPaint(fuselage, panelMetal(kTealPanel, 2.0f)));
    Strokes chevron(2.2f);
    chevron.addPolyline({view.place({60.0f, 21.0f}, 4.0f), view.place({64.0f, 16.0f}, 4.0f),
                         view.place({68.0f, 21.0f}, 4.0f)});
    fillInside(canvas, chevron, fuselage, kVioletTrim);
    Strokes lines(1.1f);
    for (float side : {-1.0f, 1.0f}) {
        lines.addSegment(view.place({64.0f + side * 4.5f, 56.0f}, 4.0f),
                         view.place({64.0f + side * 5.5f, 96.0f}, 4.0f));
        lines.addSegment(view.place({64.0f + side * 12.0f, 58.0f}),
                         view.place({64.0f + side * 30.0f, 76.0f}));
    }
    drawSeams(canvas, lines, silhouette, kAllySeam);
    // Canopy, shifted with the roll like the rest of the upper hull.
    const Polygon canopy(
        view.place(mirrored({{64, 22}, {66.5f, 28}, {68, 38}, {66.5f, 46}, {64, 48}}, 64.0f), 7.0f));
    drawCanopy(canvas, canopy, Colour::hex(0x1aa0c0), palette::white);
    // Navigation lights: cyan on the wing tips, white on the fins.
    drawLamp(canvas, view.place({107.0f, 99.0f}), 1.5f, palette::cyan);
    drawLamp(canvas, view.place({21.0f, 99.0f}), 1.5f, palette::cyan);
    drawLamp(canvas, view.place({64.0f, 62.0f}, 4.0f), 1.3f, palette::magenta, 0.8f);
}

// The option pod: a small armoured drone round a cyan core, its gun forward.
void paintOption(Canvas& canvas, int frame) {
    const Vec2 centre{32.0f, 33.0f};
    const Polygon shell(mirrored({{32, 12}, {40, 20}, {46, 34}, {42, 46}, {32, 52}}, 32.0f));
    const RoundedRect barrel({30, 6, 34, 20}, 1.5f);
    const Polygon rightFin({{42, 36}, {52, 44}, {52, 52}, {42, 46}});
    const Polygon leftFin({{22, 36}, {12, 44}, {12, 52}, {22, 46}});
    const Union silhouette({&shell, &barrel, &rightFin, &leftFin});
    const float pulse = frame == 0 ? 1.0f : 0.5f;

    drawExhaust(canvas, {32.0f, 51.0f}, 6.0f, frame == 0 ? 9.0f : 6.0f, palette::cyan, 1.2f * pulse);
    drawHalo(canvas, silhouette, palette::cyan, 6.0f, 0.3f);
    for (const Polygon* fin : {&rightFin, &leftFin}) {
        drawPlate(canvas, *fin, panelMetal(kTealPanel, 2.5f), kAllyOutline, 1.2f);
    }
    drawPlate(canvas, barrel, panelMetal(Colour::hex(0x8aa4b8), 1.5f), kAllyOutline, 1.0f);
    drawPlate(canvas, shell, whiteMetal(5.0f), kAllyOutline, 1.4f);
    fillInside(canvas, Strokes([] {
                   Strokes band(2.0f);
                   band.addPolyline({{24, 42}, {32, 46}, {40, 42}});
                   return band;
               }()),
               shell, kVioletTrim);
    // The core: a cyan lens whose light swells and fades between the frames.
    const Circle core(centre, 6.5f);
    fill(canvas, Grown(core, 1.5f), kAllyOutline);
    glow(canvas, core, palette::cyan, 12.0f, 0.8f * pulse);
    fill(canvas, core,
         radialGradient(centre + Vec2{-1.5f, -1.5f}, 8.0f,
                        {{0.0f, palette::white},
                         {0.4f, mix(palette::cyan, palette::white, 0.4f * pulse)},
                         {1.0f, palette::teal}}));
    fill(canvas, Circle(centre, 2.4f * pulse + 0.8f), palette::white.withAlpha(0.9f), Blend::Add);
    drawLamp(canvas, {32.0f, 8.0f}, 1.2f, palette::cyan, pulse);
}

// The exhaust plume under the ship: from the nozzle at the top of the cell to a long soft
// tail; white at the root, cyan, then violet as it fades.
void paintEnginePlume(Canvas& canvas, int frame) {
    const float reach = frame == 0 ? 104.0f : 90.0f;
    const Vec2 nozzle{32.0f, 12.0f};
    shade(canvas, [&](Vec2 p) {
        const float along = (p.y - nozzle.y) / reach;
        const float behind = std::max(0.0f, -(p.y - nozzle.y));
        const float t = clamp01(along);
        const float width = 11.0f * (1.0f - 0.7f * t) + 2.0f;
        const float across = std::sqrt((p.x - nozzle.x) * (p.x - nozzle.x) + behind * behind * 2.0f) / width;
        const float fade = std::pow(1.0f - t, 1.6f) * (along < 1.0f ? 1.0f : 0.0f);
        const float body = std::exp(-across * across * 1.8f) * fade;
        const float core = std::exp(-across * across * 9.0f) * std::pow(1.0f - t, 4.0f);
        const Colour colour = mix(mix(palette::cyan, palette::violet, smoothstep(0.35f, 0.9f, t)),
                                  palette::white, clamp01(core * 1.5f));
        return colour.withAlpha(clamp01(body * 0.9f + core));
    });
    // Shock diamonds in the hot part of the plume.
    for (int i = 0; i < 3; ++i) {
        const float y = nozzle.y + 10.0f + static_cast<float>(i) * (frame == 0 ? 13.0f : 11.0f);
        const float size = 4.0f - static_cast<float>(i);
        const Polygon diamond({{32, y - size * 1.6f}, {32 + size, y}, {32, y + size * 1.6f}, {32 - size, y}});
        glow(canvas, diamond, palette::cyan, 5.0f, 0.4f);
        fill(canvas, diamond, palette::white.withAlpha(0.55f), Blend::Add);
    }
}

// Lit windows in a row from `from` to `to`.
void drawWindows(Canvas& canvas, Vec2 from, Vec2 to, int count, Colour colour) {
    for (int i = 0; i < count; ++i) {
        const Vec2 at =
            lerp(from, to, count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.0f);
        fill(canvas, RoundedRect(Rect::around(at, 1.8f, 1.1f), 0.8f), colour, Blend::Add);
    }
}

// The cells of senko_fx.png; the ship's sprite lists name them by "start frame".
namespace fx_frame {
constexpr int kShield = 0;
constexpr int kBreakIndicator = 1;
constexpr int kAim = 2;
constexpr int kWarningCircle = 3;
constexpr int kAimAnim = 4;  // 4 frames (4 to 7)
constexpr int kAimAnimCount = 4;
constexpr int kBreakCircle = 8;
constexpr int kBreakField = 9;
constexpr int kDistortion = 10;
constexpr int kEngineGlow = 11;
constexpr int kTipGlow = 12;
constexpr int kBreakAura = 13;
constexpr int kFlash = 14;
constexpr int kChargeRing = 15;
constexpr int kChargeSpark = 16;
constexpr int kTranceBurst = 17;  // 4 frames (17 to 20)
constexpr int kTranceBurstCount = 4;
constexpr int kBlastwave = 21;
}  // namespace fx_frame

const Vec2 kCellCentre{32.0f, 32.0f};

// A soft ball of light: bright core, long falloff.
void drawSoftLight(Canvas& canvas, Colour colour, float radius, float coreRadius, float strength) {
    shade(canvas, [&](Vec2 p) {
        const float d = length(p - kCellCentre);
        const float body = std::exp(-(d * d) / (radius * radius * 0.45f)) * strength;
        const float core = std::exp(-(d * d) / (coreRadius * coreRadius * 0.5f));
        return mix(colour, palette::white, clamp01(core)).withAlpha(clamp01(body + core * 0.8f));
    });
}

// A thin lit ring with a glow on both sides.
void drawLitRing(Canvas& canvas, float radius, float width, Colour colour, float glowRadius, float strength) {
    const Arc ring(kCellCentre, radius, width, 0.0f, 360.0f);
    glow(canvas, ring, colour, glowRadius, strength);
    fill(canvas, ring, mix(colour, palette::white, 0.45f), Blend::Add);
}

// The shield: a hex-scaled bubble with a bright rim and a highlight, mostly clear inside.
void paintShield(Canvas& canvas) {
    constexpr float kRadius = 22.0f;
    shade(canvas, [](Vec2 p) {
        const float d = length(p - kCellCentre) / kRadius;
        const float inner = clamp01((d - 0.55f) / 0.45f);
        const float alpha = d > 1.0f ? 0.0f : inner * inner * 0.45f;
        return palette::cyan.withAlpha(alpha);
    });
    Strokes cells(0.9f);
    for (int i = 0; i < 6; ++i) {
        const float a = 60.0f * static_cast<float>(i) + 30.0f;
        cells.addSegment(kCellCentre + direction(a) * 10.0f, kCellCentre + direction(a + 60.0f) * 10.0f);
        cells.addSegment(kCellCentre + direction(a) * 10.0f, kCellCentre + direction(a) * 19.5f);
    }
    fill(canvas, cells, palette::ice.withAlpha(0.3f), Blend::Add);
    drawLitRing(canvas, kRadius - 1.0f, 2.0f, palette::cyan, 5.0f, 0.6f);
    const Arc glint(kCellCentre, kRadius - 5.0f, 2.2f, 200.0f, 250.0f);
    fill(canvas, glint, palette::white.withAlpha(0.75f), Blend::Add);
}

// Trance ready: a magenta ring of six chevrons pointing in, with a pink core line.
void paintBreakIndicator(Canvas& canvas) {
    drawLitRing(canvas, 21.0f, 1.4f, palette::magenta, 4.0f, 0.5f);
    for (int i = 0; i < 6; ++i) {
        const float a = 60.0f * static_cast<float>(i);
        Strokes chevron(2.4f);
        chevron.addPolyline({kCellCentre + direction(a - 10.0f) * 25.5f, kCellCentre + direction(a) * 21.5f,
                             kCellCentre + direction(a + 10.0f) * 25.5f});
        glow(canvas, chevron, palette::magenta, 5.0f, 0.7f);
        fill(canvas, chevron, palette::pink, Blend::Add);
    }
}

// The aim marker: four corner brackets and a centre dot.
void paintAim(Canvas& canvas, float turn, float reach) {
    for (int i = 0; i < 4; ++i) {
        const float a = 90.0f * static_cast<float>(i) + 45.0f + turn;
        const Arc bracket(kCellCentre, reach, 2.2f, a - 22.0f, a + 22.0f);
        glow(canvas, bracket, palette::cyan, 4.0f, 0.6f);
        fill(canvas, bracket, palette::ice, Blend::Add);
        Strokes notch(1.8f);
        notch.addSegment(kCellCentre + direction(a - 45.0f) * (reach + 3.0f),
                         kCellCentre + direction(a - 45.0f) * (reach - 5.0f));
        fill(canvas, notch, palette::cyan.withAlpha(0.9f), Blend::Add);
    }
    const Circle dot(kCellCentre, 2.0f);
    glow(canvas, dot, palette::cyan, 5.0f, 0.7f);
    fill(canvas, dot, palette::white, Blend::Add);
}

// Shards of magenta light flying out from the centre; `step` 0 to 3 spreads and fades them.
void paintTranceBurst(Canvas& canvas, Random& random, int step) {
    const float t = static_cast<float>(step) / 3.0f;
    const float fade = 1.0f - 0.75f * t;
    drawLitRing(canvas, 8.0f + 18.0f * t, 2.5f - 1.5f * t, palette::magenta, 5.0f, 0.6f * fade);
    for (int i = 0; i < 10; ++i) {
        const float a = 36.0f * static_cast<float>(i) + random.range(-10.0f, 10.0f);
        const float from = 6.0f + 16.0f * t + random.range(0.0f, 3.0f);
        const float reach = from + 7.0f - 3.0f * t;
        const Vec2 tip = kCellCentre + direction(a) * reach;
        const Vec2 root = kCellCentre + direction(a) * from;
        const Vec2 side = direction(a + 90.0f) * 1.6f;
        const Polygon shard({tip, root + side, root - side});
        glow(canvas, shard, palette::magenta, 4.0f, 0.6f * fade);
        fill(canvas, shard, palette::pink.withAlpha(fade), Blend::Add);
    }
}

void paintEffectCell(Canvas& cell, Random& random, int frame) {
    namespace f = fx_frame;
    if (frame >= f::kAimAnim && frame < f::kAimAnim + f::kAimAnimCount) {
        const int step = frame - f::kAimAnim;
        paintAim(cell, 22.5f * static_cast<float>(step), 24.0f - 2.5f * static_cast<float>(step));
        return;
    }
    if (frame >= f::kTranceBurst && frame < f::kTranceBurst + f::kTranceBurstCount) {
        paintTranceBurst(cell, random, frame - f::kTranceBurst);
        return;
    }
    switch (frame) {
        case f::kShield:
            paintShield(cell);
            break;
        case f::kBreakIndicator:
            paintBreakIndicator(cell);
            break;
        case f::kAim:
            paintAim(cell, 0.0f, 20.0f);
            break;
        case f::kWarningCircle:
            drawLitRing(cell, 25.0f, 2.6f, mix(palette::cyan, palette::white, 0.3f), 5.0f, 0.8f);
            break;
        case f::kBreakCircle:
            drawLitRing(cell, 26.0f, 3.0f, palette::magenta, 5.0f, 0.9f);
            drawLitRing(cell, 20.0f, 1.0f, palette::violet, 3.0f, 0.5f);
            break;
        case f::kBreakField:
            drawSoftLight(cell, palette::magenta, 26.0f, 4.0f, 0.5f);
            drawLitRing(cell, 22.0f, 1.2f, palette::violet, 6.0f, 0.35f);
            break;
        case f::kDistortion:
            // Drawn multiplied: grey darkens a little, the clear middle leaves the scene alone.
            shade(cell, [](Vec2 p) {
                const float d = length(p - kCellCentre);
                const float band = std::exp(-std::pow((d - 20.0f) / 6.0f, 2.0f));
                return Colour::hex(0x8090a0).withAlpha(clamp01(band * 0.8f));
            });
            break;
        case f::kEngineGlow:
            drawSoftLight(cell, palette::cyan, 20.0f, 4.0f, 0.8f);
            break;
        case f::kTipGlow:
            drawSoftLight(cell, palette::cyan, 14.0f, 5.0f, 0.9f);
            drawSparkle(cell, kCellCentre, 20.0f, palette::cyan);
            break;
        case f::kBreakAura:
            drawSoftLight(cell, palette::magenta, 24.0f, 3.0f, 0.45f);
            for (int i = 0; i < 8; ++i) {
                const float a = 45.0f * static_cast<float>(i) + 22.5f;
                Strokes ray(1.2f);
                ray.addSegment(kCellCentre + direction(a) * 8.0f, kCellCentre + direction(a) * 24.0f);
                glow(cell, ray, palette::violet, 3.0f, 0.3f);
            }
            break;
        case f::kFlash:
            drawSoftLight(cell, palette::pink, 18.0f, 6.0f, 0.7f);
            drawSparkle(cell, kCellCentre, 28.0f, palette::magenta);
            drawSparkle(cell, kCellCentre, 18.0f, palette::pink, 45.0f);
            break;
        case f::kChargeRing:
            for (int i = 0; i < 12; ++i) {
                const float a = 30.0f * static_cast<float>(i);
                const Arc dash(kCellCentre, 24.0f, 2.4f, a + 4.0f, a + 22.0f);
                glow(cell, dash, palette::cyan, 4.0f, 0.6f);
                fill(cell, dash, palette::ice, Blend::Add);
            }
            break;
        case f::kChargeSpark:
            drawSoftLight(cell, palette::cyan, 12.0f, 4.0f, 0.8f);
            drawSparkle(cell, kCellCentre, 26.0f, palette::cyan);
            drawSparkle(cell, kCellCentre, 14.0f, palette::ice, 45.0f);
            break;
        case f::kBlastwave:
            shade(cell, [](Vec2 p) {
                const float d = length(p - kCellCentre);
                const float band = std::exp(-std::pow((d - 20.0f) / 5.0f, 2.0f));
                const float inner = clamp01(1.0f - d / 20.0f) * 0.25f;
                return mix(palette::cyan, palette::white, band * 0.6f).withAlpha(clamp01(band + inner));
            });
            break;
        default:
            break;
    }
}

}  // namespace

void paintSenkoTypeA(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = playerShipGrid();
    constexpr float kBank = 0.7f;  // radians of roll in the banking frames
    grid.paintFrames(canvas, grid.cellCount(), [&](Canvas& cell, int frame) {
        switch (frame) {
            case ship_frame::kBankLeft:
                paintSenko(cell, ShipView{-kBank}, false);
                break;
            case ship_frame::kBankRight:
                paintSenko(cell, ShipView{kBank}, false);
                break;
            case ship_frame::kBoost:
                paintSenko(cell, ShipView{}, true);
                break;
            default:
                paintSenko(cell, ShipView{}, false);
                break;
        }
        clearMargin(cell, 2.0f);
    });
}

void paintSenkoOption(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = optionGrid();
    grid.paintFrames(canvas, grid.cellCount(), [](Canvas& cell, int frame) {
        paintOption(cell, frame);
        clearMargin(cell, 2.0f);
    });
}

void paintSenkoEffects(Canvas& canvas, Random& random) {
    const AtlasGrid grid = AtlasGrid::withCellSize(64, 64, 8, 4);
    grid.paintFrames(canvas, grid.cellCount(), [&](Canvas& cell, int frame) {
        paintEffectCell(cell, random, frame);
        fadeBorders(cell, 6.0f);
        clearMargin(cell, 2.0f);
    });
}

void paintSenkoEngine(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = engineGrid();
    grid.paintFrames(canvas, grid.cellCount(), [](Canvas& cell, int frame) {
        paintEnginePlume(cell, frame);
        clearMargin(cell, 2.0f);
    });
}

// The focus marker: the hit box as a white-hot dot in a magenta ring, inside a cyan reticle.
void paintSenkoMarker(Canvas& canvas, Random& /*random*/) {
    const Vec2 centre{32.0f, 32.0f};
    for (int i = 0; i < 4; ++i) {
        const float from = 90.0f * static_cast<float>(i) + 18.0f;
        const Arc bracket(centre, 22.0f, 2.2f, from, from + 54.0f);
        glow(canvas, bracket, palette::cyan, 6.0f, 0.5f);
        fill(canvas, bracket, palette::ice);
        const Vec2 tick = centre + direction(90.0f * static_cast<float>(i)) * 22.0f;
        Strokes notch(2.0f);
        notch.addSegment(tick, centre + direction(90.0f * static_cast<float>(i)) * 15.0f);
        fill(canvas, notch, palette::cyan.withAlpha(0.9f));
    }
    const Circle ring(centre, 7.0f);
    glow(canvas, ring, palette::magenta, 9.0f, 0.7f);
    fill(canvas, Outline(ring, 2.4f), Colour::hex(0xff5ad8));
    fill(canvas, Circle(centre, 4.0f), palette::white);
    glow(canvas, Circle(centre, 4.0f), palette::white, 5.0f, 0.6f);
    clearMargin(canvas, 2.0f);
}

// The hit-box marker the visibility option keeps on the ship: a white core the size of the hit
// box inside a red ring, on a dark disc that sets both apart from any bullet or background.
void paintHitboxMarker(Canvas& canvas, Random& /*random*/) {
    const Vec2 centre{16.0f, 16.0f};
    fill(canvas, Circle(centre, 13.5f), Colour::hex(0x05060c).withAlpha(0.8f));
    fill(canvas, Outline(Circle(centre, 9.0f), 2.0f), Colour::hex(0xff3040));
    fill(canvas, Circle(centre, 5.5f), palette::white);
    clearMargin(canvas, 1.0f);
}

// The mothership: a white carrier with a launch deck running out between two forward arms,
// broad wings with engine nacelles, and five engines at the stern.
void paintMothership(Canvas& canvas, Random& /*random*/) {
    constexpr float c = 256.0f;
    const Polygon hull(mirrored({{256, 62},
                                 {276, 62},
                                 {280, 40},
                                 {290, 28},
                                 {303, 42},
                                 {313, 110},
                                 {323, 220},
                                 {327, 330},
                                 {321, 420},
                                 {305, 462},
                                 {283, 482},
                                 {256, 486}},
                                c));
    const Polygon wings(mirrored(
        {{318, 178}, {384, 214}, {444, 276}, {474, 346}, {466, 398}, {426, 428}, {340, 440}, {320, 424}}, c));
    const RoundedRect rightNacelle({392, 352, 438, 452}, 12.0f);
    const RoundedRect leftNacelle({74, 352, 120, 452}, 12.0f);
    const Union silhouette({&hull, &wings, &rightNacelle, &leftNacelle});
    const Metal white = whiteMetal(14.0f, 0.0f, c, 256.0f);

    for (float x : {236.0f, 256.0f, 276.0f}) {
        drawExhaust(canvas, {x, 484.0f}, 16.0f, 22.0f, palette::cyan, 1.3f);
    }
    for (float x : {415.0f, 97.0f}) {
        drawExhaust(canvas, {x, 450.0f}, 30.0f, 52.0f, palette::cyan, 1.3f);
    }
    drawHalo(canvas, silhouette, palette::cyan, 12.0f, 0.22f);
    // Wings: white plating with teal panels, hangar doors and the fleet's cyan chevron.
    drawPlate(canvas, wings, whiteMetal(12.0f, 0.0f, c, 256.0f), kAllyOutline, 2.5f);
    const Polygon wingPanels(
        mirrored({{336, 226}, {384, 242}, {432, 290}, {452, 346}, {446, 380}, {340, 396}}, c));
    fillInside(canvas, wingPanels, wings, metalPaint(wings, panelMetal(kTealPanel, 10.0f)));
    for (float side : {-1.0f, 1.0f}) {
        Strokes chevron(7.0f);
        chevron.addPolyline(
            {{c + side * 92.0f, 330.0f}, {c + side * 128.0f, 292.0f}, {c + side * 164.0f, 330.0f}});
        glow(canvas, Intersection(chevron, wings), palette::cyan, 8.0f, 0.5f);
        fillInside(canvas, chevron, wings, palette::cyan);
        fillInside(canvas, Grown(chevron, -2.5f), wings, palette::white.withAlpha(0.7f), Blend::Add);
        // Hangar doors along the wing root.
        for (int i = 0; i < 3; ++i) {
            const float x = c + side * (96.0f + 26.0f * static_cast<float>(i));
            const RoundedRect door(Rect::around({x, 414.0f - 4.0f * static_cast<float>(i)}, 10.0f, 7.0f),
                                   2.0f);
            fill(canvas, Grown(door, 1.5f), kAllyOutline);
            fill(canvas, door,
                 linearGradient({x, 406}, {x, 420},
                                {{0.0f, Colour::hex(0x0c2434)}, {1.0f, Colour::hex(0x1c4a60)}}));
            fill(canvas,
                 RoundedRect(Rect::around({x, 419.0f - 4.0f * static_cast<float>(i)}, 8.0f, 1.0f), 0.8f),
                 palette::cyan.withAlpha(0.8f), Blend::Add);
        }
        drawWindows(canvas, {c + side * 78.0f, 236.0f}, {c + side * 150.0f, 278.0f}, 9,
                    palette::ice.withAlpha(0.9f));
    }
    drawSeams(canvas,
              mirroredSeamLines(1.6f,
                                {{{340, 200}, {340, 420}},
                                 {{384, 214}, {384, 400}},
                                 {{430, 268}, {430, 330}},
                                 {{322, 300}, {470, 340}}},
                                c),
              wings, kAllySeam);
    for (const RoundedRect* nacelle : {&rightNacelle, &leftNacelle}) {
        drawPlate(canvas, *nacelle, whiteMetal(10.0f, 0.0f, c, 256.0f), kAllyOutline, 2.5f);
        const Rect box = nacelle->bounds();
        const float x = box.centre().x;
        fillInside(canvas, RoundedRect({box.x0, 372, box.x1, 382}, 0.0f), *nacelle,
                   metalPaint(*nacelle, panelMetal(kDeepPanel, 3.0f)));
        const RoundedRect bell({x - 17.0f, 436, x + 17.0f, 452}, 6.0f);
        drawPlate(canvas, bell, panelMetal(Colour::hex(0x5a7488), 4.0f), kAllyOutline, 1.5f);
        fill(canvas, RoundedRect({x - 13.0f, 442, x + 13.0f, 451}, 4.0f), palette::white);
        glow(canvas, RoundedRect({x - 13.0f, 442, x + 13.0f, 451}, 4.0f), palette::cyan, 12.0f, 0.8f);
        drawLamp(canvas, {x, 358.0f}, 2.2f, palette::white);
    }
    // The hull.
    drawPlate(canvas, hull, white, kAllyOutline, 2.5f);
    const Polygon sideBands(
        mirrored({{300, 110}, {314, 120}, {322, 220}, {324, 330}, {316, 330}, {312, 220}, {304, 120}}, c));
    fillInside(canvas, sideBands, hull, metalPaint(hull, panelMetal(kTealPanel, 4.0f)));
    const Polygon armPanels(mirrored({{284, 44}, {292, 36}, {300, 48}, {304, 96}, {288, 96}}, c));
    fillInside(canvas, armPanels, hull, metalPaint(hull, panelMetal(kDeepPanel, 5.0f)));
    // Plates of a slightly different tone break up the white.
    Metal greyPlate = white;
    greyPlate.base = Colour::hex(0xaec0d0);
    greyPlate.lit = Colour::hex(0xe4eef6);
    greyPlate.bevel = 3.0f;
    fillMirroredPlates(canvas,
                       {Rect{282, 130, 296, 200}, Rect{284, 250, 300, 310}, Rect{282, 410, 300, 452},
                        Rect{304, 340, 318, 392}},
                       c, Grown(hull, -3.0f), greyPlate);
    Metal wingPlate = greyPlate;
    fillMirroredPlates(canvas, {Rect{350, 196, 376, 222}, Rect{396, 238, 420, 262}, Rect{452, 350, 466, 384}},
                       c, Grown(wings, -3.0f), wingPlate);
    // Sensor domes on the arms.
    for (float side : {-1.0f, 1.0f}) {
        const Circle sensor({c + side * 38.0f, 118.0f}, 6.0f);
        drawPlate(canvas, sensor, panelMetal(Colour::hex(0x6a8aa0), 5.0f), kAllyOutline, 1.5f);
        fill(canvas, Circle({c + side * 38.0f - 1.5f, 116.5f}, 1.6f), palette::white.withAlpha(0.8f),
             Blend::Add);
    }
    drawSeams(canvas,
              mirroredSeamLines(1.6f,
                                {{{296, 120}, {306, 440}},
                                 {{276, 320}, {320, 320}},
                                 {{276, 240}, {318, 240}},
                                 {{280, 400}, {318, 400}}},
                                c),
              hull, kAllySeam);
    for (float side : {-1.0f, 1.0f}) {
        drawWindows(canvas, {c + side * 50.0f, 140.0f}, {c + side * 58.0f, 300.0f}, 12,
                    palette::ice.withAlpha(0.85f));
        drawWindows(canvas, {c + side * 46.0f, 360.0f}, {c + side * 50.0f, 440.0f}, 6,
                    palette::cyan.withAlpha(0.8f));
    }
    // The launch deck: a recessed runway from the bridge to the bow, cyan chevrons leading out.
    const RoundedRect deck({234, 56, 278, 306}, 5.0f);
    fill(canvas, Grown(deck, 2.0f), kAllyOutline);
    fill(canvas, deck,
         linearGradient({c, 56}, {c, 306}, {{0.0f, Colour::hex(0x0a1a26)}, {1.0f, Colour::hex(0x14303f)}}));
    for (float x : {238.0f, 274.0f}) {
        Strokes rail(1.6f);
        rail.addSegment({x, 62}, {x, 300});
        fill(canvas, rail, palette::teal.withAlpha(0.9f));
    }
    for (float y = 84.0f; y < 300.0f; y += 26.0f) {
        Strokes chevron(3.0f);
        chevron.addPolyline({{c - 11.0f, y + 8.0f}, {c, y}, {c + 11.0f, y + 8.0f}});
        const float strength = 0.4f + 0.6f * (1.0f - (y - 84.0f) / 216.0f);
        glow(canvas, chevron, palette::cyan, 7.0f, 0.6f * strength);
        fill(canvas, chevron, mix(palette::cyan, palette::white, 0.4f).withAlpha(strength));
    }
    for (float y = 66.0f; y < 300.0f; y += 13.0f) {
        fill(canvas, Circle({242.0f, y}, 1.2f), palette::ice.withAlpha(0.8f), Blend::Add);
        fill(canvas, Circle({270.0f, y}, 1.2f), palette::ice.withAlpha(0.8f), Blend::Add);
    }
    // The bridge tower behind the deck, and the reactor dome behind it.
    const RoundedRect bridge({222, 314, 290, 358}, 12.0f);
    drawPlate(canvas, bridge, whiteMetal(8.0f), kAllyOutline, 2.0f);
    const RoundedRect bridgeWindows({232, 322, 280, 330}, 3.0f);
    drawCanopy(canvas, bridgeWindows, Colour::hex(0x1aa0c0), palette::white);
    glow(canvas, bridgeWindows, palette::cyan, 6.0f, 0.4f);
    drawSeams(canvas, seamLines(1.4f, {{{230, 342}, {282, 342}}, {{256, 342}, {256, 354}}}), bridge,
              kAllySeam);
    const Circle dome({c, 398.0f}, 22.0f);
    drawPlate(canvas, dome, panelMetal(Colour::hex(0x7890a4), 12.0f), kAllyOutline, 2.0f);
    const Circle reactor({c, 398.0f}, 10.0f);
    glow(canvas, reactor, palette::cyan, 18.0f, 0.7f);
    fill(canvas, reactor,
         radialGradient({c - 2.0f, 396.0f}, 12.0f,
                        {{0.0f, palette::white}, {0.5f, palette::cyan}, {1.0f, palette::teal}}));
    // Stern engines.
    for (float x : {236.0f, 256.0f, 276.0f}) {
        const RoundedRect bell({x - 8.0f, 470, x + 8.0f, 484}, 4.0f);
        drawPlate(canvas, bell, panelMetal(Colour::hex(0x5a7488), 3.0f), kAllyOutline, 1.2f);
        fill(canvas, RoundedRect({x - 5.5f, 476, x + 5.5f, 483}, 2.5f), palette::white);
    }
    // Running lights: cyan on the arm tips and wing tips, white strobes on the wing edges.
    drawLamp(canvas, {290.0f, 34.0f}, 2.6f, palette::cyan);
    drawLamp(canvas, {222.0f, 34.0f}, 2.6f, palette::cyan);
    drawLamp(canvas, {470.0f, 352.0f}, 2.6f, palette::cyan);
    drawLamp(canvas, {42.0f, 352.0f}, 2.6f, palette::cyan);
    drawLamp(canvas, {440.0f, 276.0f}, 1.8f, palette::white);
    drawLamp(canvas, {72.0f, 276.0f}, 1.8f, palette::white);
    drawLamp(canvas, {c, 486.0f - 18.0f}, 1.6f, palette::magenta, 0.8f);
    clearMargin(canvas, 2.0f);
}

}  // namespace artgen
