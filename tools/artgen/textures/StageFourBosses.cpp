// The fourth stage's bosses. Each hull is one row of four 256 x 256 frames, frame 0 whole and
// the next ones more broken (the boss steps through them by its damage phases). The game turns a
// boss's sprites half round to face down the screen, so these are painted as the player sees
// them, guns towards the bottom, and turned half round at the end: the descriptions below are
// as seen in the game.
//
//   boss_bastion.png            the mid-boss "Bastion": a squat armoured gun barge, a flight deck
//                               down its middle, a heavy turret at each of its four corners and
//                               armour belts along both flanks.
//                               Frames: 0 whole, 1 belt plates gone, 2 turrets torn off,
//                               3 burning.
//   boss_sovereign.png          the boss "Sovereign": the line's flagship, a long battleship hull
//                               bow down, two triple turrets fore and two aft, a stepped bridge
//                               tower amidships and a hangar bay in each flank.
//                               Frames: 0 whole, 1 armour torn, 2 turrets burning, 3 bridge aflame.
//   boss_sovereign_turret.png   256 x 256: one of the flagship's triple turrets (a module),
//                               turning on the frame's centre, its barrels pointing down.
//
// Where the guns are, in pixels of a frame from its centre as seen in the game (x to the right,
// y down the screen), for placing launchers: the Bastion's turrets at (-82, -58), (82, -58),
// (-82, 56) and (82, 56), its launch mouth at (0, 77); the Sovereign's fore turrets at (0, 84) and
// (0, 50), aft turrets at (0, -86) and (0, -52), hangar bays at (-46, -2) and (46, -2).

#include <algorithm>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/StageFourKit.h"

