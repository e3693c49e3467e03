#include "stg/game/CXGameSession.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>
#include <utility>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "data/GameVersion.h"
#include "data/Plist.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/InputCodes.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/overlays/OXScnAttackPanel.h"
#include "stg/game/overlays/OXScnBaseContinue.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "stg/game/overlays/OXScnBasePause.h"
#include "stg/game/overlays/OXScnBaseSplash.h"
#include "stg/game/overlays/OXScnBaseSummary.h"
#include "stg/game/overlays/OXScnEndGameConfirm.h"
#include "stg/game/overlays/OXScnGameOver.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/ShotMath.h"

namespace {
using State = CXGameSession::State;
using Overlay = CXGameSession::Overlay;
// Draw depth of each overlay, by Overlay.
constexpr float kOverlayDepth[CXGameSession::kOverlayCount] = {500, 600, 700, 800, 900, 1000, 1100, 950};
// The trance factor's growth per unit of multiplier at a stage clear, by difficulty.
constexpr float kTranceFactorGrowth[kDifficultyCount] = {0.05f, 0.075f, 0.125f, 0.25f};
constexpr int kStageClearExperience = 200;

// The best of a table of `values`: boss rush keeps one per play style, the other modes one per
// play style and difficulty.
template <typename Profile>
auto& tableBestOf(Profile& values, GameMode mode, bool casual, Difficulty difficulty) {
    if (mode == GameMode::BossRush) {
        return values.bossScore[casual ? 1 : 0];
    }
    const int table = storedNumber(difficulty);
    return casual ? values.classicScore[table] : values.arcadeScore[table];
}

// How far the game behind that best went, kept beside it.
int& tableReachOf(CXUserProfile& values, GameMode mode, bool casual, Difficulty difficulty) {
    if (mode == GameMode::BossRush) {
        return values.bossReach[casual ? 1 : 0];
    }
    const int table = storedNumber(difficulty);
    return casual ? values.classicReach[table] : values.arcadeReach[table];
}
}  // namespace

CXGameSession& CXGameSession::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXGameSession* const session = new CXGameSession();
    return *session;
}

CXGameSession::CXGameSession() = default;
CXGameSession::~CXGameSession() = default;

const CXUserProfile& CXGameSession::profileValues() const {
    static const CXUserProfile fresh;
    return profile ? *profile : fresh;
}

void CXGameSession::setScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}

OXSTGBasePlayer* CXGameSession::getShip() const {
    return gameScene ? gameScene->getShip() : nullptr;
}

OXScene* CXGameSession::overlayScene(Overlay which) const {
    switch (which) {
        case Overlay::Hud:
            return overlayScenes.hud.get();
        case Overlay::Continue:
            return overlayScenes.continuePrompt.get();
        case Overlay::GameOver:
            return overlayScenes.gameOver.get();
        case Overlay::Splash:
            return overlayScenes.splash.get();
        case Overlay::Summary:
            return overlayScenes.summary.get();
        case Overlay::Pause:
            return overlayScenes.pause.get();
        case Overlay::Confirm:
            return overlayScenes.confirm.get();
        case Overlay::AttackPanel:
            return overlayScenes.attackPanel.get();
    }
    return nullptr;
}

// ---- Starting and loading ----

