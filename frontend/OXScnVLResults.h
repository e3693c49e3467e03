#pragma once

#include "frontend/ExperienceCounter.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// After a game: its final score ("NEW RECORD" under it when it beat its high-score table), the
// pilot's badge and rank, and the experience the game earned counting up into the bar, a rank
// gained with a pop of the new badge. When the count ends NEXT (back
// to the main menu) and HANGAR appear; accept before then finishes the count at once.
class OXScnVLResults : public OXScnVLMenu {
  public:
    enum ButtonId { Next = 0, Hangar = 1 };

    explicit OXScnVLResults(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    void update(float dtMs) override;
    bool enterStarted() override;
    bool enterFinished() override;
    void buttonPressed(int id) override;
    void keyEvent(int key, bool down) override;

    const ExperienceCounter& getCounter() const { return counter; }
    const OXTextBox* getCounterText() const { return counterText; }
    const OXTextBox* getScoreText() const { return scoreText; }
    const OXTextBox* getRecordText() const { return recordText; }
    const OXTextBox* getRankName() const { return rankName; }
    const OXSprite* getBadge() const { return badge; }
    const OXSprite* getBarFill() const { return barFill; }
    OXButton* getNext() const { return next; }

  private:
    // One frame of the count and what shows it.
    void advance();
    // The last game's score and record, from the session.
    void showScore();
    void showRank(bool pop);
    void showCount();
    // NEXT, HANGAR and the highlight, once the count is over.
    void showButtons(bool shown);

    ExperienceCounter counter;
    bool buttonsShown = false;
    OXSprite* badge = nullptr;  // all owned through objects
    OXTextBox* rankName = nullptr;
    OXSprite* barFill = nullptr;
    OXTextBox* counterText = nullptr;
    OXTextBox* scoreText = nullptr;   // "SCORE ..." of the game just ended
    OXTextBox* recordText = nullptr;  // "NEW RECORD", shown only for one
    OXTextBox* gained = nullptr;      // "+N EXP" still to come
    OXTextBox* rankUp = nullptr;      // "RANK UP" flash
    OXButton* next = nullptr;
    OXButton* hangar = nullptr;
};
