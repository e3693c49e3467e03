// The fourth stage's art, the battle line: its craft in cells 34 to 63 of its own enemy atlas
// (enemies_4.png) and its family of bullets in frames 64 to 127 of its own bullet atlas
// (bullets_4.png).
//
// Enemy cells (frame = enemy_frame::kLateStageFirst + n), gunmetal and olive-grey under
// crimson battle lamps, all drawn nose up:
//   n  0, 1   strike fighter, two frames of afterburner;  n 2 the fighter damaged
//   n  3, 4   flak frigate, its battle lamps alternating;  n 5 the frigate damaged
//   n  6      deck turret base: an armoured ring bolted to a hull plate;  n 7 its triple
//             barrels (module, pivot at the cell centre);  n 8 the base damaged
//   n  9      torpedo boat: a narrow fast hull with a torpedo tube on each side
//   n 10, 11  escort carrier, 2 x 1 cells: a flat flight deck, the hangar mouth at its bow
//             (44 pixels ahead of the block's centre, where its fighters come out);
//   n 12, 13  the carrier damaged
//   n 14, 15  broadside cruiser, 2 x 1 cells, lying across the cell with its bow to the right
//             and gun batteries along both sides;  n 16, 17 the cruiser damaged
//   n 18      torpedo boat damaged
//
// Bullet frames (frame = bullet_frame::kLateFamilyFirst + n), all pointing up:
//   n  0-3    flak shell: a stubby shell with a bright fuse band: orange, red, yellow, magenta
//   n  4-7    flak fragment: a small jagged chip: orange, red, yellow, lime
//   n  8-11   tracer: a long thin streak: yellow, orange, red, green
//   n 12-15   torpedo: a long capsule with a finned tail: red, magenta, orange, yellow
//   n 16-19   pellet: a small round with a hard bright ring: red, yellow, green, magenta
//   n 20, 21  the broadside beam's body and its flicker frame, upright (the beam stretches it)

#include <vector>

#include "raster/Draw.h"
#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/StageFourKit.h"

