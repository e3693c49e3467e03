#include "platform/FrameGraph.h"

#include <algorithm>

#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"

namespace {
constexpr float kFrameMs = 17.0f;  // the game's frame: the first whole millisecond above 16.7
constexpr float kMargin = 8.0f;    // pixels between the panel and the window's edges
constexpr int kFloatsPerVertex = 12;
constexpr int kStride = kFloatsPerVertex * static_cast<int>(sizeof(float));

// The ten digits in 3 x 5 cells, the top row first; '#' is lit.
const char* const kDigits[10] = {
    "####.##.##.####", ".#.##..#..#.###", "###..#####..###", "###..####..####", "#.##.####..#..#",
    "####..###..####", "####..####.####", "###..#..#..#..#", "####.#####.####", "####.####..####",
};
}  // namespace

void FrameGraph::record(float intervalMs, int calls) {
    intervals[next] = intervalMs;
    drawCalls[next] = calls;
    next = (next + 1) % kFrames;
    filled = std::min(filled + 1, kFrames);
}

int FrameGraph::slotOf(int age) const {
    return ((next - 1 - age) % kFrames + kFrames) % kFrames;
}

float FrameGraph::intervalAt(int age) const {
    return age >= 0 && age < filled ? intervals[slotOf(age)] : 0.0f;
}

int FrameGraph::drawCallsAt(int age) const {
    return age >= 0 && age < filled ? drawCalls[slotOf(age)] : 0;
}

void FrameGraph::addQuad(float x, float y, float width, float height, float r, float g, float b, float a) {
    if (vertexCount + 6 > kMaxQuads * 6) {
        return;
    }
    const float corners[6][2] = {{x, y},          {x + width, y}, {x, y + height},
                                 {x, y + height}, {x + width, y}, {x + width, y + height}};
    for (const auto& corner : corners) {
        float* v = &vertices[vertexCount * kFloatsPerVertex];
        v[0] = corner[0];
        v[1] = corner[1];
        v[2] = 0.0f;
        v[4] = r;
        v[5] = g;
        v[6] = b;
        v[7] = a;
        v[8] = 0.5f;  // the middle of the white texel
        v[9] = 0.5f;
        ++vertexCount;
    }
}

float FrameGraph::addDigit(float x, float y, int digit) {
    const float cell = static_cast<float>(kDigitPixel);
    for (int i = 0; i < 15; ++i) {
        if (kDigits[digit][i] == '#') {
            addQuad(x + static_cast<float>(i % 3) * cell, y + static_cast<float>(4 - i / 3) * cell, cell,
                    cell, 1, 1, 1, 1);
        }
    }
    return 4 * cell;
}

float FrameGraph::addNumber(float x, float y, int value, bool tenths) {
    int digits[10];
    int count = 0;
    do {
        digits[count++] = value % 10;
        value /= 10;
    } while (value > 0 && count < 10);
    if (tenths && count == 1) {
        digits[count++] = 0;  // 0.5, not .5
    }
    const float start = x;
    for (int i = count - 1; i >= 0; --i) {
        if (tenths && i == 0) {
            const float cell = static_cast<float>(kDigitPixel);
            addQuad(x, y, cell, cell, 1, 1, 1, 1);
            x += 2 * cell;
        }
        x += addDigit(x, y, digits[i]);
    }
    return x - start;
}

void FrameGraph::draw(int windowWidth, int windowHeight) {
    IXGLDevice& gl = glDevice();
    CXGfxManager& gfx = CXGfxManager::instance();
    if (texture < 0) {
        const unsigned char white[4] = {255, 255, 255, 255};
        texture = static_cast<int>(gl.genTexture());
        gfx.bindTexture(texture);
        gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, white);
    }

    vertexCount = 0;
    const float left = kMargin, bottom = kMargin, height = static_cast<float>(kPanelHeight);
    addQuad(left - 2, bottom - 2, kPanelWidth + 4, height + 4 + 8 * kDigitPixel, 0, 0, 0, 0.7f);
    addQuad(left, bottom + kFrameMs * kPixelsPerMs, kPanelWidth, 1, 0.5f, 0.5f, 0.5f, 0.5f);
    addQuad(left, bottom + 2 * kFrameMs * kPixelsPerMs, kPanelWidth, 1, 0.5f, 0.5f, 0.5f, 0.5f);
    // Oldest on the left, newest on the right.
    for (int age = filled - 1; age >= 0; --age) {
        const float x = left + static_cast<float>(kFrames - 1 - age);
        const float ms = intervalAt(age);
        const float bar = std::clamp(ms * kPixelsPerMs, 1.0f, height);
        if (ms <= kFrameMs) {
            addQuad(x, bottom, 1, bar, 0.2f, 0.8f, 0.2f, 1);
        } else if (ms <= 2 * kFrameMs) {
            addQuad(x, bottom, 1, bar, 0.9f, 0.8f, 0.1f, 1);
        } else {
            addQuad(x, bottom, 1, bar, 0.9f, 0.2f, 0.2f, 1);
        }
        const float calls = std::clamp(static_cast<float>(drawCallsAt(age)), 0.0f, height - 1);
        addQuad(x, bottom + calls, 1, 1, 0.3f, 0.6f, 1.0f, 1);
    }
    const float textY = bottom + height + 2 * kDigitPixel;
    const float msWidth = addNumber(left, textY, static_cast<int>(intervalAt(0) * 10.0f + 0.5f), true);
    addNumber(left + msWidth + 6 * kDigitPixel, textY, drawCallsAt(0), false);

    gl.viewport(0, 0, windowWidth, windowHeight);
    gfx.setOrthographic(0, static_cast<float>(windowWidth), 0, static_cast<float>(windowHeight), -1, 1);
    gfx.setBlend(true);
    gfx.setBlendMode(0);
    gfx.drawTriangles(vertexCount, &vertices[0], kStride, &vertices[4], kStride, &vertices[8], kStride,
                      texture, Mat4::identity());
}

void FrameGraph::release() {
    if (texture >= 0) {
        glDevice().deleteTexture(static_cast<GLuint>(texture));
        CXGfxManager::instance().forgetTexture(texture);
        texture = -1;
    }
}
