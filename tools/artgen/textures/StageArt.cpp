// The first stage's backdrop, the boss-event backdrop, the carrier of the opening and the
// game scene's plain effect shapes.
//
//   stage1_nebula.png          1024 x 1024: deep-space gas, dark enough for bullets to read;
//                              tiles both ways
//   stage1_stars.png           1024 x 1024: stars and drifting dust on transparency, for an
//                              additive layer over the nebula; tiles both ways
//   stage1_tunnel.png          512 x 512: cobalt and silver streaks of light along v and faint
//                              rings across it, the wall of a tube layer; tiles both ways
//   boss_event_vortex.png      512 x 512: a dim crimson and violet whirl on black, centred, the same
//                              all round so that it can spin
//   mothership_main.png        152 x 232: the carrier's hull, nose-up, the launch bay at the top
//   mothership_arm_left.png    52 x 128: the left half of the bow; it meets the right half on
//   mothership_arm_right.png   52 x 128  its straight inner edge and both swing open
//   mothership_engine.png      128 x 96: the braking engine block under the hull, nozzles down
//     The carrier is drawn at one pixel per field unit: 152 units wide.
//   invert_square.png          144 x 144: solid white (the stage background's bar and flash: scaled
//                              (5, 8) the flash covers the perspective view)
//   invert_circle.png          256 x 256: a white disc with a soft rim
//   boss_pointer.png           32 x 32: the marker under the boss, pointing up
//   ring_effect.png            64 x 64: a soft bright ring, white, for the game to tint

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "textures/CraftKit.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

constexpr Colour kTransparent{0.0f, 0.0f, 0.0f, 0.0f};

// ---- Star colours ----

Colour starTint(Random& random) {
    static const Colour kTints[] = {Colour::hex(0xdff6ff), Colour::hex(0xffffff), Colour::hex(0xcfe4ff),
                                    Colour::hex(0xa8e8ff), Colour::hex(0xffe6cc)};
    return kTints[random.integer(0, 4)];
}

// ---- Supersampling for the carrier ----

// Paints at twice the size and box-filters down, so that fine plating stays crisp at one pixel
// per field unit.
template <typename PaintBig>
void paintSupersampled(Canvas& canvas, PaintBig paintBig) {
    Canvas big(canvas.width() * 2, canvas.height() * 2);
    paintBig(big);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            Pixel sum;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const Pixel& p = big.at(x * 2 + dx, y * 2 + dy);
                    sum.r += p.r;
                    sum.g += p.g;
                    sum.b += p.b;
                    sum.a += p.a;
                }
            }
            canvas.at(x, y) = {sum.r * 0.25f, sum.g * 0.25f, sum.b * 0.25f, sum.a * 0.25f};
        }
    }
}

// ---- The carrier's materials (the fleet's white and teal) ----

const Colour kHullOutline = Colour::hex(0x06121a);
const Colour kHullSeam = Colour::hex(0x284052, 0.55f);
const Colour kTealPlate = Colour::hex(0x137e96);
const Colour kDeepPlate = Colour::hex(0x0e3f5a);
const Colour kEngineGrey = Colour::hex(0x5a7488);

Metal hullWhite(float bevel) {
    Metal metal;
    metal.lit = Colour::hex(0xffffff);
    metal.base = Colour::hex(0xc8d8e6);
    metal.shade = Colour::hex(0x40566c);
    metal.bevel = bevel;
    metal.sheen = 0.3f;
    metal.rim = palette::ice;
    metal.rimStrength = 0.45f;
    return metal;
}

Metal plateMetal(Colour base, float bevel) {
    Metal metal;
    metal.lit = mix(base, palette::white, 0.5f);
    metal.base = base;
    metal.shade = mix(base, palette::black, 0.7f);
    metal.bevel = bevel;
    metal.sheen = 0.2f;
    metal.rim = mix(base, palette::white, 0.75f);
    metal.rimStrength = 0.35f;
    return metal;
}

