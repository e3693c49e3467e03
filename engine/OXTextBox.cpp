#include "engine/OXTextBox.h"

#include <algorithm>
#include <cstdio>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/CXGfxManager.h"
#include "engine/CXTextureManager.h"

namespace {
// Shared by every box that draws itself: each draw fills it from the start
// and hands it to GL at once.
BatchVertex sharedVertices[OXTextBox::kSharedVertexCount];

// Bytes that continue a UTF-8 sequence are 10xxxxxx.
bool continues(const std::string& text, size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xc0) == 0x80;
}

Vec3 transformPoint(const Mat4& m, float x, float y) {
    return {m[0] * x + m[4] * y + m[12], m[1] * x + m[5] * y + m[13], m[2] * x + m[6] * y + m[14]};
}
}  // namespace

OXTextBox::OXTextBox() {
    text.reserve(kTextCapacity);
    cells.reserve(kTextCapacity);
}

int OXTextBox::glyphCell(unsigned code) {
    if ((code >= 32 && code <= 122) || (code >= 160 && code <= 255)) {
        return static_cast<int>(code);
    }
    // The button shapes sit in cells of control codes, which text never shows.
    switch (code) {
        case 0x2715:  // cross
            return 128;
        case 0x25cb:  // circle
            return 129;
        case 0x25a1:  // square
            return 130;
        case 0x25b3:  // triangle
            return 131;
        default:
            return 0;
    }
}

// One glyph per code point. A sequence that is cut short, overlong, a surrogate or beyond
// U+10FFFF is not a code point: its lead byte shows cell 0 and decoding goes on at the next
// byte, so nothing past the end is read and a bad byte never swallows good text after it.
void OXTextBox::decodeText() {
    cells.clear();
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        int length = 0;
        unsigned code = 0, least = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xe0) == 0xc0) {
            length = 2;
            code = lead & 0x1fu;
            least = 0x80;
        } else if ((lead & 0xf0) == 0xe0) {
            length = 3;
            code = lead & 0x0fu;
            least = 0x800;
        } else if ((lead & 0xf8) == 0xf0) {
            length = 4;
            code = lead & 0x07u;
            least = 0x10000;
        }
        bool whole = length > 0;
        for (int k = 1; whole && k < length; ++k) {
            whole = continues(text, at + static_cast<size_t>(k));
            if (whole) {
                code = (code << 6) | (static_cast<unsigned char>(text[at + static_cast<size_t>(k)]) & 0x3fu);
            }
        }
        if (whole && (code < least || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))) {
            whole = false;
        }
        cells.push_back(static_cast<unsigned char>(whole ? glyphCell(code) : 0));
        at += whole ? static_cast<size_t>(length) : 1;
    }
}

OXTextBox::~OXTextBox() = default;

void OXTextBox::load(const std::string& path) {
    if (textureId >= 0) {
        CXTextureManager::instance().release(textureId);
    }
    IXTransformable::load(path);
    charSize = 12;
    alignment = AlignLeft;
    fontWidth = fontHeight = 0;
    cellU = cellV = 0.0f;
    if (path.empty()) {
        return;
    }
    const std::string file = path + ".plist";
    Plist::Dictionary font;
    if (!assetExists(file)) {
        std::printf("MISSING FONT %s\n", file.c_str());
        return;
    }
    if (!Plist::loadContent(file, font)) {
        return;  // the reader has named the file and its fault
    }
    std::string textureFile;
    Plist::read(font, "fontWidth", fontWidth, 0);
    Plist::read(font, "fontHeight", fontHeight, 0);
    Plist::read(font, "filename", textureFile);
    if (fontWidth <= 0 || fontHeight <= 0 || textureFile.empty()) {
        std::printf("FONT %s NEEDS fontWidth, fontHeight AND filename\n", file.c_str());
        fontWidth = fontHeight = 0;
        return;
    }
    const std::string texturePath = "assets/texture/" + textureFile;
    int width = 0, height = 0;
    textureId = CXTextureManager::instance().load(texturePath, width, height, true, true);
    if (textureId < 0 || width <= 0 || height <= 0) {
        std::printf("MISSING FONT TEXTURE %s FOR %s\n", texturePath.c_str(), file.c_str());
        fontWidth = fontHeight = 0;
        return;
    }
    cellU = static_cast<float>(fontWidth) / static_cast<float>(width);
    cellV = static_cast<float>(fontHeight) / static_cast<float>(height);
}

