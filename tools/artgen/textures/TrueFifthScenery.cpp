// The hidden fifth stage's bosses and backdrop: the eye of the vortex.
//
//   boss_herald.png          1024 x 256, 4 frames of 256 in a row: the mid-boss, a tall crowned
//                            figure of void-black plates with a blood-red eye. 0 whole, 1 plates
//                            split (torn space glowing through the cracks), 2 crown broken,
//                            3 eye bared (the plates round it gone, the eye burning).
//   boss_vortalis.png        1024 x 256, 4 frames of 256: the boss, a great gold eye in a ring of
//                            dark matter, crowned with eight orbiting blades. 0 whole, 1 blades
//                            broken, 2 crown torn (the ring split, the upper blades gone), 3 the
//                            eye burning white-gold.
//   boss_vortalis_blade.png  256 x 256: one orbiting blade for the boss's modules, a curved
//                            sickle of void black edged in gold, its root at the cell's centre.
//   stage5t_void.png         512 x 512, opaque: the black void, far stars dragged into arcs about
//                            the centre, the faintest red haze
//   stage5t_spiral.png       512 x 512: the accretion spiral, three loose blood-red arms lit gold
//                            on their inner edges, a small white-hot eye at the centre; for an
//                            added layer that turns
//   stage5t_spiral_tight.png 512 x 512: the same spiral wound tighter, for the approach of the
//                            herald
//   stage5t_spiral_red.png   512 x 512: the spiral tight and deep red, for the boss
//   stage5t_dust.png         512 x 512: thin streams of dust spiralling in, for an added layer
//                            that turns faster than the spiral

#include <cmath>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/TrueFifthKit.h"