namespace artgen {

namespace {

using namespace fleet;

const CrackColours kCracks{kSoot, kGunFlash, Colour::hex(0xffb060)};  // a wounded hull

constexpr float kCentre = 128.0f;  // the centre line of a 256-pixel frame

// Turns a painted frame half round (the game turns it back).
void turnHalfRound(Canvas& canvas) {
    std::vector<Pixel>& pixels = canvas.pixels();
    std::reverse(pixels.begin(), pixels.end());
}

// A fire on a hull seen from above: a sooty smudge, flames glowing orange round a hot heart and
// a few embers thrown off.
void drawFire(Canvas& canvas, Random& random, const Shape& within, Vec2 at, float size) {
    fillInside(
        canvas, Circle(at, size * 1.4f), within,
        radialGradient(at, size * 1.4f, {{0.0f, kSoot.withAlpha(0.9f)}, {1.0f, kSoot.withAlpha(0.0f)}}));
    for (int i = 0; i < 4; ++i) {
        const Vec2 tongue = at + direction(random.range(0.0f, 360.0f)) * random.range(0.0f, size * 0.5f);
        glow(canvas, Circle(tongue, size * 0.35f), kGunFlash, size * 0.9f, 0.55f);
    }
    fill(canvas, Circle(at, size * 0.3f), Colour::hex(0xffc070, 0.85f), Blend::Add);
    for (int i = 0; i < 3; ++i) {
        const Vec2 ember =
            at + direction(random.range(0.0f, 360.0f)) * random.range(size * 0.7f, size * 1.3f);
        fill(canvas, Circle(ember, 1.2f), Colour::hex(0xffa040, 0.8f), Blend::Add);
    }
}
// A heavy gun turret: a round armoured housing with `barrels` guns side by side pointing along
// `degrees` (0 points down the frame, towards the player). `torn` leaves a ring with a sparking
// hole where the turret was.
void drawTurret(Canvas& canvas, Vec2 at, float radius, int barrels, float degrees, bool torn) {
    if (torn) {
        fill(canvas, Circle(at, radius + 1.5f), kOutline);
        fill(canvas, Circle(at, radius), Colour::hex(0x0c0a08));
        stroke(canvas, Circle(at, radius - 2.0f), 2.5f, Colour::hex(0x4a4440));
        glow(canvas, Circle(at, radius * 0.4f), kGunFlash, radius * 0.8f, 0.7f);
        drawSparkle(canvas, at + Vec2{radius * 0.2f, -radius * 0.1f}, radius * 0.8f, Colour::hex(0xffe0a0),
                    20.0f);
        return;
    }
    const Vec2 along = direction(degrees + 90.0f);  // direction(90) points down the frame
    const Vec2 across{-along.y, along.x};
    Strokes guns(radius * 0.3f);
    const float spacing = radius * 0.42f;
    for (int i = 0; i < barrels; ++i) {
        const float offset = (static_cast<float>(i) - static_cast<float>(barrels - 1) * 0.5f) * spacing;
        const Vec2 root = at + across * offset;
        guns.addSegment(root, root + along * (radius * 2.1f));
    }
    drawPlate(canvas, guns, olive(1.5f), kOutline, 1.5f);
    const Circle housing(at, radius);
    drawPlate(canvas, housing, gunmetal(radius * 0.35f), kOutline, 2.0f);
    stroke(canvas, Circle(at, radius * 0.62f), 1.2f, kSeam);
    const Vec2 sight = at + along * (radius * 0.45f);
    fill(canvas, Circle(sight, radius * 0.2f), kOutline);
    drawLamp(canvas, sight, radius * 0.12f, kBattleLamp);
}

// ---- Bastion ----

void paintBastion(Canvas& canvas, Random& random, int damage) {
    const float c = kCentre;
    const Polygon hull(mirrored(
        {{c, 20}, {c + 70, 22}, {c + 104, 50}, {c + 110, 130}, {c + 104, 200}, {c + 74, 230}, {c, 236}}, c));
    drawHalo(canvas, hull, damage >= 3 ? kGunFlash : kHalo, 16.0f, damage >= 3 ? 0.5f : 0.35f);
    // Engines at the stern (the top as seen), glowing out of the back of the barge.
    for (float x : {c - 40.0f, c + 40.0f}) {
        glow(canvas, Ellipse({x, 20.0f}, 14.0f, 5.0f), kGunFlash, 12.0f, 0.7f);
    }
    drawPlate(canvas, hull, gunmetal(12.0f), kOutline, 3.0f);
    // Armour belts along both flanks; when they are gone the ribs and the glowing hold show.
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 4; ++i) {
            const float y0 = 52.0f + 40.0f * static_cast<float>(i);
            const float x0 = side > 0.0f ? c + 74.0f : c - 104.0f;
            const RoundedRect plate({x0, y0, x0 + 30.0f, y0 + 34.0f}, 4.0f);
            const bool gone = damage >= 1 && (i + (side > 0.0f ? 1 : 0)) % 2 == 0;
            if (gone) {
                fillInside(canvas, plate, hull, Colour::hex(0x140a06));
                glow(canvas, Grown(plate, -8.0f), kGunFlash, 8.0f, 0.5f);
                Strokes ribs(2.5f);
                ribs.addSegment({x0 + 4.0f, y0 + 10.0f}, {x0 + 26.0f, y0 + 10.0f});
                ribs.addSegment({x0 + 4.0f, y0 + 24.0f}, {x0 + 26.0f, y0 + 24.0f});
                fillInside(canvas, ribs, plate, metalPaint(ribs, blackened(1.0f)));
                continue;
            }
            drawPlate(canvas, Intersection(plate, Grown(hull, -3.0f)), olive(4.0f), kOutline, 1.5f);
            drawRivets(canvas, {x0 + 6.0f, y0 + 5.0f}, {x0 + 24.0f, y0 + 5.0f}, 3);
        }
    }
    // The flight deck down the middle: dark paint, a dashed line, amber lights at its edges and
    // a launch mouth at its front end.
    const RoundedRect deck({c - 50, 44, c + 50, 214}, 6.0f);
    fill(canvas, Grown(deck, 2.0f), kOutline);
    fill(canvas, deck, linearGradient({c, 44}, {c, 214}, {{0.0f, kDeck}, {1.0f, Colour::hex(0x30352c)}}));
    Strokes dashes(3.0f);
    for (float y = 60.0f; y < 190.0f; y += 16.0f) {
        dashes.addSegment({c, y}, {c, y + 8.0f});
    }
    fill(canvas, dashes, Colour::hex(0xb0a88a, 0.5f));
    for (float y = 56.0f; y < 210.0f; y += 20.0f) {
        drawLamp(canvas, {c - 45.0f, y}, 1.6f, kDeckLight, 0.7f);
        drawLamp(canvas, {c + 45.0f, y}, 1.6f, kDeckLight, 0.7f);
    }
    const RoundedRect launch({c - 30, 196, c + 30, 214}, 3.0f);
    fill(canvas, Grown(launch, 2.0f), kOutline);
    fill(canvas, launch,
         linearGradient({c, 196}, {c, 214}, {{0.0f, Colour::hex(0x6a3410)}, {1.0f, Colour::hex(0x0a0604)}}));
    // The command block at the back of the deck, a wide crimson window looking down the deck.
    const RoundedRect block({c - 34, 30, c + 34, 72}, 6.0f);
    drawPlate(canvas, block, olive(6.0f), kOutline, 2.0f);
    const RoundedRect window({c - 24, 60, c + 24, 67}, 2.5f);
    glow(canvas, window, kBattleLamp, 10.0f, 0.6f);
    fill(canvas, Grown(window, 1.5f), kOutline);
    fill(canvas, window, kBattleLamp);
    // Four broadside turrets round the deck, each on a raised ring, guns out to its own side.
    const Vec2 turrets[] = {{c - 82, 70}, {c + 82, 70}, {c - 82, 184}, {c + 82, 184}};
    for (const Vec2 at : turrets) {
        const float side = at.x < c ? 1.0f : -1.0f;
        const float degrees = at.y < c ? side * 70.0f : side * 35.0f;
        fill(canvas, Circle(at, 25.0f), kOutline);
        fill(canvas, Circle(at, 23.0f), metalPaint(Circle(at, 23.0f), blackened(5.0f)));
        drawTurret(canvas, at, 19.0f, 2, degrees, damage >= 2);
    }
    drawLamp(canvas, {c - 100.0f, 128.0f}, 2.6f, kBattleLamp);
    drawLamp(canvas, {c + 100.0f, 128.0f}, 2.6f, kBattleLamp);
    if (damage >= 1) {
        drawDamage(canvas, random, {c - 96, 40, c + 96, 220}, 4 + damage * 3,
                   {{c + 106, 110}, {c - 70, 226}});
        // Hits that went through: the deck cracked and smouldering from the first state on.
        drawHotCracks(canvas, random, {c - 80, 60, c + 80, 200}, 3, hull, kCracks);
        drawFire(canvas, random, hull, {c + 44, 86}, 9.0f);
    }
    if (damage >= 3) {
        drawHotCracks(canvas, random, {c - 90, 40, c + 90, 220}, 7, hull, kCracks);
        for (const Vec2 at : {Vec2{c - 60, 110}, Vec2{c + 30, 150}, Vec2{c - 14, 54}, Vec2{c + 80, 210}}) {
            drawFire(canvas, random, hull, at, 12.0f);
        }
    }
    clearMargin(canvas, 3.0f);
}

