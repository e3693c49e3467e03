#include "textures/CraftKit.h"

#include <cmath>

#include "raster/Draw.h"

namespace artgen {

namespace {

// Towards the light, in canvas coordinates (up and to the left).
const Vec2 kToLight = normalized(Vec2{-0.55f, -0.83f});

Vec2 outwardNormal(const Shape& shape, Vec2 p) {
    constexpr float kStep = 0.5f;
    const float dx = shape.distance(p + Vec2{kStep, 0.0f}) - shape.distance(p - Vec2{kStep, 0.0f});
    const float dy = shape.distance(p + Vec2{0.0f, kStep}) - shape.distance(p - Vec2{0.0f, kStep});
    return normalized(Vec2{dx, dy});
}

// Alpha of `layer` cut down to the alpha already on `base`, then blended onto it.
void compositeAtop(Canvas& base, Canvas& layer, Blend mode) {
    for (int y = 0; y < base.height(); ++y) {
        for (int x = 0; x < base.width(); ++x) {
            Pixel& p = layer.at(x, y);
            const float keep = base.at(x, y).a;
            p = {p.r * keep, p.g * keep, p.b * keep, p.a * keep};
        }
    }
    base.composite(layer, 0, 0, mode);
}

}  // namespace

std::vector<Vec2> mirrored(const std::vector<Vec2>& rightSide, float axis) {
    std::vector<Vec2> points = rightSide;
    for (auto it = rightSide.rbegin(); it != rightSide.rend(); ++it) {
        const Vec2 mirror{2.0f * axis - it->x, it->y};
        if (std::abs(mirror.x - it->x) > 0.01f) {  // points on the axis are not doubled
            points.push_back(mirror);
        }
    }
    return points;
}

std::vector<Vec2> ellipsePoints(Vec2 centre, float rx, float ry, int count) {
    std::vector<Vec2> points;
    for (int i = 0; i < count; ++i) {
        const float degrees = 360.0f * static_cast<float>(i) / static_cast<float>(count);
        const Vec2 unit = direction(degrees);
        points.push_back(centre + Vec2{unit.x * rx, unit.y * ry});
    }
    return points;
}

Paint metalPaint(const Shape& shape, const Metal& metal) {
    return Paint([&shape, metal](Vec2 p) {
        const float d = shape.distance(p);
        const float edge = clamp01(1.0f + d / metal.bevel);
        const float facing = dot(outwardNormal(shape, p), kToLight);
        float light = facing * edge * edge;
        const Rect box = shape.bounds();
        light += metal.sheen * (0.5f - clamp01((p.y - box.y0) / std::max(box.height(), 1.0f)));
        light -= metal.sideShade * clamp01((p.x - metal.axis) / metal.span + 0.5f) * 0.8f;
        light += metal.sideShade * 0.4f;
        Colour colour = light >= 0.0f ? mix(metal.base, metal.lit, clamp01(light))
                                      : mix(metal.base, metal.shade, clamp01(-light));
        if (metal.rimStrength > 0.0f) {
            const float rim = clamp01(1.0f + d / 1.4f) * clamp01(facing * 0.8f + 0.4f);
            colour = mix(colour, metal.rim, rim * metal.rimStrength);
        }
        colour.a = 1.0f;
        return colour;
    });
}

void drawPlate(Canvas& canvas, const Shape& shape, const Metal& metal, Colour outline, float outlineWidth) {
    if (outlineWidth > 0.0f) {
        fill(canvas, Grown(shape, outlineWidth), outline);
    }
    fill(canvas, shape, metalPaint(shape, metal));
}

Strokes seamLines(float width, LineList lines) {
    Strokes strokes(width);
    for (const auto& [a, b] : lines) {
        strokes.addSegment(a, b);
    }
    return strokes;
}

Strokes mirroredSeamLines(float width, LineList lines, float axis) {
    Strokes strokes(width);
    for (const auto& [a, b] : lines) {
        strokes.addSegment(a, b);
        strokes.addSegment({2.0f * axis - a.x, a.y}, {2.0f * axis - b.x, b.y});
    }
    return strokes;
}

void drawSeams(Canvas& canvas, const Strokes& seams, const Shape& within, Colour colour) {
    const Grown inside(within, -1.0f);
    fill(canvas, Intersection(seams, inside), colour);
}

void fillInside(Canvas& canvas, const Shape& shape, const Shape& within, const Paint& paint, Blend mode) {
    fill(canvas, Intersection(shape, within), paint, mode);
}

void drawCanopy(Canvas& canvas, const Shape& glass, Colour tint, Colour glint) {
    const Rect box = glass.bounds();
    fill(canvas, Grown(glass, 1.2f), Colour::hex(0x05060c));
    fill(canvas, glass,
         linearGradient({box.x0, box.y0}, {box.x1, box.y1},
                        {{0.0f, mix(tint, palette::white, 0.35f)},
                         {0.45f, tint},
                         {1.0f, mix(tint, palette::black, 0.7f)}}));
    // The glint: a short bright sliver near the upper-left edge.
    const Vec2 centre = box.centre();
    const Ellipse sliver(centre + Vec2{-box.width() * 0.18f, -box.height() * 0.22f}, box.width() * 0.12f,
                         box.height() * 0.2f, 8.0f);
    fill(canvas, Intersection(sliver, glass), glint.scaledAlpha(0.85f), Blend::Add);
}

void drawLamp(Canvas& canvas, Vec2 centre, float radius, Colour colour, float strength) {
    const Circle lens(centre, radius);
    glow(canvas, lens, colour, radius * 5.0f, 0.55f * strength);
    fill(canvas, lens, mix(colour, palette::white, 0.35f));
    fill(canvas, Circle(centre, radius * 0.45f), palette::white.withAlpha(0.9f * strength), Blend::Add);
}

void drawExhaust(Canvas& canvas, Vec2 nozzle, float width, float length, Colour colour, float strength) {
    const float half = width * 0.5f;
    const Rect area{nozzle.x - width * 1.5f, nozzle.y - half, nozzle.x + width * 1.5f, nozzle.y + length};
    shade(
        canvas, area,
        [&](Vec2 p) {
            const float along = (p.y - nozzle.y) / length;
            if (along >= 1.0f) {
                return Colour{0.0f, 0.0f, 0.0f, 0.0f};
            }
            // Narrowing towards the tip; a round cap just above the nozzle.
            const float reach = std::max(0.0f, along);
            const float radius = half * (1.0f - 0.75f * reach) + 0.5f;
            const float behind = std::max(0.0f, -along * length);
            const float across = std::sqrt((p.x - nozzle.x) * (p.x - nozzle.x) + behind * behind) / radius;
            const float body = std::exp(-across * across * 1.6f) * (1.0f - reach);
            const float core = std::exp(-across * across * 5.0f) * std::pow(1.0f - reach, 3.0f);
            const float alpha = clamp01((body + core * 0.8f) * strength);
            if (alpha <= 0.0f) {
                return Colour{0.0f, 0.0f, 0.0f, 0.0f};
            }
            return mix(colour, palette::white, clamp01(core * 1.3f)).withAlpha(alpha);
        },
        Blend::Add);
}

void drawHalo(Canvas& canvas, const Shape& silhouette, Colour colour, float radius, float strength) {
    glow(canvas, silhouette, colour, radius, strength, Blend::Add);
}

void drawHotCracks(Canvas& canvas, Random& random, const Rect& area, int count, const Shape& within,
                   const CrackColours& colours) {
    Strokes cracks(2.0f);
    for (int i = 0; i < count; ++i) {
        std::vector<Vec2> path{{random.range(area.x0, area.x1), random.range(area.y0, area.y1)}};
        float heading = random.range(0.0f, 360.0f);
        for (int step = 0; step < 5; ++step) {
            heading += random.range(-40.0f, 40.0f);
            path.push_back(path.back() + direction(heading) * random.range(6.0f, 11.0f));
        }
        cracks.addPolyline(path);
    }
    fillInside(canvas, Grown(cracks, 1.0f), within, colours.soot);
    glow(canvas, Intersection(cracks, within), colours.heat, 8.0f, 0.7f);
    fillInside(canvas, cracks, within, colours.core, Blend::Add);
}

void drawDamage(Canvas& canvas, Random& random, const Rect& area, int scorches,
                const std::vector<Vec2>& bites) {
    const Colour ember = Colour::hex(0xff7a1a);
    const Colour soot = Colour::hex(0x100806);
    Canvas dark(canvas.width(), canvas.height());
    Canvas light(canvas.width(), canvas.height());
    // Torn-out chunks: a ragged bite, its edge left smouldering.
    for (const Vec2& at : bites) {
        std::vector<Vec2> ragged;
        const float size = random.range(7.0f, 10.0f);
        for (int i = 0; i < 9; ++i) {
            const float degrees = 40.0f * static_cast<float>(i) + random.range(-10.0f, 10.0f);
            ragged.push_back(at + direction(degrees) * (size * random.range(0.6f, 1.1f)));
        }
        const Polygon bite(ragged);
        fill(canvas, bite, palette::white, Blend::Erase);
        glow(dark, bite, soot, 7.0f, 0.9f, Blend::Over);
        glow(light, bite, ember, 3.0f, 0.8f);
    }
    for (int i = 0; i < scorches; ++i) {
        const Vec2 at{random.range(area.x0, area.x1), random.range(area.y0, area.y1)};
        const float radius = random.range(8.0f, 13.0f);
        const Ellipse scorch(at, radius, radius * random.range(0.6f, 1.0f), random.range(0.0f, 180.0f));
        // Heat-tinted metal round a charred heart.
        fill(dark, Grown(scorch, 3.0f),
             radialGradient(at, radius + 3.0f,
                            {{0.5f, Colour::hex(0x6a3018, 0.5f)}, {1.0f, Colour::hex(0x6a3018, 0.0f)}}));
        fill(dark, scorch,
             radialGradient(at, radius,
                            {{0.0f, soot.withAlpha(0.95f)},
                             {0.55f, soot.withAlpha(0.75f)},
                             {1.0f, soot.withAlpha(0.0f)}}));
        // A short crack from the scorch's heart, a molten thread inside it.
        std::vector<Vec2> path{at};
        float heading = random.range(0.0f, 360.0f);
        for (int step = 0; step < 2; ++step) {
            heading += random.range(-45.0f, 45.0f);
            path.push_back(path.back() + direction(heading) * random.range(3.0f, 5.0f));
        }
        Strokes crack(2.0f);
        Strokes molten(0.8f);
        crack.addPolyline(path);
        molten.addPolyline(path);
        fill(dark, crack, soot.withAlpha(0.9f));
        fill(light, molten, ember.withAlpha(0.8f), Blend::Add);
        glow(light, Circle(at, 1.5f), ember, 7.0f, 0.6f);
        fill(light, Circle(at, 1.2f), Colour::hex(0xffd080), Blend::Add);
    }
    compositeAtop(canvas, dark, Blend::Over);
    compositeAtop(canvas, light, Blend::Add);
}

void clearMargin(Canvas& canvas, float margin) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    canvas.fade([&](int x, int y) {
        const float px = static_cast<float>(x) + 0.5f;
        const float py = static_cast<float>(y) + 0.5f;
        const float edge = std::min({px, py, width - px, height - py});
        return edge < margin ? 0.0f : smoothstep(margin, margin + 4.0f, edge);
    });
}

void fillMirroredPlates(Canvas& canvas, std::initializer_list<Rect> plates, float axis, const Shape& within,
                        const Metal& metal) {
    for (const Rect& plate : plates) {
        for (const Rect& placed :
             {plate, Rect{2.0f * axis - plate.x1, plate.y0, 2.0f * axis - plate.x0, plate.y1}}) {
            const RoundedRect shape(placed, 2.0f);
            fillInside(canvas, shape, within, metalPaint(shape, metal));
        }
    }
}

}  // namespace artgen