namespace artgen {

namespace {

using namespace vortex_colour;

constexpr float kM = 128.0f;  // the centre line of a 256-pixel frame

Metal bossPlate(float bevel, float warmth) {
    Metal metal = voidPlate(bevel);
    metal.lit = mix(Colour::hex(0x5a3a66), Colour::hex(0x7a3a3a), warmth);
    metal.sheen = 0.3f;
    return metal;
}

// A great eye seen from the front: a dark socket, a blood-red ground veined darker, a gold iris
// and a black slit. `burn` 0 to 1 heats the iris towards white-gold and sets fire round it.
void drawGreatEye(Canvas& canvas, Vec2 centre, float radius, float burn) {
    const Circle socket(centre, radius);
    glow(canvas, socket, burn > 0.0f ? kGold : kBlood, radius * (0.5f + 0.4f * burn), 0.45f + 0.3f * burn);
    fill(canvas, Grown(socket, 2.5f), kOutline);
    fill(canvas, socket,
         radialGradient(centre, radius,
                        {{0.0f, mix(Colour::hex(0x8a1020), kEmber, burn)},
                         {0.7f, mix(Colour::hex(0x4a0610), Colour::hex(0xb02a10), burn)},
                         {1.0f, mix(Colour::hex(0x12020a), Colour::hex(0x6a1008), burn)}}));
    Strokes veins(1.0f);
    for (int i = 0; i < 14; ++i) {
        const float a = 360.0f * static_cast<float>(i) / 14.0f + 7.0f;
        const Vec2 start = centre + direction(a) * radius * 0.95f;
        const Vec2 bend = centre + direction(a + 8.0f) * radius * 0.75f;
        veins.addPolyline({start, bend, centre + direction(a - 4.0f) * radius * 0.6f});
    }
    fill(canvas, veins, Colour::hex(0x200208, 0.8f));
    const float irisRadius = radius * 0.58f;
    const Circle iris(centre, irisRadius);
    const Colour inner = mix(kPaleGold, palette::white, 0.4f * burn);
    const Colour outer = mix(Colour::hex(0xb04010), kGold, burn);
    glow(canvas, iris, kGold, irisRadius * 0.6f, 0.5f + 0.3f * burn);
    fill(canvas, Grown(iris, 1.5f), kOutline);
    fill(canvas, iris, radialGradient(centre, irisRadius, {{0.0f, inner}, {0.55f, kGold}, {1.0f, outer}}));
    Strokes fibres(1.0f);
    for (int i = 0; i < 24; ++i) {
        const float a = 15.0f * static_cast<float>(i);
        fibres.addSegment(centre + direction(a) * irisRadius * 0.4f,
                          centre + direction(a) * irisRadius * 0.92f);
    }
    fill(canvas, fibres, Colour::hex(0x8a2a08, 0.5f * (1.0f - 0.6f * burn)));
    fill(canvas, Ellipse(centre, irisRadius * 0.2f, irisRadius * 0.8f), kOutline);
    fill(canvas, Circle(centre + Vec2{-radius * 0.3f, -radius * 0.3f}, radius * 0.08f),
         palette::white.withAlpha(0.85f), Blend::Add);
}

// Flames licking outwards round a circle, added.
void drawCorona(Canvas& canvas, Random& random, Vec2 centre, float radius, int tongues, Colour colour) {
    for (int i = 0; i < tongues; ++i) {
        const float a =
            360.0f * static_cast<float>(i) / static_cast<float>(tongues) + random.range(-8.0f, 8.0f);
        const float reach = random.range(0.25f, 0.45f) * radius;
        const Vec2 root = centre + direction(a) * (radius - 2.0f);
        const Polygon flame({root + direction(a - 90.0f) * 5.0f,
                             root + direction(a + random.range(-15.0f, 15.0f)) * reach,
                             root + direction(a + 90.0f) * 5.0f});
        glow(canvas, flame, colour, 8.0f, 0.5f);
        fill(canvas, flame, mix(colour, kPaleGold, 0.5f), Blend::Add);
    }
}

// ---- HERALD: the crowned figure ----

void paintHeraldFrame(Canvas& cell, int state, Random& random) {
    const Polygon column(
        mirrored({{kM, 52}, {146, 60}, {160, 92}, {166, 140}, {160, 196}, {146, 232}, {kM, 246}}, kM));
    // Tiers of plates down each flank, each one lapping over the one below.
    std::vector<Polygon> plates;
    for (int tier = 0; tier < 4; ++tier) {
        const float y = 66.0f + 42.0f * static_cast<float>(tier);
        const float reach = 58.0f - 7.0f * static_cast<float>(tier);
        for (float side : {-1.0f, 1.0f}) {
            plates.emplace_back(std::vector<Vec2>{{kM + side * 22.0f, y},
                                                  {kM + side * (reach + 10.0f), y + 10.0f},
                                                  {kM + side * (reach + 18.0f), y + 34.0f},
                                                  {kM + side * (reach - 4.0f), y + 56.0f},
                                                  {kM + side * 26.0f, y + 44.0f}});
        }
    }
    // The crown: a band and five spikes; broken from the third state on.
    const bool crownBroken = state >= 2;
    const Polygon band(mirrored({{kM, 44}, {152, 46}, {158, 62}, {kM, 68}}, kM));
    std::vector<Polygon> spikes;
    const float heights[3] = {12.0f, 24.0f, 36.0f};
    const float offsets[3] = {0.0f, 16.0f, 30.0f};
    for (int i = 0; i < 3; ++i) {
        for (float side : {-1.0f, 1.0f}) {
            if (i == 0 && side > 0.0f) {
                continue;
            }
            float tip = heights[i];
            if (crownBroken && (i == 0 || (i == 1 && side < 0.0f) || (i == 2 && side > 0.0f))) {
                tip = 40.0f;  // snapped off near the band
            }
            const float x = kM + side * offsets[i];
            spikes.emplace_back(
                std::vector<Vec2>{{x - 6.0f, 48.0f}, {x + side * 2.0f, tip}, {x + 6.0f, 48.0f}});
        }
    }
    std::vector<const Shape*> parts{&column, &band};
    for (const Polygon& p : plates) {
        parts.push_back(&p);
    }
    for (const Polygon& p : spikes) {
        parts.push_back(&p);
    }
    const Union silhouette(parts);
    drawHalo(cell, silhouette, kHalo, 14.0f, 0.5f);
    for (const Polygon& spike : spikes) {
        drawPlate(cell, spike, bossPlate(2.5f, 0.5f), kOutline, 1.5f);
        fillInside(cell, Outline(spike, 2.0f), spike, kGold.withAlpha(0.7f));
    }
    drawPlate(cell, column, bossPlate(8.0f, 0.0f), kOutline, 2.5f);
    // Plates from the bottom tier up, so each upper plate laps over the one below.
    for (int i = static_cast<int>(plates.size()) - 1; i >= 0; --i) {
        drawPlate(cell, plates[static_cast<size_t>(i)], bossPlate(5.0f, 0.2f), kOutline, 2.0f);
        fillInside(cell, Outline(plates[static_cast<size_t>(i)], 1.6f), plates[static_cast<size_t>(i)],
                   kBlood.withAlpha(0.55f));
    }
    drawPlate(cell, band, bossPlate(3.0f, 0.6f), kOutline, 1.5f);
    fillInside(cell, RoundedRect(Rect{100, 54, 156, 58}, 1.5f), band, kGold);
    drawLamp(cell, {kM, 52.0f}, 3.0f, kBlood, 1.0f);
    // The column's seams and the gold sigils down it.
    drawSeams(cell, mirroredSeamLines(1.4f, {{{140, 150}, {146, 226}}, {{kM, 176}, {150, 176}}}, kM), column,
              kSeam);
    for (float y : {172.0f, 196.0f, 220.0f}) {
        const Polygon sigil({{kM, y - 6.0f}, {kM + 5.0f, y}, {kM, y + 6.0f}, {kM - 5.0f, y}});
        glow(cell, sigil, kGold, 6.0f, 0.5f);
        fill(cell, sigil, kGold);
    }
    if (state >= 1) {
        // Torn space shows through the split plates.
        for (int i = 0; i < 4 + 2 * state; ++i) {
            const float side = i % 2 == 0 ? 1.0f : -1.0f;
            drawRiftCrack(cell, random, {kM + side * random.range(24.0f, 52.0f), random.range(80.0f, 220.0f)},
                          side > 0.0f ? random.range(-30.0f, 30.0f) : random.range(150.0f, 210.0f), 4, 7.0f);
        }
        drawDamage(cell, random, {84, 70, 172, 230}, 3 + 3 * state, {{188, 120}, {70, 180}});
    }
    if (crownBroken) {
        for (const Vec2 at : {Vec2{kM, 40.0f}, Vec2{kM - 16.0f, 40.0f}, Vec2{kM + 30.0f, 40.0f}}) {
            drawSparkle(cell, at, 10.0f, kPaleGold, random.range(0.0f, 45.0f));
        }
    }
    // The eye in the breast: bared and burning in the last state.
    const Vec2 eye{kM, 104.0f};
    if (state == 3) {
        const Circle hole(eye, 30.0f);
        fill(cell, Grown(hole, 3.0f), kOutline);
        fill(cell, hole,
             radialGradient(eye, 30.0f, {{0.6f, Colour::hex(0x3a0610)}, {1.0f, Colour::hex(0x0a0206)}}));
        drawCorona(cell, random, eye, 30.0f, 12, kEmber);
        drawGreatEye(cell, eye, 24.0f, 0.6f);
    } else {
        const Ellipse lid(eye, 26.0f, 13.0f);
        fill(cell, Grown(lid, 3.0f), kOutline);
        glow(cell, lid, kBlood, 16.0f, 0.7f);
        fill(cell, lid, radialGradient(eye, 26.0f, {{0.0f, kPaleGold}, {0.35f, kEmber}, {1.0f, kBlood}}));
        fill(cell, Ellipse(eye, 3.0f, 11.0f), kOutline);
    }
    clearMargin(cell, 3.0f);
}

// ---- VORTALIS: the eye crowned with blades ----

// A sickle blade lying along a circle about `centre`: from `fromDeg` sweeping `sweep` degrees,
// widest at its root and curling `flare` pixels outwards to its point, its outer edge gold.
// `broken` snaps it off half way.
void drawOrbitBlade(Canvas& canvas, Vec2 centre, float radius, float fromDeg, float sweep, float width,
                    float flare, bool broken) {
    const float reach = broken ? sweep * 0.45f : sweep;
    std::vector<Vec2> outer;
    std::vector<Vec2> inner;
    for (int i = 0; i <= 16; ++i) {
        const float t = static_cast<float>(i) / 16.0f;
        const float a = fromDeg + reach * t;
        // Full width at the root, tapering to the point (or to a ragged stump).
        const float w = width * (broken ? (1.0f - 0.4f * t) : std::pow(1.0f - t, 0.8f));
        const float curl = flare * t * t;
        outer.push_back(centre + direction(a) * (radius + w * 0.5f + curl));
        inner.push_back(centre + direction(a) * (radius - w * 0.5f + curl));
    }
    std::vector<Vec2> outline(outer.begin(), outer.end());
    if (broken) {
        outline.push_back(lerp(outer.back(), inner.back(), 0.35f) + direction(fromDeg + reach + 6.0f) * 3.0f);
        outline.push_back(lerp(outer.back(), inner.back(), 0.7f) - direction(fromDeg + reach) * 1.0f);
    }
    outline.insert(outline.end(), inner.rbegin(), inner.rend());
    const Polygon blade(outline);
    drawPlate(canvas, blade, bossPlate(3.0f, 0.6f), kOutline, 1.5f);
    Strokes groove(1.2f);
    std::vector<Vec2> middle;
    for (size_t i = 0; i + 4 < outer.size(); ++i) {
        middle.push_back(lerp(outer[i], inner[i], 0.55f));
    }
    groove.addPolyline(middle);
    glow(canvas, groove, kBlood, 4.0f, 0.5f);
    fillInside(canvas, groove, blade, kEmber);
    Strokes edge(2.2f);
    edge.addPolyline(outer);
    glow(canvas, edge, kGold, 5.0f, 0.5f);
    fillInside(canvas, edge, Grown(blade, 0.5f), kGold);
    if (broken) {
        drawSparkle(canvas, lerp(outer.back(), inner.back(), 0.5f), 8.0f, kPaleGold, fromDeg);
    }
}

void paintVortalisFrame(Canvas& cell, int state, Random& random) {
    const Vec2 c{kM, kM};
    // Eight blades orbit the eye, all turning the same way.
    for (int i = 0; i < 8; ++i) {
        const float a = -90.0f + 45.0f * static_cast<float>(i) + 10.0f;
        const bool upper = i == 0 || i == 1 || i == 7;
        if (state >= 2 && upper) {
            continue;  // torn from the crown
        }
        const bool broken = state >= 1 && (i == 2 || i == 5 || i == 6);
        drawOrbitBlade(cell, c, 92.0f, a, 40.0f, 26.0f, 22.0f, broken);
    }
    // The ring of dark matter the blades orbit, torn open in the later states.
    const Arc ring(c, 70.0f, 18.0f, 0.0f, 360.0f);
    drawHalo(cell, ring, kHalo, 14.0f, 0.5f);
    drawPlate(cell, ring, bossPlate(5.0f, 0.1f), kOutline, 2.0f);
    Strokes notches(2.0f);
    for (int i = 0; i < 24; ++i) {
        const float a = 15.0f * static_cast<float>(i);
        notches.addSegment(c + direction(a) * 63.0f, c + direction(a) * 77.0f);
    }
    drawSeams(cell, notches, ring, kSeam);
    for (int i = 0; i < 6; ++i) {
        const float a = 60.0f * static_cast<float>(i) + 30.0f;
        drawLamp(cell, c + direction(a) * 70.0f, 2.6f, i % 2 == 0 ? kGold : kBlood, 0.9f);
    }
    if (state >= 2) {
        // The crown is torn: the ring split at the top, space bleeding through.
        for (const float a : {-110.0f, -70.0f}) {
            const Polygon gash({c + direction(a - 6.0f) * 58.0f, c + direction(a - 2.0f) * 82.0f,
                                c + direction(a + 7.0f) * 80.0f, c + direction(a + 3.0f) * 60.0f});
            fill(cell, gash, palette::white, Blend::Erase);
            glow(cell, gash, kBlood, 8.0f, 0.8f);
        }
        for (int i = 0; i < 4; ++i) {
            drawRiftCrack(cell, random, c + direction(-150.0f + 40.0f * static_cast<float>(i)) * 70.0f,
                          -150.0f + 40.0f * static_cast<float>(i) + 90.0f, 3, 6.0f);
        }
    }
    if (state >= 1) {
        drawDamage(cell, random, {60, 60, 196, 196}, 3 + 2 * state, {{c.x + 74.0f, c.y + 40.0f}});
    }
    const float burn = state == 3 ? 1.0f : 0.0f;
    if (state == 3) {
        drawCorona(cell, random, c, 52.0f, 16, kGold);
    }
    drawGreatEye(cell, c, 50.0f, burn);
    clearMargin(cell, 3.0f);
}

void paintBlade(Canvas& canvas) {
    // One blade drawn large, curving up and over from its root at the cell's centre.
    const Vec2 pivot{kM, kM};
    drawOrbitBlade(canvas, pivot + Vec2{74.0f, 0.0f}, 74.0f, 180.0f, 100.0f, 64.0f, 36.0f, false);
    const Circle root(pivot, 16.0f);
    drawPlate(canvas, root, bossPlate(4.0f, 0.3f), kOutline, 2.0f);
    drawLamp(canvas, pivot, 5.0f, kBlood, 1.0f);
    clearMargin(canvas, 3.0f);
}

// ---- The backdrop ----

// The accretion spiral: `arms` arms wound by `winding` (turns of the arm per doubling of the
// radius), coloured from `outer` at the rim to `inner` near the eye, with the eye itself at the
// centre. Dark between the arms and faded out before the texture's edge.
struct Accretion {
    int arms;
    float winding;
    Colour outer;
    Colour inner;
    float brightness;
    float eye;  // the eye's strength, 0 to 1
};

void paintAccretion(Canvas& canvas, Random& random, const Accretion& look) {
    const TileableNoise turbulence(random.next(), 8, 8);
    const auto size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float rim = size * 0.5f;
    shadeInParallel(canvas, [&](Vec2 p) {
        const Vec2 d = p - centre;
        const float r = std::max(length(d), 0.5f);
        const float rn = r / rim;  // 0 at the eye, 1 at the edge
        const float theta = std::atan2(d.y, d.x);
        const float grain = turbulence.fractal(p.x / size * 8.0f, p.y / size * 8.0f, 4);
        // Position across the arms, wound logarithmically, wavering with the turbulence.
        const float phase = static_cast<float>(look.arms) * theta +
                            look.winding * 2.0f * kPi * std::log2(r / 8.0f) + 1.4f * grain;
        const float arm = std::pow(0.5f + 0.5f * std::cos(phase), 3.0f);
        // The inner edge of each arm (where the phase turns back up) catches more light.
        const float edge = std::pow(clamp01(0.5f + 0.5f * std::cos(phase - 0.9f)), 18.0f);
        const float fadeOut = smoothstep(0.98f, 0.7f, rn);
        const float fadeIn = smoothstep(0.02f, 0.12f, rn);
        const float radial = std::pow(1.0f - rn, 1.3f);
        const float haze = 0.12f * smoothstep(0.6f, 0.0f, rn);
        const float lightness =
            look.brightness * fadeOut * fadeIn * (radial * (arm * 0.75f + edge * 0.9f) + haze);
        Colour colour = mix(look.outer, look.inner, clamp01(1.0f - rn * 2.6f + edge * 0.7f));
        // The eye: a tiny white-hot point in a gold glow, far below the arms.
        const float eyeGlow =
            look.eye * (std::exp(-r * r / 300.0f) * 0.45f + std::exp(-r * r / 10.0f) * 0.55f);
        colour = mix(colour, mix(kGold, palette::white, clamp01(eyeGlow * 1.2f)), clamp01(eyeGlow * 2.0f));
        const float alpha = clamp01(lightness + eyeGlow);
        return colour.withAlpha(alpha);
    });
}

}  // namespace

void paintBossHerald(Canvas& canvas, Random& random) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 4, 1);
    const uint64_t seed = random.next();
    for (int state = 0; state < 4; ++state) {
        // One seed for every state, so the cracks of one state stay where they were in the next.
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        Random stateRandom(seed);
        paintHeraldFrame(cell, state, stateRandom);
        grid.place(canvas, cell, state, 0);
    }
}

