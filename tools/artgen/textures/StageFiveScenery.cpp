// The fifth stage's bosses and backdrop: the crystal heart of the enemy citadel.
//
//   boss_lattice.png        1024 x 256, 4 frames of 256 in a row: the mid-boss, a floating frame of
//                           crystal struts (a hexagon braced by a six-pointed star) round a bright
//                           core. 0 whole, 1 struts cracked, 2 struts broken (three gone, stumps
//                           sparking), 3 core bared (the frame shattered to its inner star, the core
//                           swollen and burning).
//   boss_citadel.png        1024 x 256, 4 frames of 256: the boss, a great rose crystal heart in a
//                           ring of eight armoured stone petals. 0 whole, 1 petals cracked, 2 petals
//                           falling (three gone, two pushed askew), 3 heart bared and burning
//                           (stumps of petals round the naked heart, amber fire in its facets).
//   boss_citadel_petal.png  256 x 256: one armoured petal for the heart's modules, its point up,
//                           pivot at the centre.
//   stage5_cavern.png       512 x 512, opaque: the obsidian floor of the cavern far below, wine-violet
//                           veins in black rock, the far crystal pillars standing on it (the pillar
//                           tile at half size, dimmed); tiles both ways
//   stage5_pillars.png      512 x 512: crystal pillars seen from above (faceted hexagonal tops) and
//                           the lattice beams between them, dark with rose edges, clear between;
//                           tiles both ways: the nearer pillars
//   stage5_wall.png         128 x 512: the cavern's wall, black rock on the left with a rim of light
//                           and a fringe of crystals along its inner edge; tiles along y
//   stage5_glint.png        256 x 256: light running along a few crystal ridges, faded to nothing
//                           at its edges, for an additive layer the script fades in and out
//   stage5_light_rose.png,  128 x 128 each: the crystal light of a cavern wall, strong at the left
//   stage5_light_amber.png, edge and gone a little past the middle, for additive layers over the
//   stage5_light_red.png    walls (the right one turned half round) that the script cross-fades

#include <cmath>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "textures/CraftKit.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/StageFiveArt.h"