void drawWindowRow(Canvas& canvas, Vec2 from, Vec2 to, int count, float size, Colour colour) {
    for (int i = 0; i < count; ++i) {
        const Vec2 at =
            lerp(from, to, count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.0f);
        fill(canvas, RoundedRect(Rect::around(at, size, size * 0.6f), size * 0.4f), colour, Blend::Add);
    }
}

// One half of the bow, painted at twice size into a 104 x 256 canvas: `left` puts the straight
// inner edge on the right (x = 104), otherwise on the left (x = 0).
void paintBowHalf(Canvas& canvas, bool left) {
    const float width = static_cast<float>(canvas.width());
    auto side = [&](Vec2 p) { return left ? p : Vec2{width - p.x, p.y}; };
    auto sideAll = [&](std::vector<Vec2> points) {
        for (Vec2& p : points) {
            p = side(p);
        }
        return points;
    };
    // Drawn as the left half: the inner edge at x = 104, the hull's edge sweeping out and down.
    const Polygon shell(sideAll(
        {{104, 8}, {90, 14}, {70, 32}, {46, 68}, {26, 118}, {14, 172}, {8, 224}, {8, 256}, {104, 256}}));
    drawHalo(canvas, shell, palette::cyan, 8.0f, 0.18f);
    drawPlate(canvas, shell, hullWhite(10.0f), kHullOutline, 2.5f);
    // A teal band along the outer edge and a deep panel at the root.
    const Polygon band(
        sideAll({{64, 44}, {76, 50}, {44, 118}, {32, 176}, {26, 240}, {14, 240}, {20, 170}, {32, 112}}));
    fillInside(canvas, band, shell, metalPaint(shell, plateMetal(kTealPlate, 4.0f)));
    const Polygon root(sideAll({{40, 196}, {96, 196}, {96, 248}, {36, 248}}));
    fillInside(canvas, root, shell, metalPaint(shell, plateMetal(kDeepPlate, 5.0f)));
    drawSeams(canvas,
              seamLines(1.6f, {{side({60, 90}), side({100, 90})},
                               {side({44, 140}), side({100, 140})},
                               {side({70, 40}), side({70, 190})}}),
              shell, kHullSeam);
    drawWindowRow(canvas, side({84, 104}), side({84, 180}), 7, 3.2f, palette::ice.withAlpha(0.85f));
    // The light of the bay leaks out along the seam where the halves meet.
    Strokes seam(3.0f);
    seam.addSegment(side({101, 12}), side({101, 252}));
    glow(canvas, Intersection(seam, shell), palette::cyan, 10.0f, 0.55f);
    fillInside(canvas, seam, shell, mix(palette::cyan, palette::white, 0.4f));
    drawLamp(canvas, side({92, 22}), 3.2f, palette::cyan);
    drawLamp(canvas, side({16, 226}), 2.6f, palette::white);
}

}  // namespace

// ---- Backdrops ----

void paintStageOneNebula(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise warp(random.next(), kPeriod, kPeriod);
    const TileableNoise clouds(random.next(), kPeriod, kPeriod);
    const TileableNoise mass(random.next(), 2, 2);
    const TileableNoise hue(random.next(), 2, 2);
    const TileableNoise strands(random.next(), kPeriod * 2, kPeriod * 2);
    const auto size = static_cast<float>(canvas.width());
    const float scale = static_cast<float>(kPeriod) / size;
    const float broad = 2.0f / size;

    // Darker and bluer than the menu's sky: the field has to stay readable over it.
    const Colour base = Colour::hex(0x010208);
    const Colour deepGas = Colour::hex(0x06304a);
    const Colour violetGas = Colour::hex(0x24124a);
    const Colour coolWisps = Colour::hex(0x2a9fc0);
    const Colour warmWisps = Colour::hex(0x7a3aa8);

    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        const float wu = u + 0.7f * warp.fractal(u, v, 4);
        const float wv = v + 0.7f * warp.fractal(u + 2.1f, v + 1.3f, 4);
        const float region = smoothstep(-0.65f, 0.4f, mass.fractal(p.x * broad, p.y * broad, 3));
        const float billows = smoothstep(-0.3f, 0.55f, clouds.fractal(wu, wv, 6, 0.55f));
        const float density = region * billows;
        const float filaments = std::pow(strands.ridged(wu * 2.0f, wv * 2.0f, 4, 0.5f), 6.0f);
        const float warmth = smoothstep(-0.2f, 0.45f, hue.fractal(p.x * broad, p.y * broad, 3));
        const float light = density * density * 1.25f;
        const float wisps = filaments * density * 0.8f;
        const Colour gas = mix(deepGas, violetGas, warmth);
        const Colour bright = mix(coolWisps, warmWisps, warmth);
        return Colour{base.r + gas.r * light + bright.r * wisps, base.g + gas.g * light + bright.g * wisps,
                      base.b + gas.b * light + bright.b * wisps, 1.0f};
    });
    bloom(canvas, 10.0f, 0.2f, Edges::Wrap);
    // Far stars, too faint to be mistaken for bullets.
    for (int i = 0; i < 1800; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const float brightness = std::pow(random.uniform(), 3.0f) * 0.45f + 0.05f;
        const float radius = random.range(0.35f, 0.7f);
        const Colour tint = starTint(random);
        drawWrapped(canvas, at, 2.0f,
                    [&](Vec2 c) { fill(canvas, Circle(c, radius), tint.withAlpha(brightness), Blend::Add); });
    }
}

