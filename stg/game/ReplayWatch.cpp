#include "stg/game/ReplayWatch.h"

#include <cstdio>

#include "stg/game/CXGameSession.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/ReplayDeck.h"

namespace {
// The game key codes of the watching keys (the keyboard table's order).
constexpr int kKeyC = 1, kKeyZ = 2, kKeyH = 13, kKeyK = 15, kKeyQ = 17, kKeyW = 18, kKeyT = 21, kKeyP = 26;
constexpr int kKeyEscape = 27, kKeyLeft = 28, kKeyRight = 29, kKeyUp = 30, kKeyDown = 31;
}  // namespace

ReplayWatch::Action ReplayWatch::actionForKey(int code) {
    switch (code) {
        case kKeyLeft:
            return Action::SeekBack;
        case kKeyRight:
            return Action::SeekForward;
        case kKeyUp:
            return Action::Faster;
        case kKeyDown:
            return Action::Slower;
        case kKeyP:
            return Action::Pause;
        case kKeyZ:
            return Action::Step;
        case kKeyQ:
            return Action::PreviousMark;
        case kKeyW:
            return Action::NextMark;
        case kKeyH:
            return Action::NextHit;
        case kKeyT:
            return Action::TakeControl;
        case kKeyK:
            return Action::PracticeHit;
        case kKeyEscape:
        case kKeyC:
            return Action::Leave;
        default:
            return Action::None;
    }
}

void ReplayWatch::begin(ReplayDeck& on, CXGameSession& of) {
    deck = &on;
    session = &of;
    soughtHit = frozenHit = -1;
    messageLine.clear();
    messageMs = 0.0f;
    watchedMs = 0.0f;
}

void ReplayWatch::end() {
    if (deck) {
        removeMark();
    }
    deck = nullptr;
    session = nullptr;
    soughtHit = frozenHit = -1;
}

ReplayWatch::Action ReplayWatch::key(int code, bool down) {
    const Action action = actionForKey(code);
    if (!deck || !down) {
        return Action::None;
    }
    // At the end of a replay, or where it went out of step, it can still be sought back.
    const bool playing = deck->getStatus() == ReplayDeck::Status::Playing;
    const bool seekBack =
        action == Action::SeekBack || action == Action::PreviousMark || action == Action::NextHit;
    if (!playing && !(seekBack && deck->getStatus() != ReplayDeck::Status::TakenOver)) {
        return action == Action::Leave ? action : Action::None;
    }
    switch (action) {
        case Action::SeekBack:
            seekTo(deck->getFrame() - kSeekFrames);
            break;
        case Action::SeekForward:
            seekTo(deck->getFrame() + kSeekFrames);
            break;
        case Action::Faster:
        case Action::Slower:
            if (action == Action::Faster) {
                deck->faster();
            } else {
                deck->slower();
            }
            std::printf("REPLAY SPEED %s\n", speedName(deck->getSpeed()).c_str());
            break;
        case Action::Pause:
            deck->setPaused(!deck->isPaused());
            if (!deck->isPaused()) {
                removeMark();
            }
            std::printf(deck->isPaused() ? "REPLAY PAUSED\n" : "REPLAY RESUMED\n");
            break;
        case Action::Step:
            if (deck->isPaused() && !deck->isSeeking()) {
                removeMark();
                deck->stepFrame();
            }
            break;
        case Action::PreviousMark:
        case Action::NextMark:
            if (const ReplayMark* mark =
                    action == Action::PreviousMark ? deck->previousMark() : deck->nextMark()) {
                seekTo(mark->frame);
            } else {
                say(action == Action::PreviousMark ? "NO EARLIER MARK" : "NO LATER MARK");
            }
            break;
        case Action::NextHit: {
            // The first hit after the frame shown; after the last, round to the first.
            const std::vector<ReplayHit>& hits = deck->getReplay()->hits;
            int next = 0;
            while (next < static_cast<int>(hits.size()) && hits[next].frame <= deck->getFrame()) {
                ++next;
            }
            showHit(next < static_cast<int>(hits.size()) ? next : 0);
            break;
        }
        case Action::PracticeHit:
            return frozenHit >= 0 ? action : Action::None;
        case Action::TakeControl:
        case Action::Leave:
            return action;
        case Action::None:
            break;
    }
    return Action::None;
}

void ReplayWatch::update(float dtMs) {
    watchedMs += dtMs;
    if (messageMs > 0.0f) {
        messageMs -= dtMs;
        if (messageMs <= 0.0f) {
            messageLine.clear();
        }
    }
    if (!deck) {
        return;
    }
    deck->update(dtMs);
    if (soughtHit >= 0 && !deck->isSeeking()) {
        freezeOnHit();
    }
}