void CXGameSession::startGame(const std::string& levelListPath, int startStage) {
    tearDown();
    playingReplay = false;
    // Practice plays the stage its screen chose: attack practice on the boss rush's stages.
    const bool practice = isPracticeMode(chosen.mode);
    const std::string listPath = chosen.mode == GameMode::AttackPractice ? kBossRushLevelList : levelListPath;
    practising = chosen.practice;
    startStage = practice ? practising.stage : startStage;
    readLevelList(listPath);
    const bool noSuchStage = practice && !levelList.empty() && !practiceStageExists(startStage);
    if (noSuchStage) {
        std::printf("PRACTICE STAGE %d IS NOT IN THE GAME, BACK TO THE MENUS\n", startStage);
        levelList.clear();
    }
    capturedAttacks.clear();
    if (levelList.empty()) {
        // Nothing to play: the first tick ends the game and hands control back to the menus.
        if (!noSuchStage) {
            std::printf("NO STAGES TO PLAY IN %s, BACK TO THE MENUS\n", listPath.c_str());
        }
        // Its end keeps nothing of the game before: no score, best, experience or replay.
        current = GameRun{};
        if (practice) {
            current.mode = chosen.mode;  // the results screen offers the practice again
        }
        recording = Replay{};
        state = State::Ending;
        return;
    }
    // A new game of the menus' choices, with the fighter's stock from the profile.
    const CXUserProfile& values = profileValues();
    current = GameRun{};
    current.mode = chosen.mode;
    current.casual = chosen.casual;
    current.difficulty = chosen.difficulty;
    current.hiddenStageChosen =
        (current.mode == GameMode::FreePlay || current.mode == GameMode::StagePractice) &&
        startStage == kHiddenStageChoice && static_cast<int>(levelList.size()) > kTrueRouteStageIndex;
    current.stageIndex = current.hiddenStageChosen
                             ? kTrueRouteStageIndex
                             : std::clamp(startStage, 0, static_cast<int>(levelList.size()));
    current.weaponLevel = values.weapon;
    current.missileLevel = values.missiles;
    current.optionPairs = values.options;
    current.bombs = current.startBombs = values.bombs;
    current.lives = current.startLives = values.lives;
    current.continues = current.startContinues = values.continues;
    if (practice) {
        // The practice screen's stock, within the profile's own limits; no continue.
        current.weaponLevel = std::clamp(practising.weapon, 0, 5);
        current.bombs = current.startBombs = std::clamp(practising.bombs, 0, 5);
        current.lives = current.startLives = std::clamp(practising.lives, 0, 5);
        current.continues = current.startContinues = 0;
    }
    current.highScore = current.bestBefore =
        tableBestOf(values, current.mode, current.casual, current.difficulty);
    ready = false;

    recording = Replay{};
    recording.keys.reserve(65536);
    recording.checks.reserve(4096);
    recording.marks.reserve(64);
    recording.seed = nextSeed;
    recording.content = packageContentHash();  // a replay plays only on the package it was played on
    recording.gameVersion = gameVersion();     // for a bug report: which game recorded it
    recording.tableBest = current.bestBefore;
    recording.mode = storedNumber(current.mode);
    recording.casual = current.casual;
    recording.difficulty = storedNumber(current.difficulty);
    recording.stage = current.hiddenStageChosen ? kHiddenStageChoice : current.stageIndex;
    recording.weapon = current.weaponLevel;
    recording.missiles = current.missileLevel;
    recording.options = current.optionPairs;
    recording.bombs = current.bombs;
    recording.lives = current.lives;
    recording.continues = current.continues;
    recording.wide = values.aspectRatio == Aspect16x9;
    for (int binding = 0; binding < 4; ++binding) {
        recording.bindings[binding] = values.bindingCode(binding);
    }
    recording.turn = values.controlScreenMode ? static_cast<int>(values.screenOrientation) : 0;
    recording.practice = practice;
    if (current.mode == GameMode::AttackPractice) {
        recording.attackBoss = practising.boss;
        recording.attackPhase = practising.phase;
    }
    recordingOpen = true;
    shotmath::seedGameRandom(nextSeed);

    touchSensitivity = values.touchSensitivity;
    screenScale = values.screenScale;
    musicVolume = values.musicVolume;
    sfxVolume = values.sfxVolume;
    leftControl = values.leftControl;
    prizeAlpha = values.prizeAlpha;
    setVisibility({values.backgroundDimming, values.bulletContrast, values.hitboxMarker});

    createOverlays();
    loadStage(current.stageIndex);
    if (profile) {
        // The results screen shows the rank and experience from before this game.
        profile->rememberRank();
        profile->rememberExperience();
    }
    state = State::StageLoading;

    if (profile && !practice) {
        if (current.casual) {
            profile->addTimesPlayedCasual(1);
        } else {
            profile->addTimesPlayed(1);
        }
        profile->save();
    }
}

void CXGameSession::readLevelList(const std::string& path) {
    levelList.clear();
    Plist::Array names;
    try {
        if (!Plist::loadAssetArray(path, names)) {
            std::printf("LEVEL LIST NOT FOUND: %s\n", path.c_str());
        }
    } catch (const std::exception& error) {
        // A damaged list reads as no stages; the game goes on.
        std::printf("BAD LEVEL LIST %s: %s\n", path.c_str(), error.what());
        names.clear();
    }
    for (const Plist::Value& name : names) {
        if (const std::string* text = boost::any_cast<std::string>(&name)) {
            levelList.push_back(*text);
        }
    }
}

void CXGameSession::createOverlays() {
    deleteOverlays();
    overlayScenes.hud = std::make_unique<OXScnBaseHUD>(*this);
    overlayScenes.continuePrompt = std::make_unique<OXScnBaseContinue>(*this);
    overlayScenes.gameOver = std::make_unique<OXScnGameOver>(*this);
    overlayScenes.splash = std::make_unique<OXScnBaseSplash>();
    overlayScenes.summary = std::make_unique<OXScnBaseSummary>(*this);
    overlayScenes.pause = std::make_unique<OXScnBasePause>(*this);
    overlayScenes.confirm = std::make_unique<OXScnEndGameConfirm>(*this);
    overlayScenes.attackPanel = std::make_unique<OXScnAttackPanel>(*this);
    for (int index = 0; index < kOverlayCount; ++index) {
        OXScene* overlay = overlayScene(static_cast<Overlay>(index));
        overlay->init();
        overlay->setZ(kOverlayDepth[index]);
        overlay->setViewport({0, 0, 0},
                             {static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0});
        const bool shown = index == static_cast<int>(Overlay::Hud);
        overlay->setVisible(shown);
        overlay->setActive(shown);
    }
    activeOverlay = Overlay::Hud;
}

