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

bool validRow(HighScoreBoard::Table table, int row) {
    return row >= 0 && row < HighScoreBoard::rowCount(table);
}
}  // namespace

const char* HighScoreBoard::tableName(Table table) {
    return table >= 0 && table < kTableCount ? kTableNames[table] : "";
}

const char* HighScoreBoard::tableTitle(Table table) {
    return table >= 0 && table < kTableCount ? kTableTitles[table] : "";
}

HighScoreBoard::Table HighScoreBoard::nextTable(Table table, int step) {
    return static_cast<Table>((table + kTableCount + step % kTableCount) % kTableCount);
}

int HighScoreBoard::rowCount(Table table) {
    if (table == BossRush) {
        return 2;
    }
    return table == Casual || table == Normal ? kMaxRows : 0;
}

const char* HighScoreBoard::rowLabel(Table table, int row) {
    if (!validRow(table, row)) {
        return "";
    }
    return table == BossRush ? kPlayStyles[row] : kDifficulties[row];
}

long long HighScoreBoard::score(const CXUserProfile& profile, Table table, int row) {
    if (!validRow(table, row)) {
        return 0;
    }
    // The arcade tables' rows are the difficulties, in their stored order.
    return table == BossRush ? profile.bossScore[row]
                             : profile.arcadeBest(difficultyFromStored(row), table == Casual);
}

std::string HighScoreBoard::reachText(const CXUserProfile& profile, Table table, int row) {
    if (!validRow(table, row) || score(profile, table, row) == 0) {
        return "";
    }
    const int reach = table == BossRush ? profile.bossReach[row]
                      : table == Casual ? profile.classicReach[row]
                                        : profile.arcadeReach[row];
    if (reach == CXUserProfile::kReachedHiddenStage) {
        return "TRUE FIFTH";  // in boss rush, its sixth stage: the hidden stage's bosses
    }
    return reach > 0 ? "STAGE " + std::to_string(reach) : "";
}

std::string HighScoreBoard::trueRouteText(const CXUserProfile& profile) {
    std::string difficulties;
    for (int d = 0; d < kDifficultyCount; ++d) {
        if (profile.trueRouteCleared[d]) {
            difficulties += (difficulties.empty() ? "" : ", ") + std::string(kDifficulties[d]);
        }
    }
    return difficulties;
}

std::string HighScoreBoard::scoreText(long long value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%*lld", kScoreWidth, value);
    return text;
}