namespace artgen {

namespace {

const Colour kOutline = Colour::hex(0x060309);
const Colour kRose = Colour::hex(0xff7aa8);
const Colour kAmber = Colour::hex(0xffb040);
const Colour kPaleGold = Colour::hex(0xffe6a8);
const Colour kFire = Colour::hex(0xff7a1a);
const Colour kHostileHalo = Colour::hex(0xff3a6a);
const Vec2 kHullCentre{128.0f, 128.0f};

std::vector<Vec2> ring(Vec2 centre, float rx, float ry, int count, float startDegrees) {
    std::vector<Vec2> points;
    for (int i = 0; i < count; ++i) {
        const Vec2 unit =
            direction(startDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(count));
        points.push_back(centre + Vec2{unit.x * rx, unit.y * ry});
    }
    return points;
}

Metal strutMetal() {
    Metal metal;
    metal.lit = Colour::hex(0xe09ab8);
    metal.base = Colour::hex(0x4a1d44);
    metal.shade = Colour::hex(0x14071a);
    metal.bevel = 3.0f;
    metal.sheen = 0.3f;
    metal.rim = kRose;
    metal.rimStrength = 0.5f;
    return metal;
}

// Amber fire licking up from `at`: a glow, a tongue of flame and a hot root, all added.
void drawBurn(Canvas& canvas, Vec2 at, float size) {
    glow(canvas, Circle(at, size * 0.4f), kFire, size * 1.2f, 0.8f);
    fill(
        canvas,
        Polygon({at + Vec2{-0.4f, 0.2f} * size, at + Vec2{0.0f, -1.3f} * size, at + Vec2{0.4f, 0.2f} * size}),
        Colour::hex(0xffb050, 0.9f), Blend::Add);
    fill(canvas, Circle(at, size * 0.2f), kPaleGold, Blend::Add);
}

// ---- LATTICE SENTINEL ----

struct Strut {
    Vec2 a;
    Vec2 b;
};

// The sentinel's struts: the outer hexagon, the six-pointed star inside it and the spokes from
// the star's points to the core. `state` takes struts away as the frame breaks.
std::vector<Strut> latticeStruts(int state) {
    const std::vector<Vec2> outer = ring(kHullCentre, 108.0f, 100.0f, 6, -90.0f);
    const std::vector<Vec2> star = ring(kHullCentre, 70.0f, 66.0f, 6, -90.0f);
    std::vector<Strut> struts;
    for (int i = 0; i < 6; ++i) {
        // Broken: three outer struts gone; bared: every outer strut gone.
        const bool outerGone = (state == 2 && i % 2 == 1) || state == 3;
        if (!outerGone) {
            struts.push_back({outer[static_cast<size_t>(i)], outer[static_cast<size_t>((i + 1) % 6)]});
        }
        if (state < 3 || i % 2 == 0) {
            struts.push_back({star[static_cast<size_t>(i)], star[static_cast<size_t>((i + 2) % 6)]});
        }
        if (!outerGone || i % 3 == 0) {
            struts.push_back({outer[static_cast<size_t>(i)], star[static_cast<size_t>(i)]});
        }
        if (state < 2 || i % 2 == 0) {
            struts.push_back({star[static_cast<size_t>(i)],
                              kHullCentre + (star[static_cast<size_t>(i)] - kHullCentre) * 0.4f});
        }
    }
    return struts;
}

void paintLatticeFrame(Canvas& cell, int state, Random& random) {
    const std::vector<Strut> struts = latticeStruts(state);
    Strokes frame(9.0f);
    for (const Strut& strut : struts) {
        frame.addSegment(strut.a, strut.b);
    }
    drawHalo(cell, frame, kHostileHalo, 14.0f, 0.45f);
    fill(cell, Grown(frame, 2.0f), kOutline);
    fill(cell, frame, metalPaint(frame, strutMetal()));
    Strokes spine(1.6f);
    for (const Strut& strut : struts) {
        spine.addSegment(strut.a, strut.b);
    }
    fill(cell, spine, kRose.withAlpha(0.5f), Blend::Add);
    // Crystal nodes at every joint left standing.
    std::vector<Vec2> joints;
    for (const Strut& strut : struts) {
        joints.push_back(strut.a);
    }
    for (const Vec2& joint : joints) {
        if (length(joint - kHullCentre) < 40.0f) {
            continue;
        }
        drawCrystal(cell, ring(joint, 10.0f, 10.0f, 6, -90.0f), joint + Vec2{-2.0f, -2.0f}, darkCrystal(),
                    1.0f);
    }
    if (state >= 1) {
        // Cracks on the struts, amber threads of light in them.
        for (int i = 0; i < 5 + 3 * state; ++i) {
            const Strut& strut =
                struts[static_cast<size_t>(random.range(0.0f, static_cast<float>(struts.size()) - 0.01f))];
            const Vec2 at = lerp(strut.a, strut.b, random.range(0.25f, 0.75f));
            drawCrack(cell, random, at, random.range(0.0f, 360.0f), 16.0f, Grown(frame, 1.0f));
        }
    }
    if (state >= 2) {
        // Stumps where the struts broke: sparks at the torn ends.
        const std::vector<Vec2> outer = ring(kHullCentre, 108.0f, 100.0f, 6, -90.0f);
        for (int i = 1; i < 6; i += 2) {
            const Vec2 from = outer[static_cast<size_t>(i)];
            const Vec2 to = outer[static_cast<size_t>((i + 1) % 6)];
            drawSparkle(cell, lerp(from, to, 0.18f), 10.0f, kAmber, random.range(0.0f, 45.0f));
        }
    }
    // The core: a rose crystal in a cage of light, swollen and burning once bared.
    const float size = state == 3 ? 34.0f : 26.0f;
    const std::vector<Vec2> heart = ring(kHullCentre, size, size * 1.15f, 8, -90.0f + 22.5f);
    glow(cell, Polygon(heart), state == 3 ? kAmber : kRose, state == 3 ? 30.0f : 22.0f, 0.8f);
    drawCrystal(cell, heart, kHullCentre + Vec2{-4.0f, -6.0f}, litCrystal(), 1.0f);
    stroke(cell, Circle(kHullCentre, size + 10.0f), 2.0f, kPaleGold.withAlpha(state == 3 ? 0.2f : 0.5f),
           Blend::Add);
    drawLamp(cell, kHullCentre, state == 3 ? 9.0f : 7.0f, kPaleGold, 1.0f);
    if (state == 3) {
        for (int i = 0; i < 4; ++i) {
            drawBurn(cell, kHullCentre + direction(-60.0f + 80.0f * static_cast<float>(i)) * 18.0f, 10.0f);
        }
        // Shards of the frame still hang about the core.
        for (int i = 0; i < 6; ++i) {
            const Vec2 at =
                kHullCentre + direction(30.0f + 60.0f * static_cast<float>(i)) * random.range(92.0f, 104.0f);
            drawCrystal(cell, ring(at, 8.0f, 12.0f, 4, random.range(-20.0f, 20.0f) - 90.0f), at,
                        darkCrystal(), 0.8f);
        }
    } else {
        drawSparkle(cell, kHullCentre + Vec2{-8.0f, -14.0f}, 14.0f, kPaleGold, 12.0f);
    }
    clearMargin(cell, 3.0f);
}

// ---- CITADEL HEART ----

// An armoured petal of stone, its point up, about `length` long and `width` wide at its base,
// whose base sits at `base`.
std::vector<Vec2> petalOutline(Vec2 base, float length, float width, float degrees) {
    const std::vector<Vec2> upright{{0.0f, -length},
                                    {width * 0.42f, -length * 0.62f},
                                    {width * 0.5f, -length * 0.2f},
                                    {width * 0.32f, 0.0f},
                                    {-width * 0.32f, 0.0f},
                                    {-width * 0.5f, -length * 0.2f},
                                    {-width * 0.42f, -length * 0.62f}};
    std::vector<Vec2> points;
    for (const Vec2& p : upright) {
        points.push_back(base + rotated(p, degrees));
    }
    return points;
}

void drawPetal(Canvas& canvas, Random& random, Vec2 base, float length, float width, float degrees,
               bool cracked) {
    const std::vector<Vec2> outline = petalOutline(base, length, width, degrees);
    const Polygon petal(outline);
    drawPlate(canvas, petal, citadelStone(6.0f), kOutline, 2.0f);
    // A ridge down its middle and bands across it, a crystal stud near its point.
    Strokes seams(1.4f);
    seams.addSegment(base + rotated({0.0f, -length * 0.9f}, degrees), base + rotated({0.0f, -4.0f}, degrees));
    for (float t : {0.3f, 0.55f}) {
        seams.addSegment(base + rotated({-width * 0.45f, -length * t}, degrees),
                         base + rotated({width * 0.45f, -length * t}, degrees));
    }
    drawSeams(canvas, seams, Grown(petal, -2.0f), Colour::hex(0x0a0510, 0.6f));
    const Vec2 stud = base + rotated({0.0f, -length * 0.72f}, degrees);
    drawCrystal(canvas, ring(stud, width * 0.12f, width * 0.16f, 4, degrees - 90.0f), stud, darkCrystal(),
                1.0f);
    if (cracked) {
        drawCrack(canvas, random, base + rotated({width * 0.1f, -length * 0.45f}, degrees),
                  degrees + random.range(-60.0f, 60.0f) - 90.0f, length * 0.5f, petal);
    }
}

void paintCitadelHeart(Canvas& cell, Vec2 c, float size, bool burning) {
    const std::vector<Vec2> heart{c + Vec2{0.0f, -size * 1.15f},        c + Vec2{size * 0.7f, -size * 0.6f},
                                  c + Vec2{size * 0.85f, size * 0.2f},  c + Vec2{size * 0.4f, size * 0.9f},
                                  c + Vec2{0.0f, size * 1.2f},          c + Vec2{-size * 0.4f, size * 0.9f},
                                  c + Vec2{-size * 0.85f, size * 0.2f}, c + Vec2{-size * 0.7f, -size * 0.6f}};
    glow(cell, Polygon(heart), burning ? kAmber : kRose, burning ? 26.0f : 18.0f, 0.8f);
    drawCrystal(cell, heart, c + Vec2{-size * 0.15f, -size * 0.25f}, litCrystal(), 1.0f);
    // A table facet in its middle and a hot heart under it.
    const std::vector<Vec2> table = ring(c + Vec2{-2.0f, -4.0f}, size * 0.35f, size * 0.45f, 6, -90.0f);
    stroke(cell, Polygon(table), 1.4f, kPaleGold.withAlpha(0.6f), Blend::Add);
    drawLamp(cell, c, size * 0.18f, kPaleGold, 1.0f);
    if (burning) {
        for (int i = 0; i < 5; ++i) {
            drawBurn(cell, c + direction(-90.0f + 72.0f * static_cast<float>(i)) * size * 0.55f, size * 0.3f);
        }
    } else {
        drawSparkle(cell, c + Vec2{-size * 0.3f, -size * 0.5f}, size * 0.4f, kPaleGold, 10.0f);
    }
}

// Where each of the eight petals sits in a damage state: its base, its turn and its length, or
// nothing once it has fallen.
struct PetalPlace {
    bool standing;
    Vec2 base;
    float degrees;
    float length;
};

PetalPlace petalPlace(int state, int i) {
    const Vec2 c = kHullCentre;
    float degrees = 22.5f + 45.0f * static_cast<float>(i);
    float reach = 54.0f;
    if (state == 2 && (i == 1 || i == 4 || i == 6)) {
        return {false, c, degrees, 0.0f};
    }
    if (state == 2 && (i == 2 || i == 7)) {
        // Knocked askew and slipping outwards.
        degrees += i == 2 ? 14.0f : -12.0f;
        reach = 62.0f;
    }
    // Once the heart is bared only stumps are left.
    return {true, c + direction(degrees - 90.0f) * reach, degrees, state == 3 ? 26.0f : 66.0f};
}

void paintCitadelFrame(Canvas& cell, int state, Random& random) {
    const Vec2 c = kHullCentre;
    // The stone ring the petals grow from, and a faint hostile halo round the whole.
    const Circle ringShape(c, 64.0f);
    std::vector<Polygon> petals;
    for (int i = 0; i < 8; ++i) {
        const PetalPlace place = petalPlace(state, i);
        if (place.standing) {
            petals.emplace_back(
                petalOutline(place.base, place.length, state == 3 ? 44.0f : 56.0f, place.degrees));
        }
    }
    std::vector<const Shape*> parts{&ringShape};
    for (const Polygon& petal : petals) {
        parts.push_back(&petal);
    }
    drawHalo(cell, Union(parts), kHostileHalo, 12.0f, 0.4f);
    drawPlate(cell, ringShape, citadelStone(8.0f), kOutline, 2.0f);
    fill(cell, Circle(c, 46.0f), Colour::hex(0x07030a));
    for (int i = 0; i < 8; ++i) {
        const PetalPlace place = petalPlace(state, i);
        if (!place.standing) {
            continue;
        }
        drawPetal(cell, random, place.base, place.length, state == 3 ? 44.0f : 56.0f, place.degrees,
                  state >= 1);
        if (state == 3 && i % 2 == 0) {
            drawBurn(cell, place.base + direction(place.degrees - 90.0f) * 10.0f, 9.0f);
        }
    }
    if (state == 2) {
        // Light spills from the gaps where petals fell.
        for (int i : {1, 4, 6}) {
            const float degrees = 22.5f + 45.0f * static_cast<float>(i);
            glow(cell, Circle(c + direction(degrees - 90.0f) * 70.0f, 6.0f), kRose, 20.0f, 0.5f);
            drawSparkle(cell, c + direction(degrees - 90.0f) * 66.0f, 10.0f, kAmber, degrees);
        }
    }
    // Inner armour collar with its gold lamps.
    for (int i = 0; i < 8; ++i) {
        drawLamp(cell, c + direction(45.0f * static_cast<float>(i)) * 56.0f, 2.4f,
                 i % 2 == 0 ? kAmber : kRose, state == 3 ? 0.5f : 0.9f);
    }
    paintCitadelHeart(cell, c, state == 3 ? 42.0f : 36.0f, state == 3);
    if (state >= 1) {
        drawDamage(cell, random, {40, 40, 216, 216}, 4 + 3 * state, {});
    }
    clearMargin(cell, 3.0f);
}

}  // namespace

void paintBossLattice(Canvas& canvas, Random& random) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 4, 1);
    const uint64_t seed = random.next();
    for (int state = 0; state < 4; ++state) {
        // One seed for every state, so a crack stays where it was as the frame breaks further.
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        Random stateRandom(seed);
        paintLatticeFrame(cell, state, stateRandom);
        grid.place(canvas, cell, state, 0);
    }
}

