#include "raster/Draw.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace artgen {

namespace {

struct PixelSpan {
    int x0, y0, x1, y1;  // half-open
};

PixelSpan pixelsTouching(const Canvas& canvas, const Rect& area) {
    PixelSpan span{static_cast<int>(std::floor(area.x0)), static_cast<int>(std::floor(area.y0)),
                   static_cast<int>(std::ceil(area.x1)), static_cast<int>(std::ceil(area.y1))};
    span.x0 = std::max(span.x0, 0);
    span.y0 = std::max(span.y0, 0);
    span.x1 = std::min(span.x1, canvas.width());
    span.y1 = std::min(span.y1, canvas.height());
    return span;
}

template <typename CoverageAt>
void coverArea(Canvas& canvas, const Rect& area, const Paint& paint, Blend mode, CoverageAt coverageAt) {
    const PixelSpan span = pixelsTouching(canvas, area);
    for (int y = span.y0; y < span.y1; ++y) {
        for (int x = span.x0; x < span.x1; ++x) {
            const Vec2 centre{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            const float coverage = coverageAt(centre);
            if (coverage > 0.0f) {
                canvas.blend(x, y, paint.at(centre), coverage, mode);
            }
        }
    }
}

}  // namespace

void fill(Canvas& canvas, const Shape& shape, const Paint& paint, Blend mode, float opacity) {
    coverArea(canvas, shape.bounds().expanded(1.0f), paint, mode,
              [&](Vec2 p) { return clamp01(0.5f - shape.distance(p)) * opacity; });
}

void stroke(Canvas& canvas, const Shape& shape, float width, const Paint& paint, Blend mode) {
    fill(canvas, Outline(shape, width), paint, mode);
}

float glowFalloff(float distance, float radius) {
    if (distance <= 0.0f) {
        return 1.0f;
    }
    const float t = distance / radius;
    if (t >= 1.0f) {
        return 0.0f;
    }
    const float tail = 1.0f - t;
    return std::exp(-4.0f * t) * tail * tail;
}

void glow(Canvas& canvas, const Shape& shape, Colour colour, float radius, float strength, Blend mode) {
    coverArea(canvas, shape.bounds().expanded(radius + 1.0f), colour, mode,
              [&](Vec2 p) { return glowFalloff(shape.distance(p), radius) * strength; });
}

void shade(Canvas& canvas, const Rect& area, const std::function<Colour(Vec2)>& colourAt, Blend mode) {
    const PixelSpan span = pixelsTouching(canvas, area);
    for (int y = span.y0; y < span.y1; ++y) {
        for (int x = span.x0; x < span.x1; ++x) {
            canvas.blend(x, y, colourAt({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}), 1.0f,
                         mode);
        }
    }
}

void shade(Canvas& canvas, const std::function<Colour(Vec2)>& colourAt, Blend mode) {
    shade(canvas, Rect{0.0f, 0.0f, static_cast<float>(canvas.width()), static_cast<float>(canvas.height())},
          colourAt, mode);
}

void shadeInParallel(Canvas& canvas, const std::function<Colour(Vec2)>& colourAt, Blend mode) {
    const int threadCount = std::max(1, std::min(static_cast<int>(std::thread::hardware_concurrency()), 16));
    const auto width = static_cast<float>(canvas.width());
    std::vector<std::thread> threads;
    // Each thread takes every threadCount-th row, so no two touch the same pixel.
    for (int first = 0; first < threadCount; ++first) {
        threads.emplace_back([&canvas, &colourAt, mode, width, first, threadCount] {
            for (int y = first; y < canvas.height(); y += threadCount) {
                const float top = static_cast<float>(y);
                shade(canvas, Rect{0.0f, top, width, top + 1.0f}, colourAt, mode);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

}  // namespace artgen
