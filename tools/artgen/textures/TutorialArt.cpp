// The tutorial's pictures: one panel per page, each a small drawing of what the page teaches,
// lettered in the house font. The game writes the page's lines, with the player's own keys,
// under the picture.

#include <cmath>
#include <string>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

// The pages' frames, in the order of the atlas (the tutorial screen names the same numbers).
enum TutorialFrame {
    MoveFrame,
    HudFrame,
    BombFrame,
    CounterFrame,
    LaserFrame,
    GrazeFrame,
    TranceFrame,
    ItemFrame,
    kTutorialFrames
};

// Labels are lettered large enough to read on the smallest window (18 pixels of cap height
// here are about 8 on a 640 x 480 screen).
constexpr float kLabelCap = 18.0f;
const Colour kLabel = palette::ice;
const Colour kLeader = palette::cyan.withAlpha(0.7f);
const Colour kGold = Colour::hex(0xffc23a);
const Colour kEnemyRed = Colour::hex(0xff3a4a);
const Colour kEnemyViolet = Colour::hex(0xb04dff);

void label(Canvas& cell, const std::string& text, Vec2 at, Align align = Align::Centre,
           Colour colour = kLabel, float cap = kLabelCap) {
    const TextStyle style{cap, 0.14f, 0.18f, 0.0f};
    const Strokes word = StrokeFont::house().layout(text, style, at, align);
    glow(cell, word, colour, 4.0f, 0.25f);
    fill(cell, word, colour);
}

void leader(Canvas& cell, Vec2 from, Vec2 to) {
    Strokes line(1.5f);
    line.addSegment(from, to);
    fill(cell, line, kLeader);
    fill(cell, Circle(to, 3.0f), palette::cyan);
}

// The player's fighter seen from above, nose up, with its glowing core (the hit box).
void ship(Canvas& cell, Vec2 at, float size = 1.0f) {
    auto p = [&](float x, float y) { return at + Vec2{x * size, y * size}; };
    const Polygon hull({p(0, -26), p(9, -6), p(24, 12), p(22, 18), p(7, 12), p(0, 18), p(-7, 12), p(-22, 18),
                        p(-24, 12), p(-9, -6)});
    glow(cell, hull, palette::cyan, 10.0f * size, 0.35f);
    fill(cell, hull, Colour::hex(0x1b5f7a));
    stroke(cell, hull, 1.5f, palette::ice.withAlpha(0.9f));
    const Circle core(p(0, 2), 4.0f * size);
    glow(cell, core, palette::white, 8.0f * size, 0.9f);
    fill(cell, core, palette::white);
}

// An enemy bullet: saturated, a bright core and a dark rim, as in play.
void bullet(Canvas& cell, Vec2 at, Colour colour, float radius = 7.0f, float opacity = 1.0f) {
    const Circle body(at, radius);
    glow(cell, body, colour, 6.0f, 0.4f * opacity);
    fill(cell, Grown(body, 1.5f), Colour::hex(0x1a0008), Blend::Over, opacity);
    fill(cell, body, colour, Blend::Over, opacity);
    fill(cell, Circle(at, radius * 0.45f), mix(colour, palette::white, 0.75f), Blend::Over, opacity);
}

// The player's shot: pale, a thin upward streak.
void shot(Canvas& cell, Vec2 from, float length) {
    Strokes streak(4.0f);
    streak.addSegment(from, from + Vec2{0.0f, -length});
    fill(cell, streak, palette::ice.withAlpha(0.55f));
}

void orb(Canvas& cell, Vec2 at, float radius) {
    const Circle body(at, radius);
    glow(cell, body, kGold, 10.0f, 0.45f);
    fill(cell, body, mix(kGold, Colour::hex(0xff8a00), 0.3f));
    fill(cell, Circle(at + Vec2{-radius * 0.3f, -radius * 0.3f}, radius * 0.35f), Colour::hex(0xfff2c0));
    drawSparkle(cell, at + Vec2{radius * 0.5f, -radius * 0.6f}, radius * 0.9f, palette::white);
}