void OXTextBox::useFont(int cellWidth, int cellHeight, float cellFractionU, float cellFractionV) {
    fontWidth = cellWidth;
    fontHeight = cellHeight;
    cellU = cellFractionU;
    cellV = cellFractionV;
}

void OXTextBox::setText(const std::string& value) {
    text.assign(value);
    decodeText();
    size.x = static_cast<float>(fontWidth) * static_cast<float>(glyphCount());
    ++textRevision;
}

void OXTextBox::setText(const char* value) {
    text.assign(value ? value : "");
    decodeText();
    size.x = static_cast<float>(fontWidth) * static_cast<float>(glyphCount());
    ++textRevision;
}

Mat4 OXTextBox::localTransform() const {
    return Mat4::translation(position.x, position.y, position.z) * Mat4::rotationX(rotation.x) *
           Mat4::rotationY(rotation.y) * Mat4::rotationZ(rotation.z) *
           Mat4::scaling(scale.x * uniformScale, scale.y * uniformScale, scale.z * uniformScale);
}

void OXTextBox::updateMatrix() {
    matrix = localTransform();
    if (parent) {
        matrix = parent->getMatrix() * matrix;
    }
}

Colour OXTextBox::drawnColour() const {
    Colour c = colour;
    if (parent) {
        const Colour& p = parent->getColour();
        c = {c.r * p.r, c.g * p.g, c.b * p.b, c.a * p.a};
    }
    return c;
}

void OXTextBox::glyphCorners(int index, const Mat4& transform, QuadCorner (&corners)[4]) const {
    const int cell = cells[static_cast<size_t>(index)];
    const int column = cell % kGridColumns;
    const int row = cell / kGridColumns;
    const float glyph = static_cast<float>(charSize) * 0.5f;  // units
    float left = 0.0f;
    if (alignment == AlignCentre) {
        left = -textWidth() * 0.5f;
    } else if (alignment == AlignRight) {
        left = -textWidth();
    }
    const float x0 = left + glyph * static_cast<float>(index);
    const float x1 = x0 + glyph;
    const float u0 = static_cast<float>(column) * cellU, u1 = u0 + cellU;
    const float v0 = static_cast<float>(row) * cellV, v1 = v0 + cellV;  // v0 is the cell's top
    const struct {
        float x, y, u, v;
    } plan[4] = {{x0, glyph, u0, v0}, {x1, glyph, u1, v0}, {x0, 0.0f, u0, v1}, {x1, 0.0f, u1, v1}};
    for (int corner = 0; corner < 4; ++corner) {
        const Vec3 p = transformPoint(transform, plan[corner].x, plan[corner].y);
        corners[corner] = {p.x, p.y, p.z, plan[corner].u, plan[corner].v};
    }
}

void OXTextBox::draw() {
    if (!visible || textureId < 0 || !hasFont() || cells.empty()) {
        return;
    }
    // A text longer than the shared array is cut at the last whole glyph.
    const int glyphs = std::min(glyphCount(), kSharedVertexCount / 6);
    const Colour c = drawnColour();
    const Mat4 own = Mat4::identity();  // the model matrix places the box
    QuadCorner corners[4];
    for (int i = 0; i < glyphs; ++i) {
        glyphCorners(i, own, corners);
        writeQuad(sharedVertices + 6 * i, QuadOrder::Triangles, corners, c.r * c.a, c.g * c.a, c.b * c.a,
                  c.a);
    }
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setTexCoordAttrib(true);
    gfx.setPositionAttrib(true);
    gfx.setColourAttrib(true);
    gfx.setBlend(true);
    gfx.setDepthTest(false);
    gfx.setBlendMode(blendMode);
    constexpr int kStride = sizeof(BatchVertex);
    gfx.drawTriangles(glyphs * 6, &sharedVertices[0].x, kStride, &sharedVertices[0].r, kStride,
                      &sharedVertices[0].u, kStride, textureId, matrix, program);
}
