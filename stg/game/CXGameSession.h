#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/VisibilityOptions.h"
#include "stg/game/Replay.h"

class CXUserProfile;
class OXScene;
class OXScnBaseSTGBackground;
class OXScnBaseSTGGame;
class OXSTGBasePlayer;

// The game being played, from the menus' launch to its end: the level list,
// the counters of the game and the stage, the seven overlay scenes, the
// current game scene and its background, and the state machine that runs
// them. One instance for the program, made on first use and never destroyed.
class CXGameSession {
  public:
    enum State { Idle = 0, StageLoading = 1, Playing = 2, InOverlay = 3, StageSummary = 4, Ending = 5 };
    enum OverlayIndex {
        HudOverlay = 0,
        ContinueOverlay = 1,
        GameOverOverlay = 2,
        SplashOverlay = 3,
        SummaryOverlay = 4,
        PauseOverlay = 5,
        ConfirmOverlay = 6,
        OverlayCount = 7
    };
    enum GameMode { Arcade = 0, FreePlay = 1, BossRush = 3 };
    // The game scene's fixed step, whatever the real frame time.
    static constexpr float kStageStepMs = 15.447501f;
    // The overlays' step.
    static constexpr float kOverlayStepMs = 16.7f;
    static constexpr const char* kArcadeLevelList = "assets/plist/arcade_level_list.plist";
    static constexpr const char* kBossRushLevelList = "assets/plist/boss_rush_level_list.plist";
    static constexpr const char* kTrueRouteStage = "assets/plist/gd_stage_5_true";

    static CXGameSession& instance();

    // ---- Set-up ----
    // The profile the game reads and writes (not owned); null plays with a fresh profile's values.
    void setProfile(CXUserProfile* value) { profile = value; }
    CXUserProfile* getProfile() const { return profile; }
    // Called when a game has ended, to hand control back to the front end.
    using EndHandler = void (*)(void* context);
    void setEndHandler(EndHandler handler, void* context) {
        endHandler = handler;
        endHandlerContext = context;
    }
    // The menus' choices.
    void setGameMode(int value) { gameMode = value; }
    void setCasual(bool value) { casual = value; }
    void setDifficulty(int value) { difficulty = value; }
    // The stage free play starts at, 0 to 4; the other modes start at the first.
    void setStartStage(int value) { chosenStage = value; }
    int getStartStage() const { return chosenStage; }
    // The application's dimensions, copied at start-up and when the aspect changes.
    void setSceneSize(int width, int height);
    void setScreenSize(int width, int height);

    // ---- The game ----
    // A level list that is missing, unreadable or empty starts nothing: the
    // session goes to its ending state and the next tick hands control back.
    void startGame(const std::string& levelListPath, int startStage);
    void loadStage(int index);
    // The stage file for level-list entry `index` (with ".plist"), empty outside the list.
    std::string stagePathFor(int index) const;
    void nextStage();
    void startSession();
    // One frame of the application (dt is its 16.7 ms).
    void tick(float dtMs);
    void draw();
    // Every key event of the keyboard and the joystick: to the game scene
    // and the active overlay while a game runs.
    void keyEvent(int code, bool down);
    // The mouse while a game runs, in coordinates normalised to the game area (0..1, y up):
    // to the HUD's buttons while the stage plays, to the overlay shown otherwise. `event` is
    // 0 moved, 1 pressed, 2 released.
    void pointerEvent(int event, float nx, float ny);
    void pause();
    void resume();
    void confirmEndGame();
    // The confirmation's "NO": back to the overlay that asked.
    void cancelEndGame();
    // The confirmation's "YES": the game is over, and the game-over screen says with what score.
    void acceptEndGame();
    void showContinue();
    void showGameOver();
    // The game-over screen has been read (or skipped): the game ends.
    void gameOverFinished();
    void acceptContinue();
    void endGame();
    // The program closes during a game (its window closed): the game is kept as END GAME keeps
    // it (high score, experience, replay) without going back to the menus. Nothing without a
    // game in play.
    void closeGame();
    void stageCleared();
    // The summary's NEXT has finished.
    void summaryFinished();
    void storeHighScore();
    // The pause screen's write-back: the settings this game holds go back into the profile,
    // which is saved.
    void writeSettingsToProfile();
    void showSplash(int stage);
    void showBossWarning();
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
    // Ends the recording with a check of the last frame; later frames and keys are not kept.
    void finishRecording();
    // A hash of what the game's course depends on: the frame, the state, the counters, the
    // gameplay generator, the ship, the enemy bullets, the enemies and the boss.
    uint32_t stateHash() const;
    // Starts the replay's game: its choices on the session, its stock and controls on `values`,
    // which the session then plays with (give a profile that is never saved), its seed. The
    // caller then hands the session the replay's keys, each before the tick of its frame.
    void startReplay(const Replay& replay, CXUserProfile& values);
    // The file name, within the replay folder, of the best score's replay of a mode, play style
    // and difficulty (boss rush keeps one per play style).
    static std::string highScoreReplayName(int mode, bool casual, int difficulty);

