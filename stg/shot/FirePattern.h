#pragma once

#include <string>

#include "data/Plist.h"
#include "engine/Vector.h"

// How a stream of bullets leaves a gun, read from "assets/plist/fp/NAME.plist"
// once and kept by the bullet manager. The "... var" values are added once per
// difficulty rank when a launcher is set up from the pattern.
struct FirePattern {
    float delay = 0.0f;     // ms between volleys
    float delayVar = 0.0f;  // per rank, floored
    float repeat = 0.0f;    // volleys in a run
    float repeatVar = 0.0f;
    int salvo = 0;  // bullets per volley
    float salvoVar = 0.0f;
    int directionType = 0;         // 0: angles relative to the carrier's direction; else absolute
    float directionAngle = 0.0f;   // centre of a volley, degrees
    float directionChange = 0.0f;  // degrees between the bullets of a salvo
    int bomblet = 1;               // bullets in the fan of each salvo bullet
    float bombletVar = 0.0f;
    float bombletAngle = 0.0f;        // degrees inside a fan
    float bombletSpeedChange = 0.0f;  // speed step inside a fan
    Vec3 offset{};                    // position step between the bullets of a salvo
    Vec3 repeatOffset{};              // position step between volleys
    float angleChange = 0.0f;         // degrees added after each volley
    float speedChange = 0.0f;         // speed step between the bullets of a salvo
    float repeatSpeedChange = 0.0f;   // speed step between volleys
    float repeatSalvoChange = 0.0f;   // salvo size step between volleys
    float repeatBombletChange = 0.0f;
    std::string bulletType;  // bullet type, or beam type for beam patterns
    int aimType = 0;         // 0 fixed, 1 aim at every volley, 2 aim at the first volley of a run
    int gapFrequency = 0;    // volleys fired before a gap
    int gapSize = 0;         // a gap silences gapSize - 1 volleys
    int gapFrequencyVar = 0;
    int gapSizeVar = 0;
    bool isBeam = false;
    bool wantSound = false;  // each volley asks for the shot sound

    // What a pattern may ask for: the counts of a volley never exceed the largest bullet pool,
    // a run never has more volleys than a launcher can fire in a stage, and every per-rank or
    // per-volley step stays small enough that the sums a launcher forms fit an int. Values
    // outside are clamped when the pattern is read, with a line naming the key.
    static constexpr int kMostBullets = 2000;  // the enemy pool, the largest
    static constexpr int kMostVolleys = 1000;

    // Every key with its default: without "bomblet", one bullet per salvo
    // bullet unless "bomblet var" is given.
    static FirePattern read(const Plist::Dictionary& list);
};
