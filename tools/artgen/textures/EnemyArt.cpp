// The enemy atlas, enemies.png: 1024 x 1024, 8 x 8 cells of 128 x 128. Everything is drawn
// nose-up (the engine turns a sprite by its heading, 0 degrees being up); modules pivot on
// their cell's centre. Hostile craft are dark metal with crimson, magenta and orange light;
// the friendly escort is sage green with green light. Nothing here wears the player's white,
// teal and cyan: a ship in those colours is always the player's own.
//
//   frame  cell (col, row)  content
//    0, 1   (0-1, 0)         popcorn "dart": narrow arrowhead; engine flicker frames
//    2, 3   (2-3, 0)         popcorn "manta": wide horned wing, twin engines; flicker frames
//    4, 5   (4-5, 0)         popcorn "claw": two prongs round a glowing orange core; flicker
//    6, 7   (6-7, 0)         gunship: armoured hull with two gun pods; flicker frames
//    8-11   (0-3, 1)         damaged dart, manta, claw, gunship (scorched, torn, burning)
//   12, 13  (4-5, 1)         friendly escort: a sage delta with green light; flicker frames
//   14, 15  (6-7, 1)         obstacles: two asteroids
//   16      (0, 2)           tank hull (tracks, turret ring at the cell centre)
//   17      (1, 2)           tank turret: module over the hull, barrel up
//   18      (2, 2)           damaged tank hull
//   19      (3, 2)           wall turret base (armoured octagon)
//   20      (4, 2)           wall turret barrel: module over the base, twin barrels up
//   21      (5, 2)           damaged wall turret base
//   22      (6, 2)           obstacle: a torn hull section
//   24      (0-1, 3-4)       carrier hull, 256 x 256 over the 2 x 2 block of frames 24, 25,
//                            32, 33 ("unit width" and "unit height" 2). Sockets for its
//                            modules at (relative to its centre, in block pixels): core (0, -8),
//                            gun pods (+-68, 24), armour plates (+-44, -28)
//   26      (2, 3)           carrier gun pod: twin cannon turret, barrels up
//   27      (3, 3)           carrier armour plate
//   28      (4, 3)           carrier core: the glowing weak point
//   29      (5, 3)           damaged core (cracked, flaring)
//   30      (6, 3)           damaged gun pod
//   31      (7, 3)           damaged armour plate
//   23, 34 and up           empty

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "raster/Noise.h"
#include "raster/Svg.h"
#include "textures/CraftKit.h"
#include "textures/GameplayAtlases.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

constexpr float kMid = 64.0f;  // the centre line of a 128-pixel cell

const Colour kOutline = Colour::hex(0x06040a);
const Colour kSeam = Colour::hex(0x0b0810, 0.55f);
const Colour kCrimson = Colour::hex(0xff2a4a);
const Colour kHotRed = Colour::hex(0xff5a5a);
const Colour kOrange = Colour::hex(0xff8a2a);
const Colour kAmber = Colour::hex(0xffc860);
const Colour kHostileHalo = Colour::hex(0xff2a55);

// Gunmetal with a violet cast: the hostile hulls.
Metal hostileMetal(float bevel = 5.0f) {
    Metal metal;
    metal.lit = Colour::hex(0x9a8fae);
    metal.base = Colour::hex(0x4c435e);
    metal.shade = Colour::hex(0x17121f);
    metal.bevel = bevel;
    metal.sheen = 0.25f;
    metal.rim = Colour::hex(0xffb0c0);
    metal.rimStrength = 0.35f;
    return metal;
}

Metal darkMetal(float bevel = 4.0f) {
    Metal metal;
    metal.lit = Colour::hex(0x6a6078);
    metal.base = Colour::hex(0x2c2638);
    metal.shade = Colour::hex(0x0e0b14);
    metal.bevel = bevel;
    metal.sheen = 0.15f;
    return metal;
}

Metal paintedMetal(Colour base, float bevel = 4.0f) {
    Metal metal;
    metal.lit = mix(base, palette::white, 0.45f);
    metal.base = base;
    metal.shade = mix(base, palette::black, 0.75f);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = mix(base, palette::white, 0.7f);
    metal.rimStrength = 0.3f;
    return metal;
}

// Sage-grey metal: the friendly escort, neither the player's white nor the hostile violet.
Metal allyMetal(float bevel = 5.0f) {
    Metal metal;
    metal.lit = Colour::hex(0xd2dcb8);
    metal.base = Colour::hex(0x7e8c6a);
    metal.shade = Colour::hex(0x262e1e);
    metal.bevel = bevel;
    metal.sheen = 0.25f;
    metal.rim = Colour::hex(0xe0ffc8);
    metal.rimStrength = 0.35f;
    return metal;
}

// A red eye slit: glowing glass.
void drawEye(Canvas& canvas, const Shape& glass, Colour colour) {
    glow(canvas, glass, colour, 9.0f, 0.6f);
    fill(canvas, Grown(glass, 1.2f), kOutline);
    const Rect box = glass.bounds();
    fill(canvas, glass,
         linearGradient({box.x0, box.y0}, {box.x0, box.y1},
                        {{0.0f, mix(colour, palette::white, 0.6f)},
                         {0.6f, colour},
                         {1.0f, mix(colour, palette::black, 0.4f)}}));
    fill(canvas, Grown(glass, -std::min(box.width(), box.height()) * 0.3f), palette::white.withAlpha(0.7f),
         Blend::Add);
}

float flicker(int frame) {
    return frame == 0 ? 1.0f : 0.7f;
}

// ---- Popcorn fighters ----

// The dart is drawn from enemy_dart.svg: its two engine frames side by side, `frame` picks one.
void paintDart(Canvas& canvas, int frame) {
    Canvas frames(canvas.width() * 2, canvas.height());
    drawSvg("enemy_dart.svg", frames);
    canvas.composite(frames, -frame * canvas.width(), 0, Blend::Over);
}

