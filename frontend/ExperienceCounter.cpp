#include "frontend/ExperienceCounter.h"

#include <algorithm>
#include <cstdio>

#include "data/CXUserProfile.h"

namespace {
constexpr float kStepShare = 0.0125f;  // of what is left, per frame
constexpr int kSmallestStep = 5;
constexpr int kLastCountedLevel = 10;  // the bar and the level-ups stop above it
}  // namespace

void ExperienceCounter::start(CXUserProfile& profile) {
    start(profile.rankBefore, profile.experienceBefore, profile.appliedExperience);
    profile.appliedExperience = 0;
}

void ExperienceCounter::start(int level, int experience, int pendingAmount) {
    displayedLevel = level;
    displayedExperience = std::max(experience, 0);
    neededExperience = CXUserProfile::rankRequirement(level);
    pendingExperience = std::max(pendingAmount, 0);
}

int ExperienceCounter::step() {
    if (pendingExperience <= 0) {
        return 0;
    }
    const int share = static_cast<int>(static_cast<float>(pendingExperience) * kStepShare);
    const int amount = std::min(share >= kSmallestStep ? share : kSmallestStep, pendingExperience);
    pendingExperience -= amount;
    displayedExperience += amount;
    // A step that overfills the bar carries the rest into the next rank, so the counter ends
    // on the experience the profile holds.
    int gained = 0;
    while (displayedLevel <= kLastCountedLevel && neededExperience > 0 &&
           displayedExperience >= neededExperience) {
        displayedExperience -= neededExperience;
        ++displayedLevel;
        neededExperience = CXUserProfile::rankRequirement(displayedLevel);
        ++gained;
    }
    return gained;
}

float ExperienceCounter::barFraction() const {
    if (displayedLevel >= kLastCountedLevel || neededExperience <= 0) {
        return 0.0f;
    }
    return std::clamp(static_cast<float>(displayedExperience) / static_cast<float>(neededExperience), 0.0f,
                      1.0f);
}

std::string ExperienceCounter::counterText() const {
    if (displayedLevel >= CXUserProfile::kTopRank) {
        return "MAX LEVEL";
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%d/%d", displayedExperience, neededExperience);
    return text;
}