void CXGameSession::deleteOverlays() {
    overlayScenes = Overlays{};
}

void CXGameSession::deleteStageScenes() {
    gameScene.reset();
    backgroundScene.reset();
}

std::string CXGameSession::stagePathFor(int index) const {
    if (index < 0 || index >= static_cast<int>(levelList.size())) {
        return "";
    }
    // Hard and extreme arcade without a continue used go to the hidden last stage; free play goes
    // there when it was chosen.
    const bool hardArcade = current.mode == GameMode::Arcade && isHard(current.difficulty);
    const bool hidden =
        current.hiddenStageChosen || (hardArcade && current.continues == current.startContinues);
    if (index == kTrueRouteStageIndex && hidden) {
        return std::string(kTrueRouteStage) + ".plist";
    }
    return "assets/plist/" + levelList[static_cast<size_t>(index)] + ".plist";
}

void CXGameSession::setVisibility(const VisibilityOptions& options) {
    visibility = options;
    visibility.backgroundDimming = std::clamp(options.backgroundDimming, 0.0f, CXUserProfile::kMostDimming);
}

void CXGameSession::loadStage(int index) {
    deleteStageScenes();
    // Textures are shared by count: those only the old stage held went with it.
    const bool wide = profileValues().aspectRatio == Aspect16x9;
    IXStageHud& hud = overlayScenes.hud ? static_cast<IXStageHud&>(*overlayScenes.hud) : noStageHud();
    gameScene = std::make_unique<OXScnBaseSTGGame>(current, *this, hud, visibility);
    gameScene->setViewport({0, 0, 0}, {static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0});
    if (current.mode == GameMode::AttackPractice) {
        gameScene->practiseAttack(practising.boss, practising.phase);
    }
    const std::string stagePath = stagePathFor(index);
    if (stagePath == std::string(kTrueRouteStage) + ".plist") {
        current.trueRoute = true;
        if (profile) {
            profile->hiddenStageReached = true;  // free play offers it from now on
        }
    }
    const bool intro =
        index == 0 && current.mode != GameMode::BossRush && current.mode != GameMode::AttackPractice;
    gameScene->loadStage(stagePath, intro, wide);

    const float viewWidth = wide ? 270.0f : 360.0f;
    backgroundScene = std::make_unique<OXScnBaseSTGBackground>();
    backgroundScene->init();
    backgroundScene->setOrthographicMode(false);
    backgroundScene->setViewWidth(viewWidth);
    backgroundScene->setViewHeight(480.0f);
    backgroundScene->setEye(viewWidth, 480.0f, -1000.0f);
    backgroundScene->setCentre(viewWidth, 480.1f, 1000.0f);
    backgroundScene->setViewport({0, 0, 0},
                                 {static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0});
    if (!stagePath.empty()) {
        backgroundScene->loadStageBackground(stagePath.substr(0, stagePath.size() - 6));
    }
    backgroundScene->loadEventBackground("assets/plist/gd_boss_event");
    backgroundScene->setVisibility(&visibility);
    gameScene->setBackground(backgroundScene.get());

    state = State::StageLoading;
}

void CXGameSession::startSession() {
    if (gameScene && gameScene->whyUnplayable()) {
        // Nothing of such a stage can be played: the game ends back at the menus.
        std::printf("STAGE %d CANNOT BE PLAYED: %s, BACK TO THE MENUS\n", current.stageIndex + 1,
                    gameScene->whyUnplayable());
        state = State::Ending;
        return;
    }
    std::printf("START GAME SESSION, UNPAUSING MUSIC\n");
    CXSoundManager::instance().setMusicHeld(false);
    state = State::Playing;
    ready = false;
    current.grazes = current.orbs = current.grazeBonus = current.orbBonus = 0;
    if (overlayScenes.hud) {
        std::printf("HIDING LOAD BLOCKER\n");
        overlayScenes.hud->hideLoadCover();
    }
    activeOverlay = Overlay::Hud;
    addMark(ReplayMark::StageStart, -1,
            "STAGE " + std::to_string(std::min(campaignStage(), kTrueRouteStageIndex) + 1));
    if (gameScene) {
        gameScene->start();
    }
}

// ---- The frame ----

