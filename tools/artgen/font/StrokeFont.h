// The house stroke font: letters, digits and signs drawn as round-ended strokes of even
// weight, with softly rounded corners on the square letters. Any size, weight, letter spacing
// and slant; the result is a Shape, so text can be filled, outlined, glowed or cut out like
// any other shape.
//
// Characters are Latin-1 bytes: ASCII from '!' to '`', a to z, and most of 160 ... 255 (the
// accented letters composed from their base letter and one drawn accent).
//
// Glyphs are designed in em units: baseline at y = 0, cap height at y = 1, y up; lower case
// x-height kXHeight, descenders to kDescent. Accented capitals are squashed so their accent
// stays below 1.2.
#pragma once

#include <string>
#include <vector>

#include "raster/Shapes.h"

namespace artgen {

struct TextStyle {
    float capHeight = 32.0f;  // pixels from baseline to the top of the capitals
    float weight = 0.12f;     // stroke width as a fraction of the cap height
    float tracking = 0.2f;    // extra space between letters, in cap heights
    float slant = 0.0f;       // forward lean: horizontal shift per cap height of rise
    float stretch = 1.0f;     // horizontal scale of the letters' shapes (not of the strokes)
};

enum class Align { Left, Centre, Right };

class StrokeFont {
  public:
    static constexpr float kXHeight = 0.56f;
    static constexpr float kDescent = -0.28f;

    // The one font the game's art is lettered in.
    static const StrokeFont& house();

    bool hasGlyph(char character) const;
    // Every character the font draws (the blank included), in table order.
    std::string characters() const;

    // Width in pixels of the text's ink, strokes included (slant not included).
    float textWidth(const std::string& text, const TextStyle& style) const;

    // The text as strokes. `anchor` is the point the text is placed by: horizontally the left
    // edge, centre or right edge of the ink (by `align`); vertically the middle of the
    // capitals. Throws std::invalid_argument naming the first character without a glyph.
    Strokes layout(const std::string& text, const TextStyle& style, Vec2 anchor,
                   Align align = Align::Centre) const;

  private:
    struct Glyph {
        char character;
        float width;                               // em units, from the first stroke centre to the last
        std::vector<std::vector<Vec2>> polylines;  // em units, y up, corners already rounded
    };

    StrokeFont();
    const Glyph& glyph(char character, const std::string& text) const;

    std::vector<Glyph> glyphs_;
};

}  // namespace artgen
