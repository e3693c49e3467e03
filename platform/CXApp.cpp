#include "platform/CXApp.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <utility>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "data/ScreenOrientation.h"
#include "engine/CXGfxManager.h"
#include "engine/OXScnDefaultLoadBlocker.h"
#include "engine/gl/IXGLDevice.h"
#include "frontend/MenuScenes.h"
#include "frontend/OXScnDefaultBg.h"
#include "frontend/OXScnVLCredits.h"
#include "frontend/ScreenParts.h"
#include "platform/Resolution.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "stg/game/overlays/OXScnWatchBar.h"
#include "tools/pilot/Autopilot.h"

namespace {
constexpr int kJoystickSlots = 8;
const char* const kMenuTrack = "assets/audio/mastering - menu.ogg";
// The music fader's rates, per ms of frame time: the menus' track comes up to full in 2 s, so
// it is heard at its level soon after PRESS START; a fade-out takes 1 s.
constexpr float kMusicFadeInPerMs = 0.0005f;
constexpr float kMusicFadeOutPerMs = 0.001f;

// The load blocker fades in over this long, then holds until its timed
// action ends and the stage (or the menus) can be built behind it.
constexpr float kBlockerFadeMs = 600.0f;
constexpr float kBlockerHoldMs = 700.0f;
constexpr float kBlockerFadeOutMs = 1000.0f;
// The front-end scene a game that was not finished returns to: the results count its
// experience up.
constexpr int kAfterGameScene = kResultsScene;
// The test pilot's ship is shielded this long at a time, renewed before it runs out.
constexpr float kTestShieldMs = 4000.0f;

bool hideWhenDone(void* scene, int) {
    auto* blocker = static_cast<OXScene*>(scene);
    blocker->setActive(false);
    blocker->setVisible(false);
    return false;
}

// The front-end scene list: console line, depth.
struct MenuSceneRow {
    const char* line;
    float depth;
};
const MenuSceneRow kMenuSceneRows[kMenuSceneCount] = {
    {"Loading title screen\n", 0},
    {"Loading main screen\n", -10},
    {"Loading bonus screen\n", -20},
    {"Loading mode select screen\n", -30},
    {"Loading stage select screen\n", -40},
    {"Loading difficulty screen\n", -50},
    {"Loading tutorial screen\n", -60},
    {"Loading hanger screen\n", -70},
    {"Loading highscore screen\n", -80},
    {"Loading option screen\n", -90},
    {"Loading option control screen\n", -100},
    {"Loading credits screen\n", -110},
    {"Loading results screen\n", -120},
    {"Loading fighter select screen\n", -130},
    {"Loading replay theatre screen\n", -140},
    {"Loading practice screen\n", -150},
    {nullptr, -160},
    {"Loading input test screen\n", -170},
};

}  // namespace

CXApp& CXApp::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXApp* const app = new CXApp();
    return *app;
}

CXApp::CXApp() : userProfile(std::make_unique<CXUserProfile>()) {}

CXApp::~CXApp() {
    deleteMenuScenes();
    delete loadBlocker;
    // The session outlives every application object: it must not keep this one's profile.
    CXGameSession& session = CXGameSession::instance();
    if (userProfile && session.getProfile() == userProfile.get()) {
        session.setProfile(nullptr);
        session.setEndHandler(nullptr, nullptr);
    }
}

void CXApp::setResolution(int index, bool wantFullscreen) {
    if (index < 0 || index >= kResolutionCount) {
        index = kDefaultResolution;
    }
    resolutionIndex = index;
    fullscreen = wantFullscreen;
    const Resolution& resolution = kResolutions[index];
    screenWidth = resolution.screenWidth;
    screenHeight = resolution.screenHeight;
    touchWidth = resolution.touchWidth;
    touchHeight = resolution.touchHeight;
    sceneWidth = 768;
    sceneHeight = 1024;
    updateCompositeLayout();
}

void CXApp::updateCompositeLayout() {
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setGameArea(gameAreaWidth(), gameAreaHeight());
    gfx.setResolutionBoost(resolutionIndex == kResolution1440x1080, userProfile->aspectRatio == Aspect16x9);
}

bool CXApp::initialise() {
    if (!initCore()) {
        return false;
    }
    initAudioAndGraphics();
    initFrontEnd();
    return true;
}

bool CXApp::initCore() {
    userProfile = std::make_unique<CXUserProfile>();
    userProfile->setPath(CXUserProfile::playerProfilePath());
    userProfile->load();
    CXGameSession& session = CXGameSession::instance();
    session.setScreenSize(screenWidth, screenHeight);
    std::printf("screen dimensions: %d, %d\n", screenWidth, screenHeight);
    std::printf("scene dimensions: %d, %d\n", sceneWidth, sceneHeight);
    std::printf("touch dimensions: %d, %d\n", touchWidth, touchHeight);
    return isAssetPackageMounted() || mountPackage();
}