void paintStageOneStars(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    // Nothing crosses the image's edge, so the layer repeats without cut stars; the empty seam
    // is a few pixels of a sparse field.
    auto inside = [&](float reach) {
        return Vec2{random.range(reach, size - reach), random.range(reach, size - reach)};
    };
    // Clear stars, a few bright ones, and grey dust motes drifting nearer than both.
    for (int i = 0; i < 700; ++i) {
        const float radius = random.range(0.6f, 1.2f);
        const Vec2 at = inside(radius * 4.0f + 3.0f);
        const float strength = random.range(0.35f, 0.85f);
        const Colour tint = starTint(random);
        const Circle star(at, radius);
        glow(canvas, star, tint, radius * 4.0f, strength * 0.4f);
        fill(canvas, star, tint.withAlpha(strength), Blend::Add);
    }
    for (int i = 0; i < 24; ++i) {
        const float glint = random.range(5.0f, 9.0f);
        const Vec2 at = inside(glint * 1.6f + 3.0f);
        const Colour tint = i % 4 == 0 ? palette::pink : palette::ice;
        drawSparkle(canvas, at, glint, tint.withAlpha(0.6f), random.range(-8.0f, 8.0f));
    }
    for (int i = 0; i < 160; ++i) {
        const float radius = random.range(1.0f, 2.4f);
        // Dust streaks a little along the flight, which is down the texture.
        const float stretch = random.range(2.0f, 5.0f);
        const Vec2 at = inside(radius * stretch + 3.0f);
        const float strength = random.range(0.12f, 0.3f);
        fill(canvas, Ellipse(at, radius, radius * stretch), Colour::hex(0x9ab4c8).withAlpha(strength),
             Blend::Add);
    }
    clearMargin(canvas, 1.0f);
}

