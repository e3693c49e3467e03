#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXButton;
class OXTextBox;

// The stage's results: grazes, orbs and their bonuses, revealed one after
// another over the summary plate. Fire skips the reveal, then presses "NEXT" (id 0), which
// the pointer can press too; an idle player goes on by himself a few seconds after
// everything is shown.
class OXScnBaseSummary : public OXScene {
  public:
    // The session whose game it shows (it outlives the overlay).
    explicit OXScnBaseSummary(CXGameSession& owner) : session(owner) {}
    static constexpr int kValueCount = 5;  // grazes, graze bonus, orbs, orb bonus, total bonus
    static constexpr float kRevealFadeMs = 500.0f;
    static constexpr float kRevealSlideMs = 800.0f;
    static constexpr float kIdleNextMs = 5000.0f;  // after the last value is shown

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    // A button pressed with the pointer: its choice edge goes the session's key path.
    void buttonPressed(int id) override;
    // What a button does, chosen by key or by its choice edge.
    void choose(int id);
    // Reads the session's counters and reveals them one after another.
    void showResults();

    const OXTextBox* getValueText(int index) const { return values[index]; }
    bool isRevealDone() const { return revealed >= kValueCount; }
    bool isNextShown() const;
    const OXButton* getNextButton() const { return nextButton; }

  private:
    CXGameSession& session;
    void revealNext();
    void revealAll();
    void showNext();
    void next();

    OXTextBox* values[kValueCount] = {};  // owned through objects
    float valueX[kValueCount] = {};       // units, where each value comes to rest
    float valueY[kValueCount] = {};
    Colour valueTint[kValueCount] = {};
    OXButton* nextButton = nullptr;  // owned through objects
    OXSprite* plate = nullptr;       // owned through objects
    overlay::KeyLatch latch;
    int revealed = kValueCount;  // values shown so far
    float revealTimer = 0.0f;    // ms until the next value starts
    float idleLeft = 0.0f;       // ms until NEXT happens by itself
    bool finished = true;        // NEXT has been taken for this summary
};
