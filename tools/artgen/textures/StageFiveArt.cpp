// The fifth stage's art: the citadel's crystal craft in cells 34 to 51 of its own enemy atlas and
// its family of bullets in frames 64 to 127 of its own bullet atlas.
//
// The citadel's guardians are dark crystal grown on obsidian and wine-violet stone: their facets
// catch a rose light at the edges, their cores and seams glow amber and pale gold, and a faint
// hostile halo rims each one. Enemy cells, counted from enemy_frame::kLateStageFirst (34):
//
//    0, 1  shard drone: a long crystal shard between two short wing shards; a glint runs down
//          it between the frames
//    2     shard drone damaged (cracked, a wing chipped off)
//    3     crystal pylon: a tall faceted crystal standing on a ring of dark stone, glowing
//    4     crystal pylon cracked (its light gone dim, cracks to its heart)
//    5, 6  prism guardian: a stone-armoured triangular prism round a crystal core; the core
//          pulses between the frames
//    7     prism guardian damaged
//    8     refractor base: an octagonal stone socket
//    9     refractor lens: a crystal lens in a bracket, pointing up (module, pivot at the cell
//          centre)
//   10     refractor base damaged
//   11-12  lattice walker, 2 x 1 cells: a frame of crystal struts on six jointed legs
//   13     geode mine: a rough stone shell split in three by glowing seams
//   14-15  lattice walker damaged, 2 x 1 cells
//   16     geode shard: a third of the geode, its broken faces hot
//   17     shield halo: a thin bright ring of crystal light, clear inside
//
// Bullets, counted from bullet_frame::kLateFamilyFirst (64), all pointing up:
//    0-3   prism: an elongated hexagonal crystal; magenta, red, green, yellow
//    4-7   facet: a small diamond; yellow, magenta, orange, lime
//    8-11  geode: a large faceted round gem; red, purple, green, orange
//   12-15  splinter: a thin sharp sliver; orange, magenta, yellow, green
//   16-19  mote: a tiny round spark with a cross glint; red, magenta, yellow, green
//   20, 21 refraction beam body, rose-gold and upright, and its flicker frame

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "textures/BulletArt.h"
#include "textures/CraftKit.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/StageFiveArt.h"

