#include "platform/FramePacer.h"

namespace {
constexpr int64_t kFrameDueMicroseconds = 17000;  // the first whole millisecond above 16.7
constexpr int64_t kInactivePollMicroseconds = 10000;
}  // namespace

bool FramePacer::frameDue() {
    const int64_t elapsedMs = clock.elapsedMicroseconds() / 1000;
    return static_cast<float>(elapsedMs) > kStepMs;
}

void FramePacer::waitForFrame() {
    const int64_t untilDue = kFrameDueMicroseconds - clock.elapsedMicroseconds();
    if (untilDue > kSpinMicroseconds) {
        clock.sleepMicroseconds(untilDue - kSpinMicroseconds);
    }
}

void FramePacer::idle() {
    clock.sleepMicroseconds(kInactivePollMicroseconds);
}

void runMainLoop(IXLoopHost& host, FramePacer& pacer) {
    for (;;) {
        bool quit = false;
        if (host.pumpEvent(quit)) {
            if (quit) {
                host.loopEnding();
                return;
            }
            continue;
        }
        if (!host.isWindowActive()) {
            pacer.idle();
            continue;
        }
        if (host.isEscapeHeld()) {
            host.loopEnding();
            return;
        }
        if (!pacer.frameDue()) {
            pacer.waitForFrame();
            continue;
        }
        host.dispatchKeys();
        pacer.frameStarted();
        host.drawFrame();
    }
}