void paintManta(Canvas& canvas, int frame) {
    const Polygon wing(mirrored({{64, 38},
                                 {70, 33},
                                 {75, 14},
                                 {81, 30},
                                 {98, 44},
                                 {117, 66},
                                 {110, 74},
                                 {94, 71},
                                 {82, 82},
                                 {72, 94},
                                 {64, 91}},
                                kMid));
    const Polygon hump(mirrored({{64, 36}, {70, 44}, {75, 62}, {74, 80}, {68, 90}, {64, 90}}, kMid));
    const float burn = flicker(frame);
    for (float x : {57.0f, 71.0f}) {
        drawExhaust(canvas, {x, 91.0f}, 8.0f, frame == 0 ? 22.0f : 15.0f, Colour::hex(0xff4ab0), burn);
    }
    drawHalo(canvas, wing, kHostileHalo, 8.0f, 0.22f);
    drawPlate(canvas, wing, hostileMetal(5.0f), kOutline);
    // Magenta trailing-edge panels and horn tips.
    const Polygon panels(mirrored({{84, 60}, {112, 68}, {108, 76}, {94, 72}, {84, 80}}, kMid));
    fillInside(canvas, panels, wing, metalPaint(wing, paintedMetal(Colour::hex(0xc42a9a))));
    const Polygon horns(mirrored({{72, 24}, {76, 10}, {82, 26}}, kMid));
    fillInside(canvas, horns, wing, metalPaint(wing, paintedMetal(kCrimson)));
    drawSeams(canvas, mirroredSeamLines(1.2f, {{{78, 44}, {96, 62}}, {{75, 52}, {84, 76}}}), wing, kSeam);
    drawPlate(canvas, hump, hostileMetal(9.0f), kOutline);
    drawSeams(canvas, seamLines(1.2f, {{{64, 62}, {64, 84}}}), hump, kSeam);
    drawEye(canvas, Polygon(mirrored({{64, 47}, {71, 52}, {64, 55}}, kMid)), Colour::hex(0xff3fd2));
    drawLamp(canvas, {112.0f, 70.0f}, 1.6f, Colour::hex(0xff3fd2), burn);
    drawLamp(canvas, {16.0f, 70.0f}, 1.6f, Colour::hex(0xff3fd2), burn);
}

// A tapering horn bent along an arc about `centre`, from its root at `fromDegrees` to its tip.
Polygon curvedHorn(Vec2 centre, float radius, float fromDegrees, float toDegrees, float rootWidth) {
    constexpr int kSteps = 14;
    std::vector<Vec2> outer;
    std::vector<Vec2> inner;
    for (int i = 0; i <= kSteps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(kSteps);
        const float half = rootWidth * 0.5f * std::pow(1.0f - t, 0.85f) + 0.4f;
        const Vec2 along = direction(lerp(fromDegrees, toDegrees, t));
        outer.push_back(centre + along * (radius + half));
        inner.push_back(centre + along * (radius - half));
    }
    outer.insert(outer.end(), inner.rbegin(), inner.rend());
    return Polygon(outer);
}

void paintClaw(Canvas& canvas, int frame) {
    // Two hooked horns reaching forward round a hot core.
    const Polygon rightHorn = curvedHorn({kMid, 62.0f}, 33.0f, 52.0f, -66.0f, 19.0f);
    const Polygon leftHorn = curvedHorn({kMid, 62.0f}, 33.0f, 128.0f, 246.0f, 19.0f);
    const Circle hub({kMid, 84.0f}, 16.0f);
    const Polygon keel(mirrored({{64, 90}, {74, 94}, {80, 110}, {70, 106}, {64, 110}}, kMid));
    const Union silhouette({&rightHorn, &leftHorn, &hub, &keel});
    const float burn = flicker(frame);
    const Vec2 core{kMid, 54.0f};

    drawExhaust(canvas, {kMid, 106.0f}, 9.0f, frame == 0 ? 15.0f : 10.0f, kOrange, 1.3f * burn);
    drawHalo(canvas, silhouette, kHostileHalo, 8.0f, 0.22f);
    // The core's light spills onto the inner faces of the horns.
    glow(canvas, Circle(core, 8.0f), kOrange, 34.0f, 0.55f * burn);
    drawPlate(canvas, keel, darkMetal(4.0f), kOutline);
    for (const Polygon* horn : {&rightHorn, &leftHorn}) {
        drawPlate(canvas, *horn, hostileMetal(6.0f), kOutline);
        const Circle tipZone({kMid, 26.0f}, 27.0f);
        fillInside(canvas, tipZone, *horn, metalPaint(*horn, paintedMetal(kOrange)));
    }
    drawSeams(canvas, mirroredSeamLines(1.2f, {{{92, 56}, {100, 56}}, {{88, 76}, {94, 82}}}), silhouette,
              kSeam);
    drawPlate(canvas, hub, hostileMetal(9.0f), kOutline);
    drawSeams(canvas, seamLines(1.2f, {{{50, 84}, {78, 84}}, {{64, 70}, {64, 98}}}), hub, kSeam);
    fill(canvas, Circle({kMid, 84.0f}, 6.0f), kOutline);
    drawLamp(canvas, {kMid, 84.0f}, 3.6f, kCrimson);
    // The core: a hot orange sphere held between the horns.
    const Circle sphere(core, 9.0f);
    glow(canvas, sphere, kAmber, 14.0f, 0.7f * burn);
    fill(canvas, Grown(sphere, 1.5f), Colour::hex(0x1a0804));
    fill(canvas, sphere,
         radialGradient(core + Vec2{-2.5f, -2.5f}, 11.0f,
                        {{0.0f, palette::white},
                         {0.35f, Colour::hex(0xffe2a0)},
                         {0.8f, kOrange},
                         {1.0f, Colour::hex(0xc03a10)}}));
}

