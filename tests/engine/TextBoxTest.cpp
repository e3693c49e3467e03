// Text with the game's own font: where glyphs land and which font cell each shows, alignment,
// UTF-8 text drawn one glyph per code point (Latin-1 cells, malformed bytes), colours through a parent, the
// pooled boxes drawn in one call, text too long, a missing font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/CXGfxManager.h"
#include "engine/CXTextBoxManager.h"
#include "engine/IXTransformable.h"
#include "engine/OXTextBox.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/RealPackage.h"

namespace {

constexpr const char* kFont = "assets/plist/fnt_novo_white";
constexpr const char* kFontAtlas = "assets/plist/font_atlas";

class TextBoxTest : public realpackage::DrawingTest {
  protected:
    // A pool of `count` boxes in the stage's font atlas.
    void loadPool(int count) { manager.load(kFontAtlas, count); }

    // Takes a box from the pool and shows `text` in it.
    OXTextBox& show(const std::string& text, int charSize = 16,
                    OXTextBox::Alignment alignment = OXTextBox::AlignLeft) {
        OXTextBox* box = manager.acquire();
        EXPECT_NE(box, nullptr);
        box->setText(text);
        box->setCharSize(charSize);
        box->setAlignment(alignment);
        return *box;
    }

    // The batch's vertices of glyph `glyph` (six of them, two triangles).
    const BatchVertex* glyphVertices(int glyph) const { return manager.getVertices() + 6 * glyph; }

    int drawsOf(IXRenderObject& object) {
        device.resetCounts();
        device.draws.clear();
        object.draw();
        return device.count(GLCall::DrawArrays);
    }