void CXGameSession::tick(float) {
    if (state == State::StageLoading && ready) {
        startSession();
    }
    if (state == State::Playing) {
        if (gameScene) {
            gameScene->tick(kStageStepMs);
        }
        if (backgroundScene) {
            if (gameScene && gameScene->getEnemyManager()) {
                backgroundScene->setStageTime(gameScene->getStageTime());
            }
            backgroundScene->tick(kStageStepMs * (gameScene ? gameScene->getTimeScale() : 1.0f));
        }
        if (gameScene && gameScene->isAttemptOver()) {
            showAttackPanel();
        }
    }
    for (int index = 0; index < kOverlayCount; ++index) {
        const Overlay which = static_cast<Overlay>(index);
        OXScene* overlay = overlayScene(which);
        if (!overlay || (!overlay->isVisible() && !overlay->isActive())) {
            continue;
        }
        const bool runsWhilePaused = which == Overlay::Continue || which == Overlay::GameOver ||
                                     which == Overlay::Pause || which == Overlay::Confirm ||
                                     which == Overlay::AttackPanel;
        if (state != State::InOverlay || runsWhilePaused) {
            overlay->tick(kOverlayStepMs);
        }
    }
    if (recordingOpen && recording.frames < Replay::kMaxFrames) {
        ++recording.frames;
        if (recording.frames % Replay::kCheckEvery == 0) {
            recording.checks.push_back({recording.frames, stateHash()});
        }
    }
    if (state == State::Ending) {
        if (std::exchange(retryWanted, false) && !playingReplay) {
            startPracticeAgain();
        } else {
            endGame();
        }
    }
}

void CXGameSession::draw() {
    if (backgroundScene && backgroundScene->isVisible()) {
        backgroundScene->draw();
    }
    if (gameScene && gameScene->isVisible()) {
        gameScene->draw();
    }
    // Overlays by depth, which is their order.
    for (int index = 0; index < kOverlayCount; ++index) {
        OXScene* overlay = overlayScene(static_cast<Overlay>(index));
        if (overlay && overlay->isVisible()) {
            overlay->draw();
        }
    }
}

void CXGameSession::keyEvent(int code, bool down) {
    ++keyEventCount;
    if (recordingOpen && code >= 0 && code < Replay::kKeyCodes && recording.keys.size() < Replay::kMaxKeys) {
        recording.keys.push_back({recording.frames, code, down});
    }
    if (!gameScene) {
        return;
    }
    // Keys move the ship only while the stage plays; an overlay takes them
    // otherwise, and the stage hears only releases so that nothing stays held.
    if (state == State::Playing || !down) {
        gameScene->keyEvent(code, down);
    }
    if (state == State::InOverlay || state == State::StageSummary) {
        if (OXScene* overlay = overlayScene(activeOverlay)) {
            overlay->keyEvent(code, down);
        }
    }
}

void CXGameSession::pointerEvent(Pointer event, float nx, float ny) {
    Overlay target = activeOverlay;
    if (state == State::Playing) {
        target = Overlay::Hud;
    } else if (state != State::InOverlay && state != State::StageSummary) {
        return;
    }
    OXScene* overlay = overlayScene(target);
    if (!overlay || !overlay->isActive()) {
        return;
    }
    if (target == Overlay::GameOver) {
        // The game-over screen has no buttons: a click anywhere skips it, by the key path.
        if (event == Pointer::Released) {
            keyEvent(input::kChoice, true);
            keyEvent(input::kChoice, false);
        }
        return;
    }
    if (event == Pointer::Pressed) {
        overlay->pointerPressed(nx, ny);
    } else if (event == Pointer::Released) {
        overlay->pointerReleased(nx, ny);
    } else {
        overlay->pointerMoved(nx, ny);
    }
    if (target == Overlay::Hud) {
        overlayScenes.hud->pointerSettled();
    }
}

// ---- Overlays ----

void CXGameSession::showOverlay(Overlay which) {
    if (OXScene* overlay = overlayScene(which)) {
        overlay->setVisible(true);
        overlay->setActive(true);
        activeOverlay = which;
    }
}

void CXGameSession::hideOverlay(Overlay which) {
    if (OXScene* overlay = overlayScene(which)) {
        overlay->setVisible(false);
        overlay->setActive(false);
    }
}

void CXGameSession::pause() {
    if (state != State::Playing) {
        return;  // already behind an overlay (game over, continue, summary) or not in a stage
    }
    std::printf("GAME PAUSED\n");
    state = State::InOverlay;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    showOverlay(Overlay::Pause);
    if (overlayScenes.pause) {
        overlayScenes.pause->appear();
    }
    CXSoundManager::instance().setMusicHeld(true);
    if (gameScene) {
        gameScene->shake(0.0f);
    }
}

void CXGameSession::pauseForController(const std::string& line) {
    pause();
    if (state == State::InOverlay && activeOverlay == Overlay::Pause && overlayScenes.pause) {
        std::printf("%s\n", line.c_str());
        overlayScenes.pause->showNote(line.c_str());
    }
}

