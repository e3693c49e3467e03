#include "textures/IconArt.h"

#include <stdexcept>

#include "raster/Draw.h"
#include "textures/Motifs.h"

namespace artgen {

namespace {

constexpr int kSupersample = 4;

// The icon on a canvas `side` pixels square; every measure is given for 256 pixels and scaled.
void drawIcon(Canvas& canvas, float side) {
    const float s = side / 256.0f;
    const Vec2 centre{128.0f * s, 128.0f * s};
    // The tile: rounded, deep space with a violet glow behind the figure and a cyan rim.
    const RoundedRect tile(Rect{10.0f * s, 10.0f * s, 246.0f * s, 246.0f * s}, 44.0f * s);
    fill(canvas, tile,
         radialGradient(
             centre - Vec2{0.0f, 10.0f * s}, 150.0f * s,
             {{0.0f, Colour::hex(0x241458)}, {0.55f, Colour::hex(0x0c0a26)}, {1.0f, palette::space}}));
    stroke(canvas, Grown(tile, -3.0f * s), 3.0f * s, palette::teal.withAlpha(0.8f));

    const Vec2 twoCentre = centre + Vec2{0.0f, -6.0f * s};
    const Vec2 orbitCentre = twoCentre + Vec2{0.0f, 18.0f * s};
    const float orbitX = 100.0f * s;
    const float orbitY = 24.0f * s;
    const float tilt = -12.0f;
    drawOrbit(canvas, orbitCentre, orbitX, orbitY, tilt, 5.0f * s, false);
    drawTitleTwo(canvas, twoCentre, 150.0f * s);
    drawOrbit(canvas, orbitCentre, orbitX, orbitY, tilt, 5.0f * s, true);
    drawSparkle(canvas, orbitCentre + Vec2{78.0f * s, 12.0f * s}, 22.0f * s, palette::cyan);
    // Nothing spills outside the tile.
    Canvas mask(canvas.width(), canvas.height());
    fill(mask, Grown(tile, 0.5f * s), palette::white);
    canvas.fade([&mask](int x, int y) { return mask.at(x, y).a; });
}

}  // namespace

Canvas paintAppIcon(int size) {
    if (size < 16 || size > 1024) {
        throw std::invalid_argument("icon sizes run from 16 to 1024 pixels");
    }
    const int big = size * kSupersample;
    Canvas large(big, big);
    drawIcon(large, static_cast<float>(big));
    // Each pixel of the icon is the average of its block of the large image (premultiplied, so
    // transparent areas blend right).
    Canvas icon(size, size);
    constexpr float kWeight = 1.0f / (kSupersample * kSupersample);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Pixel& out = icon.at(x, y);
            for (int dy = 0; dy < kSupersample; ++dy) {
                for (int dx = 0; dx < kSupersample; ++dx) {
                    const Pixel& in = large.at(x * kSupersample + dx, y * kSupersample + dy);
                    out.r += in.r * kWeight;
                    out.g += in.g * kWeight;
                    out.b += in.b * kWeight;
                    out.a += in.a * kWeight;
                }
            }
        }
    }
    return icon;
}

}  // namespace artgen
