// The house stroke font: every glyph it claims draws within the width it reports and differs
// from every other glyph; text it can't draw is refused by name. The game's font texture: lower
// case and capitals, M and N, tell apart at the cell size; accented capitals stay in their cell.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "font/FontAtlas.h"
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

// The characters that draw ink (not the blanks).
std::string printable(const std::string& characters) {
    std::string result;
    for (char c : characters) {
        if (c != ' ' && c != '\xA0') {
            result += c;
        }
    }
    return result;
}

std::string named(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x80 ? std::string("'") + c + "'" : "code " + std::to_string(code);
}

const TextStyle kStyle{30.0f, 0.12f, 0.2f, 0.0f};
const float kDotArea = kPi * std::pow(kStyle.weight * kStyle.capHeight * 0.5f, 2.0f);

TEST(StrokeFont, EveryClaimedGlyphDrawsInkWithinItsReportedWidth) {
    const StrokeFont& font = StrokeFont::house();
    for (char c : printable(font.characters())) {
        const std::string text(1, c);
        const Canvas canvas = render(text, kStyle);
        const Ink ink = inkOf(canvas, 0.05f);
        ASSERT_GT(ink.total, 10.0f) << named(c) << " draws nothing";
        EXPECT_GE(ink.left, static_cast<int>(kPad) - 1) << named(c) << " starts before its box";
        EXPECT_LE(ink.right, static_cast<int>(kPad + font.textWidth(text, kStyle)))
            << named(c) << " runs past its width";
        // Nothing above the accents' tops or below the descenders.
        EXPECT_GE(ink.top, static_cast<int>(40.0f - 0.7f * kStyle.capHeight)) << named(c);
        EXPECT_LE(ink.bottom, static_cast<int>(40.0f + 0.86f * kStyle.capHeight)) << named(c);
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
                << named(characters[i]) << " and " << named(characters[j]) << " look the same";
        }
    }
}

TEST(StrokeFont, TextWithAMissingGlyphIsRefusedNamingTheCharacter) {
    const StrokeFont& font = StrokeFont::house();
    try {
        font.layout("Pr{ss", kStyle, {0.0f, 0.0f});
        FAIL() << "a brace should be refused";
    } catch (const std::invalid_argument& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("'{'"), std::string::npos) << message;
        EXPECT_NE(message.find("\"Pr{ss\""), std::string::npos) << message;
    }
    EXPECT_THROW(font.textWidth("TAB\t", kStyle), std::invalid_argument);
    EXPECT_EQ(font.textWidth("", kStyle), 0.0f);
    EXPECT_TRUE(font.layout("", kStyle, {0.0f, 0.0f}).empty());
}

// One font cell as the texture holds it: coverage of the strokes in a 64 x 64 cell.
Canvas cellInk(int code) {
    Canvas canvas(kFontCellSize, kFontCellSize);
    fill(canvas, fontCellStrokes(code), palette::white);
    return canvas;
}

// Coverage difference of two cells after shrinking them to a text 8 pixels tall in its
// capitals: 64-pixel cells averaged in blocks of `block` pixels.
float smallDifference(int a, int b, int block) {
    const Canvas first = cellInk(a);
    const Canvas second = cellInk(b);
    float difference = 0.0f;
    for (int by = 0; by < kFontCellSize; by += block) {
        for (int bx = 0; bx < kFontCellSize; bx += block) {
            float sum = 0.0f;
            for (int y = by; y < std::min(by + block, kFontCellSize); ++y) {
                for (int x = bx; x < std::min(bx + block, kFontCellSize); ++x) {
                    sum += first.at(x, y).a - second.at(x, y).a;
                }
            }
            difference += std::abs(sum) / static_cast<float>(block * block);
        }
    }
    return difference;  // in small pixels
}