    // ---- Counters the ship and the scene change ----
    // Raises the high score when the score passes it.
    void setScore(int64_t value);
    // A respawn costs a life and refills the bombs, unless it is the stage's first spawn.
    void countRespawn(bool firstSpawn);
    void useBomb();
    void countGraze() { ++grazes; }
    void countOrb() { ++orbs; }
    void countKill();
    void countTrance() { ++trances; }
    // Death: the stage's grazes and orbs start again.
    void resetStageCounters();
    void setTranceFactor(float value) { tranceFactor = value; }
    // The ship's gauges and chain at a stage clear, for the next stage's ship.
    void carryShipValues(const OXSTGBasePlayer& ship);

    // ---- Getters ----
    int getState() const { return state; }
    int getActiveOverlay() const { return activeOverlay; }
    OXScnBaseSTGGame* getGameScene() const { return gameScene; }
    OXScnBaseSTGBackground* getBackgroundScene() const { return backgroundScene; }
    // The current ship, or null outside a stage.
    OXSTGBasePlayer* getShip() const;
    OXScene* getOverlay(int index) const;
    const std::vector<std::string>& getLevelList() const { return levelList; }
    int getStageIndex() const { return stageIndex; }
    int getSceneWidth() const { return sceneWidth; }
    int getSceneHeight() const { return sceneHeight; }
    int getScreenWidth() const { return screenWidth; }
    int getScreenHeight() const { return screenHeight; }
    float getScreenScale() const { return screenScale; }
    int getDifficulty() const { return difficulty; }
    int getGameMode() const { return gameMode; }
    bool isCasual() const { return casual; }
    int getStartLives() const { return startLives; }
    int getStartContinues() const { return startContinues; }
    int getStartBombs() const { return startBombs; }
    int getLives() const { return lives; }
    int getContinues() const { return continues; }
    int getBombs() const { return bombs; }
    int getWeaponLevel() const { return weaponLevel; }
    int getMissileLevel() const { return missileLevel; }
    int getOptionPairs() const { return optionPairs; }
    float getCarriedBeamGauge() const { return carriedBeamGauge; }
    float getCarriedBreakGauge() const { return carriedBreakGauge; }
    int getCarriedGrazeChain() const { return carriedGrazeChain; }
    int getCarriedChainBonus() const { return carriedChainBonus; }
    int64_t getScore() const { return score; }
    int64_t getHighScore() const { return highScore; }
    // This game's best has passed the best its high-score table held when it started (an equal
    // score is no record). What the high-score table keeps is then getHighScore().
    bool isNewRecord() const { return highScore > bestBefore; }
    // What the last game that ended left for the results screen.
    struct GameResult {
        bool ended = false;      // a game has ended since the program started
        int64_t score = 0;       // its score when it ended
        int64_t best = 0;        // its table's best after it, as the high scores keep it
        bool newRecord = false;  // it beat the best its table held before it
    };
    const GameResult& getLastResult() const { return lastResult; }
    int getGrazes() const { return grazes; }
    int getOrbs() const { return orbs; }
    int getGrazeBonus() const { return grazeBonus; }
    int getOrbBonus() const { return orbBonus; }
    int getKills() const { return kills; }
    int getTrances() const { return trances; }
    float getTranceFactor() const { return tranceFactor; }
    float getMusicVolume() const { return musicVolume; }
    float getSfxVolume() const { return sfxVolume; }
    float getPrizeAlpha() const { return prizeAlpha; }
    // The visibility options of this game, from the profile at its start. The stage's draw code
    // reads them every frame, so a change shows on the next frame, in a running stage too.
    const VisibilityOptions& getVisibility() const { return visibility; }
    void setVisibility(const VisibilityOptions& options);
    bool isLeftControl() const { return leftControl; }
    bool canMove() const { return movementAllowed; }
    bool canShoot() const { return shootingAllowed; }
    bool isBreakGaugeEnabled() const { return breakGaugeEnabled; }
    bool isReady() const { return ready; }
    bool isGameFinished() const { return gameFinished; }
    bool isTrueRoute() const { return trueRoute; }
    // How the stage's camera is framed: 2/3 for 4:3, 0.5633803 for 16:9.
    float getCameraAspect() const { return cameraAspect; }
    // The profile's "aspect ratio": 0 for 4:3, 1 for 16:9.
    int aspectRatio() const;
    // For tests: the last key event seen.
    int getLastKeyCode() const { return lastKeyCode; }
    bool wasLastKeyDown() const { return lastKeyDown; }
    int getKeyEventCount() const { return keyEventCount; }
    // For tests and the headless runner: start a game with values set by hand.
    void setLives(int value) { lives = value; }
    void setBombs(int value) { bombs = value; }
    void setWeaponLevel(int value) { weaponLevel = value; }
    void setMissileLevel(int value) { missileLevel = value; }
    void setOptionPairs(int value) { optionPairs = value; }
    void setContinues(int value) { continues = value; }
    void setLevelList(const std::vector<std::string>& names) { levelList = names; }

