// The stage three art: its enemies' cells in the enemy atlas and its own family of bullets.
//
// The storm fleet rides above the clouds: airships with bruised-violet envelopes over dark
// gondolas, amber running lights, a hostile red halo; the storm's own things (kites, rod
// buoys) crackle with pale gold. Enemy cells, counted from enemy_frame::kStageThreeFirst (48):
//
//    0, 1  sky skiff: a small gondola under a two-bladed rotor; frames of rotor blur
//    2     sky skiff damaged
//    3, 4  formation leader airship: a long envelope, four fins, twin engine pods; its running
//          lights alternate between the frames
//    5     leader damaged (the envelope torn to its ribs, scorched)
//    6     escort gondola: a gun gondola slung between two small gas bags
//    7     escort damaged
//    8, 9  storm kite: a charged diamond kite; frames of its tail's wave
//   10-11  searchlight airship hull, 2 x 1 cells ("unit width" 2): twin envelopes joined by a
//          deck, the lamp's mount at the block's centre
//   12     searchlight lamp: module over the hull, lens up, pivot at the cell centre
//   13-14  searchlight hull damaged, 2 x 1 cells
//   15     lightning rod buoy: a hovering sphere with four rods, arcs at their tips
//
// Bullets, counted from bullet_frame::kStageThreeFirst (96), all pointing up:
//    0-3   hail: a faceted hexagonal crystal; violet, magenta, green, yellow
//    4-7   bolt: a short zigzag of lightning; yellow, violet, magenta, lime
//    8-11  drop: a teardrop, point up; green, magenta, violet, red
//   12-15  spore: a round puff ringed with bright dots; red, orange, yellow, green
//   16, 17 searchlight beam body, pale amber and soft-edged, and its flicker frame
//   18, 19 lightning beam body, a jagged pale-gold bolt, and its flicker frame

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "textures/BulletArt.h"
#include "textures/CraftKit.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/StageThreeArt.h"

