#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stg/game/Replay.h"
#include "stg/game/ReplayDeck.h"
#include "stg/game/ReplayWatch.h"

#include "data/CXUserProfile.h"
#include "frontend/IXMenuHost.h"
#include "platform/Input.h"
#include "platform/SdlGamepad.h"

class Autopilot;
class CXGameSession;
class OXScene;
class OXScnDefaultLoadBlocker;
class OXScnWatchBar;

// The application: owns the front-end scene list, the load blocker, the
// screen, scene and touch dimensions, the user profile and the mode the
// program is in. One frame is dispatchKeyEdges, update(16.7) and render().
class CXApp : public IXMenuHost {
  public:
    // What the program is doing.
    enum Mode { FrontEnd = 0, InStage = 1, StageStartRequested = 2, StageLoading = 3 };

    static CXApp& instance();
    CXApp();
    ~CXApp() override;
    CXApp(const CXApp&) = delete;
    CXApp& operator=(const CXApp&) = delete;

    void setResolution(int index, bool fullscreen);
    // Profile, package, sound and graphics, then the front end. False, with
    // nothing built after the package, when no package could be mounted.
    bool initialise();
    bool initCore();
    // Mounts the first package found where the game looks for it (beside the program, then the
    // installed data folder); false when none mounts, or when the one mounted lacks its shaders
    // or its property lists (it is unmounted again). The game does this before it opens its
    // window, so a missing package is told in a message box with no game window behind it.
    bool mountPackage();
    // What to tell the player when the package is missing (the file and every place looked in)
    // or damaged (what it lacks).
    std::string missingPackageText() const;
    void initAudioAndGraphics();
    void initFrontEnd();

    // Delivers every key whose state changed since the last pass, then
    // remembers the new state in `previousKeys`.
    void dispatchKeyEdges(const uint8_t keys[256], uint8_t previousKeys[256]);
    // One key event: to the game session always, and to the current menu
    // scene while the front end has the focus and no switch is sliding.
    void deliverKey(int code, bool down);
    // A character typed (a Unicode code point; backspace 8, return 13): to the current menu
    // scene on the same terms as a key, for the screens that take a typed name.
    void deliverText(uint32_t codePoint);
    // The mouse, in window pixels from the top-left corner: handed to the
    // current menu scene while the front end has the focus and no switch is
    // sliding, mapped through the composite onto the scene's view. A press
    // outside the game image is ignored; moves and releases always pass, so
    // widgets learn the pointer left them.
    enum PointerEvent { PointerMoved = 0, PointerPressed = 1, PointerReleased = 2 };
    void deliverPointer(int event, float windowX, float windowY);
    // Whether the mouse is what the player used last (a key or the joystick going down
    // clears it): the HUD shows its buttons only then.
    bool isPointerInUse() const { return pointerInUse; }
    // Whether the mouse pointer shows: always in the menus and the stage's overlays; while a
    // stage plays, only while the mouse is in use, so it never sits over the field.
    bool isPointerShown() const;

    // One frame of simulation, in milliseconds. In order: the joystick pass,
    // the load blocker, every active scene in index order, a requested stage
    // start, the game session in a stage, the music fader.
    void update(float dtMs);
    // One frame of drawing into the graphics manager's frame: every active
    // scene from the last index to the first (the menu background is index
    // 14, so it lies behind), the game session's scenes in a stage, then the
    // load blocker above everything.
    void render();

