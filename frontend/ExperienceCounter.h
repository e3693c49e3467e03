#pragma once

#include <string>

class CXUserProfile;

// The results screen's count-up: the experience a game earned moves, a little every frame,
// from what is left to the counter, raising the displayed rank each time the counter fills.
// It starts from the rank and experience the profile had before the game, so the display
// ends where the profile now is.
class ExperienceCounter {
  public:
    // Takes the profile's snapshot and the experience applied since, and clears the latter
    // so the same experience never counts up twice.
    void start(CXUserProfile& profile);
    void start(int level, int experience, int pendingAmount);

    // One frame's move: pending x 0.0125 (whole points) when that is at least 5, else 5, and
    // never more than is left. Returns how many ranks were gained by it.
    int step();

    int level() const { return displayedLevel; }
    int experience() const { return displayedExperience; }
    int needed() const { return neededExperience; }
    int pending() const { return pendingExperience; }
    bool finished() const { return pendingExperience <= 0; }
    // How full the bar is, 0 to 1; empty from rank 10 on.
    float barFraction() const;
    // "%d/%d" (experience, needed) below rank 9, "MAX LEVEL" from rank 9 on.
    std::string counterText() const;

  private:
    int displayedLevel = 1;
    int displayedExperience = 0;
    int neededExperience = 1;
    int pendingExperience = 0;
};
