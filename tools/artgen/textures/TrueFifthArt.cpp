// The hidden fifth stage's art: its craft in its own enemy atlas and its family of bullets in its
// own bullet atlas.
//
// The creatures of the vortex are void-black, rimmed in blood red, with gold eyes and seams;
// they blink in and out of space. Enemy cells, counted from enemy_frame::kLateStageFirst (34):
//
//    0, 1  void wisp: a dark teardrop with a red eye and flickering tendrils; the frames swing
//          the tendrils
//    2     void wisp damaged
//    3     blink stalker: an arrowhead hunter with two forward claws and gold eye slits
//    4     blink stalker phasing: the same, half dissolved, a red shimmer where it thins
//    5     blink stalker damaged
//    6     rift eye: a gold eye in a torn ring of dark shards, red light in the tears
//    7     rift eye damaged
//    8-9   horizon ray, 2 x 1 cells: a wide manta of void black with a red rim
//   10-11  horizon ray damaged, 2 x 1 cells
//   12     singularity mine: a black sphere in a tilted gold ring
//   13     singularity mine damaged (the ring broken)
//   14     blink marker: a thin ring of red light, transparent inside; drawn in the spare house
//          cell, frame 23, so the atlas ends with a whole row
//
// Bullets, counted from bullet_frame::kLateFamilyFirst (64), all pointing up:
//    0-3   ember: a comet, its head leading, a short tail; red, orange, yellow, magenta
//    4-7   orbit: a ring with a white-hot knot at its front; magenta, red, purple, yellow
//    8-11  crescent: a sickle, horns trailing; red, yellow, magenta, lime
//   12-15  seed: a small round with a cross glint; red, orange, green, purple
//   16-19  fang: a long curved thorn; red, magenta, yellow, orange
//   20, 21 horizon beam body, blood red with a gold heart, and its flicker frame

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "raster/Noise.h"
#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/TrueFifthKit.h"

namespace artgen {

using namespace vortex_colour;

Metal voidPlate(float bevel) {
    Metal metal;
    metal.lit = Colour::hex(0x5a3a66);
    metal.base = Colour::hex(0x140a18);
    metal.shade = Colour::hex(0x030104);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = Colour::hex(0xff3a48);
    metal.rimStrength = 0.7f;
    return metal;
}

void dissolve(Canvas& canvas, Random& random, float amount) {
    const TileableNoise specks(random.next(), 16, 16);
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    Canvas edge(canvas.width(), canvas.height());
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            Pixel& p = canvas.at(x, y);
            if (p.a <= 0.0f) {
                continue;
            }
            const float u = static_cast<float>(x) / width * 16.0f;
            const float v = static_cast<float>(y) / height * 16.0f;
            // Thin horizontal slices torn by coarse noise, more of them gone towards the tail:
            // the look of a shape losing its lines as it leaves.
            const float slice = std::sin(static_cast<float>(y) * 0.8f) > 0.2f ? 0.3f : 0.0f;
            const float towardsTail = static_cast<float>(y) / height - 0.5f;
            const float field = 0.5f * specks.fractal(u * 0.5f, v, 3) - slice - 0.6f * towardsTail;
            const float keep = smoothstep(-0.08f, 0.08f, field + 0.55f - amount);
            // A red shimmer where the solid body is thinning, never on its glow.
            const float solid = smoothstep(0.5f, 0.9f, p.a);
            const float a = solid * keep * (1.0f - keep) * 2.4f;
            p = {p.r * keep, p.g * keep, p.b * keep, p.a * keep};
            edge.at(x, y) = {kBlood.r * a, kBlood.g * a, kBlood.b * a, a};
        }
    }
    canvas.composite(edge, 0, 0, Blend::Add);
}