void paintBossCitadel(Canvas& canvas, Random& random) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 4, 1);
    const uint64_t seed = random.next();
    for (int state = 0; state < 4; ++state) {
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        Random stateRandom(seed);
        paintCitadelFrame(cell, state, stateRandom);
        grid.place(canvas, cell, state, 0);
    }
}

void paintBossCitadelPetal(Canvas& canvas, Random& random) {
    const Vec2 c{128.0f, 128.0f};
    const std::vector<Vec2> outline = petalOutline(c + Vec2{0.0f, 96.0f}, 200.0f, 150.0f, 0.0f);
    drawHalo(canvas, Polygon(outline), kHostileHalo, 12.0f, 0.4f);
    drawPetal(canvas, random, c + Vec2{0.0f, 96.0f}, 200.0f, 150.0f, 0.0f, false);
    // The hinge at its root, where it meets the heart's ring.
    drawPlate(canvas, RoundedRect(Rect{c.x - 34.0f, 206.0f, c.x + 34.0f, 228.0f}, 6.0f), citadelStone(4.0f),
              kOutline, 1.5f);
    drawLamp(canvas, {c.x, 217.0f}, 4.0f, kAmber, 0.9f);
    clearMargin(canvas, 3.0f);
}

// ---- The backdrop ----

void paintStageFiveCavern(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise rock(random.next(), kPeriod, kPeriod);
    const TileableNoise veins(random.next(), kPeriod, kPeriod);
    const TileableNoise tint(random.next(), 2, 2);
    const float scale = static_cast<float>(kPeriod) / static_cast<float>(canvas.width());
    const float broad = 2.0f / static_cast<float>(canvas.width());
    const Colour obsidian = Colour::hex(0x040206);
    const Colour wine = Colour::hex(0x2a0c22);
    const Colour violet = Colour::hex(0x1a0e2e);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        const float body = smoothstep(-0.3f, 0.6f, rock.fractal(u, v, 5, 0.55f));
        const float vein = std::pow(veins.ridged(u * 1.5f, v * 1.5f, 3, 0.5f), 10.0f);
        const float hue = smoothstep(-0.3f, 0.4f, tint.fractal(p.x * broad, p.y * broad, 3));
        const Colour gas = mix(violet, wine, hue);
        const float light = body * body * 0.55f + vein * 0.5f;
        return Colour{obsidian.r + gas.r * light, obsidian.g + gas.g * light, obsidian.b + gas.b * light,
                      1.0f};
    });
    // A few far crystals catch a glint on the cavern floor.
    for (int i = 0; i < 14; ++i) {
        const Vec2 at{random.range(16.0f, 496.0f), random.range(16.0f, 496.0f)};
        fill(canvas, Circle(at, random.range(1.0f, 2.0f)), Colour::hex(0x7a3050, 0.5f), Blend::Add);
    }
    blur(canvas, 1.0f, Edges::Wrap);
    // The far pillars stand on the floor: a half-size tile of them, four times over and dimmed by
    // the depth, so the far layer costs no second full-screen pass.
    Canvas pillars(canvas.width() / 2, canvas.height() / 2);
    paintStageFivePillars(pillars, random);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            canvas.composite(pillars, x * pillars.width(), y * pillars.height(), Blend::Over, 0.6f);
        }
    }
}

