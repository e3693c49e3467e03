#include "stg/game/CXGameSession.h"

CXGameSession& CXGameSession::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXGameSession* const session = new CXGameSession();
    return *session;
}

void CXGameSession::keyEvent(int code, bool down) {
    lastKeyCode = code;
    lastKeyDown = down;
    ++keyEventCount;
}

void CXGameSession::update(float) {}

void CXGameSession::draw() {}

void CXGameSession::setSceneSize(int width, int height) {
    sceneWidth = width;
    sceneHeight = height;
}

void CXGameSession::setScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}