void drawRiftCrack(Canvas& canvas, Random& random, Vec2 from, float degrees, int steps, float step) {
    std::vector<Vec2> path{from};
    for (int i = 0; i < steps; ++i) {
        path.push_back(path.back() + direction(degrees + random.range(-35.0f, 35.0f)) * step);
    }
    Strokes crack(2.4f);
    crack.addPolyline(path);
    Strokes thread(0.9f);
    thread.addPolyline(path);
    fill(canvas, Grown(crack, 1.0f), kOutline.withAlpha(0.8f));
    glow(canvas, crack, kBlood, 6.0f, 0.7f);
    fill(canvas, crack, kBlood);
    fill(canvas, thread, kPaleGold, Blend::Add);
}

namespace {

constexpr float kMid = 64.0f;  // the centre line of a 128-pixel cell

// A slit eye: a dark almond, a gold iris and a black slit, seen from above.
void drawSlitEye(Canvas& canvas, Vec2 centre, float size, Colour iris, float strength) {
    const Ellipse almond(centre, size, size * 0.62f);
    glow(canvas, almond, iris, size * 1.6f, 0.45f * strength);
    fill(canvas, Grown(almond, 1.5f), kOutline);
    fill(canvas, almond,
         radialGradient(
             centre, size,
             {{0.0f, mix(iris, palette::white, 0.55f)}, {0.55f, iris}, {1.0f, mix(iris, kBlood, 0.7f)}}));
    fill(canvas, Ellipse(centre, size * 0.16f, size * 0.55f), kOutline);
    fill(canvas, Circle(centre + Vec2{-size * 0.35f, -size * 0.22f}, size * 0.14f),
         palette::white.withAlpha(0.85f * strength), Blend::Add);
}

// ---- The craft ----

void paintWisp(Canvas& canvas, int frame, bool damaged, Random& random) {
    const float swing = frame == 0 ? 1.0f : -1.0f;
    // Tendrils first: faint wavering threads of red light trailing below.
    Canvas tails(canvas.width(), canvas.height());
    for (int t = -1; t <= 1; ++t) {
        std::vector<Vec2> path;
        const float lengthScale = t == 0 ? 1.0f : 0.8f;
        for (int i = 0; i <= 14; ++i) {
            const float s = static_cast<float>(i) / 14.0f;
            const float wave = std::sin(s * 2.6f * kPi + static_cast<float>(t) * 1.3f) * (4.0f + 8.0f * s);
            path.push_back({kMid + static_cast<float>(t) * (8.0f + 10.0f * s) + swing * wave,
                            70.0f + 50.0f * s * lengthScale});
        }
        Strokes tendril(t == 0 ? 3.0f : 2.2f);
        tendril.addPolyline(path);
        glow(tails, tendril, kBlood, 7.0f, 0.5f);
        fill(tails, tendril, mix(kBlood, kViolet, 0.3f), Blend::Add);
    }
    // The tendrils fade out towards their tips.
    for (int y = 0; y < tails.height(); ++y) {
        const float fade = clamp01(1.0f - (static_cast<float>(y) - 70.0f) / 52.0f);
        for (int x = 0; x < tails.width(); ++x) {
            Pixel& p = tails.at(x, y);
            p = {p.r * fade, p.g * fade, p.b * fade, p.a * fade};
        }
    }
    canvas.composite(tails, 0, 0, Blend::Add);
    const Polygon fins(mirrored({{kMid, 56}, {82, 62}, {92, 80}, {78, 76}, {kMid, 82}}, kMid));
    const Polygon body(
        mirrored({{kMid, 20}, {72, 26}, {80, 42}, {80, 58}, {74, 72}, {68, 84}, {kMid, 96}}, kMid));
    const Union silhouette({&body, &fins});
    drawHalo(canvas, silhouette, kHalo, 10.0f, 0.4f);
    drawPlate(canvas, fins, voidPlate(2.5f), kOutline);
    drawPlate(canvas, body, voidPlate(5.0f), kOutline, 2.0f);
    drawSeams(canvas, mirroredSeamLines(1.2f, {{{70, 40}, {76, 62}}, {{kMid, 66}, {72, 76}}}), body, kSeam);
    drawSlitEye(canvas, {kMid, 44.0f}, 8.5f, kGold, frame == 0 ? 1.0f : 0.8f);
    drawLamp(canvas, {kMid, 84.0f}, 2.2f, kBlood, frame == 0 ? 0.6f : 1.0f);
    if (damaged) {
        drawDamage(canvas, random, {52, 30, 76, 86}, 3, {{80, 56}});
        drawRiftCrack(canvas, random, {58.0f, 64.0f}, 120.0f, 3, 5.0f);
        drawSparkle(canvas, {74.0f, 36.0f}, 7.0f, kPaleGold, 15.0f);
    }
}

Polygon stalkerHull() {
    return Polygon(mirrored(
        {{kMid, 16}, {72, 36}, {92, 50}, {108, 84}, {90, 76}, {80, 98}, {70, 90}, {kMid, 108}}, kMid));
}

void paintStalker(Canvas& canvas, bool damaged, Random& random) {
    const Polygon hull = stalkerHull();
    // Two claws reach forward from the shoulders.
    Strokes claws(4.0f);
    claws.addPolyline({{50, 46}, {44, 28}, {48, 10}});
    claws.addPolyline({{78, 46}, {84, 28}, {80, 10}});
    const Union silhouette({&hull, &claws});
    drawHalo(canvas, silhouette, kHalo, 10.0f, 0.42f);
    drawPlate(canvas, claws, voidPlate(1.5f), kOutline, 1.2f);
    drawPlate(canvas, hull, voidPlate(5.0f), kOutline, 2.0f);
    drawSeams(canvas,
              mirroredSeamLines(1.2f, {{{70, 40}, {88, 58}}, {{72, 56}, {96, 78}}, {{kMid, 64}, {76, 84}}}),
              hull, kSeam);
    // The spine: a red groove of light.
    Strokes spine(2.0f);
    spine.addSegment({kMid, 52}, {kMid, 98});
    glow(canvas, spine, kBlood, 6.0f, 0.6f);
    fill(canvas, spine, kEmber);
    // Gold eye slits.
    for (float side : {-1.0f, 1.0f}) {
        const Ellipse slit({kMid + side * 6.0f, 38.0f}, 2.2f, 6.0f, side * 20.0f);
        glow(canvas, slit, kGold, 8.0f, 0.7f);
        fill(canvas, slit, kPaleGold);
    }
    drawLamp(canvas, {48.0f, 10.0f}, 1.8f, kBlood, 0.8f);
    drawLamp(canvas, {80.0f, 10.0f}, 1.8f, kBlood, 0.8f);
    if (damaged) {
        drawDamage(canvas, random, {48, 40, 88, 96}, 4, {{104, 82}});
        drawRiftCrack(canvas, random, {kMid + 8.0f, 50.0f}, 60.0f, 3, 6.0f);
        drawSparkle(canvas, {52.0f, 70.0f}, 8.0f, kPaleGold, 25.0f);
    }
}

void paintRiftEye(Canvas& canvas, bool damaged, Random& random) {
    const Vec2 c{kMid, kMid};
    // The torn space behind the shards: a ring of red light.
    glow(canvas, Arc(c, 38.0f, 10.0f, 0.0f, 360.0f), kBlood, 14.0f, 0.55f);
    fill(canvas, Arc(c, 38.0f, 8.0f, 0.0f, 360.0f), mix(kBlood, kEmber, 0.4f).withAlpha(0.8f));
    // Shards of dark matter round it, with gaps where the ring is torn.
    const int shards = 9;
    std::vector<Polygon> pieces;
    for (int i = 0; i < shards; ++i) {
        const float a =
            360.0f * static_cast<float>(i) / static_cast<float>(shards) + random.range(-6.0f, 6.0f);
        const float spread = random.range(13.0f, 17.0f);
        const float inner = random.range(26.0f, 30.0f);
        const float outer = random.range(46.0f, 56.0f);
        pieces.emplace_back(std::vector<Vec2>{
            c + direction(a - spread) * inner, c + direction(a - spread * 0.6f) * (outer - 6.0f),
            c + direction(a + random.range(-4.0f, 4.0f)) * outer,
            c + direction(a + spread * 0.7f) * (outer - 8.0f), c + direction(a + spread) * inner});
    }
    for (const Polygon& piece : pieces) {
        drawPlate(canvas, piece, voidPlate(3.0f), kOutline, 1.5f);
    }
    // The eye itself: a dark socket, a gold iris, a black slit.
    fill(canvas, Circle(c, 25.0f), kOutline);
    fill(canvas, Circle(c, 22.0f),
         radialGradient(c, 22.0f, {{0.0f, Colour::hex(0x3a0a12)}, {1.0f, Colour::hex(0x12040a)}}));
    const Circle iris(c, 15.0f);
    glow(canvas, iris, kGold, 10.0f, 0.5f);
    fill(canvas, iris,
         radialGradient(c, 15.0f, {{0.0f, kPaleGold}, {0.6f, kGold}, {1.0f, Colour::hex(0xb0401a)}}));
    Strokes streaks(0.8f);
    for (int i = 0; i < 16; ++i) {
        const float a = 22.5f * static_cast<float>(i);
        streaks.addSegment(c + direction(a) * 6.0f, c + direction(a) * 14.0f);
    }
    fill(canvas, streaks, Colour::hex(0x8a2a0a, 0.6f));
    fill(canvas, Ellipse(c, 3.0f, 11.0f), kOutline);
    fill(canvas, Circle(c + Vec2{-6.0f, -6.0f}, 2.2f), palette::white.withAlpha(0.85f), Blend::Add);
    if (damaged) {
        drawDamage(canvas, random, {30, 30, 98, 98}, 4, {{100, 50}, {40, 104}});
        drawRiftCrack(canvas, random, c + Vec2{4.0f, -2.0f}, 30.0f, 3, 5.0f);
        drawSparkle(canvas, {90.0f, 86.0f}, 8.0f, kPaleGold, 10.0f);
    }
}

// The horizon ray over a 256 x 128 block: a manta of void black, its wings swept wide.
void paintHorizonRay(Canvas& block, bool damaged, Random& random) {
    const float c = 128.0f;
    const Polygon wings(mirrored({{c, 14},
                                  {c + 16, 22},
                                  {c + 40, 40},
                                  {c + 84, 54},
                                  {c + 122, 72},
                                  {c + 108, 82},
                                  {c + 70, 84},
                                  {c + 40, 92},
                                  {c + 18, 104},
                                  {c, 100}},
                                 c));
    Strokes tail(3.0f);
    tail.addPolyline({{c, 96}, {c + 3, 110}, {c, 124}});
    const Union silhouette({&wings, &tail});
    drawHalo(block, silhouette, kHalo, 12.0f, 0.45f);
    drawPlate(block, tail, voidPlate(1.0f), kOutline, 1.0f);
    drawPlate(block, wings, voidPlate(7.0f), kOutline, 2.0f);
    // Wing ribs fanning out from the body.
    Strokes ribs(1.3f);
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 5; ++i) {
            const float t = static_cast<float>(i) / 4.0f;
            ribs.addSegment({c + side * 24.0f, 50.0f + 10.0f * t},
                            {c + side * (48.0f + 64.0f * t), 58.0f + 18.0f * t});
        }
    }
    drawSeams(block, ribs, Grown(wings, -3.0f), kSeam);
    // The red rim: a bright line along the wings' leading edges.
    Strokes leading(1.6f);
    for (float side : {-1.0f, 1.0f}) {
        leading.addPolyline(
            {{c + side * 16, 22}, {c + side * 40, 40}, {c + side * 84, 54}, {c + side * 120, 72}});
    }
    glow(block, leading, kBlood, 6.0f, 0.7f);
    fill(block, leading, kEmber);
    // The body's ridge and its gold eyes.
    drawPlate(block, RoundedRect(Rect{c - 9.0f, 26.0f, c + 9.0f, 92.0f}, 8.0f), voidPlate(3.0f), kOutline,
              1.5f);
    for (float side : {-1.0f, 1.0f}) {
        drawSlitEye(block, {c + side * 12.0f, 34.0f}, 5.0f, kGold, 1.0f);
        drawLamp(block, {c + side * 112.0f, 74.0f}, 2.0f, side < 0.0f ? kBlood : kGold, 0.8f);
        drawLamp(block, {c + side * 60.0f, 82.0f}, 1.6f, kBlood, 0.6f);
    }
    if (damaged) {
        drawDamage(block, random, {c - 80, 44, c + 80, 90}, 6, {{c + 118, 74}, {c - 70, 84}});
        drawRiftCrack(block, random, {c - 40.0f, 60.0f}, 160.0f, 4, 7.0f);
        drawRiftCrack(block, random, {c + 30.0f, 70.0f}, 20.0f, 3, 6.0f);
        drawSparkle(block, {c + 50.0f, 62.0f}, 9.0f, kPaleGold, 10.0f);
    }
}

