#include "raster/Shapes.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace artgen {

float Ellipse::distance(Vec2 p) const {
    const Vec2 q = rotated(p - centre_, -degrees_);
    // First-order estimate f / |grad f|: exact on the edge, which is all anti-aliasing needs.
    const float k0 = length(Vec2{q.x / rx_, q.y / ry_});
    const float k1 = length(Vec2{q.x / (rx_ * rx_), q.y / (ry_ * ry_)});
    if (k1 <= 0.0f) {
        return -std::min(rx_, ry_);
    }
    return k0 * (k0 - 1.0f) / k1;
}

Rect Ellipse::bounds() const {
    const float c = std::cos(radians(degrees_));
    const float s = std::sin(radians(degrees_));
    const float halfWidth = std::sqrt(rx_ * rx_ * c * c + ry_ * ry_ * s * s);
    const float halfHeight = std::sqrt(rx_ * rx_ * s * s + ry_ * ry_ * c * c);
    return Rect::around(centre_, halfWidth, halfHeight);
}

Polygon::Polygon(std::vector<Vec2> points) : points_(std::move(points)) {
    if (points_.size() < 3) {
        throw std::invalid_argument("a polygon needs at least 3 points");
    }
    bounds_ = {points_[0].x, points_[0].y, points_[0].x, points_[0].y};
    for (const Vec2& point : points_) {
        bounds_ = bounds_.united({point.x, point.y, point.x, point.y});
    }
}

float Polygon::distance(Vec2 p) const {
    float nearest = std::numeric_limits<float>::max();
    bool inside = false;
    for (size_t i = 0, j = points_.size() - 1; i < points_.size(); j = i++) {
        const Vec2 a = points_[i];
        const Vec2 edge = points_[j] - a;
        const Vec2 toP = p - a;
        const float t = clamp01(dot(toP, edge) / dot(edge, edge));
        const Vec2 offset = toP - edge * t;
        nearest = std::min(nearest, dot(offset, offset));
        // Crossing test of a ray towards +x.
        if ((a.y > p.y) != (points_[j].y > p.y) && p.x < a.x + edge.x * (p.y - a.y) / edge.y) {
            inside = !inside;
        }
    }
    const float d = std::sqrt(nearest);
    return inside ? -d : d;
}

float RoundedRect::distance(Vec2 p) const {
    const Vec2 c = rect_.centre();
    const float r = std::min({radius_, rect_.width() * 0.5f, rect_.height() * 0.5f});
    const float qx = std::abs(p.x - c.x) - (rect_.width() * 0.5f - r);
    const float qy = std::abs(p.y - c.y) - (rect_.height() * 0.5f - r);
    const float outside = length(Vec2{std::max(qx, 0.0f), std::max(qy, 0.0f)});
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

namespace {

void appendArc(std::vector<Vec2>& points, Vec2 centre, float radius, float fromRadians, float sweepRadians) {
    constexpr float kStepRadians = kPi / 24.0f;
    const int steps = std::max(2, static_cast<int>(std::ceil(std::abs(sweepRadians) / kStepRadians)));
    for (int i = 0; i <= steps; ++i) {
        const float angle = fromRadians + sweepRadians * static_cast<float>(i) / static_cast<float>(steps);
        points.push_back(centre + Vec2{std::cos(angle), std::sin(angle)} * radius);
    }
}

}  // namespace

std::vector<Vec2> roundedPath(const std::vector<PathCorner>& corners, bool closed) {
    const size_t n = corners.size();
    std::vector<Vec2> points;
    for (size_t i = 0; i < n; ++i) {
        const Vec2 here = corners[i].point;
        const bool hasNeighbours = closed || (i > 0 && i + 1 < n);
        if (corners[i].radius <= 0.0f || !hasNeighbours || n < 3) {
            points.push_back(here);
            continue;
        }
        const Vec2 toBefore = corners[(i + n - 1) % n].point - here;
        const Vec2 toAfter = corners[(i + 1) % n].point - here;
        const Vec2 u1 = normalized(toBefore);
        const Vec2 u2 = normalized(toAfter);
        const float halfAngle = std::acos(std::max(-1.0f, std::min(1.0f, dot(u1, u2)))) * 0.5f;
        if (halfAngle > radians(89.5f)) {
            points.push_back(here);  // a straight run: nothing to round
            continue;
        }
        // An edge is shared with the corner at its other end only when that corner is rounded too.
        auto room = [&](size_t neighbour, Vec2 edge) {
            const bool sharedEdge =
                corners[neighbour].radius > 0.0f && (closed || (neighbour > 0 && neighbour + 1 < n));
            return length(edge) * (sharedEdge ? 0.5f : 1.0f);
        };
        const float tangent = std::min({corners[i].radius / std::tan(halfAngle),
                                        room((i + n - 1) % n, toBefore), room((i + 1) % n, toAfter)});
        const float radius = tangent * std::tan(halfAngle);
        const Vec2 centre = here + normalized(u1 + u2) * (radius / std::sin(halfAngle));
        const Vec2 start = here + u1 * tangent;
        const Vec2 end = here + u2 * tangent;
        const float from = std::atan2(start.y - centre.y, start.x - centre.x);
        float sweep = std::atan2(end.y - centre.y, end.x - centre.x) - from;
        if (sweep > kPi) {
            sweep -= 2.0f * kPi;
        } else if (sweep < -kPi) {
            sweep += 2.0f * kPi;
        }
        appendArc(points, centre, radius, from, sweep);
    }
    if (closed && points.size() > 2) {
        points.push_back(points.front());
    }
    return points;
}

void Strokes::addSegment(Vec2 a, Vec2 b) {
    segments_.push_back(
        {a, b, Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}});
}

