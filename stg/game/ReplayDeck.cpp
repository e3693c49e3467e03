#include "stg/game/ReplayDeck.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "audio/CXSoundManager.h"
#include "stg/game/CXGameSession.h"

namespace {
// The session steps its stage by its own fixed step; this is the application's frame.
constexpr float kFrameMs = CXGameSession::kOverlayStepMs;
}  // namespace

double ReplayDeck::nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ReplayDeck::open(CXGameSession& on, const Replay& played, CXUserProfile& playedValues) {
    close();
    session = &on;
    replay = &played;
    values = &playedValues;
    // A game changes its profile as it goes (its table, its counts): every restart begins from
    // the values the first start had, so a seek back reaches the same state as watching did.
    valuesAtOpen = playedValues;
    speedIndex = kNormalSpeed;
    paused = false;
    slowCredit = 0.0f;
    restart();
}

void ReplayDeck::close() {
    if (seeking) {
        seeking = false;
        CXSoundManager::instance().setSilenced(false);
    }
    session = nullptr;
    replay = nullptr;
    values = nullptr;
    status = Status::Idle;
    desyncFrame = -1;
}

void ReplayDeck::restart() {
    session->tearDown();
    *values = valuesAtOpen;
    player.start(*session, *replay, *values);
    session->setWatchSpeed(std::max(1, static_cast<int>(getSpeed())));
    if (player.getStatus() == ReplayPlayer::Desync) {
        status = Status::Desync;
        desyncFrame = player.getDesyncFrame();
    } else {
        status = Status::Playing;
        desyncFrame = -1;
    }
}

void ReplayDeck::playFrame() {
    player.step(kFrameMs);
    if (player.getStatus() == ReplayPlayer::Finished) {
        status = Status::Finished;
    } else if (player.getStatus() == ReplayPlayer::Desync) {
        status = Status::Desync;
        desyncFrame = player.getDesyncFrame();
    }
}

void ReplayDeck::update(float, double budgetMs) {
    if (!session || status != Status::Playing) {
        return;
    }
    if (seeking) {
        runSeek(std::max(0.0, budgetMs));
        return;
    }
    if (paused) {
        return;
    }
    int frames = static_cast<int>(getSpeed());
    if (frames == 0) {
        // A slow speed plays one frame once enough calls have owed it one.
        slowCredit += getSpeed();
        if (slowCredit >= 1.0f) {
            slowCredit -= 1.0f;
            frames = 1;
        }
    }
    for (int frame = 0; frame < frames && status == Status::Playing; ++frame) {
        playFrame();
    }
}

void ReplayDeck::setSpeedIndex(int index) {
    const int chosen = std::clamp(index, 0, kSpeedCount - 1);
    if (chosen == speedIndex) {
        return;
    }
    speedIndex = chosen;
    slowCredit = 0.0f;
    if (session && status == Status::Playing) {
        session->setWatchSpeed(std::max(1, static_cast<int>(getSpeed())));
    }
}

void ReplayDeck::stepFrame() {
    if (session && !seeking && status == Status::Playing) {
        playFrame();
    }
}

// ---- Seeking ----

void ReplayDeck::seekTo(int32_t frame) {
    if (!session || status == Status::Idle || status == Status::TakenOver) {
        return;
    }
    int32_t target = std::max<int32_t>(0, frame);
    if (target > replay->frames) {
        std::printf("REPLAY SEEK PAST THE END: FRAME %d OF %d\n", frame, replay->frames);
        target = replay->frames;
    }
    std::printf("REPLAY SEEK TO FRAME %d\n", target);
    if (!seeking) {
        // Nothing of the frames played on the way is heard; a seek asked for during another
        // goes on with the same silence and the same clock.
        seekStartedMs = nowMs();
        CXSoundManager::instance().setSilenced(true);
    }
    seeking = true;
    seekTarget = target;
    // No snapshots: back means the game from its start again.
    if (target < getFrame()) {
        restart();
        seekStart = 0;
    } else {
        seekStart = getFrame();
    }
    if (status != Status::Playing || getFrame() >= seekTarget) {
        endSeek();  // already there, or nothing more can be played
    }
}

void ReplayDeck::seekBy(int32_t frames) {
    seekTo(position() + frames);
}

void ReplayDeck::seekNow() {
    if (seeking) {
        runSeek(-1.0);
    }
}

void ReplayDeck::runSeek(double budgetMs) {
    const double started = nowMs();
    while (status == Status::Playing && getFrame() < seekTarget) {
        playFrame();
        if (budgetMs >= 0.0 && nowMs() - started >= budgetMs) {
            break;
        }
    }
    if (status != Status::Playing || getFrame() >= seekTarget) {
        endSeek();
    }
}

void ReplayDeck::endSeek() {
    seeking = false;
    CXSoundManager::instance().setSilenced(false);
    std::printf("REPLAY SEEK DONE AT FRAME %d IN %.0f MS\n", getFrame(), nowMs() - seekStartedMs);
}

float ReplayDeck::seekProgress() const {
    if (!seeking) {
        return 1.0f;
    }
    const int32_t length = seekTarget - seekStart;
    if (length <= 0) {
        return 1.0f;
    }
    return std::clamp(static_cast<float>(getFrame() - seekStart) / static_cast<float>(length), 0.0f, 1.0f);
}

double ReplayDeck::seekElapsedMs() const {
    return seeking ? nowMs() - seekStartedMs : 0.0;
}

// ---- Marks ----

const ReplayMark* ReplayDeck::previousMark() const {
    if (!replay) {
        return nullptr;
    }
    const int32_t at = position();
    const ReplayMark* found = nullptr;
    for (const ReplayMark& mark : replay->marks) {
        if (mark.frame < at && (!found || mark.frame >= found->frame)) {
            found = &mark;
        }
    }
    return found;
}

const ReplayMark* ReplayDeck::nextMark() const {
    if (!replay) {
        return nullptr;
    }
    const int32_t at = position();
    const ReplayMark* found = nullptr;
    for (const ReplayMark& mark : replay->marks) {
        if (mark.frame > at && (!found || mark.frame < found->frame)) {
            found = &mark;
        }
    }
    return found;
}

// ---- Taking control ----

bool ReplayDeck::takeControl() {
    if (!session || seeking || status != Status::Playing) {
        return false;
    }
    session->takeControl();
    status = Status::TakenOver;
    paused = false;
    std::printf("REPLAY TAKEN OVER AT FRAME %d\n", getFrame());
    return true;
}

int32_t ReplayDeck::getFrame() const {
    return session ? session->getFrame() : 0;
}
