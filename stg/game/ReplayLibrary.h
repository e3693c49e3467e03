#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Difficulty.h"
#include "stg/game/GameChoices.h"
#include "stg/game/Replay.h"

// The player's replay folder as the theatre shows it: the replays the game keeps by itself
// ("last.ovr", the high-score tables' "best-*.ovr") and those the player chose to keep, each
// under a name, in files of their own ("kept-*.ovr") that the automatic ones never write over.
// Every change writes a whole file or none: a failure (a full disk, a folder that can't be
// written) leaves every replay as it was and says why.
namespace replaylibrary {

// A name holds at most this many glyphs.
constexpr int kMaxNameGlyphs = 24;

// One replay file, read for the list.
struct Entry {
    std::string path;      // the whole path
    std::string fileName;  // "last.ovr", "kept-20261210-014500.ovr"
    bool kept = false;     // kept by the player (false: one of the automatic ones)
    std::string name;      // the name it was kept under; for the automatic ones, what they are
    int64_t date = 0;      // seconds since 1970 (UTC); 0 when the file does not say
    GameMode mode = GameMode::Arcade;
    bool practice = false;
    bool casual = false;
    Difficulty difficulty = kDefaultDifficulty;
    std::string fighter;  // "FOCUS", "TRACK" or "WIDE"
    int reached = 1;      // the stage reached, 1 to 5, or 6 for the hidden last stage
    int64_t score = 0;
    int32_t frames = 0;
    int hits = 0;
    // False for a damaged file or one of other rules or content: `problem` says which, in a
    // line a player reads ("RECORDED ON ANOTHER VERSION").
    bool playable = true;
    std::string problem;
};

// Every ".ovr" file of `folder`: the kept ones first, newest first, then the automatic ones.
// A missing folder lists none; a file that can't be read is listed, not playable.
std::vector<Entry> listReplays(const std::string& folder);

// Keeps a copy of the replay at `sourcePath` (the last game's) under `name` (cleaned, see
// cleanName; an empty one takes generatedName) in a new file of `folder`; `keptPath` names it.
// False, with `problem`, when it could not be written: nothing else changes.
bool keepReplay(const std::string& folder, const std::string& sourcePath, const std::string& name,
                std::string& keptPath, std::string& problem);
// Gives a kept replay a new name (the file is rewritten whole).
bool renameReplay(const std::string& path, const std::string& name, std::string& problem);
// Deletes a replay file.
bool deleteReplay(const std::string& path, std::string& problem);

// A name from any bytes: valid UTF-8 of the glyphs the game's font draws (codes 32 to 122 and
// 160 to 255), other bytes and codes dropped, spaces trimmed, at most kMaxNameGlyphs glyphs.
std::string cleanName(const std::string& raw);
// A name for a replay the player did not name: mode, difficulty and score ("ARCADE HARD 1234567").
std::string generatedName(const Replay& replay);
// The fighter a stock stands for: the upgrade begun first (FOCUS the weapon, TRACK the
// missiles, WIDE the option pods).
const char* fighterName(int weapon, int missiles, int options);

}  // namespace replaylibrary
