#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXButton;

// A question answered "YES" (id 0) or "NO" (id 1), or two other labels, over the stage. Keys: the arrows move
// between the buttons, fire presses the highlighted one, beam or trance answers "NO"; a key
// counts only when the prompt saw it pressed. A button pressed with the pointer sends its choice
// edge down the session's key path, so a replay records it, and it comes back through keyEvent.
class OXScnChoicePrompt : public OXScene {
  public:
    enum ButtonId { YesButton = 0, NoButton = 1 };

    explicit OXScnChoicePrompt(CXGameSession& owner) : session(owner) {}

    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    void buttonPressed(int id) override;
    // What a button does, chosen by key or by its choice edge.
    virtual void choose(int id) = 0;

    const OXButton* getButton(int id) const { return id == YesButton ? yesButton : noButton; }

  protected:
    // The two buttons, centred, at heights `yesY` and `noY` of the field.
    void addChoices(float yesY, float noY, const char* yesLabel = "YES", const char* noLabel = "NO");

    CXGameSession& session;
    OXButton* yesButton = nullptr;  // owned through objects
    OXButton* noButton = nullptr;   // owned through objects
    overlay::ButtonRow row;
    overlay::KeyLatch latch;
};