void paintGunship(Canvas& canvas, int frame) {
    const Polygon hull(
        mirrored({{64, 6}, {72, 16}, {78, 34}, {80, 58}, {83, 86}, {79, 104}, {70, 110}, {64, 108}}, kMid));
    const Polygon wings(mirrored({{78, 46}, {98, 52}, {106, 78}, {100, 96}, {80, 92}}, kMid));
    const RoundedRect rightPod({92, 26, 104, 84}, 5.0f);
    const RoundedRect leftPod({24, 26, 36, 84}, 5.0f);
    const Union silhouette({&hull, &wings, &rightPod, &leftPod});
    const float burn = flicker(frame);

    for (float x : {57.0f, 71.0f}) {
        drawExhaust(canvas, {x, 107.0f}, 9.0f, frame == 0 ? 15.0f : 10.0f, kOrange, burn);
    }
    drawHalo(canvas, silhouette, kHostileHalo, 8.0f, 0.22f);
    drawPlate(canvas, wings, darkMetal(5.0f), kOutline);
    // Gun barrels ahead of the pods.
    for (float x : {98.0f, 30.0f}) {
        const RoundedRect barrel({x - 2.5f, 10, x + 2.5f, 30}, 1.5f);
        drawPlate(canvas, barrel, darkMetal(2.0f), kOutline, 1.2f);
        drawLamp(canvas, {x, 12.0f}, 1.6f, kHotRed, burn);
    }
    drawPlate(canvas, rightPod, hostileMetal(4.0f), kOutline);
    drawPlate(canvas, leftPod, hostileMetal(4.0f), kOutline);
    const Strokes podStripes = mirroredSeamLines(3.0f, {{{93, 70}, {104, 70}}, {{93, 76}, {104, 76}}});
    fillInside(canvas, podStripes, Union({&rightPod, &leftPod}), kCrimson);
    drawPlate(canvas, hull, hostileMetal(7.0f), kOutline);
    // A crimson chevron down the spine and seams on the armour.
    const Strokes chevrons = mirroredSeamLines(3.5f, {{{64, 56}, {76, 66}}, {{64, 66}, {78, 78}}});
    fillInside(canvas, chevrons, hull, metalPaint(hull, paintedMetal(kCrimson)));
    drawSeams(canvas,
              mirroredSeamLines(1.2f, {{{70, 40}, {76, 52}}, {{70, 90}, {78, 100}}, {{84, 60}, {100, 64}}}),
              silhouette, kSeam);
    drawEye(canvas, Ellipse({kMid, 28.0f}, 7.0f, 4.0f), kCrimson);
    drawLamp(canvas, {kMid, 90.0f}, 2.0f, kOrange, burn);
}

// ---- The friendly escort ----

void paintEscort(Canvas& canvas, int frame) {
    // A pure delta: one broad triangle with a raised spine and two fins, the fleet's chevron
    // on each wing.
    const Polygon wing(
        mirrored({{64, 16}, {72, 36}, {106, 94}, {104, 100}, {80, 98}, {72, 104}, {64, 102}}, kMid));
    const Polygon spine(mirrored({{64, 12}, {68, 24}, {70, 50}, {70, 96}, {64, 100}}, kMid));
    const Polygon rightFin({{82, 74}, {86, 74}, {88, 98}, {82, 98}});
    const Polygon leftFin({{46, 74}, {42, 74}, {40, 98}, {46, 98}});
    const Union silhouette({&wing, &spine});
    const float burn = flicker(frame);
    const Colour green = Colour::hex(0x62f07a);
    const Colour outline = Colour::hex(0x0c1208);

    for (float x : {57.0f, 71.0f}) {
        drawExhaust(canvas, {x, 101.0f}, 8.0f, frame == 0 ? 19.0f : 13.0f, green, 1.2f * burn);
    }
    drawHalo(canvas, silhouette, green, 8.0f, 0.25f);
    drawPlate(canvas, wing, allyMetal(6.0f), outline);
    // Olive trailing panels and the green chevron.
    const Polygon panel(mirrored({{70, 70}, {96, 90}, {100, 97}, {80, 96}, {70, 100}}, kMid));
    fillInside(canvas, panel, wing, metalPaint(wing, paintedMetal(Colour::hex(0x4a5a2c))));
    Strokes chevron(3.0f);
    for (float side : {-1.0f, 1.0f}) {
        chevron.addPolyline(
            {{kMid + side * 10.0f, 70.0f}, {kMid + side * 18.0f, 54.0f}, {kMid + side * 26.0f, 72.0f}});
    }
    fillInside(canvas, chevron, wing, green);
    drawSeams(canvas, mirroredSeamLines(1.0f, {{{72, 40}, {100, 90}}}), wing, Colour::hex(0x3a4628, 0.5f));
    for (const Polygon* fin : {&rightFin, &leftFin}) {
        drawPlate(canvas, *fin, paintedMetal(Colour::hex(0x3e4c26), 2.0f), outline, 1.2f);
    }
    drawPlate(canvas, spine, allyMetal(5.0f), outline);
    fillInside(canvas, seamLines(2.0f, {{{64, 54}, {64, 94}}}), spine, Colour::hex(0x3cc85a));
    drawCanopy(canvas, Ellipse({kMid, 34.0f}, 3.6f, 9.0f), Colour::hex(0xb08a2a), palette::white);
    drawLamp(canvas, {105.0f, 96.0f}, 1.6f, green, burn);
    drawLamp(canvas, {23.0f, 96.0f}, 1.6f, green, burn);
}

// ---- Ground and wall units ----

