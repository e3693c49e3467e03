// Menu pieces: the plain black backdrop, the selection highlight, the nebula background and the
// dawn nebula of the final credits.

#include <cmath>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "raster/Noise.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

void paintSelectHighlight(Canvas& canvas, Random& /*random*/) {
    // White and grey only: the engine tints it and adds it behind the focused widget.
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const float middle = height * 0.5f;
    shade(canvas, [&](Vec2 p) {
        const float across = p.x / width;
        const float ends = smoothstep(0.0f, 0.32f, across) * smoothstep(1.0f, 0.68f, across);
        const float offset = std::abs(p.y - middle);
        const float core = std::exp(-(offset * offset) / (2.0f * 2.2f * 2.2f));
        const float halo = std::exp(-(offset * offset) / (2.0f * 7.0f * 7.0f));
        const float edge = smoothstep(middle, middle - 3.0f, offset);  // nothing on the top and bottom rows
        const float alpha = ends * edge * (0.7f * core + 0.35f * halo);
        return mix(Colour::hex(0xb8b8b8), palette::white, core).withAlpha(std::min(alpha, 1.0f));
    });
    fadeBorders(canvas, 2.0f);
}

namespace {

constexpr int kNebulaPeriod = 3;  // noise cells across the texture; the texture repeats with it

Colour starColour(Random& random) {
    static const Colour kTints[] = {Colour::hex(0xdff6ff), Colour::hex(0xffffff), Colour::hex(0xfff0dc),
                                    Colour::hex(0xa8e8ff), Colour::hex(0xf2d0ff)};
    return kTints[random.integer(0, 4)];
}

// The colours of a nebula: the space behind it, its gas and its bright wisps, each from a cool
// to a warm shade that the nebula's own slow hue noise blends between.
struct NebulaColours {
    Colour base, coolGas, warmGas, coolWisps, warmWisps;
};

// The menus' nebula: teal and violet over blue-black.
const NebulaColours kMenuNebula{Colour::hex(0x020309), Colour::hex(0x0d5670), Colour::hex(0x4a1a7a),
                                Colour::hex(0x3cc8dc), Colour::hex(0xb03aa8)};
// The vortex closed: the same sky at dawn, ember and gold gas, rose and amber wisps.
const NebulaColours kDawnNebula{Colour::hex(0x080306), Colour::hex(0x843620), Colour::hex(0x8a5c14),
                                Colour::hex(0xff9a5c), Colour::hex(0xffc46a)};

void paintClouds(Canvas& canvas, Random& random, const NebulaColours& colours) {
    const TileableNoise warp(random.next(), kNebulaPeriod, kNebulaPeriod);
    const TileableNoise clouds(random.next(), kNebulaPeriod, kNebulaPeriod);
    const TileableNoise mass(random.next(), 2, 2);
    const TileableNoise hue(random.next(), 2, 2);
    const TileableNoise lanes(random.next(), kNebulaPeriod, kNebulaPeriod);
    const TileableNoise strands(random.next(), kNebulaPeriod * 2, kNebulaPeriod * 2);
    const auto size = static_cast<float>(canvas.width());
    const float scale = static_cast<float>(kNebulaPeriod) / size;
    const float broadScale = 2.0f / size;

    const Colour base = colours.base;
    const Colour coolGas = colours.coolGas;
    const Colour warmGas = colours.warmGas;
    const Colour coolWisps = colours.coolWisps;
    const Colour warmWisps = colours.warmWisps;

    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        // Warped coordinates make the clouds swirl instead of looking like plain noise.
        const float wu = u + 0.6f * warp.fractal(u, v, 4);
        const float wv = v + 0.6f * warp.fractal(u + 1.7f, v + 2.3f, 4);
        // Big regions of gas with empty space between them, shaped by finer billows.
        const float region = smoothstep(-0.55f, 0.45f, mass.fractal(p.x * broadScale, p.y * broadScale, 3));
        const float billows = smoothstep(-0.25f, 0.5f, clouds.fractal(wu, wv, 6, 0.55f));
        const float density = region * billows;
        // Every noise is sampled at a whole multiple of its period per texture, so it tiles.
        const float filaments = std::pow(strands.ridged(wu * 2.0f, wv * 2.0f, 4, 0.5f), 5.0f);
        const float dust = smoothstep(0.0f, 0.5f, lanes.fractal(wu, wv, 5));
        const float warmth = smoothstep(-0.3f, 0.35f, hue.fractal(p.x * broadScale, p.y * broadScale, 3));

        const float clear = 1.0f - 0.8f * dust;
        const float light = density * density * clear * 1.3f;
        const float wisps = filaments * density * clear * 0.9f;
        const Colour gas = mix(coolGas, warmGas, warmth);
        const Colour bright = mix(coolWisps, warmWisps, warmth);
        return Colour{base.r + gas.r * light + bright.r * wisps, base.g + gas.g * light + bright.g * wisps,
                      base.b + gas.b * light + bright.b * wisps, 1.0f};
    });
}