void paintStageFivePillars(Canvas& canvas, Random& random) {
    const float size = static_cast<float>(canvas.width());
    const Crystal dark{Colour::hex(0x06020a), Colour::hex(0x180a1e), Colour::hex(0x44203a), kRose};
    Metal girder;
    girder.lit = Colour::hex(0x4a2040);
    girder.base = Colour::hex(0x1a0a1c);
    girder.shade = Colour::hex(0x050208);
    girder.bevel = 3.0f;
    girder.sheen = 0.1f;
    girder.rim = kRose;
    girder.rimStrength = 0.2f;
    std::vector<Vec2> tops;
    // Sizes are for a 512-pixel tile; a smaller tile draws the same scene smaller.
    const float unit = size / 512.0f;
    for (int i = 0; i < 7; ++i) {
        tops.push_back({random.range(0.0f, size), random.range(0.0f, size)});
    }
    // The lattice beams first: long dark girders of crystal between the pillars, each running the
    // short way round the tile and drawn again across the seams, so the texture repeats.
    for (size_t i = 0; i < tops.size(); ++i) {
        Vec2 d = tops[(i + 2) % tops.size()] - tops[i];
        d.x -= size * std::round(d.x / size);
        d.y -= size * std::round(d.y / size);
        const Vec2 middle = tops[i] + d * 0.5f;
        drawWrapped(canvas, middle, length(d) * 0.5f + 12.0f, [&](Vec2 at) {
            Strokes beam(10.0f * unit);
            beam.addSegment(at - d * 0.5f, at + d * 0.5f);
            const Vec2 side = normalized(Vec2{-d.y, d.x}) * (-3.5f * unit);
            Strokes edge(1.2f);
            edge.addSegment(at - d * 0.5f + side, at + d * 0.5f + side);
            fill(canvas, Grown(beam, 1.5f), Colour::hex(0x030105, 0.9f));
            fill(canvas, beam, metalPaint(beam, girder));
            fill(canvas, edge, kRose.withAlpha(0.16f), Blend::Add);
        });
    }
    // The pillars' faceted tops, a cluster of smaller crystals round each.
    struct Facet {
        Vec2 offset;
        float radius;
        float turn;
    };
    for (const Vec2& top : tops) {
        const float radius = random.range(30.0f, 46.0f) * unit;
        std::vector<Facet> cluster;
        for (int k = 0; k < 4; ++k) {
            cluster.push_back({direction(random.range(0.0f, 360.0f)) * radius * random.range(0.9f, 1.3f),
                               radius * random.range(0.3f, 0.45f), random.range(0.0f, 60.0f)});
        }
        cluster.push_back({{0.0f, 0.0f}, radius, random.range(0.0f, 60.0f)});
        drawWrapped(canvas, top, radius * 1.8f, [&](Vec2 at) {
            glow(canvas, Circle(at, radius), Colour::hex(0x020104), 14.0f * unit, 0.8f);
            for (const Facet& facet : cluster) {
                const Vec2 c = at + facet.offset;
                const float edge = facet.radius == radius ? 0.55f : 0.45f;
                drawCrystal(canvas, ring(c, facet.radius, facet.radius, 6, facet.turn),
                            c + Vec2{-facet.radius * 0.15f, -facet.radius * 0.2f}, dark, edge);
            }
        });
    }
}

