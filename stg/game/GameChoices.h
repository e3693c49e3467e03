#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Difficulty.h"

// How a game runs through its stages. Replays keep it as its number. The two practice modes
// keep no high score: stage practice plays one stage with the stock chosen on its screen,
// attack practice one boss phase from its start.
enum class GameMode : int { Arcade = 0, FreePlay = 1, BossRush = 3, StagePractice = 4, AttackPractice = 5 };

// A stored mode number: anything unknown plays the campaign.
constexpr GameMode gameModeFromStored(int stored) {
    return stored == 1   ? GameMode::FreePlay
           : stored == 3 ? GameMode::BossRush
           : stored == 4 ? GameMode::StagePractice
           : stored == 5 ? GameMode::AttackPractice
                         : GameMode::Arcade;
}

constexpr bool isPracticeMode(GameMode mode) {
    return mode == GameMode::StagePractice || mode == GameMode::AttackPractice;
}

constexpr int storedNumber(GameMode mode) {
    return static_cast<int>(mode);
}

// What the menus choose for the next game; the session copies it into the game at its start.
struct GameChoices {
    GameMode mode = GameMode::Arcade;
    bool casual = false;
    Difficulty difficulty = kDefaultDifficulty;
    // The stage free play starts at, 0 to 4, or CXGameSession::kHiddenStageChoice for the hidden
    // last stage; the other modes start at the first.
    int freePlayStage = 0;
    // What the practice screen chose (read in the practice modes only).
    struct Practice {
        // The stage: an index of the arcade list, or CXGameSession::kHiddenStageChoice.
        int stage = 0;
        // The fighter's stock for stage practice; attack practice plays with the same values.
        int weapon = 0, bombs = 2, lives = 2;
        // Attack practice: the boss's file name without folder or ".plist" ("boss_vigil") and
        // the index of the phase in it.
        std::string boss;
        int phase = -1;
    } practice;
};

// What the last game that ended left for the results screen.
struct GameResult {
    bool ended = false;      // a game has ended since the program started
    int64_t score = 0;       // its score when it ended
    int64_t best = 0;        // its table's best after it, as the high scores keep it
    bool newRecord = false;  // it beat the best its table held before it
    GameMode mode = GameMode::Arcade;
    bool practice = false;  // a practice game, or one taken over from a replay: no high score
    // The attacks it captured (cleared with no hit and no bomb), by their names, in order.
    std::vector<std::string> capturedAttacks;
    // The replay it left ("replays/last.ovr" beside the profile; empty when none was kept) and
    // how many hits (ship lost or bomb set off) that replay names.
    std::string replayPath;
    int hits = 0;
};