void CXGameSession::resume() {
    if (state != State::InOverlay) {
        return;
    }
    std::printf("GAME RESUMED\n");
    hideOverlay(Overlay::Pause);
    hideOverlay(Overlay::Continue);
    hideOverlay(Overlay::Confirm);
    state = State::Playing;
    CXSoundManager::instance().setMusicHeld(false);
    showOverlay(Overlay::Hud);
}

void CXGameSession::confirmEndGame() {
    if (state != State::InOverlay) {
        return;
    }
    std::printf("ASKING TO END THE GAME\n");
    confirmCaller = activeOverlay;
    hideOverlay(activeOverlay);
    showOverlay(Overlay::Confirm);
}

void CXGameSession::cancelEndGame() {
    if (activeOverlay != Overlay::Confirm) {
        return;
    }
    std::printf("GAME GOES ON\n");
    hideOverlay(Overlay::Confirm);
    showOverlay(confirmCaller);
}

void CXGameSession::acceptEndGame() {
    if (activeOverlay != Overlay::Confirm) {
        return;
    }
    hideOverlay(Overlay::Confirm);
    showGameOver();
}

void CXGameSession::showContinue() {
    std::printf("SHOWING CONTINUE PROMPT\n");
    storeHighScore();
    state = State::InOverlay;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(Overlay::Continue);
    if (overlayScenes.continuePrompt) {
        overlayScenes.continuePrompt->setContinuesLeft(current.continues);
    }
}

void CXGameSession::showGameOver() {
    std::printf("SHOWING GAME OVER\n");
    storeHighScore();
    state = State::InOverlay;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(Overlay::GameOver);
    if (overlayScenes.gameOver) {
        overlayScenes.gameOver->appear();
    }
}

void CXGameSession::livesRanOut() {
    if (current.continues < 1) {
        showGameOver();
    } else {
        showContinue();
    }
}

void CXGameSession::gameOverFinished() {
    if (activeOverlay == Overlay::GameOver) {
        state = State::Ending;
    }
}

void CXGameSession::acceptContinue() {
    if (current.continues < 1 || activeOverlay != Overlay::Continue) {
        return;
    }
    current.takeContinue();
    if (OXSTGBasePlayer* ship = getShip()) {
        ship->setScore(0);
    }
    if (gameScene) {
        gameScene->continueTaken();
    }
    resume();
}

void CXGameSession::keepGame() {
    // A practice game keeps its replay as last.ovr, and nothing of a high score, experience
    // or progress.
    const bool practice = isPracticeGame();
    storeHighScore();
    finishRecording();
    const std::string replayPath = keepReplay();
    if (watchSpeed == 0) {
        lastResult = GameResult{};
        lastResult.ended = true;
        lastResult.replayPath = replayPath;
        lastResult.score = current.score;
        lastResult.best = current.highScore;
        lastResult.newRecord = !practice && current.isNewRecord();
        lastResult.mode = current.mode;
        lastResult.practice = practice;
        lastResult.capturedAttacks = capturedAttacks;
        lastResult.hits = static_cast<int>(recording.hits.size());
    }
    if (profile) {
        if (!practice) {
            profile->addPendingExperience(current.experience);
            profile->applyExperience();
        }
        profile->save();
    }
}

void CXGameSession::endGame() {
    keepGame();
    CXSoundManager::instance().stopMusic();
    state = State::Idle;
    std::printf("GAME ENDED, BACK TO THE MENUS\n");
    if (endHandler) {
        endHandler(endHandlerContext);
    }
}

void CXGameSession::closeGame() {
    if (!recordingOpen) {
        return;  // no game in play, or it has ended and been kept already
    }
    std::printf("GAME CLOSED IN PLAY, KEEPING IT\n");
    keepGame();
    state = State::Idle;
}

void CXGameSession::shipHit(const ReplayHit& hit) {
    if (recordingOpen) {
        recording.hits.push_back(hit);
        recording.hits.back().frame = recording.frames;
        std::printf("HIT KEPT: FRAME %d %s %s\n", recording.frames, hit.bomb ? "BOMB" : "SHIP LOST",
                    hit.attack.c_str());
    }
}

// The pulse goes to the controller only when the player wants rumble, a watched replay's only
// when they asked for it too, and never while a replay seeks (its frames play unheard and
// undrawn). It reads nothing the game's course depends on.
void CXGameSession::rumble(RumbleCue cue) {
    const CXUserProfile& values = profileValues();
    if (!rumbleDevice || !values.rumble || (playingReplay && !values.rumbleInReplays) ||
        CXSoundManager::instance().isSilenced()) {
        return;
    }
    rumbleDevice->rumble(rumblePulse(cue));
}

