// The load blocker's logos, shown centred on black while a stage loads.

#include <string>

#include "raster/Draw.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

constexpr float kWordCap = 40.0f;
constexpr float kTwoCap = 66.0f;
constexpr float kGap = 30.0f;

// "VORTALIS 2" on one line, centred on `centre`.
void drawCompactLogo(Canvas& canvas, Random& random, Vec2 centre) {
    const StrokeFont& font = StrokeFont::house();
    const float wordWidth = font.textWidth("VORTALIS", wordmarkStyle(kWordCap));
    const float twoWidth = titleTwoWidth(kTwoCap);
    const float left = centre.x - (wordWidth + kGap + twoWidth) * 0.5f;
    const Vec2 twoCentre{left + wordWidth + kGap + twoWidth * 0.5f, centre.y - 4.0f};
    const Vec2 orbitCentre = twoCentre + Vec2{0.0f, 8.0f};

    drawOrbit(canvas, orbitCentre, 52.0f, 12.0f, -8.0f, 1.6f, false);
    drawTitleTwo(canvas, twoCentre, kTwoCap);
    drawOrbit(canvas, orbitCentre, 52.0f, 12.0f, -8.0f, 1.6f, true);
    scatterDust(canvas, random, orbitCentre, 52.0f, 12.0f, 8, palette::cyan);
    drawWordmark(canvas, {left + wordWidth * 0.5f, centre.y}, kWordCap);
}

void drawLoadingRule(Canvas& canvas, Vec2 centre, float halfLength) {
    drawStreak(canvas, centre, halfLength, 1.5f, palette::cyan, 0.9f);
}

}  // namespace

void paintLoadLogo(Canvas& canvas, Random& random) {
    drawCompactLogo(canvas, random, {256.0f, 96.0f});
    const Vec2 textCentre{256.0f, 178.0f};
    const TextStyle style{16.0f, 0.14f, 0.7f, 0.0f};
    const Strokes text = StrokeFont::house().layout("LOADING", style, textCentre);
    NeonStyle neon;
    neon.haloRadius = 10.0f;
    neon.haloStrength = 0.2f;
    neon.glowRadius = 3.0f;
    neon.glowStrength = 0.35f;
    drawNeon(canvas, text, neon);
    drawLoadingRule(canvas, {256.0f, 204.0f}, 120.0f);
    fadeBorders(canvas, 8.0f);
}

void paintLoadLogoPc(Canvas& canvas, Random& random) {
    drawCompactLogo(canvas, random, {256.0f, 88.0f});
    // "LOADING" typed out on a row of key caps.
    const std::string word = "LOADING";
    const float key = 30.0f;
    const float gap = 6.0f;
    const float rowWidth = key * static_cast<float>(word.size()) + gap * static_cast<float>(word.size() - 1);
    const float top = 160.0f;
    const TextStyle style{14.0f, 0.15f, 0.0f, 0.0f};
    for (size_t i = 0; i < word.size(); ++i) {
        const float left = 256.0f - rowWidth * 0.5f + static_cast<float>(i) * (key + gap);
        const Rect cap{left, top, left + key, top + key};
        const RoundedRect body(cap, 6.0f);
        const RoundedRect face(Rect{cap.x0 + 3.0f, cap.y0 + 2.0f, cap.x1 - 3.0f, cap.y1 - 6.0f}, 4.0f);
        glow(canvas, body, palette::cyan, 10.0f, 0.12f);
        fill(canvas, body, Colour::hex(0x06202c, 0.85f));
        fill(canvas, face,
             linearGradient({0.0f, cap.y0}, {0.0f, cap.y1},
                            {{0.0f, Colour::hex(0x0f3a4c)}, {1.0f, Colour::hex(0x082432)}}));
        stroke(canvas, body, 1.4f, palette::teal.withAlpha(0.9f));
        stroke(canvas, face, 1.0f, palette::cyan.withAlpha(0.35f));
        const Strokes letter =
            StrokeFont::house().layout(std::string(1, word[i]), style, face.bounds().centre());
        glow(canvas, letter, palette::cyan, 5.0f, 0.4f);
        fill(canvas, letter, palette::ice);
    }
    drawLoadingRule(canvas, {256.0f, 212.0f}, 140.0f);
    fadeBorders(canvas, 8.0f);
}

}  // namespace artgen
