#pragma once

// How hard a game is played. The profile, the replays and the menus store it as its number
// (0 easy, 1 normal, 2 hard, 3 extreme); everything that plays by it takes this type, made from
// the stored number by difficultyFromStored alone.
enum class Difficulty : int { Easy = 0, Normal = 1, Hard = 2, Extreme = 3 };

constexpr int kDifficultyCount = 4;

// A stored number outside the four is held to the nearest: a damaged replay or profile plays
// at easy or extreme rather than at no difficulty at all.
constexpr Difficulty difficultyFromStored(int stored) {
    return stored <= 0   ? Difficulty::Easy
           : stored >= 3 ? Difficulty::Extreme
                         : static_cast<Difficulty>(stored);
}

// The number the profile and the replays keep, and the index of tables by difficulty.
constexpr int storedNumber(Difficulty difficulty) {
    return static_cast<int>(difficulty);
}

// The name a player reads: "EASY", "NORMAL", "HARD", "EXTREME".
constexpr const char* difficultyName(Difficulty difficulty) {
    return difficulty == Difficulty::Easy      ? "EASY"
           : difficulty == Difficulty::Hard    ? "HARD"
           : difficulty == Difficulty::Extreme ? "EXTREME"
                                               : "NORMAL";
}

// Lists that say "hard" (launchers, modules) hold for hard and extreme alike.
constexpr bool isHard(Difficulty difficulty) {
    return difficulty >= Difficulty::Hard;
}

// What a game is played at when nothing has chosen otherwise.
constexpr Difficulty kDefaultDifficulty = Difficulty::Normal;