void CXGameSession::showSplash(int stage, const std::string& title) {
    if (OXScnBaseSplash* splash = overlayScenes.splash.get()) {
        splash->setVisible(true);
        splash->setActive(true);
        splash->showStage(stage, title);
    }
}

void CXGameSession::showBossWarning() {
    if (OXScnBaseSplash* splash = overlayScenes.splash.get()) {
        splash->setVisible(true);
        splash->setActive(true);
        splash->showBossWarning();
    }
}

// ---- Boss attacks ----

void CXGameSession::attackStarted(const std::string& boss, int phase, const std::string& name) {
    attackName = name;
    if (profile) {
        CXUserProfile::AttackRecord& record = profile->attackRecord(boss, phase, name, campaignStage());
        record.name = name;  // as the boss file names it now
        ++record.tries[storedNumber(current.difficulty)];
    }
    addMark(ReplayMark::AttackStart, phase, name);
}

void CXGameSession::attackEnded(const std::string& boss, int phase, bool captured, int timeMs) {
    if (!captured) {
        return;  // its try was counted when it began
    }
    capturedAttacks.push_back(attackName);
    if (profile) {
        CXUserProfile::AttackRecord& record = profile->attackRecord(boss, phase, attackName, campaignStage());
        const int difficulty = storedNumber(current.difficulty);
        ++record.captures[difficulty];
        // 0 stands for no capture yet: the quickest counts as at least 1 ms.
        const int ms = std::max(1, timeMs);
        int& best = record.bestMs[difficulty];
        best = best == 0 ? ms : std::min(best, ms);
    }
}

int CXGameSession::campaignStage() const {
    if (isPracticeMode(current.mode)) {
        return chosen.practice.stage;
    }
    if (current.trueRoute && current.stageIndex == kTrueRouteStageIndex) {
        return kHiddenStageChoice;
    }
    // Boss rush's list runs through the campaign's bosses in order, the hidden stage's sixth.
    return current.stageIndex;
}

void CXGameSession::addMark(ReplayMark::Kind kind, int phase, const std::string& label) {
    if (recordingOpen) {
        recording.marks.push_back({recording.frames, kind, current.stageIndex, phase, label});
    }
}

// ---- Stage clear ----

void CXGameSession::stageCleared() {
    OXSTGBasePlayer* ship = getShip();
    const float totalMultiplier = ship ? ship->getTotalMultiplier() : 1.0f;
    GameRun& run = current;
    run.grazeBonus = static_cast<int>(totalMultiplier * static_cast<float>(run.grazes) * 112.0f);
    run.orbBonus = static_cast<int>(totalMultiplier * static_cast<float>(run.orbs) * 60.0f);
    const int64_t bonus = static_cast<int64_t>(run.grazeBonus) + run.orbBonus;
    if (ship) {
        ship->addScoreFlat(static_cast<double>(bonus), false);
    } else {
        run.setScore(run.score + bonus);
    }
    run.experience += kStageClearExperience;
    run.tranceFactor += totalMultiplier * kTranceFactorGrowth[storedNumber(run.difficulty)];

    if (profile && !isPracticeGame()) {
        profile->setStageBeaten(1, run.difficulty, run.stageIndex, !run.casual);
        if (run.stageIndex == kTrueRouteStageIndex) {
            profile->addGamesBeaten(1, run.difficulty, !run.casual);
        }
    }
    if (run.mode == GameMode::Arcade && run.stageIndex == kTrueRouteStageIndex) {
        run.gameFinished = true;
        if (run.trueRoute && profile) {
            profile->trueRouteCleared[storedNumber(run.difficulty)] = true;
        }
    }
    state = State::StageSummary;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(Overlay::Summary);
    if (overlayScenes.summary) {
        overlayScenes.summary->showResults();
    }
}

void CXGameSession::summaryFinished() {
    if (state != State::StageSummary) {
        return;
    }
    hideOverlay(Overlay::Summary);
    showOverlay(Overlay::Hud);
    nextStage();
}

void CXGameSession::nextStage() {
    CXSoundManager::instance().stopMusic();
    if (current.mode == GameMode::FreePlay || current.mode == GameMode::StagePractice) {
        state = State::Ending;
        return;
    }
    ++current.stageIndex;
    if (current.stageIndex < static_cast<int>(levelList.size())) {
        if (overlayScenes.hud) {
            overlayScenes.hud->showLoadCover();
        }
        loadStage(current.stageIndex);
        ready = true;
    } else {
        state = State::Ending;
    }
}

// ---- Keeping the game ----

void CXGameSession::storeHighScore() {
    if (!profile || isPracticeGame()) {
        return;
    }
    long long& entry = tableBestOf(*profile, current.mode, current.casual, current.difficulty);
    if (current.highScore > entry) {
        entry = current.highScore;
        tableReachOf(*profile, current.mode, current.casual, current.difficulty) = stageReached();
    }
    profile->save();
}

