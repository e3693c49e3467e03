// The third stage's bosses and backdrop: the storm above the clouds.
//
//   boss_thunderhead.png   1024 x 256, 4 frames of 256 in a row: the mid-boss, a living storm cell
//                          wrapped round a generator core. 0 whole (the core a glowing eye in the
//                          cloud), 1 torn cloud (bitten open, lightning loose inside), 2 core bared
//                          (shreds of cloud round the naked generator); 3 the storm torn
//                          apart, lightning everywhere (shown as it dies).
//   boss_tempest.png       1024 x 256, 4 frames of 256: the boss, a rigid airship flagship with four
//                          gun decks and a lightning mast down its spine. 0 whole, 1 envelope torn
//                          to its girders, 2 mast sparking and decks burning, 3 holed again and
//                          its decks burning through (shown as it dies).
//   boss_tempest_deck.png  256 x 256: a gun deck for the flagship's modules, three guns up.
//   stage3_sky.png         512 x 512, opaque: the deep storm far below, slate-violet cloud banks in
//                          the dark; tiles both ways
//   stage3_clouds.png      512 x 512: the cloud floor, dark billows with their tops faintly lit and
//                          clear gaps between them; tiles both ways
//   stage3_wisps.png       512 x 512: thin pale streaks of vapour for an additive layer racing over
//                          the rest; tiles both ways
//   stage3_flash.png       256 x 256: lightning lighting a cloud from within, pale gold, faded to
//                          nothing at its edges, for an additive layer the script flashes

#include <cmath>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "textures/CraftKit.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/StageThreeArt.h"