void gem(Canvas& cell, Vec2 at, float radius) {
    const Polygon body({at + Vec2{0, -radius}, at + Vec2{radius * 0.8f, -radius * 0.1f}, at + Vec2{0, radius},
                        at + Vec2{-radius * 0.8f, -radius * 0.1f}});
    glow(cell, body, kGold, 10.0f, 0.45f);
    fill(cell, body, mix(kGold, Colour::hex(0xff8a00), 0.35f));
    Strokes facets(1.5f);
    facets.addSegment(at + Vec2{-radius * 0.8f, -radius * 0.1f}, at + Vec2{radius * 0.8f, -radius * 0.1f});
    facets.addSegment(at + Vec2{0, -radius}, at + Vec2{0, radius});
    fill(cell, facets, Colour::hex(0xfff2c0, 0.8f));
    drawSparkle(cell, at + Vec2{radius * 0.4f, -radius * 0.6f}, radius * 0.8f, palette::white);
}

// A gauge: a dark trough filled to `fraction` with `colour`.
void gauge(Canvas& cell, const Rect& trough, float fraction, Colour colour) {
    const float radius = (trough.y1 - trough.y0) * 0.5f;
    const RoundedRect frame(trough, radius);
    fill(cell, frame, Colour::hex(0x04121c, 0.95f));
    if (fraction > 0.0f) {
        const float right = trough.x0 + 2.0f + (trough.x1 - trough.x0 - 4.0f) * fraction;
        const RoundedRect level(Rect{trough.x0 + 2.0f, trough.y0 + 2.0f, right, trough.y1 - 2.0f},
                                radius - 2.0f);
        glow(cell, level, colour, 5.0f, 0.35f);
        fill(cell, level, colour);
    }
    stroke(cell, frame, 1.5f, palette::ice.withAlpha(0.85f));
}

// A key cap with an arrow pointing by `degrees` (0 up, clockwise).
void arrowKey(Canvas& cell, Vec2 at, float degrees) {
    const RoundedRect cap(Rect::around(at, 19.0f, 19.0f), 5.0f);
    fill(cell, cap, Colour::hex(0x0c2434, 0.95f));
    stroke(cell, cap, 1.5f, palette::ice.withAlpha(0.9f));
    const float r = degrees * 3.14159265f / 180.0f;
    auto turn = [&](float x, float y) {
        return at + Vec2{x * std::cos(r) - y * std::sin(r), x * std::sin(r) + y * std::cos(r)};
    };
    fill(cell, Polygon({turn(0, -9), turn(8, 5), turn(-8, 5)}), palette::cyan);
}

void paintMove(Canvas& cell) {
    // The arrow keys on the left, the fighter firing on the right with its core marked.
    const Vec2 keys{130.0f, 140.0f};
    arrowKey(cell, keys + Vec2{0, -22}, 0.0f);
    arrowKey(cell, keys + Vec2{-42, 22}, -90.0f);
    arrowKey(cell, keys + Vec2{0, 22}, 180.0f);
    arrowKey(cell, keys + Vec2{42, 22}, 90.0f);
    label(cell, "MOVE", keys + Vec2{0, 78});
    const Vec2 at{370.0f, 190.0f};
    for (float x : {-12.0f, 0.0f, 12.0f}) {
        for (float y : {40.0f, 95.0f}) {
            shot(cell, at + Vec2{x, -y}, 38.0f);
        }
    }
    ship(cell, at, 1.5f);
    leader(cell, {470.0f, 200.0f}, at + Vec2{6.0f, 3.0f});
    label(cell, "CORE", {482.0f, 200.0f}, Align::Left);
    label(cell, "ONLY THE CORE CAN BE HIT", {280.0f, 262.0f});
}

