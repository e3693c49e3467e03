#include "stg/shot/BeamProperties.h"

BeamProperties BeamProperties::read(const Plist::Dictionary& list) {
    BeamProperties p;
    float extendSpeed = 0.0f;
    Plist::getFloat(list, "duration", p.duration);
    Plist::getFloat(list, "width start", p.widthStart);
    Plist::getFloat(list, "width med", p.widthMed);
    Plist::getFloat(list, "width end", p.widthEnd);
    Plist::getFloat(list, "width med time", p.widthMedTime);
    Plist::getFloat(list, "width end time", p.widthEndTime);
    Plist::getFloat(list, "warning hold time", p.warningHoldTime);
    Plist::getFloat(list, "extend speed", extendSpeed);
    Plist::getFloat(list, "start length", p.startLength);
    Plist::getFloat(list, "max length", p.maxLength);
    Plist::getFloat(list, "damage", p.damage);
    Plist::getInt(list, "atlas frame", p.atlasFrame);
    if (!Plist::getInt(list, "atlas flicker frame", p.atlasFlickerFrame)) {
        p.atlasFlickerFrame = p.atlasFrame;
    }
    if (!Plist::getInt(list, "hit gfx frame", p.hitGfxFrame)) {
        p.hitGfxFrame = -1;
    }
    if (!Plist::getInt(list, "hit gfx frame num", p.hitGfxFrameNum)) {
        p.hitGfxFrameNum = -1;
    }
    Plist::getBool(list, "is penetrate", p.isPenetrate);
    Plist::getBool(list, "is single hit", p.isSingleHit);
    Plist::getBool(list, "is bullet cancel", p.isBulletCancel);
    Plist::getFloat(list, "direction change amount", p.directionChangeAmount);
    Plist::getFloat(list, "direction change time", p.directionChangeTime);
    Plist::getString(list, "hit effect", p.hitEffect);
    Plist::getString(list, "shoot effect", p.shootEffect);
    Plist::getString(list, "shoot warning effect", p.shootWarningEffect);
    Plist::getString(list, "sound", p.sound);
    if (!Plist::getFloat(list, "volume", p.volume)) {
        p.volume = 1.0f;
    }
    Plist::getBool(list, "use parent rotation", p.useParentRotation);

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