namespace artgen {

namespace {

const Colour kOutline = Colour::hex(0x06040a);
const Colour kSeam = Colour::hex(0x0b0810, 0.55f);
const Colour kAmber = Colour::hex(0xffb030);
const Colour kCrimson = Colour::hex(0xff2a4a);
const Colour kStormGold = Colour::hex(0xffe08a);
const Colour kFire = Colour::hex(0xff7a1a);

Metal bossMetal(Colour base, float bevel) {
    Metal metal;
    metal.lit = mix(base, palette::white, 0.45f);
    metal.base = base;
    metal.shade = mix(base, palette::black, 0.75f);
    metal.bevel = bevel;
    metal.sheen = 0.3f;
    metal.rim = Colour::hex(0xffc8a0);
    metal.rimStrength = 0.3f;
    return metal;
}

const Colour kGunmetal = Colour::hex(0x302a3a);
const Colour kFabric = Colour::hex(0x524666);

// A forked line of lightning from `from`, `steps` jags of about `step` pixels heading
// `degrees`, with a branch or two.
Strokes lightningPath(Random& random, Vec2 from, float degrees, int steps, float step, float width) {
    Strokes bolt(width);
    std::vector<Vec2> path{from};
    for (int i = 0; i < steps; ++i) {
        path.push_back(path.back() + direction(degrees + random.range(-40.0f, 40.0f)) * step);
        if (i == steps / 2) {
            std::vector<Vec2> branch{path.back()};
            const float side = random.chance(0.5f) ? 35.0f : -35.0f;
            for (int j = 0; j < steps / 2; ++j) {
                branch.push_back(branch.back() +
                                 direction(degrees + side + random.range(-30.0f, 30.0f)) * step * 0.7f);
            }
            bolt.addPolyline(branch);
        }
    }
    bolt.addPolyline(path);
    return bolt;
}

// ---- THUNDERHEAD: the storm cell and its generator ----

struct Lump {
    Vec2 centre;
    float radius;
};

void paintGenerator(Canvas& cell, bool bared) {
    const Vec2 c{128.0f, 128.0f};
    drawPlate(cell, Circle(c, 40.0f), bossMetal(kGunmetal, 6.0f), kOutline, 2.0f);
    // Four coil pylons round the rim and the spinning collector ring.
    for (int i = 0; i < 4; ++i) {
        const Vec2 at = c + direction(45.0f + 90.0f * static_cast<float>(i)) * 34.0f;
        drawPlate(cell, Circle(at, 9.0f), bossMetal(Colour::hex(0x4a4058), 3.0f), kOutline, 1.5f);
        stroke(cell, Circle(at, 5.0f), 1.5f, Colour::hex(0xffc860, 0.8f));
    }
    stroke(cell, Circle(c, 26.0f), 3.0f, Colour::hex(0x14101c));
    glow(cell, Outline(Circle(c, 26.0f), 1.5f), kStormGold, 6.0f, bared ? 0.8f : 0.5f);
    const Circle heart(c, 18.0f);
    glow(cell, heart, kAmber, bared ? 26.0f : 18.0f, 0.9f);
    fill(cell, heart,
         radialGradient(c, 18.0f, {{0.0f, palette::white}, {0.45f, kStormGold}, {1.0f, kAmber}}));
}

// The cloud: soft lumps whose upper-left sides catch a little light, cut open by `hole` round the
// core and by `bites`.
void paintStormCloud(Canvas& cell, Random& random, const std::vector<Lump>& lumps, float hole,
                     const std::vector<Lump>& bites) {
    const TileableNoise noise(random.next(), 6, 6);
    const Vec2 c{128.0f, 128.0f};
    const Colour dark = Colour::hex(0x0c0814);
    const Colour body = Colour::hex(0x2e2244);
    const Colour lit = Colour::hex(0xb4a2d8);
    shadeInParallel(cell, [&](Vec2 p) {
        float density = -1.0f;
        float light = 0.0f;
        for (const Lump& lump : lumps) {
            const float d = 1.0f - length(p - lump.centre) / lump.radius;
            density = std::max(density, d);
            const Vec2 toward = lump.centre + Vec2{-0.35f, -0.4f} * lump.radius;
            light = std::max(light, 1.0f - length(p - toward) / (lump.radius * 1.05f));
        }
        const float grain = noise.fractal(p.x / 256.0f * 6.0f, p.y / 256.0f * 6.0f, 4);
        density += 0.18f * grain;
        for (const Lump& bite : bites) {
            density = std::min(density, length(p - bite.centre) / bite.radius - 1.0f + 0.15f * grain);
        }
        density = std::min(density, (length(p - c) - hole) / 30.0f + 0.1f * grain);
        const float alpha = smoothstep(0.0f, 0.12f, density);
        if (alpha <= 0.0f) {
            return Colour{0.0f, 0.0f, 0.0f, 0.0f};
        }
        const float shine = clamp01(light + 0.25f * grain);
        // Dark at the cloud's edge and in the folds between lumps, lit on their upper-left sides.
        Colour colour = mix(dark, body, smoothstep(0.02f, 0.3f, density));
        colour = mix(colour, lit, std::pow(shine, 2.5f) * 0.85f * smoothstep(0.02f, 0.2f, density));
        return colour.withAlpha(alpha);
    });
}

std::vector<Lump> stormLumps(Random& random) {
    std::vector<Lump> lumps;
    for (int i = 0; i < 11; ++i) {
        const float angle = 360.0f * static_cast<float>(i) / 11.0f + random.range(-10.0f, 10.0f);
        lumps.push_back({Vec2{128.0f, 128.0f} + direction(angle) * random.range(54.0f, 72.0f),
                         random.range(38.0f, 50.0f)});
    }
    // The anvil top: a wide shelf spreading over the cell's upper part.
    lumps.push_back({{84.0f, 66.0f}, 46.0f});
    lumps.push_back({{172.0f, 66.0f}, 46.0f});
    lumps.push_back({{128.0f, 56.0f}, 44.0f});
    return lumps;
}

void paintThunderheadFrame(Canvas& cell, int state, Random& random) {
    const std::vector<Lump> lumps = stormLumps(random);
    const Vec2 c{128.0f, 128.0f};
    Canvas cloud(cell.width(), cell.height());
    if (state == 0) {
        paintStormCloud(cloud, random, lumps, 20.0f, {});
    } else if (state == 1) {
        paintStormCloud(cloud, random, lumps, 40.0f, {{{206.0f, 150.0f}, 30.0f}, {{70.0f, 196.0f}, 26.0f}});
    } else {
        paintStormCloud(cloud, random, lumps, 66.0f,
                        {{{206.0f, 150.0f}, 36.0f},
                         {{70.0f, 196.0f}, 34.0f},
                         {{128.0f, 214.0f}, 26.0f},
                         {{50.0f, 100.0f}, 24.0f}});
    }
    // The generator, a halo of storm light round the cloud's own outline, then the cloud.
    paintGenerator(cell, state >= 2);
    Canvas halo(cell.width(), cell.height());
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            const float a = cloud.at(x, y).a * 0.6f;
            halo.at(x, y) = {0.55f * a, 0.2f * a, 0.9f * a, a};
        }
    }
    blur(halo, 7.0f);
    cell.composite(halo, 0, 0, Blend::Behind);
    cell.composite(cloud, 0, 0, Blend::Over);
    // Lightning inside the cloud: more of it, and brighter, as the storm is torn apart.
    Canvas veins(cell.width(), cell.height());
    const int bolts = 3 + state * 2;
    for (int i = 0; i < bolts; ++i) {
        const float angle = random.range(0.0f, 360.0f);
        const Strokes bolt =
            lightningPath(random, c + direction(angle) * (state >= 2 ? 40.0f : 24.0f), angle, 5, 12.0f, 1.6f);
        glow(veins, bolt, kStormGold, 10.0f, 0.8f + 0.1f * static_cast<float>(state));
        fill(veins, bolt, Colour::hex(0xfff0c8), Blend::Add);
    }
    // Only where there is cloud (or, once bared, round the generator).
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            const float keep = std::max(cloud.at(x, y).a, state >= 2 ? 0.5f : 0.0f);
            Pixel& v = veins.at(x, y);
            v = {v.r * keep, v.g * keep, v.b * keep, v.a * keep};
        }
    }
    cell.composite(veins, 0, 0, Blend::Add);
    if (state >= 2) {
        for (int i = 0; i < 4; ++i) {
            drawSparkle(cell, c + direction(45.0f + 90.0f * static_cast<float>(i)) * 34.0f, 12.0f, kStormGold,
                        20.0f * static_cast<float>(i));
        }
    }
    clearMargin(cell, 3.0f);
}