void paintBossVortalis(Canvas& canvas, Random& random) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 4, 1);
    const uint64_t seed = random.next();
    for (int state = 0; state < 4; ++state) {
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        Random stateRandom(seed);
        paintVortalisFrame(cell, state, stateRandom);
        grid.place(canvas, cell, state, 0);
    }
}

void paintBossVortalisBlade(Canvas& canvas, Random& /*random*/) {
    paintBlade(canvas);
}

void paintTrueFifthVoid(Canvas& canvas, Random& random) {
    const TileableNoise haze(random.next(), 3, 3);
    const auto size = static_cast<float>(canvas.width());
    const Colour base = Colour::hex(0x020103);
    const Colour red = Colour::hex(0x2a0610);
    const Colour violet = Colour::hex(0x140824);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float h = haze.fractal(p.x / size * 3.0f, p.y / size * 3.0f, 4);
        const float glowAmount = smoothstep(-0.1f, 0.8f, h) * 0.5f;
        const Colour gas = mix(violet, red, smoothstep(-0.4f, 0.4f, h));
        return Colour{base.r + gas.r * glowAmount, base.g + gas.g * glowAmount, base.b + gas.b * glowAmount,
                      1.0f};
    });
    // Far stars dragged into short arcs about the centre, longer the nearer they are to it.
    const Vec2 centre{size * 0.5f, size * 0.5f};
    for (int i = 0; i < 150; ++i) {
        const float r = random.range(20.0f, size * 0.7f);
        const float a = random.range(0.0f, 360.0f);
        const float sweep = random.range(2.0f, 6.0f) * (120.0f / (r + 60.0f)) + 1.5f;
        const float bright = random.range(0.08f, 0.28f) * (random.chance(0.08f) ? 1.8f : 1.0f);
        const Colour tint = random.chance(0.3f) ? Colour::hex(0xffc8a0) : Colour::hex(0xe8d8e0);
        Strokes trail(random.range(0.6f, 1.0f));
        trail.addArc(centre, r, a, a + sweep);
        fill(canvas, trail, tint.withAlpha(clamp01(bright)), Blend::Add);
        fill(canvas, Circle(centre + direction(a + sweep) * r, 0.8f), tint.withAlpha(clamp01(bright * 1.4f)),
             Blend::Add);
    }
    // The layer turns, so its square edge must never show: the view's corners stay well inside
    // this border at every angle.
    fadeBorders(canvas, 6.0f);
}

