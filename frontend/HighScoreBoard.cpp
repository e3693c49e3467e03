#include "frontend/HighScoreBoard.h"

#include <cstdio>

#include "data/CXUserProfile.h"

namespace {
constexpr const char* kTableNames[HighScoreBoard::kTableCount] = {"CASUAL", "NORMAL", "BOSS RUSH"};
constexpr const char* kTableTitles[HighScoreBoard::kTableCount] = {"CASUAL PLAY", "NORMAL PLAY", "BOSS RUSH"};
constexpr const char* kDifficulties[HighScoreBoard::kMaxRows] = {"EASY", "NORMAL", "HARD", "EXTREME"};
// The game keeps boss rush's best of normal play in its first entry, of casual play in its
// second.
constexpr const char* kPlayStyles[2] = {"NORMAL PLAY", "CASUAL PLAY"};

bool validRow(int table, int row) {
    return table >= 0 && table < HighScoreBoard::kTableCount && row >= 0 &&
           row < HighScoreBoard::rowCount(table);
}
}  // namespace

const char* HighScoreBoard::tableName(int table) {
    return table >= 0 && table < kTableCount ? kTableNames[table] : "";
}

const char* HighScoreBoard::tableTitle(int table) {
    return table >= 0 && table < kTableCount ? kTableTitles[table] : "";
}

int HighScoreBoard::rowCount(int table) {
    if (table == BossRush) {
        return 2;
    }
    return table == Casual || table == Normal ? kMaxRows : 0;
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
        case Casual:
            return profile.classicScore[row];
        case Normal:
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
