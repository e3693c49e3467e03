// The second stage's backdrop, the breaker yards: a deep umber field, a layer of large rocks,
// the yard's girders and work lights, and the furnace light of the boss. Everything stays dark
// (the field's median luminance is near stage one's 0.02) so the bullets remain the brightest
// things on screen; the warm light is sodium orange at low strength, never a bullet's
// brightness and never the player's ice blue.
//
//   stage2_field.png     512 x 512, opaque: umber dust, far rocks in silhouette; tiles both ways
//   stage2_rocks.png     512 x 512 on transparency: large dim rocks, each rimmed by the work
//                        lights; nothing crosses the edges, so it tiles both ways
//   stage2_girders.png   512 x 512 on transparency: two lattice towers running down the sides
//                        of the view (the middle 288 pixels at stage scale) with cross girders
//                        and sodium lamps; repeats along its length (top to bottom), clear at
//                        the sides
//   stage2_furnace.png   256 x 256, opaque: a dim ember red, strongest at the top, for an
//                        additive layer that turns the yard's light furnace red

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/StageTwoKit.h"

namespace artgen {

namespace {

using namespace yard;

// A lumpy rock outline about `centre`.
std::vector<Vec2> rockOutline(Random& random, Vec2 centre, float radius, int points) {
    std::vector<Vec2> outline;
    const float stretch = random.range(0.8f, 1.25f);
    const float turn = random.range(0.0f, 180.0f);
    for (int i = 0; i < points; ++i) {
        const float degrees =
            360.0f * static_cast<float>(i) / static_cast<float>(points) + random.range(-10.0f, 10.0f);
        const Vec2 along = direction(degrees) * (radius * random.range(0.75f, 1.0f));
        outline.push_back(centre + rotated(Vec2{along.x * stretch, along.y}, turn));
    }
    return outline;
}

// A rock of the backdrop: stone darkened to `light`, its upper-left rim caught by the lamps.
void drawBackdropRock(Canvas& canvas, Random& random, Vec2 centre, float radius, float light) {
    const Polygon rock(rockOutline(random, centre, radius, random.integer(8, 12)));
    Metal dim = stone(radius * 0.7f);
    dim.lit = mix(palette::black, dim.lit, light);
    dim.base = mix(palette::black, dim.base, light);
    dim.shade = mix(palette::black, dim.shade, light);
    dim.rim = mix(palette::black, kSodium, light * 1.2f);
    const TileableNoise grain(random.next(), 4, 4);
    const Paint body = metalPaint(rock, dim);
    fill(canvas, Grown(rock, 1.0f), kOutline.withAlpha(0.9f));
    fill(canvas, rock, Paint([&](Vec2 p) {
             const Colour colour = body.at(p);
             const float n = 0.8f + 0.3f * grain.fractal(p.x / 24.0f, p.y / 24.0f, 3);
             return Colour{colour.r * n, colour.g * n, colour.b * n, 1.0f};
         }));
}

}  // namespace

void paintStageTwoField(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise warp(random.next(), kPeriod, kPeriod);
    const TileableNoise dust(random.next(), kPeriod, kPeriod);
    const TileableNoise mass(random.next(), 2, 2);
    const TileableNoise strands(random.next(), kPeriod * 2, kPeriod * 2);
    const auto size = static_cast<float>(canvas.width());
    const float scale = static_cast<float>(kPeriod) / size;
    const float broad = 2.0f / size;
    const Colour base = Colour::hex(0x050302);
    const Colour umber = Colour::hex(0x2e170a);
    const Colour rust = Colour::hex(0x5a2a10);

    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        const float wu = u + 0.6f * warp.fractal(u, v, 4);
        const float wv = v + 0.6f * warp.fractal(u + 1.7f, v + 2.9f, 4);
        const float region = smoothstep(-0.6f, 0.5f, mass.fractal(p.x * broad, p.y * broad, 3));
        const float clouds = smoothstep(-0.35f, 0.6f, dust.fractal(wu, wv, 5, 0.55f));
        const float density = region * clouds;
        const float lanes = std::pow(strands.ridged(wu * 2.0f, wv * 2.0f, 4, 0.5f), 7.0f) * density;
        const float light = density * density;
        return Colour{base.r + umber.r * light + rust.r * lanes * 0.6f,
                      base.g + umber.g * light + rust.g * lanes * 0.6f,
                      base.b + umber.b * light + rust.b * lanes * 0.6f, 1.0f};
    });
    // Far rocks in silhouette against the dust, rimmed faintly by distant lamps.
    for (int i = 0; i < 70; ++i) {
        const float radius = std::pow(random.uniform(), 2.0f) * 10.0f + 2.5f;
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const std::vector<Vec2> outline = rockOutline(random, {0.0f, 0.0f}, radius, 8);
        const float light = random.range(0.12f, 0.3f);
        Metal dim = stone(radius * 0.6f);
        dim.lit = mix(palette::black, dim.lit, light);
        dim.base = mix(palette::black, dim.base, light * 0.5f);
        dim.shade = Colour::hex(0x040201);
        dim.rim = mix(palette::black, kSodium, light);
        drawWrapped(canvas, at, radius + 2.0f, [&](Vec2 c) {
            std::vector<Vec2> points;
            for (const Vec2 corner : outline) {
                points.push_back(corner + c);
            }
            const Polygon rock(points);
            fill(canvas, rock, metalPaint(rock, dim));
        });
    }
    // A scatter of far lights: other yards, dim and warm.
    for (int i = 0; i < 500; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const float brightness = std::pow(random.uniform(), 3.0f) * 0.3f + 0.04f;
        const Colour tint = random.chance(0.3f) ? kSodium : Colour::hex(0xffe8d0);
        drawWrapped(canvas, at, 2.0f,
                    [&](Vec2 c) { fill(canvas, Circle(c, 0.55f), tint.withAlpha(brightness), Blend::Add); });
    }
}

