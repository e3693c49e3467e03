#pragma once
// The application as the menu screens see it, recording what they ask of it.

#include <string>
#include <utility>
#include <vector>

#include "data/CXUserProfile.h"
#include "frontend/IXMenuHost.h"

class MenuTestHost : public IXMenuHost {
  public:
    void switchToScene(int index) override {
        scene = index;
        switches.push_back(index);
    }
    void requestStageStart() override { ++stageStarts; }
    bool watchReplay(const std::string& path, int returnScene) override {
        watched = path;
        watchReturn = returnScene;
        return true;
    }
    bool showHit(const std::string& path, int hitIndex, int returnScene) override {
        watched = path;
        shownHit = hitIndex;
        watchReturn = returnScene;
        return true;
    }
    void askToKeepLastReplay() override { keepAsked = true; }
    bool takeKeepRequest() override { return std::exchange(keepAsked, false); }
    CXUserProfile& profile() override { return userProfile; }
    GameChoices& gameChoices() override { return choices; }
    const GameResult& lastGameResult() const override { return lastResult; }
    std::string keyName(int code) const override { return "KEY" + std::to_string(code); }
    void startMenuMusic() override {}
    void pauseMenuMusic() override {}
    void setVolumes(float music, float sfx) override {
        musicHeard = music;
        sfxHeard = sfx;
    }
    void setAspectRatio(int flag) override { userProfile.aspectRatio = aspectRatioFromStored(aspect = flag); }
    void setScreenOrientation(int orientation) override {
        userProfile.screenOrientation = screenOrientationFromStored(rotation = orientation);
    }
    void setMenuKeys(int accept, int back) override {
        acceptKey = accept;
        backKey = back;
    }

    CXUserProfile userProfile;
    GameChoices choices;
    GameResult lastResult;
    int scene = -1;  // the last screen asked for
    std::vector<int> switches;
    std::string watched;
    int watchReturn = -1, shownHit = -2;
    bool keepAsked = false;
    int stageStarts = 0;
    float musicHeard = -1, sfxHeard = -1;
    int aspect = -1, rotation = -1;
    int acceptKey = -1, backKey = -1;
};

// A profile at `level` with `toLevel` experience that has just been given `gained` more by a
// game: what the results screen counts up from and to.
inline void earnExperience(CXUserProfile& profile, int level, int toLevel, int gained) {
    profile.level = level;
    profile.expToLevel = toLevel;
    profile.rememberRank();
    profile.rememberExperience();
    profile.addPendingExperience(gained);
    profile.applyExperience();
}