namespace artgen {

namespace {

constexpr float kMid = 64.0f;  // the centre line of a 128-pixel cell

const Colour kOutline = Colour::hex(0x060309);
const Colour kSeam = Colour::hex(0x0a0510, 0.6f);
const Colour kRose = Colour::hex(0xff7aa8);
const Colour kAmber = Colour::hex(0xffb040);
const Colour kPaleGold = Colour::hex(0xffe6a8);
const Colour kHostileHalo = Colour::hex(0xff3a6a);

}  // namespace

// ---- The crystal kit, shared with the bosses ----

Crystal darkCrystal() {
    return {Colour::hex(0x12071a), Colour::hex(0x3a1740), Colour::hex(0xb0608e), kRose};
}

Crystal litCrystal() {
    return {Colour::hex(0x4a1830), Colour::hex(0xc0507a), Colour::hex(0xffd0dc), kPaleGold};
}

Metal citadelStone(float bevel) {
    Metal metal;
    metal.lit = Colour::hex(0x6a5060);
    metal.base = Colour::hex(0x2a1a26);
    metal.shade = Colour::hex(0x0a060a);
    metal.bevel = bevel;
    metal.sheen = 0.15f;
    metal.rim = Colour::hex(0xffa0b0);
    metal.rimStrength = 0.25f;
    return metal;
}

void drawCrystal(Canvas& canvas, const std::vector<Vec2>& outline, Vec2 apex, const Crystal& crystal,
                 float edgeStrength) {
    const Polygon body(outline);
    fill(canvas, Grown(body, 1.5f), kOutline);
    fill(canvas, body, crystal.shade);
    // Each facet runs from the apex to one edge; it is lit by how squarely it faces the upper
    // left, the way the rest of the craft are lit.
    const Vec2 light = normalized(Vec2{-0.6f, -0.8f});
    const size_t count = outline.size();
    for (size_t i = 0; i < count; ++i) {
        const Vec2 a = outline[i];
        const Vec2 b = outline[(i + 1) % count];
        const Vec2 facing = normalized((a + b) * 0.5f - apex);
        const float lit = clamp01(0.5f + 0.6f * dot(facing, light));
        const Colour colour = lit < 0.5f ? mix(crystal.shade, crystal.base, lit * 2.0f)
                                         : mix(crystal.base, crystal.lit, (lit - 0.5f) * 2.0f);
        fillInside(canvas, Polygon({apex, a, b}), body, colour);
    }
    // The ridges from the apex catch a thin line of light; the rim glints on its lit side.
    Strokes ridges(1.0f);
    for (const Vec2& corner : outline) {
        ridges.addSegment(apex, corner);
    }
    fillInside(canvas, ridges, body, crystal.edge.withAlpha(0.35f * edgeStrength), Blend::Add);
    fillInside(canvas, Outline(body, 1.6f), body, crystal.edge.withAlpha(0.5f * edgeStrength), Blend::Add);
}

void drawGlowSeam(Canvas& canvas, const Strokes& seam, Colour colour, float strength) {
    glow(canvas, seam, colour, 6.0f, 0.7f * strength);
    fill(canvas, seam, mix(colour, palette::white, 0.4f).withAlpha(strength));
}

void drawCrack(Canvas& canvas, Random& random, Vec2 from, float degrees, float size, const Shape& within) {
    Strokes crack(1.3f);
    std::vector<Vec2> path{from};
    for (int i = 0; i < 4; ++i) {
        path.push_back(path.back() + direction(degrees + random.range(-35.0f, 35.0f)) * (size * 0.25f));
    }
    crack.addPolyline(path);
    crack.addSegment(path[2], path[2] + direction(degrees + 50.0f) * (size * 0.3f));
    fillInside(canvas, Grown(crack, 1.0f), within, kOutline);
    glow(canvas, crack, kAmber, 3.0f, 0.5f);
    fillInside(canvas, crack, within, Colour::hex(0xffc070, 0.8f), Blend::Add);
}

namespace {

std::vector<Vec2> ringPoints(Vec2 centre, float rx, float ry, int count, float startDegrees) {
    std::vector<Vec2> points;
    for (int i = 0; i < count; ++i) {
        const Vec2 unit =
            direction(startDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(count));
        points.push_back(centre + Vec2{unit.x * rx, unit.y * ry});
    }
    return points;
}

// ---- The craft ----

// A long shard pointing up between two short wing shards; a glint runs along the long one.
void paintShardDrone(Canvas& canvas, int frame, bool damaged, Random& random) {
    const std::vector<Vec2> spine{{kMid, 10}, {74, 40}, {72, 92}, {kMid, 116}, {56, 92}, {54, 40}};
    const std::vector<Vec2> leftWing{{24, 52}, {52, 50}, {56, 72}, {34, 84}};
    const std::vector<Vec2> rightWing{{104, 52}, {76, 50}, {72, 72}, {94, 84}};
    const Polygon spineShape(spine);
    const Polygon leftShape(leftWing);
    const Polygon rightShape(rightWing);
    const Union silhouette({&spineShape, &leftShape, &rightShape});
    drawHalo(canvas, silhouette, kHostileHalo, 10.0f, 0.34f);
    if (!damaged) {
        drawCrystal(canvas, leftWing, {44, 62}, darkCrystal(), 0.8f);
    }
    drawCrystal(canvas, rightWing, {84, 62}, darkCrystal(), 0.8f);
    drawCrystal(canvas, spine, {kMid, 48}, darkCrystal(), 1.0f);
    // A rose core low on the spine, and the glint high or low on it by frame.
    drawLamp(canvas, {kMid, 70.0f}, 4.5f, kRose, 1.0f);
    drawSparkle(canvas, {kMid + 2.0f, frame == 0 ? 30.0f : 96.0f}, 10.0f, kPaleGold, 15.0f);
    if (damaged) {
        // The left wing is gone: a stump of broken crystal where it was.
        drawCrystal(canvas, {{42, 58}, {52, 50}, {56, 72}, {46, 70}}, {50, 62}, darkCrystal(), 0.6f);
        drawCrack(canvas, random, {60, 30}, 100.0f, 40.0f, spineShape);
        drawDamage(canvas, random, {50, 30, 80, 100}, 3, {{76, 86}});
        drawSparkle(canvas, {46.0f, 64.0f}, 7.0f, kAmber, 30.0f);
    }
}

// A tall hexagonal crystal seen from above and a little in front, standing on a stone ring:
// the brightest thing among the craft, since the player must find it and break it first.
void paintPylon(Canvas& canvas, bool cracked, Random& random) {
    const Vec2 foot{kMid, 92.0f};
    const Ellipse ring(foot, 42.0f, 24.0f);
    drawHalo(canvas, ring, kHostileHalo, 8.0f, 0.3f);
    drawPlate(canvas, ring, citadelStone(6.0f), kOutline, 2.0f);
    // The ring is laid in blocks; the socket in its middle is dark.
    Strokes joints(1.4f);
    for (int i = 0; i < 8; ++i) {
        const Vec2 unit = direction(22.5f + 45.0f * static_cast<float>(i));
        joints.addSegment(foot + Vec2{unit.x * 26.0f, unit.y * 15.0f},
                          foot + Vec2{unit.x * 42.0f, unit.y * 24.0f});
    }
    drawSeams(canvas, joints, ring, kSeam);
    fill(canvas, Ellipse(foot, 24.0f, 13.0f), Colour::hex(0x07030a));
    const std::vector<Vec2> crystal{{kMid, 6}, {80, 24}, {82, 86}, {74, 98}, {54, 98}, {46, 86}, {48, 24}};
    const Polygon shape(crystal);
    glow(canvas, shape, cracked ? kAmber : kPaleGold, 16.0f, cracked ? 0.25f : 0.55f);
    drawCrystal(canvas, crystal, {kMid + 2.0f, 30.0f}, cracked ? darkCrystal() : litCrystal(), 1.0f);
    // The light inside it: a bright vein up its axis.
    Strokes vein(2.4f);
    vein.addSegment({kMid + 1.0f, 18.0f}, {kMid, 88.0f});
    drawGlowSeam(canvas, vein, cracked ? kAmber : kPaleGold, cracked ? 0.4f : 1.0f);
    if (cracked) {
        drawCrack(canvas, random, {kMid + 12.0f, 26.0f}, 110.0f, 50.0f, shape);
        drawCrack(canvas, random, {kMid - 14.0f, 60.0f}, 60.0f, 30.0f, shape);
        // The tip has broken off.
        fill(canvas, Polygon({{52, 4}, {86, 4}, {82, 22}, {66, 16}, {56, 24}}), Colour{0, 0, 0, 0},
             Blend::Erase);
        drawSparkle(canvas, {70.0f, 20.0f}, 8.0f, kAmber, 20.0f);
    } else {
        drawSparkle(canvas, {kMid + 6.0f, 20.0f}, 12.0f, kPaleGold, 10.0f);
    }
}

// A triangular prism pointing up, cased in stone plates, its crystal core showing through a
// hexagonal port; the core swells and brightens in the second frame.
void paintGuardian(Canvas& canvas, int frame, bool damaged, Random& random) {
    const std::vector<Vec2> hull{{kMid, 8}, {112, 96}, {96, 114}, {32, 114}, {16, 96}};
    const Polygon hullShape(hull);
    drawHalo(canvas, hullShape, kHostileHalo, 11.0f, 0.36f);
    drawPlate(canvas, hullShape, citadelStone(7.0f), kOutline, 2.0f);
    // The plates' joints and crystal studs at the three corners.
    drawSeams(canvas,
              seamLines(1.4f, {{{kMid, 14}, {kMid, 46}},
                               {{40, 86}, {24, 100}},
                               {{88, 86}, {104, 100}},
                               {{28, 106}, {100, 106}}}),
              hullShape, kSeam);
    for (const Vec2& stud : {Vec2{kMid, 26}, Vec2{30, 102}, Vec2{98, 102}}) {
        drawCrystal(canvas, ringPoints(stud, 7.0f, 7.0f, 4, -90.0f), stud + Vec2{-1.0f, -1.0f}, darkCrystal(),
                    0.9f);
    }
    const Vec2 core{kMid, 74.0f};
    const float swell = frame == 0 ? 1.0f : 1.15f;
    const std::vector<Vec2> port = ringPoints(core, 26.0f, 26.0f, 6, -90.0f);
    fill(canvas, Polygon(port), Colour::hex(0x07030a));
    const std::vector<Vec2> heart = ringPoints(core, 18.0f * swell, 18.0f * swell, 6, -60.0f);
    glow(canvas, Polygon(heart), kRose, frame == 0 ? 10.0f : 16.0f, frame == 0 ? 0.5f : 0.8f);
    drawCrystal(canvas, heart, core + Vec2{-3.0f, -4.0f}, litCrystal(), 1.0f);
    drawLamp(canvas, core, frame == 0 ? 4.0f : 5.5f, kPaleGold, frame == 0 ? 0.8f : 1.1f);
    if (damaged) {
        drawDamage(canvas, random, {24, 30, 104, 112}, 5, {{106, 98}, {kMid, 14}});
        drawCrack(canvas, random, core + Vec2{8.0f, -6.0f}, -40.0f, 30.0f, Polygon(heart));
        drawSparkle(canvas, {38.0f, 92.0f}, 8.0f, kAmber, 25.0f);
    }
}

// An octagonal stone socket sunk in the floor, crystal studs at four of its corners.
void paintRefractorBase(Canvas& canvas, bool damaged, Random& random) {
    const Vec2 c{kMid, kMid};
    const Polygon block(ringPoints(c, 50.0f, 50.0f, 8, 22.5f));
    drawHalo(canvas, block, kHostileHalo, 8.0f, 0.3f);
    drawPlate(canvas, block, citadelStone(7.0f), kOutline, 2.0f);
    const Polygon socket(ringPoints(c, 30.0f, 30.0f, 8, 22.5f));
    drawPlate(canvas, socket, citadelStone(4.0f), kOutline, 1.5f);
    fill(canvas, Circle(c, 20.0f), Colour::hex(0x07030a));
    stroke(canvas, Circle(c, 20.0f), 1.5f, kRose.withAlpha(0.5f));
    for (int i = 0; i < 4; ++i) {
        const Vec2 at = c + direction(45.0f + 90.0f * static_cast<float>(i)) * 40.0f;
        drawCrystal(canvas, ringPoints(at, 6.0f, 6.0f, 4, -90.0f), at + Vec2{-1.0f, -1.0f}, darkCrystal(),
                    0.9f);
    }
    if (damaged) {
        drawDamage(canvas, random, {20, 20, 108, 108}, 5, {{104, 40}, {30, 104}});
        drawSparkle(canvas, {86.0f, 84.0f}, 8.0f, kAmber, 20.0f);
    }
}

// A crystal lens in a stone bracket, pointing up, turned about the cell centre.
void paintRefractorLens(Canvas& canvas) {
    const Vec2 c{kMid, kMid};
    const RoundedRect bracket(Rect{kMid - 22.0f, 52.0f, kMid + 22.0f, 84.0f}, 6.0f);
    drawPlate(canvas, bracket, citadelStone(4.0f), kOutline, 1.5f);
    const std::vector<Vec2> prism{{kMid, 14}, {76, 32}, {76, 70}, {kMid, 80}, {52, 70}, {52, 32}};
    glow(canvas, Polygon(prism), kRose, 12.0f, 0.5f);
    drawCrystal(canvas, prism, {kMid - 2.0f, 40.0f}, litCrystal(), 1.0f);
    drawLamp(canvas, {kMid, 26.0f}, 4.0f, kPaleGold, 1.0f);
    drawLamp(canvas, c + Vec2{0.0f, 14.0f}, 2.5f, kAmber, 0.8f);
}

// A rough stone sphere split in three by glowing seams, where it breaks into its shards.
void paintGeodeMine(Canvas& canvas, Random& random) {
    const Vec2 c{kMid, kMid};
    std::vector<Vec2> lumps;
    for (int i = 0; i < 14; ++i) {
        lumps.push_back(c + direction(360.0f * static_cast<float>(i) / 14.0f) * random.range(38.0f, 44.0f));
    }
    const Polygon shell(lumps);
    drawHalo(canvas, shell, kHostileHalo, 10.0f, 0.34f);
    drawPlate(canvas, shell, citadelStone(9.0f), kOutline, 2.0f);
    for (int i = 0; i < 5; ++i) {
        const Vec2 at = c + direction(random.range(0.0f, 360.0f)) * random.range(10.0f, 30.0f);
        fill(canvas, Circle(at, random.range(3.0f, 5.0f)), Colour::hex(0x140a12, 0.7f));
    }
    Strokes seams(2.2f);
    for (int i = 0; i < 3; ++i) {
        const float angle = -90.0f + 120.0f * static_cast<float>(i);
        seams.addPolyline({c, c + direction(angle + 8.0f) * 16.0f, c + direction(angle - 6.0f) * 30.0f,
                           c + direction(angle) * 44.0f});
    }
    drawGlowSeam(canvas, seams, kAmber, 1.0f);
    drawLamp(canvas, c, 6.0f, kRose, 1.0f);
}

// One third of the geode: a wedge of stone, its two broken faces glowing.
void paintGeodeShard(Canvas& canvas, Random& random) {
    const Vec2 c{kMid, 78.0f};
    std::vector<Vec2> wedge{c};
    for (int i = 0; i <= 6; ++i) {
        wedge.push_back(c + direction(-150.0f + 20.0f * static_cast<float>(i)) * random.range(48.0f, 54.0f));
    }
    const Polygon shape(wedge);
    drawHalo(canvas, shape, kHostileHalo, 9.0f, 0.32f);
    drawPlate(canvas, shape, citadelStone(7.0f), kOutline, 2.0f);
    Strokes faces(2.6f);
    faces.addSegment(c, wedge[1]);
    faces.addSegment(c, wedge.back());
    fillInside(canvas, Grown(faces, 3.0f), shape, Colour::hex(0x6a2a30, 0.8f));
    drawGlowSeam(canvas, faces, kAmber, 0.9f);
    drawSparkle(canvas, c + Vec2{0.0f, -6.0f}, 9.0f, kPaleGold, 0.0f);
}

// A thin ring of crystal light, clear inside: drawn over a shielded craft by the engine.
void paintShieldHalo(Canvas& canvas) {
    const Vec2 c{kMid, kMid};
    const Arc ring(c, 52.0f, 3.0f, 0.0f, 360.0f);
    glow(canvas, ring, kRose, 8.0f, 0.6f);
    fill(canvas, ring, mix(kRose, palette::white, 0.5f));
    // Six facet glints set round the ring, and a hairline of gold inside it.
    stroke(canvas, Circle(c, 47.0f), 1.0f, kPaleGold.withAlpha(0.45f), Blend::Add);
    for (int i = 0; i < 6; ++i) {
        const Vec2 at = c + direction(-90.0f + 60.0f * static_cast<float>(i)) * 52.0f;
        drawCrystal(canvas, ringPoints(at, 4.5f, 7.0f, 4, -90.0f), at, litCrystal(), 1.0f);
        drawSparkle(canvas, at, 6.0f, kPaleGold, 0.0f);
    }
}

// The lattice walker over a 256 x 128 block: a frame of crystal struts round a core, six
// jointed legs of stone reaching out and down from it.
void paintLatticeWalker(Canvas& block, bool damaged, Random& random) {
    const float c = 128.0f;
    const Vec2 core{c, 60.0f};
    // Legs first: the frame lies over their roots. The damaged walker has lost one.
    Strokes legs(6.0f);
    const float hips[3] = {-26.0f, 0.0f, 26.0f};
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 3; ++i) {
            if (damaged && side > 0.0f && i == 2) {
                continue;
            }
            const Vec2 hip{c + side * 50.0f, 60.0f + hips[i]};
            const Vec2 knee = hip + Vec2{side * 36.0f, hips[i] * 0.6f - 18.0f};
            const Vec2 foot = knee + Vec2{side * 20.0f, 34.0f + hips[i] * 0.3f};
            legs.addPolyline({hip, knee, foot});
        }
    }
    drawPlate(block, legs, citadelStone(2.0f), kOutline, 1.5f);
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 3; ++i) {
            if (damaged && side > 0.0f && i == 2) {
                continue;
            }
            const Vec2 hip{c + side * 50.0f, 60.0f + hips[i]};
            const Vec2 knee = hip + Vec2{side * 36.0f, hips[i] * 0.6f - 18.0f};
            drawLamp(block, knee, 2.2f, kAmber, 0.7f);
        }
    }
    // The frame: a hexagon of struts with spokes to the core.
    const std::vector<Vec2> corners = ringPoints(core, 62.0f, 46.0f, 6, 0.0f);
    Strokes struts(7.0f);
    struts.addPolyline(corners, true);
    for (const Vec2& corner : corners) {
        struts.addSegment(corner, core);
    }
    drawHalo(block, struts, kHostileHalo, 12.0f, 0.36f);
    fill(block, Grown(struts, 1.5f), kOutline);
    fill(block, struts,
         metalPaint(struts, Metal{Colour::hex(0xd08aa8), Colour::hex(0x4a1d44), Colour::hex(0x14071a), 2.5f,
                                  0.3f, kRose, 0.5f}));
    Strokes glints(1.4f);
    glints.addPolyline(corners, true);
    fill(block, glints, kRose.withAlpha(0.45f), Blend::Add);
    // Crystal nodes at the joints and the core in its cage.
    for (const Vec2& corner : corners) {
        drawCrystal(block, ringPoints(corner, 7.0f, 7.0f, 6, -90.0f), corner + Vec2{-1.5f, -1.5f},
                    darkCrystal(), 1.0f);
    }
    const std::vector<Vec2> heart = ringPoints(core, 16.0f, 20.0f, 6, -90.0f);
    glow(block, Polygon(heart), kRose, 12.0f, 0.6f);
    drawCrystal(block, heart, core + Vec2{-2.0f, -4.0f}, litCrystal(), 1.0f);
    drawLamp(block, core, 4.0f, kPaleGold, 1.0f);
    if (damaged) {
        drawCrack(block, random, core + Vec2{6.0f, -8.0f}, -30.0f, 34.0f, Polygon(heart));
        drawDamage(block, random, {c - 60, 20, c + 60, 104}, 6, {{c + 62, 60}});
        drawSparkle(block, {c + 56.0f, 80.0f}, 9.0f, kAmber, 20.0f);
        drawSparkle(block, corners[3], 8.0f, kAmber, 40.0f);
    }
}

