// Textures drawn from SVG files: colours and coverage as the artist drew them, filters that
// really render, the target rectangle kept to, and errors that name the file.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "raster/Svg.h"
#include "tests/support/TestFiles.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

constexpr float kTolerance = 1.5f / 255.0f;  // cairo draws 8-bit channels

// Each test reads its SVG files from a folder of its own, then puts the source folder back.
class SvgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = svgFolder();
        setSvgFolder(folder.path());
    }
    void TearDown() override { setSvgFolder(saved); }

    void write(const std::string& name, const std::string& body) const {
        folder.write(name, "<svg xmlns=\"http://www.w3.org/2000/svg\" " + body + "</svg>\n");
    }

    // The exception's text from drawing `name` onto a small canvas, or "" if it drew.
    static std::string errorOf(const std::string& name) {
        Canvas canvas(8, 8);
        try {
            drawSvg(name, canvas);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "";
    }

    testfiles::TempDir folder;
    std::filesystem::path saved;
};

void expectPixel(const Canvas& canvas, int x, int y, Pixel expected) {
    const Pixel& p = canvas.at(x, y);
    EXPECT_NEAR(p.r, expected.r, kTolerance) << "red at " << x << ", " << y;
    EXPECT_NEAR(p.g, expected.g, kTolerance) << "green at " << x << ", " << y;
    EXPECT_NEAR(p.b, expected.b, kTolerance) << "blue at " << x << ", " << y;
    EXPECT_NEAR(p.a, expected.a, kTolerance) << "alpha at " << x << ", " << y;
}

TEST_F(SvgTest, TheViewBoxFillsTheCanvasInPremultipliedColoursOverWhatIsThere) {
    // An opaque orange half and a half-transparent blue half, in a viewBox half the canvas's
    // size: each SVG unit covers two pixels.
    write("two.svg",
          "viewBox=\"0 0 8 4\"><rect width=\"4\" height=\"4\" fill=\"#ff8000\"/>"
          "<rect x=\"4\" width=\"4\" height=\"4\" fill=\"#0000ff\" fill-opacity=\"0.5\"/>");
    Canvas canvas(16, 8);
    canvas.clear(Colour::hex(0x00ff00, 1.0f));
    drawSvg("two.svg", canvas);
    for (int y : {0, 7}) {
        for (int x : {0, 7}) {
            expectPixel(canvas, x, y, {1.0f, 128.0f / 255.0f, 0.0f, 1.0f});
        }
        for (int x : {8, 15}) {
            // Half blue over opaque green: source-over keeps half the green.
            expectPixel(canvas, x, y, {0.0f, 0.5f, 0.5f, 1.0f});
        }
    }
    Canvas clear(16, 8);
    drawSvg("two.svg", clear);
    expectPixel(clear, 12, 4, {0.0f, 0.0f, 0.5f, 0.5f});
}

TEST_F(SvgTest, ABlurSpreadsLightBeyondTheShapeAndAGlowKeepsTheShape) {
    write("glow.svg",
          "viewBox=\"0 0 64 64\"><filter id=\"glow\" x=\"-1\" y=\"-1\" width=\"3\" height=\"3\">"
          "<feGaussianBlur in=\"SourceGraphic\" stdDeviation=\"4\" result=\"soft\"/>"
          "<feMerge><feMergeNode in=\"soft\"/><feMergeNode in=\"SourceGraphic\"/></feMerge></filter>"
          "<rect x=\"24\" y=\"24\" width=\"16\" height=\"16\" fill=\"#ffffff\" filter=\"url(#glow)\"/>");
    Canvas canvas(64, 64);
    drawSvg("glow.svg", canvas);
    expectPixel(canvas, 32, 32, {1.0f, 1.0f, 1.0f, 1.0f});
    const float near = canvas.at(20, 32).a;
    const float far = canvas.at(14, 32).a;
    EXPECT_GT(near, 0.05f) << "the blur must reach four pixels beyond the square";
    EXPECT_GT(near, far) << "the light fades away from the square";
    EXPECT_LT(canvas.at(2, 2).a, kTolerance) << "the corners stay clear";
}

TEST_F(SvgTest, DrawingIntoACellTouchesThatCellOnly) {
    write("full.svg",
          "viewBox=\"0 0 10 10\"><rect x=\"-5\" y=\"-5\" width=\"20\" height=\"20\" fill=\"#ffffff\"/>");
    Canvas canvas(48, 32);
    canvas.clear(Colour::hex(0x102030, 0.25f));
    const Canvas before = canvas;
    drawSvgInto("full.svg", canvas, 16, 8, 16, 16);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const bool inside = x >= 16 && x < 32 && y >= 8 && y < 24;
            if (inside) {
                expectPixel(canvas, x, y, {1.0f, 1.0f, 1.0f, 1.0f});
            } else {
                ASSERT_EQ(canvas.at(x, y).a, before.at(x, y).a) << "outside the cell at " << x << ", " << y;
                ASSERT_EQ(canvas.at(x, y).r, before.at(x, y).r) << "outside the cell at " << x << ", " << y;
            }
        }
    }
    EXPECT_THROW(drawSvgInto("full.svg", canvas, 40, 8, 16, 16), std::invalid_argument);
    EXPECT_THROW(drawSvgInto("full.svg", canvas, 0, 0, 0, 16), std::invalid_argument);
}

TEST_F(SvgTest, AFileThatCannotBeDrawnIsRefusedByNameWithTheReason) {
    const std::string folderName = folder.path();
    EXPECT_EQ(errorOf("absent.svg"), folderName + "/absent.svg: no such file");

    folder.write("cut.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 4 4\"><rect");
    const std::string cut = errorOf("cut.svg");
    EXPECT_EQ(cut.rfind(folderName + "/cut.svg: ", 0), 0u) << cut;
    EXPECT_NE(cut.find("XML"), std::string::npos) << cut;
    EXPECT_EQ(cut.find('\n'), std::string::npos) << "one line: " << cut;

    folder.write("html.svg", "<html><body>not a picture</body></html>");
    EXPECT_EQ(errorOf("html.svg").rfind(folderName + "/html.svg: ", 0), 0u);

    write("sizeless.svg", "><rect width=\"4\" height=\"4\"/>");
    const std::string sizeless = errorOf("sizeless.svg");
    EXPECT_NE(sizeless.find("sizeless.svg: "), std::string::npos) << sizeless;
    EXPECT_NE(sizeless.find("viewBox"), std::string::npos) << sizeless;

    // A width and height in pixels are enough: the drawing stretches onto the canvas.
    write("sized.svg", "width=\"4\" height=\"4\"><rect width=\"2\" height=\"4\" fill=\"#ffffff\"/>");
    Canvas canvas(8, 8);
    drawSvg("sized.svg", canvas);
    expectPixel(canvas, 3, 7, {1.0f, 1.0f, 1.0f, 1.0f});
    expectPixel(canvas, 4, 0, {0.0f, 0.0f, 0.0f, 0.0f});
}

TEST(SvgTextures, EveryTableRowWithAnSvgDrawsFromAFileInTheSourceFolder) {
    int drawn = 0;
    for (const TextureEntry& entry : textureTable()) {
        if (entry.svg == nullptr) {
            continue;
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(svgFolder() / entry.svg)) << entry.svg;
        ++drawn;
    }
    EXPECT_GT(drawn, 0) << "the HUD icons are drawn from SVG files";
}

}  // namespace
}  // namespace artgen
