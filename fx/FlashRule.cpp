#include "fx/FlashRule.h"

#include <algorithm>
#include <iterator>

FlashRule::FlashRule() {
    std::fill(std::begin(started), std::end(started), -kWindowMs);  // none yet
}

float FlashRule::kept() const {
    return 1.0f - (visibility != nullptr ? std::clamp(visibility->backgroundDimming, 0.0f, 1.0f) : 0.0f);
}

int FlashRule::recentFlashes() const {
    int count = 0;
    for (float at : started) {
        count += nowMs - at < kWindowMs ? 1 : 0;
    }
    return count;
}

bool FlashRule::takeFlash() {
    // The ring holds the last kFlashesPerSecond starts: the oldest must be a second old.
    if (nowMs - started[next] < kWindowMs) {
        return false;
    }
    started[next] = nowMs;
    next = (next + 1) % kFlashesPerSecond;
    return true;
}

Colour FlashRule::wash(const Colour& tint) {
    // Anything not a number is no wash at all.
    const auto channel = [](float value) { return value == value ? std::max(value, 0.0f) : 1.0f; };
    Colour shown{channel(tint.r), channel(tint.g), channel(tint.b), tint.a};
    const float brightest = std::max({shown.r, shown.g, shown.b});
    if (brightest <= 1.0f) {
        return shown;  // colours or darkens only
    }
    // The light is what rises above 1: cut to the most a wash may lift, dimmed with the
    // backdrop; beyond the second's flashes the colour keeps its hue with no light at all.
    const float lift = takeFlash() ? (std::min(brightest, kMostLift) - 1.0f) * kept() : 0.0f;
    const float scale = (1.0f + lift) / brightest;
    shown.r *= scale;
    shown.g *= scale;
    shown.b *= scale;
    return shown;
}

Colour FlashRule::bound(const Colour& tint) {
    return {std::min(tint.r, kMostLift), std::min(tint.g, kMostLift), std::min(tint.b, kMostLift), tint.a};
}

float FlashRule::veil(float alpha) {
    if (!(alpha > 0.0f) || !takeFlash()) {
        return 0.0f;
    }
    return std::min(alpha, kThickestVeil) * kept();
}

float FlashRule::glowScale(float scale) {
    return scale == scale ? std::clamp(scale, 0.0f, kLargestGlow) : 0.0f;
}

float FlashRule::glowAlpha(float scale, float alpha) {
    if (!(glowScale(scale) >= kBigGlow)) {
        return alpha;
    }
    return takeFlash() ? alpha * kept() : 0.0f;
}
