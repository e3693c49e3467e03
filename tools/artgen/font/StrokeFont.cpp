#include "font/StrokeFont.h"

#include <algorithm>
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
constexpr float kMeasure = -1.0f;     // width measured from the strokes, left edge moved to 0

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
        {'M', 0.84f, {open({{0, 0}, {0, 1}, {0.42f, 0.26f}, {0.84f, 1}, {0.84f, 0}})}},
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
        {'#',
         kMeasure,
         {open({{0.04f, 0.66f}, {0.68f, 0.66f}}), open({{0, 0.34f}, {0.64f, 0.34f}}),
          open({{0.28f, 1}, {0.16f, 0}}), open({{0.52f, 1}, {0.4f, 0}})}},
        {'$',
         kMeasure,
         {open({{0.52f, 0.86f},
                R(0, 0.86f, 0.14f),
                R(0, 0.52f, 0.14f),
                R(0.52f, 0.52f, 0.14f),
                R(0.52f, 0.14f, 0.14f),
                {0, 0.14f}}),
          open({{0.26f, 1.08f}, {0.26f, -0.08f}})}},
        {'&',
         kMeasure,
         {open({{0.66f, 0},
                {0.12f, 0.62f},
                R(0.12f, 1, 0.12f),
                R(0.46f, 1, 0.12f),
                R(0.46f, 0.7f, 0.12f),
                {0, 0.36f},
                R(0, 0, 0.14f),
                {0.44f, 0},
                {0.66f, 0.3f}})}},
        {'@',
         kMeasure,
         {open({{0.5f, 0.3f},
                R(0.24f, 0.3f, 0.08f),
                R(0.24f, 0.66f, 0.08f),
                R(0.5f, 0.66f, 0.08f),
                R(0.5f, 0.26f, 0.06f),
                R(0.72f, 0.26f, 0.08f),
                R(0.72f, 1, 0.2f),
                R(0, 1, 0.2f),
                R(0, 0, 0.2f),
                {0.66f, 0}})}},
        {'[', kMeasure, {open({{0.24f, 1.08f}, {0, 1.08f}, {0, -0.08f}, {0.24f, -0.08f}})}},
        {'\\', kMeasure, {open({{0, 1}, {0.5f, 0}})}},
        {']', kMeasure, {open({{0, 1.08f}, {0.24f, 1.08f}, {0.24f, -0.08f}, {0, -0.08f}})}},
        {'^', kMeasure, {open({{0, 0.62f}, {0.26f, 1}, {0.52f, 0.62f}})}},
        {'_', kMeasure, {open({{0, -0.12f}, {0.64f, -0.12f}})}},
        {'`', kMeasure, {open({{0, 1}, {0.16f, 0.8f}})}},
    };
}

// Lower case: x-height kX, ascenders at the cap height, descenders to kDescender; bowls in the
// square-round style of the capitals with smaller corners.
constexpr float kX = StrokeFont::kXHeight;
constexpr float kDescender = StrokeFont::kDescent;
constexpr float kLow = 0.5f;  // width of most lower-case letters
constexpr float kLowRound = 0.17f;
constexpr float kDotY = 0.84f;  // the dots of i and j

PathCorner r(float x, float y) {
    return {{x, y}, kLowRound};
}

