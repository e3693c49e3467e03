// The stage two art: its enemies' cells in the enemy atlas and its own family of bullets.
//
// Enemy cells (frame = enemy_frame::kStageTwoFirst + n), rusted iron and brown rock with
// sodium-orange and crimson lights:
//   n  0, 1   large rock, two shapes, its three-way fracture glowing faintly (it splits)
//   n  2      rock shard: a third of a large rock, its broken faces still hot
//   n  3, 4   welding drone, two frames of torch flicker;  n 5 the drone damaged
//   n  6      dock turret base: a clamp on a girder;  n 7 its barrel (module, pivot at the
//             cell centre);  n 8 the base damaged
//   n  9, 10  hauler, 2 x 1 cells: a tug towing a hull section;  n 11, 12 the hauler damaged
//   n 13      cutter pod: a small craft behind a cutting-laser lens
//
// Bullet frames (frame = bullet_frame::kStageTwoFirst + n), all pointing up:
//   n  0-3    shard: an irregular splinter of rock glass: orange, red, yellow, magenta
//   n  4-7    rivet: a hexagonal bolt with a dark hole: orange, red, yellow, green
//   n  8-11   slag: a large molten glob with a short drip tail: orange, red, magenta, yellow
//   n 12-15   spark: a thin bright needle: yellow, orange, red, lime
//   n 16, 17  the cutting beam's body and its flicker frame, upright (the beam stretches it)

#include <cmath>
#include <utility>
#include <vector>

#include "raster/Draw.h"
#include "raster/Noise.h"
#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/StageTwoKit.h"

