#include "raster/Canvas.h"

#include <stdexcept>
#include <string>

namespace artgen {

namespace {

void blendPixel(Pixel& dst, const Pixel& src, Blend mode) {
    switch (mode) {
        case Blend::Over: {
            const float keep = 1.0f - src.a;
            dst = {src.r + dst.r * keep, src.g + dst.g * keep, src.b + dst.b * keep, src.a + dst.a * keep};
            break;
        }
        case Blend::Add:
            dst = {dst.r + src.r, dst.g + src.g, dst.b + src.b, std::min(1.0f, dst.a + src.a)};
            break;
        case Blend::Erase: {
            const float keep = 1.0f - src.a;
            dst = {dst.r * keep, dst.g * keep, dst.b * keep, dst.a * keep};
            break;
        }
        case Blend::Behind: {
            const float room = 1.0f - dst.a;
            dst = {dst.r + src.r * room, dst.g + src.g * room, dst.b + src.b * room, dst.a + src.a * room};
            break;
        }
    }
}

}  // namespace

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    if (width < 1 || height < 1) {
        throw std::invalid_argument("canvas size must be at least 1 x 1, not " + std::to_string(width) +
                                    " x " + std::to_string(height));
    }
    pixels_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
}

Colour Canvas::colourAt(int x, int y) const {
    const Pixel& p = at(x, y);
    if (p.a <= 0.0f) {
        return {0.0f, 0.0f, 0.0f, 0.0f};
    }
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::clear(Colour colour) {
    const Pixel p{colour.r * colour.a, colour.g * colour.a, colour.b * colour.a, colour.a};
    std::fill(pixels_.begin(), pixels_.end(), p);
}

void Canvas::blend(int x, int y, Colour colour, float coverage, Blend mode) {
    if (!contains(x, y) || coverage <= 0.0f) {
        return;
    }
    const float alpha = colour.a * std::min(coverage, 1.0f);
    blendPixel(at(x, y), Pixel{colour.r * alpha, colour.g * alpha, colour.b * alpha, alpha}, mode);
}

void Canvas::composite(const Canvas& source, int left, int top, Blend mode, float opacity) {
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (!contains(left + x, top + y)) {
                continue;
            }
            const Pixel& s = source.at(x, y);
            blendPixel(at(left + x, top + y),
                       Pixel{s.r * opacity, s.g * opacity, s.b * opacity, s.a * opacity}, mode);
        }
    }
}

void Canvas::copyFrom(const Canvas& source, int left, int top) {
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (contains(left + x, top + y)) {
                at(left + x, top + y) = source.at(x, y);
            }
        }
    }
}

}  // namespace artgen