int CXGameSession::stageReached() const {
    if (current.trueRoute) {
        return CXUserProfile::kReachedHiddenStage;
    }
    // After the last stage's clear the index has gone one past it.
    const int last = std::max(0, static_cast<int>(levelList.size()) - 1);
    return std::clamp(current.stageIndex, 0, last) + 1;
}

void CXGameSession::writeSettingsToProfile() {
    if (!profile) {
        return;
    }
    profile->touchSensitivity = touchSensitivity;
    profile->screenScale = screenScale;
    profile->musicVolume = musicVolume;
    profile->sfxVolume = sfxVolume;
    profile->leftControl = leftControl;
    profile->prizeAlpha = prizeAlpha;
    profile->backgroundDimming = visibility.backgroundDimming;
    profile->bulletContrast = visibility.bulletContrast;
    profile->hitboxMarker = visibility.hitboxMarker;
    profile->save();
}

void CXGameSession::finishRecording() {
    if (!recordingOpen) {
        return;
    }
    recordingOpen = false;
    recording.score = current.score;
    recording.best = current.isNewRecord() ? current.highScore : current.score;
    recording.reached = stageReached();
    recording.date = static_cast<int64_t>(std::time(nullptr));
    if (recording.frames > 0 &&
        (recording.checks.empty() || recording.checks.back().frame != recording.frames)) {
        recording.checks.push_back({recording.frames, stateHash()});
    }
}

namespace {
// FNV-1a over the bytes of each value.
struct StateHash {
    uint32_t value = 2166136261u;
    template <typename T>
    void add(const T& field) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&field);
        for (size_t i = 0; i < sizeof field; ++i) {
            value = (value ^ bytes[i]) * 16777619u;
        }
    }
    void add(const Vec3& at) {
        add(at.x);
        add(at.y);
    }
};
}  // namespace

uint32_t CXGameSession::stateHash() const {
    StateHash hash;
    hash.add(recording.frames);
    hash.add(state);
    hash.add(current.stageIndex);
    hash.add(current.score);
    hash.add(current.lives);
    hash.add(current.bombs);
    hash.add(current.continues);
    hash.add(shotmath::gameRandomState());
    if (!gameScene) {
        return hash.value;
    }
    hash.add(gameScene->getStageTime());
    if (const OXSTGBasePlayer* ship = getShip()) {
        hash.add(ship->getPosition());
    }
    if (CXBulletManager* bullets = gameScene->getBulletManager()) {
        hash.add(bullets->liveEnemyPoolCount());
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            const OXBullet& bullet = bullets->enemyBullet(i);
            if (!bullet.isFree()) {
                hash.add(bullet.getPosition());
            }
        }
    }
    if (const CXEnemyManager* enemies = gameScene->getEnemyManager()) {
        for (const OXEnemy* enemy : enemies->getSpawnedEnemies()) {
            hash.add(enemy->getPosition());
            hash.add(enemy->getHitPoints());
        }
        if (const OXBoss* boss = enemies->currentBoss()) {
            hash.add(boss->getPosition());
            hash.add(boss->getHitPoints());
        }
    }
    return hash.value;
}

void CXGameSession::startReplay(const Replay& replay, CXUserProfile& values) {
    values.weapon = replay.weapon;
    values.missiles = replay.missiles;
    values.options = replay.options;
    values.bombs = replay.bombs;
    values.lives = replay.lives;
    values.continues = replay.continues;
    values.aspectRatio = replay.wide ? Aspect16x9 : Aspect4x3;
    for (int binding = 0; binding < 4; ++binding) {
        values.controls[binding] = replay.bindings[binding];
    }
    values.controlScreenMode = replay.turn != 0;
    values.screenOrientation = screenOrientationFromStored(replay.turn);
    // The table's best when the game was played: its HUD shows the same HI-SCORE.
    chosen.mode = gameModeFromStored(replay.mode);
    chosen.casual = replay.casual;
    chosen.difficulty = difficultyFromStored(replay.difficulty);
    chosen.freePlayStage = replay.stage;
    if (isPracticeMode(chosen.mode)) {
        // The practice as it was chosen: its stage, its stock, its attack.
        chosen.practice.stage = replay.stage;
        chosen.practice.weapon = replay.weapon;
        chosen.practice.bombs = replay.bombs;
        chosen.practice.lives = replay.lives;
        chosen.practice.boss = replay.attackBoss;
        chosen.practice.phase = replay.attackPhase;
    }
    if (replay.tableBest >= 0) {
        tableBestOf(values, chosen.mode, chosen.casual, chosen.difficulty) = replay.tableBest;
    }
    profile = &values;
    nextSeed = replay.seed;
    startGame(chosen.mode == GameMode::BossRush ? kBossRushLevelList : kArcadeLevelList, replay.stage);
    playingReplay = true;
    markReadyToStart();
}