void paintTankHull(Canvas& canvas) {
    const RoundedRect rightTrack({89, 14, 106, 114}, 5.0f);
    const RoundedRect leftTrack({22, 14, 39, 114}, 5.0f);
    const Polygon deck(mirrored({{64, 18}, {80, 18}, {90, 28}, {92, 104}, {84, 112}, {64, 112}}, kMid));
    const Union silhouette({&rightTrack, &leftTrack, &deck});
    drawHalo(canvas, silhouette, kHostileHalo, 6.0f, 0.16f);
    for (const RoundedRect* track : {&rightTrack, &leftTrack}) {
        drawPlate(canvas, *track, darkMetal(3.0f), kOutline);
        Strokes treads(2.2f);
        const Rect box = track->bounds();
        for (float y = box.y0 + 5.0f; y < box.y1 - 3.0f; y += 6.0f) {
            treads.addSegment({box.x0 + 2.0f, y}, {box.x1 - 2.0f, y});
        }
        drawSeams(canvas, treads, *track, Colour::hex(0x050308, 0.8f));
    }
    drawPlate(canvas, deck, hostileMetal(6.0f), kOutline);
    // Hazard stripes across the bow, a grille at the stern with the engine's glow below it.
    Strokes hazard(4.0f);
    for (float x = 36.0f; x < 96.0f; x += 9.0f) {
        hazard.addSegment({x, 30}, {x + 8.0f, 20});
    }
    fillInside(canvas, hazard, Intersection(deck, RoundedRect({30, 19, 98, 30}, 0.0f)),
               metalPaint(deck, paintedMetal(kOrange)));
    const RoundedRect grille({48, 94, 80, 106}, 2.0f);
    fill(canvas, grille, Colour::hex(0x0a0608));
    glow(canvas, grille, kCrimson, 5.0f, 0.5f);
    Strokes slats(1.6f);
    for (float x = 52.0f; x < 78.0f; x += 5.0f) {
        slats.addSegment({x, 96}, {x, 104});
    }
    fillInside(canvas, slats, grille, Colour::hex(0xff4a3a, 0.9f));
    drawSeams(canvas,
              mirroredSeamLines(1.2f, {{{72, 34}, {88, 34}}, {{72, 88}, {88, 88}}, {{86, 40}, {86, 84}}}),
              deck, kSeam);
    // The turret ring, where the turret module sits.
    fill(canvas, Circle({kMid, kMid}, 21.0f), Colour::hex(0x100c16));
    stroke(canvas, Circle({kMid, kMid}, 21.0f), 2.0f, Colour::hex(0x7a7090));
    for (float degrees = 0.0f; degrees < 360.0f; degrees += 45.0f) {
        fill(canvas, Circle(Vec2{kMid, kMid} + direction(degrees) * 17.5f, 1.2f), Colour::hex(0x6a6078));
    }
    drawLamp(canvas, {86.0f, 24.0f}, 1.5f, kAmber);
    drawLamp(canvas, {42.0f, 24.0f}, 1.5f, kAmber);
}

void paintTankTurret(Canvas& canvas) {
    const RoundedRect barrel({60, 8, 68, 44}, 2.0f);
    const RoundedRect muzzle({57.5f, 6, 70.5f, 16}, 2.5f);
    const Polygon dome(
        mirrored({{64, 34}, {76, 36}, {88, 48}, {92, 70}, {86, 88}, {74, 94}, {64, 94}}, kMid));
    const Union silhouette({&barrel, &muzzle, &dome});
    drawHalo(canvas, silhouette, kHostileHalo, 6.0f, 0.22f);
    drawPlate(canvas, barrel, darkMetal(3.0f), kOutline);
    drawSeams(canvas, seamLines(1.0f, {{{60, 26}, {68, 26}}}), barrel, kSeam);
    drawPlate(canvas, muzzle, hostileMetal(3.0f), kOutline);
    fill(canvas, RoundedRect({61, 6.5f, 67, 9.5f}, 1.0f), Colour::hex(0x050306));
    drawPlate(canvas, dome, hostileMetal(11.0f), kOutline, 2.0f);
    // A mantlet round the barrel's root, a hatch and a sensor eye.
    const RoundedRect mantlet({56, 36, 72, 48}, 3.0f);
    drawPlate(canvas, mantlet, darkMetal(3.0f), kOutline, 1.2f);
    drawSeams(canvas, mirroredSeamLines(1.2f, {{{76, 44}, {84, 84}}, {{50, 88}, {78, 88}}}), dome, kSeam);
    fillInside(canvas, seamLines(3.5f, {{{44, 82}, {84, 82}}}), dome, kOrange);
    const Circle hatch({56.0f, 66.0f}, 7.0f);
    drawPlate(canvas, hatch, darkMetal(3.0f), kOutline, 1.2f);
    drawEye(canvas, RoundedRect({72, 58, 82, 64}, 2.0f), kCrimson);
}

void paintWallTurretBase(Canvas& canvas) {
    std::vector<Vec2> octagon;
    for (int i = 0; i < 8; ++i) {
        octagon.push_back(Vec2{kMid, kMid} + direction(22.5f + 45.0f * static_cast<float>(i)) * 50.0f);
    }
    const Polygon plate(octagon);
    drawHalo(canvas, plate, kHostileHalo, 6.0f, 0.14f);
    drawPlate(canvas, plate, darkMetal(7.0f), kOutline, 2.0f);
    const Polygon inner([&] {
        std::vector<Vec2> points;
        for (int i = 0; i < 8; ++i) {
            points.push_back(Vec2{kMid, kMid} + direction(22.5f + 45.0f * static_cast<float>(i)) * 36.0f);
        }
        return points;
    }());
    drawPlate(canvas, inner, hostileMetal(5.0f), kOutline, 1.5f);
    // Glowing vents on the four diagonals and bolts between them.
    for (int i = 0; i < 4; ++i) {
        const float degrees = 45.0f + 90.0f * static_cast<float>(i);
        const Vec2 at = Vec2{kMid, kMid} + direction(degrees) * 43.0f;
        Strokes vent(3.0f);
        vent.addSegment(at - direction(degrees + 90.0f) * 6.0f, at + direction(degrees + 90.0f) * 6.0f);
        fill(canvas, Grown(vent, 1.0f), Colour::hex(0x080508));
        glow(canvas, vent, kCrimson, 6.0f, 0.7f);
        fill(canvas, vent, Colour::hex(0xff6a6a));
        const Vec2 bolt = Vec2{kMid, kMid} + direction(degrees + 45.0f) * 43.0f;
        fill(canvas, Circle(bolt, 2.6f), metalPaint(Circle(bolt, 2.6f), hostileMetal(2.0f)));
    }
    // Hazard ring round the socket.
    const Arc ring({kMid, kMid}, 27.0f, 5.0f, 0.0f, 360.0f);
    fill(canvas, ring, Paint([](Vec2 p) {
             const float degrees = std::atan2(p.y - kMid, p.x - kMid) * (180.0f / kPi) + 180.0f;
             return std::fmod(degrees, 30.0f) < 15.0f ? kOrange : Colour::hex(0x1a1210);
         }));
    fill(canvas, Circle({kMid, kMid}, 22.0f), Colour::hex(0x0c0910));
    stroke(canvas, Circle({kMid, kMid}, 22.0f), 1.5f, Colour::hex(0x6a6078));
}