namespace artgen {

namespace {

constexpr float kMid = 64.0f;  // the centre line of a 128-pixel cell

const Colour kOutline = Colour::hex(0x06040a);
const Colour kSeam = Colour::hex(0x0b0810, 0.55f);
const Colour kAmber = Colour::hex(0xffb030);
const Colour kCrimson = Colour::hex(0xff2a4a);
const Colour kStormGold = Colour::hex(0xffe08a);
const Colour kHostileHalo = Colour::hex(0xff3a6a);

// The envelopes' doped fabric: a bruised violet-grey, lit from the upper left.
Metal fabric(float bevel) {
    Metal metal;
    metal.lit = Colour::hex(0xc4b6d4);
    metal.base = Colour::hex(0x5c5068);
    metal.shade = Colour::hex(0x140f1c);
    metal.bevel = bevel;
    metal.sheen = 0.4f;
    metal.rim = Colour::hex(0xffd0a0);
    metal.rimStrength = 0.5f;
    return metal;
}

// The gondolas, pods and fins: dark gunmetal.
Metal gunmetal(float bevel) {
    Metal metal;
    metal.lit = Colour::hex(0x6e6478);
    metal.base = Colour::hex(0x2e2838);
    metal.shade = Colour::hex(0x0d0a12);
    metal.bevel = bevel;
    metal.sheen = 0.15f;
    metal.rim = Colour::hex(0xffb070);
    metal.rimStrength = 0.2f;
    return metal;
}

// An airship's gas envelope seen from above: a bevelled ellipse with ribs along its length and
// frames across it.
void drawEnvelope(Canvas& canvas, Vec2 centre, float rx, float ry, float bevel) {
    const Ellipse envelope(centre, rx, ry);
    drawPlate(canvas, envelope, fabric(bevel), kOutline, 2.0f);
    Strokes ribs(1.2f);
    for (float k : {-0.66f, -0.33f, 0.0f, 0.33f, 0.66f}) {
        std::vector<Vec2> rib;
        for (int i = 0; i <= 16; ++i) {
            const float t = -1.0f + 2.0f * static_cast<float>(i) / 16.0f;
            rib.push_back({centre.x + k * rx * std::sqrt(std::max(0.0f, 1.0f - t * t)), centre.y + t * ry});
        }
        ribs.addPolyline(rib);
    }
    for (float t = -0.6f; t < 0.7f; t += 0.3f) {
        const float half = rx * std::sqrt(1.0f - t * t);
        ribs.addSegment({centre.x - half, centre.y + t * ry}, {centre.x + half, centre.y + t * ry});
    }
    drawSeams(canvas, ribs, Grown(envelope, -2.0f), kSeam);
}

// A rotor seen from above: a faint disc of blur and `blades` blades at `degrees`.
void drawRotor(Canvas& canvas, Vec2 hub, float radius, float degrees, int blades, float blur) {
    fill(canvas, Circle(hub, radius), Colour::hex(0xb8aec8, 0.10f + 0.12f * blur));
    stroke(canvas, Circle(hub, radius - 1.0f), 2.0f, Colour::hex(0xffc890, 0.3f + 0.2f * blur));
    Strokes blade(3.2f - 1.2f * blur);
    for (int i = 0; i < blades; ++i) {
        const float angle = degrees + 360.0f * static_cast<float>(i) / static_cast<float>(blades);
        blade.addSegment(hub, hub + direction(angle) * (radius - 2.0f));
    }
    fill(canvas, blade, Colour::hex(0x1a1522, 1.0f - 0.45f * blur));
    drawPlate(canvas, Circle(hub, 3.5f), gunmetal(1.5f), kOutline, 1.0f);
}

// ---- The craft ----

void paintSkiff(Canvas& canvas, int frame, bool damaged, Random& random) {
    const Polygon gondola(mirrored({{kMid, 34}, {72, 42}, {76, 66}, {72, 92}, {kMid, 100}}, kMid));
    const Polygon tail(mirrored({{kMid, 92}, {70, 100}, {86, 112}, {84, 116}, {kMid, 110}}, kMid));
    const Union silhouette({&gondola, &tail});
    drawHalo(canvas, silhouette, kHostileHalo, 10.0f, 0.34f);
    drawPlate(canvas, tail, gunmetal(3.0f), kOutline);
    drawPlate(canvas, gondola, gunmetal(5.0f), kOutline);
    fillInside(canvas, RoundedRect(Rect{56, 70, 72, 86}, 3.0f), gondola, metalPaint(gondola, fabric(3.0f)));
    drawCanopy(canvas, Ellipse({kMid, 46.0f}, 5.0f, 7.0f), Colour::hex(0x6a2a18), kAmber);
    drawLamp(canvas, {44.0f, 113.0f}, 1.8f, kCrimson, frame == 0 ? 1.0f : 0.6f);
    drawLamp(canvas, {84.0f, 113.0f}, 1.8f, kAmber, frame == 0 ? 0.6f : 1.0f);
    // The rotor turns over the hull; the second frame is a blur further round.
    drawRotor(canvas, {kMid, 62.0f}, 44.0f, frame == 0 ? -20.0f : 25.0f, 2, frame == 0 ? 0.3f : 0.8f);
    if (damaged) {
        drawDamage(canvas, random, {50, 40, 78, 100}, 3, {{76, 90}});
        drawSparkle(canvas, {72.0f, 56.0f}, 7.0f, kStormGold, 15.0f);
    }
}

void paintLeader(Canvas& canvas, int frame, bool damaged, Random& random) {
    const Polygon fins(mirrored({{kMid, 86}, {78, 96}, {92, 118}, {76, 116}, {kMid, 108}}, kMid));
    const Ellipse envelope({kMid, 60.0f}, 27.0f, 50.0f);
    const Union silhouette({&fins, &envelope});
    drawHalo(canvas, silhouette, kHostileHalo, 11.0f, 0.36f);
    drawPlate(canvas, fins, gunmetal(3.0f), kOutline);
    // Engine pods on outriggers at either side, propellers behind them.
    for (float side : {-1.0f, 1.0f}) {
        drawPlate(canvas, RoundedRect(Rect::around({kMid + side * 30.0f, 70.0f}, 14.0f, 2.5f), 2.0f),
                  gunmetal(1.0f), kOutline, 1.0f);
        const Vec2 pod{kMid + side * 42.0f, 70.0f};
        drawPlate(canvas, Ellipse(pod, 6.0f, 13.0f), gunmetal(3.0f), kOutline, 1.2f);
        drawRotor(canvas, pod + Vec2{0.0f, 16.0f}, 9.0f, frame == 0 ? 0.0f : 60.0f, 3, 0.6f);
    }
    drawEnvelope(canvas, {kMid, 60.0f}, 27.0f, 50.0f, 9.0f);
    // The command stripe and the bridge gondola's roof along the spine.
    fillInside(canvas, RoundedRect(Rect{kMid - 4.0f, 14.0f, kMid + 4.0f, 104.0f}, 3.0f), envelope,
               Colour::hex(0x8a1a30, 0.85f));
    drawPlate(canvas, RoundedRect(Rect{kMid - 7.0f, 40.0f, kMid + 7.0f, 62.0f}, 4.0f), gunmetal(2.5f),
              kOutline, 1.2f);
    drawCanopy(canvas, RoundedRect(Rect{kMid - 4.0f, 43.0f, kMid + 4.0f, 49.0f}, 2.0f), Colour::hex(0x6a2a18),
               kAmber);
    // Running lights: the bow and stern in one frame, the flanks in the other.
    const float bow = frame == 0 ? 1.0f : 0.35f;
    const float flank = frame == 0 ? 0.35f : 1.0f;
    drawLamp(canvas, {kMid, 14.0f}, 2.6f, kAmber, bow);
    drawLamp(canvas, {kMid, 106.0f}, 2.2f, kAmber, bow);
    drawLamp(canvas, {kMid - 26.0f, 56.0f}, 2.0f, kCrimson, flank);
    drawLamp(canvas, {kMid + 26.0f, 56.0f}, 2.0f, kAmber, flank);
    if (damaged) {
        drawEnvelopeTear(canvas, random, {kMid + 11.0f, 38.0f}, 9.0f, 20.0f);
        drawEnvelopeTear(canvas, random, {kMid - 12.0f, 80.0f}, 7.0f, -30.0f);
        drawDamage(canvas, random, {42, 20, 86, 100}, 4, {{92, 116}});
        drawSparkle(canvas, {kMid - 14.0f, 74.0f}, 8.0f, kStormGold, 10.0f);
    }
}

void paintEscort(Canvas& canvas, bool damaged, Random& random) {
    const Ellipse left({kMid - 22.0f, 58.0f}, 15.0f, 34.0f);
    const Ellipse right({kMid + 22.0f, 58.0f}, 15.0f, 34.0f);
    const Polygon gondola(mirrored({{kMid, 30}, {74, 36}, {78, 84}, {70, 96}, {kMid, 98}}, kMid));
    const Union silhouette({&left, &right, &gondola});
    drawHalo(canvas, silhouette, kHostileHalo, 10.0f, 0.34f);
    drawEnvelope(canvas, {kMid - 22.0f, 58.0f}, 15.0f, 34.0f, 6.0f);
    drawEnvelope(canvas, {kMid + 22.0f, 58.0f}, 15.0f, 34.0f, 6.0f);
    // Slung between the bags: the armoured gun gondola with its twin guns forward.
    for (float x : {kMid - 6.0f, kMid + 6.0f}) {
        drawPlate(canvas, RoundedRect(Rect{x - 2.0f, 14.0f, x + 2.0f, 40.0f}, 1.5f), gunmetal(1.0f), kOutline,
                  1.0f);
    }
    drawPlate(canvas, gondola, gunmetal(5.0f), kOutline, 1.5f);
    drawSeams(canvas, mirroredSeamLines(1.2f, {{{68, 48}, {72, 84}}, {{kMid, 60}, {76, 60}}}), gondola,
              kSeam);
    drawLamp(canvas, {kMid, 70.0f}, 4.5f, kAmber, 1.0f);
    drawLamp(canvas, {kMid - 22.0f, 24.0f}, 1.8f, kCrimson, 0.8f);
    drawLamp(canvas, {kMid + 22.0f, 24.0f}, 1.8f, kCrimson, 0.8f);
    if (damaged) {
        drawEnvelopeTear(canvas, random, {kMid + 24.0f, 46.0f}, 8.0f, 10.0f);
        drawDamage(canvas, random, {40, 40, 88, 92}, 4, {{30, 88}});
        drawSparkle(canvas, {kMid - 4.0f, 52.0f}, 7.0f, kStormGold, 30.0f);
    }
}

// The kite flies nose-up; its tail of bows trails below it and swings between the frames.
void paintKite(Canvas& canvas, int frame) {
    const float swing = frame == 0 ? 1.0f : -1.0f;
    std::vector<Vec2> tailPath;
    for (int i = 0; i <= 12; ++i) {
        const float t = static_cast<float>(i) / 12.0f;
        tailPath.push_back({kMid + swing * 9.0f * std::sin(t * 2.0f * kPi) * t, 84.0f + 38.0f * t});
    }
    Strokes tail(1.6f);
    tail.addPolyline(tailPath);
    fill(canvas, tail, Colour::hex(0x3a3046));
    for (int i = 1; i <= 3; ++i) {
        const Vec2 at = tailPath[static_cast<size_t>(i * 3)];
        const Polygon bow({at + Vec2{-5, -2}, at + Vec2{5, 2}, at + Vec2{5, -2}, at + Vec2{-5, 2}});
        fill(canvas, bow, Colour::hex(0x8a2a60));
        stroke(canvas, bow, 1.0f, kOutline);
    }
    const Polygon sail({{kMid, 8}, {104, 50}, {kMid, 90}, {24, 50}});
    drawHalo(canvas, sail, kHostileHalo, 10.0f, 0.34f);
    drawPlate(canvas, sail, gunmetal(4.0f), kOutline, 2.0f);
    // Violet panels in the upper quarters, charged veins down the spars.
    for (float side : {-1.0f, 1.0f}) {
        const Polygon panel({{kMid + side * 4.0f, 20}, {kMid + side * 32.0f, 48}, {kMid + side * 4.0f, 48}});
        fillInside(canvas, panel, sail, metalPaint(sail, fabric(3.0f)));
    }
    Strokes spars(2.0f);
    spars.addSegment({kMid, 12}, {kMid, 86});
    spars.addSegment({28, 50}, {100, 50});
    fillInside(canvas, spars, sail, Colour::hex(0x1a1420));
    Strokes veins(1.0f);
    veins.addPolyline({{kMid, 16}, {kMid + 2, 28}, {kMid - 1, 38}, {kMid, 46}});
    veins.addPolyline({{kMid + 8, 50}, {kMid + 18, 48}, {kMid + 26, 51}});
    veins.addPolyline({{kMid - 8, 50}, {kMid - 17, 52}, {kMid - 27, 49}});
    glow(canvas, veins, kStormGold, 4.0f, 0.6f);
    fill(canvas, veins, kStormGold);
    drawLamp(canvas, {kMid, 50.0f}, 5.0f, kAmber, frame == 0 ? 1.0f : 0.75f);
    drawSparkle(canvas, {frame == 0 ? 102.0f : 26.0f, 50.0f}, 6.0f, kStormGold, 20.0f);
}

// The searchlight ship over a 256 x 128 block: two envelopes joined by a deck, the lamp's
// mount at the block's centre (the lamp is a module of its own).
void paintSearchlightHull(Canvas& block, bool damaged, Random& random) {
    const float c = 128.0f;
    const Polygon deck(mirrored({{c, 34}, {c + 58, 42}, {c + 64, 86}, {c + 40, 96}, {c, 94}}, c));
    const Ellipse left({c - 72.0f, 62.0f}, 26.0f, 54.0f);
    const Ellipse right({c + 72.0f, 62.0f}, 26.0f, 54.0f);
    const Union silhouette({&deck, &left, &right});
    drawHalo(block, silhouette, kHostileHalo, 12.0f, 0.36f);
    for (float side : {-1.0f, 1.0f}) {
        const Polygon fin(mirrored({{c + side * 72.0f, 96},
                                    {c + side * 72.0f + 12.0f, 104},
                                    {c + side * 72.0f + 18.0f, 122},
                                    {c + side * 72.0f, 116}},
                                   c + side * 72.0f));
        drawPlate(block, fin, gunmetal(2.5f), kOutline);
    }
    drawPlate(block, deck, gunmetal(6.0f), kOutline, 2.0f);
    drawSeams(
        block,
        mirroredSeamLines(
            1.4f, {{{c + 20, 40}, {c + 24, 92}}, {{c + 40, 44}, {c + 44, 90}}, {{c, 84}, {c + 56, 84}}}, c),
        deck, kSeam);
    drawEnvelope(block, {c - 72.0f, 62.0f}, 26.0f, 54.0f, 9.0f);
    drawEnvelope(block, {c + 72.0f, 62.0f}, 26.0f, 54.0f, 9.0f);
    // The lamp's turntable.
    drawPlate(block, Circle({c, 62.0f}, 22.0f), gunmetal(4.0f), kOutline, 1.5f);
    stroke(block, Circle({c, 62.0f}, 16.0f), 1.2f, Colour::hex(0xffb030, 0.5f));
    for (float side : {-1.0f, 1.0f}) {
        drawLamp(block, {c + side * 72.0f, 10.0f}, 2.4f, kAmber, 1.0f);
        drawLamp(block, {c + side * 96.0f, 62.0f}, 2.0f, side < 0.0f ? kCrimson : kAmber, 0.8f);
        drawLamp(block, {c + side * 50.0f, 88.0f}, 1.8f, kAmber, 0.7f);
    }
    if (damaged) {
        drawEnvelopeTear(block, random, {c - 78.0f, 44.0f}, 11.0f, 15.0f);
        drawEnvelopeTear(block, random, {c + 66.0f, 84.0f}, 9.0f, -20.0f);
        drawDamage(block, random, {c - 60, 40, c + 60, 92}, 6, {{c + 98, 20}, {c - 60, 96}});
        drawSparkle(block, {c + 30.0f, 52.0f}, 9.0f, kStormGold, 10.0f);
        drawSparkle(block, {c - 90.0f, 76.0f}, 7.0f, kStormGold, 40.0f);
    }
}

void paintSearchlightLamp(Canvas& canvas) {
    drawPlate(canvas, Circle({kMid, 70.0f}, 20.0f), gunmetal(4.0f), kOutline, 1.5f);
    // The lamp barrel, its lens at the front, pointing up.
    const RoundedRect barrel(Rect{kMid - 13.0f, 30.0f, kMid + 13.0f, 76.0f}, 5.0f);
    drawPlate(canvas, barrel, gunmetal(3.0f), kOutline, 1.5f);
    drawSeams(canvas,
              seamLines(1.2f, {{{kMid - 13, 50}, {kMid + 13, 50}}, {{kMid - 13, 60}, {kMid + 13, 60}}}),
              barrel, kSeam);
    const Ellipse lens({kMid, 30.0f}, 14.0f, 6.0f);
    glow(canvas, lens, Colour::hex(0xffd890), 14.0f, 0.8f);
    fill(canvas, Grown(lens, 1.5f), kOutline);
    fill(canvas, lens,
         radialGradient(
             {kMid, 29.0f}, 14.0f,
             {{0.0f, palette::white}, {0.6f, Colour::hex(0xffe0a0)}, {1.0f, Colour::hex(0xffa040)}}));
    drawLamp(canvas, {kMid, 70.0f}, 3.0f, kCrimson, 0.8f);
}

void paintRodBuoy(Canvas& canvas) {
    const Vec2 centre{kMid, kMid};
    // Four rods, a gold arc crackling at each tip.
    for (int i = 0; i < 4; ++i) {
        const float angle = -90.0f + 90.0f * static_cast<float>(i) + 45.0f;
        const Vec2 tip = centre + direction(angle) * 46.0f;
        Strokes rod(3.5f);
        rod.addSegment(centre + direction(angle) * 20.0f, tip);
        drawPlate(canvas, rod, gunmetal(1.2f), kOutline, 1.0f);
        Strokes arc(1.2f);
        arc.addPolyline({tip + direction(angle - 70.0f) * 7.0f, tip + direction(angle - 20.0f) * 4.0f,
                         tip + direction(angle + 20.0f) * 8.0f, tip + direction(angle + 70.0f) * 5.0f});
        glow(canvas, arc, kStormGold, 5.0f, 0.7f);
        fill(canvas, arc, palette::white);
        drawLamp(canvas, tip, 2.0f, kStormGold, 0.9f);
    }
    const Circle shell(centre, 22.0f);
    drawHalo(canvas, shell, kHostileHalo, 11.0f, 0.36f);
    drawPlate(canvas, shell, gunmetal(7.0f), kOutline, 2.0f);
    // The charged coil round its middle and the hot node at the top.
    stroke(canvas, Circle(centre, 14.0f), 3.0f, Colour::hex(0x1a1420));
    glow(canvas, Outline(Circle(centre, 14.0f), 1.5f), kStormGold, 5.0f, 0.55f);
    stroke(canvas, Circle(centre, 14.0f), 1.2f, kStormGold);
    drawLamp(canvas, centre, 6.0f, kAmber, 1.1f);
}

void paintCell(Canvas& atlas, const AtlasGrid& grid, int index, Random& random,
               void (*paint)(Canvas&, int, Random&)) {
    Canvas cell(grid.cellWidth(), grid.cellHeight());
    paint(cell, index, random);
    clearMargin(cell, 2.0f);
    const int frame = enemy_frame::kStageThreeFirst + index;
    grid.place(atlas, cell, frame % grid.columns(), frame / grid.columns());
}

void paintCraft(Canvas& cell, int index, Random& random) {
    switch (index) {
        case 0:
        case 1:
            paintSkiff(cell, index, false, random);
            break;
        case 2:
            paintSkiff(cell, 1, true, random);
            break;
        case 3:
        case 4:
            paintLeader(cell, index - 3, false, random);
            break;
        case 5:
            paintLeader(cell, 1, true, random);
            break;
        case 6:
            paintEscort(cell, false, random);
            break;
        case 7:
            paintEscort(cell, true, random);
            break;
        case 8:
        case 9:
            paintKite(cell, index - 8);
            break;
        case 12:
            paintSearchlightLamp(cell);
            break;
        case 15:
            paintRodBuoy(cell);
            break;
        default:
            break;
    }
}

// ---- Bullets ----

// The house's enemy hues (BulletArt.h): never the player's blue or cyan.
using namespace bullet_hue;

constexpr Vec2 kCentre = kBulletCellCentre;

std::vector<Vec2> hexagon(float rx, float ry) {
    std::vector<Vec2> points;
    for (int i = 0; i < 6; ++i) {
        const Vec2 unit = direction(-90.0f + 60.0f * static_cast<float>(i));
        points.push_back(kCentre + Vec2{unit.x * rx, unit.y * ry});
    }
    return points;
}

// Hail: a hexagonal crystal standing on its point, its facets drawn from the heart to each
// corner.
void paintHail(Canvas& cell, const BulletHue& hue) {
    const std::vector<Vec2> corners = hexagon(17.0f, 22.0f);
    drawEnemyBullet(cell, Polygon(corners), Polygon(hexagon(6.5f, 9.0f)), hue, 4.0f);
    Strokes facets(1.2f);
    for (const Vec2& corner : corners) {
        facets.addSegment(kCentre + (corner - kCentre) * 0.4f, corner + (kCentre - corner) * 0.12f);
    }
    fill(cell, facets, hue.hot.withAlpha(0.55f), Blend::Add);
}

std::vector<Vec2> zigzag(float top, float bottom, float swing, int bends, float lean) {
    std::vector<Vec2> points;
    for (int i = 0; i <= bends; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(bends);
        const float side = i == 0 || i == bends ? 0.0f : (i % 2 == 1 ? swing : -swing);
        points.push_back({kCentre.x + side + lean * (t - 0.5f), lerp(top, bottom, t)});
    }
    return points;
}

// Bolt: a short zigzag of lightning, a hot thread down its middle.
void paintBolt(Canvas& cell, const BulletHue& hue) {
    const std::vector<Vec2> path = zigzag(7.0f, 57.0f, 9.0f, 4, 0.0f);
    Strokes body(10.0f);
    body.addPolyline(path);
    Strokes core(3.5f);
    core.addPolyline(path);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
}

// A teardrop about the cell's centre, its point up: `size` is the round end's radius.
std::vector<Vec2> teardrop(float size, float dropY) {
    std::vector<Vec2> points;
    const Vec2 round{kCentre.x, kCentre.y + dropY};
    const float tipHeight = size * 2.3f;
    for (int i = 0; i <= 24; ++i) {
        const float t = static_cast<float>(i) / 24.0f;
        const float angle = radians(360.0f * t);
        // A circle pulled into a point at the top: the upper half narrows towards the tip.
        const float y = -std::cos(angle);
        const float x = std::sin(angle);
        const float pinch = y > 0.0f ? std::pow(1.0f - y, 0.8f) : 1.0f;
        points.push_back({round.x + x * size * pinch, round.y - (y > 0.0f ? y * tipHeight : y * size)});
    }
    return points;
}

void paintDrop(Canvas& cell, const BulletHue& hue) {
    drawEnemyBullet(cell, Polygon(teardrop(15.0f, 9.0f)), Polygon(teardrop(6.0f, 12.0f)), hue, 4.0f);
}

// Spore: a round puff ringed with bright dots, each with its own rim.
void paintSpore(Canvas& cell, const BulletHue& hue) {
    drawEnemyBullet(cell, Circle(kCentre, 13.0f), Circle(kCentre, 5.0f), hue, 4.0f);
    for (int i = 0; i < 8; ++i) {
        const Vec2 at = kCentre + direction(-90.0f + 45.0f * static_cast<float>(i)) * 21.5f;
        fill(cell, Circle(at, 4.6f), bulletRim(hue));
        glow(cell, Circle(at, 2.8f), hue.body, 4.0f, 0.6f);
        fill(cell, Circle(at, 2.8f), mix(hue.body, hue.hot, 0.6f));
    }
}

// A beam body: the beam pass stretches the cell's middle row along the beam, so it is drawn
// upright through the whole cell, bright across its middle and soft to the sides.
void paintSearchBeam(Canvas& cell, bool flicker) {
    const Colour amber = Colour::hex(0xffc870);
    const float width = flicker ? 12.0f : 14.0f;
    shade(cell, [&](Vec2 p) {
        const float across = (p.x - kCentre.x) / width;
        const float body = std::exp(-across * across * 1.6f);
        const float core = std::exp(-across * across * 14.0f);
        const float alpha = clamp01(body * (flicker ? 0.8f : 0.7f) + core * 0.3f);
        return mix(amber, Colour::hex(0xfff4dc), core).withAlpha(alpha);
    });
}

// The beam pass stretches one row through the middle of the cell along the beam, so the bolt
// is drawn to cross that row at a different place in each frame (the second with a fork): the
// beam's body jumps from side to side as it flickers, a crackle.
void paintLightningBeam(Canvas& cell, int variant) {
    const float swings[2][5] = {{9.0f, -7.0f, 4.0f, -4.0f, 6.0f}, {-8.0f, 10.0f, 6.0f, 8.0f, -10.0f}};
    std::vector<Vec2> path{{kCentre.x, 0.0f}};
    for (int i = 0; i < 5; ++i) {
        path.push_back({kCentre.x + swings[variant][i], 6.0f + 10.5f * static_cast<float>(i)});
    }
    path.push_back({kCentre.x, 64.0f});
    Strokes body(7.0f);
    body.addPolyline(path);
    Strokes core(2.5f);
    core.addPolyline(path);
    if (variant == 1) {
        body.addPolyline({{kCentre.x + 7.0f, 36.0f}, {kCentre.x - 4.0f, 31.0f}, {kCentre.x - 11.0f, 24.0f}});
    }
    const Colour gold = Colour::hex(0xffd860);
    glow(cell, body, gold, 12.0f, 0.55f);
    fill(cell, Grown(body, 1.5f), Colour::hex(0x2a1a04, 0.8f));
    fill(cell, body, mix(gold, palette::white, 0.3f));
    fill(cell, core, palette::white);
}

}  // namespace

void drawEnvelopeTear(Canvas& canvas, Random& random, Vec2 at, float size, float degrees) {
    std::vector<Vec2> ragged;
    for (int i = 0; i < 10; ++i) {
        const float angle = 36.0f * static_cast<float>(i);
        const float stretch = std::abs(std::cos(radians(angle))) * 0.9f + 0.45f;
        ragged.push_back(at +
                         rotated(direction(angle) * (size * stretch * random.range(0.7f, 1.1f)), degrees));
    }
    const Polygon gash(ragged);
    fill(canvas, Grown(gash, 1.5f), Colour::hex(0x2a1408, 0.8f));
    fill(canvas, gash, Colour::hex(0x07050a));
    Strokes ribs(1.4f);
    for (float dx : {-0.4f, 0.3f}) {
        ribs.addSegment(at + rotated({dx * size, -size}, degrees), at + rotated({dx * size, size}, degrees));
    }
    fillInside(canvas, ribs, gash, Colour::hex(0x5a4a50));
    glow(canvas, Outline(gash, 1.0f), Colour::hex(0xff7a1a), 3.0f, 0.6f);
}

void paintStageThreeEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random) {
    for (int index = 0; index < enemy_frame::kStageThreeCount; ++index) {
        paintCell(atlas, grid, index, random, paintCraft);
    }
    // The searchlight ship spans two cells, whole and damaged.
    for (const int index : {10, 13}) {
        Canvas block(grid.cellWidth() * 2, grid.cellHeight());
        paintSearchlightHull(block, index == 13, random);
        clearMargin(block, 2.0f);
        const PixelRect corner = grid.frame(enemy_frame::kStageThreeFirst + index);
        atlas.copyFrom(block, corner.left, corner.top);
    }
}

void paintStageThreeBullet(Canvas& cell, int index) {
    const BulletHue hail[] = {kPurple, kMagenta, kGreen, kYellow};
    const BulletHue bolts[] = {kYellow, kPurple, kMagenta, kLime};
    const BulletHue drops[] = {kGreen, kMagenta, kPurple, kRed};
    const BulletHue spores[] = {kRed, kOrange, kYellow, kGreen};
    if (index < 4) {
        paintHail(cell, hail[index]);
    } else if (index < 8) {
        paintBolt(cell, bolts[index - 4]);
    } else if (index < 12) {
        paintDrop(cell, drops[index - 8]);
    } else if (index < 16) {
        paintSpore(cell, spores[index - 12]);
    } else if (index < 18) {
        paintSearchBeam(cell, index == 17);
    } else if (index < 20) {
        paintLightningBeam(cell, index - 18);
    } else {
        return;
    }
    fadeBorders(cell, 3.0f);
}

}  // namespace artgen