std::string CXGameSession::highScoreReplayName(GameMode mode, bool casual, Difficulty difficulty) {
    const char* style = casual ? "casual" : "normal";
    if (mode == GameMode::BossRush) {
        return std::string("best-bossrush-") + style + ".ovr";
    }
    return std::string("best-arcade-") + style + "-" + std::to_string(storedNumber(difficulty)) + ".ovr";
}

std::string CXGameSession::keepReplay() {
    const bool onDisk = profile && !profile->getPath().empty();
    if ((!onDisk && replayFolder.empty()) || recording.frames == 0) {
        return "";
    }
    const std::string folder = onDisk ? replayFolderFor(profile->getPath()) : replayFolder;
    std::vector<std::string> names{"last.ovr"};
    // One replay per high-score entry: a new best replaces the entry's old replay. A practice
    // game makes no entry.
    if (current.isNewRecord() && !isPracticeGame()) {
        names.push_back(highScoreReplayName(current.mode, current.casual, current.difficulty));
    }
    std::string lastPath;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        std::string problem;
        if (recording.save(path, problem)) {
            std::printf("REPLAY SAVED: %s SCORE %lld FRAMES %d\n", path.c_str(),
                        static_cast<long long>(recording.score), recording.frames);
            if (lastPath.empty()) {
                lastPath = path;
            }
        } else {
            std::printf("REPLAY NOT SAVED: %s: %s\n", path.c_str(), problem.c_str());
        }
    }
    return lastPath;
}

void CXGameSession::tearDown() {
    CXSoundManager& sound = CXSoundManager::instance();
    sound.setMusicHeld(true);
    sound.closeMusic();
    sound.clearSounds();
    deleteStageScenes();
    deleteOverlays();
    recordingOpen = false;
    replayFolder.clear();
    ready = false;
    retryWanted = false;
    state = State::Idle;
    activeOverlay = Overlay::Hud;
    watchSpeed = 0;
}

void CXGameSession::takeControl() {
    watchSpeed = 0;
    playingReplay = false;  // the player's game now: an attack practice's RETRY starts it again
    recording.practice = true;
    // The keys the replay holds now are let go as the player's own edges, so the recording,
    // which already holds the replay's keys so far, plays back to this same state.
    bool held[Replay::kKeyCodes] = {};
    for (const ReplayKey& key : recording.keys) {
        held[key.code] = key.down;
    }
    for (int code = 0; code < Replay::kKeyCodes; ++code) {
        if (held[code]) {
            keyEvent(code, false);
        }
    }
}

bool CXGameSession::isPracticeGame() const {
    return isPracticeMode(current.mode) || recording.practice;
}

// ---- Practice ----

bool CXGameSession::practiceStageExists(int stage) const {
    const int count = static_cast<int>(levelList.size());
    if (chosen.mode == GameMode::StagePractice && stage == kHiddenStageChoice) {
        return count > kTrueRouteStageIndex;
    }
    return stage >= 0 && stage < count;
}

void CXGameSession::showAttackPanel() {
    const OXScnBaseSTGGame::AttackAttempt& attempt = gameScene->getAttempt();
    using End = OXScnBaseSTGGame::AttemptEnd;
    std::printf("ATTACK PRACTICE %s: %s IN %d MS\n",
                attempt.end == End::Captured  ? "CAPTURED"
                : attempt.end == End::Cleared ? "CLEARED"
                                              : "FAILED",
                attempt.attackName.c_str(), attempt.timeMs());
    state = State::InOverlay;
    gameScene->releaseKeys();
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(Overlay::AttackPanel);
    overlayScenes.attackPanel->appear(attempt);
}

void CXGameSession::leaveAttackPanel() {
    if (activeOverlay == Overlay::AttackPanel && state == State::InOverlay) {
        state = State::Ending;
    }
}

void CXGameSession::retryPractice() {
    if (!isPracticeMode(current.mode) || state == State::Idle) {
        return;
    }
    retryWanted = true;
    state = State::Ending;
}

void CXGameSession::startPracticeAgain() {
    keepGame();
    std::printf("PRACTICE AGAIN\n");
    // The same choices; the next seed follows from this game's (a splitmix64 step).
    uint64_t seed = recording.seed + 0x9e3779b97f4a7c15ull;
    seed = (seed ^ (seed >> 30)) * 0xbf58476d1ce4e5b9ull;
    seed = (seed ^ (seed >> 27)) * 0x94d049bb133111ebull;
    nextSeed = seed ^ (seed >> 31);
    chosen.mode = current.mode;
    chosen.casual = current.casual;
    chosen.difficulty = current.difficulty;
    chosen.practice = practising;
    startGame(kArcadeLevelList, practising.stage);
    markReadyToStart();
}