// ---- TEMPEST ARMADA: the flagship ----

Polygon flagshipEnvelope() {
    return Polygon(mirrored({{128, 14},
                             {144, 20},
                             {158, 40},
                             {168, 80},
                             {170, 130},
                             {164, 180},
                             {150, 214},
                             {136, 234},
                             {128, 238}},
                            128.0f));
}

void drawGunDeck(Canvas& canvas, Vec2 centre, float side, float scale, bool burning) {
    // The deck juts out from the flank: an armoured platform, its guns forward.
    const Rect box = Rect::around(centre, 30.0f * scale, 13.0f * scale);
    for (float dx : {-14.0f, 0.0f, 14.0f}) {
        const float x = centre.x + dx * scale;
        drawPlate(canvas,
                  RoundedRect(Rect{x - 2.5f * scale, box.y0 - 14.0f * scale, x + 2.5f * scale, box.y0 + 4.0f},
                              1.5f * scale),
                  bossMetal(Colour::hex(0x201a28), 1.5f * scale), kOutline, 1.0f);
    }
    const RoundedRect deck(box, 4.0f * scale);
    drawPlate(canvas, deck, bossMetal(kGunmetal, 4.0f * scale), kOutline, 1.5f);
    drawSeams(
        canvas,
        seamLines(1.2f, {{{box.x0 + 4, centre.y}, {box.x1 - 4, centre.y}},
                         {{centre.x - 7.0f * scale, box.y0 + 2}, {centre.x - 7.0f * scale, box.y1 - 2}},
                         {{centre.x + 7.0f * scale, box.y0 + 2}, {centre.x + 7.0f * scale, box.y1 - 2}}}),
        deck, kSeam);
    // A crimson band along the deck's rear edge and a turret dome at each gun's root.
    fillInside(canvas, RoundedRect(Rect{box.x0, box.y1 - 4.0f * scale, box.x1, box.y1}, 1.0f), deck,
               Colour::hex(0x8a1a30, 0.85f));
    for (float dx : {-14.0f, 0.0f, 14.0f}) {
        const Vec2 dome{centre.x + dx * scale, box.y0 + 5.0f * scale};
        drawPlate(canvas, Circle(dome, 5.5f * scale), bossMetal(Colour::hex(0x463c54), 2.0f * scale),
                  kOutline, 1.0f);
        fill(canvas, Circle(dome + Vec2{-1.5f, -1.5f} * scale, 1.2f * scale), Colour::hex(0xffd0a0, 0.6f),
             Blend::Add);
    }
    drawLamp(canvas, {centre.x + side * 26.0f * scale, centre.y}, 2.2f * scale, side < 0 ? kCrimson : kAmber,
             0.9f);
    drawLamp(canvas, {centre.x - side * 20.0f * scale, centre.y + 4.0f * scale}, 1.8f * scale, kAmber, 0.7f);
    if (burning) {
        for (float dx : {-10.0f, 8.0f}) {
            const Vec2 at{centre.x + dx * scale, centre.y + 2.0f * scale};
            glow(canvas, Circle(at, 4.0f * scale), kFire, 12.0f * scale, 0.9f);
            const Polygon flame(
                {at + Vec2{-4, 2} * scale, at + Vec2{0, -12} * scale, at + Vec2{4, 2} * scale});
            fill(canvas, flame, Colour::hex(0xffc060), Blend::Add);
            fill(canvas, Circle(at, 2.0f * scale), palette::white, Blend::Add);
        }
    }
}

