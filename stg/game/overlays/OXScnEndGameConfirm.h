#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXButton;

// "ARE YOU SURE" with "YES" (id 0, the game is over: the game-over screen, then the results)
// and "NO" (id 1, back to the overlay that asked). Each showing starts with "NO" highlighted.
// Keys: the arrows move between the buttons, fire presses the highlighted one, beam or trance
// answers "NO".
class OXScnEndGameConfirm : public OXScene {
  public:
    // The session whose game it shows (it outlives the overlay).
    explicit OXScnEndGameConfirm(CXGameSession& owner) : session(owner) {}
    enum ButtonId { YesButton = 0, NoButton = 1 };

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    // A button pressed with the pointer: its choice edge goes the session's key path.
    void buttonPressed(int id) override;
    // What a button does, chosen by key or by its choice edge.
    void choose(int id);

    const OXButton* getButton(int id) const { return id == YesButton ? yesButton : noButton; }

  private:
    CXGameSession& session;
    OXButton* yesButton = nullptr;  // owned through objects
    OXButton* noButton = nullptr;   // owned through objects
    overlay::ButtonRow row;
    overlay::KeyLatch latch;
    bool wasShown = false;  // false until the first frame of each showing
};
