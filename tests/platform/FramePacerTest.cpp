// Frame pacing with an injected clock: frames start 17 ms apart without
// drifting, the wait sleeps most of the gap, and input is read right before
// each frame.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FramePacer.h"

namespace {

// Time moves when the loop sleeps (each sleep oversleeping by `oversleep`), by a fixed cost per
// poll, and by a microsecond per reading of the clock.
class FakeClock : public IXFrameClock {
  public:
    int64_t elapsedMicroseconds() override { return ++now - started; }
    void restart() override { started = now; }
    void sleepMicroseconds(int64_t microseconds) override {
        now += microseconds + oversleep;
        slept += microseconds;
    }

    int64_t now = 0;
    int64_t started = 0;
    int64_t slept = 0;
    int64_t oversleep = 0;
};

class FakeHost : public IXLoopHost {
  public:
    explicit FakeHost(FakeClock& frameClock) : clock(frameClock) {}

    // An event arrives at each time in `eventTimes`; pumping it marks its key held.
    bool pumpEvent(bool& quit) override {
        clock.now += pollCostMicroseconds;
        ++polls;
        log.push_back('p');
        if (clock.now >= endMicroseconds) {
            quit = true;
            return true;
        }
        if (nextEvent < eventTimes.size() && clock.now >= eventTimes[nextEvent]) {
            ++nextEvent;
            keyHeld = true;
            return true;
        }
        return false;
    }
    bool isWindowActive() override { return active; }
    bool isEscapeHeld() override { return escape; }
    void dispatchKeys() override {
        ++keyPasses;
        log.push_back('k');
        keysSeen.push_back(keyHeld);
    }
    void loopEnding() override { ++endings; }
    void drawFrame() override {
        log.push_back('d');
        if (escapeAfterFrames >= 0 && static_cast<int>(frameStarts.size()) + 1 == escapeAfterFrames) {
            escape = true;
        }
        frameStarts.push_back(clock.now);
        clock.now += frameCostMicroseconds;
        if (stallAfterFrame >= 0 && static_cast<int>(frameStarts.size()) == stallAfterFrame) {
            clock.now += 40000;
        }
        if (activeAfterFrames >= 0) {
            active = static_cast<int>(frameStarts.size()) < activeAfterFrames;
        }
    }

