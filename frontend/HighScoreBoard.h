#pragma once

#include <string>

class CXUserProfile;

// The high-score screen's three tables, each a best score per row: CASUAL (arcade in casual
// play) and NORMAL (arcade in normal play) by difficulty, and BOSS RUSH by play style, the
// way the game stores them. The play styles carry the names the play-style screen gives them.
namespace HighScoreBoard {
enum Table { Casual = 0, Normal = 1, BossRush = 2, kTableCount };
// The tables in the order of their tabs.
constexpr Table kTables[kTableCount] = {Casual, Normal, BossRush};
constexpr int kMaxRows = 4;
constexpr int kScoreWidth = 16;

// The tab's name: "CASUAL", "NORMAL", "BOSS RUSH".
const char* tableName(Table table);
// The table's title over its rows: "CASUAL PLAY", "NORMAL PLAY", "BOSS RUSH".
const char* tableTitle(Table table);
int rowCount(Table table);
// The row's label: "EASY" ... "EXTREME", or "NORMAL PLAY" / "CASUAL PLAY" for boss rush.
const char* rowLabel(Table table, int row);
// The row's best score; 0 for a row the table does not have.
long long score(const CXUserProfile& profile, Table table, int row);
// What the row's best game reached: "STAGE 3" or "TRUE FIFTH" (the hidden last stage); empty
// when nothing is known, as for a best kept before the game noted it.
std::string reachText(const CXUserProfile& profile, Table table, int row);
// "HARD" (or "HARD, EXTREME"): the difficulties on which an arcade game cleared the hidden last
// stage; empty before any did.
std::string trueRouteText(const CXUserProfile& profile);
// The table after `table` going right (step 1) or left (step -1), round the three.
Table nextTable(Table table, int step);
// "%lld", padded on the left with spaces to 16 characters.
std::string scoreText(long long value);
}  // namespace HighScoreBoard
