#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/VisibilityOptions.h"
#include "stg/game/GameRun.h"
#include "stg/game/IXStageHost.h"
#include "stg/game/Replay.h"

class CXUserProfile;
class OXScene;
class OXScnAttackPanel;
class OXScnBaseContinue;
class OXScnBaseHUD;
class OXScnBasePause;
class OXScnBaseSplash;
class OXScnBaseSTGBackground;
class OXScnBaseSTGGame;
class OXScnBaseSummary;
class OXScnEndGameConfirm;
class OXScnGameOver;
class OXSTGBasePlayer;

// The game being played, from the menus' launch to its end: the menus' choices, the game's
// run (its values, which the game scene shares), the level list, the seven overlay scenes, the
// current game scene and its background, and the state machine that runs them. One instance
// for the program, made on first use and never destroyed; the application and the tools reach
// it, everything else is handed what it needs.
class CXGameSession : public IXStageHost {
  public:
    enum class State : int {
        Idle = 0,
        StageLoading = 1,
        Playing = 2,
        InOverlay = 3,
        StageSummary = 4,
        Ending = 5
    };
    // The overlays, by depth.
    enum class Overlay : int {
        Hud = 0,
        Continue = 1,
        GameOver = 2,
        Splash = 3,
        Summary = 4,
        Pause = 5,
        Confirm = 6,
        AttackPanel = 7  // an attack practice's end: RETRY or BACK
    };
    static constexpr int kOverlayCount = 8;
    // The overlays of a game, made at its start (all null before the first).
    struct Overlays {
        std::unique_ptr<OXScnBaseHUD> hud;
        std::unique_ptr<OXScnBaseContinue> continuePrompt;
        std::unique_ptr<OXScnGameOver> gameOver;
        std::unique_ptr<OXScnBaseSplash> splash;
        std::unique_ptr<OXScnBaseSummary> summary;
        std::unique_ptr<OXScnBasePause> pause;
        std::unique_ptr<OXScnEndGameConfirm> confirm;
        std::unique_ptr<OXScnAttackPanel> attackPanel;
    };
    // The game scene's fixed step, whatever the real frame time.
    static constexpr float kStageStepMs = 15.447501f;
    // The overlays' step.
    static constexpr float kOverlayStepMs = 16.7f;
    static constexpr const char* kArcadeLevelList = "assets/plist/arcade_level_list.plist";
    static constexpr const char* kBossRushLevelList = "assets/plist/boss_rush_level_list.plist";
    static constexpr const char* kTrueRouteStage = "assets/plist/gd_stage_5_true";
    // The arcade's last stage: hard and extreme play the hidden stage there when no continue was used.
    static constexpr int kTrueRouteStageIndex = 4;
    // Free play's choice of the hidden last stage: one past the arcade's last stage. It plays in
    // the last stage's place.
    static constexpr int kHiddenStageChoice = kTrueRouteStageIndex + 1;

    static CXGameSession& instance();
    ~CXGameSession() override;

    // ---- Set-up ----
    // The profile the game reads and writes (not owned); null plays with a fresh profile's values.
    void setProfile(CXUserProfile* value) { profile = value; }
    CXUserProfile* getProfile() const { return profile; }
    // What the game plays by: the profile, or a fresh profile's values without one.
    const CXUserProfile& profileValues() const override;
    // Called when a game has ended, to hand control back to the front end.
    using EndHandler = void (*)(void* context);
    void setEndHandler(EndHandler handler, void* context) {
        endHandler = handler;
        endHandlerContext = context;
    }
    // The menus' choices for the next game, copied into its run at startGame.
    GameChoices& choices() { return chosen; }
    // The application's game area in pixels, copied at start-up and when the aspect changes.
    void setScreenSize(int width, int height);