// ---- Sovereign ----

void paintSovereign(Canvas& canvas, Random& random, int damage) {
    const float c = kCentre;
    const Polygon hull(mirrored({{c, 6},
                                 {c + 40, 6},
                                 {c + 54, 24},
                                 {c + 58, 96},
                                 {c + 54, 170},
                                 {c + 40, 212},
                                 {c + 18, 240},
                                 {c + 4, 251},
                                 {c, 252}},
                                c));
    drawHalo(canvas, hull, damage >= 3 ? kGunFlash : kHalo, 18.0f, damage >= 3 ? 0.5f : 0.38f);
    for (float x : {c - 24.0f, c, c + 24.0f}) {
        glow(canvas, Ellipse({x, 8.0f}, 8.0f, 4.0f), kGunFlash, 10.0f, 0.7f);
    }
    drawPlate(canvas, hull, gunmetal(12.0f), kOutline, 3.0f);
    // Armour strakes along the flanks; torn ones show the ribs beneath.
    int index = 0;
    for (float y = 34.0f; y < 200.0f; y += 34.0f) {
        for (float side : {-1.0f, 1.0f}) {
            const float x0 = side > 0.0f ? c + 34.0f : c - 56.0f;
            const RoundedRect strake({x0, y, x0 + 22.0f, y + 28.0f}, 3.0f);
            const bool torn = damage >= 1 && index % 3 == 1;
            ++index;
            if (torn) {
                fillInside(canvas, strake, hull, Colour::hex(0x140a06));
                glow(canvas, Grown(strake, -6.0f), kGunFlash, 7.0f, 0.5f);
                fillInside(canvas, seamLines(2.0f, {{{x0 + 2.0f, y + 14.0f}, {x0 + 20.0f, y + 14.0f}}}),
                           strake, metalPaint(strake, blackened(1.0f)));
                continue;
            }
            drawPlate(canvas, Intersection(strake, Grown(hull, -2.5f)), olive(3.0f), kOutline, 1.2f);
        }
    }
    drawSeams(canvas, seamLines(1.5f, {{{c, 20}, {c, 76}}, {{c, 172}, {c, 236}}}), hull, kSeam);
    // Hangar bays in both flanks amidships, lit amber inside.
    for (float side : {-1.0f, 1.0f}) {
        const float x0 = side > 0.0f ? c + 38.0f : c - 54.0f;
        const RoundedRect bay({x0, 106, x0 + 16.0f, 146}, 3.0f);
        fill(canvas, Grown(bay, 1.5f), kOutline);
        fill(canvas, bay, Colour::hex(0x0c0806));
        glow(canvas, Grown(bay, -5.0f), kDeckLight, 6.0f, 0.45f);
        drawLamp(canvas, {x0 + 8.0f, 100.0f}, 1.6f, kBattleLamp);
        drawLamp(canvas, {x0 + 8.0f, 152.0f}, 1.6f, kBattleLamp);
    }
    // The stepped bridge tower amidships, its crimson windows looking forward (down).
    const RoundedRect base({c - 30, 92, c + 30, 162}, 6.0f);
    const RoundedRect middle({c - 22, 102, c + 22, 150}, 5.0f);
    const RoundedRect top({c - 14, 112, c + 14, 140}, 4.0f);
    drawPlate(canvas, base, olive(5.0f), kOutline, 2.0f);
    drawPlate(canvas, middle, olive(5.0f), kOutline, 1.8f);
    drawPlate(canvas, top, gunmetal(5.0f), kOutline, 1.5f);
    const RoundedRect windows({c - 18, 144, c + 18, 148}, 1.5f);
    glow(canvas, windows, kBattleLamp, 8.0f, 0.6f);
    fill(canvas, windows, kBattleLamp);
    drawPlate(canvas, RoundedRect({c - 28, 118, c + 28, 124}, 2.0f), gunmetal(2.0f), kOutline, 1.2f);
    fill(canvas, Circle({c, 126}, 4.0f), kOutline);
    drawLamp(canvas, {c, 126.0f}, 2.4f, kBattleLamp);
    // Triple turrets: two fore (bottom), superfiring, and two aft (top), guns astern.
    // The lower turret of each pair is drawn first, so the raised one's guns lie over it.
    const Vec2 fore[] = {{c, 212}, {c, 178}};
    const Vec2 aft[] = {{c, 42}, {c, 76}};
    for (const Vec2 at : fore) {
        drawTurret(canvas, at, 18.0f, 3, 0.0f, false);
    }
    for (const Vec2 at : aft) {
        drawTurret(canvas, at, 18.0f, 3, 180.0f, false);
    }
    drawLamp(canvas, {c, 246.0f}, 2.8f, kBattleLamp);
    if (damage >= 1) {
        drawDamage(canvas, random, {c - 50, 30, c + 50, 230}, 4 + damage * 3, {{c + 56, 180}, {c - 52, 40}});
        // Hits that went through: the deck cracked and a fire amidships from the first state on.
        drawHotCracks(canvas, random, {c - 44, 40, c + 44, 220}, 3, hull, kCracks);
        drawFire(canvas, random, hull, {c - 30, 160}, 9.0f);
    }
    if (damage >= 2) {
        for (const Vec2 at : {fore[0], fore[1], aft[0], aft[1]}) {
            drawFire(canvas, random, hull, at + Vec2{random.range(-8.0f, 8.0f), random.range(-6.0f, 6.0f)},
                     11.0f);
        }
    }
    if (damage >= 3) {
        drawHotCracks(canvas, random, {c - 50, 30, c + 50, 230}, 6, hull, kCracks);
        drawFire(canvas, random, hull, {c - 6, 120}, 18.0f);
        drawFire(canvas, random, hull, {c + 12, 138}, 13.0f);
    }
    clearMargin(canvas, 3.0f);
}