void paintWallTurretBarrel(Canvas& canvas) {
    const RoundedRect rightBarrel({67, 8, 75, 52}, 2.0f);
    const RoundedRect leftBarrel({53, 8, 61, 52}, 2.0f);
    const Polygon housing(mirrored({{64, 40}, {78, 40}, {90, 52}, {90, 78}, {78, 90}, {64, 90}}, kMid));
    const Union silhouette({&rightBarrel, &leftBarrel, &housing});
    drawHalo(canvas, silhouette, kHostileHalo, 6.0f, 0.22f);
    for (const RoundedRect* barrel : {&rightBarrel, &leftBarrel}) {
        drawPlate(canvas, *barrel, hostileMetal(3.0f), kOutline);
        const Rect box = barrel->bounds();
        const RoundedRect brake({box.x0 - 1.0f, 8, box.x1 + 1.0f, 16}, 2.0f);
        drawPlate(canvas, brake, darkMetal(2.0f), kOutline, 1.0f);
        drawSeams(canvas, seamLines(1.0f, {{{box.x0, 28}, {box.x1, 28}}}), *barrel, kSeam);
        drawLamp(canvas, {box.centre().x, 11.5f}, 1.5f, kHotRed);
    }
    drawPlate(canvas, housing, hostileMetal(10.0f), kOutline, 2.0f);
    drawSeams(canvas, mirroredSeamLines(1.2f, {{{46, 56}, {46, 74}}, {{56, 44}, {56, 54}}}), housing, kSeam);
    fillInside(canvas, seamLines(3.5f, {{{40, 82}, {88, 82}}}), housing, kCrimson);
    drawEye(canvas, RoundedRect({56, 60, 72, 67}, 3.0f), kCrimson);
}

// ---- Obstacles ----

void paintRock(Canvas& canvas, Random& random, float radius, int points) {
    const Vec2 centre{kMid, kMid};
    std::vector<Vec2> outline;
    for (int i = 0; i < points; ++i) {
        const float degrees =
            360.0f * static_cast<float>(i) / static_cast<float>(points) + random.range(-8.0f, 8.0f);
        outline.push_back(centre + direction(degrees) * (radius * random.range(0.78f, 1.0f)));
    }
    const Polygon rock(outline);
    Metal stone;
    stone.lit = Colour::hex(0xa89cb4);
    stone.base = Colour::hex(0x4e4656);
    stone.shade = Colour::hex(0x120f18);
    stone.bevel = radius * 0.7f;
    stone.rim = Colour::hex(0xb8e8ff);
    stone.rimStrength = 0.35f;
    fill(canvas, Grown(rock, 1.5f), kOutline);
    const TileableNoise grain(random.next(), 4, 4);
    const Paint body = metalPaint(rock, stone);
    fill(canvas, rock, Paint([&](Vec2 p) {
             const Colour colour = body.at(p);
             const float n = 0.85f + 0.25f * grain.fractal(p.x / 32.0f, p.y / 32.0f, 3);
             return Colour{colour.r * n, colour.g * n, colour.b * n, 1.0f};
         }));
    // Craters: hollows lit on their far side.
    for (int i = 0; i < 5; ++i) {
        const Vec2 at = centre + direction(random.range(0.0f, 360.0f)) * random.range(0.0f, radius * 0.55f);
        const float size = random.range(radius * 0.1f, radius * 0.22f);
        const Circle crater(at, size);
        Metal hollow = stone;
        std::swap(hollow.lit, hollow.shade);
        hollow.base = Colour::hex(0x3a3342);
        hollow.bevel = size;
        hollow.rimStrength = 0.0f;
        fillInside(canvas, crater, rock, metalPaint(crater, hollow));
    }
}

void paintDebris(Canvas& canvas, Random& random) {
    const Polygon slab({{30, 40},
                        {58, 22},
                        {70, 30},
                        {96, 26},
                        {104, 52},
                        {92, 70},
                        {98, 92},
                        {72, 104},
                        {60, 96},
                        {36, 100},
                        {26, 74}});
    const Polygon plate({{44, 46}, {70, 38}, {88, 42}, {90, 62}, {60, 70}, {42, 64}});
    fill(canvas, Grown(slab, 1.5f), kOutline);
    fill(canvas, slab, metalPaint(slab, darkMetal(6.0f)));
    drawPlate(canvas, plate, hostileMetal(4.0f), kOutline);
    // Exposed girders and a crimson stripe from the hull it came from.
    Strokes girders(3.0f);
    girders.addSegment({34, 78}, {94, 76});
    girders.addSegment({46, 72}, {50, 98});
    girders.addSegment({70, 72}, {74, 100});
    fillInside(canvas, Grown(girders, 1.0f), slab, Colour::hex(0x08060c));
    fillInside(canvas, girders, slab, metalPaint(girders, hostileMetal(2.0f)));
    fillInside(canvas, seamLines(4.0f, {{{44, 58}, {90, 52}}}), plate, kCrimson);
    drawDamage(canvas, random, {34, 30, 96, 96}, 4, {{58, 22}, {98, 92}});
}

// ---- The carrier and its modules ----

