// The second stage's bosses. Each hull is one row of 256 x 256 frames, frame 0 whole and the
// next ones more broken (the boss steps through them by its damage phases, and shows the
// fourth, the most broken, as it dies). The game turns a boss's sprites half round to face
// down the screen (the first stage's bosses are drawn nose up for it), so these are painted as the player
// sees them, business end at the bottom, and turned half round at the end: the descriptions below are as seen
// in the game.
//
//   boss_gantry.png            the mid-boss "Gantry Halberd": a walking dock crane on a length
//                              of girder, its cab between two bogies, two clamp arms reaching
//                              down and the halberd, a hooked jib, between them.
//                              Frames: 0 whole, 1 scorched, window shattered, 2 clamp arms torn
//                              off at the elbow, 3 the cab torn open and burning.
//   boss_forgemother.png       the boss "Forge Mother": a foundry ship, a broad hull with
//                              smokestacks, rows of slag vents, shoulder mounts for its crucible
//                              arms and a furnace mouth glowing at the front.
//                              Frames: 0 whole, 1 plates broken, 2 furnace open and burning,
//                              3 split from the furnace to the stacks.
//   boss_forgemother_arm.png   256 x 256: one crucible arm (a module): the shoulder joint at the
//                              top, the arm down to a crucible brimming with molten metal.

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/StageTwoKit.h"

