#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXButton;
class OXTextBox;

// "CONTINUE?" with the continues left, the score the player has and the warning that a
// continue resets it to 0, and "YES" (id 0, takes a continue; disabled with none left) and
// "NO" (id 1, the end-game question). Keys: the arrows move between the buttons, fire presses the
// highlighted one, beam or trance answers "NO".
class OXScnBaseContinue : public OXScene {
  public:
    // The session whose game it shows (it outlives the overlay).
    explicit OXScnBaseContinue(CXGameSession& owner) : session(owner) {}
    enum ButtonId { YesButton = 0, NoButton = 1 };

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    // A button pressed with the pointer: its choice edge goes the session's key path.
    void buttonPressed(int id) override;
    // What a button does, chosen by key or by its choice edge.
    void choose(int id);
    // Shown by the session with the continues left: rewrites "CONTINUES LEFT: %d" and the
    // session's score, which a continue gives up.
    void setContinuesLeft(int count);

    const OXTextBox* getCountText() const { return countText; }
    const OXTextBox* getScoreText() const { return scoreText; }
    const OXButton* getButton(int id) const { return id == YesButton ? yesButton : noButton; }

  private:
    CXGameSession& session;
    OXTextBox* countText = nullptr;  // owned through objects
    OXTextBox* scoreText = nullptr;  // owned through objects
    OXButton* yesButton = nullptr;   // owned through objects
    OXButton* noButton = nullptr;    // owned through objects
    overlay::ButtonRow row;
    overlay::KeyLatch latch;
    int continuesLeft = 0;
};