void paintCarrier(Canvas& canvas) {
    constexpr float c = 128.0f;  // centre line of the 256-pixel block
    const Polygon hull(mirrored({{128, 8},
                                 {138, 18},
                                 {148, 40},
                                 {156, 78},
                                 {160, 120},
                                 {163, 172},
                                 {159, 212},
                                 {150, 230},
                                 {138, 238},
                                 {128, 238}},
                                c));
    const Polygon flanks(
        mirrored({{150, 64}, {194, 90}, {222, 124}, {232, 170}, {218, 200}, {190, 208}, {158, 200}}, c));
    const Polygon prow(mirrored({{128, 24}, {136, 34}, {143, 62}, {128, 56}}, c));
    const RoundedRect rightNacelle({178, 180, 204, 226}, 6.0f);
    const RoundedRect leftNacelle({52, 180, 78, 226}, 6.0f);
    const RoundedRect deck({117, 92, 139, 206}, 4.0f);
    const RoundedRect bridge({111, 162, 145, 194}, 7.0f);
    const Union silhouette({&hull, &flanks, &rightNacelle, &leftNacelle});

    // Engines: a pair at the stern, one in each nacelle.
    for (float x : {116.0f, 140.0f}) {
        drawExhaust(canvas, {x, 236.0f}, 12.0f, 13.0f, kOrange, 1.2f);
    }
    for (float x : {191.0f, 65.0f}) {
        drawExhaust(canvas, {x, 224.0f}, 16.0f, 24.0f, kOrange, 1.2f);
    }
    drawHalo(canvas, silhouette, kHostileHalo, 8.0f, 0.22f);
    drawPlate(canvas, rightNacelle, darkMetal(6.0f), kOutline, 2.0f);
    drawPlate(canvas, leftNacelle, darkMetal(6.0f), kOutline, 2.0f);
    for (float x : {191.0f, 65.0f}) {
        fill(canvas, RoundedRect({x - 9.0f, 218, x + 9.0f, 225}, 3.0f), Colour::hex(0x0a0608));
        fill(canvas, RoundedRect({x - 6.0f, 220, x + 6.0f, 224}, 2.0f), Colour::hex(0xffb060), Blend::Add);
    }
    drawPlate(canvas, flanks, darkMetal(8.0f), kOutline, 2.0f);
    // Flank armour bands, crimson leading edges and glowing vents along the outer rim.
    const Polygon bands(
        mirrored({{160, 100}, {200, 116}, {216, 140}, {218, 174}, {206, 192}, {166, 188}}, c));
    drawPlate(canvas, Intersection(bands, flanks), hostileMetal(5.0f), kOutline, 1.2f);
    fillInside(canvas, mirroredSeamLines(4.5f, {{{154, 68}, {194, 92}}, {{194, 92}, {221, 126}}}, c), flanks,
               metalPaint(flanks, paintedMetal(kCrimson)));
    for (float y : {146.0f, 158.0f, 170.0f}) {
        for (float side : {-1.0f, 1.0f}) {
            const RoundedRect slot(Rect::around({c + side * 92.0f, y}, 5.0f, 1.6f), 1.4f);
            fill(canvas, Grown(slot, 1.2f), Colour::hex(0x080508));
            glow(canvas, slot, kCrimson, 5.0f, 0.6f);
            fill(canvas, slot, Colour::hex(0xff6070));
        }
    }
    drawPlate(canvas, hull, hostileMetal(10.0f), kOutline, 2.0f);
    drawPlate(canvas, prow, paintedMetal(Colour::hex(0xb01c38), 5.0f), kOutline, 1.2f);
    drawSeams(canvas,
              mirroredSeamLines(1.3f,
                                {{{140, 66}, {156, 80}},
                                 {{146, 100}, {160, 100}},
                                 {{146, 140}, {162, 140}},
                                 {{146, 212}, {158, 214}},
                                 {{176, 120}, {206, 150}},
                                 {{170, 198}, {204, 180}},
                                 {{146, 72}, {146, 226}},
                                 {{190, 92}, {190, 112}}},
                                c),
              silhouette, kSeam);
    // Raised plates along the spine, in pairs.
    for (float side : {-1.0f, 1.0f}) {
        const RoundedRect plate(Rect::around({c + side * 9.0f, 212.0f}, 5.0f, 6.0f), 2.0f);
        drawPlate(canvas, plate, hostileMetal(3.0f), kOutline, 1.0f);
    }
    // Armour plates of a lighter tone along the hull's sides.
    Metal lighter = hostileMetal(3.0f);
    lighter.base = Colour::hex(0x5c5270);
    lighter.rimStrength = 0.0f;
    fillMirroredPlates(canvas, {Rect{143, 104, 155, 134}, Rect{145, 150, 158, 196}, Rect{140, 70, 150, 92}},
                       c, Grown(hull, -3.0f), lighter);
    // Rows of lit windows along the flanks.
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 6; ++i) {
            const auto t = static_cast<float>(i);
            const Vec2 upper{c + side * (166.0f - 128.0f + t * 6.0f), 108.0f + t * 3.0f};
            const Vec2 lower{c + side * (168.0f - 128.0f + t * 6.0f), 182.0f - t * 1.0f};
            for (const Vec2 at : {upper, lower}) {
                fill(canvas, RoundedRect(Rect::around(at, 1.6f, 0.9f), 0.6f), kAmber.withAlpha(0.9f),
                     Blend::Add);
            }
        }
    }
    // The flight deck: a dark recessed strip with runway lights.
    fill(canvas, Grown(deck, 1.5f), Colour::hex(0x2a2434));
    fill(canvas, deck,
         linearGradient({c, 92}, {c, 206}, {{0.0f, Colour::hex(0x0a0810)}, {1.0f, Colour::hex(0x181220)}}));
    for (float y = 98.0f; y < 160.0f; y += 8.0f) {
        fill(canvas, Circle({121.5f, y}, 1.1f), kHotRed.withAlpha(0.9f), Blend::Add);
        fill(canvas, Circle({134.5f, y}, 1.1f), kHotRed.withAlpha(0.9f), Blend::Add);
    }
    // The bridge with its window band.
    drawPlate(canvas, bridge, hostileMetal(7.0f), kOutline, 1.5f);
    drawEye(canvas, RoundedRect({118, 169, 138, 174}, 2.0f), kCrimson);
    drawSeams(canvas, seamLines(1.2f, {{{115, 184}, {141, 184}}, {{128, 184}, {128, 192}}}), bridge, kSeam);
    // Hazard chevrons at the stern.
    Strokes chevrons(3.0f);
    for (float x = 118.0f; x < 142.0f; x += 7.0f) {
        chevrons.addSegment({x, 224}, {x + 6.0f, 216});
    }
    fillInside(canvas, chevrons, RoundedRect({116, 214, 140, 226}, 2.0f), kOrange);
    // Module sockets: recessed mounts where the core, the gun pods and the armour plates sit.
    auto socket = [&](Vec2 at, float radius) {
        fill(canvas, Circle(at, radius + 2.0f), kOutline);
        fill(canvas, Circle(at, radius),
             radialGradient(at, radius, {{0.0f, Colour::hex(0x1a1422)}, {1.0f, Colour::hex(0x0a0810)}}));
        stroke(canvas, Circle(at, radius - 1.5f), 1.4f, Colour::hex(0x8a7fa0));
        fill(canvas, Circle(at, 3.0f), kCrimson.withAlpha(0.8f), Blend::Add);
    };
    socket({c, 120.0f}, 17.0f);
    socket({c + 68.0f, 152.0f}, 15.0f);
    socket({c - 68.0f, 152.0f}, 15.0f);
    for (float side : {-1.0f, 1.0f}) {
        const RoundedRect mount(Rect::around({c + side * 44.0f, 100.0f}, 11.0f, 13.0f), 3.0f);
        fill(canvas, Grown(mount, 1.5f), kOutline);
        fill(canvas, mount, Colour::hex(0x120e18));
        stroke(canvas, Grown(mount, -2.0f), 1.2f, Colour::hex(0x6a6078));
    }
    // Point-defence guns along the hull.
    for (const Vec2 at :
         {Vec2{116, 66}, Vec2{140, 66}, Vec2{108, 146}, Vec2{148, 146}, Vec2{108, 202}, Vec2{148, 202}}) {
        const Circle mount(at, 4.0f);
        fill(canvas, Circle(at, 5.2f), kOutline);
        fill(canvas, mount, metalPaint(mount, hostileMetal(3.0f)));
        fill(canvas, RoundedRect({at.x - 1.0f, at.y - 10.0f, at.x + 1.0f, at.y - 3.0f}, 0.8f),
             Colour::hex(0x3a3444));
        fill(canvas, Circle(at, 1.2f), kHotRed, Blend::Add);
    }
    for (const Vec2 at : {Vec2{229, 164}, Vec2{27, 164}, Vec2{204, 204}, Vec2{52, 204}}) {
        drawLamp(canvas, at, 1.8f, kHotRed);
    }
    drawLamp(canvas, {c, 14.0f}, 1.8f, kAmber);
}