    // ---- The game ----
    // Starts a game of the menus' choices. A level list that is missing, unreadable or empty
    // starts nothing: the session goes to its ending state and the next tick hands control back.
    void startGame(const std::string& levelListPath, int startStage);
    // The stage file for level-list entry `index` (with ".plist"), empty outside the list.
    std::string stagePathFor(int index) const;
    // One frame of the application (dt is its 16.7 ms): the stage and the overlays step by
    // their own fixed steps, whatever it is.
    void tick(float dtMs);
    void draw();
    // Every key event of the keyboard and the joystick: to the game scene
    // and the active overlay while a game runs.
    void keyEvent(int code, bool down);
    // The mouse while a game runs, in coordinates normalised to the game area (0..1, y up):
    // to the HUD's buttons while the stage plays, to the overlay shown otherwise.
    enum class Pointer : int { Moved = 0, Pressed = 1, Released = 2 };
    void pointerEvent(Pointer event, float nx, float ny);
    void pause() override;
    // A controller was plugged in or unplugged: a game in play pauses, and the pause screen
    // shows `line` over its choices until it is shown again.
    void pauseForController(const std::string& line);
    void resume();
    void confirmEndGame();
    // The confirmation's "NO": back to the overlay that asked.
    void cancelEndGame();
    // The confirmation's "YES": the game is over, and the game-over screen says with what score.
    void acceptEndGame();
    void showContinue();
    void showGameOver();
    // No life left: the continue prompt, or the game over without a continue.
    void livesRanOut() override;
    // The game-over screen has been read (or skipped): the game ends.
    void gameOverFinished();
    void acceptContinue();
    void endGame();
    // A practice game's RETRY: this game ends (its replay kept) and the same practice starts
    // again at once with a new seed, without going back to the menus. A watched replay's game
    // ends instead, as with BACK.
    void retryPractice();
    // The attack panel's BACK: the game ends into the results screen.
    void leaveAttackPanel();
    // The program closes during a game (its window closed): the game is kept as END GAME keeps
    // it (high score, experience, replay) without going back to the menus. Nothing without a
    // game in play.
    void closeGame();
    void stageCleared() override;
    // The summary's NEXT has finished.
    void summaryFinished();
    // The pause screen's write-back: the settings this game holds go back into the profile,
    // which is saved.
    void writeSettingsToProfile();
    void showSplash(int stage, const std::string& title) override;
    void showBossWarning() override;
    // A boss attack begun: a try in the profile's record of it at the game's difficulty, and a
    // mark in the recording. Ended: a capture counts, with its time, in the record and in the
    // game's list of captured attacks, which its result gets.
    void attackStarted(const std::string& boss, int phase, const std::string& name) override;
    void attackEnded(const std::string& boss, int phase, bool captured, int timeMs) override;
    // What hit the ship goes into the game's recording, on the frame it happened.
    void shipHit(const ReplayHit& hit) override;
    // Plays the cue's pulse on the rumble device (setRumble) when the profile allows it.
    void rumble(RumbleCue cue) override;
    // Deletes the stage's scenes and the overlays; the session is idle again.
    void tearDown();
    // A loaded stage may start on the next tick.
    void markReadyToStart() { ready = true; }

    // ---- Replays ----
    // Every game from startGame() to its end is recorded: the choices, the seed, each key edge
    // on its frame and a state hash every Replay::kCheckEvery frames. A game that ends with a
    // profile saved on disk keeps its replay as "replays/last.ovr" beside the profile, and a new
    // best score of its table as that table's own replay (see highScoreReplayName).
    // While a replay is watched, its speed (1, 2 or 4 frames a frame), which the HUD shows;
    // 0 in play.
    void setWatchSpeed(int value) { watchSpeed = value; }
    int getWatchSpeed() const { return watchSpeed; }
    // The gameplay seed of the next game.
    void setSeed(uint64_t value) { nextSeed = value; }
    const Replay& getRecording() const { return recording; }
    // Frames played since the game started.
    int32_t getFrame() const { return recording.frames; }
    // A hash of what the game's course depends on: the frame, the state, the counters, the
    // gameplay generator, the ship, the enemy bullets, the enemies and the boss. The replay's
    // checks hold it at every Replay::kCheckEvery frames.
    uint32_t stateHash() const;
    // The replay being watched becomes the player's game at the frame reached: it goes on as a
    // practice game (no high score), its recording keeping the replay's keys so far. Keys the
    // replay held are let go.
    void takeControl();
    // Where a game whose profile lives in memory keeps its replay: a game taken over from a
    // watched replay plays on the replay's values, yet it is the player's, so its last.ovr goes
    // to the player's folder. Forgotten when the game is torn down, so a watched game never
    // writes there.
    void setReplayFolder(const std::string& folder) { replayFolder = folder; }
    // The controller that plays the game's rumble (not owned); none by default.
    void setRumble(IXRumble* device) { rumbleDevice = device; }
    // This game keeps no high score: a practice mode, or a game taken over from a replay.
    bool isPracticeGame() const;
    // Ends the recording with a check of the last frame; later frames and keys are not kept.
    void finishRecording();
    // Starts the replay's game: its choices on the session, its stock and controls on `values`,
    // which the session then plays with (give a profile that is never saved), its seed. The
    // caller then hands the session the replay's keys, each before the tick of its frame.
    void startReplay(const Replay& replay, CXUserProfile& values);
    // The file name, within the replay folder, of the best score's replay of a mode, play style
    // and difficulty (boss rush keeps one per play style).
    static std::string highScoreReplayName(GameMode mode, bool casual, Difficulty difficulty);