void paintStageFiveWall(Canvas& canvas, Random& random) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    constexpr int kPeriod = 4;
    const TileableNoise profile(random.next(), 1, kPeriod);
    const TileableNoise grain(random.next(), 2, kPeriod * 2);
    const float v = static_cast<float>(kPeriod) / height;
    // The wall's inner edge wanders about half way across; the crystals fill the rest.
    auto edgeAt = [&](float y) { return 64.0f + 16.0f * profile.fractal(0.3f, y * v, 3); };
    const Colour obsidian = Colour::hex(0x050307);
    const Colour wine = Colour::hex(0x2e1028);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float inside = edgeAt(p.y) - p.x;
        if (inside < -1.0f) {
            return Colour{0.0f, 0.0f, 0.0f, 0.0f};
        }
        const float n = grain.fractal(p.x / width * 2.0f, p.y * v * 2.0f, 4);
        // Lit faintly near its edge by the crystals, black further in, with a rim of light along
        // the edge itself so the wall reads as a wall over the dark floor.
        const float light =
            smoothstep(40.0f, 0.0f, inside) * (0.5f + 0.5f * n) + 0.15f * smoothstep(-0.2f, 0.6f, n);
        const float rim = smoothstep(4.0f, 1.0f, inside) * (0.6f + 0.4f * n);
        const Colour rock = mix(obsidian, wine, clamp01(light));
        return mix(rock, Colour::hex(0x7a3058), rim).withAlpha(clamp01(inside + 1.0f));
    });
    // A fringe of crystals growing from the edge, leaning out into the cavern.
    const int count = 14;
    for (int i = 0; i < count; ++i) {
        const float y =
            (static_cast<float>(i) + random.range(0.1f, 0.9f)) * height / static_cast<float>(count);
        const float edge = edgeAt(y);
        const float lengthOut = random.range(16.0f, 34.0f);
        const float half = random.range(4.0f, 8.0f);
        const float lean = random.range(-30.0f, 30.0f);
        const Crystal crystal =
            random.chance(0.3f)
                ? Crystal{Colour::hex(0x140610), Colour::hex(0x3a1830), Colour::hex(0x80485e), kAmber}
                : Crystal{Colour::hex(0x08030a), Colour::hex(0x200c26), Colour::hex(0x5a2c4a), kRose};
        drawWrapped(canvas, {edge, y}, lengthOut + half + 4.0f, [&](Vec2 root) {
            const Vec2 out = direction(lean);
            const Vec2 across{-out.y, out.x};
            const std::vector<Vec2> shard{
                root - across * half - out * 8.0f, root + out * (lengthOut * 0.75f) - across * half,
                root + out * lengthOut, root + out * (lengthOut * 0.75f) + across * half,
                root + across * half - out * 8.0f};
            drawCrystal(canvas, shard, root + out * (lengthOut * 0.6f) - across * (half * 0.2f), crystal,
                        0.4f);
        });
    }
}

