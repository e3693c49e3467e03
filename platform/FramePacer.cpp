#include "platform/FramePacer.h"

namespace {
constexpr int64_t kInactivePollMicroseconds = 10000;
}  // namespace

bool FramePacer::frameDue() {
    return clock.elapsedMicroseconds() >= dueMicroseconds;
}

void FramePacer::frameStarted() {
    const int64_t late = clock.elapsedMicroseconds() - dueMicroseconds;
    clock.restart();
    dueMicroseconds = kFrameMicroseconds - (late > 0 && late < kLateMicroseconds ? late : 0);
}

void FramePacer::waitForFrame() {
    const int64_t untilDue = dueMicroseconds - clock.elapsedMicroseconds();
    if (untilDue > kSpinMicroseconds) {
        clock.sleepMicroseconds(untilDue - kSpinMicroseconds);
    }
    // The rest on the clock alone: polling events here would make the start as late as a poll.
    while (!frameDue()) {
    }
}

void FramePacer::idle() {
    clock.sleepMicroseconds(kInactivePollMicroseconds);
}

void runMainLoop(IXLoopHost& host, FramePacer& pacer) {
    for (;;) {
        // Every waiting event, also those that came during the wait just ended: a frame that is
        // due now dispatches them next.
        bool quit = false;
        while (host.pumpEvent(quit)) {
            if (quit) {
                host.loopEnding();
                return;
            }
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
