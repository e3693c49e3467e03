#include "stg/shot/BeamProperties.h"

#include <cmath>

#include "data/PlistRead.h"
#include "engine/OXSprite.h"

namespace {
constexpr float kMostDurationMs = 600000.0f;  // ten minutes
constexpr float kMostSize = 100000.0f;        // units, or units per ms
constexpr float kMostDamage = 1.0e9f;         // per frame, as the most hit points
constexpr float kFastestAimTurn = 3600.0f;    // degrees per second: ten turns a second
constexpr int kMostFrame = OXSprite::kMostGridSide * OXSprite::kMostGridSide - 1;
}  // namespace

BeamProperties BeamProperties::read(const Plist::Dictionary& list) {
    BeamProperties p;
    float extendSpeed = 0.0f;
    // Times, widths and lengths within what a beam on the field can use, frames within an
    // atlas: the rates below and the frame sums of the beam pass then stay finite and fit an int.
    Plist::readWithin(list, "duration", p.duration, 0.0f, 0.0f, kMostDurationMs);
    Plist::readWithin(list, "width start", p.widthStart, 0.0f, 0.0f, kMostSize);
    Plist::readWithin(list, "width med", p.widthMed, 0.0f, 0.0f, kMostSize);
    Plist::readWithin(list, "width end", p.widthEnd, 0.0f, 0.0f, kMostSize);
    Plist::readWithin(list, "width med time", p.widthMedTime, 0.0f, 0.0f, 1.0f);
    Plist::readWithin(list, "width end time", p.widthEndTime, 0.0f, 0.0f, 1.0f);
    Plist::readWithin(list, "warning hold time", p.warningHoldTime, 0.0f, 0.0f, 1.0f);
    Plist::readWithin(list, "extend speed", extendSpeed, 0.0f, 0.0f, kMostSize);
    Plist::readWithin(list, "start length", p.startLength, 0.0f, 0.0f, kMostSize);
    Plist::readWithin(list, "max length", p.maxLength, 0.0f, 0.0f, kMostSize);
    Plist::readWithin(list, "damage", p.damage, 0.0f, -kMostDamage, kMostDamage);
    Plist::readWithin(list, "atlas frame", p.atlasFrame, 0, 0, kMostFrame);
    Plist::readWithin(list, "atlas flicker frame", p.atlasFlickerFrame, p.atlasFrame, 0, kMostFrame);
    Plist::readWithin(list, "hit gfx frame", p.hitGfxFrame, -1, -1, kMostFrame);
    Plist::readWithin(list, "hit gfx frame num", p.hitGfxFrameNum, -1, -1, kMostFrame);
    Plist::read(list, "is penetrate", p.isPenetrate, false);
    Plist::read(list, "is single hit", p.isSingleHit, false);
    Plist::read(list, "is bullet cancel", p.isBulletCancel, false);
    Plist::read(list, "direction change amount", p.directionChangeAmount, 0.0f);
    Plist::read(list, "direction change time", p.directionChangeTime, 0.0f);
    Plist::read(list, "hit effect", p.hitEffect);
    Plist::read(list, "shoot effect", p.shootEffect);
    Plist::read(list, "shoot warning effect", p.shootWarningEffect);
    Plist::read(list, "sound", p.sound);
    Plist::read(list, "volume", p.volume, 1.0f);
    Plist::read(list, "use parent rotation", p.useParentRotation, false);
    Plist::readWithin(list, "aim turn rate", p.aimTurnRate, 0.0f, 0.0f, kFastestAimTurn);

    p.aimTurnRate /= 1000.0f;  // read per second
    p.widthMedTime *= p.duration;
    p.widthEndTime *= p.duration;
    p.warningHoldTime *= p.duration;
    // A beam without an extend speed or a duration reaches its full length at once.
    const float extendSpan = extendSpeed * p.duration;
    p.extendRate = extendSpan > 0.0f ? p.maxLength / extendSpan : p.maxLength;
    const float widening = p.widthMedTime - p.warningHoldTime;
    p.widthRate1 = widening > 0.0f ? (p.widthMed - p.widthStart) / widening : p.widthMed - p.widthStart;
    const float narrowing = p.duration - p.widthEndTime;
    p.widthRate2 = narrowing > 0.0f ? (p.widthEnd - p.widthMed) / narrowing : 0.0f;
    p.directionChangeRate =
        p.directionChangeTime != 0.0f ? p.directionChangeAmount / p.directionChangeTime : 0.0f;
    // A span of almost nothing gives a rate past a float's range: read as no span at all.
    if (!std::isfinite(p.extendRate)) {
        p.extendRate = p.maxLength;
    }
    if (!std::isfinite(p.widthRate1)) {
        p.widthRate1 = p.widthMed - p.widthStart;
    }
    if (!std::isfinite(p.widthRate2)) {
        p.widthRate2 = 0.0f;
    }
    if (!std::isfinite(p.directionChangeRate)) {
        p.directionChangeRate = 0.0f;
    }
    return p;
}
