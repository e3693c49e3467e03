// The fourth stage's backdrop, the battle line: deep green-black space, the capital ships of the
// line passing below in line astern, drifting gun smoke and flak puffs, and the crimson battle
// lamps that flood the scene for the flagship. Everything stays dark (the space's median
// luminance is near stage one's 0.02, the hulls' lit plates well under a bullet's brightness) so
// the bullets remain the brightest things on screen; no layer uses the player's ice blue.
//
//   stage4_space.png   512 x 512, opaque: green-black space with a faint olive haze and dim far
//                      stars; tiles both ways
//   stage4_hulls.png   512 x 512 on transparency: one capital ship bow up down the middle, a gap
//                      astern of it before the next one's bow, so the repeating texture is a
//                      line of ships one behind the other; clear at the sides
//   stage4_smoke.png   512 x 512 on transparency: thin banks of gun smoke and dark flak puffs lit
//                      orange from below; tiles both ways
//   stage4_lamps.png   256 x 256, opaque: a dim crimson, strongest towards the sides of the view,
//                      for an additive layer that turns the scene's light to battle red

#include <cmath>
#include <vector>

#include "raster/Draw.h"
#include "raster/Noise.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"
#include "textures/StageFourKit.h"

namespace artgen {

namespace {

using namespace fleet;

// How bright the backdrop's hulls are lit, against the craft's full light.
constexpr float kHullLight = 0.32f;

// A backdrop turret: a dim round housing and its barrels pointing along `degrees`.
void drawBackdropTurret(Canvas& canvas, Vec2 at, float radius, int barrels, float degrees) {
    const Vec2 along = direction(degrees);
    const Vec2 across{-along.y, along.x};
    Strokes guns(radius * 0.24f);
    for (int i = 0; i < barrels; ++i) {
        const float offset =
            (static_cast<float>(i) - static_cast<float>(barrels - 1) * 0.5f) * radius * 0.36f;
        guns.addSegment(at + across * offset, at + across * offset + along * (radius * 2.0f));
    }
    drawPlate(canvas, guns, dimmed(gunmetal(1.0f), kHullLight * 1.3f), kOutline, 1.0f);
    const Circle housing(at, radius);
    drawPlate(canvas, housing, dimmed(gunmetal(radius * 0.4f), kHullLight * 1.2f), kOutline, 1.5f);
}

// Hull plates over `hull`, each its own shade of the dimmed armour, so the deck reads as a field
// of huge plates; a hatch or a row of vents on some of them.
void drawDeckPlates(Canvas& canvas, Random& random, const Shape& hull, const Rect& area, float plate) {
    const float rowHeight = plate * 0.62f;
    int row = 0;
    for (float y = area.y0; y < area.y1; y += rowHeight, ++row) {
        const float stagger = row % 2 == 0 ? 0.0f : plate * 0.5f;
        for (float x = area.x0 - stagger; x < area.x1; x += plate) {
            const RoundedRect tile({x + 1.0f, y + 1.0f, x + plate - 1.0f, y + rowHeight - 1.0f}, 1.5f);
            const float light = kHullLight * random.range(0.75f, 1.15f);
            fillInside(canvas, tile, hull,
                       metalPaint(tile, dimmed(random.chance(0.25f) ? olive(2.0f) : gunmetal(2.0f), light)));
            const float roll = random.uniform();
            const Vec2 centre = tile.bounds().centre();
            if (roll < 0.12f) {
                const RoundedRect hatch(Rect::around(centre, plate * 0.16f, plate * 0.12f), 1.0f);
                fillInside(canvas, Grown(hatch, 1.0f), hull, kOutline);
                fillInside(canvas, hatch, hull, Colour::hex(0x141614));
            } else if (roll < 0.24f) {
                Strokes vents(1.4f);
                for (float v = -0.2f; v <= 0.21f; v += 0.1f) {
                    vents.addSegment(centre + Vec2{v * plate, -plate * 0.12f},
                                     centre + Vec2{v * plate, plate * 0.12f});
                }
                fillInside(canvas, vents, hull, kOutline.withAlpha(0.8f));
            }
        }
    }
}

// A warship of the line, bow up, centred on x = `c` from `bow` to `stern`. A capital ship has
// main turrets fore and aft, a stepped superstructure and hangar mouths in its flanks; an escort
// (`capital` false) a single turret fore and a small bridge.
void drawLineShip(Canvas& canvas, Random& random, float c, float bow, float stern, float halfWidth,
                  bool capital) {
    const float length = stern - bow;
    const Polygon hull(mirrored({{c, bow},
                                 {c + halfWidth * 0.4f, bow + length * 0.06f},
                                 {c + halfWidth * 0.85f, bow + length * 0.18f},
                                 {c + halfWidth, bow + length * 0.3f},
                                 {c + halfWidth, bow + length * 0.88f},
                                 {c + halfWidth * 0.8f, bow + length * 0.98f},
                                 {c, stern}},
                                c));
    for (float x : {-0.5f, 0.0f, 0.5f}) {
        glow(canvas, Ellipse({c + x * halfWidth, stern - 4.0f}, halfWidth * 0.16f, 4.0f), kGunFlash,
             halfWidth * 0.2f, 0.25f);
    }
    fill(canvas, Grown(hull, 2.0f), kOutline);
    fill(canvas, hull, metalPaint(hull, dimmed(gunmetal(8.0f), kHullLight * 0.8f)));
    drawDeckPlates(canvas, random, Grown(hull, -3.0f), {c - halfWidth, bow, c + halfWidth, stern},
                   capital ? 30.0f : 22.0f);
    // Armour belts along both flanks.
    const Metal belt = dimmed(olive(2.5f), kHullLight * 1.1f);
    for (float y = bow + length * 0.32f; y < bow + length * 0.86f; y += capital ? 24.0f : 18.0f) {
        for (float side : {-1.0f, 1.0f}) {
            const float width = halfWidth * 0.14f;
            const float x0 = side > 0.0f ? c + halfWidth - width - 2.0f : c - halfWidth + 2.0f;
            const RoundedRect plate({x0, y, x0 + width, y + (capital ? 20.0f : 14.0f)}, 1.5f);
            drawPlate(canvas, Intersection(plate, hull), belt, kOutline, 1.0f);
        }
    }
    const float mid = bow + length * (capital ? 0.52f : 0.5f);
    if (capital) {
        // Hangar mouths in both flanks: dark bays lit amber from inside.
        for (float y : {mid - 4.0f, mid + 34.0f}) {
            for (float side : {-1.0f, 1.0f}) {
                const float x0 = side > 0.0f ? c + halfWidth * 0.6f : c - halfWidth * 0.6f - 12.0f;
                const RoundedRect bay({x0, y, x0 + 12.0f, y + 26.0f}, 2.0f);
                fill(canvas, Grown(bay, 1.5f), kOutline);
                fill(canvas, bay,
                     linearGradient({x0, y}, {x0, y + 26.0f},
                                    {{0.0f, Colour::hex(0x070504)}, {1.0f, Colour::hex(0x2a1608)}}));
                glow(canvas, Grown(bay, -4.0f), kDeckLight, 5.0f, 0.2f);
            }
        }
    }
    // The superstructure amidships, stepped, a crimson lamp on its crown.
    const int steps = capital ? 3 : 2;
    const float blockHalf = halfWidth * (capital ? 0.4f : 0.5f);
    const float blockLength = length * (capital ? 0.2f : 0.22f);
    for (int step = 0; step < steps; ++step) {
        const float inset = blockHalf * 0.28f * static_cast<float>(step);
        const RoundedRect block({c - blockHalf + inset, mid - blockLength * 0.5f + inset,
                                 c + blockHalf - inset, mid + blockLength * 0.5f - inset},
                                3.0f);
        drawPlate(canvas, block, dimmed(step % 2 == 0 ? olive(3.0f) : gunmetal(3.0f), kHullLight * 1.2f),
                  kOutline, 1.2f);
    }
    fill(canvas, RoundedRect({c - blockHalf * 0.7f, mid - 2.0f, c + blockHalf * 0.7f, mid + 1.0f}, 1.0f),
         dimmed(gunmetal(), 0.5f).base);
    fill(canvas, Circle({c, mid - blockLength * 0.2f}, 1.4f), kBattleLamp.withAlpha(0.6f), Blend::Add);
    // Turrets: triple mains fore and aft on a capital ship, one twin mount fore on an escort.
    const float turret = halfWidth * (capital ? 0.22f : 0.3f);
    if (capital) {
        for (float at : {0.17f, 0.28f}) {
            drawBackdropTurret(canvas, {c, bow + length * at}, turret, 3, -90.0f);
        }
        for (float at : {0.87f, 0.76f}) {
            drawBackdropTurret(canvas, {c, bow + length * at}, turret, 3, 90.0f);
        }
        for (float at : {0.36f, 0.7f}) {
            for (float side : {-1.0f, 1.0f}) {
                drawBackdropTurret(canvas, {c + side * halfWidth * 0.62f, bow + length * at},
                                   halfWidth * 0.1f, 2, side > 0.0f ? -20.0f : -160.0f);
            }
        }
    } else {
        drawBackdropTurret(canvas, {c, bow + length * 0.24f}, turret, 2, -90.0f);
        drawBackdropTurret(canvas, {c, bow + length * 0.8f}, turret * 0.8f, 2, 90.0f);
    }
    // Deck lights along both edges and across the bow: tiny, amber, dim.
    for (float y = bow + length * 0.22f; y < stern - 10.0f; y += 16.0f) {
        for (float side : {-1.0f, 1.0f}) {
            fill(canvas, Circle({c + side * (halfWidth - 4.0f), y}, 1.1f), kDeckLight.withAlpha(0.45f),
                 Blend::Add);
        }
    }
    for (float x = -0.5f; x <= 0.51f; x += 0.25f) {
        fill(canvas, Circle({c + x * halfWidth, bow + length * 0.12f}, 1.0f), kDeckLight.withAlpha(0.35f),
             Blend::Add);
    }
    fill(canvas, Circle({c, bow + 7.0f}, 1.4f), kBattleLamp.withAlpha(0.6f), Blend::Add);
}

}  // namespace

void paintStageFourSpace(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise warp(random.next(), kPeriod, kPeriod);
    const TileableNoise haze(random.next(), kPeriod, kPeriod);
    const TileableNoise mass(random.next(), 2, 2);
    const auto size = static_cast<float>(canvas.width());
    const float scale = static_cast<float>(kPeriod) / size;
    const float broad = 2.0f / size;
    const Colour base = Colour::hex(0x010302);
    const Colour green = Colour::hex(0x0c2014);
    const Colour olivine = Colour::hex(0x1a1e0a);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale;
        const float wu = u + 0.5f * warp.fractal(u, v, 4);
        const float wv = v + 0.5f * warp.fractal(u + 3.1f, v + 1.3f, 4);
        const float region = smoothstep(-0.5f, 0.6f, mass.fractal(p.x * broad, p.y * broad, 3));
        const float cloud = smoothstep(-0.3f, 0.7f, haze.fractal(wu, wv, 5, 0.55f));
        const float light = region * cloud * cloud;
        const float tint = smoothstep(0.2f, 0.8f, region);
        return Colour{base.r + mix(green, olivine, tint).r * light,
                      base.g + mix(green, olivine, tint).g * light,
                      base.b + mix(green, olivine, tint).b * light, 1.0f};
    });
    // Far stars, dim; a few warm ones are the lights of far ships.
    for (int i = 0; i < 420; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const float brightness = std::pow(random.uniform(), 3.0f) * 0.35f + 0.05f;
        const Colour tint = random.chance(0.25f) ? kDeckLight : Colour::hex(0xe8f0dc);
        drawWrapped(canvas, at, 2.0f,
                    [&](Vec2 c) { fill(canvas, Circle(c, 0.55f), tint.withAlpha(brightness), Blend::Add); });
    }
}