namespace artgen {

namespace {

using namespace fleet;

// ---- Bullets ----

constexpr Vec2 kCentre = kBulletCellCentre;
using namespace bullet_hue;

// Points shrunk towards `centre` by `factor`, for a core the shape of its body.
std::vector<Vec2> shrunk(const std::vector<Vec2>& points, Vec2 centre, float factor) {
    std::vector<Vec2> result;
    for (const Vec2 point : points) {
        result.push_back(centre + (point - centre) * factor);
    }
    return result;
}

// A stubby shell: a blunt nose, a short body and a white-hot fuse band behind the nose,
// the mark of a shell that bursts.
void paintFlakShell(Canvas& cell, const BulletHue& hue) {
    const Ellipse nose({32.0f, 20.0f}, 10.5f, 12.0f);
    const RoundedRect tail(Rect{21.5f, 20.0f, 42.5f, 50.0f}, 4.0f);
    const Union body({&nose, &tail});
    const Ellipse core({32.0f, 33.0f}, 4.5f, 11.0f);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
    const RoundedRect fuse(Rect{20.0f, 22.0f, 44.0f, 27.5f}, 1.5f);
    fillInside(cell, fuse, body, mix(hue.hot, palette::white, 0.5f));
    glow(cell, Intersection(fuse, body), hue.hot, 4.0f, 0.5f);
    // The driving band at its base, dark against the glowing body.
    fillInside(cell, RoundedRect(Rect{20.0f, 44.0f, 44.0f, 46.5f}, 0.5f), body,
               bulletRim(hue).withAlpha(0.8f));
}

// A small jagged chip of a burst shell.
void paintFragment(Canvas& cell, const BulletHue& hue) {
    const std::vector<Vec2> outline{{30, 11}, {36, 18}, {45, 15}, {46, 29}, {41, 33}, {44, 46},
                                    {31, 50}, {27, 43}, {18, 42}, {21, 29}, {16, 20}, {26, 20}};
    const Polygon body(outline);
    const Polygon core(shrunk(outline, {31.0f, 31.0f}, 0.38f));
    drawEnemyBullet(cell, body, core, hue, 4.0f);
}

// A long thin streak of light, its round head bright and its tail thinning out.
void paintTracer(Canvas& cell, const BulletHue& hue) {
    const Circle head({32.0f, 14.0f}, 5.0f);
    const Polygon tail({{27.0f, 14.0f}, {37.0f, 14.0f}, {34.0f, 54.0f}, {30.0f, 54.0f}});
    const Union body({&head, &tail});
    const RoundedRect core(Rect{30.5f, 10.0f, 33.5f, 42.0f}, 1.5f);
    drawEnemyBullet(cell, body, core, hue, 3.0f);
}

// A torpedo: a long capsule, its warhead marked off by a dark seam, with a finned tail.
void paintTorpedo(Canvas& cell, const BulletHue& hue) {
    const RoundedRect hull(Rect{23.0f, 6.0f, 41.0f, 46.0f}, 9.0f);
    const Polygon fins({{24, 36}, {18, 56}, {26, 54}, {32, 50}, {38, 54}, {46, 56}, {40, 36}});
    const Union body({&hull, &fins});
    const RoundedRect core(Rect{29.0f, 11.0f, 35.0f, 36.0f}, 3.0f);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
    fillInside(cell, RoundedRect(Rect{20.0f, 19.0f, 44.0f, 21.0f}, 0.5f), body,
               bulletRim(hue).withAlpha(0.7f));
}

// A small round with a hard bright ring round its core.
void paintPellet(Canvas& cell, const BulletHue& hue) {
    const Circle body(kCentre, 11.0f);
    const Circle core(kCentre, 3.5f);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
    fill(cell, Arc(kCentre, 7.5f, 2.2f, 0.0f, 360.0f), hue.hot.withAlpha(0.9f), Blend::Add);
}

// The broadside beam, upright: the engine stretches one row of it along the beam, so only the
// cross-section counts: a near-black rim, a heavy crimson-orange body and a hot core. The
// flicker frame burns wider and hotter.
void paintBroadsideBeam(Canvas& cell, bool flicker) {
    const float half = flicker ? 17.0f : 15.0f;
    const RoundedRect body(Rect{32.0f - half, 4.0f, 32.0f + half, 60.0f}, half * 0.4f);
    const RoundedRect core(Rect{32.0f - half * 0.3f, 6.0f, 32.0f + half * 0.3f, 58.0f}, half * 0.25f);
    const BulletHue beam{Colour::hex(0xff4a1c), Colour::hex(0xffeedc)};
    glow(cell, body, beam.body, 10.0f, flicker ? 0.4f : 0.3f);
    fill(cell, Grown(body, 2.0f), bulletRim(beam));
    fill(cell, body,
         linearGradient({32.0f - half, 0.0f}, {32.0f + half, 0.0f},
                        {{0.0f, Colour::hex(0xa0100c)},
                         {0.25f, Colour::hex(0xe02418)},
                         {0.5f, mix(Colour::hex(0xff8a2a), beam.hot, 0.5f)},
                         {0.75f, Colour::hex(0xe02418)},
                         {1.0f, Colour::hex(0xa0100c)}}));
    glow(cell, core, beam.hot, 4.0f, 0.8f);
    fill(cell, core, flicker ? palette::white : beam.hot);
}

// ---- Enemies ----

constexpr float kMid = 64.0f;  // the centre line of a 128-pixel cell

// A swept-wing strike fighter. `frame` 0 and 1 flare the afterburners.
void paintStrikeFighter(Canvas& cell, int frame) {
    const Polygon fuselage(mirrored({{64, 12}, {70, 26}, {72, 60}, {74, 92}, {70, 106}, {64, 108}}, kMid));
    const Polygon wings(mirrored({{70, 46}, {108, 84}, {108, 96}, {72, 90}}, kMid));
    const Polygon fins(mirrored({{70, 88}, {88, 104}, {86, 112}, {70, 106}}, kMid));
    const Union silhouette({&fuselage, &wings, &fins});
    const float burn = frame == 0 ? 1.0f : 0.7f;
    for (float x : {58.0f, 70.0f}) {
        drawExhaust(cell, {x, 106.0f}, 6.0f, 16.0f * burn, kGunFlash, 0.7f + 0.3f * burn);
    }
    drawHalo(cell, silhouette, kHalo, 7.0f, 0.2f);
    drawPlate(cell, wings, olive(4.0f), kOutline);
    drawSeams(cell, mirroredSeamLines(1.0f, {{{76, 58}, {80, 88}}, {{88, 70}, {90, 92}}}), wings, kSeam);
    drawPlate(cell, fins, gunmetal(2.5f), kOutline);
    drawPlate(cell, fuselage, gunmetal(5.0f), kOutline, 1.8f);
    drawSeams(cell, seamLines(1.0f, {{{56, 56}, {72, 56}}, {{57, 80}, {71, 80}}}), fuselage, kSeam);
    // Intakes either side of the canopy, the canopy tinted crimson by the fleet's lamps.
    fillInside(cell, mirroredSeamLines(3.0f, {{{71, 50}, {72, 64}}}), fuselage, kOutline);
    drawCanopy(cell, RoundedRect({59, 28, 69, 48}, 5.0f), Colour::hex(0x5a1414), Colour::hex(0xffd8c8));
    drawLamp(cell, {105.0f, 90.0f}, 2.0f, kBattleLamp);
    drawLamp(cell, {23.0f, 90.0f}, 2.0f, kBattleLamp);
    drawLamp(cell, {kMid, 98.0f}, 1.6f, kDeckLight, 0.8f);
}

// A flak frigate: a stubby warship with four twin flak mounts and a squat bridge. Its battle
// lamps alternate between the bow and stern (`frame` 0) and the beam (`frame` 1).
void paintFlakFrigate(Canvas& cell, int frame) {
    const Polygon hull(mirrored({{64, 6}, {78, 20}, {92, 46}, {94, 98}, {86, 118}, {64, 124}}, kMid));
    for (float x : {56.0f, 72.0f}) {
        drawExhaust(cell, {x, 118.0f}, 7.0f, 8.0f, kGunFlash, 0.8f);
    }
    drawHalo(cell, hull, kHalo, 8.0f, 0.2f);
    drawPlate(cell, hull, gunmetal(7.0f), kOutline, 2.0f);
    fillMirroredPlates(cell, {Rect{66, 22, 82, 44}, Rect{68, 100, 86, 116}}, kMid, Grown(hull, -3.0f),
                       olive(3.0f));
    drawSeams(cell, mirroredSeamLines(1.0f, {{{68, 48}, {90, 48}}, {{68, 98}, {90, 98}}}), hull, kSeam);
    // The bridge, its slit lit crimson.
    const RoundedRect bridge({54, 60, 74, 84}, 4.0f);
    drawPlate(cell, bridge, olive(4.0f), kOutline, 1.5f);
    fill(cell, RoundedRect({57, 63, 71, 67}, 1.5f), kOutline);
    fill(cell, RoundedRect({58, 64, 70, 66}, 1.0f), kBattleLamp);
    // Four twin flak mounts, their barrels splayed up and out.
    for (const Vec2 mount : {Vec2{47, 52}, Vec2{81, 52}, Vec2{47, 90}, Vec2{81, 90}}) {
        const float side = mount.x < kMid ? -1.0f : 1.0f;
        Strokes barrels(2.6f);
        for (float offset : {-3.0f, 3.0f}) {
            const Vec2 root = mount + Vec2{offset, 0.0f};
            barrels.addSegment(root, root + Vec2{side * 6.0f, -17.0f});
        }
        drawPlate(cell, barrels, blackened(1.0f), kOutline, 1.0f);
        const Circle ring(mount, 9.0f);
        drawPlate(cell, ring, gunmetal(4.0f), kOutline, 1.5f);
        fill(cell, Circle(mount, 3.5f), kOutline);
        glow(cell, Circle(mount, 2.0f), kGunFlash, 4.0f, 0.5f);
    }
    // Battle lamps: two sets that take turns.
    const float bowStern = frame == 0 ? 1.0f : 0.25f;
    const float beam = frame == 0 ? 0.25f : 1.0f;
    drawLamp(cell, {kMid, 14.0f}, 2.6f, kBattleLamp, bowStern);
    drawLamp(cell, {kMid, 116.0f}, 2.6f, kBattleLamp, bowStern);
    drawLamp(cell, {38.0f, 72.0f}, 2.6f, kBattleLamp, beam);
    drawLamp(cell, {90.0f, 72.0f}, 2.6f, kBattleLamp, beam);
}

// A square of hull plate, bolted at its edges: the deck the turret stands on.
void drawHullPlate(Canvas& cell) {
    const RoundedRect plate({10, 10, 118, 118}, 6.0f);
    drawPlate(cell, plate, olive(4.0f), kOutline, 1.5f);
    drawSeams(
        cell,
        seamLines(
            1.2f,
            {{{10, 40}, {118, 40}}, {{10, 88}, {118, 88}}, {{40, 10}, {40, 40}}, {{88, 88}, {88, 118}}}),
        plate, kSeam);
    drawRivets(cell, {16, 16}, {112, 16}, 9);
    drawRivets(cell, {16, 112}, {112, 112}, 9);
    drawRivets(cell, {16, 28}, {16, 100}, 7);
    drawRivets(cell, {112, 28}, {112, 100}, 7);
}

// The deck turret's base: an armoured ring bolted to a hull plate, crimson lamps at its corners.
void paintDeckTurretBase(Canvas& cell) {
    drawHullPlate(cell);
    const Circle ring({kMid, kMid}, 38.0f);
    drawHalo(cell, ring, kHalo, 6.0f, 0.16f);
    drawPlate(cell, ring, gunmetal(8.0f), kOutline, 2.0f);
    stroke(cell, Circle({kMid, kMid}, 30.0f), 1.5f, kSeam);
    for (int i = 0; i < 12; ++i) {
        const Vec2 at = Vec2{kMid, kMid} + direction(30.0f * static_cast<float>(i)) * 34.0f;
        drawRivets(cell, at, at, 1, 1.4f);
    }
    fill(cell, Circle({kMid, kMid}, 26.0f), Colour::hex(0x080a09));
    stroke(cell, Circle({kMid, kMid}, 26.0f), 2.0f, Colour::hex(0x5c6260));
    for (const Vec2 at : {Vec2{22, 22}, Vec2{106, 22}, Vec2{22, 106}, Vec2{106, 106}}) {
        drawLamp(cell, at, 2.2f, kBattleLamp);
    }
}

// The deck turret's guns: three long barrels on a heavy housing, turning on the cell's centre.
void paintDeckTurretBarrels(Canvas& cell) {
    const Polygon housing(mirrored({{64, 36}, {84, 40}, {94, 56}, {92, 84}, {80, 94}, {64, 96}}, kMid));
    std::vector<RoundedRect> barrels;
    for (float x : {-10.0f, 0.0f, 10.0f}) {
        barrels.emplace_back(Rect{kMid + x - 4.0f, 6.0f, kMid + x + 4.0f, 50.0f}, 1.5f);
    }
    std::vector<const Shape*> parts{&housing};
    for (const RoundedRect& barrel : barrels) {
        parts.push_back(&barrel);
    }
    const Union silhouette(parts);
    drawHalo(cell, silhouette, kHalo, 6.0f, 0.2f);
    for (const RoundedRect& barrel : barrels) {
        drawPlate(cell, barrel, gunmetal(2.0f), kOutline, 1.4f);
        const Rect box = barrel.bounds();
        drawPlate(cell, RoundedRect({box.x0 - 1.0f, 6.0f, box.x1 + 1.0f, 12.0f}, 1.0f), gunmetal(1.5f),
                  kOutline, 1.0f);
        fill(cell, Circle({box.centre().x, 8.0f}, 1.4f), kGunFlash);
    }
    drawPlate(cell, housing, gunmetal(8.0f), kOutline, 2.0f);
    drawSeams(cell, seamLines(1.2f, {{{46, 58}, {82, 58}}, {{kMid, 62}, {kMid, 90}}}), housing, kSeam);
    fill(cell, RoundedRect({56, 70, 72, 78}, 3.0f), kOutline);
    drawLamp(cell, {kMid, 74.0f}, 2.8f, kBattleLamp);
}

// A torpedo boat: a narrow fast hull, a torpedo tube slung on each side with its warhead
// showing red at the mouth, and a big engine.
void paintTorpedoBoat(Canvas& cell) {
    const Polygon hull(mirrored({{64, 4}, {70, 16}, {75, 44}, {77, 100}, {73, 116}, {64, 120}}, kMid));
    const RoundedRect leftTube({40, 34, 50, 86}, 5.0f);
    const RoundedRect rightTube({78, 34, 88, 86}, 5.0f);
    const Polygon struts(mirrored({{64, 56}, {82, 58}, {82, 70}, {64, 72}}, kMid));
    const Union silhouette({&hull, &leftTube, &rightTube, &struts});
    drawExhaust(cell, {kMid, 118.0f}, 10.0f, 10.0f, kGunFlash, 1.0f);
    drawHalo(cell, silhouette, kHalo, 7.0f, 0.2f);
    drawPlate(cell, struts, blackened(2.0f), kOutline);
    for (const RoundedRect* tube : {&leftTube, &rightTube}) {
        drawPlate(cell, *tube, blackened(3.0f), kOutline, 1.5f);
        const Vec2 mouth{tube->bounds().centre().x, 40.0f};
        fill(cell, Circle(mouth, 4.0f), kOutline);
        drawLamp(cell, mouth, 2.2f, Colour::hex(0xff3a2a), 0.8f);
    }
    drawPlate(cell, hull, gunmetal(5.0f), kOutline, 1.8f);
    fillInside(cell, RoundedRect({58, 84, 70, 112}, 3.0f), hull, metalPaint(hull, olive(3.0f)));
    drawSeams(cell, seamLines(1.0f, {{{56, 52}, {72, 52}}, {{54, 80}, {74, 80}}}), hull, kSeam);
    drawCanopy(cell, RoundedRect({59, 22, 69, 40}, 4.5f), Colour::hex(0x5a1414), Colour::hex(0xffd8c8));
    drawLamp(cell, {kMid, 10.0f}, 1.8f, kBattleLamp);
}

// The escort carrier over its 2 x 1 block (256 x 128): a broad flat-top, its flight deck
// running from the hangar mouth at the bow back to the stern, an island on the right and
// engine sponsons on both flanks.
void paintLaunchCarrier(Canvas& canvas) {
    constexpr float c = 128.0f;
    const Polygon hull(mirrored({{c, 8},
                                 {c + 44, 10},
                                 {c + 88, 22},
                                 {c + 114, 46},
                                 {c + 118, 84},
                                 {c + 104, 110},
                                 {c + 62, 120},
                                 {c, 122}},
                                c));
    for (float x : {c - 84.0f, c - 40.0f, c + 40.0f, c + 84.0f}) {
        drawExhaust(canvas, {x, 116.0f}, 10.0f, 10.0f, kGunFlash, 0.8f);
    }
    drawHalo(canvas, hull, kHalo, 8.0f, 0.2f);
    drawPlate(canvas, hull, gunmetal(7.0f), kOutline, 2.0f);
    // Sponsons: olive plating along both flanks with hangar hatches.
    fillMirroredPlates(canvas, {Rect{c + 58, 30, c + 104, 64}, Rect{c + 60, 70, c + 108, 104}}, c,
                       Grown(hull, -4.0f), olive(3.0f));
    for (float side : {-1.0f, 1.0f}) {
        for (float y : {38.0f, 52.0f, 80.0f, 94.0f}) {
            const float x = c + side * 82.0f;
            fill(canvas, RoundedRect({x - 10.0f, y - 3.0f, x + 10.0f, y + 3.0f}, 1.0f),
                 Colour::hex(0x0c0e0d));
        }
    }
    // The flight deck: dark non-slip paint, a dashed centre line and amber edge lights.
    const RoundedRect deck({c - 46, 12, c + 46, 118}, 5.0f);
    fill(canvas, Grown(deck, 1.5f), kOutline);
    fill(canvas, deck, linearGradient({c, 12}, {c, 118}, {{0.0f, Colour::hex(0x30352c)}, {1.0f, kDeck}}));
    Strokes dashes(2.0f);
    for (float y = 34.0f; y < 112.0f; y += 12.0f) {
        dashes.addSegment({c, y}, {c, y + 6.0f});
    }
    fill(canvas, dashes, Colour::hex(0xb0a88a, 0.55f));
    drawSeams(canvas, seamLines(1.0f, {{{c - 46, 60}, {c + 46, 60}}, {{c - 46, 90}, {c + 46, 90}}}), deck,
              kSeam);
    for (float y = 36.0f; y < 116.0f; y += 16.0f) {
        drawLamp(canvas, {c - 42.0f, y}, 1.4f, kDeckLight, 0.7f);
        drawLamp(canvas, {c + 42.0f, y}, 1.4f, kDeckLight, 0.7f);
    }
    // The hangar mouth at the bow: a dark bay lit amber from inside, where the fighters come out.
    const RoundedRect mouth({c - 30, 12, c + 30, 28}, 3.0f);
    fill(canvas, Grown(mouth, 2.0f), kOutline);
    fill(canvas, mouth,
         linearGradient({c, 12}, {c, 28}, {{0.0f, Colour::hex(0x0a0604)}, {1.0f, Colour::hex(0x6a3410)}}));
    glow(canvas, RoundedRect({c - 24, 24, c + 24, 27}, 1.0f), kDeckLight, 6.0f, 0.5f);
    drawLamp(canvas, {c - 34.0f, 20.0f}, 2.4f, kBattleLamp);
    drawLamp(canvas, {c + 34.0f, 20.0f}, 2.4f, kBattleLamp);
    // The island: a slim tower on the right flank.
    const RoundedRect island({c + 52, 42, c + 66, 86}, 3.0f);
    drawPlate(canvas, island, olive(3.0f), kOutline, 1.5f);
    fill(canvas, RoundedRect({c + 55, 48, c + 63, 52}, 1.0f), kBattleLamp);
    drawLamp(canvas, {c + 59.0f, 78.0f}, 1.8f, kDeckLight);
}

// The broadside cruiser over its 2 x 1 block, lying across it with its bow to the right: a long
// hull with a row of gun turrets along each side, each pointing out of its own side.
void paintBroadsideCruiser(Canvas& canvas) {
    const std::vector<Vec2> upper{{6, 52}, {24, 40}, {70, 34}, {180, 34}, {222, 42}, {250, 64}};
    std::vector<Vec2> outline = upper;
    for (auto point = upper.rbegin() + 1; point != upper.rend() - 1; ++point) {
        outline.push_back({point->x, 128.0f - point->y});
    }
    outline.push_back({6, 76});
    const Polygon hull(outline);
    for (float y : {56.0f, 72.0f}) {
        glow(canvas, Ellipse({8.0f, y}, 6.0f, 4.0f), kGunFlash, 10.0f, 0.6f);
    }
    drawHalo(canvas, hull, kHalo, 8.0f, 0.2f);
    drawPlate(canvas, hull, gunmetal(7.0f), kOutline, 2.0f);
    drawSeams(canvas, seamLines(1.2f, {{{20, 64}, {240, 64}}, {{60, 38}, {60, 90}}, {{190, 38}, {190, 90}}}),
              hull, kSeam);
    // The superstructure down the keel, its bridge lit crimson.
    const RoundedRect spine({70, 54, 200, 74}, 5.0f);
    drawPlate(canvas, spine, olive(4.0f), kOutline, 1.5f);
    const RoundedRect bridge({160, 50, 186, 78}, 4.0f);
    drawPlate(canvas, bridge, olive(5.0f), kOutline, 1.5f);
    fill(canvas, RoundedRect({180, 56, 184, 72}, 1.0f), kBattleLamp);
    // Gun batteries: a turret every 30 pixels along both sides, barrels out over the side.
    for (float x = 44.0f; x <= 194.0f; x += 30.0f) {
        for (float side : {-1.0f, 1.0f}) {
            const Vec2 at{x, 64.0f + side * 17.0f};
            Strokes barrels(2.6f);
            for (float offset : {-3.5f, 3.5f}) {
                barrels.addSegment(at + Vec2{offset, 0.0f}, at + Vec2{offset, side * 20.0f});
            }
            drawPlate(canvas, barrels, blackened(1.0f), kOutline, 1.0f);
            drawPlate(canvas, Circle(at, 8.0f), gunmetal(3.5f), kOutline, 1.5f);
            glow(canvas, Circle(at + Vec2{0.0f, side * 3.0f}, 1.5f), kGunFlash, 4.0f, 0.5f);
        }
    }
    drawLamp(canvas, {244.0f, 64.0f}, 2.4f, kBattleLamp);
    drawLamp(canvas, {28.0f, 44.0f}, 1.8f, kBattleLamp);
    drawLamp(canvas, {28.0f, 84.0f}, 1.8f, kBattleLamp);
}

namespace n {
constexpr int kFighter = 0;  // 0, 1
constexpr int kFighterDamaged = 2;
constexpr int kFrigate = 3;  // 3, 4
constexpr int kFrigateDamaged = 5;
constexpr int kTurretBase = 6;
constexpr int kTurretBarrels = 7;
constexpr int kTurretBaseDamaged = 8;
constexpr int kTorpedoBoat = 9;
constexpr int kCarrier = 10;         // 10, 11
constexpr int kCarrierDamaged = 12;  // 12, 13
constexpr int kCruiser = 14;         // 14, 15
constexpr int kCruiserDamaged = 16;  // 16, 17
constexpr int kTorpedoBoatDamaged = 18;
}  // namespace n

void paintEnemyCell(Canvas& cell, int index, Random& random) {
    switch (index) {
        case n::kFighter:
        case n::kFighter + 1:
            paintStrikeFighter(cell, index - n::kFighter);
            break;
        case n::kFighterDamaged:
            paintStrikeFighter(cell, 1);
            drawDamage(cell, random, {54, 40, 76, 100}, 3, {{104, 88}, {34, 70}});
            break;
        case n::kFrigate:
        case n::kFrigate + 1:
            paintFlakFrigate(cell, index - n::kFrigate);
            break;
        case n::kFrigateDamaged:
            paintFlakFrigate(cell, 1);
            drawDamage(cell, random, {44, 24, 84, 112}, 5, {{92, 60}, {38, 100}});
            break;
        case n::kTurretBase:
            paintDeckTurretBase(cell);
            break;
        case n::kTurretBarrels:
            paintDeckTurretBarrels(cell);
            break;
        case n::kTurretBaseDamaged:
            paintDeckTurretBase(cell);
            drawDamage(cell, random, {20, 20, 108, 108}, 7, {{14, 14}, {114, 92}});
            break;
        case n::kTorpedoBoat:
            paintTorpedoBoat(cell);
            break;
        case n::kTorpedoBoatDamaged:
            paintTorpedoBoat(cell);
            drawDamage(cell, random, {54, 30, 74, 110}, 4, {{76, 96}, {44, 78}});
            break;
        default:
            return;  // the carrier's and the cruiser's cells, painted as one piece each
    }
    clearMargin(cell, 2.0f);
}

}  // namespace

void paintStageFourEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random) {
    grid.paintFrames(atlas, enemy_frame::kLateStageFirst, n::kTorpedoBoatDamaged + 1,
                     [&random](Canvas& cell, int index) { paintEnemyCell(cell, index, random); });
    // The carrier and the cruiser, whole and damaged, each span two cells side by side.
    struct Wide {
        void (*paint)(Canvas&);
        int whole;
        int damaged;
        Rect area;
        std::vector<Vec2> bites;
    };
    const Wide wide[] = {
        {paintLaunchCarrier,
         n::kCarrier,
         n::kCarrierDamaged,
         {40, 20, 216, 112},
         {{20, 60}, {236, 96}, {150, 120}}},
        {paintBroadsideCruiser,
         n::kCruiser,
         n::kCruiserDamaged,
         {30, 40, 230, 88},
         {{246, 62}, {100, 34}, {20, 80}}},
    };
    for (const Wide& craft : wide) {
        for (const bool damaged : {false, true}) {
            Canvas piece(grid.cellWidth() * 2, grid.cellHeight());
            craft.paint(piece);
            if (damaged) {
                drawDamage(piece, random, craft.area, 10, craft.bites);
            }
            clearMargin(piece, 2.0f);
            const PixelRect corner =
                grid.frame(enemy_frame::kLateStageFirst + (damaged ? craft.damaged : craft.whole));
            atlas.copyFrom(piece, corner.left, corner.top);
        }
    }
}

void paintStageFourBullet(Canvas& cell, int index) {
    const BulletHue shells[] = {kOrange, kRed, kYellow, kMagenta};
    const BulletHue fragments[] = {kOrange, kRed, kYellow, kLime};
    const BulletHue tracers[] = {kYellow, kOrange, kRed, kGreen};
    const BulletHue torpedoes[] = {kRed, kMagenta, kOrange, kYellow};
    const BulletHue pellets[] = {kRed, kYellow, kGreen, kMagenta};
    if (index < 4) {
        paintFlakShell(cell, shells[index]);
    } else if (index < 8) {
        paintFragment(cell, fragments[index - 4]);
    } else if (index < 12) {
        paintTracer(cell, tracers[index - 8]);
    } else if (index < 16) {
        paintTorpedo(cell, torpedoes[index - 12]);
    } else if (index < 20) {
        paintPellet(cell, pellets[index - 16]);
    } else if (index < 22) {
        paintBroadsideBeam(cell, index == 21);
    } else {
        return;
    }
    fadeBorders(cell, 3.0f);
}

}  // namespace artgen