bool CXApp::mountPackage() {
    packagePlaces = assetPackagePlaces(runningProgramPath());
    packageDamage.clear();
    const std::string mounted = mountFirstAssetPackage(packagePlaces);
    if (mounted.empty()) {
        return false;
    }
    // A package that mounts but lacks its shaders or its property lists would fail later as a
    // graphics card without OpenGL 2.0, or as a black window: it is refused here by what it lacks.
    const std::string shader = CXGfxManager::missingShaderSource();
    if (!shader.empty()) {
        packageDamage = mounted + " has no shader " + shader;
    } else if (!assetFolderHolds("assets/plist", ".plist")) {
        packageDamage = mounted + " has no property lists in assets/plist";
    }
    if (packageDamage.empty()) {
        return true;
    }
    std::printf("ASSET PACKAGE DAMAGED! %s\n", packageDamage.c_str());
    unmountAssetPackage();
    return false;
}

std::string CXApp::missingPackageText() const {
    std::string text = "VORTALIS 2 cannot start: its game data, ";
    if (!packageDamage.empty()) {
        text += kAssetPackageName;
        text += ", is damaged:\n  " + packageDamage + ".\nReinstalling the game puts it back.";
        return text;
    }
    text += kAssetPackageName;
    text += ", is missing or damaged.\nIt looked in:\n";
    for (const std::string& place : packagePlaces) {
        text += "  " + place + "\n";
    }
    text += "Reinstalling the game puts it back.";
    return text;
}

void CXApp::initAudioAndGraphics() {
    CXSoundManager::instance().setBasePath("assets/audio/");
    applyProfileVolumes();
    std::printf("Setting up GFX manager.\n");
    std::fflush(stdout);
    CXGfxManager& gfx = CXGfxManager::instance();
    const Resolution& resolution = kResolutions[resolutionIndex];
    gfx.setRenderSize(resolution.renderWidth, resolution.renderHeight);
    gfx.setScreenSize(screenWidth, screenHeight);
    gfx.setup();
}

void CXApp::initFrontEnd() {
    setAspectRatio(userProfile->aspectRatio);
    // The title is silent: its start prompt starts the menu music on the way to the main menu.
    createMenuScenes(kTitleScene, false, false);
    setScreenOrientation(userProfile->screenOrientation);
    CXGfxManager::instance().setBufferScale(userProfile->bufferScale);
    if (joystick) {
        joystick->update();
        for (int slot = 0; slot < kJoystickSlots; ++slot) {
            if (joystick->isConnected(slot)) {
                std::printf("External controller %d connected!\n", slot);
                std::printf("Number of buttons for controller: %d\n", joystick->getButtonCount(slot));
            }
        }
    }
    ready = true;
}

void CXApp::dispatchKeyEdges(const uint8_t keys[256], uint8_t previousKeys[256]) {
    for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
        if (keys[virtualKey] != previousKeys[virtualKey]) {
            if (keys[virtualKey]) {
                noteDeviceUse(Device::Keyboard);
            }
            deliverKey(keyCodeForVirtualKey(virtualKey), keys[virtualKey] != 0);
            previousKeys[virtualKey] = keys[virtualKey];
        }
    }
}

void CXApp::deliverKey(int code, bool down) {
    if (down) {
        notePointerUse(false);
    }
    if (code >= 0 && code < static_cast<int>(std::size(keysHeld))) {
        keysHeld[code] = down;
    }
    if (watching) {
        watchKey(code, down);  // the replay plays its own keys
        return;
    }
    CXGameSession::instance().keyEvent(code, down);
    if (mode == FrontEnd && currentScene >= 0 && currentScene < static_cast<int>(scenes.size()) &&
        pendingScene == -1 && scenes[currentScene]) {
        scenes[currentScene]->keyEvent(code, down);
    }
}

void CXApp::deliverText(uint32_t codePoint) {
    if (mode == FrontEnd && currentScene >= 0 && currentScene < static_cast<int>(scenes.size()) &&
        pendingScene == -1 && scenes[currentScene]) {
        scenes[currentScene]->textEntered(codePoint);
    }
}

void CXApp::deliverPointer(int event, float windowX, float windowY) {
    float nx = 0.0f, ny = 0.0f;
    const bool inside = CXGfxManager::instance().windowToGameArea(windowX, windowY, nx, ny);
    notePointerUse(true);
    if (event == PointerPressed) {
        noteDeviceUse(Device::Mouse);
    }
    if (watching) {
        // The replay plays its own input: a click on the game area (pressed and released
        // there while the replay shows) leaves it.
        if (mode == InStage && event == PointerPressed) {
            replayPointerDown = inside;
        } else if (mode == InStage && event == PointerReleased && replayPointerDown) {
            replayPointerDown = false;
            if (inside) {
                leaveReplay();
            }
        }
        return;
    }
    if (mode == InStage) {
        // In a stage the HUD's buttons and the overlays' take the mouse; a press outside the
        // game area reaches nothing.
        if (inside || event != PointerPressed) {
            CXGameSession::instance().pointerEvent(static_cast<CXGameSession::Pointer>(event), nx, ny);
        }
        return;
    }
    if (mode != FrontEnd || currentScene < 0 || currentScene >= static_cast<int>(scenes.size()) ||
        pendingScene != -1 || !scenes[currentScene]) {
        return;
    }
    OXScene& scene = *scenes[currentScene];
    if (event == PointerPressed) {
        if (inside) {
            scene.pointerPressed(nx, ny);
        }
    } else if (event == PointerReleased) {
        scene.pointerReleased(nx, ny);
    } else {
        scene.pointerMoved(nx, ny);
    }
}

