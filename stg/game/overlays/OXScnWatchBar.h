#pragma once

#include <string>

#include "engine/OXScene.h"

class OXSprite;
class OXTextBox;
class ReplayWatch;
class ReplayDeck;

// The bar drawn over a replay being watched, along the foot of the field (clear of its middle):
// the speed or PAUSED, the time shown and the whole, the last stage or attack passed, the keys
// that matter now, and for a few seconds a line about what went wrong (a refusal, a desync, a
// seek past the end). While a seek runs long enough for its progress to show, the field is not
// drawn: the bar shows "SEEKING" and how far it has come over a dark field instead.
class OXScnWatchBar : public OXScene {
  public:
    void buildScene() override;
    // Brings the texts up to date with `watch` (rewritten only when they change); `deck` null
    // shows only the message line.
    void follow(const ReplayWatch& watch, const ReplayDeck* deck);
    // The field lies dark under the seek's progress.
    bool coversField() const { return seekShown; }

    const OXTextBox* getSpeedText() const { return speedText; }
    const OXTextBox* getMessageText() const { return messageText; }
    const OXSprite* getSeekFill() const { return seekFill; }

  private:
    static void show(OXTextBox* box, std::string& shown, const std::string& text);

    OXSprite* band = nullptr;  // owned through objects
    OXTextBox* speedText = nullptr;
    OXTextBox* timeText = nullptr;
    OXTextBox* markText = nullptr;
    OXTextBox* hintText = nullptr;
    OXSprite* messagePlate = nullptr;
    OXTextBox* messageText = nullptr;
    // The seek's progress: a dark field, a frame, the filled part, "SEEKING".
    OXSprite* darkField = nullptr;
    OXSprite* seekFrame = nullptr;
    OXSprite* seekFill = nullptr;
    OXTextBox* seekText = nullptr;
    Vec3 seekFillUnit{1, 1, 1};  // the fill's scale for one unit of width
    std::string shownSpeed, shownTime, shownMark, shownHint, shownMessage;
    bool seekShown = false;
};