    // ---- What a game holds ----
    // The values of the game in play (or of the last one).
    GameRun& run() { return current; }
    const GameRun& run() const { return current; }
    // What the last game played (not watched) left for the results screen.
    const GameResult& getLastResult() const { return lastResult; }
    State getState() const { return state; }
    Overlay getActiveOverlay() const { return activeOverlay; }
    const Overlays& overlays() const { return overlayScenes; }
    // The overlay scene of `which`, or null before the overlays are made.
    OXScene* overlayScene(Overlay which) const;
    OXScnBaseSTGGame* getGameScene() const { return gameScene.get(); }
    OXScnBaseSTGBackground* getBackgroundScene() const { return backgroundScene.get(); }
    // The current ship, or null outside a stage.
    OXSTGBasePlayer* getShip() const;
    const std::vector<std::string>& getLevelList() const { return levelList; }
    float getScreenScale() const { return screenScale; }
    float getMusicVolume() const { return musicVolume; }
    // The visibility options of this game, from the profile at its start. The stage's draw code
    // reads them every frame, so a change shows on the next frame, in a running stage too.
    const VisibilityOptions& getVisibility() const { return visibility; }
    void setVisibility(const VisibilityOptions& options);
    // For tests: how many key events have come.
    int getKeyEventCount() const { return keyEventCount; }
    // For tests and the headless runner: a level list set by hand.
    void setLevelList(const std::vector<std::string>& names) { levelList = names; }

  private:
    CXGameSession();
    // Makes the stage's scene and background for level-list entry `index`.
    void loadStage(int index);
    // The next stage after a clear, or the game's end after the last (or free play's one).
    void nextStage();
    // The loaded stage starts, or the game ends when it cannot be played.
    void startSession();
    // The game's best goes into its high-score table, with how far the game went, and the
    // table is saved.
    void storeHighScore();
    // The stage the game has reached, counted from 1; the hidden last stage is
    // CXUserProfile::kReachedHiddenStage.
    int stageReached() const;
    // Where the stage being played stands among the campaign's: its arcade index, or
    // kHiddenStageChoice for the hidden last stage; boss rush's and the practice modes' stages
    // count as the campaign stage their bosses come from.
    int campaignStage() const;
    // A place in the recording at this frame, for a watcher to seek to.
    void addMark(ReplayMark::Kind kind, int phase, const std::string& label);
    // Reads the stage names of a level list; an unreadable list gives none.
    void readLevelList(const std::string& path);
    void createOverlays();
    void deleteOverlays();
    void deleteStageScenes();
    void showOverlay(Overlay which);
    void hideOverlay(Overlay which);
    // Saves last.ovr and, for a new best, the table's replay, when the profile lives on disk.
    // Returns the path of the first it saved (last.ovr, unless that write failed), else an empty
    // text.
    std::string keepReplay();
    // What every end of a game keeps: the high score, the replay, the experience.
    void keepGame();
    // Whether `stage` of the practice choices is one the level list has.
    bool practiceStageExists(int stage) const;
    void showAttackPanel();
    void startPracticeAgain();

    GameChoices chosen;                // the menus' choices for the next game
    GameChoices::Practice practising;  // the practice choices of the game in play
    bool retryWanted = false;          // the game's end starts it again (retryPractice)
    bool playingReplay = false;        // the game in play is a replay's (startReplay)
    GameRun current;                   // the game in play
    Overlays overlayScenes;
    Overlay activeOverlay = Overlay::Hud;    // the overlay being shown
    Overlay confirmCaller = Overlay::Pause;  // the overlay the confirmation returns to
    State state = State::Idle;
    std::unique_ptr<OXScnBaseSTGGame> gameScene;
    std::unique_ptr<OXScnBaseSTGBackground> backgroundScene;
    std::vector<std::string> levelList;     // stage names of this game
    int screenWidth = 0, screenHeight = 0;  // pixels
    // The settings this game holds, from the profile at its start; the pause screen changes
    // the visibility and writes them all back.
    float touchSensitivity = 0.65f;
    float screenScale = 1.0f;
    float musicVolume = 0.5f, sfxVolume = 0.5f, prizeAlpha = 1.0f;
    bool leftControl = true;
    VisibilityOptions visibility;
    bool ready = false;
    CXUserProfile* profile = nullptr;  // not owned
    EndHandler endHandler = nullptr;
    void* endHandlerContext = nullptr;

    Replay recording;
    bool recordingOpen = false;
    std::string replayFolder;          // see setReplayFolder
    IXRumble* rumbleDevice = nullptr;  // see setRumble
    uint64_t nextSeed = 1;
    int watchSpeed = 0;
    GameResult lastResult;                     // the last game played (not watched) that ended
    std::string attackName;                    // the boss attack begun last
    std::vector<std::string> capturedAttacks;  // this game's, by name, in order
    int keyEventCount = 0;
};
