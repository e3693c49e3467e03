#include "stg/game/CXGameSession.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "audio/CXSoundManager.h"
#include "data/CXUserProfile.h"
#include "data/Plist.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/InputCodes.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
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
// Draw depth of each overlay, by index.
constexpr float kOverlayDepth[CXGameSession::OverlayCount] = {500, 600, 700, 800, 900, 1000, 1100};
// Camera framing of the stage by the profile's aspect ratio.
constexpr float kCameraAspect4x3 = 2.0f / 3.0f;
constexpr float kCameraAspect16x9 = 0.5633803f;
// The trance factor's growth per unit of multiplier at a stage clear, by difficulty.
constexpr float kTranceFactorGrowth[4] = {0.05f, 0.075f, 0.125f, 0.25f};
constexpr int kTrueRouteStageIndex = 4;
constexpr int kStageClearExperience = 200;

int clampDifficulty(int difficulty) {
    return std::clamp(difficulty, 0, 3);
}
}  // namespace

CXGameSession& CXGameSession::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXGameSession* const session = new CXGameSession();
    return *session;
}

void CXGameSession::setSceneSize(int width, int height) {
    sceneWidth = width;
    sceneHeight = height;
}

void CXGameSession::setScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}

int CXGameSession::aspectRatio() const {
    return profile && profile->aspectRatio == 1 ? 1 : 0;
}

OXSTGBasePlayer* CXGameSession::getShip() const {
    return gameScene ? gameScene->getShip() : nullptr;
}

OXScene* CXGameSession::getOverlay(int index) const {
    return index >= 0 && index < static_cast<int>(overlays.size()) ? overlays[static_cast<size_t>(index)]
                                                                   : nullptr;
}

// ---- Starting and loading ----