void paintTempestFrame(Canvas& cell, int state, Random& random) {
    const float m = 128.0f;
    const Polygon envelope = flagshipEnvelope();
    // Tail fins and the engine pods first: the envelope lies over their roots.
    const Polygon fins(mirrored({{m, 196}, {m + 36, 206}, {m + 62, 238}, {m + 30, 236}, {m, 228}}, m));
    const Union silhouette({&envelope, &fins});
    drawHalo(cell, silhouette, Colour::hex(0xff3a6a), 14.0f, 0.5f);
    drawPlate(cell, fins, bossMetal(kGunmetal, 4.0f), kOutline, 2.0f);
    for (float side : {-1.0f, 1.0f}) {
        const Vec2 pod{m + side * 54.0f, 186.0f};
        drawPlate(cell, Ellipse(pod, 8.0f, 16.0f), bossMetal(kGunmetal, 3.0f), kOutline, 1.5f);
        fill(cell, Circle(pod + Vec2{0.0f, 20.0f}, 12.0f), Colour::hex(0xb8aec8, 0.22f));
    }
    drawPlate(cell, envelope, bossMetal(kFabric, 14.0f), kOutline, 2.5f);
    Strokes ribs(1.5f);
    for (float k : {-0.7f, -0.4f, 0.4f, 0.7f}) {
        ribs.addSegment({m + k * 40.0f, 40.0f}, {m + k * 42.0f, 214.0f});
    }
    for (float y = 50.0f; y < 220.0f; y += 24.0f) {
        ribs.addSegment({m - 44.0f, y}, {m + 44.0f, y});
    }
    drawSeams(cell, ribs, Grown(envelope, -3.0f), kSeam);
    // The armada's crimson bands round the bow and the stern.
    fillInside(cell, RoundedRect(Rect{m - 50, 44, m + 50, 52}, 2.0f), envelope, Colour::hex(0x8a1a30, 0.85f));
    fillInside(cell, RoundedRect(Rect{m - 50, 196, m + 50, 204}, 2.0f), envelope,
               Colour::hex(0x8a1a30, 0.85f));
    if (state >= 1) {
        drawEnvelopeTear(cell, random, {m + 26.0f, 70.0f}, 15.0f, 15.0f);
        drawEnvelopeTear(cell, random, {m - 28.0f, 124.0f}, 18.0f, -20.0f);
        drawEnvelopeTear(cell, random, {m + 24.0f, 170.0f}, 13.0f, 35.0f);
    }
    // Four gun decks on the flanks.
    for (float side : {-1.0f, 1.0f}) {
        for (float y : {92.0f, 152.0f}) {
            drawGunDeck(cell, {m + side * 62.0f, y}, side, 0.8f, state >= 2);
        }
    }
    // The lightning mast down the spine: a dark rod, coil rings, a crown of gold at the bow.
    const RoundedRect mast(Rect{m - 4.0f, 26.0f, m + 4.0f, 206.0f}, 3.0f);
    drawPlate(cell, mast, bossMetal(Colour::hex(0x241e2c), 2.0f), kOutline, 1.2f);
    for (float y = 50.0f; y < 200.0f; y += 30.0f) {
        stroke(cell, Ellipse({m, y}, 9.0f, 3.5f), 2.0f, Colour::hex(0x1a1420));
        stroke(cell, Ellipse({m, y}, 9.0f, 3.5f), 1.0f, Colour::hex(0xffc860, state >= 2 ? 1.0f : 0.6f));
    }
    drawLamp(cell, {m, 24.0f}, 6.0f, kStormGold, 1.2f);
    drawLamp(cell, {m - 30.0f, 20.0f + 14.0f}, 2.2f, kAmber, 0.8f);
    drawLamp(cell, {m + 30.0f, 20.0f + 14.0f}, 2.2f, kAmber, 0.8f);
    if (state >= 1) {
        drawDamage(cell, random, {m - 40, 40, m + 40, 210}, 4 + 4 * state, {{m + 44, 60}, {m - 40, 210}});
    }
    if (state >= 3) {
        // Going down: the envelope holed again and again, the gun decks burning through.
        drawDamage(cell, random, {m - 60, 30, m + 60, 220}, 8, {{m - 30, 40}, {m + 36, 150}, {m - 48, 120}});
        for (float y : {90.0f, 170.0f}) {
            drawExhaust(cell, {m + 40.0f, y}, 9.0f, 18.0f, Colour::hex(0xff7a2a), 0.8f);
            drawExhaust(cell, {m - 40.0f, y - 30.0f}, 9.0f, 18.0f, Colour::hex(0xff7a2a), 0.8f);
        }
    }
    if (state >= 2) {
        // The mast sparks: arcs leap off the coils.
        for (int i = 0; i < 6; ++i) {
            const float y = 50.0f + 30.0f * static_cast<float>(i);
            const float side = i % 2 == 0 ? 1.0f : -1.0f;
            const Strokes arc =
                lightningPath(random, {m + side * 9.0f, y}, side > 0 ? 0.0f : 180.0f, 3, 8.0f, 1.4f);
            glow(cell, arc, kStormGold, 6.0f, 0.7f);
            fill(cell, arc, palette::white, Blend::Add);
        }
        drawSparkle(cell, {m, 24.0f}, 16.0f, kStormGold, 10.0f);
    }
    clearMargin(cell, 3.0f);
}