// A tilted ring about `centre`: the far half (behind) or the near half (in front).
void drawGoldRing(Canvas& canvas, Vec2 centre, float rx, float ry, float degrees, bool front, float gapFrom,
                  float gapTo) {
    Strokes band(4.5f);
    std::vector<Vec2> run;
    for (int i = 0; i <= 48; ++i) {
        const float t = static_cast<float>(i) / 48.0f;
        const float a = front ? t * 180.0f : 180.0f + t * 180.0f;
        const bool inGap = a >= gapFrom && a <= gapTo;
        if (inGap) {
            if (run.size() > 1) {
                band.addPolyline(run);
            }
            run.clear();
            continue;
        }
        const Vec2 flat{std::cos(radians(a)) * rx, std::sin(radians(a)) * ry};
        run.push_back(centre + rotated(flat, degrees));
    }
    if (run.size() > 1) {
        band.addPolyline(run);
    }
    if (band.empty()) {
        return;
    }
    glow(canvas, band, kGold, 7.0f, front ? 0.55f : 0.3f);
    fill(canvas, Grown(band, 1.0f), kOutline);
    fill(canvas, band, front ? mix(kGold, kPaleGold, 0.3f) : mix(kGold, kOutline, 0.35f));
}

void paintMine(Canvas& canvas, bool damaged, Random& random) {
    const Vec2 c{kMid, kMid};
    const float gapFrom = damaged ? 20.0f : 999.0f;
    const float gapTo = damaged ? 60.0f : 999.0f;
    drawGoldRing(canvas, c, 44.0f, 15.0f, -20.0f, false, gapFrom + 180.0f, gapTo + 180.0f);
    const Circle sphere(c, 24.0f);
    // The event horizon: a thin red-gold rim of bent light round pure black.
    glow(canvas, sphere, kBlood, 10.0f, 0.6f);
    fill(canvas, Grown(sphere, 2.0f), mix(kGold, kBlood, 0.5f));
    fill(canvas, sphere,
         radialGradient(c, 24.0f,
                        {{0.0f, palette::black}, {0.85f, palette::black}, {1.0f, Colour::hex(0x3a0810)}}));
    drawGoldRing(canvas, c, 44.0f, 15.0f, -20.0f, true, gapFrom, gapTo);
    drawLamp(canvas, c + rotated({44.0f, 0.0f}, -20.0f), 2.4f, kGold, 0.9f);
    drawLamp(canvas, c + rotated({-44.0f, 0.0f}, -20.0f), 2.4f, kGold, 0.9f);
    if (damaged) {
        drawRiftCrack(canvas, random, c + Vec2{-6.0f, -8.0f}, 200.0f, 3, 6.0f);
        drawSparkle(canvas,
                    c + rotated({44.0f * std::cos(radians(20.0f)), 15.0f * std::sin(radians(20.0f))}, -20.0f),
                    9.0f, kPaleGold, 15.0f);
        drawSparkle(canvas, c + Vec2{14.0f, 12.0f}, 6.0f, kEmber, 40.0f);
    }
}

