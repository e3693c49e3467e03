// Pieces for drawing craft seen from above: bevelled metal plates, canopies, lamps, exhaust
// flames, panel lines and battle damage. Craft are drawn nose-up (towards y = 0).
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "raster/Canvas.h"
#include "raster/Paint.h"
#include "raster/Random.h"
#include "raster/Shapes.h"

namespace artgen {

// The part of `shape` that is also inside `clip`.
class Intersection : public Shape {
  public:
    Intersection(const Shape& shape, const Shape& clip) : shape_(shape), clip_(clip) {}
    float distance(Vec2 p) const override { return std::max(shape_.distance(p), clip_.distance(p)); }
    Rect bounds() const override { return shape_.bounds(); }

  private:
    const Shape& shape_;
    const Shape& clip_;
};

// A closed outline from its right half: `rightSide` runs from the nose down to the tail, and
// the same points mirrored about x = `axis` close it on the left.
std::vector<Vec2> mirrored(const std::vector<Vec2>& rightSide, float axis);

// Points on an ellipse, for shapes that must bend with a warped view.
std::vector<Vec2> ellipsePoints(Vec2 centre, float rx, float ry, int count);

// Metal lit from the upper left: flat faces in `base`, the bevelled rim turning towards
// `lit` on the lit side and `shade` on the far side.
struct Metal {
    Colour lit;
    Colour base;
    Colour shade;
    float bevel = 5.0f;  // width of the rounded edge, pixels
    float sheen = 0.0f;  // extra light towards the top of the part (0 to 1)
    Colour rim = palette::white;
    float rimStrength = 0.0f;  // a hairline of `rim` along the lit edge
    float sideShade = 0.0f;    // darkens the right side (+) or the left (-), for banking
    float axis = 64.0f;        // where `sideShade` turns, x
    float span = 64.0f;        // over how many pixels `sideShade` reaches its full value
};
Paint metalPaint(const Shape& shape, const Metal& metal);

// A plate: a dark outline of `outlineWidth` around it, then the bevelled metal.
void drawPlate(Canvas& canvas, const Shape& shape, const Metal& metal, Colour outline,
               float outlineWidth = 1.5f);

// Rounded plates in pairs: each rectangle as given and mirrored about x = `axis`, kept
// inside `within`.
void fillMirroredPlates(Canvas& canvas, std::initializer_list<Rect> plates, float axis, const Shape& within,
                        const Metal& metal);

// Straight lines from (start, end) pairs; the mirrored form adds each one mirrored about
// x = `axis` as well.
using LineList = std::initializer_list<std::pair<Vec2, Vec2>>;
Strokes seamLines(float width, LineList lines);
Strokes mirroredSeamLines(float width, LineList lines, float axis = 64.0f);

// Thin engraved lines (seams, hatches) kept inside `within`.
void drawSeams(Canvas& canvas, const Strokes& seams, const Shape& within, Colour colour);

// A shape painted with `paint`, kept inside `within` (stripes, markings).
void fillInside(Canvas& canvas, const Shape& shape, const Shape& within, const Paint& paint,
                Blend mode = Blend::Over);

// A canopy: dark tinted glass with a bright glint at the upper left.
void drawCanopy(Canvas& canvas, const Shape& glass, Colour tint, Colour glint);

// A small light: a glow of `colour`, a lit lens and a white-hot centre.
void drawLamp(Canvas& canvas, Vec2 centre, float radius, Colour colour, float strength = 1.0f);

// An exhaust flame from `nozzle` pointing down: `length` long, `width` wide at the nozzle,
// white-hot at its root, turning to `colour` and fading out. Light is added.
void drawExhaust(Canvas& canvas, Vec2 nozzle, float width, float length, Colour colour,
                 float strength = 1.0f);

// A faint halo of the craft's side colour all round its silhouette, so it stands out against
// dark space (hostile red, friendly cyan).
void drawHalo(Canvas& canvas, const Shape& silhouette, Colour colour, float radius, float strength);

// Battle damage over a painted craft: scorch marks, glowing cracks and embers, all kept on
// the craft's own pixels; `bites` chunks are torn out of its edge near the given points.
void drawDamage(Canvas& canvas, Random& random, const Rect& area, int scorches,
                const std::vector<Vec2>& bites);

// Glowing cracks over a damaged hull: `count` cracks wander from random points in `area`, edged
// in `soot`, glowing with `heat` round a white-hot `core`, all kept inside `within`.
struct CrackColours {
    Colour soot;
    Colour heat;
    Colour core;
};
void drawHotCracks(Canvas& canvas, Random& random, const Rect& area, int count, const Shape& within,
                   const CrackColours& colours);

// Makes every pixel within `margin` of the canvas edge transparent and softens the next few,
// so linear filtering never pulls a neighbouring cell's art in.
void clearMargin(Canvas& canvas, float margin);

}  // namespace artgen