bool ReplayWatch::showHit(int index) {
    if (!deck || !deck->getReplay()) {
        return false;
    }
    const std::vector<ReplayHit>& hits = deck->getReplay()->hits;
    if (index < 0) {
        index = static_cast<int>(hits.size()) - 1;
    }
    if (index < 0 || index >= static_cast<int>(hits.size())) {
        say(hits.empty() ? "NO HIT IN THIS REPLAY" : "NO SUCH HIT IN THIS REPLAY");
        std::printf("REPLAY HAS NO HIT %d (IT NAMES %d)\n", index, static_cast<int>(hits.size()));
        return false;
    }
    seekTo(hits[index].frame);
    soughtHit = index;
    if (!deck->isSeeking()) {
        freezeOnHit();  // already there
    }
    return true;
}

void ReplayWatch::freezeOnHit() {
    const int index = soughtHit;
    soughtHit = -1;
    const ReplayHit& hit = deck->getReplay()->hits[index];
    if (deck->getFrame() != hit.frame) {
        // The replay went out of step (or ended) before the hit: nothing to ring.
        say("THE HIT COULD NOT BE REACHED");
        return;
    }
    deck->setPaused(true);
    frozenHit = index;
    if (OXScnBaseSTGGame* scene = session->getGameScene()) {
        scene->showHitMark(&hit);
    }
    std::printf("REPLAY HIT SHOWN: FRAME %d %s\n", hit.frame, hit.attack.c_str());
}

const ReplayHit* ReplayWatch::shownHit() const {
    return deck && frozenHit >= 0 ? &deck->getReplay()->hits[frozenHit] : nullptr;
}

void ReplayWatch::seekTo(int32_t frame) {
    if (deck->getStatus() != ReplayDeck::Status::Playing) {
        say("", 0.0f);  // sought back from the end: its line has had its say
    }
    removeMark();
    soughtHit = -1;
    const int32_t frames = deck->getFrames();
    if (frame > frames) {
        std::printf("REPLAY SEEK PAST THE END: FRAME %d OF %d\n", frame, frames);
        say("PAST THE END: " + clock(frames) + " IS ALL");
    }
    // Short of the last frame: its keys end the recorded game, which would leave the replay
    // before the player sees where the seek came to.
    if (frame >= frames) {
        frame = frames - 1;
    }
    deck->seekTo(frame);
}

void ReplayWatch::removeMark() {
    if (frozenHit < 0) {
        return;
    }
    frozenHit = -1;
    if (OXScnBaseSTGGame* scene = session->getGameScene()) {
        scene->showHitMark(nullptr);
    }
}

void ReplayWatch::say(const std::string& line, float ms) {
    messageLine = line;
    messageMs = ms;
}

std::string ReplayWatch::speedName(float speed) {
    char text[16];
    std::snprintf(text, sizeof text, "x%g", static_cast<double>(speed));
    return text;
}

std::string ReplayWatch::clock(int32_t frames) {
    const int seconds = frames <= 0 ? 0 : static_cast<int>(static_cast<float>(frames) * kFrameMs / 1000.0f);
    char text[24];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

std::string ReplayWatch::speedText() const {
    if (!deck) {
        return "";
    }
    return deck->isPaused() ? "PAUSED" : speedName(deck->getSpeed());
}

std::string ReplayWatch::timeText() const {
    return deck ? clock(deck->getFrame()) + " / " + clock(deck->getFrames()) : "";
}

std::string ReplayWatch::markText() const {
    if (const ReplayHit* hit = shownHit()) {
        return hit->attack;
    }
    // The last mark reached: one sought to (a stage's or an attack's start) is named at once.
    const ReplayMark* reached = nullptr;
    if (deck && deck->getReplay()) {
        for (const ReplayMark& mark : deck->getReplay()->marks) {
            if (mark.frame <= deck->getFrame()) {
                reached = &mark;
            }
        }
    }
    return reached ? reached->label : "";
}

std::string ReplayWatch::hintText() const {
    // Pages of at most 25 glyphs (the field's width at the smallest text), turned every
    // kHintPageMs: the keys of what can be done now first.
    static const char* const kEnded[] = {"C LEAVE"};
    static const char* const kHitShown[] = {"K PRACTISE  H NEXT HIT", "P PLAY  T TAKE  C LEAVE"};
    static const char* const kPaused[] = {"Z STEP  P PLAY  T TAKE", "ARROWS SEEK  Q/W MARKS",
                                          "H HITS  C LEAVE"};
    static const char* const kPlaying[] = {"P PAUSE  T TAKE  C LEAVE", "ARROWS SEEK+SPEED  H HIT",
                                           "Q/W MARKS"};
    const char* const* pages = kPlaying;
    int count = 3;
    if (!deck || deck->getStatus() != ReplayDeck::Status::Playing) {
        pages = kEnded;
        count = 1;
    } else if (shownHit()) {
        pages = kHitShown;
        count = 2;
    } else if (deck->isPaused()) {
        pages = kPaused;
    }
    return pages[static_cast<int>(watchedMs / kHintPageMs) % count];
}
