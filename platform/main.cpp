// VORTALIS 2: the program's entry point. The configuration dialog chooses the
// resolution, full screen and debug console; then the game window opens and
// the fixed-step main loop runs until the window is closed or Escape is held.

#include <SFML/System.hpp>
#include <SFML/Window.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "data/GameVersion.h"
#include "engine/CXGfxManager.h"
#include "platform/CXApp.h"
#include "platform/CommandLine.h"
#include "platform/ConfigDialog.h"
#include "platform/FrameGraph.h"
#include "platform/FramePacer.h"
#include "platform/GLWindow.h"
#include "platform/GamepadMapping.h"
#include "platform/MessageBox.h"
#include "platform/Resolution.h"
#include "platform/SdlGamepad.h"
#include "platform/SfmlFrameClock.h"

namespace {
constexpr int kEscapeKey = 0x1B;
constexpr int kFrameGraphKey = 0x72;  // F3: not in the game's key table

using Clock = std::chrono::steady_clock;

// The main loop's view of the game window.
class GameLoopHost : public IXLoopHost {
  public:
    // `dialogClosed`: when the configuration dialog was accepted, for the first frame's line.
    explicit GameLoopHost(Clock::time_point dialogClosed) : dialogClosedAt(dialogClosed) {}

    bool pumpEvent(bool& quit) override {
        sf::Event event;
        if (!gameWindow() || !gameWindow()->pollEvent(event)) {
            return false;
        }
        quit = handleWindowEvent(event);
        return true;
    }
    bool isWindowActive() override { return windowState().windowActive; }
    bool isEscapeHeld() override { return windowState().keys[kEscapeKey] != 0; }
    void dispatchKeys() override {
        WindowState& state = windowState();
        // With the debug console on, F3 shows or hides the frame graph.
        if (state.debugMode && state.keys[kFrameGraphKey] && !state.previousKeys[kFrameGraphKey]) {
            frameGraph.toggle();
        }
        CXApp::instance().dispatchKeyEdges(state.keys, state.previousKeys);
    }
    void drawFrame() override {
        // The previous frame is complete once this one starts: its interval and draw calls.
        const Clock::time_point started = Clock::now();
        if (framesDrawn > 0) {
            frameGraph.record(std::chrono::duration<float, std::milli>(started - lastStart).count(),
                              CXGfxManager::instance().getFrameDrawCalls());
        }
        lastStart = started;
        ++framesDrawn;
        drawGLScene();
        if (frameGraph.isShown()) {
            const sf::Vector2u size = gameWindow()->getSize();
            frameGraph.draw(static_cast<int>(size.x), static_cast<int>(size.y));
        }
        // The profile's low latency, read every frame: the options screen may change it.
        presentFrame(*gameWindow(), CXApp::instance().profile().lowLatency);
        if (framesDrawn == 1) {
            std::printf("First frame shown %.0f ms after the dialog closed.\n",
                        std::chrono::duration<double, std::milli>(Clock::now() - dialogClosedAt).count());
        }
    }
    // Escape or the window's close: a game in play keeps its replay, high score and
    // experience, as END GAME would, before the program quits.
    void loopEnding() override { CXApp::instance().closeWindow(); }
    // Before the GL context goes.
    void release() { frameGraph.release(); }

  private:
    FrameGraph frameGraph;
    Clock::time_point dialogClosedAt;
    Clock::time_point lastStart;  // the last frame's start
    long framesDrawn = 0;
};
}  // namespace

int main(int argc, char** argv) {
    // The console shows each line as it is printed, also through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // --version and --help answer without a window; a bug report's log starts with the version.
    if (const int status = answerCommandLine(argc, argv); status >= 0) {
        return status;
    }
    std::printf("%s\n", gameVersionLine().c_str());

    // Without a display the windowing library would end the program with an abort; say why
    // and fail instead.
    if (!displayAvailable()) {
        std::fprintf(stderr, "VORTALIS 2 cannot open a window: no X display answers (DISPLAY is \"%s\").\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 1;
    }
    std::printf("Asking for fullscreen.\n");
    ConfigDialogModel choices;
    if (runConfigDialog(choices) != ConfigDialogModel::Accepted) {
        return 0;
    }
    const Clock::time_point dialogClosed = Clock::now();
    WindowState& state = windowState();
    state.resolutionIndex = choices.resolutionIndex;
    state.fullscreen = choices.fullscreen;
    state.debugMode = choices.debugMode;

    CXApp& app = CXApp::instance();
    // The package first: without it the game has nothing to show, and the player is told so in
    // a message box before any game window (or its GL context) exists.
    if (!app.mountPackage()) {
        showMessageBox("VORTALIS 2: game data missing", app.missingPackageText());
        return 1;
    }
    app.setResolution(state.resolutionIndex, state.fullscreen);
    if (const char* speed = std::getenv("VORTALIS2_GAME_SPEED")) {
        app.setGameSpeed(std::atoi(speed));
    }
    if (const char* stage = std::getenv("VORTALIS2_ARCADE_FROM")) {
        app.setArcadeStart(std::atoi(stage));
    }
    if (const char* pilot = std::getenv("VORTALIS2_TEST_PILOT")) {
        app.setTestPilot(std::string(pilot) == "1");
    }
    // Game controllers beside the window; without them the keyboard plays.
    SdlGamepad pad;
    if (pad.start(userControllerDatabasePath())) {
        // A test setting: a virtual pad driven by commands written to a file or FIFO.
        if (const char* commands = std::getenv("VORTALIS2_VIRTUAL_PAD")) {
            if (pad.attachVirtualPad(PadKind::Xbox)) {
                pad.readCommandsFrom(commands);
                pad.update();
                PadChange atStart;
                while (pad.takeChange(atStart)) {
                }
            }
        }
    }
    app.setGamepad(&pad);
    const Resolution& resolution = kResolutions[state.resolutionIndex];
    if (!createGLWindow("VORTALIS 2", resolution.screenWidth, resolution.screenHeight, 32,
                        state.fullscreen)) {
        return 1;  // the player has been told why in a message box
    }

    SfmlFrameClock clock;
    FramePacer pacer(clock);
    GameLoopHost host(dialogClosed);
    runMainLoop(host, pacer);
    host.release();
    app.setGamepad(nullptr);

    CXSoundManager::instance().shutdown();
    killGLWindow();
    unmountAssetPackage();
    if (state.debugMode) {
        std::printf("releasing console\n");
    }
    return 0;
}
