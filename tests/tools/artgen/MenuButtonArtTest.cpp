// The menus' buttons as a player sees them: each sheet holds its disabled, normal and pressed
// looks in three bands, the game's white label reads on every look, a press lights the button
// up, a disabled button shows no neon, and no look bleeds into the next when the sheet is cut.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "textures/TextureTable.h"

namespace artgen {
namespace {

const char* const kButtonSheets[] = {"btn_menu.png",       "btn_hud_default.png", "btn_menu_small.png",
                                     "btn_menu_watch.png", "btn_menu_wide.png",   "btn_menu_tab.png",
                                     "btn_menu_row.png"};
constexpr int kDisabled = 0;
constexpr int kNormal = 1;
constexpr int kPressed = 2;

// The relative luminance of a pixel laid over the black screen (its colour is premultiplied).
float luminance(const Pixel& p) {
    const auto linear = [](float c) {
        return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
    };
    return 0.2126f * linear(p.r) + 0.7152f * linear(p.g) + 0.0722f * linear(p.b);
}

struct Band {
    int top;
    int height;
};

float brightestIn(const Canvas& sheet, Band band) {
    float brightest = 0.0f;
    for (int y = band.top; y < band.top + band.height; ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            brightest = std::max(brightest, luminance(sheet.at(x, y)));
        }
    }
    return brightest;
}

// The brightest pixel where the label sits: the middle third across, the middle half down.
float brightestUnderLabel(const Canvas& sheet, Band band) {
    float brightest = 0.0f;
    for (int y = band.top + band.height / 4; y < band.top + band.height * 3 / 4; ++y) {
        for (int x = sheet.width() / 3; x < sheet.width() * 2 / 3; ++x) {
            brightest = std::max(brightest, luminance(sheet.at(x, y)));
        }
    }
    return brightest;
}

TEST(MenuButtonArt, EveryLookIsReadableDistinctAndKeptInsideItsBand) {
    for (const char* name : kButtonSheets) {
        SCOPED_TRACE(name);
        const TextureEntry* entry = findTexture(name);
        ASSERT_NE(entry, nullptr);
        const Canvas sheet = paintTexture(*entry);
        const int bandHeight = sheet.height() / 3;
        const auto band = [&](int look) { return Band{look * bandHeight, bandHeight}; };

        for (int look : {kDisabled, kNormal, kPressed}) {
            // White text needs a contrast of 4.5 to 1 against the body under it.
            const float body = brightestUnderLabel(sheet, band(look));
            EXPECT_GE(1.05f / (body + 0.05f), 4.5f) << "look " << look << " is too bright under its label";
            // The outer pixel row and column of a band stay empty: linear filtering of one look
            // never picks up its neighbour.
            for (int x = 0; x < sheet.width(); ++x) {
                EXPECT_EQ(sheet.at(x, band(look).top).a, 0.0f) << "look " << look << " top row, x " << x;
                EXPECT_EQ(sheet.at(x, band(look).top + bandHeight - 1).a, 0.0f)
                    << "look " << look << " bottom row, x " << x;
            }
            for (int y = band(look).top; y < band(look).top + bandHeight; ++y) {
                EXPECT_EQ(sheet.at(0, y).a, 0.0f) << "look " << look << " left column, y " << y;
                EXPECT_EQ(sheet.at(sheet.width() - 1, y).a, 0.0f)
                    << "look " << look << " right column, y " << y;
            }
        }
        EXPECT_GT(brightestUnderLabel(sheet, band(kPressed)),
                  2.0f * brightestUnderLabel(sheet, band(kNormal)))
            << "a press does not light the button up";
        // The disabled look's rim is a dull grey; the normal look's neon rim shines.
        EXPECT_LT(brightestIn(sheet, band(kDisabled)), 0.5f * brightestIn(sheet, band(kNormal)));
    }
}

}  // namespace
}  // namespace artgen