void paintCraft(Canvas& cell, int index, Random& random) {
    switch (index) {
        case 0:
        case 1:
            paintShardDrone(cell, index, false, random);
            break;
        case 2:
            paintShardDrone(cell, 1, true, random);
            break;
        case 3:
        case 4:
            paintPylon(cell, index == 4, random);
            break;
        case 5:
        case 6:
            paintGuardian(cell, index - 5, false, random);
            break;
        case 7:
            paintGuardian(cell, 0, true, random);
            break;
        case 8:
        case 10:
            paintRefractorBase(cell, index == 10, random);
            break;
        case 9:
            paintRefractorLens(cell);
            break;
        case 13:
            paintGeodeMine(cell, random);
            break;
        case 16:
            paintGeodeShard(cell, random);
            break;
        case 17:
            paintShieldHalo(cell);
            break;
        default:
            break;
    }
}

// ---- Bullets ----

using namespace bullet_hue;

constexpr Vec2 kCentre = kBulletCellCentre;

// The facet lines of a cut stone: from its heart towards each corner, added as light.
void addFacetLines(Canvas& cell, const std::vector<Vec2>& corners, const BulletHue& hue, float from) {
    Strokes facets(1.2f);
    for (const Vec2& corner : corners) {
        facets.addSegment(kCentre + (corner - kCentre) * from, corner + (kCentre - corner) * 0.12f);
    }
    fill(cell, facets, hue.hot.withAlpha(0.5f), Blend::Add);
}

