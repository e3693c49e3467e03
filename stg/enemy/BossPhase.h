#pragma once

#include <string>
#include <vector>

#include "data/Plist.h"
#include "engine/Vector.h"
#include "stg/enemy/MovementNode.h"

// One phase of a boss's fight ("phase N" of its list), read once when the boss loads.
struct BossPhase {
    static constexpr float kBonusTimePerHp = 3.0f;    // ms of bonus time per hit point, unless given
    static constexpr size_t kLongestAttackName = 24;  // characters the HUD shows under the boss's gauge

    float hitPoints = 0.0f;
    float bonusTimeMs = 0.0f;  // the timer; an invincible phase's never runs out
    float scoreFactor = 1.0f;  // per-hit score
    bool repeat = false;       // its nodes start again from home instead of ending the phase
    bool invincible = false;
    bool showPhaseClear = false;  // its end bursts, and from the second fought phase pays a bonus
    bool movesHome = false;       // the boss's home moves to nextHome when it ends
    Vec3 nextHome{};
    bool blackOverlay = false;    // the rune circles and the background's boss overlay; break modules
    bool specialModules = false;  // only the second module shows
    bool explosion = false;       // a huge explosion as it begins
    std::string music;            // played as it begins, when given
    bool positionReset = true;    // flies home after it (from the second fought phase)
    bool setsStageClock = false;
    float stageClockMs = 0.0f;      // the background's clock as it begins
    std::vector<int> shownEffects;  // indices into the boss's effects
    std::string attackName;         // shown by the HUD while the phase runs; may be empty
    std::vector<MovementNode> nodes;
};

// Reads a phase; `effectCount` bounds the effect indices it names, `listPath` and `index` name it
// in the lines it prints (a phase of no hit points or no nodes, an effect index not there).
BossPhase readBossPhase(const Plist::Dictionary& phase, int effectCount, const std::string& listPath,
                        int index);

// Space-separated indices in `text` below `limit`; another is reported with `what` and skipped.
void readIndices(const std::string& text, std::vector<int>& out, int limit, const char* what,
                 const std::string& listPath);
