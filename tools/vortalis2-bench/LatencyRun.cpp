#include "tools/vortalis2-bench/LatencyRun.h"

#include <X11/keysym.h>

#include <GL/glew.h>
#include <SFML/Window.hpp>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "platform/FramePacer.h"
#include "platform/GLWindow.h"
#include "platform/Input.h"
#include "platform/SfmlFrameClock.h"
#include "platform/SfmlKeys.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tools/vortalis2-bench/LatencyReport.h"
#include "tools/vortalis2-bench/StageFrame.h"
#include "tools/vortalis2-bench/XKeySender.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// The stage's opening (its title and the ship's entry) plays before the first press.
constexpr int kSettleFrames = 480;
// Without a single press made by then (no ship standing still), the run ends.
constexpr int kGiveUpFrames = 1800;
// A frame the server does not show within this long after its present is not shown.
constexpr int64_t kShowNanoseconds = 200000000;
// A press no frame shows within this long is missed.
constexpr int64_t kMissNanoseconds = 1000000000;
// How long a key is held once its press was seen.
constexpr int kHoldMilliseconds = 40;

// The presses, from a thread of their own so that they fall at any moment of the frame. The
// main loop arms each press once the ship has stood still a few frames; each press then waits until the
// loop has seen it (or given up), is held a moment and released.
struct PressScript {
    std::atomic<bool> armed{false};     // the loop has a still ship to compare against
    std::atomic<int64_t> pressedAt{0};  // nanoseconds; 0 while no press waits to be seen
    std::atomic<int> direction{0};      // -1 left, +1 right
    std::atomic<bool> released{true};   // no key is held
    std::atomic<bool> done{false};      // every press was made
    std::atomic<bool> stop{false};      // the loop ended
};

void runPresses(PressScript& script, XKeySender& keys, int presses) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> phase(0, 16999);
    for (int i = 0; i < presses && !script.stop; ++i) {
        while (!script.armed && !script.stop) {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(phase(random)));
        const int direction = i % 2 == 0 ? -1 : 1;
        const unsigned long key = direction < 0 ? XK_Left : XK_Right;
        script.armed = false;
        script.released = false;
        script.direction = direction;
        script.pressedAt = nowNanoseconds();
        keys.send(key, true);
        while (script.pressedAt != 0 && !script.stop) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kHoldMilliseconds));
        keys.send(key, false);
        script.released = true;
    }
    script.done = true;
}

class LatencyLoop : public IXLoopHost {
  public:
    LatencyLoop(sf::Window& benchWindow, XWindowReader& windowReader, PressScript& pressScript,
                bool finishFrames, int presses)
        : window(benchWindow),
          screen(windowReader),
          script(pressScript),
          lowLatency(finishFrames),
          report(presses, 100000) {
        const size_t bandBytes = static_cast<size_t>(window.getSize().x) * kBandRows * 4;
        drawn.resize(bandBytes);
        shown.resize(bandBytes);
    }