    void setAspectRatio(int flag) override;
    void setScreenOrientation(int orientation) override;
    void setVolumes(float music, float sfx) override;
    void setMenuKeys(int acceptKey, int backKey) override;
    void setupSceneView(OXScene& scene) const;
    void layoutScenes();
    void createMenuScenes(int startIndex, bool playMusic, bool finalCredits);
    void switchToScene(int index) override;
    // Completion of the entering scene's slide; `app` is the application.
    static bool switchFinished(void* app, int argument);
    void createLoadBlocker(const std::string& logoPath, const std::string& fontPath);
    void requestStageStart() override;
    bool watchReplay(const std::string& path, int returnScene) override;
    bool showHit(const std::string& path, int hitIndex, int returnScene) override;
    // Watches a replay already read, from its start or (hitIndex >= 0, or -1 for its last)
    // frozen on a hit, back to `returnScene` at its end.
    static constexpr int kNoHitSought = -2;
    void watchLoadedReplay(Replay replay, int returnScene, int hitIndex = kNoHitSought);
    void askToKeepLastReplay() override;
    bool takeKeepRequest() override;
    void returnToMenus();
    // A setting for tests of the real program (VORTALIS2_GAME_SPEED): while the stage plays,
    // the game plays 1 to kMostGameSpeed frames for every frame drawn, so a test waiting on
    // play (the ship shot down, a stage's end) waits less. Input, overlays (shown at the
    // player's pace) and replays work as at 1.
    static constexpr int kMostGameSpeed = 32;
    void setGameSpeed(int framesPerFrame);
    // Settings for tests of the real program that play a game to its end: arcade games start at
    // stage `index` of the list, counted from 0, with the fighter's fresh stock and no continue
    // used (VORTALIS2_ARCADE_FROM); the autopilot flies every game in a ship that nothing can
    // shoot down (VORTALIS2_TEST_PILOT).
    void setArcadeStart(int index);
    void setTestPilot(bool on);
    // The window is closing: a game in play is kept as its END GAME would keep it.
    void closeWindow();
    // While a replay is watched: its deck (speed, pause, seeks) and what the keys do to it.
    bool isWatching() const { return watching; }
    const ReplayDeck& getDeck() const { return deck; }
    const ReplayWatch& getWatch() const { return watch; }
    const OXScnWatchBar* getWatchBar() const { return watchBar.get(); }

    void applyProfileVolumes();
    void startMenuMusic() override;
    void pauseMenuMusic() override;
    std::string keyName(int code) const override;
    // Fades the music out, then starts `queuedTrack` looped at full volume, or stops when it
    // is empty.
    void fadeOutMusic(const std::string& queuedTrack);
    void updateMusicFade(float dtMs);

    int gameAreaHeight() const;
    int gameAreaWidth() const;

    CXUserProfile& profile() override { return *userProfile; }
    GameChoices& gameChoices() override;
    const GameResult& lastGameResult() const override;
    // The joystick the update pass reads (not owned); none by default.
    void setJoystick(IXJoystick* device) { joystick = device; }
    // The game controllers (not owned): the joystick the update pass reads, the session's
    // rumble, and the plugs and unplugs the game hears. Null for none.
    void setGamepad(SdlGamepad* pad);
    // The device the player used last, whose names the key hints use: a pad's own button
    // names (by its kind) after a pad button, the keyboard's after a key or the mouse.
    enum class Device { Keyboard, Mouse, Pad };
    Device lastDevice() const { return lastDeviceUsed; }
    PadKind lastPadKind() const { return lastPadKindUsed; }

    int getMode() const { return mode; }
    int getCurrentScene() const { return currentScene; }
    int getPendingScene() const { return pendingScene; }
    float getAspect() const { return aspect; }
    bool isReady() const { return ready; }
    const std::vector<OXScene*>& getScenes() const { return scenes; }
    OXScnDefaultLoadBlocker* getLoadBlocker() const { return loadBlocker; }

    bool joystickEnabled = true;

