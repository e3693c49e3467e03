#pragma once

#include <string>

#include "data/Plist.h"
#include "stg/shot/OwnerKind.h"

// One beam type ("assets/plist/bp/NAME"), read once per stage and kept by
// the bullet manager under the name it was asked for. Times are ms; the
// three phase times are read as fractions of the duration and kept scaled.
struct BeamProperties {
    float duration = 0.0f;         // the beam's whole life
    float widthStart = 0.0f;       // during the warning
    float widthMed = 0.0f;         // reached at widthMedTime
    float widthEnd = 0.0f;         // reached at the end of the life
    float widthMedTime = 0.0f;     // end of the widening
    float widthEndTime = 0.0f;     // start of the narrowing
    float widthRate1 = 0.0f;       // widening per ms
    float widthRate2 = 0.0f;       // narrowing per ms
    float warningHoldTime = 0.0f;  // the thin, blinking, harmless warning
    float extendRate = 0.0f;       // growth of the length per ms
    float startLength = 0.0f;
    float maxLength = 0.0f;
    float damage = 0.0f;
    int atlasFrame = 0;
    int atlasFlickerFrame = 0;
    int hitGfxFrame = -1;
    int hitGfxFrameNum = -1;
    int ownerKind = OwnerPlayerBeam;  // for a beam fired without an owner
    bool isPenetrate = false;
    bool isSingleHit = false;
    bool isBulletCancel = false;
    float directionChangeAmount = 0.0f;  // degrees over the change time
    float directionChangeTime = 0.0f;
    float directionChangeRate = 0.0f;  // degrees per ms
    std::string hitEffect;
    std::string shootEffect;
    std::string shootWarningEffect;
    std::string sound;
    float volume = 1.0f;
    bool useParentRotation = false;  // points where its launcher's carrier points
    float aimTurnRate = 0.0f;        // degrees per ms it turns towards the ship after its warning

    // Every key with its default, then the scaled times and derived rates.
    static BeamProperties read(const Plist::Dictionary& list);
};