void paintTempestDeck(Canvas& canvas) {
    // A deck of its own, drawn larger: the strut that holds it to the hull runs down.
    const float m = 128.0f;
    drawPlate(canvas, RoundedRect(Rect{m - 14.0f, 150.0f, m + 14.0f, 230.0f}, 5.0f),
              bossMetal(Colour::hex(0x241e2c), 3.0f), kOutline, 1.5f);
    drawGunDeck(canvas, {m, 128.0f}, 1.0f, 2.6f, false);
    drawLamp(canvas, {m, 212.0f}, 5.0f, kAmber, 0.9f);
    clearMargin(canvas, 3.0f);
}

}  // namespace

void paintThunderhead(Canvas& canvas, Random& random) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 4, 1);
    for (int state = 0; state < 4; ++state) {
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        Random stateRandom(random.next());
        paintThunderheadFrame(cell, state, stateRandom);
        grid.place(canvas, cell, state, 0);
    }
}

void paintTempest(Canvas& canvas, Random& random) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 4, 1);
    const uint64_t seed = random.next();
    for (int state = 0; state < 4; ++state) {
        // One seed for every state, so the tears of the second stay where they were in the third.
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        Random stateRandom(seed);
        paintTempestFrame(cell, state, stateRandom);
        grid.place(canvas, cell, state, 0);
    }
}

void paintTempestDeckModule(Canvas& canvas, Random& /*random*/) {
    paintTempestDeck(canvas);
}

// ---- The backdrop ----

