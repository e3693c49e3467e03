// The house stroke font: every glyph it claims draws within the width it reports and differs
// from every other glyph; text it can't draw is refused by name.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "font/StrokeFont.h"
#include "raster/Draw.h"

namespace artgen {
namespace {

constexpr float kPad = 20.0f;

struct Ink {
    int left = 1 << 20;
    int right = -1;
    int top = 1 << 20;
    int bottom = -1;
    float total = 0.0f;
};

// Draws the text left-aligned `kPad` pixels in, with the middle of the capitals at y = 40.
Canvas render(const std::string& text, const TextStyle& style) {
    const StrokeFont& font = StrokeFont::house();
    Canvas canvas(static_cast<int>(font.textWidth(text, style) + 2.0f * kPad) + 1, 80);
    fill(canvas, font.layout(text, style, {kPad, 40.0f}, Align::Left), palette::white);
    return canvas;
}

// Pixels at least `threshold` covered.
Ink inkOf(const Canvas& canvas, float threshold = 0.5f) {
    Ink ink;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const float a = canvas.at(x, y).a;
            ink.total += a;
            if (a >= threshold) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

std::string printable(const std::string& characters) {
    std::string result;
    for (char c : characters) {
        if (c != ' ') {
            result += c;
        }
    }
    return result;
}

const TextStyle kStyle{30.0f, 0.12f, 0.2f, 0.0f};
const float kDotArea = kPi * std::pow(kStyle.weight * kStyle.capHeight * 0.5f, 2.0f);

TEST(StrokeFont, EveryClaimedGlyphDrawsInkWithinItsReportedWidth) {
    const StrokeFont& font = StrokeFont::house();
    for (char c : printable(font.characters())) {
        const std::string text(1, c);
        const Canvas canvas = render(text, kStyle);
        const Ink ink = inkOf(canvas, 0.05f);
        ASSERT_GT(ink.total, 10.0f) << "'" << c << "' draws nothing";
        EXPECT_GE(ink.left, static_cast<int>(kPad) - 1) << "'" << c << "' starts before its box";
        EXPECT_LE(ink.right, static_cast<int>(kPad + font.textWidth(text, kStyle)))
            << "'" << c << "' runs past its width";
        // Nothing above the brackets' tops or below the comma's tail.
        EXPECT_GE(ink.top, static_cast<int>(40.0f - 0.7f * kStyle.capHeight)) << "'" << c << "'";
        EXPECT_LE(ink.bottom, static_cast<int>(40.0f + 0.8f * kStyle.capHeight)) << "'" << c << "'";
    }
    EXPECT_EQ(inkOf(render(" ", kStyle)).total, 0.0f);
}

TEST(StrokeFont, NoTwoGlyphsLookAlike) {
    const StrokeFont& font = StrokeFont::house();
    const std::string characters = printable(font.characters());
    std::map<char, Canvas> drawn;
    for (char c : characters) {
        Canvas canvas(48, 48);
        fill(canvas, font.layout(std::string(1, c), kStyle, {24.0f, 24.0f}), palette::white);
        drawn.emplace(c, canvas);
    }
    for (size_t i = 0; i < characters.size(); ++i) {
        for (size_t j = i + 1; j < characters.size(); ++j) {
            const Canvas& a = drawn.at(characters[i]);
            const Canvas& b = drawn.at(characters[j]);
            float difference = 0.0f;
            for (size_t k = 0; k < a.pixels().size(); ++k) {
                difference += std::abs(a.pixels()[k].a - b.pixels()[k].a);
            }
            // Telling two glyphs apart takes at least most of a dot ('.' against ':').
            EXPECT_GT(difference, 0.6f * kDotArea)
                << "'" << characters[i] << "' and '" << characters[j] << "' look the same";
        }
    }
}

TEST(StrokeFont, TextWithAMissingGlyphIsRefusedNamingTheCharacter) {
    const StrokeFont& font = StrokeFont::house();
    try {
        font.layout("Press", kStyle, {0.0f, 0.0f});
        FAIL() << "lower case should be refused";
    } catch (const std::invalid_argument& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("'r'"), std::string::npos) << message;
        EXPECT_NE(message.find("\"Press\""), std::string::npos) << message;
    }
    EXPECT_THROW(font.textWidth("TAB\t", kStyle), std::invalid_argument);
    EXPECT_EQ(font.textWidth("", kStyle), 0.0f);
    EXPECT_TRUE(font.layout("", kStyle, {0.0f, 0.0f}).empty());
}

}  // namespace
}  // namespace artgen