void paintStageOneTunnel(Canvas& canvas, Random& random) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    // Cobalt and silver: the bullets' hues run red to purple round through yellow and green, the
    // player's shots are ice and aqua; deep blue (about 235 degrees) lies between the shots and
    // the purple bullets, clear of both, and silver has no hue to share.
    const Colour cobalt = Colour::hex(0x3040ff);
    const Colour silver = Colour::hex(0xc8ccf0);
    // Streaks along v (the tube's length), wrapping from the end of the wall to its start; none
    // crosses the edges round the tube.
    for (int i = 0; i < 170; ++i) {
        const float halfLength = random.range(40.0f, 150.0f);
        const float thickness = random.range(0.7f, 1.6f);
        const float reachAcross = thickness * 5.0f;
        const Vec2 at{random.range(reachAcross + 3.0f, width - reachAcross - 3.0f),
                      random.range(0.0f, height)};
        const float strength = random.range(0.25f, 0.75f);
        const Colour tint = random.chance(0.25f) ? silver : cobalt;
        drawWrapped(canvas, at, halfLength, [&](Vec2 c) {
            shade(
                canvas, Rect::around(c, reachAcross, halfLength),
                [&](Vec2 p) {
                    const float along = std::max(0.0f, 1.0f - std::abs(p.y - c.y) / halfLength);
                    const float across = (p.x - c.x) / thickness;
                    const float profile =
                        std::exp(-across * across) + 0.2f * std::exp(-across * across / 9.0f);
                    const float alpha = clamp01(std::pow(along, 1.8f) * profile * strength);
                    return mix(tint, palette::white, std::exp(-across * across) * 0.5f).withAlpha(alpha);
                },
                Blend::Add);
        });
    }
    // Faint rings round the tube every 64 pixels of its length.
    for (float y = 32.0f; y < height; y += 64.0f) {
        shade(
            canvas, Rect{3.0f, y - 6.0f, width - 3.0f, y + 6.0f},
            [&](Vec2 p) {
                const float across = (p.y - y) / 1.6f;
                return cobalt.withAlpha(0.22f * std::exp(-across * across));
            },
            Blend::Add);
    }
    clearMargin(canvas, 1.0f);
}

void paintBossEventVortex(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const TileableNoise swirl(random.next(), 8, 4);
    const Colour black = Colour::hex(0x030106);
    const Colour crimson = Colour::hex(0x7a0c2c);
    const Colour violet = Colour::hex(0x3a1470);
    const Colour hot = Colour::hex(0xff5a8a);
    shadeInParallel(canvas, [&](Vec2 p) {
        const Vec2 offset = p - centre;
        const float r = length(offset) / (size * 0.5f);
        // Polar coordinates, the angle twisted more towards the centre; the noise repeats once
        // round, so there is no seam.
        const float angle = std::atan2(offset.y, offset.x) / (2.0f * kPi) + 0.5f;
        const float twist = angle + 0.35f / (r + 0.25f);
        const float arms = swirl.fractal(twist * 8.0f, std::sqrt(r) * 4.0f, 4);
        const float band = smoothstep(-0.1f, 0.6f, arms);
        const float falloff = smoothstep(1.05f, 0.15f, r);
        const float core = std::exp(-r * r * 30.0f);
        Colour colour = mix(black, mix(violet, crimson, band), falloff * (0.3f + 0.4f * band));
        colour = mix(colour, hot, clamp01(band * falloff * falloff * 0.18f + core * 0.5f));
        return colour.withAlpha(1.0f);
    });
}

// ---- The carrier ----

