#pragma once

#include <string>

#include "engine/Vector.h"

// One enemy of the wave schedule, made when the wave file loads: when, where, at which angle and
// of which type it comes, and for squads that respawn the window in which they do ("constant
// repeat"). The stage clock and the spawn read these fields, never the wave file.
struct SpawnEntry {
    float timeMs = 0.0f;
    Vec3 at{};           // playfield units
    float angle = 0.0f;  // degrees; its movement nodes turn from it
    std::string type;    // the enemy definition's name
    bool respawns = false;
    float respawnWindowMs = 0.0f;  // while it lasts, the squad's enemy comes back when gone
    // A squad flying in formation: its number among the stage's formations (-1: none), whether
    // this enemy leads it, and a follower's place relative to the leader.
    int formation = -1;
    bool leads = false;
    Vec3 formationOffset{};
};
