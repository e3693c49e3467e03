#pragma once

#include <string>

#include "engine/IXParticleManager.h"
#include "engine/IXTransformable.h"

// One line of text drawn from a fixed-grid bitmap font (16 glyph columns,
// character code c in row c / 16, column c % 16). Drawn on its own, or in a
// batch by CXTextBoxManager.
//
// Character i covers x from charSize * i / 2 to charSize * (i + 1) / 2 and y
// from 0 to charSize / 2 in the box's own coordinates, moved left by half the
// text's width (AlignCentre) or all of it (AlignRight). The box's size holds
// fontWidth x length as its width but does not scale the glyphs.
class OXTextBox : public IXTransformable {
  public:
    static constexpr int kGridColumns = 16;
    static constexpr int kFirstGlyph = 32;  // codes outside 32 ... 122 draw cell 0
    static constexpr int kLastGlyph = 122;
    // Boxes that draw themselves share one array of 0x24000 floats.
    static constexpr int kSharedVertexCount = 0x24000 / 12;
    static constexpr int kTextCapacity = 64;  // characters reserved up front

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

    // Texts of up to kTextCapacity characters are stored without allocating.
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
    // Width of the whole text in its own units (before scale).
    float textWidth() const { return static_cast<float>(charSize) * 0.5f * static_cast<float>(text.size()); }

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
    std::string text;
    unsigned textRevision = 0;
    int charSize = 12;
    int fontWidth = 0, fontHeight = 0;  // one glyph cell, texture pixels
    float cellU = 0.0f, cellV = 0.0f;   // one glyph cell, texture fraction
    Alignment alignment = AlignLeft;
};