void paintMothershipMain(Canvas& canvas, Random& /*random*/) {
    paintSupersampled(canvas, [](Canvas& big) {
        constexpr float c = 152.0f;  // the centre line, at twice size
        const Polygon hull(mirrored({{c, 0},
                                     {196, 4},
                                     {214, 22},
                                     {224, 84},
                                     {236, 150},
                                     {268, 176},
                                     {296, 214},
                                     {300, 318},
                                     {288, 362},
                                     {250, 392},
                                     {222, 430},
                                     {208, 464}},
                                    c));
        drawHalo(big, hull, palette::cyan, 10.0f, 0.2f);
        drawPlate(big, hull, hullWhite(12.0f), kHullOutline, 3.0f);
        // Sponsons: teal plating with hangar windows and the fleet's chevron.
        const Polygon sponsons(
            mirrored({{240, 170}, {272, 186}, {292, 218}, {294, 312}, {282, 350}, {244, 372}}, c));
        fillInside(big, sponsons, hull, metalPaint(hull, plateMetal(kTealPlate, 8.0f)));
        for (float side : {-1.0f, 1.0f}) {
            Strokes chevron(6.0f);
            chevron.addPolyline(
                {{c + side * 104.0f, 290.0f}, {c + side * 124.0f, 256.0f}, {c + side * 144.0f, 290.0f}});
            glow(big, Intersection(chevron, hull), palette::cyan, 8.0f, 0.5f);
            fillInside(big, chevron, hull, palette::cyan);
            drawWindowRow(big, {c + side * 112.0f, 206.0f}, {c + side * 136.0f, 232.0f}, 4, 3.0f,
                          palette::ice.withAlpha(0.9f));
            drawWindowRow(big, {c + side * 66.0f, 120.0f}, {c + side * 70.0f, 360.0f}, 14, 2.6f,
                          palette::ice.withAlpha(0.8f));
            drawLamp(big, {c + side * 146.0f, 222.0f}, 3.0f, palette::cyan);
            drawLamp(big, {c + side * 118.0f, 376.0f}, 2.4f, palette::white);
        }
        Metal greyPlate = hullWhite(4.0f);
        greyPlate.base = Colour::hex(0xaec0d0);
        greyPlate.lit = Colour::hex(0xe4eef6);
        fillMirroredPlates(big,
                           {Rect{176, 120, 200, 200}, Rect{180, 300, 204, 380}, Rect{196, 396, 214, 440}}, c,
                           Grown(hull, -4.0f), greyPlate);
        drawSeams(big,
                  mirroredSeamLines(1.8f,
                                    {{{214, 40}, {222, 420}},
                                     {{170, 210}, {296, 210}},
                                     {{170, 300}, {296, 300}},
                                     {{160, 400}, {250, 400}}},
                                    c),
                  hull, kHullSeam);
        // The launch bay: a recessed deck between the bow halves, guide lights leading out.
        const RoundedRect bay({c - 40.0f, 6.0f, c + 40.0f, 196.0f}, 10.0f);
        fill(big, Grown(bay, 3.0f), kHullOutline);
        fill(
            big, bay,
            linearGradient({c, 6}, {c, 196}, {{0.0f, Colour::hex(0x0a1a26)}, {1.0f, Colour::hex(0x14303f)}}));
        for (float x : {c - 30.0f, c + 30.0f}) {
            Strokes rail(2.0f);
            rail.addSegment({x, 14}, {x, 188});
            fill(big, rail, palette::teal.withAlpha(0.9f));
        }
        for (float y = 40.0f; y < 190.0f; y += 30.0f) {
            Strokes chevron(4.0f);
            chevron.addPolyline({{c - 14.0f, y + 10.0f}, {c, y}, {c + 14.0f, y + 10.0f}});
            const float strength = 0.45f + 0.55f * (1.0f - (y - 40.0f) / 150.0f);
            glow(big, chevron, palette::cyan, 8.0f, 0.6f * strength);
            fill(big, chevron, mix(palette::cyan, palette::white, 0.4f).withAlpha(strength));
        }
        // The bridge behind the bay and the reactor behind the bridge.
        const RoundedRect bridge({c - 36.0f, 214.0f, c + 36.0f, 262.0f}, 12.0f);
        drawPlate(big, bridge, hullWhite(8.0f), kHullOutline, 2.0f);
        const RoundedRect bridgeWindows({c - 26.0f, 222.0f, c + 26.0f, 231.0f}, 3.0f);
        drawCanopy(big, bridgeWindows, Colour::hex(0x1aa0c0), palette::white);
        glow(big, bridgeWindows, palette::cyan, 6.0f, 0.4f);
        const Circle dome({c, 318.0f}, 28.0f);
        drawPlate(big, dome, plateMetal(Colour::hex(0x7890a4), 12.0f), kHullOutline, 2.0f);
        const Circle reactor({c, 318.0f}, 12.0f);
        glow(big, reactor, palette::cyan, 20.0f, 0.7f);
        fill(big, reactor,
             radialGradient({c - 2.0f, 316.0f}, 14.0f,
                            {{0.0f, palette::white}, {0.5f, palette::cyan}, {1.0f, palette::teal}}));
        // The engine mount at the stern.
        const RoundedRect mount({c - 50.0f, 410.0f, c + 50.0f, 462.0f}, 8.0f);
        fillInside(big, mount, hull, metalPaint(mount, plateMetal(kDeepPlate, 6.0f)));
        clearMargin(big, 2.0f);
    });
}

void paintMothershipArmLeft(Canvas& canvas, Random& /*random*/) {
    paintSupersampled(canvas, [](Canvas& big) {
        paintBowHalf(big, true);
        clearMargin(big, 2.0f);
    });
}

