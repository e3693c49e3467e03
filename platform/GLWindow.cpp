#include "platform/GLWindow.h"

#include <unistd.h>

#include <GL/glew.h>
#include <SFML/Window.hpp>
#include <cstdio>
#include <memory>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/opengl/OpenGLDevice.h"
#include "platform/CXApp.h"
#include "platform/MessageBox.h"
#include "platform/SfmlKeys.h"
#include "stg/game/CXGameSession.h"

namespace {
WindowState state;
std::unique_ptr<sf::Window> window;
OpenGLDevice openGLDevice;
int pointerShown = -1;  // whether the window shows the pointer: 1, 0, or -1 before it is set

void reportFailure(const char* text) {
    std::printf("ERROR:%s\n", text);
    std::fflush(stdout);
    showMessageBox("ERROR", text);
}

// From here on nothing the program prints is shown.
void releaseConsole() {
    std::printf("releasing console\n");
    std::fflush(stdout);
    if (!std::freopen("/dev/null", "w", stdout)) {
        std::fclose(stdout);
    }
}
}  // namespace

WindowState& windowState() {
    return state;
}

sf::Window* gameWindow() {
    return window.get();
}

bool createGLWindow(const std::string& title, int width, int height, int bits, bool fullscreen) {
    std::printf("creating OpenGL Window\n");
    state.fullscreen = fullscreen;
    std::printf("registering class\n");

    const sf::VideoMode mode(static_cast<unsigned>(width), static_cast<unsigned>(height),
                             static_cast<unsigned>(bits));
    if (fullscreen && !mode.isValid()) {
        std::printf("ERROR:Requested resolution is not supported by your video card.\n");
        showMessageBox("ERROR", "Requested resolution is not supported by\nyour video card.");
        return false;
    }

    // The window's size is its client size here; there are no borders to add.
    std::printf("Adjusting window size\n");
    std::printf("create window\n");
    std::printf("window width: %d\n", width);
    std::printf("window height: %d\n", height);
    window = std::make_unique<sf::Window>(
        mode, title, fullscreen ? sf::Style::Fullscreen : (sf::Style::Titlebar | sf::Style::Close),
        gameContextSettings());
    if (!window->isOpen()) {
        killGLWindow();
        reportFailure("Window Creation Error.");
        return false;
    }
    window->setVisible(false);
    window->setKeyRepeatEnabled(false);
    pointerShown = -1;
    // A blocking swap would stretch the 17 ms frames to two display refreshes;
    // the library's note that a driver has no swap control is not news here.
    std::streambuf* errors = sf::err().rdbuf(nullptr);
    window->setVerticalSyncEnabled(false);
    sf::err().rdbuf(errors);
    if (fullscreen) {
        window->setMouseCursorVisible(false);
    }

    std::printf("get device context\n");
    std::printf("get pixel format\n");
    std::printf("set pixel format\n");
    std::printf("get render context\n");
    std::printf("activate render context\n");
    if (!window->setActive(true)) {
        killGLWindow();
        reportFailure("Can't Activate The GL Rendering Context.");
        return false;
    }

    std::printf("-------------------------\n");
    std::printf("ORVALE 2.0 Debug Console\n");
    std::printf("-------------------------\n");
    std::printf("set current working directory\n");
    setWorkingDirectoryToExe();

    setGLDevice(&openGLDevice);
    if (!initGL()) {
        killGLWindow();
        if (!isAssetPackageMounted()) {
            // Without its package the game has nothing to show: say so, never a black window.
            std::fflush(stdout);
            showMessageBox("VORTALIS 2: game data missing", CXApp::instance().missingPackageText());
            return false;
        }
        showMessageBox(
            "ERROR",
            "Your graphics card do not support OpenGL 2.0.\nUpdating the driver may fix this problem.");
        return false;
    }

    window->setVisible(true);
    window->requestFocus();
    if (!fullscreen) {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        window->setPosition(
            {(static_cast<int>(desktop.width) - width) / 2, (static_cast<int>(desktop.height) - height) / 2});
    }
    // Showing the window sizes its GL scene, as a first resize would.
    resizeGLScene(width, height);

    if (!state.debugMode) {
        releaseConsole();
    }
    return true;
}

void killGLWindow() {
    if (window) {
        if (state.fullscreen) {
            window->setMouseCursorVisible(true);
        }
        if (window->isOpen() && !window->setActive(false)) {
            showMessageBox("SHUTDOWN ERROR", "Release Rendering Context Failed.");
        }
        window.reset();
    }
    CXGfxManager::instance().release();
    setGLDevice(nullptr);
}

