#pragma once

#include <vector>

#include "stg/shot/CXBulletManager.h"

class CXGameSession;
class OXScnBaseSTGGame;

// A pilot that keeps firing, steers away from the bullets and bodies that
// will soon be close and out of the line of every enemy beam (warning or
// firing), drifts under the nearest enemy or the boss, fires the counter when
// its gauge is full and bullets crowd in, and trances when it can. It plays
// through the session's key events, as a player's keys do, so the same seed
// and the same frames give the same game. Used by the headless runner and the
// frame benchmark. The session records what it presses like any player's keys.
class Autopilot {
  public:
    // One frame's decisions, made before the session's tick.
    void step(CXGameSession& session, OXScnBaseSTGGame& scene);
    // Lets go of every key the pilot holds.
    void release(CXGameSession& session);

  private:
    // A push away from a wall `distance` units off, growing as the wall nears.
    static float wallPush(float distance);
    void press(CXGameSession& session, int code, bool down);

    bool held[32] = {};
    int beamSide[CXBulletManager::kBeamPoolSize] = {};  // the side chosen to leave each beam by
    int charging = 0;                                   // frames left of holding the beam button
};