void CXApp::notePointerUse(bool inUse) {
    pointerInUse = inUse;
    if (mode != InStage) {
        return;
    }
    if (OXScnBaseHUD* hud = CXGameSession::instance().overlays().hud.get()) {
        hud->setPointerInUse(inUse);
    }
}

bool CXApp::isPointerShown() const {
    if (mode != InStage) {
        return true;
    }
    const CXGameSession::State state = CXGameSession::instance().getState();
    return pointerInUse || state == CXGameSession::State::InOverlay ||
           state == CXGameSession::State::StageSummary;
}

void CXApp::setGamepad(SdlGamepad* pad) {
    gamepad = pad;
    joystick = pad;
    CXGameSession::instance().setRumble(pad);
}

void CXApp::noteDeviceUse(Device device, PadKind kind) {
    // The mouse's hints are the keyboard's; a pad's depend on its kind.
    const bool namesChange = (device == Device::Pad) != (lastDeviceUsed == Device::Pad) ||
                             (device == Device::Pad && kind != lastPadKindUsed);
    lastDeviceUsed = device;
    if (device == Device::Pad) {
        lastPadKindUsed = kind;
    }
    if (namesChange) {
        for (OXScene* scene : scenes) {
            if (scene) {
                scene->keyNamesChanged();
            }
        }
    }
}

void CXApp::controllerChanged(const PadChange& change) {
    if (mode == InStage && !watching) {
        CXGameSession::instance().pauseForController(change.connected ? "CONTROLLER CONNECTED"
                                                                      : "CONTROLLER UNPLUGGED");
    } else if (mode == FrontEnd && currentScene >= 0 && currentScene < static_cast<int>(scenes.size()) &&
               scenes[currentScene]) {
        scenes[currentScene]->controllerChanged(change.connected);
    }
    // With no pad left, the hints name the keys again.
    if (!change.connected && lastDeviceUsed == Device::Pad && gamepad && !gamepad->isConnected(0)) {
        noteDeviceUse(Device::Keyboard);
    }
}

void CXApp::update(float dtMs) {
    if (gamepad) {
        gamepad->setStick(userProfile->padDeadZone, userProfile->padStickMoves);
    }
    if (joystickEnabled && joystick) {
        joystickInput.pass(*joystick, [this](int code, bool down) {
            if (down) {
                noteDeviceUse(Device::Pad, gamepad ? gamepad->kind(0) : PadKind::Other);
            }
            deliverKey(code, down);
        });
    }
    PadChange change;
    while (gamepad && gamepad->takeChange(change)) {
        controllerChanged(change);
    }
    if (loadBlocker && loadBlocker->isActive()) {
        loadBlocker->tick(dtMs);
    }
    // By index: a scene deleted or rebuilt by a callback during this pass is
    // not touched afterwards.
    for (size_t index = 0; index < scenes.size(); ++index) {
        if (scenes[index] && scenes[index]->isActive()) {
            scenes[index]->tick(dtMs);
        }
    }
    if (mode == StageStartRequested) {
        beginStageLoad();
    }
    if (mode == InStage) {
        notePointerUse(pointerInUse);  // a stage's new HUD learns it too
    }
    if (mode == InStage && watching) {
        updateWatching(dtMs);
    } else if (mode == InStage) {
        // More than one game frame a frame only under the test setting (see setGameSpeed), and
        // only while the stage plays: the overlays (pause, continue, game over) keep the
        // player's pace. A game that ends on one of them is not ticked again.
        CXGameSession& session = CXGameSession::instance();
        tickGame(session, dtMs);
        for (int step = 1;
             step < gameSpeed && mode == InStage && session.getState() == CXGameSession::State::Playing;
             ++step) {
            tickGame(session, dtMs);
        }
    }
    updateMusicFade(dtMs);
    ScreenParts::newMenuFrame();
}