void paintHud(Canvas& cell) {
    // A small field with the HUD's parts where the game puts them, named outside it.
    const Rect field{190.0f, 16.0f, 370.0f, 284.0f};
    fill(cell, RoundedRect(field, 4.0f), Colour::hex(0x0a1530, 0.95f));
    stroke(cell, RoundedRect(field, 4.0f), 1.5f, palette::deepTeal);
    const Colour digits = palette::ice.withAlpha(0.85f);
    // Top: score and high score, the multiplier plate, the chain, the trance factor.
    fill(cell, RoundedRect(Rect{196, 24, 266, 32}, 2), digits);
    fill(cell, RoundedRect(Rect{300, 24, 364, 32}, 2), digits.withAlpha(0.6f));
    fill(cell, RoundedRect(Rect{196, 40, 226, 54}, 3), palette::teal);
    fill(cell, RoundedRect(Rect{232, 41, 262, 46}, 2), palette::cyan.withAlpha(0.8f));
    fill(cell, RoundedRect(Rect{232, 50, 256, 54}, 2), palette::ice.withAlpha(0.7f));
    fill(cell, RoundedRect(Rect{334, 42, 364, 48}, 2), palette::ice.withAlpha(0.5f));
    // The fighter with its two labels.
    ship(cell, {280.0f, 190.0f}, 0.9f);
    fill(cell, RoundedRect(Rect{246, 198, 262, 204}, 2), Colour::hex(0x7dffb0));
    fill(cell, RoundedRect(Rect{298, 198, 314, 204}, 2), palette::magenta);
    // Bottom: ships, bombs, the beam and trance gauges.
    for (int life = 0; life < 2; ++life) {
        fill(cell,
             Polygon({{200.0f + 12.0f * life, 258.0f},
                      {206.0f + 12.0f * life, 246.0f},
                      {212.0f + 12.0f * life, 258.0f}}),
             palette::ice);
    }
    gauge(cell, Rect{196, 266, 236, 274}, 0.66f, Colour::hex(0x7dffb0));
    gauge(cell, Rect{250, 250, 340, 258}, 0.45f, palette::cyan);
    gauge(cell, Rect{250, 266, 340, 274}, 0.8f, palette::magenta);

    leader(cell, {178, 28}, {196, 28});
    label(cell, "SCORE", {172, 28}, Align::Right);
    leader(cell, {178, 56}, {200, 48});
    label(cell, "MULTIPLIER", {172, 58}, Align::Right);
    leader(cell, {178, 88}, {244, 50});
    label(cell, "CHAIN", {172, 88}, Align::Right);
    leader(cell, {178, 198}, {252, 201});
    label(cell, "BEAM RDY", {172, 198}, Align::Right);
    leader(cell, {178, 244}, {212, 252});
    label(cell, "SHIPS", {172, 242}, Align::Right);
    leader(cell, {178, 272}, {204, 270});
    label(cell, "BOMBS", {172, 272}, Align::Right);

    leader(cell, {382, 28}, {364, 28});
    label(cell, "HI-SCORE", {388, 28}, Align::Left);
    leader(cell, {382, 58}, {350, 45});
    label(cell, "TM FACTOR", {388, 58}, Align::Left);
    leader(cell, {382, 198}, {308, 201});
    label(cell, "TRANCE %", {388, 198}, Align::Left);
    leader(cell, {382, 242}, {330, 254});
    label(cell, "BEAM", {388, 242}, Align::Left);
    leader(cell, {382, 272}, {340, 270});
    label(cell, "TRANCE", {388, 272}, Align::Left);
}

void paintBomb(Canvas& cell) {
    // The bomb's ring sweeping bullets away, the shield around the fighter, the bombs' bar.
    const Vec2 at{200.0f, 160.0f};
    stroke(cell, Circle(at, 92.0f), 6.0f, palette::cyan.withAlpha(0.5f));
    glow(cell, Outline(Circle(at, 92.0f), 6.0f), palette::cyan, 14.0f, 0.4f);
    for (int i = 0; i < 10; ++i) {
        const float a = static_cast<float>(i) * 0.628f;
        bullet(cell, at + Vec2{std::cos(a) * 66.0f, std::sin(a) * 66.0f}, kEnemyRed, 6.0f, 0.25f);
        bullet(cell, at + Vec2{std::cos(a + 0.3f) * 122.0f, std::sin(a + 0.3f) * 122.0f}, kEnemyViolet, 6.0f);
    }
    const Circle shield(at, 34.0f);
    fill(cell, shield, palette::cyan.withAlpha(0.15f));
    stroke(cell, shield, 2.5f, palette::ice.withAlpha(0.9f));
    ship(cell, at, 1.0f);
    leader(cell, {332.0f, 62.0f}, at + Vec2{66.0f, -66.0f});
    label(cell, "BOMB", {340.0f, 62.0f}, Align::Left);
    leader(cell, {270.0f, 150.0f}, at + Vec2{33, -6});
    label(cell, "SHIELD", {360.0f, 150.0f});
    gauge(cell, Rect{340, 214, 500, 230}, 0.66f, Colour::hex(0x7dffb0));
    label(cell, "BOMBS LEFT", {420.0f, 256.0f});
}