void paintStageFourHulls(Canvas& canvas, Random& random) {
    // A capital ship, 376 of the 512 pixels long, left of the middle; the rest of the length is
    // the gap before the next ship of the line. Beside it, to the right, a column of escorts.
    // Each is drawn whole inside the texture, so copies meet only across the gaps.
    drawLineShip(canvas, random, 214.0f, 24.0f, 400.0f, 72.0f, true);
    drawLineShip(canvas, random, 398.0f, 40.0f, 214.0f, 32.0f, false);
    drawLineShip(canvas, random, 398.0f, 284.0f, 458.0f, 32.0f, false);
    clearMargin(canvas, 1.0f);
}

void paintStageFourSmoke(Canvas& canvas, Random& random) {
    constexpr int kPeriod = 4;
    const TileableNoise warp(random.next(), kPeriod, kPeriod);
    const TileableNoise banks(random.next(), kPeriod, kPeriod);
    const auto size = static_cast<float>(canvas.width());
    const float scale = static_cast<float>(kPeriod) / size;
    const Colour smoke = Colour::hex(0x2a2c24);
    shadeInParallel(canvas, [&](Vec2 p) {
        const float u = p.x * scale;
        const float v = p.y * scale * 0.5f;  // banks drawn out along the line's course
        const float wu = u + 0.7f * warp.fractal(u, v, 3);
        const float wv = v + 0.7f * warp.fractal(u + 5.2f, v + 2.4f, 3);
        const float density = smoothstep(0.05f, 0.7f, banks.fractal(wu, wv, 5, 0.55f));
        return smoke.withAlpha(0.45f * density);
    });
    // Flak puffs: dark balls of smoke, the underside lit orange by the burst; a few fresh ones
    // still glow at the heart.
    for (int i = 0; i < 16; ++i) {
        const Vec2 at{random.range(0.0f, size), random.range(0.0f, size)};
        const float radius = random.range(9.0f, 20.0f);
        const bool fresh = i < 4;
        std::vector<Vec2> lobes;
        for (int lobe = 0; lobe < 5; ++lobe) {
            lobes.push_back(direction(random.range(0.0f, 360.0f)) *
                            random.range(radius * 0.2f, radius * 0.6f));
        }
        drawWrapped(canvas, at, radius * 2.0f, [&](Vec2 c) {
            for (const Vec2 lobe : lobes) {
                const Vec2 centre = c + lobe;
                fill(canvas, Circle(centre, radius * 0.7f),
                     radialGradient(centre, radius * 0.7f,
                                    {{0.0f, Colour::hex(0x141410, 0.8f)},
                                     {0.7f, Colour::hex(0x181a14, 0.55f)},
                                     {1.0f, Colour::hex(0x181a14, 0.0f)}}));
            }
            fill(canvas, Ellipse(c + Vec2{0.0f, radius * 0.35f}, radius * 0.8f, radius * 0.45f),
                 radialGradient(c + Vec2{0.0f, radius * 0.35f}, radius * 0.8f,
                                {{0.0f, kGunFlash.withAlpha(0.13f)}, {1.0f, kGunFlash.withAlpha(0.0f)}}),
                 Blend::Add);
            if (fresh) {
                glow(canvas, Circle(c, radius * 0.15f), kGunFlash, radius * 0.6f, 0.22f);
                fill(canvas, Circle(c, radius * 0.12f), Colour::hex(0xffc070, 0.28f), Blend::Add);
            }
        });
    }
}

void paintStageFourLamps(Canvas& canvas, Random& random) {
    const auto size = static_cast<float>(canvas.width());
    const TileableNoise sweep(random.next(), 4, 4);
    shade(canvas, [&](Vec2 p) {
        // The view shows the middle of the layer: the light is strongest near its sides.
        const float side = clamp01(std::fabs(p.x / size - 0.5f) / 0.28f);
        const float fromTop = clamp01(p.y / size);
        const float shimmer = 0.85f + 0.15f * sweep.fractal(p.x * 4.0f / size, p.y * 4.0f / size, 3);
        const float strength = (0.3f + 0.5f * side * side + 0.3f * (1.0f - fromTop)) * shimmer;
        return Colour{0.11f * strength, 0.008f * strength, 0.014f * strength, 1.0f};
    });
}

}  // namespace artgen