std::vector<GlyphDefinition> lowerCaseDefinitions() {
    const float w = kLow;
    const float x = kX;
    const float d = kDescender;
    const StrokeDefinition bowlRight = open({{0, x}, r(w, x), r(w, 0), {0, 0}});  // b, p
    const StrokeDefinition bowlLeft = open({{w, x}, r(0, x), r(0, 0), {w, 0}});   // c, d, g, q
    const StrokeDefinition arch = open({{0, x}, r(w, x), {w, 0}});                // h, n
    return {
        {'a',
         kMeasure,
         {open({{0.04f, x}, r(w, x), {w, 0}}),
          open({{w, 0.32f}, R(0, 0.32f, 0.12f), R(0, 0, 0.12f), {w, 0}})}},
        {'b', kMeasure, {open({{0, 1}, {0, 0}}), bowlRight}},
        {'c', kMeasure, {bowlLeft}},
        {'d', kMeasure, {open({{w, 1}, {w, 0}}), bowlLeft}},
        {'e', kMeasure, {open({{0, x * 0.48f}, {w, x * 0.48f}, r(w, x), r(0, x), r(0, 0), {w, 0}})}},
        {'f', kMeasure, {open({{0.44f, 1}, R(0.14f, 1, 0.16f), {0.14f, 0}}), open({{0, x}, {0.4f, x}})}},
        {'g', kMeasure, {bowlLeft, open({{w, x}, r(w, d), {0.04f, d}})}},
        {'h', kMeasure, {open({{0, 1}, {0, 0}}), arch}},
        {'i', kMeasure, {open({{0, x}, {0.2f, x}, {0.2f, 0}}), open({{0, 0}, {0.4f, 0}}), dot(0.2f, kDotY)}},
        {'j', kMeasure, {open({{0.22f, x}, R(0.22f, d, 0.14f), {0, d}}), dot(0.22f, kDotY)}},
        {'k',
         kMeasure,
         {open({{0, 1}, {0, 0}}), open({{0.46f, x}, {0, 0.2f}}), open({{0.14f, 0.3f}, {0.48f, 0}})}},
        {'l', kMeasure, {open({{0, 1}, R(0, 0, 0.12f), {0.18f, 0}})}},
        {'m',
         kMeasure,
         {open({{0, x}, {0, 0}}), open({{0, x}, R(0.32f, x, 0.13f), {0.32f, 0}}),
          open({{0.32f, x}, R(0.64f, x, 0.13f), {0.64f, 0}})}},
        {'n', kMeasure, {open({{0, x}, {0, 0}}), arch}},
        {'o', kMeasure, {box(0, 0, w, x, kLowRound)}},
        {'p', kMeasure, {open({{0, x}, {0, d}}), bowlRight}},
        {'q', kMeasure, {open({{w, x}, {w, d}}), bowlLeft}},
        {'r', kMeasure, {open({{0, x}, {0, 0}}), open({{0, 0.28f}, R(0, x, 0.2f), {0.4f, x}})}},
        {'s',
         kMeasure,
         {open({{w, x},
                R(0, x, 0.13f),
                R(0, x * 0.5f, 0.13f),
                R(w, x * 0.5f, 0.13f),
                R(w, 0, 0.13f),
                {0, 0}})}},
        {'t', kMeasure, {open({{0.14f, 0.86f}, R(0.14f, 0, 0.14f), {0.42f, 0}}), open({{0, x}, {0.4f, x}})}},
        {'u', kMeasure, {open({{0, x}, r(0, 0), {w, 0}}), open({{w, x}, {w, 0}})}},
        {'v', kMeasure, {open({{0, x}, {0.27f, 0}, {0.54f, x}})}},
        {'w', kMeasure, {open({{0, x}, {0.17f, 0}, {0.36f, 0.42f}, {0.55f, 0}, {0.72f, x}})}},
        {'x', kMeasure, {open({{0, 0}, {w, x}}), open({{0, x}, {w, 0}})}},
        {'y', kMeasure, {open({{0, x}, {0.27f, 0.04f}}), open({{0.54f, x}, {0.1f, d}})}},
        {'z', kMeasure, {open({{0, x}, {w, x}, {0, 0}, {w, 0}})}},
    };
}

// ---- Latin-1: letters composed from a base glyph and a drawn accent ----

enum class Accent { Grave, Acute, Circumflex, Tilde, Diaeresis, Ring, Cedilla };

constexpr float kAccentHeight = 0.13f;  // from the accent's lowest stroke centre to its highest
constexpr float kAccentGap = 0.22f;     // from the base letter's top stroke centre to the accent's lowest
constexpr float kAccentSquash = 0.78f;  // capitals under an accent, so the accent stays inside the cell

StrokeDefinition transformed(StrokeDefinition stroke, float scaleX, float scaleY, float dx, float dy) {
    for (PathCorner& corner : stroke.corners) {
        corner.point = {corner.point.x * scaleX + dx, corner.point.y * scaleY + dy};
        corner.radius *= std::min(std::abs(scaleX), std::abs(scaleY));
    }
    return stroke;
}