// Where a blinking creature will appear: a thin ring of red light with four ticks pointing in.
void paintBlinkMarker(Canvas& canvas) {
    const Vec2 c{kMid, kMid};
    const Arc ring(c, 44.0f, 2.5f, 0.0f, 360.0f);
    glow(canvas, ring, kBlood, 10.0f, 0.7f);
    fill(canvas, ring, mix(kEmber, kPaleGold, 0.3f));
    Strokes ticks(2.2f);
    for (int i = 0; i < 4; ++i) {
        const Vec2 d = direction(45.0f + 90.0f * static_cast<float>(i));
        ticks.addSegment(c + d * 36.0f, c + d * 28.0f);
    }
    glow(canvas, ticks, kBlood, 6.0f, 0.6f);
    fill(canvas, ticks, kEmber);
}

void paintCraft(Canvas& cell, int index, Random& random) {
    switch (index) {
        case 0:
        case 1:
            paintWisp(cell, index, false, random);
            break;
        case 2:
            paintWisp(cell, 0, true, random);
            break;
        case 3:
            paintStalker(cell, false, random);
            break;
        case 4:
            paintStalker(cell, false, random);
            dissolve(cell, random, 0.5f);
            break;
        case 5:
            paintStalker(cell, true, random);
            break;
        case 6:
            paintRiftEye(cell, false, random);
            break;
        case 7:
            paintRiftEye(cell, true, random);
            break;
        case 12:
            paintMine(cell, false, random);
            break;
        case 13:
            paintMine(cell, true, random);
            break;
        case 14:
            paintBlinkMarker(cell);
            break;
        default:
            break;
    }
}