void CXApp::render() {
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.beginFrame();
    IXGLDevice& gl = glDevice();
    gl.clearColor(0, 0, 0, 1);
    gl.clear(GL_COLOR_BUFFER_BIT);
    // The menus' background under every screen, then the screens from the last index to the first.
    if (scenes.size() > kMenuBackgroundScene && scenes[kMenuBackgroundScene] &&
        scenes[kMenuBackgroundScene]->isActive()) {
        scenes[kMenuBackgroundScene]->draw();
    }
    for (size_t index = scenes.size(); index-- > 0;) {
        if (index != kMenuBackgroundScene && scenes[index] && scenes[index]->isActive()) {
            scenes[index]->draw();
        }
    }
    if (mode == InStage) {
        // A seek long enough to show its progress leaves the field dark under the bar.
        if (!(watchBar && watchBar->coversField())) {
            CXGameSession::instance().draw();
        }
        if (watchBar) {
            watchBar->draw();
        }
    }
    if (loadBlocker && loadBlocker->isVisible()) {
        loadBlocker->draw();
    }
    gfx.endFrame();
}

void CXApp::setAspectRatio(int flag) {
    userProfile->aspectRatio = aspectRatioFromStored(flag);
    aspect = userProfile->aspectRatio == Aspect16x9 ? 0.5625f : 0.75f;
    layoutScenes();
    updateCompositeLayout();
}

void CXApp::setScreenOrientation(int orientation) {
    userProfile->screenOrientation = screenOrientationFromStored(orientation);
    layoutScenes();
    CXGfxManager::instance().setScreenOrientation(userProfile->screenOrientation);
    updateCompositeLayout();
}

int CXApp::gameAreaHeight() const {
    const Resolution& resolution = kResolutions[resolutionIndex];
    return turnsSideways(userProfile->screenOrientation) ? resolution.renderHeight : resolution.touchHeight;
}

int CXApp::gameAreaWidth() const {
    return static_cast<int>(gameAreaHeight() * aspect);
}

void CXApp::setupSceneView(OXScene& scene) const {
    scene.setViewport({0, 0, 0},
                      {static_cast<float>(gameAreaWidth()), static_cast<float>(gameAreaHeight()), 0});
    scene.setScale(1, 1, 1);
    scene.setSize(1, 1, 1);
    scene.setViewHeight(static_cast<float>(sceneHeight));
    scene.setViewWidth(sceneHeight * aspect);
    scene.setEye(sceneWidth / 2.0f, sceneHeight / 2.0f, 100);
    scene.setCentre(sceneWidth / 2.0f, sceneHeight / 2.0f, -100);
    scene.setHighlightSprite("assets/plist/spr_select_highlight");
}

namespace {
// The credits and the menu background look at the scene in perspective.
void aimPerspective(OXScene& scene, float sceneHeight, float aspect) {
    scene.setEye(sceneHeight * aspect, sceneHeight, -1000);
    scene.setCentre(sceneHeight * aspect, sceneHeight + 0.1f, 1000);
    scene.setOrthographicMode(false);
}
}  // namespace

void CXApp::layoutScenes() {
    for (OXScene* scene : scenes) {
        if (scene) {
            setupSceneView(*scene);
        }
    }
    if (scenes.size() > kCreditsScene && scenes[kCreditsScene]) {
        aimPerspective(*scenes[kCreditsScene], static_cast<float>(sceneHeight), aspect);
    }
    if (scenes.size() > kMenuBackgroundScene && scenes[kMenuBackgroundScene]) {
        aimPerspective(*scenes[kMenuBackgroundScene], static_cast<float>(sceneHeight), aspect);
        scenes[kMenuBackgroundScene]->setVisible(true);
        scenes[kMenuBackgroundScene]->setActive(true);
    }
}

void CXApp::deleteMenuScenes() {
    for (OXScene* scene : scenes) {
        delete scene;
    }
    scenes.clear();
    currentScene = -1;
    pendingScene = -1;
}

void CXApp::createMenuScenes(int startIndex, bool playMusic, bool finalCredits) {
    deleteMenuScenes();
    ScreenParts::loadMenuSounds();
    for (int index = 0; index < kMenuSceneCount; ++index) {
        const MenuSceneRow& row = kMenuSceneRows[index];
        if (row.line) {
            std::printf("%s", row.line);
        }
        OXScene* scene = makeMenuScene(index, *this);
        scene->init();
        setupSceneView(*scene);
        scene->setZ(row.depth);
        const bool starting = index == startIndex;
        if (starting) {
            currentScene = index;
        }
        scene->setVisible(starting);
        scene->setActive(starting);
        if (index == kCreditsScene) {
            aimPerspective(*scene, static_cast<float>(sceneHeight), aspect);
            if (finalCredits) {
                // The hidden last stage is cleared: its epilogue, then the credits, over the dawn.
                static_cast<OXScnVLCredits*>(scene)->loadCredits(OXScnVLCredits::kFinalCreditsList,
                                                                 OXScnVLCredits::kCreditsFont);
            }
        }
        if (index == kMenuBackgroundScene) {
            auto* background = static_cast<OXScnDefaultBg*>(scene);
            background->loadBackground(finalCredits ? "assets/plist/gd_final_credits.plist"
                                                    : "assets/plist/gd_credits.plist");
            aimPerspective(*scene, static_cast<float>(sceneHeight), aspect);
            scene->setVisible(true);
            scene->setActive(true);
        }
        scenes.push_back(scene);
    }
    if (playMusic) {
        startMenuMusic();
    }
    if (currentScene >= 0) {
        scenes[currentScene]->enterFinished();
    }
    mode = FrontEnd;
    setMenuKeys(userProfile->bindingCode(0), userProfile->bindingCode(2));
}