// Prism: a long hexagonal crystal, pointed at both ends.
void paintPrism(Canvas& cell, const BulletHue& hue) {
    const std::vector<Vec2> body{{32, 3}, {41, 16}, {41, 46}, {32, 61}, {23, 46}, {23, 16}};
    const std::vector<Vec2> core{{32, 12}, {35, 19}, {35, 44}, {32, 52}, {29, 44}, {29, 19}};
    drawEnemyBullet(cell, Polygon(body), Polygon(core), hue, 4.0f);
    Strokes ridges(1.1f);
    ridges.addPolyline({{32, 6}, {32, 58}});
    ridges.addPolyline({{23, 17}, {41, 17}});
    ridges.addPolyline({{23, 45}, {41, 45}});
    fill(cell, ridges, hue.hot.withAlpha(0.45f), Blend::Add);
}

// Facet: a small cut diamond, taller than wide.
void paintFacet(Canvas& cell, const BulletHue& hue) {
    const std::vector<Vec2> body{{32, 10}, {47, 32}, {32, 54}, {17, 32}};
    drawEnemyBullet(cell, Polygon(body), Polygon({{32, 22}, {38, 32}, {32, 42}, {26, 32}}), hue, 4.0f);
    addFacetLines(cell, body, hue, 0.35f);
}

