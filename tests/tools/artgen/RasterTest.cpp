// The raster library: what is stored in the files (straight alpha, so faint glows keep their
// colour once the engine premultiplies) and noise that keeps repeating textures seamless.

#include <gtest/gtest.h>

#include "raster/Noise.h"
#include "raster/PngExport.h"

namespace artgen {
namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba exportedPixel(const Canvas& canvas, int x, int y) {
    const std::vector<uint8_t> bytes = toRgba8(canvas);
    const size_t i =
        (static_cast<size_t>(y) * static_cast<size_t>(canvas.width()) + static_cast<size_t>(x)) * 4;
    return {bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3]};
}

// The engine premultiplies on load: channel = int(channel * alpha / 255.0).
int engineLoaded(int channel, int alpha) {
    return static_cast<int>(channel * alpha / 255.0);
}

TEST(PngExport, StoresStraightColourThatTheEnginesPremultiplicationRestores) {
    Canvas canvas(2, 1);
    const Colour orange{1.0f, 0.6f, 0.2f, 0.5f};
    canvas.blend(0, 0, orange, 1.0f, Blend::Over);
    // What the engine draws after premultiplying matches what was painted, to within a step.
    const Rgba stored = exportedPixel(canvas, 0, 0);
    EXPECT_NEAR(engineLoaded(stored.r, stored.a), 0.5 * 255, 1.0);
    EXPECT_NEAR(engineLoaded(stored.g, stored.a), 0.3 * 255, 1.0);
    EXPECT_NEAR(engineLoaded(stored.b, stored.a), 0.1 * 255, 1.0);

    // A faint glow keeps its colour rather than darkening towards black.
    canvas = Canvas(1, 1);
    canvas.blend(0, 0, Colour{0.25f, 0.9f, 1.0f, 0.02f}, 1.0f, Blend::Add);
    const Rgba faint = exportedPixel(canvas, 0, 0);
    EXPECT_NEAR(faint.g, 230, 12);
    EXPECT_NEAR(faint.b, 255, 12);
}

TEST(Noise, RepeatsWithItsPeriodAtEveryOctave) {
    const TileableNoise noise(1234, 3, 5);
    for (float x = 0.1f; x < 3.0f; x += 0.37f) {
        for (float y = 0.05f; y < 5.0f; y += 0.41f) {
            EXPECT_NEAR(noise.fractal(x, y, 6), noise.fractal(x + 3.0f, y, 6), 1e-4f);
            EXPECT_NEAR(noise.fractal(x, y, 6), noise.fractal(x, y - 5.0f, 6), 1e-4f);
            EXPECT_NEAR(noise.ridged(x, y, 4), noise.ridged(x + 3.0f, y + 5.0f, 4), 1e-4f);
        }
    }
}

}  // namespace
}  // namespace artgen