void paintStageThreeSky(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise warp(random.next(), kPeriod, kPeriod);
    const TileableNoise banks(random.next(), kPeriod, kPeriod);
    const TileableNoise hue(random.next(), 2, 2);
    const float scale = static_cast<float>(kPeriod) / static_cast<float>(canvas.width());
    const float broad = 2.0f / static_cast<float>(canvas.width());
    const Colour base = Colour::hex(0x040309);
    const Colour violet = Colour::hex(0x2a1a40);
    const Colour slate = Colour::hex(0x12242a);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        const float wu = u + 0.6f * warp.fractal(u, v, 3);
        const float wv = v + 0.6f * warp.fractal(u + 3.7f, v + 1.9f, 3);
        const float bank = smoothstep(-0.25f, 0.6f, banks.fractal(wu, wv, 5, 0.55f));
        const float tint = smoothstep(-0.3f, 0.4f, hue.fractal(p.x * broad, p.y * broad, 3));
        const Colour gas = mix(slate, violet, tint);
        const float light = bank * bank * 0.85f;
        return Colour{base.r + gas.r * light, base.g + gas.g * light, base.b + gas.b * light, 1.0f};
    });
    blur(canvas, 1.5f, Edges::Wrap);
}

void paintStageThreeClouds(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 3;
    const TileableNoise billows(random.next(), kPeriod, kPeriod);
    const TileableNoise detail(random.next(), kPeriod * 2, kPeriod * 2);
    const float scale = static_cast<float>(kPeriod) / static_cast<float>(canvas.width());
    const Colour deep = Colour::hex(0x0e0a18);
    const Colour body = Colour::hex(0x2a2040);
    const Colour tops = Colour::hex(0x54487a);
    const Colour teal = Colour::hex(0x1a3038);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        const float puffs = 0.12f * (1.0f - std::abs(detail.fractal(u * 2.0f, v * 2.0f, 2)));
        const float here = billows.fractal(u, v, 4, 0.5f) + puffs;
        // The light comes from ahead (up the screen): a billow whose upper side rises is lit.
        const float below = billows.fractal(u, v + 0.06f, 4, 0.5f) + puffs;
        const float rise = clamp01((below - here) * 5.0f);
        const float density = smoothstep(-0.05f, 0.45f, here);
        if (density <= 0.0f) {
            return Colour{0.0f, 0.0f, 0.0f, 0.0f};
        }
        Colour colour = mix(deep, body, smoothstep(0.0f, 0.8f, density));
        colour = mix(colour, teal, clamp01(0.5f - here) * 0.5f);
        colour = mix(colour, tops, rise * smoothstep(0.0f, 0.4f, density) * 0.8f);
        return colour.withAlpha(clamp01(density * 1.1f) * 0.92f);
    });
}

void paintStageThreeWisps(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise streaks(random.next(), kPeriod * 2, kPeriod);
    const TileableNoise patches(random.next(), kPeriod, kPeriod);
    const float scale = static_cast<float>(kPeriod) / static_cast<float>(canvas.width());
    const Colour vapour = Colour::hex(0x9a90b8);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        // Stretched along v, the way the layer races: thin ridges in a few drifting patches.
        const float ridge = streaks.ridged(u * 2.0f, v * 1.0f, 3, 0.5f);
        const float patch = smoothstep(0.0f, 0.6f, patches.fractal(u, v, 3));
        // A faint sheet round each streak and a thin bright thread at its heart.
        return vapour.withAlpha(
            clamp01((std::pow(ridge, 5.0f) * 0.3f + std::pow(ridge, 16.0f) * 0.7f) * patch));
    });
}

void paintStageThreeFlash(Canvas& canvas, Random& random) {
    const TileableNoise billows(random.next(), 4, 4);
    const auto size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const Colour gold = Colour::hex(0xffe0a0);
    const Colour violet = Colour::hex(0xb090ff);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float r = length(p - centre) / (size * 0.5f);
        const float cloud =
            smoothstep(-0.35f, 0.5f, billows.fractal(p.x / size * 4.0f, p.y / size * 4.0f, 4));
        const float falloff = smoothstep(1.0f, 0.15f, r);
        const float light = falloff * (0.3f + 0.7f * cloud);
        return mix(violet, gold, falloff).withAlpha(clamp01(light * 1.3f));
    });
    // The bolt itself, faint: the cloud hides most of it.
    Canvas bolt(canvas.width(), canvas.height());
    const Strokes path = lightningPath(random, centre + Vec2{-10.0f, -50.0f}, 80.0f, 6, 16.0f, 1.6f);
    glow(bolt, path, gold, 8.0f, 0.35f);
    fill(bolt, path, palette::white.withAlpha(0.45f), Blend::Add);
    canvas.composite(bolt, 0, 0, Blend::Add);
    fadeBorders(canvas, 24.0f);
}

}  // namespace artgen
