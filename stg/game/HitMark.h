#pragma once

#include <memory>
#include <string>

#include "engine/Vector.h"

class OXSprite;
class OXTextBox;
struct ReplayHit;

// The mark over a frozen field that shows what hit the ship: a ring around where the bullet,
// beam or hull was, pulsing gently, and the attack's name beside it on a dark strip, kept
// inside the part of the field in view. Its sprites are made the first time it is shown, so a
// game that never shows one loads nothing for it. Drawn by the game scene over everything.
class HitMark {
  public:
    // Lime: no bullet, ring or ship of the game is drawn in it, and it is not white.
    static constexpr Colour kTint{0.55f, 1.0f, 0.2f, 1.0f};
    static constexpr int kLabelSize = 24;         // the overlays' smallest text size
    static constexpr float kLeastRadius = 14.0f;  // units, around a point or a tiny bullet
    static constexpr float kMargin = 8.0f;        // units between the thing hit and the ring
    static constexpr float kPulseMs = 900.0f;     // one gentle swell and back
    static constexpr float kPulseDepth = 0.12f;   // of the ring's size

    // Where the label stands, in field units: its left end and its baseline.
    struct LabelPlace {
        float left = 0.0f;
        float baseline = 0.0f;
    };

    HitMark();
    ~HitMark();
    HitMark(const HitMark&) = delete;
    HitMark& operator=(const HitMark&) = delete;

    // Shows `hit` (copied), or takes the mark away for null.
    void show(const ReplayHit* hit);
    bool isShown() const { return shown; }
    const Vec3& where() const { return at; }
    // The ring's radius in units, before the pulse.
    float ringRadius() const { return radius; }
    const std::string& label() const;

    // Draws the ring and the label, the label kept within field x from `viewLeft` to
    // `viewRight` (what the camera shows) and y within the field. `clockMs` runs the pulse; a
    // frozen field's frames pass it the real time.
    void draw(float viewLeft, float viewRight, float clockMs);

    // The label of `glyphs` glyphs at `size` beside a ring of `ringRadius` at `centre`: to its
    // right, or to its left when the right has no room, and above its centre, or below it near
    // the HUD's top rows; always inside [viewLeft, viewRight] and under those rows.
    static LabelPlace placeLabel(const Vec3& centre, float ringRadius, int glyphs, int size, float viewLeft,
                                 float viewRight);

  private:
    void make();

    bool shown = false;
    Vec3 at{};
    float radius = kLeastRadius;
    std::unique_ptr<OXSprite> ring;
    std::unique_ptr<OXSprite> strip;  // the dark strip under the label
    std::unique_ptr<OXTextBox> text;
};
