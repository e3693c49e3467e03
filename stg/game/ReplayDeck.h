#pragma once

#include <cstdint>
#include <string>

#include "stg/game/Replay.h"
#include "stg/game/ReplayPlayer.h"

class CXGameSession;
class CXUserProfile;

// Watching a replay on the session as a player does: at a chosen speed (x0.25 to x4) or paused
// with single frames, seeking forward and back (by time, to a stage's or an attack's start, to
// a hit), and taking control at the frame shown. The game has no snapshots: a seek back starts
// the replay's game again and plays its keys undrawn and unheard up to the frame sought, a seek
// forward plays on from where it is. A long seek is spread over the frames the application
// draws (update() plays undrawn frames for a slice of wall time each), so a progress bar can
// show; seekNow() runs one to its end at once, for the headless runner and the tests.
// The replay and the profile of its values must outlive the deck.
class ReplayDeck {
  public:
    static constexpr int kSpeedCount = 5;
    static constexpr float kSpeeds[kSpeedCount] = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};
    static constexpr int kNormalSpeed = 2;  // x1
    // How long a seek may take before its progress shows, ms of wall time.
    static constexpr double kProgressAfterMs = 200.0;

    enum class Status { Idle, Playing, Finished, Desync, TakenOver };

    // Starts the replay's game on the session at its first frame, playing at x1.
    void open(CXGameSession& session, const Replay& replay, CXUserProfile& values);
    void close();

    // One frame of the application: plays speed x 1 frames (a slow speed plays one every 2 or
    // 4 calls), nothing while paused; during a seek, plays undrawn frames for at most
    // `budgetMs` of wall time instead.
    void update(float dtMs, double budgetMs = 12.0);

    int getSpeedIndex() const { return speedIndex; }
    void setSpeedIndex(int index);
    float getSpeed() const { return kSpeeds[speedIndex]; }
    void faster() { setSpeedIndex(speedIndex + 1); }
    void slower() { setSpeedIndex(speedIndex - 1); }
    bool isPaused() const { return paused; }
    void setPaused(bool value) { paused = value; }
    // One frame forward while paused.
    void stepFrame();

    // Seeks to `frame`, clamped to the replay's frames; a frame past the end seeks to the last
    // one and says so ("REPLAY SEEK PAST THE END: ..."). While seeking, isSeeking() is true.
    void seekTo(int32_t frame);
    void seekBy(int32_t frames);
    // Plays a seek begun with seekTo to its end at once.
    void seekNow();
    bool isSeeking() const { return seeking; }
    // 0 to 1, how far the seek has come; and how long it has run, ms of wall time.
    float seekProgress() const;
    double seekElapsedMs() const;
    bool showsSeekProgress() const { return seeking && seekElapsedMs() > kProgressAfterMs; }

    // The marks (stage and attack starts) before and after the frame shown; null for none.
    const ReplayMark* previousMark() const;
    const ReplayMark* nextMark() const;

    // Hands the ship to the player at the frame shown: the session goes on as a practice game
    // (no high score) from exactly this state, recording on from the replay's keys so far. The
    // replay's held keys are let go. False while seeking or once the playback has ended.
    bool takeControl();

    int32_t getFrame() const;
    int32_t getFrames() const { return replay ? replay->frames : 0; }
    Status getStatus() const { return status; }
    int32_t getDesyncFrame() const { return desyncFrame; }
    const Replay* getReplay() const { return replay; }

  private:
    // Starts the replay's game again at its first frame, on the values as they were at open().
    void restart();
    // One frame of the replay; the deck's status follows the player's.
    void playFrame();
    // Undrawn frames towards the seek's target, for at most `budgetMs` of wall time (all of
    // them when negative); the seek ends at the target or where the playback stopped.
    void runSeek(double budgetMs);
    void endSeek();
    // Where the deck stands for marks and relative seeks: the seek's target while one runs.
    int32_t position() const { return seeking ? seekTarget : getFrame(); }
    static double nowMs();

    CXGameSession* session = nullptr;  // not owned
    const Replay* replay = nullptr;    // not owned
    CXUserProfile* values = nullptr;   // not owned
    ReplayPlayer player;
    Status status = Status::Idle;
    int speedIndex = kNormalSpeed;
    bool paused = false;
    float slowCredit = 0.0f;  // frames owed at a slow speed
    bool seeking = false;
    int32_t seekTarget = 0, seekStart = 0;  // seekStart: 0 when the seek began with a restart
    double seekStartedMs = 0.0;             // steady clock, ms
    CXUserProfile valuesAtOpen;             // what each restart plays with
    int32_t desyncFrame = -1;
};