void Strokes::addPolyline(const std::vector<Vec2>& points, bool closed) {
    if (points.size() == 1) {
        addSegment(points[0], points[0]);  // a dot
        return;
    }
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        addSegment(points[i], points[i + 1]);
    }
    if (closed && points.size() > 2) {
        addSegment(points.back(), points.front());
    }
}

void Strokes::addArc(Vec2 centre, float radius, float fromDegrees, float toDegrees) {
    // About one segment per 3 pixels of arc keeps the flattening invisible.
    const float sweep = toDegrees - fromDegrees;
    const int steps = std::max(2, static_cast<int>(std::ceil(std::abs(radians(sweep)) * radius / 3.0f)));
    std::vector<Vec2> points;
    for (int i = 0; i <= steps; ++i) {
        const float degrees = fromDegrees + sweep * static_cast<float>(i) / static_cast<float>(steps);
        points.push_back(centre + direction(degrees) * radius);
    }
    addPolyline(points);
}

float Strokes::distance(Vec2 p) const {
    float nearest = std::numeric_limits<float>::max();
    for (const Segment& segment : segments_) {
        if (segment.box.distanceTo(p) >= nearest) {
            continue;
        }
        const Vec2 edge = segment.b - segment.a;
        const float lengthSquared = dot(edge, edge);
        const float t = lengthSquared > 0.0f ? clamp01(dot(p - segment.a, edge) / lengthSquared) : 0.0f;
        nearest = std::min(nearest, length(p - (segment.a + edge * t)));
    }
    return nearest - halfWidth_;
}

Rect Strokes::bounds() const {
    if (segments_.empty()) {
        return {};
    }
    Rect box = segments_[0].box;
    for (const Segment& segment : segments_) {
        box = box.united(segment.box);
    }
    return box.expanded(halfWidth_);
}

Arc::Arc(Vec2 centre, float radius, float width, float fromDegrees, float toDegrees)
    : centre_(centre),
      radius_(radius),
      halfWidth_(width * 0.5f),
      from_(fromDegrees),
      sweep_(toDegrees - fromDegrees) {
    if (sweep_ < 0.0f) {
        from_ = toDegrees;
        sweep_ = -sweep_;
    }
}

float Arc::distance(Vec2 p) const {
    const Vec2 q = p - centre_;
    const float band = std::abs(length(q) - radius_) - halfWidth_;
    if (sweep_ >= 360.0f) {
        return band;
    }
    float degrees = std::atan2(q.y, q.x) * (180.0f / kPi) - from_;
    degrees = std::fmod(degrees, 360.0f);
    if (degrees < 0.0f) {
        degrees += 360.0f;
    }
    if (degrees <= sweep_) {
        return band;
    }
    const Vec2 start = centre_ + direction(from_) * radius_;
    const Vec2 end = centre_ + direction(from_ + sweep_) * radius_;
    return std::min(length(p - start), length(p - end)) - halfWidth_;
}

float Union::distance(Vec2 p) const {
    float nearest = std::numeric_limits<float>::max();
    for (const Shape* part : parts_) {
        nearest = std::min(nearest, part->distance(p));
    }
    return nearest;
}

Rect Union::bounds() const {
    if (parts_.empty()) {
        return {};
    }
    Rect box = parts_[0]->bounds();
    for (const Shape* part : parts_) {
        box = box.united(part->bounds());
    }
    return box;
}

}  // namespace artgen
