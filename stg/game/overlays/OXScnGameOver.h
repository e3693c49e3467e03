#pragma once

#include <cstdint>

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXSprite;
class OXTextBox;

// "GAME OVER", the game's final score and, when the game beat its high-score table's best,
// "NEW RECORD". The panel stands over the field at once, opaque, while the backdrop darkens the
// rest of the field over kAppearMs; the screen is held kHoldMs for the player to read, then
// the game ends. From kSkipAfterMs on, a key (pressed and released while it shows) or a click
// ends it early.
class OXScnGameOver : public OXScene {
  public:
    // The session whose game it shows (it outlives the overlay).
    explicit OXScnGameOver(CXGameSession& owner) : session(owner) {}
    static constexpr float kAppearMs = 2000.0f;
    static constexpr float kHoldMs = 6000.0f;
    static constexpr float kSkipAfterMs = 1000.0f;

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    // Shows the panel with the session's score and record and fades the backdrop in; when the
    // hold ends (or is skipped) calls CXGameSession::gameOverFinished.
    void appear();

    const OXSprite* getBackdrop() const { return backdrop; }
    const OXTextBox* getScoreText() const { return scoreText; }
    const OXTextBox* getRecordText() const { return recordText; }

  private:
    CXGameSession& session;
    OXTextBox* titleText = nullptr;   // owned through objects
    OXTextBox* scoreText = nullptr;   // owned through objects
    OXTextBox* recordText = nullptr;  // owned through objects; shown only for a record
    OXSprite* backdrop = nullptr;     // owned through objects
    overlay::KeyLatch latch;
    float shownMs = 0.0f;     // since appear(), in overlay steps
    bool skipWanted = false;  // a key or click asked to go on, once skipping was allowed
    bool finishSent = false;  // the session has been told
};