void paintCounter(Canvas& cell) {
    // Holding charges; letting go with the gauge past a fifth fires the counter beam.
    const Vec2 at{170.0f, 220.0f};
    const RoundedRect beam(Rect{at.x - 16.0f, 10.0f, at.x + 16.0f, at.y - 24.0f}, 14.0f);
    glow(cell, beam, palette::cyan, 18.0f, 0.6f);
    fill(cell, beam, palette::cyan.withAlpha(0.8f));
    fill(cell, RoundedRect(Rect{at.x - 6.0f, 10.0f, at.x + 6.0f, at.y - 28.0f}, 6.0f), palette::white);
    ship(cell, at, 1.2f);
    label(cell, "COUNTER", {at.x + 30.0f, 60.0f}, Align::Left);
    const Rect trough{300.0f, 150.0f, 520.0f, 168.0f};
    gauge(cell, trough, 0.55f, palette::cyan);
    const float mark = trough.x0 + (trough.x1 - trough.x0) * 0.2f;
    Strokes tick(2.0f);
    tick.addSegment({mark, trough.y0 - 8.0f}, {mark, trough.y1 + 8.0f});
    fill(cell, tick, palette::white);
    label(cell, "BEAM GAUGE", {410.0f, 122.0f});
    label(cell, "20% = RDY", {mark, 198.0f});
}

void paintLaser(Canvas& cell) {
    // Casual play: the beam key held turns the guns into a laser.
    const Vec2 at{280.0f, 220.0f};
    const RoundedRect laser(Rect{at.x - 7.0f, 10.0f, at.x + 7.0f, at.y - 24.0f}, 6.0f);
    glow(cell, laser, palette::magenta, 16.0f, 0.6f);
    fill(cell, laser, palette::pink);
    ship(cell, at, 1.2f);
    label(cell, "LASER", {at.x + 30.0f, 60.0f}, Align::Left);
    bullet(cell, {200.0f, 120.0f}, kEnemyViolet);
    bullet(cell, {360.0f, 90.0f}, kEnemyRed);
}

void paintGraze(Canvas& cell) {
    // Bullets slipping past inside the graze area without touching the core; the chain counts.
    const Vec2 at{250.0f, 160.0f};
    const Circle area(at, 72.0f);
    fill(cell, area, palette::cyan.withAlpha(0.08f));
    for (int dash = 0; dash < 24; ++dash) {
        const float from = static_cast<float>(dash) * 15.0f;
        fill(cell, Arc(at, 72.0f, 2.0f, from, from + 8.0f), palette::cyan.withAlpha(0.8f));
    }
    for (int i = 0; i < 4; ++i) {
        const float y = at.y - 60.0f + 38.0f * static_cast<float>(i);
        bullet(cell, {at.x + 34.0f + 6.0f * static_cast<float>(i % 2), y}, kEnemyRed);
        drawSparkle(cell, {at.x + 22.0f, y + 2.0f}, 7.0f, palette::ice);
    }
    bullet(cell, {at.x - 130.0f, at.y - 40.0f}, kEnemyViolet);
    ship(cell, at, 1.1f);
    label(cell, "12", at + Vec2{-40.0f, 22.0f}, Align::Centre, palette::cyan, 20.0f);
    label(cell, "GRAZE AREA", {at.x, 272.0f});
    leader(cell, {430.0f, 110.0f}, {at.x + 40.0f, at.y - 50.0f});
    label(cell, "GRAZE", {440.0f, 110.0f}, Align::Left);
    leader(cell, {430.0f, 210.0f}, {at.x - 36.0f, at.y + 22.0f});
    label(cell, "CHAIN", {440.0f, 210.0f}, Align::Left);
}