TEST(FontTexture, LowerCaseAndCapitalsAndMAndNTellApartAtEightPixelCapitals) {
    // 8-pixel capitals are 8 / 0.68 pixels a cell: blocks of 5 texture pixels per screen pixel.
    constexpr int kBlock = 5;
    // o and O differ only in size: every lower-case letter differs from its capital at least
    // by a quarter of that, and M from N by more than all of it.
    const float sizeOnly = smallDifference('o', 'O', kBlock);
    for (char lower = 'a'; lower <= 'z'; ++lower) {
        const char upper = static_cast<char>(lower - 'a' + 'A');
        EXPECT_GT(smallDifference(lower, upper, kBlock), sizeOnly / 4.0f) << lower << " looks like " << upper;
    }
    EXPECT_GT(smallDifference('M', 'N', kBlock), sizeOnly);
    EXPECT_GT(smallDifference('m', 'n', kBlock), sizeOnly / 4.0f);
    // Real lower case: on the capitals' baseline, x-height letters well short of the capitals,
    // ascenders as tall as them, descenders below the baseline and still in the cell.
    const Ink capital = inkOf(cellInk('N'));
    for (const char* c = "acemnorsuvwxz"; *c; ++c) {
        const Ink ink = inkOf(cellInk(*c));
        EXPECT_NEAR(ink.bottom, capital.bottom, 1) << *c;
        EXPECT_GT(ink.top, capital.top + 10) << *c << " is as tall as a capital";
    }
    for (const char* c = "bdhkl"; *c; ++c) {
        EXPECT_NEAR(inkOf(cellInk(*c)).top, capital.top, 2) << *c;
    }
    for (const char* c = "gjpqy"; *c; ++c) {
        const Ink ink = inkOf(cellInk(*c));
        EXPECT_GT(ink.bottom, capital.bottom + 6) << *c << " has no descender";
        EXPECT_LT(ink.bottom, kFontCellSize - 1) << *c << " runs out of its cell";
    }
}

TEST(FontTexture, EveryAccentedLetterStaysInsideItsCellAndShowsItsAccent) {
    for (int code = 0xC0; code <= 0xFF; ++code) {
        if (!fontCellDrawn(code)) {
            continue;
        }
        // The strokes' own extent, so ink the cell would cut off is caught too.
        const Rect ink = fontCellStrokes(code).bounds();
        const auto cell = static_cast<float>(kFontCellSize);
        EXPECT_GE(ink.y0, 1.0f) << "code " << code << " runs past the cell's top";
        EXPECT_LE(ink.y1, cell - 1.0f) << "code " << code << " runs past the cell's bottom";
        EXPECT_GE(ink.x0, 1.0f) << "code " << code;
        EXPECT_LE(ink.x1, cell - 1.0f) << "code " << code;
    }
    // The accent is there, apart from its letter: an accented capital reaches higher than the plain one.
    for (const auto& pair : {std::pair<int, char>{0xC9, 'E'}, {0xD1, 'N'}, {0xE9, 'e'}, {0xFC, 'u'}}) {
        EXPECT_LT(inkOf(cellInk(pair.first)).top + 4, inkOf(cellInk(pair.second)).top) << pair.first;
    }
    EXPECT_FALSE(fontCellDrawn(0));
    EXPECT_FALSE(fontCellDrawn(124));  // the engine shows cell 0 for 123 ... 159
}

TEST(FontTexture, TheButtonShapesStandLikeCapitalsAndTellApartFromEachOtherAndFromXAndO) {
    const Ink capital = inkOf(cellInk('N'));
    for (int cell : kFontShapeCells) {
        ASSERT_TRUE(fontCellDrawn(cell)) << cell;
        const Ink ink = inkOf(cellInk(cell));
        EXPECT_NEAR(ink.bottom, capital.bottom, 6) << cell;
        EXPECT_NEAR(ink.top, capital.top, 6) << cell;
        const Rect strokes = fontCellStrokes(cell).bounds();
        EXPECT_GE(strokes.x0, 1.0f) << cell;
        EXPECT_LE(strokes.x1, kFontCellSize - 1.0f) << cell;
    }
    // At 8-pixel capitals each shape differs from the others, and the cross from the letter X,
    // by as much as a lower-case letter must differ from its capital.
    constexpr int kBlock = 5;
    const float sizeOnly = smallDifference('o', 'O', kBlock);
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            EXPECT_GT(smallDifference(kFontShapeCells[a], kFontShapeCells[b], kBlock), sizeOnly / 4.0f)
                << a << b;
        }
    }
    EXPECT_GT(smallDifference(kFontShapeCells[0], 'X', kBlock), sizeOnly / 4.0f);
    EXPECT_FALSE(fontCellDrawn(132));
}

}  // namespace
}  // namespace artgen
