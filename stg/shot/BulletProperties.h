#pragma once

#include <string>

#include "data/Plist.h"

// One bullet type, read from "assets/plist/bp/NAME.plist" once and kept by the
// bullet manager for the whole stage. Firing copies these values into a
// pooled bullet; nothing here changes during play.
struct BulletProperties {
    bool isPlayerBullet = false;       // side of a bullet fired without a platform
    bool isGlow = false;               // taken from the 1000-slot glowing pool
    bool isFlicker = false;            // kept; no rule reads it
    bool isEffectGlow = true;          // attached effect from the glow pool
    float damage = 0.0f;               // dealt to what it hits
    bool isChangeNotRelative = false;  // the speed change is a target speed
    float startSpeed = 0.0f;           // speed units (0.035 playfield units per ms each)
    float startSpeedVar = 0.0f;        // times a random fraction, added
    float speedChange = 0.0f;
    float speedChangeVar = 0.0f;         // varies the change time (the data's naming)
    float speedChangeTime = 0.0f;        // ms
    float speedChangeTimeVar = 0.0f;     // varies the change amount (the data's naming)
    float directionChangeAmount = 0.0f;  // degrees
    float directionChangeTime = 0.0f;    // ms
    std::string firePattern;             // the bullet's own pattern
    float firePatternDelay = 0.0f;       // ms before the own pattern starts in flight; 0: never in flight
    bool isFireOnDeath = false;          // fires the own pattern once when it ends
    float duration = 0.0f;               // lifetime, ms
    int atlasFrame = 0;
    bool randomFrame = false;
    int flickerFrame = 0;  // kept; no rule reads it
    int numFrames = 0;     // last frame index of the animation
    int trailFrame = 0;
    bool isUseTrail = false;
    float trailWidth = 0.0f;        // playfield units
    float playerSeekFactor = 0.0f;  // homing strength; 0 flies straight
    int firstFrame = 0;             // atlas frame of the first draw after firing
    bool isBulletBlock = false;     // destroys enemy bullets it touches
    std::string effect;             // particle effect riding on the bullet
    std::string hitEffect;          // particle effect where it hits
    bool isInvul = false;           // survives hits and cancels, ignores blockers
    float size = 0.0f;              // playfield units, square
    std::string sound;              // preloaded with the type
    float volume = 1.0f;
    int numBounces = 0;  // wall bounces before it may leave
    bool bossTrackOnly = false;
    bool isFocusTrack = true;  // homing player shots go for the lock-on target
    bool noExpire = false;     // vanishes instead of playing the expiry animation
    float widthFactor = 1.0f;
    float heightFactor = 1.0f;
    bool noFrameRepeat = false;  // the animation plays once and holds its last frame
    bool isBack = false;         // taken from the back of its pool (drawn beneath)
    float hitBoxScale = 0.6f;    // hit extent multiplier against enemies and blockers

    // Every key with its default; "first frame" 1 stands for frame 63.
    static BulletProperties read(const Plist::Dictionary& list);
};
