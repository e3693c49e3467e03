#pragma once

#include "data/Plist.h"

// One enemy of the wave schedule: a dictionary with "time", "x", "y", "z",
// "angle", "type" and, for squads that respawn, "constre" (the window in ms),
// made when the wave file loads. Its time is kept beside it so the stage
// clock compares floats, not dictionary entries, every frame.
struct SpawnEntry {
    float timeMs = 0.0f;
    Plist::Dictionary fields;
};