void CXApp::setMenuKeys(int acceptKey, int backKey) {
    for (OXScene* scene : scenes) {
        scene->acceptKey = acceptKey;
        scene->backKey = backKey;
    }
}

void CXApp::switchToScene(int index) {
    // The results of a replay the player took over: their way back (the practice screen's, as
    // after any practice game) leads to the screen the replay was watched from.
    if (currentScene == kResultsScene && takenOverReturnScene != kNoTakeOver && index != kResultsScene) {
        if (index == kPracticeScene) {
            index = takenOverReturnScene;
        }
        takenOverReturnScene = kNoTakeOver;
    }
    if (index == currentScene || index < 0 || index >= static_cast<int>(scenes.size()) || currentScene < 0 ||
        currentScene >= static_cast<int>(scenes.size())) {
        return;
    }
    OXScene* entering = scenes[index];
    OXScene* leaving = scenes[currentScene];
    if (!entering || !leaving) {
        return;
    }
    // The player hears the way the screens slide: on to a later screen is an accept,
    // back to an earlier one a back.
    ScreenParts::playMenuSound(currentScene < index ? ScreenParts::MenuSound::Accept
                                                    : ScreenParts::MenuSound::Back);
    entering->setVisible(true);
    entering->setActive(true);
    // A later screen enters from the right and pushes the old one out to the
    // left; going back slides the other way.
    if (currentScene < index) {
        entering->transitionIn(this, switchFinished, OXScene::SlideFromRight);
        leaving->transitionOut(OXScene::SlideToLeft);
    } else {
        entering->transitionIn(this, switchFinished, OXScene::SlideFromLeft);
        leaving->transitionOut(OXScene::SlideToRight);
    }
    pendingScene = index;
}

bool CXApp::switchFinished(void* target, int) {
    auto* app = static_cast<CXApp*>(target);
    app->ready = true;
    app->currentScene = app->pendingScene;
    app->pendingScene = -1;
    const int index = app->currentScene;
    if (index >= 0 && index < static_cast<int>(app->scenes.size()) && app->scenes[index]) {
        app->scenes[index]->enterFinished();
        std::printf("MENU SCREEN %d\n", index);
    }
    return false;
}

void CXApp::createLoadBlocker(const std::string& logoPath, const std::string& fontPath) {
    delete loadBlocker;
    loadBlocker = new OXScnDefaultLoadBlocker();
    loadBlocker->init();
    loadBlocker->setActive(true);
    loadBlocker->setVisible(true);
    setupSceneView(*loadBlocker);
    loadBlocker->setEye(sceneHeight * aspect / 2, sceneHeight / 2.0f, 100);
    loadBlocker->setCentre(sceneHeight * aspect / 2, sceneHeight / 2.0f, -100);
    loadBlocker->setZ(900);
    loadBlocker->setup(logoPath, fontPath);
}

void CXApp::showLoadBlocker(bool (*completion)(void* app, int argument)) {
    loadBlocker->enterStarted();
    loadBlocker->fadeTo(kBlockerFadeMs, 0.0f, 1.0f, 2.0f);
    loadBlocker->scaleTo(kBlockerHoldMs, {1, 1, 1}, {1, 1, 1}, 1.0f, this, completion);
}

void CXApp::requestStageStart() {
    mode = StageStartRequested;
}

void CXApp::beginStageLoad() {
    createLoadBlocker("assets/plist/spr_HUD_load_logo_PC", "assets/plist/fnt_novo_white");
    CXSoundManager& sound = CXSoundManager::instance();
    sound.stopMusic();
    sound.closeMusic();
    showLoadBlocker([](void* app, int) {
        static_cast<CXApp*>(app)->startStage();
        return false;
    });
    mode = StageLoading;
}

bool CXApp::showHit(const std::string& path, int hitIndex, int returnScene) {
    Replay replay;
    std::string problem;
    if (!Replay::load(path, replay, problem)) {
        std::printf("REPLAY REFUSED: %s: %s\n", path.c_str(), problem.c_str());
        return false;
    }
    std::printf("WATCHING REPLAY: %s\n", path.c_str());
    watchLoadedReplay(std::move(replay), returnScene, hitIndex);
    return true;
}

void CXApp::askToKeepLastReplay() {
    keepRequested = true;
}

bool CXApp::takeKeepRequest() {
    return std::exchange(keepRequested, false);
}

