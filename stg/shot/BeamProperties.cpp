#include "stg/shot/BeamProperties.h"

#include "data/PlistRead.h"

BeamProperties BeamProperties::read(const Plist::Dictionary& list) {
    BeamProperties p;
    float extendSpeed = 0.0f;
    Plist::read(list, "duration", p.duration, 0.0f);
    Plist::read(list, "width start", p.widthStart, 0.0f);
    Plist::read(list, "width med", p.widthMed, 0.0f);
    Plist::read(list, "width end", p.widthEnd, 0.0f);
    Plist::read(list, "width med time", p.widthMedTime, 0.0f);
    Plist::read(list, "width end time", p.widthEndTime, 0.0f);
    Plist::read(list, "warning hold time", p.warningHoldTime, 0.0f);
    Plist::read(list, "extend speed", extendSpeed, 0.0f);
    Plist::read(list, "start length", p.startLength, 0.0f);
    Plist::read(list, "max length", p.maxLength, 0.0f);
    Plist::read(list, "damage", p.damage, 0.0f);
    Plist::read(list, "atlas frame", p.atlasFrame, 0);
    Plist::read(list, "atlas flicker frame", p.atlasFlickerFrame, p.atlasFrame);
    Plist::read(list, "hit gfx frame", p.hitGfxFrame, -1);
    Plist::read(list, "hit gfx frame num", p.hitGfxFrameNum, -1);
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
    return p;
}