void paintCarrierGunPod(Canvas& canvas) {
    const RoundedRect rightBarrel({68, 8, 76, 56}, 2.5f);
    const RoundedRect leftBarrel({52, 8, 60, 56}, 2.5f);
    std::vector<Vec2> octagon;
    for (int i = 0; i < 8; ++i) {
        octagon.push_back(Vec2{kMid, 72.0f} + direction(22.5f + 45.0f * static_cast<float>(i)) * 32.0f);
    }
    const Polygon base(octagon);
    const Polygon mantlet(mirrored({{64, 38}, {80, 38}, {86, 52}, {80, 60}, {64, 60}}, kMid));
    const Union silhouette({&rightBarrel, &leftBarrel, &base});
    drawHalo(canvas, silhouette, kHostileHalo, 7.0f, 0.22f);
    for (const RoundedRect* barrel : {&rightBarrel, &leftBarrel}) {
        drawPlate(canvas, *barrel, darkMetal(3.0f), kOutline);
        const Rect box = barrel->bounds();
        const RoundedRect brake({box.x0 - 1.5f, 8, box.x1 + 1.5f, 18}, 2.0f);
        drawPlate(canvas, brake, hostileMetal(3.0f), kOutline, 1.2f);
        drawSeams(canvas, seamLines(1.0f, {{{box.x0, 30}, {box.x1, 30}}}), *barrel, kSeam);
        drawLamp(canvas, {box.centre().x, 11.0f}, 1.6f, kHotRed);
    }
    drawPlate(canvas, base, hostileMetal(12.0f), kOutline, 2.0f);
    // Armour ribs down both sides, the crimson band of the fleet across the back.
    drawSeams(canvas, mirroredSeamLines(1.3f, {{{84, 62}, {90, 82}}, {{78, 64}, {82, 88}}}), base, kSeam);
    fillInside(canvas, seamLines(4.0f, {{{36, 92}, {92, 92}}}), base,
               metalPaint(base, paintedMetal(kCrimson, 2.0f)));
    drawPlate(canvas, mantlet, darkMetal(4.0f), kOutline, 1.2f);
    drawEye(canvas, RoundedRect({56, 70, 72, 76}, 3.0f), kCrimson);
}

void paintCarrierArmour(Canvas& canvas) {
    const Polygon plate(mirrored({{64, 18}, {86, 22}, {100, 40}, {102, 96}, {86, 110}, {64, 106}}, kMid));
    drawHalo(canvas, plate, kHostileHalo, 6.0f, 0.16f);
    drawPlate(canvas, plate, hostileMetal(10.0f), kOutline, 2.0f);
    const Polygon inset(mirrored({{64, 30}, {80, 33}, {90, 46}, {90, 90}, {80, 98}, {64, 95}}, kMid));
    drawPlate(canvas, inset, hostileMetal(5.0f), kOutline, 1.2f);
    Strokes hazard(4.0f);
    for (float x = 30.0f; x < 104.0f; x += 9.0f) {
        hazard.addSegment({x, 34}, {x + 9.0f, 20});
    }
    fillInside(canvas, hazard, Intersection(plate, RoundedRect({0, 18, 128, 30}, 0.0f)),
               metalPaint(plate, paintedMetal(kOrange)));
    fillInside(canvas, mirroredSeamLines(3.0f, {{{92, 46}, {92, 88}}}), plate, kCrimson);
    for (const Vec2 at : {Vec2{40, 44}, Vec2{88, 44}, Vec2{40, 90}, Vec2{88, 90}, Vec2{64, 100}}) {
        const Circle rivet(at, 2.4f);
        fill(canvas, Grown(rivet, 1.0f), kOutline);
        fill(canvas, rivet, metalPaint(rivet, hostileMetal(2.0f)));
    }
    drawSeams(canvas, seamLines(1.2f, {{{48, 66}, {80, 66}}}), inset, kSeam);
}

