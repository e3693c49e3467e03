// The parts that ride on the player's ship (its modules, trail anchors and
// attached effects) and the values the ship's files share. Private to the
// ship: included only by OXSTGBasePlayer*.cpp.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "stg/enemy/OXBossModule.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/shot/ShotMath.h"

namespace shipparts {

inline const std::vector<int> kNoLaunchers;
inline const std::string kPlistFolder = "assets/plist/";
inline constexpr float kTranceIdle = 100.0f;        // ms, the countdown at rest
inline constexpr float kTranceWaiting = 100000.0f;  // ms, the countdown while the cut-in plays
inline constexpr float kShockRingMs = 750.0f;
inline constexpr float kWarningFlashMs = 500.0f;

// Space-separated integers of a content string; anything else is reported and skipped.
inline std::vector<int> indexList(const std::string& text, const char* key) {
    std::vector<int> indices;
    const char* cursor = text.c_str();
    while (*cursor != '\0') {
        while (*cursor == ' ' || *cursor == '\t') {
            ++cursor;
        }
        if (*cursor == '\0') {
            break;
        }
        char* end = nullptr;
        const long value = std::strtol(cursor, &end, 10);
        const bool endsHere = end && (*end == '\0' || *end == ' ' || *end == '\t');
        if (end == cursor || !endsHere) {
            const char* tokenEnd = cursor;
            while (*tokenEnd != '\0' && *tokenEnd != ' ' && *tokenEnd != '\t') {
                ++tokenEnd;
            }
            std::printf("SHIP: \"%.*s\" IN \"%s\" IS NOT AN INDEX\n", static_cast<int>(tokenEnd - cursor),
                        cursor, key);
            cursor = tokenEnd;
            continue;
        }
        if (value >= 0 && value <= INT_MAX) {
            indices.push_back(static_cast<int>(value));
        }
        cursor = end;
    }
    return indices;
}

inline Vec3 readVec(const Plist::Dictionary& entry, const char* x, const char* y, const char* z) {
    return {Plist::floatOr(entry, x, 0.0f), Plist::floatOr(entry, y, 0.0f), Plist::floatOr(entry, z, 0.0f)};
}

inline Vec3 clampedToward(const Vec3& from, const Vec3& target, float share, const Vec3& bound) {
    Vec3 at = from + (target - from) * share;
    at.x = std::clamp(at.x, target.x - bound.x, target.x + bound.x);
    at.y = std::clamp(at.y, target.y - bound.y, target.y + bound.y);
    at.z = std::clamp(at.z, target.z - bound.z, target.z + bound.z);
    return at;
}

}  // namespace shipparts

// A sprite riding on the ship: it trails its anchor by its bound strength per
// frame, never further than its bound, and takes the ship's scale, heading
// and, for an exhaust, a flicker. The ship's state lists switch it on (for a
// time or until switched off) and off.
class OXSTGBasePlayer::Module : public OXBossModule {
  public:
    bool setUp(const Plist::Dictionary& entry, const OXSTGBasePlayer& ship) {
        const std::string& sprite = Plist::textOf(entry, "sprite");
        if (sprite.empty()) {
            return false;
        }
        const std::string path = shipparts::kPlistFolder + sprite;
        load(path);
        Plist::Dictionary spriteKeys;
        Plist::loadContent(path + ".plist", spriteKeys);
        internalScale =
            shipparts::readVec(spriteKeys, "internal scale x", "internal scale y", "internal scale z");
        carrier = &ship;
        anchor = shipparts::readVec(entry, "anchor x", "anchor y", "anchor z");
        bound = shipparts::readVec(entry, "bound x", "bound y", "bound z");
        // A missing "bound strength" reads as 0 (the part stays where it was put), as it always has.
        Plist::read(entry, "bound strength", followFactor, 0.0f);
        setBlendMode(Plist::boolOr(entry, "is glow", false) ? BlendAdditive : BlendPremultiplied);
        Plist::read(entry, "is exhaust", exhaust, false);
        play();
        visible = active = false;
        return true;
    }

    // Shown now (fading in over `fadeInMs`) for `forMs`, or until switched off when negative.
    void switchOn(float forMs, float fadeInMs) {
        resetActions();
        onTimeLeft = forMs;
        on = true;
        visible = active = true;
        if (fadeInMs > 0.0f) {
            fadeTo(fadeInMs, 0.0f, 1.0f);
        }
    }
    void switchOff() {
        resetActions();
        on = false;
        pulseFactor = 1.0f;
        visible = active = false;
    }
    void fadeOut(float ms) {
        if (!visible) {
            return;
        }
        on = false;
        setKeepAlive(false);
        fadeTo(ms, colour.a, 0.0f);
    }
    void setPulseFactor(float value) { pulseFactor = value; }
    bool isOn() const { return on && visible; }
    float anchorZ() const { return anchor.z; }

    // Follows the ship placed at `at` with heading `heading`, stretched by `stretch`.
    void follow(const Vec3& at, float heading, const Vec3& stretch, float shipScale, bool snap) {
        const Vec3 target = at + shotmath::turned(anchor * stretch.x, -heading);
        position = snap ? target : shipparts::clampedToward(position, target, followFactor, bound);
        rotation.z = -heading;
        const float s = shipScale * pulseFactor;
        if (exhaust) {
            const float f = 1.0f + 0.3f * shotmath::randomFraction();
            scale = {s * stretch.y * f * internalScale.x, s * stretch.y * f * internalScale.y,
                     s * internalScale.z};
            position.y -= size.y * scale.y * (f - 1.0f) * 0.2f;
            if (timers[Fade] <= 0.0f) {
                colour.a = 1.0f - (f - 1.0f) * 0.4f;
            }
        } else {
            scale = {s * stretch.x * internalScale.x, s * stretch.y * internalScale.y,
                     s * stretch.z * internalScale.z};
        }
    }

    void advance(float dtMs) {
        if (!active) {
            return;
        }
        if (on && onTimeLeft >= 0.0f) {
            onTimeLeft -= dtMs;
            if (onTimeLeft <= 0.0f) {
                switchOff();
                return;
            }
        }
        OXSprite::tick(dtMs);
    }

  private:
    Vec3 internalScale{1.0f, 1.0f, 1.0f};
    bool exhaust = false;
    bool on = false;
    float onTimeLeft = -1.0f;  // ms; negative: until switched off
    float pulseFactor = 1.0f;
};

// The anchor an engine trail follows.
struct OXSTGBasePlayer::TrailPoint {
    IXRenderObject point;
    Vec3 anchor{};
    Vec3 bound{};
    int frame = 0;
    float width = 0.0f;  // no trail when 0
    bool attached = false;
};

// A particle effect riding on the ship at an offset turned with its heading.
struct OXSTGBasePlayer::AttachedEffect {
    std::string file;
    Vec3 offset{};
    bool predraw = false;
    IXRenderObject anchor;
    IXRenderObject* handle = nullptr;  // of the effects, not owned
};