// ---- Bullets ----

using namespace bullet_hue;

constexpr Vec2 kCentre = kBulletCellCentre;

// Ember: a round head leading, a short tapering tail behind it.
void paintEmber(Canvas& cell, const BulletHue& hue) {
    const Vec2 head{kCentre.x, 24.0f};
    const Circle round(head, 11.0f);
    const Polygon tail({{head.x - 10.0f, head.y + 2.0f}, {head.x, 58.0f}, {head.x + 10.0f, head.y + 2.0f}});
    const Union body({&round, &tail});
    const Circle core(head, 4.5f);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
    Strokes streak(2.0f);
    streak.addSegment(head + Vec2{0.0f, 6.0f}, {head.x, 46.0f});
    fill(cell, streak, hue.hot.withAlpha(0.5f), Blend::Add);
}

// Orbit: a ring with a white-hot knot at its front.
void paintOrbit(Canvas& cell, const BulletHue& hue) {
    const Arc band(kCentre, 16.0f, 7.0f, 0.0f, 360.0f);
    const Arc thin(kCentre, 16.0f, 2.0f, 0.0f, 360.0f);
    drawEnemyBullet(cell, band, thin, hue, 4.0f);
    const Vec2 knot = kCentre + Vec2{0.0f, -16.0f};
    fill(cell, Circle(knot, 8.0f), bulletRim(hue));
    glow(cell, Circle(knot, 5.5f), hue.hot, 7.0f, 0.8f);
    fill(cell, Circle(knot, 5.5f), hue.hot);
}