// Geode: a large round gem cut into eight facets round a table, 28 pixels across.
void paintGeode(Canvas& cell, const BulletHue& hue) {
    const std::vector<Vec2> body = ringPoints(kCentre, 14.5f, 14.5f, 8, -90.0f + 22.5f);
    const std::vector<Vec2> table = ringPoints(kCentre, 6.5f, 6.5f, 8, -90.0f + 22.5f);
    drawEnemyBullet(cell, Polygon(body), Polygon(table), hue, 5.0f);
    addFacetLines(cell, body, hue, 0.45f);
    stroke(cell, Polygon(table), 1.0f, hue.hot.withAlpha(0.6f), Blend::Add);
}

// Splinter: a thin sharp sliver, barely wider than a line.
void paintSplinter(Canvas& cell, const BulletHue& hue) {
    const Polygon body({{32, 2}, {35.5f, 22}, {34, 50}, {32, 62}, {30, 50}, {28.5f, 22}});
    const Polygon core({{32, 10}, {33.2f, 24}, {32, 48}, {30.8f, 24}});
    drawEnemyBullet(cell, body, core, hue, 3.0f);
}

// Mote: a tiny round spark and a cross glint across it.
void paintMote(Canvas& cell, const BulletHue& hue) {
    drawEnemyBullet(cell, Circle(kCentre, 8.0f), Circle(kCentre, 3.5f), hue, 3.5f);
    drawSparkle(cell, kCentre, 15.0f, mix(hue.body, hue.hot, 0.5f), 0.0f);
}