GlyphDefinition transformed(const GlyphDefinition& glyph, char character, float scaleX, float scaleY,
                            float dx, float dy) {
    GlyphDefinition result{character, kMeasure, {}};
    for (const StrokeDefinition& stroke : glyph.strokes) {
        result.strokes.push_back(transformed(stroke, scaleX, scaleY, dx, dy));
    }
    return result;
}

// A glyph whose width is kMeasure gets the width of its strokes' centres, moved so they start at 0.
GlyphDefinition measured(GlyphDefinition glyph) {
    if (glyph.width != kMeasure) {
        return glyph;
    }
    float left = 1e9f, right = -1e9f;
    for (const StrokeDefinition& stroke : glyph.strokes) {
        for (const PathCorner& corner : stroke.corners) {
            left = std::min(left, corner.point.x);
            right = std::max(right, corner.point.x);
        }
    }
    if (right < left) {
        glyph.width = 0.0f;
        return glyph;
    }
    glyph = transformed(glyph, glyph.character, 1.0f, 1.0f, -left, 0.0f);
    glyph.width = right - left;
    return glyph;
}

float topOf(const GlyphDefinition& glyph) {
    float top = 0.0f;
    for (const StrokeDefinition& stroke : glyph.strokes) {
        for (const PathCorner& corner : stroke.corners) {
            top = std::max(top, corner.point.y);
        }
    }
    return top;
}

// The accent's strokes, centred on x = centre, its lowest stroke centre at `bottom` (the cedilla
// hangs from the baseline instead).
std::vector<StrokeDefinition> accentStrokes(Accent accent, float centre, float bottom) {
    const float c = centre;
    const float b = bottom;
    const float t = bottom + kAccentHeight;
    switch (accent) {
        case Accent::Grave:
            return {open({{c - 0.1f, t}, {c + 0.07f, b}})};
        case Accent::Acute:
            return {open({{c - 0.07f, b}, {c + 0.1f, t}})};
        case Accent::Circumflex:
            return {open({{c - 0.17f, b}, {c, t}, {c + 0.17f, b}})};
        case Accent::Tilde:
            return {open({{c - 0.22f, b + 0.02f}, {c - 0.1f, t}, {c + 0.1f, b}, {c + 0.22f, t - 0.02f}})};
        case Accent::Diaeresis:
            return {dot(c - 0.15f, b + kAccentHeight * 0.5f), dot(c + 0.15f, b + kAccentHeight * 0.5f)};
        case Accent::Ring:
            return {box(c - 0.13f, b - 0.04f, c + 0.13f, t, 0.12f)};
        case Accent::Cedilla:
            return {open({{c, 0}, {c, -0.1f}, {c + 0.12f, -0.16f}, {c - 0.05f, -0.26f}})};
    }
    return {};
}

// `base` with `accent` above (or the cedilla below). A capital or an ascender is squashed under
// an accent so the pair fits the cell's height.
GlyphDefinition accented(const GlyphDefinition& base, unsigned char code, Accent accent) {
    GlyphDefinition result = measured(base);
    result.character = static_cast<char>(code);
    const float centre = result.width * 0.5f;
    if (accent == Accent::Cedilla) {
        for (StrokeDefinition& stroke : accentStrokes(accent, centre, 0.0f)) {
            result.strokes.push_back(stroke);
        }
    } else {
        // A spacing accent (on a blank) stands where it would over a capital.
        float top = result.strokes.empty() ? 1.0f : topOf(result);
        if (top > kX + 0.1f) {
            result = transformed(result, result.character, 1.0f, kAccentSquash, 0.0f, 0.0f);
            top *= kAccentSquash;
        }
        for (StrokeDefinition& stroke : accentStrokes(accent, centre, top + kAccentGap)) {
            result.strokes.push_back(stroke);
        }
    }
    result.width = kMeasure;
    return measured(result);
}

const GlyphDefinition& find(const std::vector<GlyphDefinition>& glyphs, char character) {
    for (const GlyphDefinition& g : glyphs) {
        if (g.character == character) {
            return g;
        }
    }
    throw std::logic_error("the stroke font composes a letter from a glyph it lacks");
}

