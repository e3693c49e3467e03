// How the stage's camera frames the play field, and where the ship may fly so
// that all of it, with its gauge labels, stays in what the player sees.
//
// The field is 480 units high and the camera pans across 440 units of it
// (-60 ... 380): the view, 360 units wide in 4:3 and 270 in 16:9, follows the
// ship's x by a fraction (the pan width over the field width) of its move.
// The ship's own x range is where that follow still shows the ship whole.
#pragma once

#include <algorithm>

namespace framing {

constexpr float kFieldHeight = 480.0f;
constexpr float kFieldLeft = -60.0f;   // the span the camera pans across, -60 ... 380
constexpr float kFieldWidth = 440.0f;  //
// The ship's gauge labels ("CHR"/"RDY" on the left, the trance percent on the
// right) sit this far beside its centre, a little below it; three 8-unit
// glyphs wide at most.
constexpr float kGaugeLabelSide = 18.0f;
constexpr float kGaugeLabelWidth = 26.0f;
// Half the ship's drawn width with its gauge labels beside it, and half its
// height (the fighter is 27 units tall, its labels inside that).
constexpr float kShipHalfWidth = kGaugeLabelSide + kGaugeLabelWidth;
constexpr float kShipHalfHeight = 16.0f;
// The HUD's bottom rows end 36 units up and its top rows start at 414: the
// ship's centre (where it is hit) stays between them, so it is never hit
// where the player cannot see it, and at the bottom its labels (12 units
// below its centre, 8 high) stay clear of the bottom rows' text. The top
// row dims when the ship's nose flies under it.
constexpr float kLowestShipY = 52.0f;
constexpr float kHighestShipY = 410.0f;

struct Layout {
    float viewWidth;  // units across the screen
    float panWidth;   // how far the view pans over the whole field
    float panOffset;
};
constexpr Layout kNarrow{360.0f, 90.0f, 115.0f};  // 4:3
constexpr Layout kWide{270.0f, 170.0f, 75.0f};    // 16:9

inline const Layout& layoutFor(bool wide) {
    return wide ? kWide : kNarrow;
}

// The camera's x when it follows `targetX`.
inline float cameraX(const Layout& layout, float targetX) {
    return (layout.viewWidth * 0.5f + ((targetX - kFieldLeft) / kFieldWidth) * layout.panWidth +
            layout.panOffset) *
           0.5f;
}

// The follow moves the camera by this much per unit the ship moves.
inline float followRate(const Layout& layout) {
    return layout.panWidth / kFieldWidth * 0.5f;
}

// The ship's leftmost and rightmost x: there the camera, following, still
// shows kShipHalfWidth units beside it.
inline float shipMinX(const Layout& layout) {
    return (cameraX(layout, 0.0f) - layout.viewWidth * 0.5f + kShipHalfWidth) / (1.0f - followRate(layout));
}
inline float shipMaxX(const Layout& layout) {
    return (cameraX(layout, 0.0f) + layout.viewWidth * 0.5f - kShipHalfWidth) / (1.0f - followRate(layout));
}
inline float shipMinY() {
    return std::max(kLowestShipY, kShipHalfHeight);
}
inline float shipMaxY() {
    return std::min(kHighestShipY, kFieldHeight - kShipHalfHeight);
}

// The camera's x for `targetX` (which leads the ship as it moves), kept
// where the whole ship at `shipX` is in view.
inline float cameraXShowing(const Layout& layout, float targetX, float shipX) {
    const float half = layout.viewWidth * 0.5f;
    return std::clamp(cameraX(layout, targetX), shipX + kShipHalfWidth - half, shipX - kShipHalfWidth + half);
}

}  // namespace framing
