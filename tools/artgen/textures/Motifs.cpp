#include "textures/Motifs.h"

#include <cmath>
#include <utility>

#include "raster/Draw.h"

namespace artgen {

namespace {

constexpr float kTwoWidth = 0.64f;  // em units, as in the font
constexpr float kTwoWeight = 0.2f;
constexpr float kTwoSlant = 0.12f;

}  // namespace

void drawNeon(Canvas& canvas, const Shape& shape, const NeonStyle& style) {
    glow(canvas, shape, style.glow, style.haloRadius, style.haloStrength);
    glow(canvas, shape, style.glow, style.glowRadius, style.glowStrength);
    fill(canvas, shape, style.body);
    if (style.coreInset > 0.0f) {
        fill(canvas, Grown(shape, -style.coreInset), style.core);
    }
}

void drawSparkle(Canvas& canvas, Vec2 centre, float size, Colour colour, float degrees) {
    const float thickness = std::max(0.9f, size * 0.09f);
    // A long ray across and a shorter one up and down, both tapering to points.
    for (const auto& [turn, reach] : {std::pair{0.0f, size}, std::pair{90.0f, size * 0.62f}}) {
        const Vec2 along = direction(degrees + turn) * reach;
        const Vec2 across = direction(degrees + turn + 90.0f) * thickness;
        const Polygon ray({centre + along, centre + across, centre - along, centre - across});
        glow(canvas, ray, colour, thickness * 5.0f, 0.35f);
        fill(canvas, ray, mix(colour, palette::white, 0.5f), Blend::Add);
    }
    const Circle heart(centre, thickness * 1.1f);
    glow(canvas, heart, colour, size * 0.55f, 0.6f);
    fill(canvas, heart, palette::white, Blend::Add);
}

void drawStreak(Canvas& canvas, Vec2 centre, float halfLength, float thickness, Colour colour,
                float strength) {
    const float haze = thickness * 4.0f;
    const Rect area = Rect::around(centre, halfLength, haze * 3.0f);
    shade(
        canvas, area,
        [&](Vec2 p) {
            const float along = std::max(0.0f, 1.0f - std::abs(p.x - centre.x) / halfLength);
            const float across = (p.y - centre.y) / (thickness * 0.5f);
            const float acrossHaze = (p.y - centre.y) / haze;
            const float profile = std::exp(-across * across) + 0.25f * std::exp(-acrossHaze * acrossHaze);
            return colour.withAlpha(std::min(1.0f, std::pow(along, 2.2f) * profile * strength));
        },
        Blend::Add);
}

void scatterDust(Canvas& canvas, Random& random, Vec2 centre, float radiusX, float radiusY, int count,
                 Colour colour) {
    for (int i = 0; i < count; ++i) {
        const float angle = random.range(0.0f, 360.0f);
        const float spread = random.range(0.85f, 1.15f);
        const Vec2 at = centre + Vec2{std::cos(radians(angle)) * radiusX * spread,
                                      std::sin(radians(angle)) * radiusY * spread};
        const float radius = random.range(0.5f, 1.3f);
        const Circle speck(at, radius);
        glow(canvas, speck, colour, radius * 4.0f, random.range(0.3f, 0.8f));
        fill(canvas, speck, palette::white.withAlpha(random.range(0.4f, 0.9f)), Blend::Add);
    }
}

void fadeBorders(Canvas& canvas, float margin) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    canvas.fade([&](int x, int y) {
        const float px = static_cast<float>(x) + 0.5f;
        const float py = static_cast<float>(y) + 0.5f;
        const float edge = std::min({px, py, width - px, height - py});
        return smoothstep(0.5f, margin, edge);
    });
}

TextStyle wordmarkStyle(float capHeight) {
    return {capHeight, 0.15f, 0.3f, 0.12f};
}

