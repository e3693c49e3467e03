// The raster library: what is stored in the files (straight alpha), anti-aliased edges of the
// right size, blending, blur and noise that keep repeating textures seamless.

#include <gtest/gtest.h>

#include <cmath>

#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "raster/PngExport.h"

namespace artgen {
namespace {

float totalAlpha(const Canvas& canvas) {
    float sum = 0.0f;
    for (const Pixel& p : canvas.pixels()) {
        sum += p.a;
    }
    return sum;
}

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

TEST(PngExport, StoresStraightColourThatTheEnginesPremultiplicationRestoresEvenWhenFaint) {
    Canvas canvas(2, 1);
    const Colour orange{1.0f, 0.6f, 0.2f, 0.5f};
    canvas.blend(0, 0, orange, 1.0f, Blend::Over);
    const Rgba stored = exportedPixel(canvas, 0, 0);
    EXPECT_EQ(stored.a, 128);
    EXPECT_EQ(stored.r, 255);  // not premultiplied: full orange at half alpha
    EXPECT_EQ(stored.g, 153);
    EXPECT_EQ(stored.b, 51);
    // What the engine then draws matches what was painted, premultiplied, to within a step.
    EXPECT_NEAR(engineLoaded(stored.r, stored.a), 0.5 * 255, 1.0);
    EXPECT_NEAR(engineLoaded(stored.g, stored.a), 0.3 * 255, 1.0);
    EXPECT_NEAR(engineLoaded(stored.b, stored.a), 0.1 * 255, 1.0);

    // A faint glow keeps its colour; erased and untouched pixels are zero.
    canvas = Canvas(3, 1);
    canvas.blend(0, 0, Colour{0.25f, 0.9f, 1.0f, 0.02f}, 1.0f, Blend::Add);
    canvas.blend(1, 0, palette::magenta, 1.0f, Blend::Over);
    canvas.blend(1, 0, palette::white, 1.0f, Blend::Erase);
    const Rgba faint = exportedPixel(canvas, 0, 0);
    EXPECT_EQ(faint.a, 5);
    EXPECT_NEAR(faint.g, 230, 12);  // still cyan, not darkened towards black
    EXPECT_NEAR(faint.b, 255, 12);
    const Rgba erased = exportedPixel(canvas, 1, 0);
    EXPECT_EQ(erased.r + erased.g + erased.b + erased.a, 0);
    const Rgba untouched = exportedPixel(canvas, 2, 0);
    EXPECT_EQ(untouched.r + untouched.g + untouched.b + untouched.a, 0);
}

TEST(Draw, FilledCircleHasTheRightAreaAndASoftOnePixelEdge) {
    Canvas canvas(64, 64);
    // Centred on a pixel centre, so pixel (32, 12) has its centre exactly on the edge.
    fill(canvas, Circle({32.5f, 32.5f}, 20.0f), palette::white);
    EXPECT_NEAR(totalAlpha(canvas), kPi * 400.0f, kPi * 400.0f * 0.005f);
    EXPECT_FLOAT_EQ(canvas.at(32, 32).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.at(32, 13).a, 1.0f);  // 19 px from the middle
    EXPECT_NEAR(canvas.at(32, 12).a, 0.5f, 0.001f);
    EXPECT_NEAR(canvas.at(12, 32).a, 0.5f, 0.001f);
    EXPECT_FLOAT_EQ(canvas.at(32, 11).a, 0.0f);  // 21 px
}

TEST(Draw, ConcavePolygonsFillOnlyTheirInside) {
    Canvas canvas(20, 20);
    // An L: the top-right quarter is outside.
    fill(canvas, Polygon({{2, 2}, {10, 2}, {10, 10}, {18, 10}, {18, 18}, {2, 18}}), palette::white);
    EXPECT_FLOAT_EQ(canvas.at(5, 5).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.at(15, 15).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.at(15, 5).a, 0.0f);
    EXPECT_FLOAT_EQ(canvas.at(0, 0).a, 0.0f);
}

TEST(Draw, StrokedRingIsHollowAndEvenlyWide) {
    Canvas canvas(60, 60);
    stroke(canvas, Circle({30.0f, 30.0f}, 20.0f), 4.0f, palette::white);
    EXPECT_FLOAT_EQ(canvas.at(30, 30).a, 0.0f);
    for (const auto& [x, y] : {std::pair{30, 10}, std::pair{10, 30}, std::pair{49, 30}, std::pair{30, 49}}) {
        EXPECT_FLOAT_EQ(canvas.at(x, y).a, 1.0f) << x << ", " << y;
    }
    EXPECT_NEAR(totalAlpha(canvas), 2.0f * kPi * 20.0f * 4.0f, 8.0f);
}

TEST(Draw, GlowFadesToNothingAtItsRadius) {
    Canvas canvas(100, 20);
    glow(canvas, Circle({10.0f, 10.0f}, 4.0f), palette::cyan, 30.0f);
    EXPECT_GT(canvas.at(16, 10).a, 0.3f);
    EXPECT_GT(canvas.at(16, 10).a, canvas.at(26, 10).a);
    EXPECT_GT(canvas.at(26, 10).a, 0.0f);
    EXPECT_EQ(canvas.at(45, 10).a, 0.0f);  // 35 px from the centre, 31 from the edge
    EXPECT_FLOAT_EQ(glowFalloff(0.0f, 10.0f), 1.0f);
    EXPECT_FLOAT_EQ(glowFalloff(10.0f, 10.0f), 0.0f);
}

TEST(Blend, LightAddsUpWhilePaintCovers) {
    Canvas canvas(1, 1);
    canvas.blend(0, 0, Colour{0.0f, 0.5f, 1.0f, 0.5f}, 1.0f, Blend::Add);
    canvas.blend(0, 0, Colour{1.0f, 0.5f, 0.0f, 0.5f}, 1.0f, Blend::Add);
    EXPECT_FLOAT_EQ(canvas.at(0, 0).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.at(0, 0).r, 0.5f);
    EXPECT_FLOAT_EQ(canvas.at(0, 0).g, 0.5f);
    EXPECT_FLOAT_EQ(canvas.at(0, 0).b, 0.5f);
    canvas.blend(0, 0, palette::black, 1.0f, Blend::Over);
    EXPECT_FLOAT_EQ(canvas.at(0, 0).r + canvas.at(0, 0).g + canvas.at(0, 0).b, 0.0f);
    canvas.blend(0, 0, palette::white, 1.0f, Blend::Behind);  // already opaque: nothing shows
    EXPECT_FLOAT_EQ(canvas.at(0, 0).r, 0.0f);
}

TEST(Blur, SpreadsSymmetricallyKeepsTheLightAndWrappingEdgesCarryItAcrossTheSeam) {
    Canvas canvas(41, 41);
    canvas.blend(20, 20, palette::white, 1.0f, Blend::Over);
    blur(canvas, 3.0f);
    EXPECT_NEAR(totalAlpha(canvas), 1.0f, 1e-4f);
    EXPECT_LT(canvas.at(20, 20).a, 0.1f);
    EXPECT_NEAR(canvas.at(17, 20).a, canvas.at(23, 20).a, 1e-6f);
    EXPECT_NEAR(canvas.at(20, 17).a, canvas.at(17, 20).a, 1e-6f);
    EXPECT_EQ(canvas.at(0, 0).a, 0.0f);

    Canvas wrapped(32, 32);
    wrapped.blend(0, 16, palette::white, 1.0f, Blend::Over);
    Canvas clipped = wrapped;
    blur(wrapped, 2.0f, Edges::Wrap);
    blur(clipped, 2.0f, Edges::Transparent);
    EXPECT_NEAR(wrapped.at(31, 16).a, wrapped.at(1, 16).a, 1e-6f);
    EXPECT_NEAR(totalAlpha(wrapped), 1.0f, 1e-4f);
    EXPECT_EQ(clipped.at(31, 16).a, 0.0f);
    EXPECT_LT(totalAlpha(clipped), 0.9f);
}

TEST(Noise, RepeatsWithItsPeriodAtEveryOctaveVariesSmoothlyAndDependsOnTheSeed) {
    const TileableNoise noise(1234, 3, 5);
    for (float x = 0.1f; x < 3.0f; x += 0.37f) {
        for (float y = 0.05f; y < 5.0f; y += 0.41f) {
            EXPECT_NEAR(noise.fractal(x, y, 6), noise.fractal(x + 3.0f, y, 6), 1e-4f);
            EXPECT_NEAR(noise.fractal(x, y, 6), noise.fractal(x, y - 5.0f, 6), 1e-4f);
            EXPECT_NEAR(noise.ridged(x, y, 4), noise.ridged(x + 3.0f, y + 5.0f, 4), 1e-4f);
        }
    }

    const TileableNoise a(1, 4, 4);
    const TileableNoise b(2, 4, 4);
    float low = 1.0f;
    float high = -1.0f;
    float seedDifference = 0.0f;
    for (int i = 0; i < 400; ++i) {
        const float x = static_cast<float>(i) * 0.0101f;
        const float value = a.fractal(x, 1.3f, 5);
        low = std::min(low, value);
        high = std::max(high, value);
        EXPECT_LT(std::abs(a.fractal(x + 0.001f, 1.3f, 5) - value), 0.05f);
        seedDifference += std::abs(value - b.fractal(x, 1.3f, 5));
    }
    EXPECT_GT(high - low, 0.3f);
    EXPECT_LE(high, 1.0f);
    EXPECT_GE(low, -1.0f);
    EXPECT_GT(seedDifference / 400.0f, 0.05f);
}

TEST(RoundedPath, CornersBecomeTangentArcsInsideTheOriginalOutline) {
    const std::vector<Vec2> square =
        roundedPath({{{0, 0}, 4.0f}, {{10, 0}, 4.0f}, {{10, 10}, 4.0f}, {{0, 10}, 4.0f}}, true);
    ASSERT_GT(square.size(), 8u);
    float nearestToCorner = 100.0f;
    for (const Vec2& p : square) {
        EXPECT_GE(p.x, -1e-4f);
        EXPECT_LE(p.x, 10.0f + 1e-4f);
        EXPECT_GE(p.y, -1e-4f);
        EXPECT_LE(p.y, 10.0f + 1e-4f);
        nearestToCorner = std::min(nearestToCorner, length(p - Vec2{10.0f, 10.0f}));
    }
    // A radius-4 round corner passes 4 (sqrt 2 - 1) from where the sharp corner was.
    EXPECT_NEAR(nearestToCorner, 4.0f * (std::sqrt(2.0f) - 1.0f), 0.02f);
    EXPECT_NEAR(square.front().x, square.back().x, 1e-5f);  // closed
    EXPECT_NEAR(square.front().y, square.back().y, 1e-5f);
}

TEST(RoundedPath, RadiiTooLargeForShortEdgesShrinkInsteadOfOverlapping) {
    // Edges of 2 with radius 5 corners on both ends: each arc may take only half an edge.
    const std::vector<Vec2> path = roundedPath({{{0, 0}}, {{0, 2}, 5.0f}, {{2, 2}, 5.0f}, {{2, 0}}}, false);
    for (size_t i = 1; i < path.size(); ++i) {
        EXPECT_GE(path[i].x, path[i - 1].x - 1e-4f) << "the path doubles back at point " << i;
    }
}

TEST(Canvas, RefusesEmptySizes) {
    EXPECT_THROW(Canvas(0, 10), std::invalid_argument);
    EXPECT_THROW(Canvas(10, -1), std::invalid_argument);
}

}  // namespace
}  // namespace artgen