void paintMothershipArmRight(Canvas& canvas, Random& /*random*/) {
    paintSupersampled(canvas, [](Canvas& big) {
        paintBowHalf(big, false);
        clearMargin(big, 2.0f);
    });
}

void paintMothershipEngine(Canvas& canvas, Random& /*random*/) {
    paintSupersampled(canvas, [](Canvas& big) {
        constexpr float c = 128.0f;
        // Exhaust first, so that the block covers the flames' roots.
        for (float x : {c - 64.0f, c, c + 64.0f}) {
            drawExhaust(big, {x, 136.0f}, 34.0f, 50.0f, palette::cyan, 1.2f);
        }
        const RoundedRect collar({c - 92.0f, 0.0f, c + 92.0f, 30.0f}, 6.0f);
        drawPlate(big, collar, plateMetal(kDeepPlate, 6.0f), kHullOutline, 2.5f);
        const RoundedRect block({c - 116.0f, 18.0f, c + 116.0f, 112.0f}, 16.0f);
        drawPlate(big, block, hullWhite(12.0f), kHullOutline, 3.0f);
        const RoundedRect band({c - 116.0f, 56.0f, c + 116.0f, 74.0f}, 0.0f);
        fillInside(big, band, block, metalPaint(block, plateMetal(kTealPlate, 4.0f)));
        drawSeams(big,
                  seamLines(1.8f, {{{c - 60.0f, 22}, {c - 60.0f, 108}}, {{c + 60.0f, 22}, {c + 60.0f, 108}}}),
                  block, kHullSeam);
        for (float x : {c - 64.0f, c, c + 64.0f}) {
            const RoundedRect bell({x - 22.0f, 104.0f, x + 22.0f, 138.0f}, 8.0f);
            drawPlate(big, bell, plateMetal(kEngineGrey, 5.0f), kHullOutline, 2.0f);
            const RoundedRect mouth({x - 16.0f, 124.0f, x + 16.0f, 137.0f}, 5.0f);
            glow(big, mouth, palette::cyan, 14.0f, 0.8f);
            fill(big, mouth, palette::white);
        }
        for (float side : {-1.0f, 1.0f}) {
            drawLamp(big, {c + side * 104.0f, 40.0f}, 3.0f, palette::cyan);
        }
        clearMargin(big, 2.0f);
    });
}

// ---- Effect shapes ----

void paintInvertSquare(Canvas& canvas, Random& /*random*/) {
    canvas.clear(palette::white);
}

void paintInvertCircle(Canvas& canvas, Random& /*random*/) {
    const auto size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float radius = size * 0.5f - 4.0f;
    shade(canvas, [&](Vec2 p) {
        const float r = length(p - centre);
        return palette::white.withAlpha(smoothstep(radius, radius - 3.0f, r));
    });
}

void paintBossPointer(Canvas& canvas, Random& /*random*/) {
    const Polygon arrow({{16, 5}, {27, 22}, {16, 17}, {5, 22}});
    glow(canvas, arrow, palette::magenta, 5.0f, 0.6f);
    fill(canvas, Grown(arrow, 1.0f), Colour::hex(0x1a0414));
    fill(canvas, arrow, linearGradient({16, 5}, {16, 22}, {{0.0f, palette::pink}, {1.0f, palette::magenta}}));
    clearMargin(canvas, 1.0f);
}

void paintRingEffect(Canvas& canvas, Random& /*random*/) {
    const auto size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float radius = size * 0.5f - 9.0f;
    shade(canvas, [&](Vec2 p) {
        const float r = length(p - centre);
        const float band = std::exp(-std::pow((r - radius) / 2.2f, 2.0f));
        const float haze = std::exp(-std::pow((r - radius) / 6.0f, 2.0f)) * 0.45f;
        const float inside = r < radius ? 0.08f * (r / radius) : 0.0f;
        const float alpha =
            clamp01((band + haze + inside) * smoothstep(size * 0.5f - 1.0f, size * 0.5f - 4.0f, r));
        return palette::white.withAlpha(alpha);
    });
}

}  // namespace artgen
