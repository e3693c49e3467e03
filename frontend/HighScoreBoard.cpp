#include "frontend/HighScoreBoard.h"

#include <cstdio>

#include "data/CXUserProfile.h"

namespace {
constexpr const char* kTableNames[HighScoreBoard::kTableCount] = {"CLASSIC", "BURST", "BOSS RUSH"};
constexpr const char* kDifficulties[HighScoreBoard::kMaxRows] = {"EASY", "NORMAL", "HARD", "EXTREME"};
// The game keeps boss rush's best of normal play in its first entry, of casual play in its
// second.
constexpr const char* kPlayStyles[2] = {"BURST", "CLASSIC"};

bool validRow(int table, int row) {
    return table >= 0 && table < HighScoreBoard::kTableCount && row >= 0 &&
           row < HighScoreBoard::rowCount(table);
}
}  // namespace

const char* HighScoreBoard::tableName(int table) {
    return table >= 0 && table < kTableCount ? kTableNames[table] : "";
}

int HighScoreBoard::rowCount(int table) {
    if (table == BossRush) {
        return 2;
    }
    return table == Classic || table == Burst ? kMaxRows : 0;
}

const char* HighScoreBoard::rowLabel(int table, int row) {
    if (!validRow(table, row)) {
        return "";
    }
    return table == BossRush ? kPlayStyles[row] : kDifficulties[row];
}

long long HighScoreBoard::score(const CXUserProfile& profile, int table, int row) {
    if (!validRow(table, row)) {
        return 0;
    }
    switch (table) {
        case Classic:
            return profile.classicScore[row];
        case Burst:
            return profile.arcadeScore[row];
        default:
            return profile.bossScore[row];
    }
}

std::string HighScoreBoard::scoreText(long long value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%*lld", kScoreWidth, value);
    return text;
}
