// The hangar, high-score, options, control-settings and results screens.
//
//   hangar_buttons.png   168 x 112, 3 x 2 cells of 56 x 56: row 0 the plus button, row 1 the
//                        minus button, each disabled, normal, pressed (the button frames)
//   btn_launch.png       256 x 240, 1 x 3 cells of 256 x 80: "LAUNCH", disabled, normal, pressed
//   btn_hanger_back.png  192 x 192, 1 x 3 cells of 192 x 64: "BACK"
//   rank_badges.png      640 x 256, 5 x 2 cells of 128 x 128: one badge per rank, frame L - 1
//                        for level L, more chevrons and then stars as the rank rises
//   score_labels.png     256 x 288, 1 x 6 cells of 256 x 48: EASY, NORMAL, HARD, EXTREME,
//                        NORMAL PLAY, CASUAL PLAY (the boss-rush rows)
//   slider_track.png     256 x 32: the slider's groove; slider_knob.png 48 x 48: its knob
//   btn_menu_small.png, btn_menu_wide.png: the menu button's sheet (disabled, normal,
//                        pressed) in two more sizes, 170 x 64 and 360 x 60 a look
//   auto_trance_buttons.png  768 x 128, 3 x 2 cells of 256 x 64: "AUTO TRANCE: ON" (row 0)
//                        and "AUTO TRANCE: OFF" (row 1), each disabled, normal, pressed
//   exp_bar.png          512 x 64, 1 x 2 cells of 512 x 32: 0 the bar's frame, 1 its fill
//   level_pips.png       64 x 32, 2 x 1 cells of 32 x 32: 0 an empty level, 1 a bought one
//   menu_row_plate.png   640 x 80: the dark plate behind a row of a menu table

#include <cmath>
#include <string>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "textures/Motifs.h"
#include "textures/ScreenArt.h"

namespace artgen {

namespace {

enum ButtonLook { Disabled = 0, Normal = 1, Pressed = 2 };

// The colours of a button in each look: edge light, body top and bottom, text.
struct LookColours {
    Colour edge;
    Colour top;
    Colour bottom;
    Colour text;
    float glowStrength;
};

LookColours lookColours(int look, Colour accent) {
    switch (look) {
        case Disabled:
            return {Colour::hex(0x5a6670), Colour::hex(0x1a1f26, 0.85f), Colour::hex(0x0c0f14, 0.85f),
                    Colour::hex(0x6c7680), 0.0f};
        case Pressed:
            return {palette::white, mix(accent, palette::white, 0.15f).withAlpha(0.95f),
                    mix(accent, palette::black, 0.35f).withAlpha(0.95f), palette::white, 0.7f};
        default:
            return {accent, Colour::hex(0x123448, 0.9f), Colour::hex(0x060b18, 0.9f), palette::ice, 0.35f};
    }
}

// A rounded plate with a lit edge filling the cell less a margin.
void drawPlate(Canvas& canvas, float margin, float corner, int look, Colour accent) {
    const LookColours colours = lookColours(look, accent);
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const RoundedRect plate(Rect{margin, margin, width - margin, height - margin}, corner);
    if (colours.glowStrength > 0.0f) {
        glow(canvas, plate, colours.edge, margin * 0.9f, colours.glowStrength);
    }
    fill(canvas, plate,
         linearGradient({0.0f, margin}, {0.0f, height - margin},
                        {{0.0f, colours.top}, {1.0f, colours.bottom}}));
    stroke(canvas, plate, 2.0f, colours.edge.withAlpha(look == Disabled ? 0.6f : 0.95f));
    // A thin highlight along the top edge.
    const RoundedRect shine(Rect{margin + corner, margin + 3.0f, width - margin - corner, margin + 5.0f},
                            1.0f);
    fill(canvas, shine, palette::white.withAlpha(look == Disabled ? 0.08f : 0.25f));
}

void drawLabel(Canvas& canvas, const std::string& text, float capHeight, int look, Colour accent,
               Vec2 centre) {
    const LookColours colours = lookColours(look, accent);
    const TextStyle style{capHeight, 0.14f, 0.22f, 0.0f};
    const Strokes strokes = StrokeFont::house().layout(text, style, centre);
    if (look != Disabled) {
        glow(canvas, strokes, accent, capHeight * 0.35f, look == Pressed ? 0.6f : 0.4f);
    }
    fill(canvas, strokes, colours.text);
}

// A text button sheet: one cell per look, top to bottom.
void paintTextButtonSheet(Canvas& canvas, const std::string& text, float capHeight, Colour accent) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 1, 3);
    grid.paintFrames(canvas, 3, [&](Canvas& cell, int look) {
        drawPlate(cell, 8.0f, 12.0f, look, accent);
        const Vec2 centre{cell.width() * 0.5f, cell.height() * 0.5f + (look == Pressed ? 1.5f : 0.0f)};
        drawLabel(cell, text, capHeight, look, accent, centre);
    });
}

