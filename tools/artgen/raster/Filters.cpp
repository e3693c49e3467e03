#include "raster/Filters.h"

#include <cmath>
#include <vector>

namespace artgen {

namespace {

// Running sums in double precision, so long lines don't drift and empty areas stay exactly
// empty.
struct Sum {
    double r = 0.0, g = 0.0, b = 0.0, a = 0.0;
    void add(const Pixel& p, double sign) {
        r += sign * static_cast<double>(p.r);
        g += sign * static_cast<double>(p.g);
        b += sign * static_cast<double>(p.b);
        a += sign * static_cast<double>(p.a);
    }
};

float scaled(double sum, double scale) {
    return std::max(0.0f, static_cast<float>(sum * scale));
}

// One box pass along a line of `count` pixels spaced `stride` apart starting at `first`.
void boxLine(std::vector<Pixel>& pixels, size_t first, size_t stride, int count, int boxRadius, Edges edges,
             std::vector<Pixel>& scratch) {
    scratch.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        scratch[static_cast<size_t>(i)] = pixels[first + static_cast<size_t>(i) * stride];
    }
    auto sample = [&](int i) -> Pixel {
        if (i < 0 || i >= count) {
            if (edges == Edges::Transparent) {
                return {};
            }
            i = ((i % count) + count) % count;
        }
        return scratch[static_cast<size_t>(i)];
    };
    Sum sum;
    for (int i = -boxRadius; i <= boxRadius; ++i) {
        sum.add(sample(i), 1.0);
    }
    const double scale = 1.0 / static_cast<double>(2 * boxRadius + 1);
    for (int i = 0; i < count; ++i) {
        pixels[first + static_cast<size_t>(i) * stride] = {scaled(sum.r, scale), scaled(sum.g, scale),
                                                           scaled(sum.b, scale), scaled(sum.a, scale)};
        sum.add(sample(i + boxRadius + 1), 1.0);
        sum.add(sample(i - boxRadius), -1.0);
    }
}

}  // namespace

void blur(Canvas& canvas, float radius, Edges edges) {
    if (radius <= 0.0f) {
        return;
    }
    // Three boxes of radius r make a Gaussian of sigma^2 = r (r + 1).
    const int boxRadius =
        std::max(1, static_cast<int>(std::lround(std::sqrt(radius * radius + 0.25f) - 0.5f)));
    std::vector<Pixel>& pixels = canvas.pixels();
    std::vector<Pixel> scratch;
    const auto width = static_cast<size_t>(canvas.width());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < canvas.height(); ++y) {
            boxLine(pixels, static_cast<size_t>(y) * width, 1, canvas.width(), boxRadius, edges, scratch);
        }
        for (int x = 0; x < canvas.width(); ++x) {
            boxLine(pixels, static_cast<size_t>(x), width, canvas.height(), boxRadius, edges, scratch);
        }
    }
}

void bloom(Canvas& canvas, float radius, float strength, Edges edges) {
    Canvas halo = canvas;
    blur(halo, radius, edges);
    canvas.composite(halo, 0, 0, Blend::Add, strength);
}

}  // namespace artgen