void paintStars(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    // Many faint specks, fewer clear stars, a handful of bright ones with glints.
    for (int i = 0; i < 2600; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const float brightness = std::pow(random.uniform(), 3.0f) * 0.7f + 0.08f;
        const float radius = random.range(0.35f, 0.75f);
        const Colour colour = starColour(random);
        drawWrapped(canvas, at, 2.0f, [&](Vec2 c) {
            fill(canvas, Circle(c, radius), colour.withAlpha(brightness), Blend::Add);
        });
    }
    for (int i = 0; i < 140; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const float radius = random.range(0.7f, 1.2f);
        const Colour colour = starColour(random);
        const float strength = random.range(0.15f, 0.35f);
        drawWrapped(canvas, at, 10.0f, [&](Vec2 c) {
            const Circle star(c, radius);
            glow(canvas, star, colour, radius * 6.0f, strength);
            fill(canvas, star, colour.withAlpha(0.9f), Blend::Add);
        });
    }
    for (int i = 0; i < 5; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const Colour colour = i % 3 == 0 ? palette::pink : palette::ice;
        const float glint = random.range(7.0f, 13.0f);
        const float tilt = random.range(-10.0f, 10.0f);
        drawWrapped(canvas, at, glint * 2.0f,
                    [&](Vec2 c) { drawSparkle(canvas, c, glint, colour.withAlpha(0.75f), tilt); });
    }
}

// A whisper of grain hides banding in the dark gradients.
void addGrain(Canvas& canvas, Random& random) {
    for (Pixel& p : canvas.pixels()) {
        const float grain = (random.uniform() - random.uniform()) * (1.2f / 255.0f);
        p.r = std::max(0.0f, p.r + grain);
        p.g = std::max(0.0f, p.g + grain);
        p.b = std::max(0.0f, p.b + grain);
    }
}

}  // namespace

void paintMenuBackgroundNebula(Canvas& canvas, Random& random) {
    paintClouds(canvas, random, kMenuNebula);
    bloom(canvas, 12.0f, 0.25f, Edges::Wrap);
    paintStars(canvas, random);
    addGrain(canvas, random);
}

void paintMenuBackgroundDawn(Canvas& canvas, Random& random) {
    paintClouds(canvas, random, kDawnNebula);
    bloom(canvas, 16.0f, 0.3f, Edges::Wrap);
    paintStars(canvas, random);
    addGrain(canvas, random);
}

}  // namespace artgen

namespace artgen {

void paintMenuRule(Canvas& canvas, Random& /*random*/) {
    // The lit line under a screen's heading, a quieter cousin of the title's streak.
    const auto width = static_cast<float>(canvas.width());
    const Vec2 centre{width * 0.5f, static_cast<float>(canvas.height()) * 0.5f};
    drawStreak(canvas, centre, width * 0.46f, 2.0f, palette::cyan);
    drawStreak(canvas, centre, width * 0.16f, 2.0f, palette::white, 0.7f);
    drawSparkle(canvas, centre, 9.0f, palette::ice);
    fadeBorders(canvas, 3.0f);
}

void paintMenuCard(Canvas& canvas, Random& /*random*/) {
    // A large choice card in the three looks of a button: disabled, normal, pressed. A glass
    // panel with a cyan rim, a magenta corner accent and a faint band where the caption sits.
    const AtlasGrid grid(canvas.width(), canvas.height(), 1, 3);
    grid.paintFrames(canvas, 3, [](Canvas& cell, int look) {
        const auto width = static_cast<float>(cell.width());
        const auto height = static_cast<float>(cell.height());
        const Rect body{10.0f, 10.0f, width - 10.0f, height - 10.0f};
        const RoundedRect card(body, 16.0f);
        const Colour rim = look == 0 ? Colour::hex(0x5a6670) : look == 2 ? palette::ice : palette::cyan;
        if (look != 0) {
            glow(cell, card, look == 2 ? palette::cyan : palette::teal, 8.0f, look == 2 ? 0.5f : 0.25f);
        }
        const Colour top = look == 2 ? Colour::hex(0x1a6e86, 0.92f) : Colour::hex(0x0b2636, 0.86f);
        const Colour bottom = look == 2 ? Colour::hex(0x0c3a4e, 0.92f) : Colour::hex(0x040a16, 0.86f);
        fill(cell, card, linearGradient({0.0f, body.y0}, {0.0f, body.y1}, {{0.0f, top}, {1.0f, bottom}}));
        stroke(cell, card, 2.0f, rim.withAlpha(look == 0 ? 0.6f : 0.95f));
        if (look != 0) {
            // The corner accents.
            for (float side : {-1.0f, 1.0f}) {
                const float x = side < 0 ? body.x0 + 18.0f : body.x1 - 18.0f;
                Strokes corner(3.0f);
                corner.addSegment({x, body.y0 + 16.0f}, {x + side * -40.0f, body.y0 + 16.0f});
                fill(cell, corner, palette::magenta.withAlpha(0.85f));
            }
            drawStreak(cell, {width * 0.5f, height * 0.62f}, width * 0.38f, 1.5f, palette::cyan, 0.5f);
        }
        fadeBorders(cell, 2.0f);
    });
}

void paintMenuNote(Canvas& canvas, Random& /*random*/) {
    // The panel a note is written on: darker and more solid than a card, so the screen behind
    // it recedes.
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    const RoundedRect panel(Rect{12.0f, 12.0f, width - 12.0f, height - 12.0f}, 18.0f);
    glow(canvas, panel, palette::cyan, 10.0f, 0.3f);
    fill(canvas, panel,
         linearGradient({0.0f, 12.0f}, {0.0f, height - 12.0f},
                        {{0.0f, Colour::hex(0x0a2230, 0.96f)}, {1.0f, Colour::hex(0x03060e, 0.96f)}}));
    stroke(canvas, panel, 2.0f, palette::cyan.withAlpha(0.9f));
    const RoundedRect inner(Rect{20.0f, 20.0f, width - 20.0f, height - 20.0f}, 12.0f);
    stroke(canvas, inner, 1.0f, palette::teal.withAlpha(0.4f));
    drawStreak(canvas, {width * 0.5f, 70.0f}, width * 0.35f, 1.5f, palette::cyan, 0.7f);
    fadeBorders(canvas, 4.0f);
}

}  // namespace artgen
