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

Vec3 transformPoint(const Mat4& m, float x, float y) {
    return {m[0] * x + m[4] * y + m[12], m[1] * x + m[5] * y + m[13], m[2] * x + m[6] * y + m[14]};
}
}  // namespace

OXTextBox::OXTextBox() {
    text.reserve(kTextCapacity);
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
    size.x = static_cast<float>(fontWidth) * static_cast<float>(text.size());
    ++textRevision;
}

void OXTextBox::setText(const char* value) {
    text.assign(value ? value : "");
    size.x = static_cast<float>(fontWidth) * static_cast<float>(text.size());
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
    const auto code = static_cast<unsigned char>(text[static_cast<size_t>(index)]);
    int column = 0, row = 0;
    if (code >= kFirstGlyph && code <= kLastGlyph) {
        column = code % kGridColumns;
        row = code / kGridColumns;
    }
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
    if (!visible || textureId < 0 || !hasFont() || text.empty()) {
        return;
    }
    // A text longer than the shared array is cut at the last whole character.
    const int glyphs = std::min(static_cast<int>(text.size()), kSharedVertexCount / 6);
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
