#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/CXUserProfile.h"
#include "data/Plist.h"
#include "stg/game/InputCodes.h"

// A recorded game: the rules version, the session's choices and the fighter's stock, the
// gameplay seed, every key edge the session saw with its frame, and a hash of the game's state
// every kCheckEvery frames (and at the last frame). Played back with the same keys on the same
// frames, the game goes the same way; the hashes tell where it does not.
//
// The file is a binary property list (".ovr"), so any property-list tool reads it:
//   "rules"       integer, the version of the game's rules that recorded it
//   "seed"        integer, the gameplay seed
//   "mode" "casual" "difficulty" "stage"        the menus' choices
//   "weapon" "missiles" "options" "bombs" "lives" "continues"   the fighter's stock
//   "wide" (boolean, 16:9 framing), "bindings" (fire, beam, trance, pause key codes),
//   "turn" (quarter turns applied to movement keys)
//   "frames"      integer, the frames recorded
//   "score" "best"  integers, the score at the end and the best reached
//   "table best"  integer, the high-score table's best when the game started, which its HUD
//                 showed as HI-SCORE (optional: replays without it read -1, unknown)
//   "keys"        array of [frame, input code, down (boolean)], in frame order (input codes
//                 0..39, see InputCodes.h: 0..31 keys, then the HUD's and the overlays'
//                 buttons pressed with the pointer)
//   "checks"      array of [frame, state hash], in frame order
//   "content"     string, the hash of the package's content it was played on
//                 (packageContentHash(): 16 hexadecimal digits)
//   "game version"  string, the version of the game that recorded it, "1.0.0" (optional:
//                 replays recorded before it was kept read empty, unknown)
//   "practice"    boolean, a practice game (or one taken over from a replay): no high score
//   "attack boss" "attack phase"   attack practice's boss (file name) and phase index
//   "name"        string, the name the player kept it under (empty for the automatic ones)
//   "date"        integer, when it was saved, in seconds since 1970 (UTC)
//   "reached"     integer, the stage reached, 1 to 5, or 6 for the hidden last stage
//   "marks"       array of [frame, kind, stage, phase, label]: where each stage and each boss
//                 attack began (see ReplayMark)
//   "hits"        array of [frame, x, y, radius, bomb, stage, boss, phase, attack]: what hit
//                 the ship (see ReplayHit)
// A key of frame F reaches the session after F frames have been played, before frame F + 1.
struct ReplayKey {
    int32_t frame = 0;
    int32_t code = 0;
    bool down = false;
};

struct ReplayCheck {
    int32_t frame = 0;
    uint32_t hash = 0;
};

// A place a watcher can seek to: the start of a stage or of a boss's attack.
struct ReplayMark {
    enum Kind : int { StageStart = 0, AttackStart = 1 };
    int32_t frame = 0;
    int kind = StageStart;
    int stage = 0;      // index in the game's level list
    int phase = -1;     // the boss's phase index, for an attack
    std::string label;  // "STAGE 2", or the attack's name
};

// The moment something hit the ship: the frame after which it was hit, where the bullet, beam
// or hull that hit it was (field coordinates, the ship's own) and how big, whether a bomb went
// off for it (the ship kept) rather than the ship being lost, and the attack it belonged to: a
// boss phase (boss file name and phase index, attack name) or the stage's waves (boss empty,
// phase -1, attack "STAGE n").
struct ReplayHit {
    int32_t frame = 0;
    float x = 0.0f, y = 0.0f, radius = 0.0f;
    bool bomb = false;
    int stage = 0;
    std::string boss;
    int phase = -1;
    std::string attack;
};

struct Replay {
    // Raised whenever a change to the rules would make older replays play differently.
    static constexpr int kRulesVersion = 1;
    static constexpr int kCheckEvery = 300;
    // Limits a file must keep to be played (about four and a half hours at 60 frames a second).
    static constexpr int32_t kMaxFrames = 1000000;
    static constexpr size_t kMaxKeys = 2000000;
    static constexpr int64_t kMaxFileBytes = 64 * 1024 * 1024;
    static constexpr size_t kMaxMarks = 100000, kMaxHits = 100000;
    static constexpr size_t kMaxTextBytes = 4096;  // a name, label or attack
    static constexpr int kMaxStage = 99, kMaxPhase = 999;
    // Why a replay that names no content is refused: it was played before replays named it.
    static constexpr const char* kNoContentReason = "recorded before replays named their content";
    // Key edges carry the game's input codes (the keyboard's and joystick's, then the HUD's
    // pointer buttons'); bindings only the keyboard's.
    static constexpr int kKeyCodes = input::kCodes;
    static constexpr int kBindingCodes = input::kKeyboardCodes;

    int rules = kRulesVersion;
    uint64_t seed = 0;
    int mode = 0;
    bool casual = false;
    int difficulty = 1;
    int stage = 0;
    int weapon = 0, missiles = 0, options = 0, bombs = 2, lives = 2, continues = 1;
    bool wide = false;
    int bindings[4] = {CXUserProfile::kDefaultControls[0], CXUserProfile::kDefaultControls[1],
                       CXUserProfile::kDefaultControls[2], CXUserProfile::kDefaultControls[3]};
    int turn = 0;
    int32_t frames = 0;
    int64_t score = 0, best = 0;
    int64_t tableBest = -1;  // -1: not recorded
    std::vector<ReplayKey> keys;
    std::vector<ReplayCheck> checks;
    std::string content;      // the package's content hash; empty only before a game starts
    std::string gameVersion;  // the version of the game that recorded it; empty when unknown
    bool practice = false;
    std::string attackBoss;
    int attackPhase = -1;
    std::string name;
    int64_t date = 0;
    int reached = 1;
    std::vector<ReplayMark> marks;
    std::vector<ReplayHit> hits;

    Plist::Dictionary toPlist() const;
    // False, with `problem` saying what is wrong, for a list that is not a playable replay of
    // these rules; `out` is then unspecified.
    static bool fromPlist(const Plist::Dictionary& list, Replay& out, std::string& problem);

    // Writes the file whole or not at all (a temporary file renamed over it).
    bool save(const std::string& path, std::string& problem) const;
    // Reads and checks a file; false with `problem` for a missing, damaged or foreign one. One of
    // other rules or content (or none named) is refused with "recorded under rules N, this game
    // plays rules M", "recorded on other content (package H, this one H)" or
    // kNoContentReason; the content is checked last, so `out` then holds the rest of the file.
    static bool load(const std::string& path, Replay& out, std::string& problem);
    // Reads a replay file's property list, within the replay's size bound, without checking
    // what it holds; false with `problem` for a missing, oversized or unreadable file.
    static bool readList(const std::string& path, Plist::Dictionary& list, std::string& problem);
    // True when `problem` (from load or fromPlist) says the replay is of another version of the
    // game rather than damaged.
    static bool isOtherVersion(const std::string& problem);

    // The check stored for `frame`, or null.
    const ReplayCheck* checkAt(int32_t frame) const;
};

// Where the player's replays live: "replays" beside the profile's folder in the player's data
// folder (the profile at X/profile/save.osf keeps them in X/replays).
std::string replayFolderFor(const std::string& profilePath);