AtlasGrid hullRow(const Canvas& canvas) {
    return AtlasGrid(canvas.width(), canvas.height(), 4, 1);
}

}  // namespace

void paintBossBastion(Canvas& canvas, Random& random) {
    hullRow(canvas).paintFrames(canvas, 4, [&random](Canvas& frame, int damage) {
        paintBastion(frame, random, damage);
        turnHalfRound(frame);
    });
}

void paintBossSovereign(Canvas& canvas, Random& random) {
    hullRow(canvas).paintFrames(canvas, 4, [&random](Canvas& frame, int damage) {
        paintSovereign(frame, random, damage);
        turnHalfRound(frame);
    });
}

void paintBossSovereignTurret(Canvas& canvas, Random& /*random*/) {
    const float c = kCentre;
    const Polygon housing(
        mirrored({{c, 66}, {c + 44, 72}, {c + 62, 104}, {c + 58, 158}, {c + 38, 176}, {c, 180}}, c));
    std::vector<RoundedRect> barrels;
    for (float x : {-26.0f, 0.0f, 26.0f}) {
        barrels.emplace_back(Rect{c + x - 8.0f, 130.0f, c + x + 8.0f, 250.0f}, 3.0f);
    }
    std::vector<const Shape*> parts{&housing};
    for (const RoundedRect& barrel : barrels) {
        parts.push_back(&barrel);
    }
    drawHalo(canvas, Union(parts), kHalo, 12.0f, 0.3f);
    for (const RoundedRect& barrel : barrels) {
        drawPlate(canvas, barrel, blackened(3.0f), kOutline, 2.0f);
        const Rect box = barrel.bounds();
        drawPlate(canvas, RoundedRect({box.x0 - 2.0f, 230.0f, box.x1 + 2.0f, 246.0f}, 2.0f), gunmetal(3.0f),
                  kOutline, 1.5f);
        fill(canvas, Circle({box.centre().x, 242.0f}, 3.0f), kGunFlash);
        drawSeams(canvas, seamLines(1.2f, {{{box.x0, 205.0f}, {box.x1, 205.0f}}}), barrel, kSeam);
    }
    drawPlate(canvas, housing, gunmetal(14.0f), kOutline, 3.0f);
    fillMirroredPlates(canvas, {Rect{c + 14, 80, c + 48, 112}, Rect{c + 16, 120, c + 52, 160}}, c,
                       Grown(housing, -5.0f), olive(4.0f));
    drawSeams(canvas, seamLines(1.5f, {{{c, 74}, {c, 176}}}), housing, kSeam);
    drawRivets(canvas, {c - 36, 168}, {c + 36, 168}, 9, 2.0f);
    // The rangefinder's slit and the crimson sight.
    fill(canvas, RoundedRect({c - 52, 100, c + 52, 108}, 3.0f), kOutline);
    fill(canvas, RoundedRect({c - 48, 102, c + 48, 106}, 2.0f), Colour::hex(0x3a4040));
    fill(canvas, Circle({c, 146}, 9.0f), kOutline);
    drawLamp(canvas, {c, 146.0f}, 5.0f, kBattleLamp);
    clearMargin(canvas, 3.0f);
    turnHalfRound(canvas);
}

}  // namespace artgen