// Crescent: a sickle whose back leads and whose horns trail.
void paintCrescent(Canvas& cell, const BulletHue& hue) {
    const Circle outer(kCentre + Vec2{0.0f, 2.0f}, 21.0f);
    const Circle bite(kCentre + Vec2{0.0f, 14.0f}, 19.0f);
    const Difference body(outer, bite);
    const Circle outerCore(kCentre + Vec2{0.0f, 2.0f}, 16.0f);
    const Circle coreBite(kCentre + Vec2{0.0f, 10.0f}, 18.0f);
    const Difference core(outerCore, coreBite);
    drawEnemyBullet(cell, body, core, hue, 4.0f);
}

// Seed: a small round with a cross glint.
void paintSeed(Canvas& cell, const BulletHue& hue) {
    drawEnemyBullet(cell, Circle(kCentre, 10.0f), Circle(kCentre, 4.0f), hue, 4.0f);
    drawSparkle(cell, kCentre, 13.0f, mix(hue.body, hue.hot, 0.6f));
}

// Fang: a long thorn curving to a point at the top.
void paintFang(Canvas& cell, const BulletHue& hue) {
    std::vector<Vec2> right;
    std::vector<Vec2> left;
    for (int i = 0; i <= 12; ++i) {
        const float t = static_cast<float>(i) / 12.0f;  // 0 at the tip, 1 at the root
        const float y = lerp(5.0f, 58.0f, t);
        const float bend = 7.0f * std::sin(t * kPi * 0.9f);
        const float half = 7.5f * std::pow(t, 0.7f);
        right.push_back({kCentre.x + bend + half, y});
        left.push_back({kCentre.x + bend - half, y});
    }
    std::vector<Vec2> outline(right.begin(), right.end());
    outline.insert(outline.end(), left.rbegin(), left.rend());
    Strokes spine(3.0f);
    std::vector<Vec2> middle;
    for (int i = 3; i <= 11; ++i) {
        const float t = static_cast<float>(i) / 12.0f;
        middle.push_back({kCentre.x + 7.0f * std::sin(t * kPi * 0.9f), lerp(5.0f, 58.0f, t)});
    }
    spine.addPolyline(middle);
    drawEnemyBullet(cell, Polygon(outline), spine, hue, 4.0f);
}

