// Effects: the bomb's shockwave, the particle atlas and the explosion sheet.
//
//   bomb_player_1.png  256 x 256: a shockwave ring of white and cyan light round a faint haze,
//                      with a corona of rays (the game scales it up to fill the screen)
//
//   particles.png      512 x 512, 8 x 8 cells of 64 x 64. Grey frames are white light or grey
//                      smoke for the engine to tint; animated runs stay on one row, since
//                      particle animations step to the right.
//     0 soft glow        1 glow with a hot core   2 small hard dot      3 four-point sparkle
//     4 long streak (y)  5 short spark (y)        6 thin ring           7 soft wide ring
//     8-11 smoke puffs   12-14 debris shards      15 ember (orange)
//     16-23 fire explosion, 8 frames (coloured: white flash, fireball, smoke)
//     24-31 energy burst, 8 frames (grey: flash, expanding ring, sparks)
//     32 flame tongue (orange, along y)   33 hexagonal lens flash   34 electric arc
//     35 graze scratch: a bright chevron spark; 36 and up empty
//
//   trails.png         512 x 512, 16 x 8 cells of 32 x 64: ribbons for the trails, a colour a
//                      row (white, cyan, green, fire, red, engine blue, violet, smoke) and a
//                      glow width a column; the head of a ribbon at the top of its cell
//
//   explosion.png      1024 x 1024, 8 x 8 cells of 128 x 128: three blasts of 16 frames
//                      (0-15, 32-47, 48-63): a white-hot core that collapses, a lumpy
//                      fireball, dark smoke eating into it; frames 16-19 the score popups
//                      x2, x4, x8, x16; the rest empty

#include <cmath>
#include <string>
#include <vector>

#include "raster/Draw.h"
#include "raster/Noise.h"
#include "textures/CraftKit.h"
#include "textures/GameplayAtlases.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

constexpr Colour kTransparent{0.0f, 0.0f, 0.0f, 0.0f};

// A round falloff that is exactly 0 from `radius` on.
float roundFalloff(float distance, float radius) {
    const float t = clamp01(distance / radius);
    return (1.0f - t * t) * (1.0f - t * t);
}

Colour grey(float level, float alpha) {
    return {level, level, level, clamp01(alpha)};
}

// ---- Fire ----

// Temperature to colour: white-hot, yellow, orange, red, then soot.
Colour fireColour(float heat) {
    static const std::vector<GradientStop> kRamp = {
        {0.0f, Colour::hex(0x1e1416)},  {0.22f, Colour::hex(0x5a1a12)}, {0.4f, Colour::hex(0xc8320c)},
        {0.58f, Colour::hex(0xff7a14)}, {0.74f, Colour::hex(0xffb83a)}, {0.88f, Colour::hex(0xfff0b8)},
        {1.0f, Colour::hex(0xffffff)},
    };
    return sampleGradient(kRamp, heat);
}

struct Blob {
    Vec2 direction;
    float distance;  // how far out it drifts, in cell radii
    float radius;    // full size, in cell radii
};

std::vector<Blob> fireBlobs(uint64_t seed, int count) {
    Random random(seed);
    std::vector<Blob> blobs;
    blobs.push_back({{0.0f, 0.0f}, 0.0f, 0.62f});
    for (int i = 1; i < count; ++i) {
        const float degrees =
            360.0f * static_cast<float>(i) / static_cast<float>(count - 1) + random.range(-20.0f, 20.0f);
        blobs.push_back({direction(degrees), random.range(0.38f, 0.55f), random.range(0.34f, 0.46f)});
    }
    return blobs;
}

