#include "stg/enemy/BossPhase.h"

#include <cstdio>
#include <cstdlib>

#include "data/PlistRead.h"
#include "stg/enemy/EnemyDefinition.h"
#include "stg/enemy/EnemyDictionary.h"

namespace {

// The keys of a phase.
const std::string kBonusTime = "bonus time", kScoreFactor = "score factor", kRepeat = "repeat";
const std::string kInvincibility = "invincibility", kShowPhaseClear = "show phase clear";
const std::string kNextDefaultX = "next default x", kNextDefaultY = "next default y",
                  kNextDefaultZ = "next default z";
const std::string kShowBlackOverlay = "show black overlay", kShowSpecialModules = "show special modules";
const std::string kShowExplosion = "show explosion", kChangeMusic = "change music";
const std::string kNoPositionReset = "no position reset", kBackgroundTime = "background time";
const std::string kShowEffect = "show effect", kAttackName = "attack name";

// What a phase may ask for: a bonus time the HUD's whole seconds can hold, a per-hit score factor
// far inside the score's 64-bit count. Values outside are clamped when read, with a line.
constexpr float kMostBonusTimeMs = 1.0e9f * BossPhase::kBonusTimePerHp;
constexpr float kMostScoreFactor = 1000.0f;

}  // namespace

void readIndices(const std::string& text, std::vector<int>& out, int limit, const char* what,
                 const std::string& listPath) {
    out.clear();
    const char* at = text.c_str();
    while (*at != '\0') {
        char* end = nullptr;
        const long value = std::strtol(at, &end, 10);
        if (end == at) {
            ++at;  // not a number: skipped
            continue;
        }
        if (value >= 0 && value < limit) {
            out.push_back(static_cast<int>(value));
        } else {
            std::printf("BOSS %s: NO %s %ld, IGNORED\n", listPath.c_str(), what, value);
        }
        at = end;
    }
}

BossPhase readBossPhase(const Plist::Dictionary& phase, int effectCount, const std::string& listPath,
                        int index) {
    BossPhase made;
    made.hitPoints = readHitPoints(phase);
    if (made.hitPoints <= 0.0f) {
        std::printf("BOSS %s: PHASE %d HAS NO HIT POINTS (%g), IT ENDS AT ONCE\n", listPath.c_str(), index,
                    static_cast<double>(made.hitPoints));
    }
    Plist::readWithin(phase, kBonusTime, made.bonusTimeMs, made.hitPoints * BossPhase::kBonusTimePerHp, 0.0f,
                      kMostBonusTimeMs);
    Plist::readWithin(phase, kScoreFactor, made.scoreFactor, 1.0f, -kMostScoreFactor, kMostScoreFactor);
    Plist::read(phase, kRepeat, made.repeat, false);
    Plist::read(phase, kInvincibility, made.invincible, false);
    Plist::read(phase, kShowPhaseClear, made.showPhaseClear, false);
    made.movesHome = Plist::read(phase, kNextDefaultX, made.nextHome.x, 0.0f);
    Plist::read(phase, kNextDefaultY, made.nextHome.y, 0.0f);
    Plist::read(phase, kNextDefaultZ, made.nextHome.z, 0.0f);
    Plist::read(phase, kShowBlackOverlay, made.blackOverlay, false);
    Plist::read(phase, kShowSpecialModules, made.specialModules, false);
    Plist::read(phase, kShowExplosion, made.explosion, false);
    made.music = Plist::textOf(phase, kChangeMusic);
    bool noReset = false;
    Plist::read(phase, kNoPositionReset, noReset, false);
    made.positionReset = !noReset;
    made.setsStageClock = Plist::read(phase, kBackgroundTime, made.stageClockMs, 0.0f);
    if (Plist::findValue(phase, kShowEffect) != nullptr) {
        readIndices(Plist::textOf(phase, kShowEffect), made.shownEffects, effectCount, "effect", listPath);
    }
    made.attackName = Plist::textOf(phase, kAttackName);
    if (made.attackName.size() > BossPhase::kLongestAttackName) {
        std::printf("BOSS %s: PHASE %d: ATTACK NAME \"%s\" IS LONGER THAN %zu CHARACTERS, CUT\n",
                    listPath.c_str(), index, made.attackName.c_str(), BossPhase::kLongestAttackName);
        made.attackName.resize(BossPhase::kLongestAttackName);
    }
    for (int node = 0; node < enemydict::kIndexedKeyCount; ++node) {
        const Plist::Dictionary* entry = Plist::findDict(phase, enemydict::movementNodeKey(node));
        if (!entry) {
            break;
        }
        made.nodes.push_back(readMovementNode(*entry, false));
        MovementNode& read = made.nodes.back();
        if (read.showsEffects) {
            readIndices(read.shownEffects, read.shownEffectIndices, effectCount, "effect", listPath);
        }
    }
    if (made.nodes.empty()) {
        std::printf("BOSS %s: PHASE %d HAS NO MOVEMENT NODES, IT ENDS AT ONCE\n", listPath.c_str(), index);
    }
    return made;
}