    FakeClock& clock;
    int64_t endMicroseconds = 1000000;
    int64_t pollCostMicroseconds = 50;
    int64_t frameCostMicroseconds = 3000;
    int stallAfterFrame = -1;
    int activeAfterFrames = -1;
    int escapeAfterFrames = -1;
    bool active = true;
    bool escape = false;
    int polls = 0;
    int keyPasses = 0;
    int endings = 0;  // loopEnding() calls
    std::vector<int64_t> frameStarts;
    std::vector<int64_t> eventTimes;
    size_t nextEvent = 0;
    bool keyHeld = false;
    std::vector<bool> keysSeen;  // whether each frame's key pass saw the key held
    std::string log;             // p pump, k key pass, d frame
};

TEST(FramePacer, FramesStartAtLeast17msApartAboutFiftyNineASecondMostlyAsleep) {
    FakeClock clock;
    FakeHost host(clock);
    FramePacer pacer(clock);
    runMainLoop(host, pacer);
    ASSERT_GT(host.frameStarts.size(), 50u);
    for (size_t i = 1; i < host.frameStarts.size(); ++i) {
        EXPECT_GE(host.frameStarts[i] - host.frameStarts[i - 1], 17000) << "frame " << i;
    }
    EXPECT_EQ(host.keyPasses, static_cast<int>(host.frameStarts.size()));
    // A second: 1000 ms / 17 ms, less a frame for the polling slack.
    EXPECT_GE(host.frameStarts.size(), 57u);
    EXPECT_LE(host.frameStarts.size(), 59u);
    // Of each 17 ms gap, the frame's 3 ms and the final 2 ms of spinning are awake.
    EXPECT_GT(clock.slept, 600000);
}

// The loop's own costs (polls, oversleeping) never add up: frame n starts n * 17 ms after the
// first, within a poll's cost, so the game keeps its pace.
TEST(FramePacer, FramesKeepTheirTimesWithoutDrift) {
    for (const int64_t oversleep : {int64_t{0}, int64_t{900}}) {
        FakeClock clock;
        clock.oversleep = oversleep;
        FakeHost host(clock);
        host.endMicroseconds = 10000000;
        host.pollCostMicroseconds = 80;
        FramePacer pacer(clock);
        runMainLoop(host, pacer);
        ASSERT_GT(host.frameStarts.size(), 580u);
        for (size_t i = 1; i < host.frameStarts.size(); ++i) {
            const int64_t drift = host.frameStarts[i] - host.frameStarts[0] - static_cast<int64_t>(i) * 17000;
            ASSERT_GE(drift, -200) << "frame " << i << ", oversleeping " << oversleep;
            ASSERT_LE(drift, 200) << "frame " << i << ", oversleeping " << oversleep;
        }
    }
}

// Input is read as late as the frame allows: after the wait, every waiting event is pumped,
// and the key pass runs right before the frame with nothing in between, so a key that
// arrives a moment before a frame is due moves that frame.
TEST(FramePacer, EventsArePumpedAfterTheWaitAndKeysDispatchedRightBeforeTheFrame) {
    FakeClock clock;
    FakeHost host(clock);
    host.pollCostMicroseconds = 10;
    host.eventTimes = {3 * 17000 - 30};  // just before the third frame is due
    FramePacer pacer(clock);
    runMainLoop(host, pacer);
    ASSERT_GT(host.keysSeen.size(), 4u);
    EXPECT_FALSE(host.keysSeen[1]);
    EXPECT_TRUE(host.keysSeen[2]) << "the key pressed before the third frame was due reaches it";
    for (size_t at = host.log.find('k'); at != std::string::npos; at = host.log.find('k', at + 1)) {
        ASSERT_GT(at, 0u);
        EXPECT_EQ(host.log[at - 1], 'p') << "events are pumped last before the key pass";
        EXPECT_EQ(host.log[at + 1], 'd') << "the frame follows its key pass";
    }
}

TEST(FramePacer, A40msStallGivesExactlyOneFrame) {
    FakeClock clock;
    FakeHost host(clock);
    host.stallAfterFrame = 3;
    host.frameCostMicroseconds = 0;
    FramePacer pacer(clock);
    runMainLoop(host, pacer);
    const int64_t stalledGap = host.frameStarts[3] - host.frameStarts[2];
    EXPECT_GE(stalledGap, 40000);
    EXPECT_LT(stalledGap, 40000 + 1000) << "the late frame runs at once";
    // After it, the pace is back to 17 ms: no catching up.
    EXPECT_GE(host.frameStarts[4] - host.frameStarts[3], 17000);
    EXPECT_LT(host.frameStarts[4] - host.frameStarts[3], 18000);
}

// Escape quits at once, but first lets the program keep a game in play (its replay and high
// score), as the window's close does.
TEST(FramePacer, EscapeEndsTheLoopAtOnceTellingTheHostFirst) {
    FakeClock clock;
    FakeHost host(clock);
    host.escapeAfterFrames = 3;
    FramePacer pacer(clock);
    runMainLoop(host, pacer);
    EXPECT_EQ(host.frameStarts.size(), 3u) << "no frame after Escape";
    EXPECT_EQ(host.endings, 1);
}

TEST(FramePacer, NothingRunsWhileTheWindowIsInactive) {
    FakeClock clock;
    FakeHost host(clock);
    host.activeAfterFrames = 5;
    FramePacer pacer(clock);
    runMainLoop(host, pacer);
    EXPECT_EQ(host.frameStarts.size(), 5u);
    EXPECT_GT(host.polls, 50) << "the loop keeps polling";
}

}  // namespace
