#pragma once

#include <string>

// What survives between runs: settings, bindings, progress and high scores.
// One profile exists for the whole run, owned by the application.
class CXUserProfile {
  public:
    static constexpr const char* kPath = "profile/save.osf";
    static constexpr int kBindingCount = 8;

    CXUserProfile() { reset(); }

    // Reads the profile file at start-up; a missing file gives a fresh profile.
    void load();
    // The values a new profile starts with.
    void reset();

    // Key code held by binding i (0 fire, 1 beam, 2 trance, 3 pause); 0 for
    // other bindings or a code outside the key table.
    int bindingCode(int binding) const;

    float musicVolume = 0.5f;
    float sfxVolume = 0.5f;
    float bufferScale = 0.5f;          // the options screen's "SCREEN SCALE"
    int aspectRatio = 0;               // 0 for 4:3, 1 for 16:9
    int screenOrientation = 0;         // quarter turns, 0..3
    int controls[kBindingCount] = {};  // key codes of the bindings

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
    // High scores by difficulty (easy, med, hard, extreme).
    long long arcadeScore[4] = {};   // normal play
    long long classicScore[4] = {};  // casual play
    long long bossScore[4] = {};     // boss rush: [0] normal play, [1] casual play
    int timesPlayed = 0;
    int timesPlayedCasual = 0;
    // Games finished and stages cleared, by [normal play][difficulty] and stage.
    int gamesBeaten[2][4] = {};
    int stagesBeaten[2][4][10] = {};
    // Pilot rank and experience.
    int level = 1;
    int expToLevel = 250;
    int upgradePoints = 0;
    int pendingExperience = 0;

    void addTimesPlayed(int n) { timesPlayed += n; }
    void addTimesPlayedCasual(int n) { timesPlayedCasual += n; }
    void addGamesBeaten(int n, int difficulty, bool normalPlay);
    void setStageBeaten(int value, int difficulty, int stage, bool normalPlay);
    // Experience earned in a game; only while the rank is below 9.
    void addPendingExperience(int n);
    // Turns pending experience into ranks and upgrade points.
    void applyExperience();
    // Writes the profile file; until the stored format arrives it keeps nothing.
    void save() {}
};