// A beam body, drawn upright through the whole cell for the beam pass to stretch: a blood-red
// body with a gold heart, the flicker frame a little narrower and hotter.
void paintHorizonBeam(Canvas& cell, bool flicker) {
    const float width = flicker ? 13.0f : 15.0f;
    const Colour red = Colour::hex(0xe0182e);
    const Colour gold = Colour::hex(0xffcc50);
    shade(cell, [&](Vec2 p) {
        const float across = (p.x - kCentre.x) / width;
        const float body = std::exp(-across * across * 1.4f);
        const float heart = std::exp(-across * across * (flicker ? 9.0f : 12.0f));
        const float alpha = clamp01(body * 0.85f + heart * 0.15f);
        return mix(mix(red, gold, heart), Colour::hex(0xfff2d0), heart * heart * 0.6f).withAlpha(alpha);
    });
}

}  // namespace

void paintTrueFifthEnemies(Canvas& atlas, const AtlasGrid& grid, Random& random) {
    constexpr int kBlinkMarker = 14;
    for (int index = 0; index <= kBlinkMarker; ++index) {
        Canvas cell(grid.cellWidth(), grid.cellHeight());
        paintCraft(cell, index, random);
        clearMargin(cell, 2.0f);
        const int frame =
            index == kBlinkMarker ? enemy_frame::kSpareHouseCell : enemy_frame::kLateStageFirst + index;
        grid.place(atlas, cell, frame % grid.columns(), frame / grid.columns());
    }
    // The horizon ray spans two cells, whole and damaged.
    for (const int index : {8, 10}) {
        Canvas block(grid.cellWidth() * 2, grid.cellHeight());
        paintHorizonRay(block, index == 10, random);
        clearMargin(block, 2.0f);
        const PixelRect corner = grid.frame(enemy_frame::kLateStageFirst + index);
        atlas.copyFrom(block, corner.left, corner.top);
    }
}

void paintTrueFifthBullet(Canvas& cell, int index) {
    const BulletHue embers[] = {kRed, kOrange, kYellow, kMagenta};
    const BulletHue orbits[] = {kMagenta, kRed, kPurple, kYellow};
    const BulletHue crescents[] = {kRed, kYellow, kMagenta, kLime};
    const BulletHue seeds[] = {kRed, kOrange, kGreen, kPurple};
    const BulletHue fangs[] = {kRed, kMagenta, kYellow, kOrange};
    if (index < 4) {
        paintEmber(cell, embers[index]);
    } else if (index < 8) {
        paintOrbit(cell, orbits[index - 4]);
    } else if (index < 12) {
        paintCrescent(cell, crescents[index - 8]);
    } else if (index < 16) {
        paintSeed(cell, seeds[index - 12]);
    } else if (index < 20) {
        paintFang(cell, fangs[index - 16]);
    } else if (index < 22) {
        paintHorizonBeam(cell, index == 21);
    } else {
        return;
    }
    fadeBorders(cell, 3.0f);
}

}  // namespace artgen
