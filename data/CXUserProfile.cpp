#include "data/CXUserProfile.h"

#include <cstdio>
#include <fstream>

void CXUserProfile::load() {
    std::ifstream file(kPath, std::ios::binary);
    if (!file) {
        std::printf("Can't open file: %s\n", kPath);
    }
    // Reading a stored profile arrives with the profile format; until then
    // every run starts from the reset values.
    reset();
    std::printf("No user profile found. Creating new profile.\n");
}

void CXUserProfile::reset() {
    musicVolume = 0.5f;
    sfxVolume = 0.5f;
    bufferScale = 0.5f;
    aspectRatio = 0;
    screenOrientation = 0;
    for (int& code : controls) {
        code = 0;
    }
    controls[0] = 2;   // Z: fire and accept
    controls[1] = 3;   // X: beam
    controls[2] = 1;   // C: trance and back
    controls[3] = 26;  // P: pause
    weapon = missiles = options = 0;
    bombs = 2;
    lives = 2;
    continues = 1;
    touchSensitivity = 0.65f;
    screenScale = 1.0f;
    prizeAlpha = 1.0f;
    leftControl = true;
    controlScreenMode = false;
    tranceWarning = true;
    for (int d = 0; d < 4; ++d) {
        arcadeScore[d] = classicScore[d] = bossScore[d] = 0;
        gamesBeaten[0][d] = gamesBeaten[1][d] = 0;
        for (int stage = 0; stage < 10; ++stage) {
            stagesBeaten[0][d][stage] = stagesBeaten[1][d][stage] = 0;
        }
    }
    timesPlayed = timesPlayedCasual = 0;
    level = 1;
    expToLevel = 250;
    upgradePoints = 0;
    pendingExperience = 0;
}

namespace {
bool validDifficulty(int difficulty) {
    return difficulty >= 0 && difficulty < 4;
}
// Experience each rank needs to reach the next, ranks 0 to 8.
constexpr int kRankRequirement[9] = {500, 700, 1000, 1500, 2000, 2500, 3000, 3500, 4000};
constexpr int kTopRank = 9;
}  // namespace

void CXUserProfile::addGamesBeaten(int n, int difficulty, bool normalPlay) {
    if (validDifficulty(difficulty)) {
        gamesBeaten[normalPlay ? 1 : 0][difficulty] += n;
    }
}

void CXUserProfile::setStageBeaten(int value, int difficulty, int stage, bool normalPlay) {
    if (validDifficulty(difficulty) && stage >= 0 && stage < 10) {
        stagesBeaten[normalPlay ? 1 : 0][difficulty][stage] = value;
    }
}

void CXUserProfile::addPendingExperience(int n) {
    if (level < kTopRank) {
        pendingExperience += n;
    }
}

void CXUserProfile::applyExperience() {
    expToLevel += pendingExperience;
    pendingExperience = 0;
    while (level >= 0 && level < kTopRank && expToLevel >= kRankRequirement[level]) {
        expToLevel -= kRankRequirement[level];
        ++level;
        upgradePoints += 100;
    }
}

int CXUserProfile::bindingCode(int binding) const {
    if (binding < 0 || binding > 3) {
        return 0;
    }
    const int code = controls[binding];
    return code >= 0 && code < 32 ? code : 0;
}
