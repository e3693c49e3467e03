#pragma once

#include <cstddef>
#include <cstdint>

#include "stg/game/Replay.h"

class CXGameSession;
class CXUserProfile;

// Plays a replay on the session: each frame hands it the keys recorded for that frame, ticks
// it, and compares the session's check of the frame with the recorded one. Playback stops at
// the first check that differs, or when the recorded game ends earlier or later than the
// session's; the replay and the profile must outlive the playback.
class ReplayPlayer {
  public:
    enum Status { Idle, Playing, Finished, Desync };

    // Starts the replay's game; `values` becomes the session's profile (give one never saved).
    void start(CXGameSession& session, const Replay& replay, CXUserProfile& values);
    // One frame of the game; nothing once the playback is done.
    void step(float dtMs);
    bool isDone() const { return status == Finished || status == Desync; }
    Status getStatus() const { return status; }
    // The first frame whose check differs (or where one game ended and the other went on).
    int32_t getDesyncFrame() const { return desyncFrame; }
    int32_t getFrames() const { return replay ? replay->frames : 0; }

  private:
    // The recorded keys up to `frame` not yet handed over.
    void deliverKeys(int32_t frame);

    CXGameSession* session = nullptr;  // not owned
    const Replay* replay = nullptr;    // not owned
    size_t nextKey = 0;
    Status status = Idle;
    int32_t desyncFrame = -1;
};