std::vector<GlyphDefinition> latin1Definitions(const std::vector<GlyphDefinition>& ascii) {
    const auto base = [&](char c) { return find(ascii, c); };
    const GlyphDefinition dotlessI{
        'i', kMeasure, {open({{0, kX}, {0.2f, kX}, {0.2f, 0}}), open({{0, 0}, {0.4f, 0}})}};
    const GlyphDefinition blank{' ', kMeasure, {}};
    std::vector<GlyphDefinition> glyphs;
    const auto add = [&](unsigned code, GlyphDefinition glyph) {
        glyph.character = static_cast<char>(code);
        glyphs.push_back(measured(std::move(glyph)));
    };
    // The accented letters: code, base letter, accent.
    const struct {
        unsigned code;
        char letter;
        Accent accent;
    } letters[] = {
        {0xC0, 'A', Accent::Grave},      {0xC1, 'A', Accent::Acute},      {0xC2, 'A', Accent::Circumflex},
        {0xC3, 'A', Accent::Tilde},      {0xC4, 'A', Accent::Diaeresis},  {0xC5, 'A', Accent::Ring},
        {0xC7, 'C', Accent::Cedilla},    {0xC8, 'E', Accent::Grave},      {0xC9, 'E', Accent::Acute},
        {0xCA, 'E', Accent::Circumflex}, {0xCB, 'E', Accent::Diaeresis},  {0xCC, 'I', Accent::Grave},
        {0xCD, 'I', Accent::Acute},      {0xCE, 'I', Accent::Circumflex}, {0xCF, 'I', Accent::Diaeresis},
        {0xD1, 'N', Accent::Tilde},      {0xD2, 'O', Accent::Grave},      {0xD3, 'O', Accent::Acute},
        {0xD4, 'O', Accent::Circumflex}, {0xD5, 'O', Accent::Tilde},      {0xD6, 'O', Accent::Diaeresis},
        {0xD9, 'U', Accent::Grave},      {0xDA, 'U', Accent::Acute},      {0xDB, 'U', Accent::Circumflex},
        {0xDC, 'U', Accent::Diaeresis},  {0xDD, 'Y', Accent::Acute},      {0xE0, 'a', Accent::Grave},
        {0xE1, 'a', Accent::Acute},      {0xE2, 'a', Accent::Circumflex}, {0xE3, 'a', Accent::Tilde},
        {0xE4, 'a', Accent::Diaeresis},  {0xE5, 'a', Accent::Ring},       {0xE7, 'c', Accent::Cedilla},
        {0xE8, 'e', Accent::Grave},      {0xE9, 'e', Accent::Acute},      {0xEA, 'e', Accent::Circumflex},
        {0xEB, 'e', Accent::Diaeresis},  {0xEC, 'i', Accent::Grave},      {0xED, 'i', Accent::Acute},
        {0xEE, 'i', Accent::Circumflex}, {0xEF, 'i', Accent::Diaeresis},  {0xF1, 'n', Accent::Tilde},
        {0xF2, 'o', Accent::Grave},      {0xF3, 'o', Accent::Acute},      {0xF4, 'o', Accent::Circumflex},
        {0xF5, 'o', Accent::Tilde},      {0xF6, 'o', Accent::Diaeresis},  {0xF9, 'u', Accent::Grave},
        {0xFA, 'u', Accent::Acute},      {0xFB, 'u', Accent::Circumflex}, {0xFC, 'u', Accent::Diaeresis},
        {0xFD, 'y', Accent::Acute},      {0xFF, 'y', Accent::Diaeresis},
    };
    for (const auto& letter : letters) {
        const GlyphDefinition& from = letter.letter == 'i' ? dotlessI : base(letter.letter);
        glyphs.push_back(accented(from, static_cast<unsigned char>(letter.code), letter.accent));
    }
    // Spacing accents, on a blank.
    glyphs.push_back(accented(blank, 0xA8, Accent::Diaeresis));
    glyphs.push_back(accented(blank, 0xB4, Accent::Acute));
    glyphs.push_back(accented(blank, 0xB8, Accent::Cedilla));
    // Raised small letters and digits.
    for (const auto& raised :
         {std::pair<unsigned, char>{0xAA, 'a'}, {0xBA, 'o'}, {0xB2, '2'}, {0xB3, '3'}, {0xB9, '1'}}) {
        const float top = raised.second >= 'a' ? 1.0f - kX * 0.55f : 0.5f;
        add(raised.first, transformed(measured(base(raised.second)), ' ', 0.55f, 0.5f, 0.0f, top));
    }
    const float w = kLow;
    const float x = kX;
    const float wide = kWidth;
    std::vector<StrokeDefinition> slashedO = base('O').strokes;
    slashedO.push_back(open({{0.04f, -0.06f}, {0.68f, 1.06f}}));
    std::vector<StrokeDefinition> slashedLowO = base('o').strokes;
    slashedLowO.push_back(open({{0, -0.08f}, {w, x + 0.08f}}));
    std::vector<StrokeDefinition> eth = {box(0, 0, w, x, kLowRound),
                                         open({{w, x * 0.5f}, {w, 0.74f}, {0.16f, 1}}),
                                         open({{0.16f, 0.7f}, {0.5f, 0.96f}})};
    const GlyphDefinition thornBowl{
        ' ', kMeasure, {open({{0, 0.8f}, R(wide, 0.8f), R(wide, 0.2f), {0, 0.2f}})}};
    GlyphDefinition d = transformed(base('D'), ' ', 1.0f, 1.0f, 0.14f, 0.0f);
    d.strokes.push_back(open({{0, 0.5f}, {0.42f, 0.5f}}));
    GlyphDefinition pound{' ',
                          kMeasure,
                          {open({{0.52f, 0.92f}, R(0.52f, 1, 0.08f), R(0.14f, 1, 0.18f), {0.14f, 0}}),
                           open({{0, 0}, {0.58f, 0}}), open({{0, 0.5f}, {0.38f, 0.5f}})}};
    GlyphDefinition yen = base('Y');
    yen.strokes.push_back(open({{wide * 0.14f, 0.34f}, {wide * 0.86f, 0.34f}}));
    yen.strokes.push_back(open({{wide * 0.14f, 0.14f}, {wide * 0.86f, 0.14f}}));
    GlyphDefinition micro = base('u');
    micro.strokes.push_back(open({{0, 0}, {0, kDescender}}));
    GlyphDefinition inverted = measured(base('?'));
    inverted = transformed(inverted, ' ', -1.0f, -1.0f, inverted.width, 0.74f);
    add(0xA0, blank);
    add(0xA1, {' ', kMeasure, {dot(0, 0.7f), open({{0, 0.4f}, {0, -0.26f}})}});
    add(0xA2, {' ',
               kMeasure,
               {open({{w, x}, r(0, x), r(0, 0), {w, 0}}), open({{0.26f, x + 0.16f}, {0.26f, -0.16f}})}});
    add(0xA3, pound);
    add(0xA5, yen);
    add(0xA6, {' ', kMeasure, {open({{0, 1.04f}, {0, 0.6f}}), open({{0, 0.36f}, {0, -0.08f}})}});
    add(0xA9, {' ',
               kMeasure,
               {box(0, 0, 0.9f, 1, 0.3f),
                open({{0.62f, 0.7f}, R(0.28f, 0.7f, 0.1f), R(0.28f, 0.3f, 0.1f), {0.62f, 0.3f}})}});
    add(0xAB, {' ',
               kMeasure,
               {open({{0.22f, 0.76f}, {0, 0.5f}, {0.22f, 0.24f}}),
                open({{0.5f, 0.76f}, {0.28f, 0.5f}, {0.5f, 0.24f}})}});
    add(0xAC, {' ', kMeasure, {open({{0, 0.6f}, {0.52f, 0.6f}, {0.52f, 0.36f}})}});
    add(0xAE,
        {' ',
         kMeasure,
         {box(0, 0, 0.9f, 1, 0.3f),
          open({{0.32f, 0.24f}, {0.32f, 0.76f}, R(0.6f, 0.76f, 0.1f), R(0.6f, 0.5f, 0.1f), {0.32f, 0.5f}}),
          open({{0.46f, 0.5f}, {0.62f, 0.24f}})}});
    add(0xAF, {' ', kMeasure, {open({{0, 1.04f}, {0.46f, 1.04f}})}});
    add(0xB0, {' ', kMeasure, {box(0, 0.64f, 0.32f, 1, 0.15f)}});
    add(0xB1, {' ',
               kMeasure,
               {open({{0, 0.62f}, {0.5f, 0.62f}}), open({{0.25f, 0.38f}, {0.25f, 0.86f}}),
                open({{0, 0.1f}, {0.5f, 0.1f}})}});
    add(0xB5, micro);
    add(0xB7, {' ', kMeasure, {dot(0, 0.5f)}});
    add(0xBB, {' ',
               kMeasure,
               {open({{0, 0.76f}, {0.22f, 0.5f}, {0, 0.24f}}),
                open({{0.28f, 0.76f}, {0.5f, 0.5f}, {0.28f, 0.24f}})}});
    add(0xBF, inverted);
    add(0xC6, {' ',
               kMeasure,
               {open({{0, 0}, {0.42f, 1}, {0.86f, 1}}), open({{0.42f, 1}, {0.42f, 0}, {0.86f, 0}}),
                open({{0.42f, 0.52f}, {0.78f, 0.52f}}), open({{0.12f, 0.3f}, {0.42f, 0.3f}})}});
    add(0xD0, d);
    add(0xD7, {' ', kMeasure, {open({{0, 0.28f}, {0.44f, 0.72f}}), open({{0, 0.72f}, {0.44f, 0.28f}})}});
    add(0xD8, {' ', kMeasure, slashedO});
    add(0xDE, {' ', kMeasure, {open({{0, 0}, {0, 1}}), thornBowl.strokes[0]}});
    add(0xDF, {' ',
               kMeasure,
               {open({{0, 0}, R(0, 1, 0.2f), R(0.44f, 1, 0.18f), R(0.44f, 0.62f, 0.14f), {0.18f, 0.62f}}),
                open({{0.18f, 0.62f}, R(0.54f, 0.62f, 0.18f), R(0.54f, 0, 0.18f), {0.16f, 0}})}});
    add(0xE6, {' ',
               kMeasure,
               {open({{0.02f, x}, R(0.4f, x, 0.14f), {0.4f, 0}}),
                open({{0.4f, 0.3f}, R(0, 0.3f, 0.1f), R(0, 0, 0.1f), {0.4f, 0}}),
                open({{0.4f, x * 0.48f}, {0.8f, x * 0.48f}, R(0.8f, x, 0.14f), {0.4f, x}}),
                open({{0.4f, 0}, {0.8f, 0}})}});
    add(0xF0, {' ', kMeasure, eth});
    add(0xF7, {' ', kMeasure, {open({{0, 0.5f}, {0.5f, 0.5f}}), dot(0.25f, 0.78f), dot(0.25f, 0.22f)}});
    add(0xF8, {' ', kMeasure, slashedLowO});
    add(0xFE, {' ', kMeasure, {open({{0, 1}, {0, kDescender}}), open({{0, x}, r(w, x), r(w, 0), {0, 0}})}});
    return glyphs;
}

std::vector<GlyphDefinition> allDefinitions() {
    std::vector<GlyphDefinition> glyphs = glyphDefinitions();
    for (GlyphDefinition& g : lowerCaseDefinitions()) {
        glyphs.push_back(std::move(g));
    }
    for (GlyphDefinition& g : glyphs) {
        g = measured(std::move(g));
    }
    for (GlyphDefinition& g : latin1Definitions(glyphs)) {
        glyphs.push_back(std::move(g));
    }
    return glyphs;
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
    for (const GlyphDefinition& definition : allDefinitions()) {
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
        em += glyph(text[i], text).width * style.stretch;
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
                placed.push_back({left + (penEm + p.x * style.stretch + style.slant * rise) * scale,
                                  anchor.y - rise * scale});
            }
            strokes.addPolyline(placed);
        }
        penEm += g.width * style.stretch + style.weight + style.tracking;
    }
    return strokes;
}

}  // namespace artgen
