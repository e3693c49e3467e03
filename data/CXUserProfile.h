#pragma once

#include <string>
#include <vector>

#include "data/Difficulty.h"
#include "data/DisplayChoices.h"
#include "data/ScreenOrientation.h"

// What survives between runs: settings, bindings, progress and high scores.
// One profile exists for the whole run, owned by the application.
//
// The file is a binary property list, "profile/save.osf" inside the player's data folder
// ($XDG_DATA_HOME/vortalis2, or ~/.local/share/vortalis2). A profile without a file path lives
// in memory only: load() gives the reset values and save() writes nothing (the tools and the
// tests play with such a profile).
//
// A save never loses the previous profile: the list goes to a temporary file in the same folder,
// is flushed to the disk and then renamed over "save.osf", so either the old or the new file is
// whole at every instant. A file that can't be read is moved aside, never overwritten.
class CXUserProfile {
  public:
    // The profile's name inside the player's data folder.
    static constexpr const char* kPath = "profile/save.osf";
    static constexpr int kBindingCount = 8;
    static constexpr int kStages = 10;
    static constexpr int kScoreRows = 10;
    static constexpr int kScoreColumns = 4;
    static constexpr int kTopRank = 9;

    // The key codes the four bindings start with, by position in the 32-key table: Z fires and
    // accepts, X fires the beam, C starts a trance and goes back, P pauses.
    static constexpr int kDefaultControls[4] = {2, 3, 1, 26};

    // The player's profile file: $XDG_DATA_HOME/vortalis2/profile/save.osf when XDG_DATA_HOME
    // is an absolute path, else the same under ~/.local/share.
    static std::string playerProfilePath();

    // Where load() and save() read and write; empty keeps the profile in memory only.
    void setPath(const std::string& value) { path = value; }
    const std::string& getPath() const { return path; }

    // Reads the profile file at start-up. A missing file, or one without a true "pc version",
    // gives a fresh profile; one that can't be read is moved aside to "save.osf.corrupt" first.
    void load();
    // Writes the whole profile. Returns false, with a "PROFILE SAVE FAILED: " line, when the
    // file could not be written; the previous file is then left as it was.
    bool save();
    // The values a new profile starts with: those written beside each member below.
    void reset();

    // Key code held by binding i (0 fire, 1 beam, 2 trance, 3 pause); 0 for
    // other bindings or a code outside the key table.
    int bindingCode(int binding) const;

    // "tokens": kept for the front end.
    int tokens = 0;
    float musicVolume = 0.5f;
    float sfxVolume = 0.5f;
    float bufferScale = 0.5f;  // the options screen's "SCREEN SCALE"
    int graphicSetting = 2;    // "graphic setting"
    AspectRatio aspectRatio = Aspect4x3;
    ScreenOrientation screenOrientation = ScreenUpright;
    BackgroundMode backgroundMode = BackgroundMirrored;
    int controls[kBindingCount] = {kDefaultControls[0], kDefaultControls[1], kDefaultControls[2],
                                   kDefaultControls[3]};  // key codes of the bindings