namespace artgen {

namespace {

using namespace yard;

const CrackColours kCracks{kSoot, kEmber, Colour::hex(0xffc070)};  // fractured hot metal

constexpr float kCentre = 128.0f;  // the centre line of a 256-pixel frame

// Turns a painted frame half round (the game turns it back).
void turnHalfRound(Canvas& canvas) {
    std::vector<Pixel>& pixels = canvas.pixels();
    std::reverse(pixels.begin(), pixels.end());
}

AtlasGrid hullRow(const Canvas& canvas) {
    return AtlasGrid(canvas.width(), canvas.height(), 4, 1);
}

// Diagonal hazard stripes across `area`, kept inside `within`.
void drawHazardBand(Canvas& canvas, const Rect& area, const Shape& within) {
    Strokes stripes(area.height() * 0.35f);
    for (float x = area.x0 - area.height(); x < area.x1 + area.height(); x += area.height() * 0.8f) {
        stripes.addSegment({x, area.y1}, {x + area.height(), area.y0});
    }
    const RoundedRect band(area, 0.0f);
    fill(canvas, Intersection(band, within), Colour::hex(0x171009));
    fillInside(canvas, Intersection(stripes, band), within, metalPaint(band, painted(kHazard, 2.0f)));
}

// Bolt heads along a line.
void drawBolts(Canvas& canvas, Vec2 from, Vec2 to, int count) {
    for (int i = 0; i < count; ++i) {
        const Vec2 at =
            lerp(from, to, count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.0f);
        const Circle bolt(at, 2.4f);
        fill(canvas, Grown(bolt, 1.0f), kOutline);
        fill(canvas, bolt, metalPaint(bolt, iron(2.0f)));
    }
}

// A length of lattice girder along x, its chords at `top` and `bottom`.
void drawRail(Canvas& canvas, float x0, float x1, float top, float bottom) {
    Strokes chords(7.0f);
    chords.addSegment({x0, top}, {x1, top});
    chords.addSegment({x0, bottom}, {x1, bottom});
    Strokes bracing(4.0f);
    const float bay = bottom - top;
    for (float x = x0; x < x1; x += bay) {
        bracing.addSegment({x, bottom}, {x + bay * 0.5f, top});
        bracing.addSegment({x + bay * 0.5f, top}, {x + bay, bottom});
    }
    fill(canvas, Grown(bracing, 1.5f), kOutline);
    fill(canvas, bracing, metalPaint(bracing, darkIron(2.0f)));
    fill(canvas, Grown(chords, 1.5f), kOutline);
    fill(canvas, chords, metalPaint(chords, iron(3.0f)));
}
// ---- Gantry Halberd ----

// One clamp arm from its shoulder on a bogie: an upper arm, a forearm and a two-jawed clamp.
// `torn` leaves only the upper arm, its end ripped and sparking.
void drawClampArm(Canvas& canvas, float side, bool torn) {
    const Vec2 shoulder{kCentre + side * 78.0f, 112.0f};
    const Vec2 elbow{kCentre + side * 96.0f, 170.0f};
    const Vec2 wrist{kCentre + side * 58.0f, 214.0f};
    Strokes upper(14.0f);
    upper.addSegment(shoulder, elbow);
    drawPlate(canvas, upper, iron(5.0f), kOutline, 2.0f);
    fillInside(canvas, seamLines(5.0f, {{lerp(shoulder, elbow, 0.35f), lerp(shoulder, elbow, 0.6f)}}), upper,
               kHazard);
    if (torn) {
        // Ripped cables and a stump glowing where the forearm was.
        Strokes cables(1.6f);
        cables.addPolyline({elbow, elbow + Vec2{side * 6.0f, 10.0f}, elbow + Vec2{side * 2.0f, 18.0f}});
        cables.addPolyline({elbow, elbow + Vec2{-side * 5.0f, 12.0f}});
        fill(canvas, cables, Colour::hex(0x2a1a12));
        glow(canvas, Circle(elbow, 6.0f), kEmber, 16.0f, 0.8f);
        fill(canvas, Circle(elbow, 5.0f), Colour::hex(0xffd090), Blend::Add);
        drawSparkle(canvas, elbow + Vec2{side * 4.0f, 8.0f}, 10.0f, Colour::hex(0xffe0a0), 20.0f);
        return;
    }
    Strokes forearm(11.0f);
    forearm.addSegment(elbow, wrist);
    drawPlate(canvas, forearm, iron(4.0f), kOutline, 2.0f);
    const Circle joint(elbow, 10.0f);
    drawPlate(canvas, joint, darkIron(4.0f), kOutline, 2.0f);
    drawLamp(canvas, elbow, 2.4f, kSodium);
    // The clamp: two hooked jaws opening towards the centre line.
    for (float jaw : {-1.0f, 1.0f}) {
        Strokes hook(6.0f);
        hook.addPolyline({wrist, wrist + Vec2{-side * 10.0f, 8.0f + jaw * 8.0f},
                          wrist + Vec2{-side * 22.0f, 6.0f + jaw * 12.0f},
                          wrist + Vec2{-side * 26.0f, 2.0f + jaw * 6.0f}});
        drawPlate(canvas, hook, darkIron(2.5f), kOutline, 1.5f);
    }
    drawPlate(canvas, Circle(wrist, 8.0f), painted(kHazard, 3.0f), kOutline, 1.5f);
}

void paintGantry(Canvas& canvas, Random& random, int damage) {
    const float c = kCentre;
    // The girder it rides runs the frame's width behind everything.
    drawRail(canvas, 6.0f, 250.0f, 74.0f, 100.0f);
    const RoundedRect leftBogie({c - 104, 54, c - 60, 122}, 8.0f);
    const RoundedRect rightBogie({c + 60, 54, c + 104, 122}, 8.0f);
    const RoundedRect bridge({c - 84, 62, c + 84, 94}, 6.0f);
    const Polygon cab(
        mirrored({{c, 44}, {c + 34, 48}, {c + 46, 70}, {c + 44, 150}, {c + 26, 176}, {c, 180}}, c));
    const Polygon jib(mirrored({{c, 150}, {c + 9, 156}, {c + 8, 218}, {c, 226}}, c));
    const Union silhouette({&leftBogie, &rightBogie, &bridge, &cab, &jib});
    drawHalo(canvas, silhouette, kHalo, 16.0f, 0.4f);
    for (float side : {-1.0f, 1.0f}) {
        drawClampArm(canvas, side, damage >= 2);
    }
    // The halberd: a hooked blade at the end of the jib, its edge heated.
    drawPlate(canvas, jib, iron(4.0f), kOutline, 2.0f);
    const Polygon blade({{c - 4, 214},
                         {c + 22, 222},
                         {c + 26, 236},
                         {c + 8, 232},
                         {c - 2, 246},
                         {c - 20, 232},
                         {c - 14, 220}});
    glow(canvas, blade, kEmber, 8.0f, 0.35f);
    drawPlate(canvas, blade, darkIron(3.0f), kOutline, 1.8f);
    Strokes edge(2.0f);
    edge.addPolyline({{c + 24, 234}, {c + 8, 231}, {c - 2, 244}, {c - 18, 232}});
    fill(canvas, edge, Colour::hex(0xffb060, 0.9f), Blend::Add);
    // The bridge and the bogies clamped on the girder.
    drawPlate(canvas, bridge, darkIron(5.0f), kOutline, 2.0f);
    drawBolts(canvas, {c - 78, 70}, {c + 78, 70}, 13);
    for (const RoundedRect* bogie : {&leftBogie, &rightBogie}) {
        drawPlate(canvas, *bogie, iron(7.0f), kOutline, 2.0f);
        const Rect box = bogie->bounds();
        drawHazardBand(canvas, {box.x0, box.y0, box.x1, box.y0 + 12.0f}, *bogie);
        for (float y : {78.0f, 96.0f}) {
            const RoundedRect wheel({box.x0 + 8.0f, y - 5.0f, box.x1 - 8.0f, y + 5.0f}, 4.0f);
            drawPlate(canvas, wheel, darkIron(2.0f), kOutline, 1.2f);
        }
        drawLamp(canvas, {box.centre().x, 112.0f}, 3.0f, kSodium);
    }
    // The cab: armour with a hazard brow and a wide window of crimson glass looking down.
    drawPlate(canvas, cab, iron(10.0f), kOutline, 2.5f);
    drawHazardBand(canvas, {c - 46, 50, c + 46, 62}, cab);
    fillMirroredPlates(canvas, {Rect{c + 10, 70, c + 36, 104}, Rect{c + 8, 110, c + 34, 140}}, c,
                       Grown(cab, -4.0f), darkIron(3.0f));
    drawSeams(canvas,
              mirroredSeamLines(1.5f, {{{c + 4, 66}, {c + 4, 170}}, {{c + 20, 146}, {c + 36, 146}}}, c), cab,
              kSeam);
    const RoundedRect window({c - 26, 150, c + 26, 162}, 4.0f);
    glow(canvas, window, kCrimson, 12.0f, 0.7f);
    fill(canvas, Grown(window, 1.5f), kOutline);
    fill(canvas, window,
         linearGradient({c, 150}, {c, 162},
                        {{0.0f, Colour::hex(0xffb0a0)}, {0.5f, kCrimson}, {1.0f, Colour::hex(0x6a0a10)}}));
    drawLamp(canvas, {c, 36.0f}, 4.0f, kAmber);
    if (damage >= 1) {
        drawDamage(canvas, random, {c - 60, 50, c + 60, 180}, 6 + damage * 3, {{c - 100, 60}, {c + 44, 120}});
        // The cab's window shattered, its glass hanging in shards, and sparks off a bogie.
        Strokes shatter(1.6f);
        shatter.addPolyline({{c - 20, 150}, {c - 8, 157}, {c + 2, 152}, {c + 14, 162}});
        shatter.addPolyline({{c - 8, 157}, {c - 12, 162}});
        fill(canvas, shatter, kOutline);
        drawHotCracks(canvas, random, {c - 40, 70, c + 40, 140}, 2, cab, kCracks);
        drawSparkle(canvas, {c + 84, 100}, 11.0f, Colour::hex(0xffe0a0), 15.0f);
        drawSparkle(canvas, {c - 30, 168}, 9.0f, Colour::hex(0xffe0a0), 40.0f);
    }
    if (damage >= 2) {
        drawDamage(canvas, random, {c - 100, 60, c + 100, 120}, 5, {{c + 104, 110}, {c - 40, 48}});
    }
    if (damage >= 3) {
        // The cab torn open along its seam, its engine burning through; the bridge buckled.
        Strokes tear(5.0f);
        tear.addPolyline({{c + 2, 52}, {c - 6, 80}, {c + 5, 104}, {c - 4, 128}, {c + 3, 150}});
        fillInside(canvas, Grown(tear, 2.0f), cab, kSoot);
        glow(canvas, Intersection(tear, cab), kEmber, 14.0f, 0.8f);
        fillInside(canvas, tear, cab, Colour::hex(0xffb060, 0.85f), Blend::Add);
        drawHotCracks(canvas, random, {c - 96, 56, c + 96, 176}, 6, silhouette, kCracks);
        drawDamage(canvas, random, {c - 100, 50, c + 100, 180}, 6, {{c - 84, 94}, {c + 30, 176}});
        drawSparkle(canvas, {c + 40, 60}, 12.0f, Colour::hex(0xffe0a0), 30.0f);
    }
    clearMargin(canvas, 3.0f);
}

// ---- Forge Mother ----

// The foundry ship's hull. `damage` 1 breaks plates off (the glowing interior shows through),
// 2 throws the furnace open: flames pour from it and from every vent.
void paintForgeMother(Canvas& canvas, Random& random, int damage) {
    const float c = kCentre;
    const Polygon hull(mirrored({{c, 26},
                                 {c + 46, 30},
                                 {c + 84, 48},
                                 {c + 112, 90},
                                 {c + 118, 140},
                                 {c + 104, 184},
                                 {c + 70, 214},
                                 {c + 40, 232},
                                 {c, 236}},
                                c));
    const Polygon prow(mirrored({{c, 150}, {c + 54, 158}, {c + 62, 196}, {c + 38, 226}, {c, 232}}, c));
    const RoundedRect leftStack({c - 60, 10, c - 36, 56}, 6.0f);
    const RoundedRect rightStack({c + 36, 10, c + 60, 56}, 6.0f);
    const Union silhouette({&hull, &leftStack, &rightStack});
    drawHalo(canvas, silhouette, damage >= 2 ? kEmber : kHalo, 18.0f, damage >= 2 ? 0.55f : 0.4f);
    // Smokestacks, hot at their mouths.
    for (const RoundedRect* stack : {&leftStack, &rightStack}) {
        drawPlate(canvas, *stack, darkIron(5.0f), kOutline, 2.0f);
        const Vec2 mouth{stack->bounds().centre().x, 20.0f};
        fill(canvas, Ellipse(mouth, 8.0f, 5.0f), kSoot);
        glow(canvas, Ellipse(mouth, 6.0f, 3.5f), kEmber, 10.0f, damage >= 2 ? 0.9f : 0.55f);
        fill(canvas, Ellipse(mouth, 5.0f, 2.5f), Colour::hex(0xffc070), Blend::Add);
    }
    drawPlate(canvas, hull, iron(12.0f), kOutline, 3.0f);
    // Armour plates over the shoulders and the back; broken ones show the glowing interior.
    const Rect plates[] = {Rect{c + 24, 44, c + 70, 84}, Rect{c + 74, 70, c + 104, 124},
                           Rect{c + 20, 92, c + 60, 138}, Rect{c + 72, 132, c + 102, 176}};
    int index = 0;
    for (const Rect& plate : plates) {
        for (const float side : {-1.0f, 1.0f}) {
            const Rect placed =
                side > 0.0f ? plate : Rect{2.0f * c - plate.x1, plate.y0, 2.0f * c - plate.x0, plate.y1};
            const RoundedRect shape(placed, 4.0f);
            const bool broken = damage >= 1 && (index % 3 == 1);
            ++index;
            if (broken) {
                fillInside(canvas, shape, hull, Colour::hex(0x1a0a04));
                glow(canvas, Grown(shape, -6.0f), kEmber, 10.0f, 0.6f);
                Strokes girders(2.5f);
                girders.addSegment({placed.x0, placed.y0 + 6.0f}, {placed.x1, placed.y1 - 6.0f});
                girders.addSegment({placed.x0, placed.centre().y}, {placed.x1, placed.centre().y});
                fillInside(canvas, girders, shape, metalPaint(girders, darkIron(1.5f)));
                continue;
            }
            drawPlate(canvas, Intersection(shape, Grown(hull, -3.0f)), darkIron(4.0f), kOutline, 1.5f);
        }
    }
    // Rows of slag vents along both flanks, glowing, each with a drip of slag below it.
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 4; ++i) {
            const Vec2 at{c + side * (40.0f + 14.0f * static_cast<float>(i)),
                          174.0f - 10.0f * static_cast<float>(i)};
            const RoundedRect vent(Rect::around(at, 5.0f, 2.2f), 2.0f);
            fill(canvas, Grown(vent, 1.5f), kSoot);
            glow(canvas, vent, kEmber, damage >= 2 ? 12.0f : 6.0f, 0.7f);
            fill(canvas, vent, Colour::hex(0xffb050));
            fill(canvas, Ellipse(at + Vec2{0.0f, 5.0f}, 1.4f, 3.0f), Colour::hex(0xff7a20, 0.8f), Blend::Add);
        }
    }
    // Shoulder mounts where the crucible arms sit.
    for (float side : {-1.0f, 1.0f}) {
        const Vec2 at{c + side * 98.0f, 104.0f};
        fill(canvas, Circle(at, 17.0f), kOutline);
        fill(canvas, Circle(at, 15.0f), metalPaint(Circle(at, 15.0f), darkIron(5.0f)));
        stroke(canvas, Circle(at, 11.0f), 2.0f, Colour::hex(0x8a7464));
        drawLamp(canvas, at, 3.0f, kSodium);
    }
    // The prow round the furnace, a hazard brow over the mouth and the bridge's eye slit.
    drawPlate(canvas, prow, iron(8.0f), kOutline, 2.0f);
    drawHazardBand(canvas, {c - 56, 154, c + 56, 166}, prow);
    const RoundedRect eye({c - 18, 60, c + 18, 68}, 3.0f);
    glow(canvas, eye, kCrimson, 10.0f, 0.7f);
    fill(canvas, Grown(eye, 1.5f), kOutline);
    fill(canvas, eye, kCrimson);
    fill(canvas, RoundedRect({c - 14, 62, c + 14, 64}, 1.0f), Colour::hex(0xffd0c0), Blend::Add);
    drawSeams(canvas,
              mirroredSeamLines(1.6f, {{{c + 6, 76}, {c + 6, 146}}, {{c + 30, 146}, {c + 100, 150}}}, c),
              hull, kSeam);
    // The furnace mouth: an arch of white-hot metal behind grate bars, wide open when burning.
    const float open = damage >= 2 ? 1.3f : 1.0f;
    const Ellipse mouth({c, 196.0f}, 30.0f * open, 22.0f * open);
    fill(canvas, Grown(mouth, 4.0f), kOutline);
    glow(canvas, mouth, kEmber, 20.0f * open, 0.8f);
    fill(canvas, mouth,
         radialGradient({c, 192.0f}, 30.0f * open,
                        {{0.0f, palette::white},
                         {0.3f, Colour::hex(0xffe0a0)},
                         {0.7f, Colour::hex(0xff8a20)},
                         {1.0f, Colour::hex(0xa02a06)}}));
    if (damage < 2) {
        Strokes grate(4.0f);
        for (float x = c - 24.0f; x <= c + 24.0f; x += 12.0f) {
            grate.addSegment({x, 176.0f}, {x, 216.0f});
        }
        fillInside(canvas, Grown(grate, 1.0f), mouth, kOutline);
        fillInside(canvas, grate, mouth, metalPaint(grate, darkIron(1.5f)));
    } else {
        // The grate is gone: tongues of flame lick out round the mouth and cracks glow across
        // the hull.
        for (int i = 0; i < 7; ++i) {
            const float degrees = 20.0f + 140.0f * static_cast<float>(i) / 6.0f;
            const Vec2 at = Vec2{c, 196.0f} + direction(degrees) * 30.0f;
            drawExhaust(canvas, at, 10.0f, random.range(14.0f, 24.0f), kEmber, 0.9f);
        }
        Strokes cracks(2.0f);
        for (int i = 0; i < 6; ++i) {
            std::vector<Vec2> path{{c + random.range(-90.0f, 90.0f), random.range(50.0f, 170.0f)}};
            float heading = random.range(0.0f, 360.0f);
            for (int step = 0; step < 4; ++step) {
                heading += random.range(-40.0f, 40.0f);
                path.push_back(path.back() + direction(heading) * random.range(6.0f, 12.0f));
            }
            cracks.addPolyline(path);
        }
        fillInside(canvas, Grown(cracks, 1.0f), hull, kSoot);
        glow(canvas, Intersection(cracks, hull), kEmber, 8.0f, 0.7f);
        fillInside(canvas, cracks, hull, Colour::hex(0xffc070), Blend::Add);
    }
    if (damage >= 1) {
        drawDamage(canvas, random, {c - 90, 40, c + 90, 150}, 5 + damage * 4,
                   {{c + 116, 140}, {c - 84, 48}, {c - 40, 232}});
    }
    if (damage >= 3) {
        // Breaking up: a stack torn off, the hull split from the furnace back to the stacks.
        drawHotCracks(canvas, random, {c - 100, 40, c + 100, 200}, 8, hull, kCracks);
        Strokes split(6.0f);
        split.addPolyline({{c, 172}, {c + 8, 140}, {c - 4, 110}, {c + 6, 80}, {c - 2, 40}});
        fillInside(canvas, Grown(split, 2.0f), hull, kSoot);
        glow(canvas, Intersection(split, hull), kEmber, 16.0f, 0.85f);
        fillInside(canvas, split, hull, Colour::hex(0xffc070, 0.9f), Blend::Add);
        drawDamage(canvas, random, {c - 100, 40, c + 100, 200}, 6,
                   {{c + 48, 24}, {c - 110, 120}, {c + 90, 190}});
        drawExhaust(canvas, {c + 48.0f, 30.0f}, 12.0f, 22.0f, kEmber, 0.8f);
    }
    clearMargin(canvas, 3.0f);
}

}  // namespace