void paintTrance(Canvas& cell) {
    // A full gauge reading RDY, then the trance: the break ring and the strongest guns.
    const Rect trough{40.0f, 134.0f, 220.0f, 152.0f};
    gauge(cell, trough, 1.0f, palette::magenta);
    label(cell, "TRANCE GAUGE", {130.0f, 104.0f});
    label(cell, "RDY", {130.0f, 184.0f}, Align::Centre, palette::magenta, 22.0f);
    const Vec2 at{400.0f, 200.0f};
    for (int ray = -3; ray <= 3; ++ray) {
        Strokes streak(5.0f);
        const float lean = static_cast<float>(ray) * 0.22f;
        streak.addSegment(at + Vec2{0, -30},
                          at + Vec2{std::sin(lean) * 180.0f, -30.0f - std::cos(lean) * 180.0f});
        glow(cell, streak, palette::magenta, 6.0f, 0.35f);
        fill(cell, streak, palette::pink.withAlpha(0.8f));
    }
    glow(cell, Outline(Circle(at, 40.0f), 3.0f), palette::magenta, 12.0f, 0.6f);
    stroke(cell, Circle(at, 40.0f), 3.0f, palette::pink);
    ship(cell, at, 1.1f);
    Strokes arrow(3.0f);
    arrow.addPolyline({{240.0f, 143.0f}, {330.0f, 143.0f}});
    arrow.addPolyline({{318.0f, 133.0f}, {330.0f, 143.0f}, {318.0f, 153.0f}});
    fill(cell, arrow, palette::ice);
}

void paintItems(Canvas& cell) {
    // The two kinds of item and what each fills.
    orb(cell, {140.0f, 110.0f}, 22.0f);
    label(cell, "ORB", {140.0f, 170.0f});
    label(cell, "BEAM GAUGE", {140.0f, 200.0f}, Align::Centre, palette::cyan);
    gem(cell, {420.0f, 110.0f}, 26.0f);
    label(cell, "GEM", {420.0f, 170.0f});
    label(cell, "MULTIPLIER", {420.0f, 200.0f}, Align::Centre, palette::cyan);
    ship(cell, {280.0f, 250.0f}, 0.9f);
    for (float x : {236.0f, 324.0f}) {
        drawSparkle(cell, {x, 228.0f}, 10.0f, kGold);
    }
}

}  // namespace

void paintTutorialPages(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 2, 4);
    grid.paintFrames(canvas, kTutorialFrames, [](Canvas& cell, int frame) {
        const auto width = static_cast<float>(cell.width());
        const auto height = static_cast<float>(cell.height());
        const Colour accent = frame == LaserFrame || frame == TranceFrame ? palette::magenta : palette::cyan;
        const RoundedRect panel(Rect{6.0f, 6.0f, width - 6.0f, height - 6.0f}, 14.0f);
        glow(cell, panel, accent, 6.0f, 0.2f);
        fill(cell, panel, Colour::hex(0x050b16, 0.92f));
        stroke(cell, panel, 2.0f, accent.withAlpha(0.85f));
        switch (frame) {
            case MoveFrame:
                paintMove(cell);
                break;
            case HudFrame:
                paintHud(cell);
                break;
            case BombFrame:
                paintBomb(cell);
                break;
            case CounterFrame:
                paintCounter(cell);
                break;
            case LaserFrame:
                paintLaser(cell);
                break;
            case GrazeFrame:
                paintGraze(cell);
                break;
            case TranceFrame:
                paintTrance(cell);
                break;
            default:
                paintItems(cell);
                break;
        }
        fadeBorders(cell, 3.0f);
    });
}

}  // namespace artgen