void paintStageFiveGlint(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    const Vec2 c{size * 0.5f, size * 0.5f};
    // Light running along the ridges of a few crystal faces: thin lines, brightest where they meet.
    Canvas lines(canvas.width(), canvas.height());
    for (int i = 0; i < 5; ++i) {
        const float degrees = -60.0f + random.range(-25.0f, 25.0f) + (i % 2 == 0 ? 0.0f : 100.0f);
        const float reach = random.range(50.0f, 100.0f);
        const Vec2 from = c + Vec2{random.range(-12.0f, 12.0f), random.range(-12.0f, 12.0f)};
        Strokes ridge(1.4f);
        ridge.addSegment(from - direction(degrees) * reach * 0.3f, from + direction(degrees) * reach);
        glow(lines, ridge, kRose, 6.0f, 0.35f);
        fill(lines, ridge, kPaleGold.withAlpha(0.6f), Blend::Add);
    }
    lines.fade([&](int x, int y) {
        const float r = length(Vec2{static_cast<float>(x), static_cast<float>(y)} - c) / (size * 0.5f);
        return smoothstep(1.0f, 0.1f, r);
    });
    glow(canvas, Circle(c, 10.0f), kRose, 50.0f, 0.25f);
    canvas.composite(lines, 0, 0, Blend::Add);
    drawSparkle(canvas, c, 26.0f, kPaleGold.withAlpha(0.8f), 15.0f);
    fadeBorders(canvas, 16.0f);
}

namespace {

// Light from a cavern wall on the left: strong at the left edge, nothing from a little past the
// middle; the right wall's layer turns it half round. The layer adds it, so its strength is its
// colour times its alpha; the colour is kept dim.
void paintWallLight(Canvas& canvas, Colour colour, float strength) {
    const auto width = static_cast<float>(canvas.width());
    const Colour dim{colour.r * strength, colour.g * strength, colour.b * strength, 1.0f};
    shade(canvas, [&](Vec2 p) { return dim.withAlpha(std::pow(smoothstep(0.8f, 0.0f, p.x / width), 1.6f)); });
    fadeBorders(canvas, 4.0f);
}

}  // namespace

void paintStageFiveLightRose(Canvas& canvas, Random& /*random*/) {
    paintWallLight(canvas, Colour::hex(0xff4a88), 0.3f);
}
void paintStageFiveLightAmber(Canvas& canvas, Random& /*random*/) {
    paintWallLight(canvas, Colour::hex(0xffa030), 0.5f);
}
void paintStageFiveLightRed(Canvas& canvas, Random& /*random*/) {
    paintWallLight(canvas, Colour::hex(0xd0142a), 0.45f);
}

}  // namespace artgen