void paintCarrierCore(Canvas& canvas, bool cracked) {
    const Vec2 centre{kMid, kMid};
    std::vector<Vec2> hexagon;
    for (int i = 0; i < 6; ++i) {
        hexagon.push_back(centre + direction(30.0f + 60.0f * static_cast<float>(i)) * 40.0f);
    }
    const Polygon frame(hexagon);
    const Circle hollow(centre, 24.0f);
    const Difference ring(frame, hollow);
    const Circle orb(centre, 19.0f);
    const Colour energy = Colour::hex(0xff2a8a);

    glow(canvas, orb, energy, 46.0f, cracked ? 0.75f : 0.5f);
    fill(canvas, Grown(ring, 1.8f), kOutline);
    fill(canvas, ring, metalPaint(ring, hostileMetal(6.0f)));
    // Energy conduits feeding the orb from the frame's corners.
    for (int i = 0; i < 6; ++i) {
        const Vec2 from = centre + direction(30.0f + 60.0f * static_cast<float>(i)) * 35.0f;
        const Vec2 to = centre + direction(30.0f + 60.0f * static_cast<float>(i)) * 25.0f;
        Strokes conduit(3.0f);
        conduit.addSegment(from, to);
        glow(canvas, conduit, energy, 5.0f, 0.6f);
        fill(canvas, conduit, Colour::hex(0xff9ad0));
    }
    fill(canvas, Circle(centre, 24.0f), Colour::hex(0x10060c));
    fill(canvas, orb,
         radialGradient(centre + Vec2{-5.0f, -6.0f}, 24.0f,
                        {{0.0f, palette::white},
                         {0.25f, Colour::hex(0xffc0e0)},
                         {0.6f, energy},
                         {1.0f, Colour::hex(0x6a0830)}}));
    if (cracked) {
        Strokes cracks(1.6f);
        cracks.addPolyline(
            {centre + Vec2{-14, -8}, centre + Vec2{-4, -2}, centre + Vec2{2, -12}, centre + Vec2{10, -6}});
        cracks.addPolyline({centre + Vec2{-4, -2}, centre + Vec2{0, 8}, centre + Vec2{12, 12}});
        cracks.addPolyline({centre + Vec2{0, 8}, centre + Vec2{-8, 15}});
        fill(canvas, Grown(cracks, 1.0f), Colour::hex(0x2a0414));
        fill(canvas, cracks, palette::white.withAlpha(0.95f), Blend::Add);
        glow(canvas, cracks, Colour::hex(0xffd0a0), 7.0f, 0.8f);
    } else {
        fill(canvas, Arc(centre, 14.0f, 2.0f, 200.0f, 250.0f), palette::white.withAlpha(0.6f), Blend::Add);
    }
}

void paintEnemyCell(Canvas& cell, int frame, Random& random) {
    namespace f = enemy_frame;
    switch (frame) {
        case f::kDart:
        case f::kDart + 1:
            paintDart(cell, frame - f::kDart);
            break;
        case f::kManta:
        case f::kManta + 1:
            paintManta(cell, frame - f::kManta);
            break;
        case f::kClaw:
        case f::kClaw + 1:
            paintClaw(cell, frame - f::kClaw);
            break;
        case f::kGunship:
        case f::kGunship + 1:
            paintGunship(cell, frame - f::kGunship);
            break;
        case f::kDartDamaged:
            paintDart(cell, 1);
            drawDamage(cell, random, {40, 30, 88, 96}, 3, {{100, 88}});
            break;
        case f::kMantaDamaged:
            paintManta(cell, 1);
            drawDamage(cell, random, {34, 40, 94, 84}, 4, {{110, 64}, {40, 76}});
            break;
        case f::kClawDamaged:
            paintClaw(cell, 1);
            drawDamage(cell, random, {44, 40, 84, 90}, 3, {{88, 20}});
            break;
        case f::kGunshipDamaged:
            paintGunship(cell, 1);
            drawDamage(cell, random, {40, 20, 88, 100}, 5, {{104, 80}, {26, 40}});
            break;
        case f::kEscort:
        case f::kEscort + 1:
            paintEscort(cell, frame - f::kEscort);
            break;
        case f::kAsteroid:
            paintRock(cell, random, 50.0f, 13);
            break;
        case f::kAsteroid + 1:
            paintRock(cell, random, 40.0f, 10);
            break;
        case f::kTankHull:
            paintTankHull(cell);
            break;
        case f::kTankTurret:
            paintTankTurret(cell);
            break;
        case f::kTankHullDamaged:
            paintTankHull(cell);
            drawDamage(cell, random, {30, 20, 98, 108}, 6, {{104, 100}, {26, 30}});
            break;
        case f::kWallTurretBase:
            paintWallTurretBase(cell);
            break;
        case f::kWallTurretBarrel:
            paintWallTurretBarrel(cell);
            break;
        case f::kWallTurretBaseDamaged:
            paintWallTurretBase(cell);
            drawDamage(cell, random, {24, 24, 104, 104}, 6, {{100, 36}, {30, 96}});
            break;
        case f::kDebris:
            paintDebris(cell, random);
            break;
        case f::kCarrierGunPod:
            paintCarrierGunPod(cell);
            break;
        case f::kCarrierArmour:
            paintCarrierArmour(cell);
            break;
        case f::kCarrierCore:
            paintCarrierCore(cell, false);
            break;
        case f::kCarrierCoreDamaged:
            paintCarrierCore(cell, true);
            break;
        case f::kCarrierGunPodDamaged:
            paintCarrierGunPod(cell);
            drawDamage(cell, random, {40, 44, 88, 96}, 4, {{76, 10}});
            break;
        case f::kCarrierArmourDamaged:
            paintCarrierArmour(cell);
            drawDamage(cell, random, {36, 30, 92, 100}, 5, {{100, 70}, {40, 108}});
            break;
        default:
            return;  // empty cell
    }
    clearMargin(cell, 2.0f);
}

}  // namespace

void paintHouseEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random) {
    grid.paintFrames(atlas, enemy_frame::kStageTwoFirst,
                     [&random](Canvas& cell, int frame) { paintEnemyCell(cell, frame, random); });
    // The carrier spans a 2 x 2 block of cells.
    Canvas carrier(grid.cellWidth() * 2, grid.cellHeight() * 2);
    paintCarrier(carrier);
    clearMargin(carrier, 2.0f);
    const PixelRect corner = grid.frame(enemy_frame::kCarrier);
    atlas.copyFrom(carrier, corner.left, corner.top);
}

void paintEnemyAtlas(Canvas& canvas, Random& random) {
    const AtlasGrid grid = enemyAtlasGrid();
    paintHouseEnemies(canvas, grid, random);
    paintStageTwoEnemies(canvas, grid, random);
    paintStageThreeEnemies(canvas, grid, random);
}

}  // namespace artgen