sf::ContextSettings gameContextSettings() {
    sf::ContextSettings settings;
    settings.depthBits = 16;
    settings.stencilBits = 0;
    settings.antialiasingLevel = 0;
    settings.majorVersion = 2;
    settings.minorVersion = 0;
    return settings;
}

void applyGLDefaults() {
    IXGLDevice& gl = glDevice();
    gl.shadeModel(GL_SMOOTH);
    gl.clearColor(0, 0, 0, 0);
    gl.clearDepth(1.0);
    gl.enable(GL_DEPTH_TEST);
    gl.depthFunc(GL_LEQUAL);
    gl.hint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    gl.initExtensions();
}

bool initGL() {
    applyGLDefaults();
    return CXApp::instance().initialise() && CXGfxManager::instance().isGlslAvailable();
}

void resizeGLScene(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    IXGLDevice& gl = glDevice();
    gl.viewport(0, 0, width, height);
    gl.matrixMode(GL_PROJECTION);
    gl.loadIdentity();
    gl.perspective(45.0, static_cast<double>(width) / height, 0.1, 100.0);
    gl.matrixMode(GL_MODELVIEW);
    gl.loadIdentity();
    std::printf("Resizing window\n");
}

bool drawGLScene() {
    IXGLDevice& gl = glDevice();
    gl.clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.clearColor(0, 0, 0, 0);
    gl.loadIdentity();
    CXApp& app = CXApp::instance();
    app.update(16.7f);
    app.render();
    // The pointer hides while a stage plays with the keys or joystick and shows for the mouse,
    // the menus and the overlays (in full screen as in a window).
    const int wanted = app.isPointerShown() ? 1 : 0;
    if (window && wanted != pointerShown) {
        pointerShown = wanted;
        window->setMouseCursorVisible(wanted == 1);
    }
    return true;
}

void presentFrame(sf::Window& target, bool lowLatency) {
    target.display();
    if (lowLatency) {
        glFinish();
    }
}

bool handleWindowEvent(const sf::Event& event) {
    switch (event.type) {
        case sf::Event::Closed:
            return true;
        case sf::Event::KeyPressed:
            state.keys[virtualKeyForSfmlKey(event.key.code) & 0xFF] = 1;
            return false;
        case sf::Event::KeyReleased:
            state.keys[virtualKeyForSfmlKey(event.key.code) & 0xFF] = 0;
            return false;
        case sf::Event::TextEntered:
            CXApp::instance().deliverText(event.text.unicode);
            return false;
        case sf::Event::LostFocus:
            // A player who switches away finds the game paused on return.
            if (CXApp::instance().getMode() == CXApp::InStage) {
                CXGameSession::instance().pause();
            }
            return false;
        case sf::Event::Resized:
            resizeGLScene(static_cast<int>(event.size.width), static_cast<int>(event.size.height));
            return false;
        case sf::Event::MouseMoved:
            CXApp::instance().deliverPointer(CXApp::PointerMoved, static_cast<float>(event.mouseMove.x),
                                             static_cast<float>(event.mouseMove.y));
            return false;
        case sf::Event::MouseButtonPressed:
            if (event.mouseButton.button == sf::Mouse::Left) {
                CXApp::instance().deliverPointer(CXApp::PointerPressed,
                                                 static_cast<float>(event.mouseButton.x),
                                                 static_cast<float>(event.mouseButton.y));
            }
            return false;
        case sf::Event::MouseButtonReleased:
            if (event.mouseButton.button == sf::Mouse::Left) {
                std::printf("mouse click x: %1.1f y:%1.1f\n", static_cast<double>(event.mouseButton.x),
                            static_cast<double>(event.mouseButton.y));
                CXApp::instance().deliverPointer(CXApp::PointerReleased,
                                                 static_cast<float>(event.mouseButton.x),
                                                 static_cast<float>(event.mouseButton.y));
            }
            return false;
        default:
            return false;
    }
}

void setWorkingDirectoryToExe() {
    std::vector<char> buffer(260);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return;
        }
        if (static_cast<size_t>(length) < buffer.size()) {
            buffer[static_cast<size_t>(length)] = '\0';
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    std::string directory(buffer.data());
    const size_t cut = directory.find_last_of("\\/");
    if (cut != std::string::npos) {
        directory.erase(cut == 0 ? 1 : cut);
    }
    if (chdir(directory.c_str()) == 0) {
        std::printf("current working directory:%s\n", directory.c_str());
    }
}
