#include "stg/game/ReplayPlayer.h"

#include "stg/game/CXGameSession.h"

void ReplayPlayer::start(CXGameSession& on, const Replay& played, CXUserProfile& values) {
    session = &on;
    replay = &played;
    nextKey = 0;
    desyncFrame = -1;
    status = Playing;
    session->startReplay(played, values);
    if (session->getState() == CXGameSession::State::Ending) {
        // The recorded game's stages are not in this package.
        status = Desync;
        desyncFrame = 0;
    }
}

void ReplayPlayer::step(float dtMs) {
    if (status != Playing) {
        return;
    }
    const int32_t frame = session->getFrame();
    if (frame >= replay->frames) {
        status = Finished;
        return;
    }
    deliverKeys(frame);
    session->tick(dtMs);
    const int32_t played = session->getFrame();
    if (played >= replay->frames) {
        session->finishRecording();  // the last frame's check
    }
    const std::vector<ReplayCheck>& made = session->getRecording().checks;
    const ReplayCheck* wanted = replay->checkAt(played);
    const bool sessionEnded = session->getState() == CXGameSession::State::Idle && played < replay->frames;
    if (sessionEnded ||
        (wanted && (made.empty() || made.back().frame != played || made.back().hash != wanted->hash))) {
        status = Desync;
        desyncFrame = played;
    } else if (played == frame) {
        // The session stopped counting frames (its recording ended) before the replay's end.
        status = Desync;
        desyncFrame = played;
    } else if (played >= replay->frames) {
        // Keys of the last frame came after its tick: the one that ended the game (a menu's
        // YES) among them. The session hears them as it did, then the playback is over.
        deliverKeys(played);
        status = Finished;
    }
}

void ReplayPlayer::deliverKeys(int32_t frame) {
    while (nextKey < replay->keys.size() && replay->keys[nextKey].frame <= frame) {
        session->keyEvent(replay->keys[nextKey].code, replay->keys[nextKey].down);
        ++nextKey;
    }
}
