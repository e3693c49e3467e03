#include "font/StrokeFont.h"

#include <cmath>
#include <stdexcept>

namespace artgen {

namespace {

struct StrokeDefinition {
    std::vector<PathCorner> corners;
    bool closed = false;
};

struct GlyphDefinition {
    char character;
    float width;
    std::vector<StrokeDefinition> strokes;
};

// Design constants, in em units.
constexpr float kWidth = 0.64f;       // most letters
constexpr float kDigitWidth = 0.58f;  // digits
constexpr float kRound = 0.2f;        // corner radius of the square-round letters
constexpr float kMiddle = 0.52f;      // crossbars
constexpr float kBowl = 0.47f;        // bottom of the bowls of P and R

PathCorner R(float x, float y, float radius = kRound) {
    return {{x, y}, radius};
}

StrokeDefinition open(std::vector<PathCorner> corners) {
    return {std::move(corners), false};
}
StrokeDefinition closed(std::vector<PathCorner> corners) {
    return {std::move(corners), true};
}
StrokeDefinition dot(float x, float y) {
    return {{{x, y}}, false};
}
// A closed box with rounded corners, started on its left side so every corner is rounded.
StrokeDefinition box(float x0, float y0, float x1, float y1, float radius) {
    return closed(
        {{x0, (y0 + y1) * 0.5f}, R(x0, y1, radius), R(x1, y1, radius), R(x1, y0, radius), R(x0, y0, radius)});
}

std::vector<GlyphDefinition> glyphDefinitions() {
    const float w = kWidth;
    const float d = kDigitWidth;
    return {
        {' ', 0.42f, {}},
        {'A', w, {open({{0, 0}, {w / 2, 1}, {w, 0}}), open({{w * 0.17f, 0.34f}, {w * 0.83f, 0.34f}})}},
        {'B',
         w,
         {open({{0, kMiddle}, {0, 1}, R(w - 0.04f, 1), R(w - 0.04f, kMiddle), {0, kMiddle}}),
          open({{0, kMiddle}, R(w, kMiddle), R(w, 0), {0, 0}, {0, kMiddle}})}},
        {'C', w, {open({{w, 1}, R(0, 1), R(0, 0), {w, 0}})}},
        {'D', w, {closed({{0, 0}, {0, 1}, R(w, 1, 0.32f), R(w, 0, 0.32f)})}},
        {'E', w, {open({{w, 1}, {0, 1}, {0, 0}, {w, 0}}), open({{0, kMiddle}, {w * 0.8f, kMiddle}})}},
        {'F', w, {open({{w, 1}, {0, 1}, {0, 0}}), open({{0, kMiddle}, {w * 0.8f, kMiddle}})}},
        {'G', w, {open({{w, 1}, R(0, 1), R(0, 0), R(w, 0), {w, 0.48f}, {w * 0.46f, 0.48f}})}},
        {'H', w, {open({{0, 0}, {0, 1}}), open({{w, 0}, {w, 1}}), open({{0, kMiddle}, {w, kMiddle}})}},
        {'I', 0.0f, {open({{0, 0}, {0, 1}})}},
        {'J', 0.56f, {open({{0.56f, 1}, R(0.56f, 0), R(0, 0), {0, 0.28f}})}},
        {'K', 0.6f, {open({{0, 0}, {0, 1}}), open({{0.6f, 1}, {0, 0.5f}, {0.6f, 0}})}},
        {'L', w * 0.92f, {open({{0, 1}, {0, 0}, {w * 0.92f, 0}})}},
        {'M', 0.8f, {open({{0, 0}, {0, 1}, {0.4f, 0.4f}, {0.8f, 1}, {0.8f, 0}})}},
        {'N', w, {open({{0, 0}, {0, 1}, {w, 0}, {w, 1}})}},
        {'O', 0.72f, {box(0, 0, 0.72f, 1, kRound)}},
        {'P', w, {open({{0, 0}, {0, 1}, R(w, 1), R(w, kBowl), {0, kBowl}})}},
        {'Q', 0.78f, {box(0, 0, 0.72f, 1, kRound), open({{0.46f, 0.2f}, {0.78f, -0.1f}})}},
        {'R',
         w,
         {open({{0, 0}, {0, 1}, R(w, 1), R(w, kBowl), {0, kBowl}}), open({{w * 0.42f, kBowl}, {w, 0}})}},
        {'S', w, {open({{w, 1}, R(0, 1), R(0, kMiddle), R(w, kMiddle), R(w, 0), {0, 0}})}},
        {'T', w, {open({{0, 1}, {w, 1}}), open({{w / 2, 1}, {w / 2, 0}})}},
        {'U', w, {open({{0, 1}, R(0, 0), R(w, 0), {w, 1}})}},
        {'V', 0.66f, {open({{0, 1}, {0.33f, 0}, {0.66f, 1}})}},
        {'W', 0.9f, {open({{0, 1}, {0.2f, 0}, {0.45f, 0.62f}, {0.7f, 0}, {0.9f, 1}})}},
        {'X', w, {open({{0, 0}, {w, 1}}), open({{0, 1}, {w, 0}})}},
        {'Y', w, {open({{0, 1}, {w / 2, 0.48f}, {w, 1}}), open({{w / 2, 0.48f}, {w / 2, 0}})}},
        {'Z', w, {open({{0, 1}, {w, 1}, {0, 0}, {w, 0}})}},
        {'0', d, {box(0, 0, d, 1, kRound), open({{d * 0.3f, 0.3f}, {d * 0.7f, 0.7f}})}},
        {'1', 0.3f, {open({{0, 0.8f}, {0.3f, 1}, {0.3f, 0}})}},
        {'2', d, {open({{0, 1}, R(d, 1), R(d, kMiddle), R(0, kMiddle), {0, 0}, {d, 0}})}},
        {'3', d, {open({{0, 1}, R(d, 1), R(d, 0), {0, 0}}), open({{d * 0.28f, kMiddle}, {d, kMiddle}})}},
        {'4', d, {open({{d * 0.74f, 0}, {d * 0.74f, 1}, {0, 0.34f}, {d, 0.34f}})}},
        {'5', d, {open({{d, 1}, {0, 1}, {0, 0.56f}, R(d, 0.56f), R(d, 0), {0, 0}})}},
        {'6', d, {open({{d, 1}, R(0, 1), R(0, 0), R(d, 0), R(d, 0.56f), {0, 0.56f}})}},
        {'7', d, {open({{0, 1}, {d, 1}, {d * 0.3f, 0}})}},
        {'8', d, {box(0.04f, kMiddle, d - 0.04f, 1, 0.18f), box(0, 0, d, kMiddle, kRound)}},
        {'9', d, {open({{0, 0}, R(d, 0), R(d, 1), R(0, 1), R(0, 0.44f), {d, 0.44f}})}},
        {'.', 0.0f, {dot(0, 0)}},
        {',', 0.08f, {open({{0.08f, 0.06f}, {0, -0.16f}})}},
        {':', 0.0f, {dot(0, 0), dot(0, 0.56f)}},
        {';', 0.08f, {dot(0.08f, 0.56f), open({{0.08f, 0.06f}, {0, -0.16f}})}},
        {'-', 0.4f, {open({{0, kMiddle}, {0.4f, kMiddle}})}},
        {'+', 0.5f, {open({{0, 0.5f}, {0.5f, 0.5f}}), open({{0.25f, 0.25f}, {0.25f, 0.75f}})}},
        {'=', 0.5f, {open({{0, 0.36f}, {0.5f, 0.36f}}), open({{0, 0.64f}, {0.5f, 0.64f}})}},
        {'/', 0.5f, {open({{0, 0}, {0.5f, 1}})}},
        {'!', 0.0f, {open({{0, 1}, {0, 0.3f}}), dot(0, 0)}},
        {'?',
         0.56f,
         {open({{0, 1}, R(0.56f, 1), R(0.56f, kMiddle), R(0.28f, kMiddle, 0.1f), {0.28f, 0.3f}}),
          dot(0.28f, 0)}},
        {'\'', 0.0f, {open({{0, 1}, {0, 0.72f}})}},
        {'"', 0.18f, {open({{0, 1}, {0, 0.72f}}), open({{0.18f, 1}, {0.18f, 0.72f}})}},
        {'(', 0.22f, {open({{0.22f, 1.08f}, R(0, 1.08f), R(0, -0.08f), {0.22f, -0.08f}})}},
        {')', 0.22f, {open({{0, 1.08f}, R(0.22f, 1.08f), R(0.22f, -0.08f), {0, -0.08f}})}},
        {'<', 0.44f, {open({{0.44f, 0.86f}, {0, 0.5f}, {0.44f, 0.14f}})}},
        {'>', 0.44f, {open({{0, 0.86f}, {0.44f, 0.5f}, {0, 0.14f}})}},
        {'%',
         0.64f,
         {box(0, 0.68f, 0.22f, 1, 0.08f), box(0.42f, 0, 0.64f, 0.32f, 0.08f), open({{0, 0}, {0.64f, 1}})}},
        {'*',
         0.5f,
         {open({{0.25f, 0.96f}, {0.25f, 0.44f}}), open({{0.025f, 0.83f}, {0.475f, 0.57f}}),
          open({{0.025f, 0.57f}, {0.475f, 0.83f}})}},
    };
}

std::string describe(char character) {
    const auto code = static_cast<unsigned char>(character);
    if (code >= 0x20 && code < 0x7f) {
        return std::string("'") + character + "'";
    }
    return "character code " + std::to_string(code);
}

}  // namespace

StrokeFont::StrokeFont() {
    for (const GlyphDefinition& definition : glyphDefinitions()) {
        Glyph compiled{definition.character, definition.width, {}};
        for (const StrokeDefinition& stroke : definition.strokes) {
            compiled.polylines.push_back(roundedPath(stroke.corners, stroke.closed));
        }
        glyphs_.push_back(std::move(compiled));
    }
}

const StrokeFont& StrokeFont::house() {
    static const StrokeFont font;
    return font;
}

bool StrokeFont::hasGlyph(char character) const {
    for (const Glyph& g : glyphs_) {
        if (g.character == character) {
            return true;
        }
    }
    return false;
}

std::string StrokeFont::characters() const {
    std::string result;
    for (const Glyph& g : glyphs_) {
        result += g.character;
    }
    return result;
}

const StrokeFont::Glyph& StrokeFont::glyph(char character, const std::string& text) const {
    for (const Glyph& g : glyphs_) {
        if (g.character == character) {
            return g;
        }
    }
    throw std::invalid_argument("the stroke font has no glyph for " + describe(character) + " in \"" + text +
                                "\" (it draws only: " + characters() + ")");
}

float StrokeFont::textWidth(const std::string& text, const TextStyle& style) const {
    if (text.empty()) {
        return 0.0f;
    }
    float em = style.weight;
    for (size_t i = 0; i < text.size(); ++i) {
        em += glyph(text[i], text).width;
        if (i + 1 < text.size()) {
            em += style.weight + style.tracking;
        }
    }
    return em * style.capHeight;
}

Strokes StrokeFont::layout(const std::string& text, const TextStyle& style, Vec2 anchor, Align align) const {
    const float width = textWidth(text, style);
    float left = anchor.x;
    if (align == Align::Centre) {
        left -= width * 0.5f;
    } else if (align == Align::Right) {
        left -= width;
    }
    const float scale = style.capHeight;
    Strokes strokes(style.weight * scale);
    float penEm = style.weight * 0.5f;  // the first stroke's centre sits half a stroke in
    for (char character : text) {
        const Glyph& g = glyph(character, text);
        for (const std::vector<Vec2>& polyline : g.polylines) {
            std::vector<Vec2> placed;
            placed.reserve(polyline.size());
            for (const Vec2& p : polyline) {
                const float rise = p.y - 0.5f;
                placed.push_back(
                    {left + (penEm + p.x + style.slant * rise) * scale, anchor.y - rise * scale});
            }
            strokes.addPolyline(placed);
        }
        penEm += g.width + style.weight + style.tracking;
    }
    return strokes;
}

}  // namespace artgen