bool CXApp::watchReplay(const std::string& path, int returnScene) {
    return showHit(path, kNoHitSought, returnScene);
}

void CXApp::watchLoadedReplay(Replay replay, int returnScene, int hitIndex) {
    watched = std::move(replay);
    watchReturnScene = returnScene;
    watching = true;
    leavingReplay = false;
    practiceAfterReplay = false;
    replayPointerDown = false;
    hitToShow = hitIndex;
    requestStageStart();
}

void CXApp::updateWatching(float dtMs) {
    CXGameSession& session = CXGameSession::instance();
    // The HUD says REPLAY; the bar tells the speed.
    session.setWatchSpeed(1);
    if (!leavingReplay) {
        // The status the last frame saw: a key may have changed it since (a step onto the end).
        const ReplayDeck::Status before = watchedStatus;
        watch.update(dtMs);
        const ReplayDeck::Status status = watchedStatus = deck.getStatus();
        if (status == ReplayDeck::Status::Desync && before != ReplayDeck::Status::Desync) {
            // Held on the frame where the game went its own way, with a line, until the player
            // leaves: a replay is never played on out of step.
            std::printf("REPLAY DESYNC AT FRAME %d\n", deck.getDesyncFrame());
            watch.say("OUT OF STEP AT " + ReplayWatch::clock(deck.getDesyncFrame()) + ": C LEAVES",
                      ReplayWatch::kHeldMessage);
        } else if (status == ReplayDeck::Status::Finished && before != ReplayDeck::Status::Finished) {
            // A replay whose game ended calls the menus back by itself; one cut short (or sought
            // to its end) holds its last frame until the player leaves.
            std::printf("REPLAY ENDED AT FRAME %d\n", deck.getFrame());
            watch.say(watch.message().empty() ? "END OF THE REPLAY: C LEAVES" : watch.message(),
                      ReplayWatch::kHeldMessage);
        }
    }
    if (watchBar) {
        watchBar->follow(watch, watching ? &deck : nullptr);
        watchBar->tick(dtMs);
    }
}

void CXApp::buildWatchBar() {
    watchBar = std::make_unique<OXScnWatchBar>();
    watchBar->init();
    watchBar->setViewport({0, 0, 0},
                          {static_cast<float>(gameAreaWidth()), static_cast<float>(gameAreaHeight()), 0});
    // Above the stage's overlays, and inside the overlay camera's depth range.
    watchBar->setZ(1100);
    watchBar->setVisible(true);
    watchBar->setActive(true);
    watchBar->follow(watch, &deck);
}

void CXApp::watchKey(int code, bool down) {
    if (mode != InStage || leavingReplay) {
        return;
    }
    switch (watch.key(code, down)) {
        case ReplayWatch::Action::TakeControl:
            takeControlOfReplay();
            break;
        case ReplayWatch::Action::PracticeHit:
            practiseShownHit();
            break;
        case ReplayWatch::Action::Leave:
            leaveReplay();
            break;
        default:
            break;
    }
}

void CXApp::takeControlOfReplay() {
    if (!deck.takeControl()) {
        watch.say("NO TAKING OVER NOW");
        return;
    }
    // From here the session is the player's game: keys and the pointer go to it as in play.
    // It stays on the replay's profile (its stock, controls and framing) until it ends.
    CXGameSession& session = CXGameSession::instance();
    watch.end();
    watchBar.reset();
    watching = false;
    takenOverReturnScene = watchReturnScene;
    session.setWatchSpeed(0);
    if (!userProfile->getPath().empty()) {
        session.setReplayFolder(replayFolderFor(userProfile->getPath()));
    }
    // The keys the player holds now are pressed for the game, so the ship answers at once;
    // not the take-over key itself.
    constexpr int kTakeOverKey = 21;
    for (int code = 0; code < static_cast<int>(std::size(keysHeld)); ++code) {
        if (keysHeld[code] && code != kTakeOverKey) {
            session.keyEvent(code, true);
        }
    }
}

void CXApp::practiseShownHit() {
    const ReplayHit* hit = watch.shownHit();
    if (!hit) {
        return;
    }
    // The hit's attack on the replay's difficulty with the replay's stock; a hit of the stage's
    // waves practises the stage.
    GameChoices& choices = gameChoices();
    choices.mode = hit->boss.empty() ? GameMode::StagePractice : GameMode::AttackPractice;
    choices.casual = watched.casual;
    choices.difficulty = difficultyFromStored(watched.difficulty);
    choices.practice.stage = hit->stage;
    choices.practice.weapon = watched.weapon;
    choices.practice.bombs = watched.bombs;
    choices.practice.lives = watched.lives;
    choices.practice.boss = hit->boss;
    choices.practice.phase = hit->boss.empty() ? -1 : hit->phase;
    std::printf("PRACTISING THE HIT'S ATTACK: %s\n", hit->attack.c_str());
    practiceAfterReplay = true;
    leaveReplay();
}