void CXGameSession::startGame(const std::string& levelListPath, int startStage) {
    tearDown();
    readLevelList(levelListPath);
    if (levelList.empty()) {
        // Nothing to play: the first tick ends the game and hands control back to the menus.
        std::printf("NO STAGES TO PLAY IN %s, BACK TO THE MENUS\n", levelListPath.c_str());
        stageIndex = 0;
        // Its end keeps nothing of the game before: no score, best, experience or replay.
        score = highScore = bestBefore = 0;
        experience = 0;
        recording = Replay{};
        state = Ending;
        return;
    }
    stageIndex = std::clamp(startStage, 0, static_cast<int>(levelList.size()));
    cameraAspect = aspectRatio() == 1 ? kCameraAspect16x9 : kCameraAspect4x3;

    const CXUserProfile fresh;
    const CXUserProfile& values = profile ? *profile : fresh;
    weaponLevel = values.weapon;
    missileLevel = values.missiles;
    optionPairs = values.options;
    bombs = startBombs = values.bombs;
    lives = startLives = values.lives;
    continues = startContinues = values.continues;
    const int tableIndex = clampDifficulty(difficulty);
    if (gameMode == BossRush) {
        highScore = values.bossScore[casual ? 1 : 0];
    } else {
        highScore = casual ? values.classicScore[tableIndex] : values.arcadeScore[tableIndex];
    }
    score = 0;
    grazes = orbs = grazeBonus = orbBonus = 0;
    kills = trances = 0;
    experience = 0;
    carriedBeamGauge = carriedBreakGauge = 0.0f;
    carriedGrazeChain = carriedChainBonus = 0;
    movementAllowed = shootingAllowed = flagThree = flagFour = breakGaugeEnabled = true;
    tranceFactor = 1.0f;
    ready = false;
    gameFinished = false;
    trueRoute = false;

    bestBefore = highScore;
    recording = Replay{};
    recording.keys.reserve(65536);
    recording.checks.reserve(4096);
    recording.seed = nextSeed;
    recording.tableBest = bestBefore;
    recording.mode = gameMode;
    recording.casual = casual;
    recording.difficulty = difficulty;
    recording.stage = stageIndex;
    recording.weapon = weaponLevel;
    recording.missiles = missileLevel;
    recording.options = optionPairs;
    recording.bombs = bombs;
    recording.lives = lives;
    recording.continues = continues;
    recording.wide = aspectRatio() == 1;
    for (int binding = 0; binding < 4; ++binding) {
        recording.bindings[binding] = values.bindingCode(binding);
    }
    recording.turn = values.controlScreenMode ? static_cast<int>(values.screenOrientation) : 0;
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
    loadStage(stageIndex);
    if (profile) {
        // The results screen shows the rank and experience from before this game.
        profile->rememberRank();
        profile->rememberExperience();
    }
    state = StageLoading;

    if (profile) {
        if (casual) {
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
    overlays.push_back(new OXScnBaseHUD());
    overlays.push_back(new OXScnBaseContinue());
    overlays.push_back(new OXScnGameOver());
    overlays.push_back(new OXScnBaseSplash());
    overlays.push_back(new OXScnBaseSummary());
    overlays.push_back(new OXScnBasePause());
    overlays.push_back(new OXScnEndGameConfirm());
    for (int index = 0; index < OverlayCount; ++index) {
        OXScene* overlay = overlays[static_cast<size_t>(index)];
        overlay->init();
        overlay->setZ(kOverlayDepth[index]);
        overlay->setViewport({0, 0, 0},
                             {static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0});
        const bool shown = index == HudOverlay;
        overlay->setVisible(shown);
        overlay->setActive(shown);
    }
    activeOverlay = HudOverlay;
}

void CXGameSession::deleteOverlays() {
    for (OXScene* overlay : overlays) {
        delete overlay;
    }
    overlays.clear();
}

void CXGameSession::deleteStageScenes() {
    delete gameScene;
    gameScene = nullptr;
    delete backgroundScene;
    backgroundScene = nullptr;
}

std::string CXGameSession::stagePathFor(int index) const {
    if (index < 0 || index >= static_cast<int>(levelList.size())) {
        return "";
    }
    // Hard and extreme arcade without a continue used go to the hidden last stage.
    const bool hardArcade = gameMode == Arcade && difficulty >= 2;
    if (hardArcade && index == kTrueRouteStageIndex && continues == startContinues) {
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
    const bool wide = aspectRatio() == 1;
    gameScene = new OXScnBaseSTGGame();
    gameScene->setViewport({0, 0, 0}, {static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0});
    const std::string stagePath = stagePathFor(index);
    if (stagePath == std::string(kTrueRouteStage) + ".plist") {
        trueRoute = true;
    }
    const bool intro = index == 0 && gameMode != BossRush;
    gameScene->loadStage(stagePath, intro, wide);

    const float viewWidth = wide ? 270.0f : 360.0f;
    backgroundScene = new OXScnBaseSTGBackground();
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

    state = StageLoading;
}

void CXGameSession::startSession() {
    if (gameScene && gameScene->whyUnplayable()) {
        // Nothing of such a stage can be played: the game ends back at the menus.
        std::printf("STAGE %d CANNOT BE PLAYED: %s, BACK TO THE MENUS\n", stageIndex + 1,
                    gameScene->whyUnplayable());
        state = Ending;
        return;
    }
    std::printf("START GAME SESSION, UNPAUSING MUSIC\n");
    CXSoundManager::instance().setMusicHeld(false);
    state = Playing;
    ready = false;
    grazes = orbs = grazeBonus = orbBonus = 0;
    if (auto* hud = static_cast<OXScnBaseHUD*>(getOverlay(HudOverlay))) {
        std::printf("HIDING LOAD BLOCKER\n");
        hud->hideLoadCover();
    }
    activeOverlay = HudOverlay;
    if (gameScene) {
        gameScene->start();
    }
}

// ---- The frame ----

void CXGameSession::tick(float dtMs) {
    if (state == StageLoading && ready) {
        startSession();
    }
    if (state == Playing) {
        if (gameScene) {
            gameScene->tick(kStageStepMs);
        }
        if (backgroundScene) {
            if (gameScene && gameScene->getEnemyManager()) {
                backgroundScene->setStageTime(gameScene->getStageTime());
            }
            backgroundScene->tick(kStageStepMs * (gameScene ? gameScene->getTimeScale() : 1.0f));
        }
    }
    for (int index = 0; index < static_cast<int>(overlays.size()); ++index) {
        OXScene* overlay = overlays[static_cast<size_t>(index)];
        if (!overlay->isVisible() && !overlay->isActive()) {
            continue;
        }
        const bool runsWhilePaused = index == ContinueOverlay || index == GameOverOverlay ||
                                     index == PauseOverlay || index == ConfirmOverlay;
        if (state != InOverlay || runsWhilePaused) {
            overlay->tick(kOverlayStepMs);
        }
    }
    if (extraScene) {
        extraScene->tick(dtMs);
    }
    if (recordingOpen && recording.frames < Replay::kMaxFrames) {
        ++recording.frames;
        if (recording.frames % Replay::kCheckEvery == 0) {
            recording.checks.push_back({recording.frames, stateHash()});
        }
    }
    if (state == Ending) {
        endGame();
    }
}

void CXGameSession::draw() {
    if (backgroundScene && backgroundScene->isVisible()) {
        backgroundScene->draw();
    }
    if (gameScene && gameScene->isVisible()) {
        gameScene->draw();
    }
    // Overlays by depth, which is their index order.
    for (OXScene* overlay : overlays) {
        if (overlay->isVisible()) {
            overlay->draw();
        }
    }
}

void CXGameSession::keyEvent(int code, bool down) {
    lastKeyCode = code;
    lastKeyDown = down;
    ++keyEventCount;
    if (recordingOpen && code >= 0 && code < Replay::kKeyCodes &&
        recording.keys.size() < Replay::kMaxKeys) {
        recording.keys.push_back({recording.frames, code, down});
    }
    if (!gameScene) {
        return;
    }
    // Keys move the ship only while the stage plays; an overlay takes them
    // otherwise, and the stage hears only releases so that nothing stays held.
    if (state == Playing || !down) {
        gameScene->keyEvent(code, down);
    }
    if (state == InOverlay || state == StageSummary) {
        if (OXScene* overlay = getOverlay(activeOverlay)) {
            overlay->keyEvent(code, down);
        }
    }
}

void CXGameSession::pointerEvent(int event, float nx, float ny) {
    int target = -1;
    if (state == Playing) {
        target = HudOverlay;
    } else if (state == InOverlay || state == StageSummary) {
        target = activeOverlay;
    }
    OXScene* overlay = getOverlay(target);
    if (!overlay || !overlay->isActive()) {
        return;
    }
    if (target == GameOverOverlay) {
        // The game-over screen has no buttons: a click anywhere skips it, by the key path.
        if (event == 2) {
            keyEvent(input::kChoice, true);
            keyEvent(input::kChoice, false);
        }
        return;
    }
    if (event == 1) {
        overlay->pointerPressed(nx, ny);
    } else if (event == 2) {
        overlay->pointerReleased(nx, ny);
    } else {
        overlay->pointerMoved(nx, ny);
    }
    if (target == HudOverlay) {
        static_cast<OXScnBaseHUD*>(overlay)->pointerSettled();
    }
}

// ---- Overlays ----

void CXGameSession::showOverlay(int index) {
    if (OXScene* overlay = getOverlay(index)) {
        overlay->setVisible(true);
        overlay->setActive(true);
        activeOverlay = index;
    }
}

void CXGameSession::hideOverlay(int index) {
    if (OXScene* overlay = getOverlay(index)) {
        overlay->setVisible(false);
        overlay->setActive(false);
    }
}

void CXGameSession::pause() {
    if (state != Playing) {
        return;  // already behind an overlay (game over, continue, summary) or not in a stage
    }
    std::printf("GAME PAUSED\n");
    state = InOverlay;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    showOverlay(PauseOverlay);
    if (auto* pauseScene = static_cast<OXScnBasePause*>(getOverlay(PauseOverlay))) {
        pauseScene->appear();
    }
    CXSoundManager::instance().setMusicHeld(true);
    if (gameScene) {
        gameScene->shake(0.0f);
    }
}

void CXGameSession::resume() {
    if (state != InOverlay) {
        return;
    }
    std::printf("GAME RESUMED\n");
    hideOverlay(PauseOverlay);
    hideOverlay(ContinueOverlay);
    hideOverlay(ConfirmOverlay);
    state = Playing;
    CXSoundManager::instance().setMusicHeld(false);
    showOverlay(HudOverlay);
}

void CXGameSession::confirmEndGame() {
    if (state != InOverlay) {
        return;
    }
    std::printf("ASKING TO END THE GAME\n");
    confirmCaller = activeOverlay;
    hideOverlay(activeOverlay);
    showOverlay(ConfirmOverlay);
}

void CXGameSession::cancelEndGame() {
    if (activeOverlay != ConfirmOverlay) {
        return;
    }
    std::printf("GAME GOES ON\n");
    hideOverlay(ConfirmOverlay);
    showOverlay(confirmCaller);
}

void CXGameSession::acceptEndGame() {
    if (activeOverlay != ConfirmOverlay) {
        return;
    }
    hideOverlay(ConfirmOverlay);
    showGameOver();
}

void CXGameSession::showContinue() {
    std::printf("SHOWING CONTINUE PROMPT\n");
    storeHighScore();
    state = InOverlay;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(ContinueOverlay);
    if (auto* prompt = static_cast<OXScnBaseContinue*>(getOverlay(ContinueOverlay))) {
        prompt->setContinuesLeft(continues);
    }
}

void CXGameSession::showGameOver() {
    std::printf("SHOWING GAME OVER\n");
    storeHighScore();
    state = InOverlay;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(GameOverOverlay);
    if (auto* gameOver = static_cast<OXScnGameOver*>(getOverlay(GameOverOverlay))) {
        gameOver->appear();
    }
}

void CXGameSession::gameOverFinished() {
    if (activeOverlay == GameOverOverlay) {
        state = Ending;
    }
}

void CXGameSession::acceptContinue() {
    if (continues < 1 || activeOverlay != ContinueOverlay) {
        return;
    }
    --continues;
    lives = startLives + 1;
    setScore(0);
    if (OXSTGBasePlayer* ship = getShip()) {
        ship->setScore(0);
    }
    if (gameScene) {
        gameScene->continueTaken();
    }
    resume();
}

void CXGameSession::keepGame() {
    storeHighScore();
    finishRecording();
    keepReplay();
    if (watchSpeed == 0) {
        lastResult = {true, score, highScore, isNewRecord()};
    }
    if (profile) {
        profile->addPendingExperience(experience);
        profile->applyExperience();
        profile->save();
    }
}

void CXGameSession::endGame() {
    keepGame();
    CXSoundManager::instance().stopMusic();
    state = Idle;
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
    state = Idle;
}

void CXGameSession::showSplash(int stage) {
    if (auto* splash = static_cast<OXScnBaseSplash*>(getOverlay(SplashOverlay))) {
        splash->setVisible(true);
        splash->setActive(true);
        splash->showStage(stage);
    }
}

void CXGameSession::showBossWarning() {
    if (auto* splash = static_cast<OXScnBaseSplash*>(getOverlay(SplashOverlay))) {
        splash->setVisible(true);
        splash->setActive(true);
        splash->showBossWarning();
    }
}

// ---- Stage clear ----

void CXGameSession::stageCleared() {
    OXSTGBasePlayer* ship = getShip();
    const float totalMultiplier = ship ? ship->getTotalMultiplier() : 1.0f;
    grazeBonus = static_cast<int>(totalMultiplier * static_cast<float>(grazes) * 112.0f);
    orbBonus = static_cast<int>(totalMultiplier * static_cast<float>(orbs) * 60.0f);
    const int64_t bonus = static_cast<int64_t>(grazeBonus) + orbBonus;
    if (ship) {
        ship->addScoreFlat(static_cast<double>(bonus), false);
    } else {
        setScore(score + bonus);
    }
    experience += kStageClearExperience;
    tranceFactor += totalMultiplier * kTranceFactorGrowth[clampDifficulty(difficulty)];

    if (profile) {
        profile->setStageBeaten(1, difficultyFromStored(difficulty), stageIndex, !casual);
        if (stageIndex == kTrueRouteStageIndex) {
            profile->addGamesBeaten(1, difficultyFromStored(difficulty), !casual);
        }
    }
    if (gameMode == Arcade && stageIndex == kTrueRouteStageIndex) {
        gameFinished = true;
    }
    state = StageSummary;
    if (gameScene) {
        gameScene->releaseKeys();
    }
    CXSoundManager::instance().setMusicHeld(true);
    showOverlay(SummaryOverlay);
    if (auto* summary = static_cast<OXScnBaseSummary*>(getOverlay(SummaryOverlay))) {
        summary->showResults();
    }
}

void CXGameSession::carryShipValues(const OXSTGBasePlayer& ship) {
    carriedBeamGauge = ship.getBeamGauge();
    carriedBreakGauge = ship.getBreakGauge();
    carriedGrazeChain = ship.getGrazeChain();
    carriedChainBonus = ship.bonusValue();
}

void CXGameSession::summaryFinished() {
    if (state != StageSummary) {
        return;
    }
    hideOverlay(SummaryOverlay);
    showOverlay(HudOverlay);
    nextStage();
}

void CXGameSession::nextStage() {
    CXSoundManager::instance().stopMusic();
    if (gameMode == FreePlay) {
        state = Ending;
        return;
    }
    ++stageIndex;
    if (stageIndex < static_cast<int>(levelList.size())) {
        if (auto* hud = static_cast<OXScnBaseHUD*>(getOverlay(HudOverlay))) {
            hud->showLoadCover();
        }
        loadStage(stageIndex);
        ready = true;
    } else {
        state = Ending;
    }
}

// ---- Counters ----

void CXGameSession::setScore(int64_t value) {
    score = value;
    if (score > highScore) {
        highScore = score;
    }
}

void CXGameSession::countRespawn(bool firstSpawn) {
    if (firstSpawn) {
        return;
    }
    --lives;
    bombs = startBombs;
}

void CXGameSession::useBomb() {
    if (bombs > 0) {
        --bombs;
    }
}

void CXGameSession::countKill() {
    ++kills;
    ++experience;
}

void CXGameSession::resetStageCounters() {
    grazes = 0;
    orbs = 0;
}

void CXGameSession::storeHighScore() {
    if (!profile) {
        return;
    }
    const int tableIndex = clampDifficulty(difficulty);
    if (gameMode == BossRush) {
        long long& entry = profile->bossScore[casual ? 1 : 0];
        entry = std::max<long long>(entry, highScore);
    } else {
        long long& entry = casual ? profile->classicScore[tableIndex] : profile->arcadeScore[tableIndex];
        entry = std::max<long long>(entry, highScore);
    }
    profile->save();
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
    recording.score = score;
    recording.best = highScore > bestBefore ? highScore : score;
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
    hash.add(stageIndex);
    hash.add(score);
    hash.add(lives);
    hash.add(bombs);
    hash.add(continues);
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
    if (replay.tableBest >= 0) {
        const int tableIndex = clampDifficulty(replay.difficulty);
        if (replay.mode == BossRush) {
            values.bossScore[replay.casual ? 1 : 0] = replay.tableBest;
        } else if (replay.casual) {
            values.classicScore[tableIndex] = replay.tableBest;
        } else {
            values.arcadeScore[tableIndex] = replay.tableBest;
        }
    }
    profile = &values;
    gameMode = replay.mode;
    casual = replay.casual;
    difficulty = replay.difficulty;
    chosenStage = replay.stage;
    nextSeed = replay.seed;
    startGame(gameMode == BossRush ? kBossRushLevelList : kArcadeLevelList, replay.stage);
    markReadyToStart();
}

std::string CXGameSession::highScoreReplayName(int mode, bool casual, int difficulty) {
    const char* style = casual ? "casual" : "normal";
    if (mode == BossRush) {
        return std::string("best-bossrush-") + style + ".ovr";
    }
    return std::string("best-arcade-") + style + "-" + std::to_string(clampDifficulty(difficulty)) + ".ovr";
}

void CXGameSession::keepReplay() {
    if (!profile || profile->getPath().empty() || recording.frames == 0) {
        return;
    }
    const std::string folder = replayFolderFor(profile->getPath());
    std::vector<std::string> names{"last.ovr"};
    // One replay per high-score entry: a new best replaces the entry's old replay.
    if (highScore > bestBefore) {
        names.push_back(highScoreReplayName(gameMode, casual, difficulty));
    }
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        std::string problem;
        if (recording.save(path, problem)) {
            std::printf("REPLAY SAVED: %s SCORE %lld FRAMES %d\n", path.c_str(),
                        static_cast<long long>(recording.score), recording.frames);
        } else {
            std::printf("REPLAY NOT SAVED: %s: %s\n", path.c_str(), problem.c_str());
        }
    }
}

void CXGameSession::tearDown() {
    CXSoundManager& sound = CXSoundManager::instance();
    sound.setMusicHeld(true);
    sound.closeMusic();
    sound.clearSounds();
    deleteStageScenes();
    deleteOverlays();
    recordingOpen = false;
    ready = false;
    state = Idle;
    activeOverlay = HudOverlay;
    watchSpeed = 0;
}