    CXTextBoxManager manager;
};

// Left, right, bottom and top of a glyph's six vertices, and its texture rectangle.
struct GlyphBox {
    float left, right, bottom, top;
    float uLeft, uRight, vTop, vBottom;
};

GlyphBox boxOf(const BatchVertex* six) {
    GlyphBox box{1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f};
    for (int i = 0; i < 6; ++i) {
        box.left = std::min(box.left, six[i].x);
        box.right = std::max(box.right, six[i].x);
        box.bottom = std::min(box.bottom, six[i].y);
        box.top = std::max(box.top, six[i].y);
        box.uLeft = std::min(box.uLeft, six[i].u);
        box.uRight = std::max(box.uRight, six[i].u);
        box.vTop = std::min(box.vTop, six[i].v);
        box.vBottom = std::max(box.vBottom, six[i].v);
    }
    return box;
}

TEST_F(TextBoxTest, GlyphsShowTheirFontCellsAndALineOfFortyIs320UnitsWideWhateverTheAlignment) {
    loadPool(4);
    show("a", 16).setPosition(10, 20, 0);
    const std::string forty(40, 'W');
    const OXTextBox::Alignment alignments[] = {OXTextBox::AlignLeft, OXTextBox::AlignCentre,
                                               OXTextBox::AlignRight};
    for (int line = 0; line < 3; ++line) {
        show(forty, 16, alignments[line]).setPosition(160, 100.0f * static_cast<float>(line), 0);
    }
    manager.buildBatch();
    ASSERT_EQ(manager.getVertexCount(), (1 + 3 * 40) * 6);

    // Half their size wide, as tall from the baseline; 'a' (97) is in column 1, row 6 of 16 x 16.
    const GlyphBox a = boxOf(glyphVertices(0));
    EXPECT_FLOAT_EQ(a.left, 10.0f);
    EXPECT_FLOAT_EQ(a.right, 18.0f);
    EXPECT_FLOAT_EQ(a.bottom, 20.0f);
    EXPECT_FLOAT_EQ(a.top, 28.0f);
    EXPECT_FLOAT_EQ(a.uLeft, 1.0f / 16.0f);
    EXPECT_FLOAT_EQ(a.uRight, 2.0f / 16.0f);
    EXPECT_FLOAT_EQ(a.vTop, 6.0f / 16.0f);
    EXPECT_FLOAT_EQ(a.vBottom, 7.0f / 16.0f);

    const struct {
        float left, right;
    } expected[3] = {{160, 480}, {0, 320}, {-160, 160}};  // left, centred, right
    for (int line = 0; line < 3; ++line) {
        EXPECT_FLOAT_EQ(boxOf(glyphVertices(1 + line * 40)).left, expected[line].left) << line;
        EXPECT_FLOAT_EQ(boxOf(glyphVertices(1 + line * 40 + 39)).right, expected[line].right) << line;
    }
}

// The font cell each glyph of the batch shows, in order.
std::vector<int> cellsOf(const CXTextBoxManager& manager) {
    std::vector<int> cells;
    for (int i = 0; i < manager.getVertexCount() / 6; ++i) {
        const GlyphBox box = boxOf(manager.getVertices() + 6 * i);
        const int column = static_cast<int>(box.uLeft * 16.0f + 0.5f);
        const int row = static_cast<int>(box.vTop * 16.0f + 0.5f);
        cells.push_back(row * 16 + column);
    }
    return cells;
}

TEST_F(TextBoxTest, UTF8TextDrawsOneGlyphPerLetterInItsLatin1CellAndIsAsWideAsItsGlyphs) {
    loadPool(2);
    // "Zoë Ø ß" and the edges of the Latin-1 cells: U+00A0, U+00FF; U+007B ... U+009F and
    // letters beyond Latin-1 (U+0152, U+20AC, U+1F600) have no cell.
    OXTextBox& name = show("Zo\xC3\xAB \xC3\x98 \xC3\x9F", 16, OXTextBox::AlignRight);
    name.setPosition(100, 0, 0);
    show("\xC2\xA0\xC3\xBF{\xC2\x9F\xC5\x92\xE2\x82\xAC\xF0\x9F\x98\x80");
    manager.buildBatch();
    const std::vector<int> expected = {'Z', 'o', 0xEB, ' ', 0xD8, ' ', 0xDF, 0xA0, 0xFF, 0, 0, 0, 0, 0};
    EXPECT_EQ(cellsOf(manager), expected);
    EXPECT_EQ(name.glyphCount(), 7);
    EXPECT_FLOAT_EQ(name.textWidth(), 7 * 8.0f);
    // Right-aligned by its glyphs, not its bytes: it starts seven glyphs left of its position.
    EXPECT_FLOAT_EQ(boxOf(glyphVertices(0)).left, 100.0f - 7 * 8.0f);
    EXPECT_FLOAT_EQ(boxOf(glyphVertices(6)).right, 100.0f);
}

TEST_F(TextBoxTest, TheControllersButtonShapesDrawTheirOwnGlyphsAndTheirNeighboursDoNot) {
    loadPool(1);
    // "✕ OK ○□△": the cross, circle, square and triangle; then U+2714 and U+25B2, next to two of
    // them, and the control code whose cell the cross borrows, which stay unknown.
    OXTextBox& hint =
        show("\xE2\x9C\x95 OK \xE2\x97\x8B\xE2\x96\xA1\xE2\x96\xB3\xE2\x9C\x94\xE2\x96\xB2\xC2\x80");
    manager.buildBatch();
    const std::vector<int> expected = {128, ' ', 'O', 'K', ' ', 129, 130, 131, 0, 0, 0};
    EXPECT_EQ(cellsOf(manager), expected);
    EXPECT_EQ(hint.glyphCount(), 11);
}

TEST_F(TextBoxTest, MalformedUTF8ShowsCellZeroPerBadByteAndKeepsTheGoodTextAfterIt) {
    loadPool(1);
    const struct {
        std::string text;
        std::vector<int> cells;
    } cases[] = {
        {"A\x80"
         "B",
         {'A', 0, 'B'}},      // a stray continuation byte
        {"A\xC3", {'A', 0}},  // cut short at the end of the text
        {"\xC3"
         "A",
         {0, 'A'}},  // a lead byte without its continuation
        {"\xE2\x82"
         "B",
         {0, 0, 'B'}},                       // three-byte sequence cut short
        {"\xC0\xAF", {0, 0}},                // overlong '/'
        {"\xED\xA0\x80", {0, 0, 0}},         // a surrogate
        {"\xF4\x90\x80\x80", {0, 0, 0, 0}},  // beyond U+10FFFF
        {"\xFF\xFE"
         "\xC3\xA9",
         {0, 0, 0xE9}},  // bytes no sequence starts with, then 'é'
    };
    OXTextBox& box = show("");
    for (const auto& c : cases) {
        box.setText(c.text);
        manager.buildBatch();
        EXPECT_EQ(cellsOf(manager), c.cells) << testing::PrintToString(c.text);
        EXPECT_EQ(box.glyphCount(), static_cast<int>(c.cells.size()));
    }
}

TEST_F(TextBoxTest, ColourIsMultipliedByTheParentsAndPremultipliedByAlpha) {
    loadPool(1);
    IXTransformable button;
    button.load("");
    button.setColour(0.5f, 1.0f, 1.0f, 0.5f);
    OXTextBox& box = show("X");
    box.setColour(1.0f, 0.5f, 0.25f, 0.8f);
    box.setParent(&button);
    manager.buildBatch();
    const BatchVertex& v = glyphVertices(0)[0];
    const float alpha = 0.8f * 0.5f;
    EXPECT_FLOAT_EQ(v.a, alpha);
    EXPECT_FLOAT_EQ(v.r, 0.5f * alpha);
    EXPECT_FLOAT_EQ(v.g, 0.5f * alpha);
    EXPECT_FLOAT_EQ(v.b, 0.25f * alpha);

    // Following the parent's fade: a hidden button hides its label.
    button.setAlpha(0.0f);
    manager.buildBatch();
    EXPECT_FLOAT_EQ(glyphVertices(0)[0].a, 0.0f);
}

TEST_F(TextBoxTest, TheStagePoolHandsOutEachBoxOnceAndTakesItBackWhenHidden) {
    loadPool(3);
    OXTextBox* first = manager.acquire();
    OXTextBox* second = manager.acquire();
    OXTextBox* third = manager.acquire();
    ASSERT_TRUE(first && second && third);
    EXPECT_TRUE(first != second && second != third && first != third);
    testing::internal::CaptureStdout();
    EXPECT_EQ(manager.acquire(), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("RAN OUT OF TEXT BOXES!"), std::string::npos);

    // A box that fades out without keepAlive gives itself back.
    first->setKeepAlive(false);
    first->fadeTo(100.0f, 1.0f, 0.0f);
    manager.tick(60.0f);
    EXPECT_EQ(manager.acquire(), nullptr);
    manager.tick(60.0f);
    EXPECT_EQ(manager.acquire(), first);
}

TEST_F(TextBoxTest, EveryShownBoxOfThePoolIsDrawnInOneCallOfSeparateTriangles) {
    loadPool(10);
    const std::string lines[] = {"SCORE", "0,000,000,000", "1.0x", "12 grazed", "+40 pts"};
    int characters = 0;
    for (const std::string& line : lines) {
        show(line);
        characters += static_cast<int>(line.size());
    }
    show("hidden").setVisible(false);

    EXPECT_EQ(drawsOf(manager), 1);
    EXPECT_EQ(device.draws[0].count, characters * 6);

    for (int i = 0; i < manager.boxCount(); ++i) {
        manager.box(i)->setVisible(false);
    }
    EXPECT_EQ(drawsOf(manager), 0);  // nothing to draw, no call
}

TEST_F(TextBoxTest, ABoxTheBatchHasNoRoomForIsLeftOutAndShorterOnesStillDrawn) {
    loadPool(3);
    show(std::string(3000, 'A'));  // 18000 of 20000 vertices
    show(std::string(400, 'B'));   // 2400 more would not fit
    show("CC");
    manager.buildBatch();
    EXPECT_EQ(manager.getVertexCount(), (3000 + 2) * 6);
    EXPECT_FLOAT_EQ(boxOf(glyphVertices(3000)).uLeft, ('C' % 16) / 16.0f);
}

TEST_F(TextBoxTest, ABoxDrawingItselfIsCutAtTheLastWholeCharacterOfTheSharedArray) {
    OXTextBox box;
    box.load(kFont);
    ASSERT_TRUE(box.hasFont());
    box.setText("HELLO");
    box.tick(0.0f);
    EXPECT_EQ(drawsOf(box), 1);
    EXPECT_EQ(device.draws[0].count, 5 * 6);

    // 0x24000 floats hold 12288 vertices: 2048 whole characters, two-byte letters or not.
    box.setText(std::string(2100, 'A'));
    EXPECT_EQ(drawsOf(box), 1);
    EXPECT_EQ(device.draws[0].count, 2048 * 6);
    std::string accented;
    for (int i = 0; i < 2100; ++i) {
        accented += "\xC3\x89";
    }
    box.setText(accented);
    EXPECT_EQ(drawsOf(box), 1);
    EXPECT_EQ(device.draws[0].count, 2048 * 6);

    box.setText("");
    EXPECT_EQ(drawsOf(box), 0);
}

TEST_F(TextBoxTest, AMissingFontIsReportedByNameAndDrawsNothing) {
    OXTextBox box;
    testing::internal::CaptureStdout();
    box.load("assets/plist/fnt_no_such_font");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("assets/plist/fnt_no_such_font.plist"), std::string::npos) << said;
    EXPECT_FALSE(box.hasFont());
    box.setText("SCORE");
    box.tick(0.0f);
    EXPECT_EQ(drawsOf(box), 0);