void CXApp::closeReplay() {
    deck.close();
    watch.end();
    watchBar.reset();
    watching = leavingReplay = false;
    CXGameSession::instance().setProfile(userProfile.get());
    replayProfile.reset();
}

void CXApp::leaveReplay() {
    if (leavingReplay) {
        return;
    }
    leavingReplay = true;
    std::printf("LEAVING REPLAY\n");
    CXSoundManager::instance().stopMusic();
    returnToMenus();
}

void CXApp::startStage() {
    deleteMenuScenes();
    CXGameSession& session = CXGameSession::instance();
    if (watching) {
        session.setEndHandler([](void* app) { static_cast<CXApp*>(app)->returnToMenus(); }, this);
        session.setScreenSize(gameAreaWidth(), gameAreaHeight());
        // The replay's stock, bindings and framing on a profile of its own: the player's stays as it is.
        replayProfile = std::make_unique<CXUserProfile>();
        // HI-SCORE shows the table's best from the replay; a replay that did not keep it shows
        // the player's best of its table.
        std::copy(std::begin(userProfile->arcadeScore), std::end(userProfile->arcadeScore),
                  std::begin(replayProfile->arcadeScore));
        std::copy(std::begin(userProfile->classicScore), std::end(userProfile->classicScore),
                  std::begin(replayProfile->classicScore));
        std::copy(std::begin(userProfile->bossScore), std::end(userProfile->bossScore),
                  std::begin(replayProfile->bossScore));
        // The player's rumble choices hold while they watch (rumble in replays is theirs to ask).
        replayProfile->rumble = userProfile->rumble;
        replayProfile->rumbleInReplays = userProfile->rumbleInReplays;
        deck.open(session, watched, *replayProfile);
        watchedStatus = deck.getStatus();
        watch.begin(deck, session);
        buildWatchBar();
        if (hitToShow != kNoHitSought) {
            watch.showHit(std::exchange(hitToShow, kNoHitSought));
        }
        loadBlocker->tintTo(kBlockerFadeOutMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, loadBlocker, hideWhenDone);
        mode = InStage;
        return;
    }
    // The game reads and writes this application's profile and comes back here when it ends.
    takenOverReturnScene = kNoTakeOver;
    session.setProfile(userProfile.get());
    session.setEndHandler([](void* app) { static_cast<CXApp*>(app)->returnToMenus(); }, this);
    // The stage draws into the game area, as the menus do.
    session.setScreenSize(gameAreaWidth(), gameAreaHeight());
    // The menus have chosen the mode, the play style, the difficulty and free play's stage.
    const GameChoices& choices = session.choices();
    const int firstStage = choices.mode == GameMode::FreePlay ? choices.freePlayStage
                           : choices.mode == GameMode::Arcade ? arcadeStart
                                                              : 0;
    std::printf("STARTING GAME: MODE %d, CASUAL %d, DIFFICULTY %d, STAGE %d\n", storedNumber(choices.mode),
                choices.casual ? 1 : 0, storedNumber(choices.difficulty), firstStage);
    // Every game its own gameplay seed, which its replay keeps.
    std::random_device entropy;
    session.setSeed((static_cast<uint64_t>(entropy()) << 32) ^ entropy());
    session.startGame(choices.mode == GameMode::BossRush ? CXGameSession::kBossRushLevelList
                                                         : CXGameSession::kArcadeLevelList,
                      firstStage);
    loadBlocker->tintTo(kBlockerFadeOutMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, loadBlocker, hideWhenDone);
    session.markReadyToStart();
    mode = InStage;
}

GameChoices& CXApp::gameChoices() {
    return CXGameSession::instance().choices();
}

const GameResult& CXApp::lastGameResult() const {
    return CXGameSession::instance().getLastResult();
}

void CXApp::setGameSpeed(int framesPerFrame) {
    gameSpeed = std::clamp(framesPerFrame, 1, kMostGameSpeed);
    if (gameSpeed > 1) {
        std::printf("TEST SETTING: %d GAME FRAMES A FRAME\n", gameSpeed);
    }
}

void CXApp::setArcadeStart(int index) {
    arcadeStart = std::clamp(index, 0, CXGameSession::kTrueRouteStageIndex);
    if (arcadeStart > 0) {
        std::printf("TEST SETTING: ARCADE GAMES START AT STAGE %d\n", arcadeStart + 1);
    }
}

void CXApp::setTestPilot(bool on) {
    testPilot = on ? std::make_unique<Autopilot>() : nullptr;
    if (on) {
        std::printf("TEST SETTING: THE AUTOPILOT FLIES A SHIP THAT CANNOT BE HIT\n");
    }
}