    bool pumpEvent(bool& quit) override {
        if (script.done && script.pressedAt == 0) {
            quit = true;
            return true;
        }
        sf::Event event;
        if (!window.pollEvent(event)) {
            return false;
        }
        if (event.type == sf::Event::KeyPressed || event.type == sf::Event::KeyReleased) {
            keys[virtualKeyForSfmlKey(event.key.code) & 0xFF] = event.type == sf::Event::KeyPressed ? 1 : 0;
        }
        quit = event.type == sf::Event::Closed;
        return true;
    }
    bool isWindowActive() override { return true; }
    bool isEscapeHeld() override { return false; }
    // As the game's key pass: each changed key as its game key code to the session.
    void dispatchKeys() override {
        for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
            if (keys[virtualKey] != previousKeys[virtualKey]) {
                previousKeys[virtualKey] = keys[virtualKey];
                CXGameSession::instance().keyEvent(keyCodeForVirtualKey(virtualKey), keys[virtualKey] != 0);
            }
        }
    }
    void drawFrame() override {
        CXGameSession& session = CXGameSession::instance();
        session.run().lives = std::max(session.run().lives, 3);
        session.tick(FramePacer::kStepMs);
        drawStageFrame();

        const float shipX = shipPosition();
        const int64_t pressedAt = script.pressedAt;
        const bool moved = pressedAt != 0 && (shipX - stillX) * static_cast<float>(script.direction) > 0.0f;
        if (moved) {
            // The frame that shows the ship moved: its band as drawn, to know it on screen.
            glReadPixels(0, bandBottom(), static_cast<GLsizei>(window.getSize().x), kBandRows, GL_RGBA,
                         GL_UNSIGNED_BYTE, drawn.data());
        }
        presentFrame(window, lowLatency);
        const int64_t presented = nowNanoseconds();
        if (firstPresent == 0) {
            firstPresent = presented;
        }
        report.addPresent(static_cast<double>(presented - firstPresent) / 1e6);
        ++frames;

        if (moved) {
            const int64_t onScreen = waitUntilShown(presented);
            if (onScreen != 0) {
                report.addLatency(static_cast<double>(onScreen - pressedAt) / 1e6);
            } else {
                report.addMissed();
            }
            script.pressedAt = 0;
            ++pressesJudged;
        } else if (pressedAt != 0 && presented - pressedAt > kMissNanoseconds) {
            report.addMissed();
            script.pressedAt = 0;
            ++pressesJudged;
        }
        armWhenStill(shipX);
    }

    const LatencyReport& figures() const { return report; }

  private:
    static constexpr int kBandRows = 8;

    // The ship's x in scene units, or NaN without a ship in play.
    static float shipPosition() {
        const CXGameSession& session = CXGameSession::instance();
        const OXScnBaseSTGGame* scene = session.getGameScene();
        if (!scene || !scene->getShip() || session.getState() != CXGameSession::State::Playing) {
            return std::nanf("");
        }
        return scene->getShip()->getPosition().x;
    }

    // The band compared: rows across the window a third of the way up, where the field is.
    int bandBottom() const { return static_cast<int>(window.getSize().y) / 3; }

    // When the X server's copy of the window first shows the band just drawn (every colour
    // equal), polling until kShowNanoseconds after the present; 0 when it never does.
    int64_t waitUntilShown(int64_t presented) {
        const int width = static_cast<int>(window.getSize().x);
        const int top = static_cast<int>(window.getSize().y) - bandBottom() - kBandRows;
        const size_t row = static_cast<size_t>(width) * 4;
        for (;;) {
            if (!screen.read(0, top, width, kBandRows, shown.data())) {
                return 0;
            }
            const int64_t readAt = nowNanoseconds();
            bool same = true;
            // GL's rows count from the bottom, the server's from the top.
            for (int y = 0; y < kBandRows && same; ++y) {
                const unsigned char* a = &drawn[row * static_cast<size_t>(kBandRows - 1 - y)];
                const unsigned char* b = &shown[row * static_cast<size_t>(y)];
                for (size_t i = 0; i < row && same; i += 4) {
                    same = a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2];
                }
            }
            if (same) {
                return readAt;
            }
            if (readAt - presented > kShowNanoseconds) {
                return 0;
            }
        }
    }

    // With no key held, the stage's opening over and the ship still for a few frames, the
    // next press may come.
    void armWhenStill(float shipX) {
        const bool still = !std::isnan(shipX) && shipX == lastX && script.released && script.pressedAt == 0;
        stillFrames = still ? stillFrames + 1 : 0;
        lastX = shipX;
        if (stillFrames >= 4 && frames >= kSettleFrames && !script.armed) {
            stillX = shipX;
            script.armed = true;
        }
        script.stop = script.stop || (frames >= kGiveUpFrames && pressesJudged == 0);
    }

    sf::Window& window;
    XWindowReader& screen;
    PressScript& script;
    bool lowLatency;
    LatencyReport report;
    uint8_t keys[256] = {};
    uint8_t previousKeys[256] = {};
    std::vector<unsigned char> drawn, shown;  // the band as drawn and as the server shows it
    float stillX = 0.0f, lastX = 0.0f;
    int stillFrames = 0;
    long frames = 0;
    int pressesJudged = 0;  // shown or missed
    int64_t firstPresent = 0;
};

}  // namespace

bool runLatency(sf::Window& window, int presses, bool lowLatency, bool vsync, std::FILE* result) {
    XKeySender keys;
    if (!keys.open(static_cast<unsigned long>(window.getSystemHandle()))) {
        return false;
    }
    XWindowReader screen;
    if (!screen.open(static_cast<unsigned long>(window.getSystemHandle()))) {
        return false;
    }
    PressScript script;
    LatencyLoop loop(window, screen, script, lowLatency, presses);
    std::thread presser(runPresses, std::ref(script), std::ref(keys), presses);
    SfmlFrameClock clock;
    FramePacer pacer(clock);
    runMainLoop(loop, pacer);
    script.stop = true;
    presser.join();
    std::fprintf(result, "latency vsync=%d low_latency=%d ", vsync ? 1 : 0, lowLatency ? 1 : 0);
    loop.figures().print(result);
    std::fputc('\n', result);
    return true;
}
