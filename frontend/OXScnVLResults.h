#pragma once

#include "frontend/ExperienceCounter.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// After a game: its final score ("NEW RECORD" under it when it beat its high-score table), the
// pilot's badge and rank, the experience the game earned counting up into the bar (a rank
// gained with a pop of the new badge) and the boss attacks the game captured. When the count
// ends NEXT (back to the main menu) and HANGAR appear, with SEE HIT (the game's replay frozen
// at its last hit) when the replay names a hit and KEEP REPLAY (the theatre, to keep it under
// a name) when one was saved; accept before then finishes the count at once.
// A practice game has its own layout: no rank or experience, the score and the captures, and
// RETRY (the same practice again) and BACK (the practice screen) at once.
class OXScnVLResults : public OXScnVLMenu {
  public:
    enum ButtonId { Next = 0, Hangar = 1, SeeHit = 2, KeepReplay = 3, Retry = 4, Back = 5 };
    // Captured attacks listed by name; a longer list ends with "+N MORE" on the last line.
    static constexpr int kCaptureLines = 3;
    static constexpr int kLineGlyphs = 22;  // the most a line of the smallest text holds

    explicit OXScnVLResults(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    void update(float dtMs) override;
    bool enterStarted() override;
    bool enterFinished() override;
    void buttonPressed(int id) override;
    void keyEvent(int key, bool down) override;
    void backPressed() override;

    bool isPracticeLayout() const { return practiceLayout; }
    const ExperienceCounter& getCounter() const { return counter; }
    const OXTextBox* getCounterText() const { return counterText; }
    const OXTextBox* getScoreText() const { return scoreText; }
    const OXTextBox* getRecordText() const { return recordText; }
    const OXTextBox* getRankName() const { return rankName; }
    const OXTextBox* getCaptureLine(int index) const { return captureLines[index]; }
    const OXSprite* getBadge() const { return badge; }
    const OXSprite* getBarFill() const { return barFill; }
    OXButton* getNext() const { return next; }
    OXButton* getButton(ButtonId id) const { return buttons[id]; }

  private:
    void buildRankAndExperience();
    void buildCaptures(float top);
    // One frame of the count and what shows it.
    void advance();
    // The last game's score and record, from the session.
    void showScore();
    void showRank(bool pop);
    void showCount();
    // The layout's buttons and the highlight, once the count is over.
    void showButtons(bool shown);

    ExperienceCounter counter;
    bool practiceLayout = false;
    bool buttonsShown = false;
    bool hitShown = false;      // the game's replay names a hit
    bool keepShown = false;     // the game left a replay
    OXSprite* badge = nullptr;  // all owned through objects; the rank's are null in practice
    OXTextBox* rankName = nullptr;
    OXSprite* barFill = nullptr;
    OXTextBox* counterText = nullptr;
    OXTextBox* scoreText = nullptr;   // "SCORE ..." of the game just ended
    OXTextBox* recordText = nullptr;  // "NEW RECORD", shown only for one
    OXTextBox* gained = nullptr;      // "+N EXP" still to come
    OXTextBox* rankUp = nullptr;      // "RANK UP" flash
    OXTextBox* captureLines[kCaptureLines] = {};
    OXButton* next = nullptr;
    OXButton* buttons[Back + 1] = {};  // by ButtonId; null for those the layout lacks
};
