#pragma once

#include <cstdint>

#include "data/Difficulty.h"

// How a game runs through its stages. Replays keep it as its number.
enum class GameMode : int { Arcade = 0, FreePlay = 1, BossRush = 3 };

// A stored mode number: anything but free play's or boss rush's plays the campaign.
constexpr GameMode gameModeFromStored(int stored) {
    return stored == 1 ? GameMode::FreePlay : stored == 3 ? GameMode::BossRush : GameMode::Arcade;
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
};

// What the last game that ended left for the results screen.
struct GameResult {
    bool ended = false;      // a game has ended since the program started
    int64_t score = 0;       // its score when it ended
    int64_t best = 0;        // its table's best after it, as the high scores keep it
    bool newRecord = false;  // it beat the best its table held before it
};