// A five-pointed star of outer radius `radius`.
Polygon star(Vec2 centre, float radius) {
    std::vector<Vec2> points;
    for (int i = 0; i < 10; ++i) {
        const float r = i % 2 == 0 ? radius : radius * 0.45f;
        points.push_back(centre + direction(-90.0f + 36.0f * static_cast<float>(i)) * r);
    }
    return Polygon(points);
}

}  // namespace

void paintHangarButtons(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 3, 2);
    const int size = grid.cellWidth();
    const float half = static_cast<float>(size) * 0.5f;
    const float arm = half * 0.4f;
    for (int row = 0; row < 2; ++row) {
        for (int look = 0; look < 3; ++look) {
            Canvas cell(size, size);
            const Colour accent = row == 0 ? palette::cyan : palette::magenta;
            drawPlate(cell, 6.0f, 10.0f, look, accent);
            const Vec2 centre{half, half + (look == Pressed ? 1.0f : 0.0f)};
            Strokes sign(5.0f);
            sign.addSegment(centre + Vec2{-arm, 0.0f}, centre + Vec2{arm, 0.0f});
            if (row == 0) {
                sign.addSegment(centre + Vec2{0.0f, -arm}, centre + Vec2{0.0f, arm});
            }
            const LookColours colours = lookColours(look, accent);
            if (look != Disabled) {
                glow(cell, sign, accent, 9.0f, 0.55f);
            }
            fill(cell, sign, colours.text);
            grid.place(canvas, cell, look, row);
        }
    }
}

void paintLaunchButton(Canvas& canvas, Random& /*random*/) {
    paintTextButtonSheet(canvas, "LAUNCH", 30.0f, palette::magenta);
}

void paintHangarBackButton(Canvas& canvas, Random& /*random*/) {
    paintTextButtonSheet(canvas, "BACK", 22.0f, palette::cyan);
}

