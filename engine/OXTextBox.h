#pragma once

#include <string>
#include <vector>

#include "engine/IXParticleManager.h"
#include "engine/IXTransformable.h"

// One line of text drawn from a fixed-grid bitmap font (16 glyph columns,
// character code c in row c / 16, column c % 16). The text is UTF-8, drawn one
// glyph per code point: codes 32 ... 122 and 160 ... 255 (Latin-1) have their
// cells, the controller's button shapes ✕ ○ □ △ (U+2715, U+25CB, U+25A1,
// U+25B3) have cells 128 ... 131 (whose control codes are never shown), every
// other code point, and every byte of a malformed sequence, shows cell 0. Drawn
// on its own, or in a batch by CXTextBoxManager.
//
// Glyph i covers x from charSize * i / 2 to charSize * (i + 1) / 2 and y
// from 0 to charSize / 2 in the box's own coordinates, moved left by half the
// text's width (AlignCentre) or all of it (AlignRight). The box's size holds
// fontWidth x length as its width but does not scale the glyphs.
class OXTextBox : public IXTransformable {
  public:
    static constexpr int kGridColumns = 16;
    // Boxes that draw themselves share one array of 0x24000 floats.
    static constexpr int kSharedVertexCount = 0x24000 / 12;
    static constexpr int kTextCapacity = 64;  // bytes and glyphs reserved up front

    // Where the text stands against its position.
    enum Alignment {
        AlignLeft = 0,    // the text starts at the position
        AlignCentre = 1,  // centred on it
        AlignRight = 2,   // ends at it
    };

    OXTextBox();
    ~OXTextBox() override;

    // Reads the font list `path` (without ".plist") and its texture; charSize
    // 12, AlignLeft. A missing font is reported and the box draws nothing.
    void load(const std::string& path) override;
    void draw() override;
    // Position, rotation and scale only: the glyphs carry their own size.
    void updateMatrix() override;

    // The font cell that shows code point `code`.
    static int glyphCell(unsigned code);

    // Texts of up to kTextCapacity bytes are stored without allocating.
    void setText(const std::string& value);
    void setText(const char* value);
    const std::string& getText() const { return text; }
    // Counts the texts set, so a caller can tell a rewrite from a kept text.
    unsigned getTextRevision() const { return textRevision; }
    // Glyph height in units is charSize / 2, glyph width the same.
    void setCharSize(int value) { charSize = value; }
    int getCharSize() const { return charSize; }
    void setAlignment(Alignment value) { alignment = value; }
    Alignment getAlignment() const { return alignment; }
    // Glyphs the text draws: its code points, a malformed byte counting as one.
    int glyphCount() const { return static_cast<int>(cells.size()); }
    // Width of the whole text in its own units (before scale).
    float textWidth() const { return static_cast<float>(charSize) * 0.5f * static_cast<float>(glyphCount()); }

    // A font held by someone else (a manager's atlas): cell size in texture
    // pixels and as a fraction of the texture.
    void useFont(int cellWidth, int cellHeight, float cellFractionU, float cellFractionV);
    bool hasFont() const { return fontWidth > 0 && fontHeight > 0; }
    int getFontWidth() const { return fontWidth; }
    int getFontHeight() const { return fontHeight; }
    float getCellU() const { return cellU; }
    float getCellV() const { return cellV; }

    // The box's colour multiplied by its parent's.
    Colour drawnColour() const;
    // The four corners of glyph `index` (top-left, top-right, bottom-left,
    // bottom-right), placed by `transform`.
    void glyphCorners(int index, const Mat4& transform, QuadCorner (&corners)[4]) const;
    // Position, rotation and scale, without any parent: how a manager places the box.
    Mat4 localTransform() const;

  protected:
    void decodeText();

    std::string text;
    std::vector<unsigned char> cells;  // the font cell of each glyph of the text
    unsigned textRevision = 0;
    int charSize = 12;
    int fontWidth = 0, fontHeight = 0;  // one glyph cell, texture pixels
    float cellU = 0.0f, cellV = 0.0f;   // one glyph cell, texture fraction
    Alignment alignment = AlignLeft;
};