  private:
    // One game frame, flown by the test pilot when it is set.
    void tickGame(CXGameSession& session, float dtMs);
    // Gives the graphics manager the game area and resolution it composites.
    void updateCompositeLayout();
    void deleteMenuScenes();
    void beginStageLoad();
    void startStage();
    void rebuildMenus();
    void showLoadBlocker(bool (*completion)(void* app, int argument));
    // A key while a replay is watched (see ReplayWatch): the deck's own, or taking control,
    // practising the hit shown, leaving.
    void watchKey(int code, bool down);
    // One frame of the replay watched: the deck plays, its end or desync is handled, the bar follows.
    void updateWatching(float dtMs);
    void leaveReplay();
    // The player plays on from the frame shown; the keys held now are pressed for the game.
    void takeControlOfReplay();
    // Attack practice on the hit shown (stage practice of its stage for a hit of the waves),
    // once the replay is torn down.
    void practiseShownHit();
    // The watch bar over the stage: made with the replay's stage, gone with it.
    void buildWatchBar();
    // Whatever the replay left on the session and the deck: the session plays for the player.
    void closeReplay();
    // The mouse (true) or a key or the joystick (false) was used; the HUD follows at once, so
    // a tap that brings its buttons back also presses the one under it.
    void notePointerUse(bool inUse);
    // A press on `device`; the menus' key hints are written again when their names change.
    void noteDeviceUse(Device device, PadKind kind = PadKind::Other);
    // A pad plugged in or unplugged: a game in play pauses and says so; a menu hears it.
    void controllerChanged(const PadChange& change);

    std::vector<OXScene*> scenes;                    // owned; the index is each scene's identity
    int currentScene = -1;                           // scene with the focus, -1 for none
    int pendingScene = -1;                           // scene sliding in, -1 when no switch runs
    int screenWidth = 800, screenHeight = 600;       // window client size, pixels
    int sceneWidth = 768, sceneHeight = 1024;        // every scene's logical size, scene units
    int touchHeight = 600, touchWidth = 450;         // upright game area, pixels
    OXScnDefaultLoadBlocker* loadBlocker = nullptr;  // owned
    bool ready = false;
    int mode = FrontEnd;
    // The music fader: volume factor, state and queued track.
    enum FadeState { Idle = 0, FadingIn = 1, FadingOutToStop = 2, FadingOutToNext = 3 };
    float musicFade = 1.0f;
    int fadeState = Idle;
    std::string nextTrack;
    int platformCode = 20;  // tells the game session which fixed step to use
    std::unique_ptr<CXUserProfile> userProfile;
    int resolutionIndex = 1;
    bool fullscreen = false;
    float aspect = 0.75f;  // width / height of the portrait play field
    IXJoystick* joystick = nullptr;
    SdlGamepad* gamepad = nullptr;
    Device lastDeviceUsed = Device::Keyboard;
    PadKind lastPadKindUsed = PadKind::Other;
    JoystickInput joystickInput;
    std::vector<std::string> packagePlaces;  // where mountPackage looked, in order
    std::string packageDamage;               // what the mounted package lacked, when it was refused
    // The replay watched from the menus, played on a profile of its own that is never saved.
    Replay watched;
    ReplayDeck deck;
    ReplayWatch watch;
    ReplayDeck::Status watchedStatus = ReplayDeck::Status::Idle;  // the deck's, as the last frame saw it
    std::unique_ptr<OXScnWatchBar> watchBar;
    std::unique_ptr<CXUserProfile> replayProfile;
    bool watching = false;
    bool leavingReplay = false;
    bool practiceAfterReplay = false;  // leaving starts the practice practiseShownHit chose
    bool replayPointerDown = false;    // a press on the game area while the replay shows
    int hitToShow = kNoHitSought;      // showHit's hit, sought once the replay's stage starts
    bool keysHeld[32] = {};            // the game keys down now, for a take-over
    // A replay taken over is played to its end by the player; the results' way back leads to
    // the screen it was watched from, kNoTakeOver when the last game was not one.
    static constexpr int kNoTakeOver = -1;
    int takenOverReturnScene = kNoTakeOver;
    int watchReturnScene = 0;              // the menu screen a watched replay returns to
    bool keepRequested = false;            // see askToKeepLastReplay
    int gameSpeed = 1;                     // game frames a frame in play; see setGameSpeed
    int arcadeStart = 0;                   // see setArcadeStart
    std::unique_ptr<Autopilot> testPilot;  // see setTestPilot
    bool pointerInUse = false;             // the mouse was used since the last key or joystick press
};
