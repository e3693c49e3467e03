#pragma once

#include <vector>

#include "stg/shot/CXBulletManager.h"
#include "tools/pilot/InputScript.h"

class CXGameSession;
class OXScnBaseSTGGame;

// A pilot that keeps firing, steers away from the bullets and bodies that
// will soon be close and out of the line of every enemy beam (warning or
// firing), drifts under the nearest enemy or the boss, fires the counter when
// its gauge is full and bullets crowd in, and trances when it can. It plays
// through the session's key events, as a player's keys do, so the same seed
// and the same frames give the same game. Used by the headless runner and the
// frame benchmark.
class Autopilot {
  public:
    // Every key event the pilot sends is kept here when set, stamped with the frame.
    void recordInto(std::vector<InputEvent>* events) { recorded = events; }

    // One frame's decisions, made before the session's tick of frame `frame`.
    void step(CXGameSession& session, OXScnBaseSTGGame& scene, long frame);
    // Lets go of every key the pilot holds.
    void release(CXGameSession& session);

  private:
    // A push away from a wall `distance` units off, growing as the wall nears.
    static float wallPush(float distance);
    void press(CXGameSession& session, int code, bool down);

    bool held[32] = {};
    int beamSide[CXBulletManager::kBeamPoolSize] = {};  // the side chosen to leave each beam by
    std::vector<InputEvent>* recorded = nullptr;        // not owned
    long now = 0;                                       // the frame being stepped
    int charging = 0;                                   // frames left of holding the beam button
};