namespace artgen {

namespace {

using namespace yard;

constexpr float kMid = 64.0f;  // the centre line of a 128-pixel cell

// ---- Bullets ----

constexpr Vec2 kCentre = kBulletCellCentre;
using namespace bullet_hue;

// A splinter of rock glass: long, lopsided and sharp at both ends.
void paintShard(Canvas& cell, const BulletHue& hue) {
    const Polygon body({{33, 4}, {42, 19}, {40, 40}, {35, 58}, {26, 43}, {22, 24}});
    const Polygon core({{33, 14}, {37, 24}, {35, 40}, {33, 48}, {29, 38}, {28, 25}});
    drawEnemyBullet(cell, body, core, hue, 4.0f);
    // A facet line down the splinter catches the light.
    Strokes facet(1.2f);
    facet.addPolyline({{33, 8}, {31, 30}, {34, 52}});
    fill(cell, facet, hue.hot.withAlpha(0.55f), Blend::Add);
}

std::vector<Vec2> hexagon(Vec2 centre, float radius) {
    std::vector<Vec2> points;
    for (int i = 0; i < 6; ++i) {
        points.push_back(centre + direction(-90.0f + 60.0f * static_cast<float>(i)) * radius);
    }
    return points;
}

// A hexagonal bolt head: a hot ring round a dark hole.
void paintRivet(Canvas& cell, const BulletHue& hue) {
    const Polygon body(hexagon(kCentre, 19.0f));
    const Polygon core(hexagon(kCentre, 11.0f));
    drawEnemyBullet(cell, body, core, hue, 4.0f);
    const Circle hole(kCentre, 4.5f);
    fill(cell, Grown(hole, 1.0f), mix(hue.body, bulletRim(hue), 0.5f));
    fill(cell, hole, bulletRim(hue));
}

// A molten glob, 28 pixels across, trailing a short drip behind it.
void paintSlag(Canvas& cell, const BulletHue& hue) {
    const Circle glob({32.0f, 27.0f}, 14.0f);
    const Polygon drip({{24, 32}, {40, 32}, {35, 48}, {32, 58}, {29, 48}});
    const Union body({&glob, &drip});
    const Circle core({31.0f, 25.0f}, 6.5f);
    drawEnemyBullet(cell, body, core, hue, 5.0f);
    // A crust of darker slag floating on the glob.
    fill(cell, Ellipse({38.0f, 32.0f}, 3.5f, 2.2f, -30.0f), mix(hue.body, bulletRim(hue), 0.45f));
}

// A thin needle of light, thinner than a rice grain and twice as long.
void paintSpark(Canvas& cell, const BulletHue& hue) {
    const Polygon body({{32, 3}, {36, 30}, {32, 61}, {28, 30}});
    const Polygon core({{32, 10}, {33.2f, 30}, {32, 52}, {30.8f, 30}});
    drawEnemyBullet(cell, body, core, hue, 3.0f);
}

// The cutting beam, upright: the engine stretches one row of it along the beam, so only the
// cross-section counts: a near-black rim, a white-hot orange body and a hotter core. The
// flicker frame burns wider and hotter.
void paintCuttingBeam(Canvas& cell, bool flicker) {
    const float half = flicker ? 15.0f : 13.0f;
    const RoundedRect body(Rect{32.0f - half, 4.0f, 32.0f + half, 60.0f}, half * 0.5f);
    const RoundedRect core(Rect{32.0f - half * 0.35f, 6.0f, 32.0f + half * 0.35f, 58.0f}, half * 0.3f);
    const BulletHue beam{Colour::hex(0xff8a1f), Colour::hex(0xfff4dc)};
    glow(cell, body, beam.body, 10.0f, flicker ? 0.4f : 0.3f);
    fill(cell, Grown(body, 2.0f), bulletRim(beam));
    fill(cell, body,
         linearGradient({32.0f - half, 0.0f}, {32.0f + half, 0.0f},
                        {{0.0f, Colour::hex(0xc03a08)},
                         {0.3f, beam.body},
                         {0.5f, mix(beam.body, beam.hot, 0.6f)},
                         {0.7f, beam.body},
                         {1.0f, Colour::hex(0xc03a08)}}));
    glow(cell, core, beam.hot, 4.0f, 0.8f);
    fill(cell, core, flicker ? palette::white : beam.hot);
}

// ---- Enemies ----

// A lumpy outline about `centre`: `points` corners at `radius` shrunk by up to `roughness`,
// stretched by `stretch` along x.
std::vector<Vec2> lumpyOutline(Random& random, Vec2 centre, float radius, int points, float roughness,
                               float stretch = 1.0f) {
    std::vector<Vec2> outline;
    for (int i = 0; i < points; ++i) {
        const float degrees =
            360.0f * static_cast<float>(i) / static_cast<float>(points) + random.range(-9.0f, 9.0f);
        const Vec2 along = direction(degrees) * (radius * random.range(1.0f - roughness, 1.0f));
        outline.push_back(centre + Vec2{along.x * stretch, along.y});
    }
    return outline;
}

// Brown stone with grain, light strata and craters, kept inside `rock`.
void paintStone(Canvas& canvas, Random& random, const Shape& rock, Vec2 centre, float radius) {
    fill(canvas, Grown(rock, 1.5f), kOutline);
    const TileableNoise grain(random.next(), 4, 4);
    const Paint body = metalPaint(rock, stone(radius * 0.6f));
    fill(canvas, rock, Paint([&](Vec2 p) {
             const Colour colour = body.at(p);
             const float n = 0.85f + 0.25f * grain.fractal(p.x / 28.0f, p.y / 28.0f, 3);
             const float strata = 0.92f + 0.1f * std::sin((p.x * 0.5f + p.y) * 0.35f);
             return Colour{colour.r * n * strata, colour.g * n * strata, colour.b * n * strata, 1.0f};
         }));
    for (int i = 0; i < 4; ++i) {
        const Vec2 at = centre + direction(random.range(0.0f, 360.0f)) * random.range(0.0f, radius * 0.55f);
        const float size = random.range(radius * 0.1f, radius * 0.2f);
        const Circle crater(at, size);
        Metal hollow = stone(size);
        std::swap(hollow.lit, hollow.shade);
        hollow.base = Colour::hex(0x35251b);
        hollow.rimStrength = 0.0f;
        fillInside(canvas, crater, rock, metalPaint(crater, hollow));
    }
}

// The fracture a large rock splits along: three cracks from near its heart, 120 degrees apart,
// an ember thread glowing in each so a player learns that this rock breaks in three.
void drawFracture(Canvas& canvas, Random& random, const Shape& rock, Vec2 heart, float radius, float turn) {
    Strokes cracks(2.6f);
    Strokes threads(1.0f);
    for (int i = 0; i < 3; ++i) {
        std::vector<Vec2> path{heart};
        float heading = turn + 120.0f * static_cast<float>(i);
        for (int step = 0; step < 4; ++step) {
            heading += random.range(-18.0f, 18.0f);
            path.push_back(path.back() + direction(heading) * (radius * 0.3f));
        }
        cracks.addPolyline(path);
        threads.addPolyline(path);
    }
    fillInside(canvas, cracks, rock, kSoot.withAlpha(0.95f));
    fillInside(canvas, Grown(threads, 2.0f), rock, kEmber.withAlpha(0.25f), Blend::Add);
    fillInside(canvas, threads, rock, Colour::hex(0xffb060, 0.75f), Blend::Add);
}

void paintLargeRock(Canvas& cell, Random& random, int shape) {
    const Vec2 centre{kMid, kMid};
    const float radius = shape == 0 ? 54.0f : 50.0f;
    const Polygon rock(
        lumpyOutline(random, centre, radius, shape == 0 ? 12 : 9, 0.22f, shape == 0 ? 1.0f : 1.14f));
    glow(cell, rock, kHalo, 7.0f, 0.16f);
    paintStone(cell, random, rock, centre, radius);
    drawFracture(cell, random, rock, centre + Vec2{random.range(-4.0f, 4.0f), random.range(-4.0f, 4.0f)},
                 radius, shape == 0 ? -90.0f : -60.0f);
}

// A third of a large rock: a rough wedge, its two broken faces fresh and glowing.
void paintRockShard(Canvas& cell, Random& random) {
    const Vec2 apex{kMid, 98.0f};
    std::vector<Vec2> outline{apex};
    constexpr int kSteps = 7;
    for (int i = 0; i <= kSteps; ++i) {
        const float degrees = -150.0f + 120.0f * static_cast<float>(i) / static_cast<float>(kSteps);
        outline.push_back(apex + direction(degrees) * (78.0f * random.range(0.82f, 1.0f)));
    }
    const Polygon shard(outline);
    glow(cell, shard, kHalo, 7.0f, 0.16f);
    paintStone(cell, random, shard, {kMid, 58.0f}, 40.0f);
    // The broken faces: the two straight edges from the apex, hot along their length.
    Strokes faces(3.0f);
    faces.addPolyline({outline[1], apex, outline.back()});
    fillInside(cell, Grown(faces, 3.0f), shard, kEmber.withAlpha(0.35f), Blend::Add);
    fillInside(cell, faces, shard, Colour::hex(0xffc070, 0.8f), Blend::Add);
}

// A welding drone: a round hub, a forked arm holding the torch ahead of it, three thruster
// pods. `frame` 0 and 1 flicker the torch.
void paintWeldingDrone(Canvas& cell, Random& random, int frame) {
    const Circle hub({kMid, 70.0f}, 19.0f);
    const Polygon arms(mirrored({{64, 30}, {72, 36}, {80, 58}, {72, 60}, {66, 42}}, kMid));
    std::vector<const Shape*> parts{&hub, &arms};
    std::vector<Circle> pods;
    for (float degrees : {150.0f, 30.0f, 90.0f}) {
        pods.emplace_back(Vec2{kMid, 70.0f} + direction(degrees) * 24.0f, 7.5f);
    }
    for (const Circle& pod : pods) {
        parts.push_back(&pod);
    }
    const Union silhouette(parts);
    drawHalo(cell, silhouette, kHalo, 8.0f, 0.22f);
    for (const Circle& pod : pods) {
        drawPlate(cell, pod, darkIron(3.0f), kOutline);
    }
    drawExhaust(cell, {kMid, 100.0f}, 6.0f, frame == 0 ? 12.0f : 8.0f, kSodium, 0.8f);
    drawPlate(cell, arms, iron(3.0f), kOutline);
    drawPlate(cell, hub, iron(8.0f), kOutline, 2.0f);
    // Hazard-yellow cowl and a crimson sensor eye.
    fillInside(cell, Arc({kMid, 70.0f}, 14.0f, 5.0f, 200.0f, 340.0f), hub,
               metalPaint(hub, painted(kHazard, 3.0f)));
    fill(cell, Circle({kMid, 74.0f}, 6.5f), kOutline);
    drawLamp(cell, {kMid, 74.0f}, 3.4f, kCrimson);
    // The torch: a white-hot point, its flare and a spray of sparks.
    const Vec2 torch{kMid, 28.0f};
    const float flare = frame == 0 ? 1.0f : 0.65f;
    glow(cell, Circle(torch, 3.0f), kSodium, 22.0f * flare, 0.8f);
    drawSparkle(cell, torch, 16.0f * flare, Colour::hex(0xfff0c8), frame == 0 ? 0.0f : 30.0f);
    fill(cell, Circle(torch, 3.2f), palette::white, Blend::Add);
    Strokes sparks(1.2f);
    for (int i = 0; i < 7; ++i) {
        const Vec2 from = torch + direction(random.range(-170.0f, -10.0f)) * random.range(5.0f, 8.0f);
        const Vec2 to = from + normalized(from - torch) * random.range(5.0f, 12.0f) * flare;
        sparks.addSegment(from, to);
    }
    fill(cell, sparks, Colour::hex(0xffd890, 0.9f), Blend::Add);
}

// A length of lattice girder along x from `x0` to `x1`, its chords at `top` and `bottom`.
void drawGirder(Canvas& canvas, float x0, float x1, float top, float bottom) {
    Strokes chords(5.0f);
    chords.addSegment({x0, top}, {x1, top});
    chords.addSegment({x0, bottom}, {x1, bottom});
    Strokes bracing(3.0f);
    const float bay = bottom - top;
    for (float x = x0; x + bay <= x1 + 0.5f; x += bay) {
        bracing.addSegment({x, bottom}, {x + bay * 0.5f, top});
        bracing.addSegment({x + bay * 0.5f, top}, {x + bay, bottom});
    }
    fill(canvas, Grown(bracing, 1.2f), kOutline);
    fill(canvas, bracing, metalPaint(bracing, darkIron(1.5f)));
    fill(canvas, Grown(chords, 1.2f), kOutline);
    fill(canvas, chords, metalPaint(chords, iron(2.0f)));
}

// The dock turret's base: a heavy clamp bolted round a girder, the turret ring in its middle.
void paintDockTurretBase(Canvas& cell) {
    drawGirder(cell, 4.0f, 124.0f, 46.0f, 82.0f);
    const RoundedRect clamp({34, 28, 94, 100}, 8.0f);
    drawHalo(cell, clamp, kHalo, 7.0f, 0.18f);
    drawPlate(cell, clamp, iron(8.0f), kOutline, 2.0f);
    Strokes hazard(4.0f);
    for (float x = 28.0f; x < 100.0f; x += 9.0f) {
        hazard.addSegment({x, 38}, {x + 9.0f, 28});
        hazard.addSegment({x, 100}, {x + 9.0f, 90});
    }
    const RoundedRect bands({34, 28, 94, 38}, 0.0f);
    const RoundedRect lowerBands({34, 90, 94, 100}, 0.0f);
    fillInside(cell, hazard, Intersection(clamp, Union({&bands, &lowerBands})),
               metalPaint(clamp, painted(kHazard, 2.0f)));
    for (const Vec2 at : {Vec2{40, 44}, Vec2{88, 44}, Vec2{40, 84}, Vec2{88, 84}}) {
        const Circle bolt(at, 2.6f);
        fill(cell, Grown(bolt, 1.0f), kOutline);
        fill(cell, bolt, metalPaint(bolt, iron(2.0f)));
    }
    fill(cell, Circle({kMid, kMid}, 19.0f), Colour::hex(0x0c0806));
    stroke(cell, Circle({kMid, kMid}, 19.0f), 2.0f, Colour::hex(0x8a7464));
    drawLamp(cell, {30.0f, 32.0f}, 2.0f, kSodium);
    drawLamp(cell, {98.0f, 32.0f}, 2.0f, kSodium);
}

// The dock turret's gun: one long barrel on a round housing, turning on the cell's centre.
void paintDockTurretBarrel(Canvas& cell) {
    const RoundedRect barrel({59, 6, 69, 56}, 2.5f);
    const RoundedRect brake({56, 6, 72, 16}, 2.5f);
    const Circle housing({kMid, kMid}, 21.0f);
    const Union silhouette({&barrel, &brake, &housing});
    drawHalo(cell, silhouette, kHalo, 6.0f, 0.22f);
    drawPlate(cell, barrel, darkIron(3.0f), kOutline);
    drawSeams(cell, seamLines(1.0f, {{{59, 30}, {69, 30}}, {{59, 40}, {69, 40}}}), barrel, kSeam);
    drawPlate(cell, brake, iron(3.0f), kOutline, 1.2f);
    fill(cell, RoundedRect({61, 6.5f, 67, 9.5f}, 1.0f), kOutline);
    drawPlate(cell, housing, iron(9.0f), kOutline, 2.0f);
    fillInside(cell, seamLines(4.0f, {{{44, 76}, {84, 76}}}), housing, kHazard);
    drawSeams(cell, seamLines(1.2f, {{{50, 50}, {78, 50}}}), housing, kSeam);
    fill(cell, RoundedRect({56, 58, 72, 66}, 3.0f), kOutline);
    drawLamp(cell, {kMid, 62.0f}, 3.0f, kCrimson);
}

// The hauler over its 2 x 1 block (256 x 128): a blunt tug ahead, a cut section of a warship's
// hull behind it on two tow cables.
void paintHauler(Canvas& canvas) {
    constexpr float c = 128.0f;
    const RoundedRect tug({c - 22, 8, c + 22, 50}, 9.0f);
    const Polygon section(mirrored(
        {{c, 62}, {c + 70, 64}, {c + 104, 72}, {c + 114, 88}, {c + 108, 112}, {c + 60, 118}, {c, 116}}, c));
    const Union silhouette({&tug, &section});
    for (float side : {-1.0f, 1.0f}) {
        drawExhaust(canvas, {c + side * 28.0f, 40.0f}, 8.0f, 14.0f, kSodium, 0.9f);
    }
    drawHalo(canvas, silhouette, kHalo, 8.0f, 0.2f);
    // Tow cables from the tug's stern to the section's lugs.
    Strokes cables(2.2f);
    cables.addSegment({c - 12, 48}, {c - 60, 66});
    cables.addSegment({c + 12, 48}, {c + 60, 66});
    fill(canvas, Grown(cables, 1.0f), kOutline);
    fill(canvas, cables, Colour::hex(0x8a7464));
    // The section: rusted armour with primer patches and bare ribs along its cut edge.
    drawPlate(canvas, section, darkIron(6.0f), kOutline, 2.0f);
    fillMirroredPlates(canvas, {Rect{c + 8, 70, c + 40, 104}, Rect{c + 46, 72, c + 82, 106}}, c,
                       Grown(section, -4.0f), iron(3.0f));
    fillInside(canvas, RoundedRect({c - 100, 86, c - 72, 102}, 2.0f), section,
               metalPaint(section, painted(Colour::hex(0x8a3418), 3.0f)));
    fillInside(canvas, RoundedRect({c + 56, 74, c + 74, 86}, 2.0f), section,
               metalPaint(section, painted(Colour::hex(0x8a3418), 3.0f)));
    Strokes ribs(3.0f);
    for (float x = c - 96.0f; x <= c + 96.0f; x += 16.0f) {
        ribs.addSegment({x, 106}, {x, 117});
    }
    fillInside(canvas, Grown(ribs, 1.0f), section, kOutline);
    fillInside(canvas, ribs, section, metalPaint(section, iron(1.5f)));
    drawSeams(canvas,
              mirroredSeamLines(1.2f, {{{c + 4, 66}, {c + 4, 112}}, {{c + 44, 68}, {c + 44, 110}}}, c),
              section, kSeam);
    for (float side : {-1.0f, 1.0f}) {
        const Circle lug({c + side * 60.0f, 67.0f}, 4.0f);
        drawPlate(canvas, lug, painted(kHazard, 2.0f), kOutline, 1.2f);
        drawLamp(canvas, {c + side * 110.0f, 90.0f}, 1.8f, kCrimson);
    }
    // The tug: hazard-yellow bow, a dark cab and an amber beacon.
    drawPlate(canvas, tug, iron(8.0f), kOutline, 2.0f);
    const RoundedRect bow({c - 22, 8, c + 22, 20}, 0.0f);
    Strokes hazard(4.0f);
    for (float x = c - 28.0f; x < c + 24.0f; x += 9.0f) {
        hazard.addSegment({x, 20}, {x + 10.0f, 8});
    }
    fillInside(canvas, hazard, Intersection(tug, bow), metalPaint(tug, painted(kHazard, 2.0f)));
    drawCanopy(canvas, RoundedRect({c - 12, 24, c + 12, 32}, 3.0f), Colour::hex(0x8a4a1a),
               Colour::hex(0xffe0b0));
    drawSeams(canvas, seamLines(1.2f, {{{c - 18, 38}, {c + 18, 38}}}), tug, kSeam);
    drawLamp(canvas, {c, 43.0f}, 2.6f, kAmber);
}

// The cutter pod: a squat wedge behind a large lens that focuses the yard's cutting laser.
void paintCutterPod(Canvas& cell) {
    const Polygon body(mirrored({{64, 30}, {80, 34}, {92, 58}, {90, 86}, {78, 100}, {64, 102}}, kMid));
    const Polygon fins(mirrored({{86, 60}, {108, 78}, {106, 94}, {86, 88}}, kMid));
    const Union silhouette({&body, &fins});
    for (float x : {56.0f, 72.0f}) {
        drawExhaust(cell, {x, 100.0f}, 7.0f, 14.0f, kSodium, 0.9f);
    }
    drawHalo(cell, silhouette, kHalo, 8.0f, 0.22f);
    drawPlate(cell, fins, darkIron(3.0f), kOutline);
    fillInside(cell, mirroredSeamLines(3.0f, {{{92, 68}, {104, 80}}}), fins, kHazard);
    drawPlate(cell, body, iron(8.0f), kOutline, 2.0f);
    // Cooling fins along the spine, each edged by the lens's heat.
    Strokes coolers(2.0f);
    for (float y = 62.0f; y < 94.0f; y += 6.0f) {
        coolers.addSegment({54, y}, {74, y});
    }
    fillInside(cell, coolers, body, Colour::hex(0x1a100b));
    glow(cell, Intersection(coolers, body), kEmber, 3.0f, 0.25f);
    // The lens: a ring mount round glass that glows white-hot orange.
    const Vec2 lens{kMid, 44.0f};
    fill(cell, Circle(lens, 15.0f), kOutline);
    fill(cell, Circle(lens, 13.0f), metalPaint(Circle(lens, 13.0f), darkIron(3.0f)));
    glow(cell, Circle(lens, 8.0f), kEmber, 16.0f, 0.7f);
    fill(cell, Circle(lens, 8.5f),
         radialGradient(lens + Vec2{-2.0f, -2.0f}, 10.0f,
                        {{0.0f, palette::white},
                         {0.35f, Colour::hex(0xffe0a0)},
                         {0.8f, Colour::hex(0xff7a20)},
                         {1.0f, Colour::hex(0xa02a08)}}));
    drawLamp(cell, {56.0f, 96.0f}, 1.5f, kCrimson);
    drawLamp(cell, {72.0f, 96.0f}, 1.5f, kCrimson);
}

namespace n {
constexpr int kLargeRock = 0;  // 0, 1
constexpr int kShard = 2;
constexpr int kDrone = 3;  // 3, 4
constexpr int kDroneDamaged = 5;
constexpr int kTurretBase = 6;
constexpr int kTurretBarrel = 7;
constexpr int kTurretBaseDamaged = 8;
constexpr int kCutterPod = 13;
}  // namespace n

void paintEnemyCell(Canvas& cell, int index, Random& random) {
    switch (index) {
        case n::kLargeRock:
        case n::kLargeRock + 1:
            paintLargeRock(cell, random, index - n::kLargeRock);
            break;
        case n::kShard:
            paintRockShard(cell, random);
            break;
        case n::kDrone:
        case n::kDrone + 1:
            paintWeldingDrone(cell, random, index - n::kDrone);
            break;
        case n::kDroneDamaged:
            paintWeldingDrone(cell, random, 1);
            drawDamage(cell, random, {46, 52, 82, 88}, 3, {{80, 56}, {44, 62}});
            break;
        case n::kTurretBase:
            paintDockTurretBase(cell);
            break;
        case n::kTurretBarrel:
            paintDockTurretBarrel(cell);
            break;
        case n::kTurretBaseDamaged:
            paintDockTurretBase(cell);
            drawDamage(cell, random, {36, 30, 92, 98}, 6, {{36, 30}, {94, 96}});
            break;
        case n::kCutterPod:
            paintCutterPod(cell);
            break;
        default:
            return;  // the hauler's cells, painted as one piece
    }
    clearMargin(cell, 2.0f);
}

}  // namespace

void paintStageTwoEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random) {
    grid.paintFrames(atlas, enemy_frame::kStageTwoFirst, enemy_frame::kStageTwoCount,
                     [&random](Canvas& cell, int index) { paintEnemyCell(cell, index, random); });
    // The hauler and its damaged state each span two cells side by side.
    for (const bool damaged : {false, true}) {
        Canvas hauler(grid.cellWidth() * 2, grid.cellHeight());
        paintHauler(hauler);
        if (damaged) {
            drawDamage(hauler, random, {40, 64, 216, 112}, 8, {{22, 84}, {230, 100}, {150, 14}});
        }
        clearMargin(hauler, 2.0f);
        const PixelRect corner = grid.frame(damaged ? enemy_frame::kHaulerDamaged : enemy_frame::kHauler);
        atlas.copyFrom(hauler, corner.left, corner.top);
    }
}

void paintStageTwoBullet(Canvas& cell, int index) {
    const BulletHue shards[] = {kOrange, kRed, kYellow, kMagenta};
    const BulletHue rivets[] = {kOrange, kRed, kYellow, kGreen};
    const BulletHue slag[] = {kOrange, kRed, kMagenta, kYellow};
    const BulletHue sparks[] = {kYellow, kOrange, kRed, kLime};
    if (index < 4) {
        paintShard(cell, shards[index]);
    } else if (index < 8) {
        paintRivet(cell, rivets[index - 4]);
    } else if (index < 12) {
        paintSlag(cell, slag[index - 8]);
    } else if (index < 16) {
        paintSpark(cell, sparks[index - 12]);
    } else if (index < 18) {
        paintCuttingBeam(cell, index == 17);
    } else {
        return;
    }
    fadeBorders(cell, 3.0f);
}

}  // namespace artgen
