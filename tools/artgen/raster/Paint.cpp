#include "raster/Paint.h"

#include <stdexcept>

namespace artgen {

Colour sampleGradient(const std::vector<GradientStop>& stops, float position) {
    if (stops.empty()) {
        throw std::invalid_argument("a gradient needs at least one stop");
    }
    if (position <= stops.front().position) {
        return stops.front().colour;
    }
    for (size_t i = 1; i < stops.size(); ++i) {
        if (position <= stops[i].position) {
            const GradientStop& low = stops[i - 1];
            const GradientStop& high = stops[i];
            const float span = high.position - low.position;
            const float t = span > 0.0f ? (position - low.position) / span : 1.0f;
            const Colour a = low.colour;
            const Colour b = high.colour;
            const float alpha = lerp(a.a, b.a, t);
            if (alpha <= 0.0f) {
                return {0.0f, 0.0f, 0.0f, 0.0f};
            }
            return {lerp(a.r * a.a, b.r * b.a, t) / alpha, lerp(a.g * a.a, b.g * b.a, t) / alpha,
                    lerp(a.b * a.a, b.b * b.a, t) / alpha, alpha};
        }
    }
    return stops.back().colour;
}

Paint linearGradient(Vec2 from, Vec2 to, std::vector<GradientStop> stops) {
    const Vec2 axis = to - from;
    const float lengthSquared = std::max(dot(axis, axis), 1e-6f);
    return Paint([from, axis, lengthSquared, stops = std::move(stops)](Vec2 p) {
        return sampleGradient(stops, dot(p - from, axis) / lengthSquared);
    });
}

Paint radialGradient(Vec2 centre, float radius, std::vector<GradientStop> stops) {
    return Paint([centre, radius, stops = std::move(stops)](Vec2 p) {
        return sampleGradient(stops, length(p - centre) / radius);
    });
}

}  // namespace artgen
