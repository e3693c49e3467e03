#pragma once

#include "engine/Vector.h"
#include "engine/VisibilityOptions.h"

// What a flash over a stage may do, kept in one place so that no effect, whatever its code or
// its content asks, whites out the screen or flickers it: every wash, veil and big glow of a
// stage passes through the stage background's rule before it shows.
//
// - A wash (the tint the whole background is multiplied by) may colour the backdrop freely and
//   darken it freely, but lighten no channel beyond kMostLift.
// - A veil (a sprite over the whole field, such as the bomb's inverted square) is at most
//   kThickestVeil thick, so the HUD and the bullets show through it.
// - A glow (an explosion's light) grows at most to kLargestGlow times its sprite, whatever the
//   strength asked.
// - A lightening wash, a veil and a big glow each count as a flash. At most kFlashesPerSecond
//   start in any second; one asked beyond that shows without its light: a wash keeps only its
//   colour (no channel above 1), a veil or glow does not show.
// - The player's background dimming takes the same share off every light it lets through.
//
// The rule's clock runs with the stage's frames (advance), so a frozen game starts no flashes.
class FlashRule {
  public:
    static constexpr int kFlashesPerSecond = 2;  // a margin under the three the eye tolerates
    static constexpr float kWindowMs = 1000.0f;
    static constexpr float kMostLift = 1.35f;
    static constexpr float kThickestVeil = 0.2f;
    static constexpr float kLargestGlow = 3.0f;  // a glow sprite's scale
    static constexpr float kBigGlow = 2.0f;      // from this scale a glow counts as a flash

    FlashRule();

    void advance(float dtMs) { nowMs += dtMs; }
    // The player's choices, read whenever a light is let through. Not owned; null for none.
    void setVisibility(const VisibilityOptions* chosen) { visibility = chosen; }

    // The wash that may show for `tint`.
    Colour wash(const Colour& tint);
    // Washes laid over one another (the boss event's and a flash tint) lighten no more than one.
    static Colour bound(const Colour& tint);
    // How thick a veil asked at `alpha` may be: 0 when it may not show.
    float veil(float alpha);
    // How large a glow asked to grow to `scale` times its sprite may grow, and the alpha it may
    // start at (0 when it may not show).
    static float glowScale(float scale);
    float glowAlpha(float scale, float alpha);

    // Flashes started in the last second.
    int recentFlashes() const;

  private:
    // One more flash now, if the second allows it.
    bool takeFlash();
    float kept() const;

    const VisibilityOptions* visibility = nullptr;
    float nowMs = 0.0f;
    float started[kFlashesPerSecond];  // when the last flashes started, a ring
    int next = 0;
};
