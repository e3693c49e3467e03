#pragma once

#include <string>

class CXUserProfile;

// The high-score screen's three tables, each a best score per row: CLASSIC (arcade in
// casual play) and BURST (arcade in normal play) by difficulty, and BOSS RUSH by play style,
// the way the game stores them.
namespace HighScoreBoard {
enum Table { Classic = 0, Burst = 1, BossRush = 2, kTableCount };
constexpr int kMaxRows = 4;
constexpr int kScoreWidth = 16;

const char* tableName(int table);
int rowCount(int table);
// The row's label: "EASY" ... "EXTREME", or "BURST" / "CLASSIC" for boss rush.
const char* rowLabel(int table, int row);
long long score(const CXUserProfile& profile, int table, int row);
// "%lld", padded on the left with spaces to 16 characters.
std::string scoreText(long long value);
}  // namespace HighScoreBoard
