#pragma once

#include <cstdint>
#include <string>

#include "stg/game/Replay.h"

class CXGameSession;
class ReplayDeck;

// What the watching keys do to a replay on its deck, and what the watch bar says about it.
// The keys are fixed game key codes, whatever the player's bindings (the bar names them):
// LEFT / RIGHT seek 10 s back / on, UP / DOWN faster / slower, P pause and play, Z one frame
// while paused, Q / W the previous / next mark, H the next hit (frozen and ringed), T take
// control, K practise the attack of the hit shown, ESC or C leave. The deck does what it can by
// itself; taking control, practising and leaving are the application's, and key() hands them
// back. A hit shown stays ringed until the next seek, step or resume.
class ReplayWatch {
  public:
    enum class Action {
        None,
        SeekBack,
        SeekForward,
        Faster,
        Slower,
        Pause,
        Step,
        PreviousMark,
        NextMark,
        NextHit,
        TakeControl,
        PracticeHit,
        Leave
    };
    // The application's frame, which a replay at x1 shows one game frame in.
    static constexpr float kFrameMs = 16.7f;
    // A seek by the arrows: 10 s of frames at x1.
    static constexpr int32_t kSeekFrames = 600;
    // How long a line (a refusal, a desync, a seek past the end) stays on the bar, ms.
    static constexpr float kMessageMs = 4000.0f;
    // A line that stays until the watch ends.
    static constexpr float kHeldMessage = 1.0e30f;
    // The key hint turns its page this often, ms.
    static constexpr float kHintPageMs = 3000.0f;

    static Action actionForKey(int code);

    // Watches on `deck`, whose replay is open on `session`; both outlive the watch.
    void begin(ReplayDeck& deck, CXGameSession& session);
    // The hit's ring, if one shows, goes with the watch.
    void end();
    bool isWatching() const { return deck != nullptr; }
    // A key's press acts (releases do nothing); TakeControl, PracticeHit (only with a hit
    // shown) and Leave come back for the caller, everything else is done here and gives None.
    Action key(int code, bool down);
    // One frame of the application: the deck plays, a hit sought is frozen when it is reached,
    // the bar's line counts down.
    void update(float dtMs);
    // Seeks to the replay's hit `index` (-1 its last), then freezes and rings it. False, with a
    // line on the bar, when the replay names no such hit.
    bool showHit(int index);
    // The hit frozen and ringed now, or null.
    const ReplayHit* shownHit() const;

    // A line for the bar, shown `ms` (and written to the log by the caller).
    void say(const std::string& line, float ms = kMessageMs);

    // The bar's texts.
    std::string speedText() const;  // "x0.25" .. "x4", or "PAUSED"
    std::string timeText() const;   // "1:05 / 4:30"
    std::string markText() const;   // the last mark passed: "STAGE 2", an attack's name
    std::string hintText() const;   // the keys that matter now, a page at a time
    const std::string& message() const { return messageLine; }

    // "m:ss" of `frames` at x1.
    static std::string clock(int32_t frames);
    static std::string speedName(float speed);

  private:
    void seekTo(int32_t frame);
    void removeMark();
    void freezeOnHit();

    ReplayDeck* deck = nullptr;        // not owned
    CXGameSession* session = nullptr;  // not owned
    int soughtHit = -1;                // the hit a seek is on its way to, -1 none
    int frozenHit = -1;                // the hit ringed now, -1 none
    std::string messageLine;
    float messageMs = 0.0f;
    float watchedMs = 0.0f;  // since the watch began, for the hint's pages
};