    // The fighter's stock and upgrade levels a new game starts with.
    int weapon = 0;
    int missiles = 0;
    int options = 0;  // option-pod pairs
    int bombs = 2;
    int lives = 2;
    int continues = 1;
    // Settings the game copies at its start.
    float touchSensitivity = 0.65f;
    float screenScale = 1.0f;
    float prizeAlpha = 1.0f;
    bool leftControl = true;
    bool controlScreenMode = false;  // movement input turns with the screen
    bool tranceWarning = true;       // play the trance-ready sound
    bool autoTrance = true;
    // Visibility: black over the stage background (0 to kMostDimming), enemy bullets with a dark
    // outline and a bright core, the ship's hit box marked at all times. Kept under keys an older
    // reader passes over; a profile without them has them off.
    static constexpr float kMostDimming = 0.8f;
    float backgroundDimming = 0.0f;
    bool bulletContrast = false;
    bool hitboxMarker = false;
    bool showTutorial = true;
    bool useShootUpgrades = true;
    // Game controllers: the sticks' dead zone (a fraction of their travel, held from
    // kLeastDeadZone to kMostDeadZone), whether the left stick moves the ship as the d-pad does,
    // rumble, and rumble while a replay is watched (off unless the player asks).
    static constexpr float kLeastDeadZone = 0.05f;
    static constexpr float kMostDeadZone = 0.6f;
    float padDeadZone = 0.25f;
    bool padStickMoves = true;
    bool rumble = true;
    bool rumbleInReplays = false;
    // At most one frame waits between the game and the screen, for the least input latency.
    bool lowLatency = false;
    // The version of the game that last saved the profile ("game version"), as read from the
    // file and set by each save; empty for a new profile or one saved before versions were kept.
    std::string savedByVersion;
    // High scores: the overall one, the three tables of the high-score screen ("score A",
    // "score B", "score C", [row 0..9][column 0..3]) and the best of each mode by difficulty
    // (easy, med, hard, extreme).
    long long highScore = 0;
    long long scoreTables[3][kScoreRows][kScoreColumns] = {};
    long long arcadeScore[kDifficultyCount] = {};   // normal play
    long long classicScore[kDifficultyCount] = {};  // casual play
    long long bossScore[kDifficultyCount] = {};     // boss rush: [0] normal play, [1] casual play
    // How far the game behind each of those bests went: the stage it reached, 1 to 5, or
    // kReachedHiddenStage for the hidden last stage (boss rush: its sixth stage); 0 when not
    // known, as for a best kept before the game noted it.
    static constexpr int kReachedHiddenStage = 6;
    int arcadeReach[kDifficultyCount] = {};
    int classicReach[kDifficultyCount] = {};
    int bossReach[kDifficultyCount] = {};
    // The hidden last stage: reached at all (free play offers it from then on), and cleared in
    // an arcade game, by difficulty.
    bool hiddenStageReached = false;
    bool trueRouteCleared[kDifficultyCount] = {};
    int timesPlayed = 0;
    int timesPlayedCasual = 0;
    // Games finished and stages cleared, by [normal play][difficulty] and stage.
    int gamesBeaten[2][kDifficultyCount] = {};
    int stagesBeaten[2][kDifficultyCount][kStages] = {};
    // Pilot rank and experience.
    int level = 1;
    int expToLevel = 250;
    int upgradePoints = 0;

    // The player's record of each boss attack seen, in a real game or in practice ("attacks"):
    // by difficulty, how often it was faced, how often captured (cleared with no hit and no
    // bomb) and the fastest capture in ms (0 for none). The practice screen lists these.
    struct AttackRecord {
        std::string boss;  // the boss's file name ("boss_vigil")
        int phase = 0;     // the phase's index in it
        std::string name;  // the attack's name as the boss file gives it
        int stage = 0;     // where it was met: an arcade index, or the hidden stage's choice (5)
        int tries[kDifficultyCount] = {};
        int captures[kDifficultyCount] = {};
        int bestMs[kDifficultyCount] = {};
    };
    std::vector<AttackRecord> attacks;  // in the order first seen
    // The record of an attack, or null when it has not been seen.
    const AttackRecord* findAttack(const std::string& boss, int phase) const;
    // The record of an attack, made (with its name and stage) when it has not been seen.
    AttackRecord& attackRecord(const std::string& boss, int phase, const std::string& name, int stage);

    // Not saved: experience waiting to be applied, the rank and experience before the last
    // game (the results screen animates from them) and the experience applied so far.
    int pendingExperience = 0;
    int rankBefore = level;
    int experienceBefore = expToLevel;
    int appliedExperience = 0;

    void addTimesPlayed(int n) { timesPlayed += n; }
    void addTimesPlayedCasual(int n) { timesPlayedCasual += n; }
    void addGamesBeaten(int n, Difficulty difficulty, bool normalPlay);
    // A stage outside the campaign's is not kept.
    void setStageBeaten(int value, Difficulty difficulty, int stage, bool normalPlay);
    // The best arcade score at a difficulty: casual play's or normal play's.
    long long& arcadeBest(Difficulty difficulty, bool casual) {
        return (casual ? classicScore : arcadeScore)[storedNumber(difficulty)];
    }
    long long arcadeBest(Difficulty difficulty, bool casual) const {
        return (casual ? classicScore : arcadeScore)[storedNumber(difficulty)];
    }
    // Experience earned in a game; only while the rank is below 9.
    void addPendingExperience(int n);
    // Turns pending experience into ranks and upgrade points.
    void applyExperience();
    void rememberRank() { rankBefore = level; }
    // Also starts the count of experience applied since, which the results screen shows.
    void rememberExperience() {
        experienceBefore = expToLevel;
        appliedExperience = 0;
    }
    // Experience the rank needs to reach the next (1000000000 from rank 9 on).
    static int rankRequirement(int rank);

  private:
    std::string path;
    // Set when an unreadable file could not be moved aside: saving would destroy it.
    bool saveBlocked = false;

    // Reports an unreadable file and moves it aside (or, failing that, blocks saving over it).
    void setAside(const std::string& reason);
};
