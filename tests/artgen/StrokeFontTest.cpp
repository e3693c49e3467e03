// The house stroke font: every glyph it claims draws, sits on the baseline and cap line,
// stays within the width it reports and differs from every other glyph; text it can't draw
// is refused by name.

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

TEST(StrokeFont, ClaimsLettersDigitsAndCommonSymbols) {
    const StrokeFont& font = StrokeFont::house();
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,:-+/!?'()")) {
        EXPECT_TRUE(font.hasGlyph(c)) << "'" << c << "'";
    }
    EXPECT_FALSE(font.hasGlyph('a'));
    EXPECT_FALSE(font.hasGlyph('\n'));
}

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

TEST(StrokeFont, LettersAndDigitsStandOnTheBaselineAndReachTheCapLine) {
    const float halfStroke = kStyle.weight * kStyle.capHeight * 0.5f;
    const float capLine = 40.0f - kStyle.capHeight * 0.5f - halfStroke;
    const float baseline = 40.0f + kStyle.capHeight * 0.5f + halfStroke;
    for (char c : std::string("ABCDEFGHIJKLMNOPRSTUVWXYZ0123456789")) {
        const Ink ink = inkOf(render(std::string(1, c), kStyle));
        EXPECT_NEAR(static_cast<float>(ink.top), capLine, 1.5f) << "'" << c << "'";
        EXPECT_NEAR(static_cast<float>(ink.bottom + 1), baseline, 1.5f) << "'" << c << "'";
    }
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

TEST(StrokeFont, ReportedTextWidthIsTheInkWidthSoEveryAlignmentIsExact) {
    const StrokeFont& font = StrokeFont::house();
    for (const std::string text : {"VORTALIS", "PRESS START", "LOADING", "1UP 20,000"}) {
        const TextStyle style{24.0f, 0.14f, 0.4f, 0.0f};
        Canvas canvas(600, 60);
        fill(canvas, font.layout(text, style, {300.0f, 30.0f}, Align::Centre), palette::white);
        const Ink ink = inkOf(canvas);
        const float measured = static_cast<float>(ink.right + 1 - ink.left);
        EXPECT_NEAR(measured, font.textWidth(text, style), 1.5f) << text;
        EXPECT_NEAR(static_cast<float>(ink.left + ink.right + 1) * 0.5f, 300.0f, 1.0f) << text;
    }
    // Left and right alignment put the ink's edge on the anchor.
    Canvas left(300, 60);
    fill(left, font.layout("HUD", kStyle, {50.0f, 30.0f}, Align::Left), palette::white);
    Canvas right(300, 60);
    fill(right, font.layout("HUD", kStyle, {250.0f, 30.0f}, Align::Right), palette::white);
    EXPECT_EQ(inkOf(left).left, 50);
    EXPECT_EQ(inkOf(right).right, 249);
}

TEST(StrokeFont, WeightAndSlantChangeTheLettering) {
    const Ink regular = inkOf(render("H", kStyle));
    TextStyle bold = kStyle;
    bold.weight = 0.24f;
    EXPECT_GT(inkOf(render("H", bold)).total, regular.total * 1.7f);
    TextStyle slanted = kStyle;
    slanted.slant = 0.3f;
    Canvas canvas(100, 80);
    fill(canvas, StrokeFont::house().layout("I", slanted, {50.0f, 40.0f}), palette::white);
    // The stem leans forward: its top is right of its foot.
    int topX = 0;
    int footX = 0;
    for (int x = 0; x < 100; ++x) {
        if (canvas.at(x, 28).a > 0.5f) {
            topX = x;
        }
        if (canvas.at(x, 52).a > 0.5f) {
            footX = x;
        }
    }
    EXPECT_GT(topX - footX, 5);
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
