#pragma once

#include <cstdint>

// The frame clock: monotonic, microsecond resolution, read as the time since
// its last restart.
class IXFrameClock {
  public:
    virtual ~IXFrameClock() = default;
    virtual int64_t elapsedMicroseconds() = 0;
    virtual void restart() = 0;
    virtual void sleepMicroseconds(int64_t microseconds) = 0;
};

// Fixed-step frame pacing. A frame may start only when more than 16.7 whole
// milliseconds (so at least 17) have passed since the last one was due, and
// whatever really passed, the frame advances the game by exactly kStepMs: a
// slow machine slows the game down instead of skipping. Waiting sleeps until
// shortly before the frame is due and spins on the clock alone for the rest,
// so the frame starts within the clock's grain of its time while the
// processor is left to the renderer.
//
// Frames are timed from when they were due, not from when the loop got round
// to them: the microseconds a frame starts late are taken off the next wait,
// so the game keeps its 17 ms pace instead of drifting slower by the loop's
// own overhead. A frame a whole millisecond or more late (a slow frame, a
// stall) is not caught up: the next one is timed from its real start.
class FramePacer {
  public:
    static constexpr float kStepMs = 16.7f;
    // Sleeping stops this long before a frame is due; the rest is spun.
    static constexpr int64_t kSpinMicroseconds = 2000;
    // The first whole millisecond above kStepMs.
    static constexpr int64_t kFrameMicroseconds = 17000;
    // A frame started at least this late is slow, not merely late by the clock's grain.
    static constexpr int64_t kLateMicroseconds = 1000;

    explicit FramePacer(IXFrameClock& frameClock) : clock(frameClock) {}

    bool frameDue();
    // Call as a frame begins: the next one is due kFrameMicroseconds after this one was.
    void frameStarted();
    // Sleeps while the next frame is far off, then spins until it is due.
    void waitForFrame();
    // A pause between polls while the window is minimised.
    void idle();

  private:
    IXFrameClock& clock;
    int64_t dueMicroseconds = kFrameMicroseconds;  // since the clock's last restart
};

// What the main loop drives: the window's events, its state and one frame.
class IXLoopHost {
  public:
    virtual ~IXLoopHost() = default;
    // Takes one waiting event, if any, and handles it. Returns false when
    // none was waiting; sets `quit` when the event ends the program.
    virtual bool pumpEvent(bool& quit) = 0;
    virtual bool isWindowActive() = 0;
    virtual bool isEscapeHeld() = 0;
    // Key edges, update, drawing and buffer swap of one frame. Every waiting
    // event has been pumped right before the key edges, after the frame's
    // wait, so the update sees input as late as the frame allows; drawFrame
    // runs right after the frame clock was restarted.
    virtual void dispatchKeys() = 0;
    virtual void drawFrame() = 0;
    // The loop is ending, by either way out: the program keeps what must outlive
    // it (a game in play) here, before the window goes.
    virtual void loopEnding() {}
};

// Runs until the window is closed or Escape is held while the window is
// active, and tells the host once as it ends. Nothing is updated or drawn
// while the window is inactive.
void runMainLoop(IXLoopHost& host, FramePacer& pacer);
