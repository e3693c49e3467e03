// Shapes described by their signed distance: negative inside, positive outside, in pixels.
// Drawing turns the distance into anti-aliased coverage (see Draw.h), and the same distance
// gives outlines, insets and glows of any shape for free.
#pragma once

#include <vector>

#include "raster/Geometry.h"

namespace artgen {

class Shape {
  public:
    virtual ~Shape() = default;
    // Signed distance from p to the shape's edge (exact or a close estimate near the edge).
    virtual float distance(Vec2 p) const = 0;
    // A box holding every point whose distance is <= 0.
    virtual Rect bounds() const = 0;
};

class Circle : public Shape {
  public:
    Circle(Vec2 centre, float radius) : centre_(centre), radius_(radius) {}
    float distance(Vec2 p) const override { return length(p - centre_) - radius_; }
    Rect bounds() const override { return Rect::around(centre_, radius_, radius_); }

  private:
    Vec2 centre_;
    float radius_;
};

// An ellipse with radii (rx, ry), turned by `degrees` about its centre.
class Ellipse : public Shape {
  public:
    Ellipse(Vec2 centre, float rx, float ry, float degrees = 0.0f)
        : centre_(centre), rx_(rx), ry_(ry), degrees_(degrees) {}
    float distance(Vec2 p) const override;
    Rect bounds() const override;

  private:
    Vec2 centre_;
    float rx_;
    float ry_;
    float degrees_;
};

// A closed polygon (either winding; self-intersections fill by the even-odd rule).
class Polygon : public Shape {
  public:
    explicit Polygon(std::vector<Vec2> points);
    float distance(Vec2 p) const override;
    Rect bounds() const override { return bounds_; }

  private:
    std::vector<Vec2> points_;
    Rect bounds_;
};

class RoundedRect : public Shape {
  public:
    RoundedRect(Rect rect, float cornerRadius) : rect_(rect), radius_(cornerRadius) {}
    float distance(Vec2 p) const override;
    Rect bounds() const override { return rect_; }

  private:
    Rect rect_;
    float radius_;
};

// A point of a path; a corner with a radius is rounded off by an arc tangent to both edges.
struct PathCorner {
    Vec2 point;
    float radius = 0.0f;
};

// The path with its rounded corners replaced by arcs (a radius too large for its edges is
// reduced so neighbouring corners never overlap). A closed path ends where it began.
std::vector<Vec2> roundedPath(const std::vector<PathCorner>& corners, bool closed);

// Thick lines with round ends and round joins: the union of capsules around segments.
// Used for polylines, arcs flattened to segments, and the stroke font.
class Strokes : public Shape {
  public:
    explicit Strokes(float width) : halfWidth_(width * 0.5f) {}
    void addSegment(Vec2 a, Vec2 b);
    // Consecutive points joined; `closed` joins the last to the first.
    void addPolyline(const std::vector<Vec2>& points, bool closed = false);
    // An arc of `radius` about `centre` from `fromDegrees` to `toDegrees` (either direction).
    void addArc(Vec2 centre, float radius, float fromDegrees, float toDegrees);
    bool empty() const { return segments_.empty(); }
    float halfWidth() const { return halfWidth_; }
    float distance(Vec2 p) const override;
    Rect bounds() const override;

  private:
    struct Segment {
        Vec2 a;
        Vec2 b;
        Rect box;  // the segment's own extent, for skipping far segments
    };
    float halfWidth_;
    std::vector<Segment> segments_;
};

// A ring or part of one: the band of `width` along a circle of `radius`, from `fromDegrees`
// clockwise to `toDegrees`, with round caps (a whole ring when the sweep is 360).
class Arc : public Shape {
  public:
    Arc(Vec2 centre, float radius, float width, float fromDegrees, float toDegrees);
    float distance(Vec2 p) const override;
    Rect bounds() const override { return Rect::around(centre_, radius_ + halfWidth_, radius_ + halfWidth_); }

  private:
    Vec2 centre_;
    float radius_;
    float halfWidth_;
    float from_;
    float sweep_;
};

// ---- Shapes made from other shapes (they keep references: the parts must outlive them) ----

// The band of `width` centred on another shape's edge.
class Outline : public Shape {
  public:
    Outline(const Shape& shape, float width) : shape_(shape), halfWidth_(width * 0.5f) {}
    float distance(Vec2 p) const override { return std::abs(shape_.distance(p)) - halfWidth_; }
    Rect bounds() const override { return shape_.bounds().expanded(halfWidth_); }

  private:
    const Shape& shape_;
    float halfWidth_;
};

// Another shape grown by `amount` pixels (shrunk when negative).
class Grown : public Shape {
  public:
    Grown(const Shape& shape, float amount) : shape_(shape), amount_(amount) {}
    float distance(Vec2 p) const override { return shape_.distance(p) - amount_; }
    Rect bounds() const override { return shape_.bounds().expanded(std::max(amount_, 0.0f)); }

  private:
    const Shape& shape_;
    float amount_;
};

// `shape` with `cut` taken out of it.
class Difference : public Shape {
  public:
    Difference(const Shape& shape, const Shape& cut) : shape_(shape), cut_(cut) {}
    float distance(Vec2 p) const override { return std::max(shape_.distance(p), -cut_.distance(p)); }
    Rect bounds() const override { return shape_.bounds(); }

  private:
    const Shape& shape_;
    const Shape& cut_;
};

class Union : public Shape {
  public:
    explicit Union(std::vector<const Shape*> parts) : parts_(std::move(parts)) {}
    float distance(Vec2 p) const override;
    Rect bounds() const override;

  private:
    std::vector<const Shape*> parts_;
};

}  // namespace artgen