// One frame of a fireball at time t (0 to 1) in a square cell: a flash, billowing fire that
// cools from the outside in, then smoke that thins and breaks up.
void paintFireball(Canvas& cell, float t, uint64_t seed) {
    const float size = static_cast<float>(cell.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float reach = size * 0.5f - 6.0f;  // the largest radius any part may reach
    const std::vector<Blob> blobs = fireBlobs(seed, 8);
    const TileableNoise surface(seed + 1, 3, 3);
    const TileableNoise turbulence(seed + 3, 6, 6);
    const float grow = 1.0f - std::pow(1.0f - t, 2.2f);
    const float scale = reach * (0.45f + 0.72f * grow);  // the fireball's size in pixels
    const float cooling = 0.95f * std::pow(t, 0.7f);
    const float thinning = smoothstep(0.4f, 1.0f, t);
    const float opacity = 1.0f - 0.9f * smoothstep(0.65f, 1.0f, t);
    const float flash = std::exp(-t * 14.0f);
    const Colour soot = Colour::hex(0x3a3038);

    shade(cell, [&](Vec2 p) {
        const Vec2 q = (p - centre) * (1.0f / scale);
        const float u = p.x / size;
        const float v = p.y / size;
        const float low = surface.fractal(u * 3.0f + t * 0.8f, v * 3.0f, 3);
        const float high = turbulence.fractal(u * 6.0f - t * 1.2f, v * 6.0f + t, 3);
        // A soft union of the blobs, so they merge into one billowing mass.
        constexpr float kSoftness = 7.0f;
        float sum = 0.0f;
        for (const Blob& blob : blobs) {
            const Vec2 at = blob.direction * (blob.distance * (0.55f + 0.45f * grow));
            sum += std::exp(-kSoftness * length(q - at) / blob.radius);
        }
        const float nearest = -std::log(std::max(sum, 1e-12f)) / kSoftness;
        const float density = 1.0f - nearest + 0.3f * low + 0.12f * high;
        if (density <= 0.0f) {
            return kTransparent;
        }
        // Hot deep inside the mass, cooling from the rim and over time; turbulence streaks it.
        const float core = clamp01(1.0f - length(q) * 0.85f);
        const float heat = clamp01(core * 1.2f + 0.25f * clamp01(density) - cooling * (1.05f - 0.45f * core) +
                                   0.32f * high + flash * 0.7f - 0.7f * smoothstep(0.45f, 0.9f, t));
        Colour colour = fireColour(heat);
        const float billow = 0.65f + 0.35f * low + 0.3f * high;
        const Colour smoke{soot.r * billow, soot.g * billow, soot.b * billow, 1.0f};
        colour = mix(colour, smoke, smoothstep(0.5f, 0.12f, heat) * smoothstep(0.3f, 0.7f, t));
        // Smoke breaks into holes as it thins.
        const float holes = smoothstep(thinning * 0.75f - 0.1f, thinning * 0.75f + 0.1f,
                                       density * 0.7f + high * 0.3f + 0.05f);
        const float alpha =
            smoothstep(0.0f, 0.15f + 0.35f * t, density) * holes * opacity * (0.7f + 0.3f * heat);
        colour.a = clamp01(alpha);
        return colour;
    });
    // The first flash of light.
    if (flash > 0.05f) {
        const Circle heart(centre, scale * 0.35f);
        glow(cell, heart, Colour::hex(0xffe0a0), scale * 1.4f, 0.8f * flash);
        fill(cell, heart, palette::white.withAlpha(flash), Blend::Add);
    }
    // Embers thrown out, fading as they fly.
    Random random(seed + 2);
    for (int i = 0; i < 9; ++i) {
        const Vec2 heading = direction(random.range(0.0f, 360.0f));
        const float speed = random.range(0.3f, 1.0f);
        const float travel = reach * (0.25f + 0.75f * speed * grow);
        const float fade = 1.0f - smoothstep(0.4f + 0.4f * speed, 1.0f, t);
        if (t < 0.08f || fade <= 0.0f || travel > reach - 2.0f) {
            continue;
        }
        const Vec2 at = centre + heading * travel;
        const float radius = size / 128.0f * random.range(1.0f, 1.8f);
        glow(cell, Circle(at, radius), Colour::hex(0xff8a20), radius * 4.0f, 0.6f * fade);
        fill(cell, Circle(at, radius), Colour::hex(0xffe0a0).withAlpha(fade), Blend::Add);
    }
}

// ---- Particles ----

void paintSmokePuff(Canvas& cell, uint64_t seed) {
    Random random(seed);
    const TileableNoise noise(seed, 3, 3);
    std::vector<std::pair<Vec2, float>> lumps;
    for (int i = 0; i < 5; ++i) {
        lumps.push_back(
            {Vec2{32.0f, 32.0f} + direction(random.range(0.0f, 360.0f)) * random.range(0.0f, 9.0f),
             random.range(10.0f, 15.0f)});
    }
    shade(cell, [&](Vec2 p) {
        float density = 0.0f;
        for (const auto& [at, radius] : lumps) {
            density = std::max(density, roundFalloff(length(p - at), radius + 8.0f));
        }
        const float n = noise.fractal(p.x / 64.0f * 3.0f, p.y / 64.0f * 3.0f, 4);
        density = clamp01(density * (0.85f + 0.5f * n));
        // Lit from above: the top of each puff a little brighter.
        const float level = 0.62f + 0.25f * clamp01((40.0f - p.y) / 30.0f) + 0.1f * n;
        return grey(clamp01(level), density * 0.9f * roundFalloff(length(p - Vec2{32, 32}), 29.0f) * 1.4f);
    });
}

void paintShard(Canvas& cell, int variant) {
    static const std::vector<std::vector<Vec2>> kShapes = {
        {{32, 10}, {44, 36}, {34, 54}, {22, 30}},
        {{18, 20}, {46, 16}, {40, 30}, {28, 46}},
        {{24, 14}, {40, 22}, {48, 44}, {30, 50}, {20, 34}},
    };
    const Polygon shard(kShapes[static_cast<size_t>(variant)]);
    Metal metal;
    metal.lit = grey(1.0f, 1.0f);
    metal.base = grey(0.62f, 1.0f);
    metal.shade = grey(0.22f, 1.0f);
    metal.bevel = 4.0f;
    metal.rim = palette::white;
    metal.rimStrength = 0.5f;
    fill(cell, Grown(shard, 1.0f), grey(0.1f, 1.0f));
    fill(cell, shard, metalPaint(shard, metal));
}

// One frame of the grey energy burst: a flash that blooms into a ring, which widens, thins and
// fades, throwing sparks.
void paintEnergyBurst(Canvas& cell, float t) {
    const Vec2 centre{32.0f, 32.0f};
    const float radius = 6.0f + 20.0f * (1.0f - std::pow(1.0f - t, 2.0f));
    const float width = 5.0f * (1.0f - t) + 1.0f;
    const float fade = 1.0f - 0.8f * smoothstep(0.5f, 1.0f, t);
    const float flash = std::exp(-t * 8.0f);
    shade(cell, [&](Vec2 p) {
        const float r = length(p - centre);
        const float ring = std::exp(-std::pow((r - radius) / width, 2.0f));
        const float haze = roundFalloff(r, radius) * 0.35f * (1.0f - t);
        const float core = std::exp(-r * r / (2.0f * 36.0f)) * flash;
        const float edge = roundFalloff(r, 29.0f) > 0.0f ? 1.0f : 0.0f;
        const float alpha = clamp01((ring * fade + haze + core) * edge);
        return grey(0.85f + 0.15f * clamp01(ring + core), alpha);
    });
    for (int i = 0; i < 6; ++i) {
        const Vec2 heading = direction(60.0f * static_cast<float>(i) + 20.0f);
        const float out = std::min(radius + 4.0f * t, 26.0f);
        Strokes spark(1.4f);
        spark.addSegment(centre + heading * (out - 5.0f), centre + heading * out);
        fill(cell, spark, palette::white.withAlpha(fade * (t > 0.05f ? 1.0f : 0.0f)), Blend::Add);
    }
}

void paintParticleCell(Canvas& cell, int frame) {
    namespace f = particle_frame;
    const Vec2 centre{32.0f, 32.0f};
    if (frame >= f::kSmoke && frame < f::kSmoke + f::kSmokeCount) {
        paintSmokePuff(cell, 0x5e0c3 + static_cast<uint64_t>(frame));
    } else if (frame >= f::kShard && frame < f::kShard + f::kShardCount) {
        paintShard(cell, frame - f::kShard);
    } else if (frame >= f::kFire && frame < f::kFire + f::kFireCount) {
        paintFireball(cell, static_cast<float>(frame - f::kFire) / static_cast<float>(f::kFireCount - 1),
                      0xf17e);
    } else if (frame >= f::kBurst && frame < f::kBurst + f::kBurstCount) {
        paintEnergyBurst(cell,
                         static_cast<float>(frame - f::kBurst) / static_cast<float>(f::kBurstCount - 1));
    }
    switch (frame) {
        case f::kSoftGlow:
            shade(cell, [&](Vec2 p) {
                const float r = length(p - centre);
                return grey(1.0f, std::exp(-r * r / (2.0f * 10.0f * 10.0f)) * roundFalloff(r, 29.0f));
            });
            break;
        case f::kCoreGlow:
            shade(cell, [&](Vec2 p) {
                const float r = length(p - centre);
                const float halo = std::exp(-r * r / (2.0f * 9.0f * 9.0f)) * 0.7f;
                const float core = std::exp(-r * r / (2.0f * 2.5f * 2.5f));
                return grey(1.0f, (halo + core) * roundFalloff(r, 29.0f));
            });
            break;
        case f::kDot:
            glow(cell, Circle(centre, 5.0f), palette::white, 8.0f, 0.5f);
            fill(cell, Circle(centre, 5.0f), palette::white);
            break;
        case f::kSparkle:
            drawSparkle(cell, centre, 24.0f, palette::white);
            break;
        case f::kStreak:
        case f::kSpark: {
            const float half = frame == f::kStreak ? 27.0f : 15.0f;
            const float thickness = frame == f::kStreak ? 1.6f : 3.2f;
            shade(cell, [&](Vec2 p) {
                const float along = clamp01(1.0f - std::abs(p.y - centre.y) / half);
                const float across = (p.x - centre.x) / thickness;
                const float body = std::exp(-across * across) + 0.3f * std::exp(-across * across / 9.0f);
                return grey(1.0f, std::pow(along, 1.5f) * body);
            });
            break;
        }
        case f::kRing: {
            const Circle path(centre, 24.0f);
            glow(cell, Outline(path, 2.0f), palette::white, 5.0f, 0.6f);
            fill(cell, Outline(path, 2.0f), palette::white);
            break;
        }
        case f::kSoftRing:
            shade(cell, [&](Vec2 p) {
                const float r = length(p - centre);
                return grey(1.0f,
                            std::exp(-std::pow((r - 20.0f) / 5.0f, 2.0f)) * smoothstep(29.0f, 25.0f, r));
            });
            break;
        case f::kEmber: {
            const Circle ember(centre, 4.0f);
            glow(cell, ember, Colour::hex(0xff6a10), 16.0f, 0.8f);
            fill(cell, ember,
                 radialGradient(centre, 4.5f, {{0.0f, palette::white}, {1.0f, Colour::hex(0xffa030)}}));
            break;
        }
        case f::kFlame:
            shade(cell, [&](Vec2 p) {
                // A teardrop: round at the bottom, drawn out to a point at the top.
                const float v = (p.y - 12.0f) / 40.0f;  // 0 at the tip, 1 at the base
                if (v < 0.0f || v > 1.15f) {
                    return kTransparent;
                }
                const float width =
                    10.0f * std::sqrt(clamp01(v)) * (1.0f - smoothstep(0.9f, 1.15f, v) * 0.8f);
                const float across = std::abs(p.x - centre.x) / std::max(width, 0.5f);
                const float heat = clamp01(1.0f - across) * smoothstep(0.0f, 0.9f, v);
                Colour colour = fireColour(0.45f + 0.55f * heat);
                colour.a = clamp01((1.0f - across) * 1.5f) * (1.0f - smoothstep(0.95f, 1.15f, v));
                return colour;
            });
            break;
        case f::kFlash: {
            std::vector<Vec2> hexagon;
            for (int i = 0; i < 6; ++i) {
                hexagon.push_back(centre + direction(60.0f * static_cast<float>(i)) * 16.0f);
            }
            const Polygon lens(hexagon);
            glow(cell, lens, palette::white, 12.0f, 0.35f);
            fill(cell, lens, grey(1.0f, 0.35f));
            fill(cell, Outline(Grown(lens, -1.0f), 1.5f), grey(1.0f, 0.8f));
            break;
        }
        case f::kBolt: {
            Strokes bolt(2.0f);
            bolt.addPolyline({{30, 6}, {36, 18}, {27, 26}, {37, 36}, {28, 46}, {34, 58}});
            bolt.addPolyline({{27, 26}, {18, 30}});
            bolt.addPolyline({{37, 36}, {46, 38}});
            glow(cell, bolt, palette::white, 7.0f, 0.6f);
            fill(cell, bolt, palette::white);
            break;
        }
        case f::kScratch: {
            Strokes chevron(3.0f);
            chevron.addPolyline({{18, 40}, {32, 22}, {46, 40}});
            glow(cell, chevron, palette::white, 9.0f, 0.6f);
            fill(cell, chevron, palette::white);
            drawSparkle(cell, {32.0f, 22.0f}, 12.0f, palette::white);
            break;
        }
        default:
            break;
    }
    clearMargin(cell, 2.0f);
}

// ---- Score popups ----

// How one of the explosion sheet's blasts differs from the others.
struct BlastStyle {
    uint64_t seed;
    float lumps;    // how far the fireball's edge bulges and bites in, in fireball radii
    float smoke;    // how soon and how much smoke eats the fire
    float stretch;  // the fireball's width over its height
};

// One frame of a blast at time t (0 to 1): a white-yellow core that collapses within the first
// few frames, an orange-red fireball whose edge is torn by noise, and dark smoke that eats into
// it from the edge and through holes in the late frames, until only thin wisps are left.
void paintBlast(Canvas& cell, float t, const BlastStyle& style) {
    const float size = static_cast<float>(cell.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float reach = size * 0.5f - 4.0f;  // the largest radius any part may reach
    const TileableNoise edge(style.seed, 4, 4);
    const TileableNoise churn(style.seed + 1, 8, 8);
    const TileableNoise soot(style.seed + 2, 5, 5);
    const float grow = 1.0f - std::pow(1.0f - t, 2.6f);
    const float radius = reach * (0.5f + 0.45f * grow) / (1.0f + 1.6f * style.lumps);
    const float coreRadius = 0.6f * std::exp(-t * 7.0f) + 0.02f;  // in fireball radii
    const float cooling = std::pow(t, 0.75f);
    const float eaten = clamp01((t - 0.3f + 0.25f * style.smoke) / 0.6f);  // smoke's share
    const float fading = 1.0f - 0.8f * smoothstep(0.65f, 1.0f, t);
    const Colour sootColour = Colour::hex(0x2a2226);
    shade(cell, [&](Vec2 p) {
        Vec2 q = (p - centre) * (1.0f / radius);
        q.x /= style.stretch;
        // Off the noise's lattice, whose lines through the centre would show as seams.
        const float u = p.x / size + 0.37f;
        const float v = p.y / size + 0.61f;
        // Edge turbulence drifts over time and is warped by the fine churn, so the lumps boil
        // rather than sit still.
        const float fine = churn.fractal(u * 8.0f - t * 1.3f, v * 8.0f + t * 0.9f, 3);
        const float lumpy = edge.fractal(u * 4.0f + t * 0.6f + 0.15f * fine, v * 4.0f - t * 0.4f, 4);
        const float distance = length(q) * (1.0f - 2.0f * style.lumps * lumpy - 0.18f * fine);
        const float density = 1.0f - distance;
        if (density <= 0.0f) {
            return kTransparent;
        }
        const float core = std::exp(-std::pow(length(q) / coreRadius, 2.0f)) * std::exp(-t * 5.0f);
        const float heat = clamp01(0.72f - 0.6f * cooling + 0.4f * density * (1.0f - t) + 0.3f * fine +
                                   0.2f * lumpy + core * 0.9f);
        Colour colour = fireColour(heat);
        // Smoke: billowing soot, eating in from the edge first, then through the body.
        const float billow = soot.fractal(u * 5.0f, v * 5.0f + t * 0.5f, 3);
        const float smokeShare =
            smoothstep(0.2f, 0.6f, eaten * 1.3f + (0.35f - density) * 0.9f + 0.45f * billow) * (1.0f - core);
        const float shadeLevel = 0.7f + 0.5f * billow;
        colour =
            mix(colour,
                Colour{sootColour.r * shadeLevel, sootColour.g * shadeLevel, sootColour.b * shadeLevel, 1.0f},
                smokeShare);
        // Late smoke tears into wisps.
        const float holes = smoothstep(eaten - 0.15f, eaten + 0.15f, density * 0.8f + 0.5f * billow + 0.3f);
        const float body = smoothstep(0.0f, 0.08f + 0.2f * t, density);
        colour.a = clamp01(body * holes * fading * (0.85f + 0.15f * heat));
        return colour;
    });
    // The first instant: a white heart with a yellow halo, gone by the fourth frame.
    const float flash = std::exp(-t * 16.0f);
    if (flash > 0.03f) {
        glow(cell, Circle(centre, radius * 0.25f), Colour::hex(0xfff4c0), radius * 0.6f, 0.8f * flash);
    }
}

void paintScorePopup(Canvas& cell, const std::string& text, Colour colour) {
    const Vec2 centre{64.0f, 64.0f};
    const TextStyle style{38.0f, 0.17f, 0.12f, 0.12f};
    const Strokes letters = StrokeFont::house().layout(text, style, centre);
    NeonStyle neon;
    neon.glow = colour;
    neon.haloRadius = 16.0f;
    neon.haloStrength = 0.4f;
    neon.glowRadius = 5.0f;
    neon.glowStrength = 0.8f;
    neon.body = linearGradient(centre - Vec2{0.0f, 19.0f}, centre + Vec2{0.0f, 19.0f},
                               {{0.0f, palette::white}, {1.0f, mix(colour, palette::white, 0.45f)}});
    fill(cell, Grown(letters, 2.5f), Colour::hex(0x05040a, 0.85f));
    drawNeon(cell, letters, neon);
}

}  // namespace

void paintBomb(Canvas& canvas, Random& random) {
    const float size = static_cast<float>(canvas.width());
    const Vec2 centre{size * 0.5f, size * 0.5f};
    const float ringRadius = size * 0.36f;
    // A corona of rays: brightness by angle from a few seeded waves.
    std::vector<std::pair<float, float>> waves;
    for (int i = 0; i < 5; ++i) {
        waves.push_back({static_cast<float>(random.integer(5, 23)), random.range(0.0f, 2.0f * kPi)});
    }
    shade(canvas, [&](Vec2 p) {
        const Vec2 offset = p - centre;
        const float r = length(offset);
        const float angle = std::atan2(offset.y, offset.x);
        float rays = 0.0f;
        for (const auto& [frequency, phase] : waves) {
            rays += 0.5f + 0.5f * std::cos(angle * frequency + phase);
        }
        rays = std::pow(rays / static_cast<float>(waves.size()), 2.2f);
        const float across = (r - ringRadius) / (size * 0.012f);
        const float core = std::exp(-across * across);
        const float glowBand = std::exp(-std::pow((r - ringRadius) / (size * 0.05f), 2.0f));
        const float outer = r > ringRadius ? std::exp(-(r - ringRadius) / (size * 0.07f)) * rays : 0.0f;
        const float echo = std::exp(-std::pow((r - ringRadius * 0.82f) / (size * 0.006f), 2.0f)) * 0.5f;
        const float haze = r < ringRadius ? 0.12f + 0.3f * std::pow(r / ringRadius, 4.0f) : 0.0f;
        const float edge = roundFalloff(r, size * 0.5f - 3.0f) > 0.0f ? 1.0f : 0.0f;
        const float alpha = clamp01((core + echo + glowBand * 0.55f + outer * 1.1f + haze) * edge *
                                    smoothstep(size * 0.5f - 3.0f, size * 0.42f, r));
        const Colour colour = mix(mix(palette::violet, palette::cyan, clamp01(glowBand + haze * 2.0f)),
                                  palette::white, clamp01(core * 1.2f));
        return colour.withAlpha(alpha);
    });
    clearMargin(canvas, 2.0f);
}

void paintParticleAtlas(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = particleAtlasGrid();
    grid.paintFrames(canvas, grid.cellCount(),
                     [](Canvas& cell, int frame) { paintParticleCell(cell, frame); });
}

// One ribbon cell: a glowing line across u, brightest at the head (top) and
// gone at the tail; `softness` 0 is a thin hard line, 1 a wide soft plume.
void paintRibbon(Canvas& cell, const Colour& core, const Colour& edge, float softness) {
    const float width = static_cast<float>(cell.width());
    const float height = static_cast<float>(cell.height());
    const float halo = 0.18f + 0.72f * softness;           // half-width of the glow, in half cells
    const float line = 0.12f + 0.25f * (1.0f - softness);  // half-width of the hot core
    shade(cell, [&](Vec2 p) {
        const float across = std::fabs((p.x + 0.5f) / width * 2.0f - 1.0f);  // 0 centre, 1 edge
        const float along = (p.y + 0.5f) / height;                           // 0 head, 1 tail
        // Nothing on the cell's first and last rows, so neighbours never bleed into each other.
        const float fade = std::pow(clamp01((0.98f - along) / 0.98f), 1.3f) * smoothstep(0.02f, 0.08f, along);
        const float glowPart = roundFalloff(across, halo);
        const float corePart = roundFalloff(across, line);
        Colour colour = mix(edge, core, clamp01(corePart * 1.4f));
        colour.a = clamp01((0.55f * glowPart + corePart) * fade);
        return colour;
    });
}

void paintTrailAtlas(Canvas& canvas, Random& /*random*/) {
    static const Colour kCores[8] = {Colour::hex(0xffffff), Colour::hex(0xe0ffff), Colour::hex(0xeaffd8),
                                     Colour::hex(0xfff0c0), Colour::hex(0xffd8d0), Colour::hex(0xe8f4ff),
                                     Colour::hex(0xffe0ff), Colour::hex(0xd0d0d8)};
    static const Colour kEdges[8] = {Colour::hex(0x7fe8ff), Colour::hex(0x20c8ff), Colour::hex(0x40e060),
                                     Colour::hex(0xff7a14), Colour::hex(0xff3030), Colour::hex(0x3a78ff),
                                     Colour::hex(0xc050ff), Colour::hex(0x707080)};
    const AtlasGrid grid = trailAtlasGrid();
    grid.paintFrames(canvas, grid.cellCount(), [](Canvas& cell, int frame) {
        const int row = frame / trail_frame::kColumns;
        const int column = frame % trail_frame::kColumns;
        paintRibbon(cell, kCores[row], kEdges[row],
                    static_cast<float>(column) / static_cast<float>(trail_frame::kColumns - 1));
    });
}

void paintExplosion(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = explosionGrid();
    namespace f = explosion_frame;
    static const BlastStyle kStyles[f::kBlastCount] = {
        {0xb1a57, 0.18f, 0.0f, 1.0f},    // a round billow
        {0x5e3c1, 0.26f, 0.35f, 1.12f},  // torn wide, smokier
        {0x7d2a9, 0.22f, -0.2f, 0.9f},   // tall, burns longer
    };
    grid.paintFrames(canvas, grid.cellCount(), [](Canvas& cell, int frame) {
        for (int variant = 0; variant < f::kBlastCount; ++variant) {
            const int step = frame - f::kBlastStarts[variant];
            if (step >= 0 && step < f::kBurstCount) {
                paintBlast(cell, static_cast<float>(step) / static_cast<float>(f::kBurstCount - 1),
                           kStyles[variant]);
            }
        }
        switch (frame) {
            case f::kScoreTimes2:
                paintScorePopup(cell, "X2", palette::cyan);
                break;
            case f::kScoreTimes4:
                paintScorePopup(cell, "X4", palette::violet);
                break;
            case f::kScoreTimes8:
                paintScorePopup(cell, "X8", palette::magenta);
                break;
            case f::kScoreTimes16:
                paintScorePopup(cell, "X16", Colour::hex(0xffb83a));
                break;
            default:
                break;
        }
        clearMargin(cell, 2.0f);
    });
}

}  // namespace artgen
