// VORTALIS 2: the program's entry point. The configuration dialog chooses the
// resolution, full screen and debug console; then the game window opens and
// the fixed-step main loop runs until the window is closed or Escape is held.

#include <SFML/System.hpp>
#include <SFML/Window.hpp>
#include <cstdio>
#include <cstdlib>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "platform/CXApp.h"
#include "platform/ConfigDialog.h"
#include "platform/FramePacer.h"
#include "platform/GLWindow.h"
#include "platform/MessageBox.h"
#include "platform/Resolution.h"
#include "platform/SfmlFrameClock.h"
#include "platform/SfmlJoystick.h"

namespace {
constexpr int kEscapeKey = 0x1B;

// The main loop's view of the game window.
class GameLoopHost : public IXLoopHost {
  public:
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
        CXApp::instance().dispatchKeyEdges(state.keys, state.previousKeys);
    }
    void drawFrame() override {
        drawGLScene();
        gameWindow()->display();
    }
};
}  // namespace

int main() {
    // The console shows each line as it is printed, also through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

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
    SfmlJoystick joystick;
    app.setJoystick(&joystick);
    const Resolution& resolution = kResolutions[state.resolutionIndex];
    if (!createGLWindow("VORTALIS 2", resolution.screenWidth, resolution.screenHeight, 32,
                        state.fullscreen)) {
        return 1;  // the player has been told why in a message box
    }

    SfmlFrameClock clock;
    FramePacer pacer(clock);
    GameLoopHost host;
    runMainLoop(host, pacer);

    CXSoundManager::instance().shutdown();
    killGLWindow();
    unmountAssetPackage();
    if (state.debugMode) {
        std::printf("releasing console\n");
    }
    return 0;
}