void paintTrueFifthSpiral(Canvas& canvas, Random& random) {
    paintAccretion(canvas, random, {3, 0.55f, Colour::hex(0xa01028), Colour::hex(0xffb040), 0.42f, 0.85f});
}

void paintTrueFifthSpiralTight(Canvas& canvas, Random& random) {
    paintAccretion(canvas, random, {3, 1.0f, Colour::hex(0xa8142a), Colour::hex(0xffc050), 0.46f, 0.9f});
}

void paintTrueFifthSpiralRed(Canvas& canvas, Random& random) {
    paintAccretion(canvas, random, {4, 1.1f, Colour::hex(0x8a0618), Colour::hex(0xff3a20), 0.5f, 0.7f});
}

void paintTrueFifthDust(Canvas& canvas, Random& random) {
    const TileableNoise clumps(random.next(), 6, 6);
    const auto size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float rim = size * 0.5f;
    const Colour dust = Colour::hex(0xc86a40);
    const Colour cool = Colour::hex(0x8a3a8a);
    shadeInParallel(canvas, [&](Vec2 p) {
        const Vec2 d = p - centre;
        const float r = std::max(length(d), 0.5f);
        const float rn = r / rim;
        const float theta = std::atan2(d.y, d.x);
        // Many thin streams wound tighter than the spiral, broken into clumps along their length.
        const float phase = 9.0f * theta + 1.6f * 2.0f * kPi * std::log2(r / 8.0f);
        const float thread = std::pow(0.5f + 0.5f * std::cos(phase), 9.0f);
        const float clump = smoothstep(-0.1f, 0.6f, clumps.fractal(p.x / size * 6.0f, p.y / size * 6.0f, 3));
        const float fade = smoothstep(0.98f, 0.75f, rn) * smoothstep(0.05f, 0.25f, rn);
        const float alpha = clamp01(thread * clump * fade * 0.6f);
        return mix(cool, dust, clump).withAlpha(alpha);
    });
}

}  // namespace artgen