    testing::internal::CaptureStdout();
    manager.load("assets/plist/no_such_atlas", 4);
    const std::string managerSaid = testing::internal::GetCapturedStdout();
    EXPECT_NE(managerSaid.find("assets/plist/no_such_atlas.plist"), std::string::npos) << managerSaid;
    show("SCORE");
    EXPECT_EQ(drawsOf(manager), 0);
}

TEST_F(TextBoxTest, RewritingShortTextsAndDrawingAllocateNothing) {
    testfiles::CountingGLDevice counting;  // keeps no list of its draws
    setGLDevice(&counting);
    CXGfxManager::instance().resetCaches();
    loadPool(4);
    OXTextBox& box = show("0,000,000,000");
    OXTextBox own;
    own.load(kFont);
    char line[32];
    auto frame = [&](int n) {
        std::snprintf(line, sizeof line, "%d grazed", n * 37);
        box.setText(line);
        own.setText(line);
        own.tick(16.7f);
        manager.tick(16.7f);
        manager.draw();
        own.draw();
    };
    frame(0);
    const long before = testfiles::allocationCount();
    for (int n = 1; n < 100; ++n) {
        frame(n);
    }
    EXPECT_EQ(testfiles::allocationCount(), before);
    EXPECT_EQ(counting.drawCount, 200);
    setGLDevice(&device);
}

}  // namespace