void CXApp::tickGame(CXGameSession& session, float dtMs) {
    OXScnBaseSTGGame* scene = session.getGameScene();
    if (testPilot && scene && session.getState() == CXGameSession::State::Playing) {
        testPilot->step(session, *scene);
        // Its shield is kept up: the test plays to the stage's end, whatever the pilot's luck.
        OXSTGBasePlayer* ship = scene->getShip();
        if (ship && !ship->isOutOfPlay() && ship->getInvulnerability() < kTestShieldMs / 2) {
            ship->startInvulnerability(kTestShieldMs);
        }
    }
    session.tick(dtMs);
}

void CXApp::closeWindow() {
    if (mode == InStage && !watching) {
        CXGameSession::instance().closeGame();
    }
}

void CXApp::returnToMenus() {
    createLoadBlocker("assets/plist/spr_HUD_load_logo", "assets/plist/fnt_novo_white");
    showLoadBlocker([](void* app, int) {
        static_cast<CXApp*>(app)->rebuildMenus();
        return false;
    });
}

void CXApp::rebuildMenus() {
    CXGameSession& session = CXGameSession::instance();
    session.tearDown();
    if (watching) {
        // Back to the screen the replay was watched from; the session plays for the player again.
        closeReplay();
        if (std::exchange(practiceAfterReplay, false)) {
            // Or on to practising the hit shown: its stage starts behind the blocker that is up.
            startStage();
            return;
        }
        createMenuScenes(watchReturnScene, true, false);
        loadBlocker->tintTo(kBlockerFadeOutMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, loadBlocker, hideWhenDone);
        std::printf("RETURNED TO THE MENUS\n");
        return;
    }
    if (replayProfile) {
        closeReplay();  // a replay the player took over and played to its end
    }
    // A finished game rolls the credits (the final ones after the true route); any other
    // end comes back to the after-game screen.
    const bool finished = session.run().gameFinished;
    const bool finalCredits = finished && session.run().trueRoute;
    if (finished) {
        std::printf(finalCredits ? "ROLLING THE FINAL CREDITS\n" : "ROLLING THE CREDITS\n");
    }
    createMenuScenes(finished ? kCreditsScene : kAfterGameScene, true, finalCredits);
    // The menus are built behind the blocker: it now fades away, as after a stage start.
    loadBlocker->tintTo(kBlockerFadeOutMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, loadBlocker, hideWhenDone);
    std::printf("RETURNED TO THE MENUS\n");
}

void CXApp::applyProfileVolumes() {
    CXSoundManager& sound = CXSoundManager::instance();
    sound.setMusicVolume(userProfile->musicVolume);
    sound.setSfxVolume(userProfile->sfxVolume);
}

void CXApp::setVolumes(float music, float sfx) {
    CXSoundManager& sound = CXSoundManager::instance();
    sound.setMusicVolume(music * musicFade);
    sound.setSfxVolume(sfx);
}

void CXApp::startMenuMusic() {
    musicFade = 0.0f;
    fadeState = FadingIn;
    CXSoundManager& sound = CXSoundManager::instance();
    sound.setMusicVolume(userProfile->musicVolume * 0.0f);
    sound.playMusic(kMenuTrack, true);
}

void CXApp::pauseMenuMusic() {
    fadeState = Idle;
    CXSoundManager::instance().pauseMusic();
}

std::string CXApp::keyName(int code) const {
    if (code < 0 || code >= 32) {
        code = 0;
    }
    if (lastDeviceUsed == Device::Pad) {
        if (const char* name = SdlGamepad::buttonName(lastPadKindUsed, code)) {
            return name;
        }
    }
    const int virtualKey = kKeyTable[code];
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    switch (virtualKey) {
        case 0x1B:
            return "ESC";
        case 0x25:
            return "LEFT";
        case 0x26:
            return "UP";
        case 0x27:
            return "RIGHT";
        case 0x28:
            return "DOWN";
        default:
            return "KEY " + std::to_string(code);
    }
}

void CXApp::fadeOutMusic(const std::string& queuedTrack) {
    nextTrack = queuedTrack;
    fadeState = queuedTrack.empty() ? FadingOutToStop : FadingOutToNext;
}

void CXApp::updateMusicFade(float dtMs) {
    CXSoundManager& sound = CXSoundManager::instance();
    if (fadeState == FadingIn && musicFade < 1.0f) {
        musicFade += dtMs * kMusicFadeInPerMs;
        if (musicFade > 1.0f) {
            musicFade = 1.0f;
            fadeState = Idle;
        }
        sound.setMusicVolume(userProfile->musicVolume * musicFade);
    } else if ((fadeState == FadingOutToStop || fadeState == FadingOutToNext) && musicFade > 0.0f) {
        musicFade -= dtMs * kMusicFadeOutPerMs;
        if (musicFade < 0.0f) {
            if (fadeState == FadingOutToStop) {
                sound.stopMusic();
            } else {
                sound.playMusic(nextTrack, true);
            }
            // Back to full before the volume is applied: a queued track starts at the
            // profile's music volume.
            musicFade = 1.0f;
            fadeState = Idle;
        }
        sound.setMusicVolume(userProfile->musicVolume * musicFade);
    }
}