void paintStageTwoRocks(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    std::vector<std::pair<Vec2, float>> placed;
    for (int attempt = 0; attempt < 400 && placed.size() < 11; ++attempt) {
        const float radius = random.range(22.0f, 62.0f);
        const Vec2 at{random.range(radius + 8.0f, size - radius - 8.0f),
                      random.range(radius + 8.0f, size - radius - 8.0f)};
        bool clear = true;
        for (const auto& [other, otherRadius] : placed) {
            clear = clear && length(at - other) > radius + otherRadius + 14.0f;
        }
        if (clear) {
            placed.emplace_back(at, radius);
        }
    }
    for (const auto& [at, radius] : placed) {
        drawBackdropRock(canvas, random, at, radius, random.range(0.3f, 0.45f));
    }
    clearMargin(canvas, 1.0f);
}

void paintStageTwoGirders(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    constexpr float kBay = 64.0f;  // divides the height, so the towers repeat seamlessly
    // The layer is 1126 units across and the view about 620, so the towers stand just inside
    // the view's sides, where they frame the field without crossing it.
    constexpr float kTower = 112.0f;
    constexpr float kTowerWidth = 40.0f;
    Metal metal = darkIron(2.0f);
    metal.lit = Colour::hex(0x4a3a30);
    metal.base = Colour::hex(0x1c1512);
    metal.shade = Colour::hex(0x080504);
    // Pools of lamp light on the towers first, the iron over them.
    Canvas light(canvas.width(), canvas.height());
    for (float x : {kTower + kTowerWidth * 0.5f, size - kTower - kTowerWidth * 0.5f}) {
        for (float y = kBay * 0.5f; y < size; y += kBay * 2.0f) {
            drawWrapped(canvas, {x, y}, 60.0f, [&](Vec2 c) {
                fill(light, Circle(c, 56.0f),
                     radialGradient(c, 56.0f,
                                    {{0.0f, kSodium.withAlpha(0.22f)},
                                     {0.4f, kSodium.withAlpha(0.08f)},
                                     {1.0f, kSodium.withAlpha(0.0f)}}),
                     Blend::Add);
            });
        }
    }
    canvas.composite(light, 0, 0, Blend::Add);
    Strokes chords(6.0f);
    Strokes bracing(3.0f);
    for (float x0 : {kTower, size - kTower - kTowerWidth}) {
        const float x1 = x0 + kTowerWidth;
        chords.addSegment({x0, -8.0f}, {x0, size + 8.0f});
        chords.addSegment({x1, -8.0f}, {x1, size + 8.0f});
        for (float y = -kBay; y < size + kBay; y += kBay) {
            bracing.addSegment({x0, y}, {x1, y + kBay * 0.5f});
            bracing.addSegment({x1, y + kBay * 0.5f}, {x0, y + kBay});
        }
    }
    // Cross girders reaching in from the towers, short of the middle of the field.
    Strokes arms(5.0f);
    for (float y : {kBay * 1.0f, kBay * 5.0f}) {
        const float inner = kTower + kTowerWidth;
        arms.addSegment({inner, y}, {inner + 44.0f, y});
        arms.addSegment({inner, y + 12.0f}, {inner + 34.0f, y});
        arms.addSegment({size - inner, y + kBay * 2.0f}, {size - inner - 52.0f, y + kBay * 2.0f});
        arms.addSegment({size - inner, y + kBay * 2.0f + 12.0f}, {size - inner - 40.0f, y + kBay * 2.0f});
    }
    const Rect inside{3.0f, -16.0f, size - 3.0f, size + 16.0f};
    const RoundedRect area(inside, 0.0f);
    for (const Strokes* part : {&bracing, &arms, &chords}) {
        fillInside(canvas, Grown(*part, 1.5f), area, Colour::hex(0x030201));
        fillInside(canvas, *part, area, metalPaint(*part, metal));
    }
    // The lamps themselves: small, warm and well below a bullet's brightness.
    for (float x : {kTower + kTowerWidth * 0.5f, size - kTower - kTowerWidth * 0.5f}) {
        for (float y = kBay * 0.5f; y < size; y += kBay * 2.0f) {
            fill(canvas, Circle({x, y}, 3.0f), Colour::hex(0x140a04));
            fill(canvas, Circle({x, y}, 1.8f), Colour::hex(0xd08030).withAlpha(0.8f), Blend::Add);
        }
    }
    // Clear at the sides; the towers run on through the top and bottom into the next copy.
    canvas.fade([&](int x, int /*y*/) {
        const float px = static_cast<float>(x) + 0.5f;
        return smoothstep(1.0f, 4.0f, std::min(px, size - px));
    });
    (void)random;
}

void paintStageTwoFurnace(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    const TileableNoise heat(random.next(), 4, 4);
    shade(canvas, [&](Vec2 p) {
        const float fromTop = p.y / size;
        const float shimmer = 0.85f + 0.15f * heat.fractal(p.x * 4.0f / size, p.y * 4.0f / size, 3);
        const float strength = (0.35f + 0.65f * (1.0f - fromTop) * (1.0f - fromTop)) * shimmer;
        return Colour{0.15f * strength, 0.035f * strength, 0.008f * strength, 1.0f};
    });
}

}  // namespace artgen