void paintRankBadges(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = AtlasGrid::withCellSize(128, 128, 5, 2);
    grid.paintFrames(canvas, 10, [](Canvas& cell, int frame) {
        const Vec2 centre{64.0f, 64.0f};
        // A shield: cyan for the first ranks, violet in the middle, gold at the top.
        const Colour rim = frame < 4 ? palette::cyan : frame < 8 ? palette::violet : Colour::hex(0xffc94a);
        const Polygon shield(
            {{24.0f, 20.0f}, {104.0f, 20.0f}, {104.0f, 70.0f}, {64.0f, 112.0f}, {24.0f, 70.0f}});
        glow(cell, shield, rim, 12.0f, 0.45f);
        fill(cell, shield,
             linearGradient({0.0f, 20.0f}, {0.0f, 112.0f},
                            {{0.0f, Colour::hex(0x16304a)}, {1.0f, Colour::hex(0x070a18)}}));
        stroke(cell, shield, 3.0f, rim);
        // Chevrons count the first ranks; stars the higher ones, over the chevrons.
        const int chevrons = std::min(frame + 1, 3);
        for (int i = 0; i < chevrons; ++i) {
            const float y = 86.0f - static_cast<float>(i) * 12.0f;
            Strokes chevron(5.0f);
            chevron.addPolyline({{42.0f, y - 10.0f}, {64.0f, y}, {86.0f, y - 10.0f}});
            glow(cell, chevron, rim, 6.0f, 0.5f);
            fill(cell, chevron, palette::ice);
        }
        const int stars = std::max(frame - 2, 0);
        for (int i = 0; i < stars; ++i) {
            // Up to seven stars in an arc over the chevrons.
            const float t = stars == 1 ? 0.5f : static_cast<float>(i) / static_cast<float>(stars - 1);
            const float angle = -160.0f + 140.0f * t;
            const Vec2 at = centre + Vec2{0.0f, -10.0f} + direction(angle) * 26.0f;
            const Polygon mark = star(at, stars > 4 ? 6.0f : 7.5f);
            glow(cell, mark, Colour::hex(0xffe08a), 6.0f, 0.6f);
            fill(cell, mark, Colour::hex(0xfff4c8));
        }
        fadeBorders(cell, 3.0f);
    });
}

void paintScoreLabels(Canvas& canvas, Random& /*random*/) {
    static const char* const kLabels[] = {"EASY", "NORMAL", "HARD", "EXTREME", "NORMAL PLAY", "CASUAL PLAY"};
    static const Colour kAccents[] = {Colour::hex(0x56f0a0), palette::cyan, Colour::hex(0xffa040),
                                      palette::magenta,      palette::cyan, palette::violet};
    const AtlasGrid grid = AtlasGrid::withCellSize(256, 48, 1, 6);
    grid.paintFrames(canvas, 6, [](Canvas& cell, int frame) {
        const Colour accent = kAccents[frame];
        const TextStyle style{24.0f, 0.15f, 0.25f, 0.1f};
        const Strokes text = StrokeFont::house().layout(kLabels[frame], style, {16.0f, 24.0f}, Align::Left);
        NeonStyle neon;
        neon.glow = accent;
        neon.haloRadius = 10.0f;
        neon.haloStrength = 0.25f;
        neon.glowRadius = 4.0f;
        neon.glowStrength = 0.5f;
        neon.body = mix(accent, palette::white, 0.55f);
        drawNeon(cell, text, neon);
        fadeBorders(cell, 2.0f);
    });
}

void paintSliderTrack(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const RoundedRect groove(Rect{6.0f, 11.0f, width - 6.0f, 21.0f}, 5.0f);
    glow(canvas, groove, palette::teal, 5.0f, 0.3f);
    fill(canvas, groove,
         linearGradient({6.0f, 0.0f}, {width - 6.0f, 0.0f},
                        {{0.0f, Colour::hex(0x0a2a3a)}, {1.0f, Colour::hex(0x1a4a6a)}}));
    stroke(canvas, groove, 1.5f, palette::cyan.withAlpha(0.7f));
    // Ticks at every tenth.
    for (int i = 0; i <= 10; ++i) {
        const float x = 11.0f + (width - 22.0f) * static_cast<float>(i) / 10.0f;
        Strokes tick(1.5f);
        tick.addSegment({x, 4.0f}, {x, 8.0f});
        tick.addSegment({x, 24.0f}, {x, 28.0f});
        fill(canvas, tick, palette::cyan.withAlpha(i % 5 == 0 ? 0.8f : 0.4f));
    }
}

void paintSliderKnob(Canvas& canvas, Random& /*random*/) {
    const Vec2 centre{24.0f, 24.0f};
    const Circle knob(centre, 14.0f);
    glow(canvas, knob, palette::magenta, 9.0f, 0.6f);
    fill(canvas, knob,
         radialGradient(centre + Vec2{-4.0f, -4.0f}, 16.0f,
                        {{0.0f, palette::pink}, {1.0f, Colour::hex(0x8a1a70)}}));
    stroke(canvas, knob, 2.0f, palette::white.withAlpha(0.9f));
    fadeBorders(canvas, 2.0f);
}