// The refraction beam, upright: the beam pass stretches one row of it along the beam, so only
// its cross-section counts: a dark rim, a rose body with gold bands at its sides and a white-hot
// core. The flicker frame burns a little wider and hotter.
void paintRefractionBeam(Canvas& cell, bool flicker) {
    const float half = flicker ? 14.0f : 12.0f;
    const Colour rim = Colour::hex(0x14060c);
    const Colour rose = Colour::hex(0xff5a8c);
    const Colour gold = Colour::hex(0xffc860);
    shade(cell, [&](Vec2 p) {
        const float across = std::abs(p.x - kCentre.x) / half;
        if (across > 1.35f) {
            const float haze = std::exp(-(across - 1.35f) * 3.0f) * 0.3f;
            return rose.withAlpha(haze);
        }
        if (across > 1.0f) {
            return rim.withAlpha(0.9f);
        }
        const float core = std::exp(-across * across * (flicker ? 9.0f : 12.0f));
        Colour colour = mix(rose, gold, smoothstep(0.45f, 0.85f, across) * 0.8f);
        colour = mix(colour, palette::white, core);
        return colour.withAlpha(1.0f);
    });
}

}  // namespace

void paintStageFiveEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random) {
    for (int index = 0; index < enemy_frame::kStageFiveCount; ++index) {
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        paintCraft(cell, index, random);
        clearMargin(cell, 2.0f);
        const int frame = enemy_frame::kLateStageFirst + index;
        grid.place(atlas, cell, frame % grid.columns(), frame / grid.columns());
    }
    // The lattice walker spans two cells, whole and damaged.
    for (const int index : {11, 14}) {
        Canvas block(grid.cellWidth() * 2, grid.cellHeight());
        paintLatticeWalker(block, index == 14, random);
        clearMargin(block, 2.0f);
        const PixelRect corner = grid.frame(enemy_frame::kLateStageFirst + index);
        atlas.copyFrom(block, corner.left, corner.top);
    }
}

void paintStageFiveBullet(Canvas& cell, int index) {
    const BulletHue prisms[] = {kMagenta, kRed, kGreen, kYellow};
    const BulletHue facets[] = {kYellow, kMagenta, kOrange, kLime};
    const BulletHue geodes[] = {kRed, kPurple, kGreen, kOrange};
    const BulletHue splinters[] = {kOrange, kMagenta, kYellow, kGreen};
    const BulletHue motes[] = {kRed, kMagenta, kYellow, kGreen};
    if (index < 4) {
        paintPrism(cell, prisms[index]);
    } else if (index < 8) {
        paintFacet(cell, facets[index - 4]);
    } else if (index < 12) {
        paintGeode(cell, geodes[index - 8]);
    } else if (index < 16) {
        paintSplinter(cell, splinters[index - 12]);
    } else if (index < 20) {
        paintMote(cell, motes[index - 16]);
    } else if (index < 22) {
        paintRefractionBeam(cell, index == 21);
        return;
    } else {
        return;
    }
    fadeBorders(cell, 3.0f);
}

}  // namespace artgen