  private:
    CXGameSession() = default;
    // Reads the stage names of a level list; an unreadable list gives none.
    void readLevelList(const std::string& path);
    void createOverlays();
    void deleteOverlays();
    void deleteStageScenes();
    void showOverlay(int index);
    void hideOverlay(int index);

    std::vector<OXScene*> overlays;                     // owned, by OverlayIndex
    int activeOverlay = 0;                              // the overlay being shown
    int confirmCaller = PauseOverlay;                   // the overlay the confirmation returns to
    int state = Idle;                                   // see State
    OXScnBaseSTGGame* gameScene = nullptr;              // owned
    OXScnBaseSTGBackground* backgroundScene = nullptr;  // owned
    OXScene* extraScene = nullptr;                      // not owned; ticked with the real dt
    std::vector<std::string> levelList;                 // stage names of this game
    int stageIndex = 0;
    int sceneWidth = 768, sceneHeight = 1024;  // scene units
    int screenWidth = 0, screenHeight = 0;     // pixels
    float screenScale = 1.0f;
    int difficulty = 1;  // 0 easy, 1 normal, 2 hard, 3 extreme
    int startLives = 2, startContinues = 1, startBombs = 2;
    int lives = 2, continues = 1, bombs = 2;
    int weaponLevel = 0, missileLevel = 0, optionPairs = 0;
    float touchSensitivity = 0.65f;
    float carriedBeamGauge = 0.0f, carriedBreakGauge = 0.0f;
    int64_t score = 0, highScore = 0;
    int grazes = 0, orbs = 0;
    int grazeBonus = 0, orbBonus = 0;
    int experience = 0;
    float musicVolume = 0.5f, sfxVolume = 0.5f, prizeAlpha = 1.0f;
    VisibilityOptions visibility;
    bool leftControl = true;
    int gameMode = Arcade;
    int chosenStage = 0;  // free play's chosen stage
    bool casual = false;
    bool movementAllowed = true, shootingAllowed = true, flagThree = true, flagFour = true,
         breakGaugeEnabled = true;
    int kills = 0, trances = 0;
    int carriedGrazeChain = 0, carriedChainBonus = 0;
    float tranceFactor = 1.0f;
    bool ready = false;
    bool gameFinished = false, trueRoute = false;
    float cameraAspect = 2.0f / 3.0f;
    CXUserProfile* profile = nullptr;  // not owned
    EndHandler endHandler = nullptr;
    void* endHandlerContext = nullptr;
    // Saves last.ovr and, for a new best, the table's replay, when the profile lives on disk.
    void keepReplay();
    // What every end of a game keeps: the high score, the replay, the experience.
    void keepGame();

    Replay recording;
    bool recordingOpen = false;
    uint64_t nextSeed = 1;
    int watchSpeed = 0;
    int64_t bestBefore = 0;  // the table's best when the game started
    GameResult lastResult;   // the last game played (not watched) that ended
    int lastKeyCode = -1;
    bool lastKeyDown = false;
    int keyEventCount = 0;
};