void drawWordmark(Canvas& canvas, Vec2 centre, float capHeight) {
    const Strokes letters = StrokeFont::house().layout("VORTALIS", wordmarkStyle(capHeight), centre);
    const float half = capHeight * 0.5f;
    NeonStyle style;
    style.glow = palette::cyan;
    style.haloRadius = capHeight * 0.55f;
    style.haloStrength = 0.3f;
    style.glowRadius = capHeight * 0.14f;
    style.glowStrength = 0.7f;
    style.body =
        linearGradient(centre - Vec2{0.0f, half}, centre + Vec2{0.0f, half},
                       {{0.0f, palette::white}, {0.55f, palette::ice}, {1.0f, Colour::hex(0x9ff2ff)}});
    drawNeon(canvas, letters, style);
}

float titleTwoWidth(float capHeight) {
    return (kTwoWidth + kTwoWeight) * capHeight;
}

Strokes titleTwoShape(Vec2 centre, float capHeight) {
    // Drawn like the house font (em units, y up) but with a diagonal spine and a long foot.
    const std::vector<PathCorner> path = {
        {{0.0f, 0.7f}},
        {{0.0f, 1.0f}, 0.3f},
        {{kTwoWidth, 1.0f}, 0.3f},
        {{kTwoWidth, 0.6f}, 0.16f},
        {{0.0f, 0.0f}, 0.04f},
        {{kTwoWidth + 0.06f, 0.0f}},
    };
    Strokes two(kTwoWeight * capHeight);
    std::vector<Vec2> placed;
    for (const Vec2& p : roundedPath(path, false)) {
        const float rise = p.y - 0.5f;
        placed.push_back(centre +
                         Vec2{(p.x - kTwoWidth * 0.5f + kTwoSlant * rise) * capHeight, -rise * capHeight});
    }
    two.addPolyline(placed);
    return two;
}

void drawTitleTwo(Canvas& canvas, Vec2 centre, float capHeight) {
    const Strokes two = titleTwoShape(centre, capHeight);
    const float half = capHeight * 0.5f;
    NeonStyle style;
    style.glow = palette::magenta;
    style.haloRadius = capHeight * 0.45f;
    style.haloStrength = 0.4f;
    style.glowRadius = capHeight * 0.1f;
    style.glowStrength = 0.8f;
    style.body = linearGradient(centre - Vec2{0.0f, half}, centre + Vec2{0.0f, half},
                                {{0.0f, palette::pink}, {0.45f, palette::magenta}, {1.0f, palette::violet}});
    style.core = Colour::hex(0xffe6fa);
    style.coreInset = two.halfWidth() * 0.62f;
    drawNeon(canvas, two, style);
}

void drawOrbit(Canvas& canvas, Vec2 centre, float radiusX, float radiusY, float degrees, float width,
               bool front) {
    const Ellipse path(centre, radiusX, radiusY, degrees);
    const Outline band(path, width);
    // Split along the ring's long axis: the half below it on screen is the near side.
    const Vec2 along = direction(degrees) * (radiusX * 2.0f);
    const Vec2 down = direction(degrees + 90.0f) * (radiusY * 2.0f);
    const Polygon nearSide({centre - along, centre + along, centre + along + down, centre - along + down});
    const Polygon farSide({centre - along, centre + along, centre + along - down, centre - along - down});
    const Difference nearHalf(band, farSide);
    const Difference farHalf(band, nearSide);
    const Shape& half = front ? static_cast<const Shape&>(nearHalf) : static_cast<const Shape&>(farHalf);

    // Brightest at the front, fading as it goes round the back; violet on the left turning
    // cyan on the right.
    const Paint light([centre, radiusX, degrees](Vec2 p) {
        const Vec2 local = rotated(p - centre, -degrees);
        const float across = clamp01(local.x / (radiusX * 2.0f) + 0.5f);
        const float nearness = clamp01(local.y / (radiusX * 0.25f) * 0.5f + 0.5f);
        const Colour colour = mix(palette::violet, palette::cyan, smoothstep(0.2f, 0.8f, across));
        return colour.withAlpha(0.35f + 0.65f * nearness);
    });
    glow(canvas, half, front ? palette::cyan : palette::violet, width * 6.0f, front ? 0.45f : 0.3f);
    fill(canvas, half, light, Blend::Add);
    fill(canvas, Grown(half, -width * 0.3f), palette::white.withAlpha(front ? 0.6f : 0.25f), Blend::Add);
}

}  // namespace artgen
