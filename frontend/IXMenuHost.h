#pragma once

#include <string>

#include "stg/game/GameChoices.h"

class CXUserProfile;

// What the menu scenes ask of the application that holds them: switching
// between the front-end screens, starting a stage, the profile, key names and
// the menu music. The application implements it; menus never reach above
// their own layer.
class IXMenuHost {
  public:
    virtual ~IXMenuHost() = default;
    // Slides the front-end scene at `index` in and the current one out.
    virtual void switchToScene(int index) = 0;
    // Asks for a stage to begin once the current frame is done.
    virtual void requestStageStart() = 0;
    // Asks for the replay file at `path` to be watched, with the HUD, as a stage starts; the
    // menus come back on screen `returnScene` when it ends or the player leaves. False, with a
    // console line, when the file is not a replay this game can play.
    virtual bool watchReplay(const std::string& path, int returnScene) = 0;
    // The same, frozen at the replay's hit `hitIndex` (-1: its last) with what hit the ship
    // ringed and its attack named.
    virtual bool showHit(const std::string& path, int hitIndex, int returnScene) = 0;
    // The results screen's KEEP REPLAY: the theatre, entered next, asks for a name to keep the
    // last game's replay under. takeKeepRequest() answers whether it was asked, and forgets it.
    virtual void askToKeepLastReplay() = 0;
    virtual bool takeKeepRequest() = 0;
    // The player's profile, which the menus read and write and save.
    virtual CXUserProfile& profile() = 0;
    // The choices for the next game (mode, play style, difficulty, free play's stage), which
    // the menus fill in and the game starts from.
    virtual GameChoices& gameChoices() = 0;
    // What the last game that ended left for the results screen.
    virtual const GameResult& lastGameResult() const = 0;
    // The name of the key at game key code `code`, as a player reads it ("Z", "UP").
    virtual std::string keyName(int code) const = 0;
    // The menu music from its start, fading in; and held where it is.
    virtual void startMenuMusic() = 0;
    virtual void pauseMenuMusic() = 0;
    // The volumes heard now, 0 to 1 (the profile is left as it is).
    virtual void setVolumes(float music, float sfx) = 0;
    // The display choices of the options screen: 0 for 4:3, 1 for 16:9; quarter turns.
    virtual void setAspectRatio(int flag) = 0;
    virtual void setScreenOrientation(int orientation) = 0;
    // Gives every menu scene these accept and back keys (game key codes).
    virtual void setMenuKeys(int acceptKey, int backKey) = 0;
};