void paintAutoTranceButtons(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = AtlasGrid::withCellSize(256, 64, 3, 2);
    for (int row = 0; row < 2; ++row) {
        for (int look = 0; look < 3; ++look) {
            Canvas cell(256, 64);
            const Colour accent = row == 0 ? palette::magenta : palette::teal;
            drawPlate(cell, 7.0f, 10.0f, look, accent);
            const Vec2 centre{128.0f, 32.0f + (look == Pressed ? 1.0f : 0.0f)};
            drawLabel(cell, row == 0 ? "AUTO TRANCE: ON" : "AUTO TRANCE: OFF", 13.0f, look, accent, centre);
            grid.place(canvas, cell, look, row);
        }
    }
}

void paintExperienceBar(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = AtlasGrid::withCellSize(512, 32, 1, 2);
    grid.paintFrames(canvas, 2, [](Canvas& cell, int frame) {
        const Rect box{6.0f, 6.0f, 506.0f, 26.0f};
        if (frame == 0) {
            const RoundedRect frameShape(box, 6.0f);
            fill(cell, frameShape, Colour::hex(0x050a16, 0.85f));
            glow(cell, Outline(frameShape, 2.0f), palette::cyan, 5.0f, 0.35f);
            stroke(cell, frameShape, 2.0f, palette::cyan);
            return;
        }
        // The fill runs almost edge to edge so it can be stretched from the left; the outermost
        // pixels stay clear, so filtering never pulls in the cell's neighbour.
        const RoundedRect bar(Rect{2.0f, 9.0f, 510.0f, 23.0f}, 2.0f);
        fill(cell, bar,
             linearGradient({0.0f, 0.0f}, {512.0f, 0.0f},
                            {{0.0f, palette::teal}, {0.6f, palette::cyan}, {1.0f, palette::pink}}));
        const RoundedRect shine(Rect{2.0f, 10.0f, 510.0f, 13.0f}, 1.0f);
        fill(cell, shine, palette::white.withAlpha(0.45f));
    });
}

void paintLevelPips(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid = AtlasGrid::withCellSize(32, 32, 2, 1);
    grid.paintFrames(canvas, 2, [](Canvas& cell, int frame) {
        const Polygon diamond({{16.0f, 5.0f}, {27.0f, 16.0f}, {16.0f, 27.0f}, {5.0f, 16.0f}});
        if (frame == 0) {
            fill(cell, diamond, Colour::hex(0x0a1624, 0.8f));
            stroke(cell, diamond, 1.5f, palette::teal.withAlpha(0.6f));
            return;
        }
        glow(cell, diamond, palette::cyan, 5.0f, 0.6f);
        fill(cell, diamond,
             radialGradient({14.0f, 13.0f}, 12.0f, {{0.0f, palette::white}, {1.0f, palette::cyan}}));
        fadeBorders(cell, 1.0f);
    });
}

void paintMenuRowPlate(Canvas& canvas, Random& /*random*/) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const RoundedRect plate(Rect{4.0f, 6.0f, width - 4.0f, height - 6.0f}, 10.0f);
    fill(canvas, plate,
         linearGradient({0.0f, 0.0f}, {width, 0.0f},
                        {{0.0f, Colour::hex(0x0c2638, 0.8f)}, {1.0f, Colour::hex(0x060a18, 0.55f)}}));
    stroke(canvas, plate, 1.5f, palette::teal.withAlpha(0.55f));
    Strokes accent(3.0f);
    accent.addSegment({14.0f, 18.0f}, {14.0f, height - 18.0f});
    glow(canvas, accent, palette::cyan, 5.0f, 0.5f);
    fill(canvas, accent, palette::ice);
}

}  // namespace artgen
