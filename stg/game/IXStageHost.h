#pragma once

#include <string>

#include "stg/game/Rumble.h"

class CXUserProfile;
struct ReplayHit;

// What the game scene reports to the game that holds it (the stage's splash and boss warning,
// its clear, the last life lost and the pause key) and asks of it: the profile's bindings and
// settings it plays by. The session implements it.
class IXStageHost {
  public:
    virtual ~IXStageHost() = default;
    // The profile the game plays by, or a fresh profile's values without one; asked at each
    // use, as the game's profile may change between games.
    virtual const CXUserProfile& profileValues() const = 0;
    // The stage's title splash, some time after it starts.
    virtual void showSplash(int stage, const std::string& title) = 0;
    virtual void showBossWarning() = 0;
    // The stage is cleared (the ship's values are carried in the game's run already).
    virtual void stageCleared() = 0;
    // No life is left: the continue prompt, or the game over without a continue.
    virtual void livesRanOut() = 0;
    virtual void pause() = 0;
    // A boss attack (a phase with an attack name) has begun, and has ended: captured when it
    // was cleared with no hit and no bomb, in `timeMs` of its timer. The game keeps the
    // player's record of the attack and the replay's mark from these.
    virtual void attackStarted(const std::string& boss, int phase, const std::string& name) {
        (void)boss, (void)phase, (void)name;
    }
    virtual void attackEnded(const std::string& boss, int phase, bool captured, int timeMs) {
        (void)boss, (void)phase, (void)captured, (void)timeMs;
    }
    // Something hit the ship: it was lost, or a bomb went off for it.
    virtual void shipHit(const ReplayHit& hit) { (void)hit; }
    // A moment the player's controller may rumble for.
    virtual void rumble(RumbleCue cue) { (void)cue; }
};
