#pragma once

class CXUserProfile;

// What the menu scenes ask of the application that holds them: switching
// between the front-end screens and starting a stage. The application
// implements it; menus never reach above their own layer.
class IXMenuHost {
  public:
    virtual ~IXMenuHost() = default;
    // Slides the front-end scene at `index` in and the current one out.
    virtual void switchToScene(int index) = 0;
    // Asks for a stage to begin once the current frame is done.
    virtual void requestStageStart() = 0;

    // The player's profile, which the menus read and write and save.
    virtual CXUserProfile& profile() = 0;
    // The volumes heard now, 0 to 1 (the profile is left as it is).
    virtual void setVolumes(float music, float sfx) = 0;
    // The display choices of the options screen: 0 for 4:3, 1 for 16:9; quarter turns.
    virtual void setAspectRatio(int flag) = 0;
    virtual void setScreenOrientation(int orientation) = 0;
    // Gives every menu scene these accept and back keys (game key codes).
    virtual void setMenuKeys(int acceptKey, int backKey) = 0;
};