void paintBossGantry(Canvas& canvas, Random& random) {
    hullRow(canvas).paintFrames(canvas, 4, [&random](Canvas& frame, int damage) {
        paintGantry(frame, random, damage);
        turnHalfRound(frame);
    });
}

void paintBossForgeMother(Canvas& canvas, Random& random) {
    hullRow(canvas).paintFrames(canvas, 4, [&random](Canvas& frame, int damage) {
        paintForgeMother(frame, random, damage);
        turnHalfRound(frame);
    });
}

void paintBossForgeMotherArm(Canvas& canvas, Random& /*random*/) {
    const float c = kCentre;
    const Circle shoulder({c, 34.0f}, 20.0f);
    const Vec2 elbow{c + 22.0f, 110.0f};
    Strokes upper(22.0f);
    upper.addSegment({c, 34.0f}, elbow);
    Strokes lower(18.0f);
    lower.addSegment(elbow, {c, 170.0f});
    const Polygon crucible(mirrored({{c, 160}, {c + 46, 162}, {c + 40, 218}, {c + 24, 236}, {c, 238}}, c));
    const Union silhouette({&shoulder, &upper, &lower, &crucible});
    drawHalo(canvas, silhouette, kHalo, 14.0f, 0.35f);
    drawPlate(canvas, upper, iron(6.0f), kOutline, 2.0f);
    fillInside(canvas, seamLines(6.0f, {{{c + 6, 60}, {c + 14, 84}}}), upper, kHazard);
    drawPlate(canvas, lower, iron(5.0f), kOutline, 2.0f);
    drawPlate(canvas, shoulder, darkIron(7.0f), kOutline, 2.0f);
    drawLamp(canvas, {c, 34.0f}, 4.0f, kSodium);
    drawPlate(canvas, Circle(elbow, 13.0f), darkIron(5.0f), kOutline, 2.0f);
    drawBolts(canvas, elbow + Vec2{-6, 0}, elbow + Vec2{6, 0}, 2);
    // The crucible: a heavy bucket, its lip brimming with molten metal and a drip at its spout.
    drawPlate(canvas, crucible, darkIron(9.0f), kOutline, 2.5f);
    drawHazardBand(canvas, {c - 44, 196, c + 44, 206}, crucible);
    const Ellipse melt({c, 168.0f}, 38.0f, 9.0f);
    fill(canvas, Grown(melt, 3.0f), kOutline);
    glow(canvas, melt, kEmber, 16.0f, 0.8f);
    fill(canvas, melt,
         radialGradient(
             {c - 6.0f, 166.0f}, 38.0f,
             {{0.0f, palette::white}, {0.35f, Colour::hex(0xffd080)}, {1.0f, Colour::hex(0xff6a10)}}));
    drawExhaust(canvas, {c + 40.0f, 172.0f}, 6.0f, 20.0f, kEmber, 0.9f);
    clearMargin(canvas, 3.0f);
    turnHalfRound(canvas);
}

}  // namespace artgen
