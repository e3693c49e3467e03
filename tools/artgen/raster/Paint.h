// What fills a shape: one colour, a gradient, or any function of the position.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "raster/Colour.h"

namespace artgen {

class Paint {
  public:
    // A solid colour converts implicitly, so fill(canvas, shape, palette::cyan) reads naturally.
    Paint(Colour colour) : solid_(colour) {}
    explicit Paint(std::function<Colour(Vec2)> field) : field_(std::move(field)) {}

    Colour at(Vec2 p) const { return field_ ? field_(p) : solid_; }

  private:
    Colour solid_;
    std::function<Colour(Vec2)> field_;
};

struct GradientStop {
    float position;  // 0 to 1 along the gradient
    Colour colour;
};

// Colour between stops sorted by position; interpolated premultiplied, so a fade to a
// transparent stop never darkens towards black.
Colour sampleGradient(const std::vector<GradientStop>& stops, float position);

// From `from` (position 0) to `to` (position 1); constant beyond the ends.
Paint linearGradient(Vec2 from, Vec2 to, std::vector<GradientStop> stops);
// From the centre (position 0) to `radius` (position 1).
Paint radialGradient(Vec2 centre, float radius, std::vector<GradientStop> stops);

}  // namespace artgen
