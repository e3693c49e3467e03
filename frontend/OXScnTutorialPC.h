#pragma once

#include "frontend/OXScnVLMenu.h"

class OXSprite;
class OXTextBox;

// The controls, two pages per play style on the tutorial picture: casual
// play opens on frame 0, normal play on frame 2; right shows the second page
// (frame 1 or 3), left the first again. The lines name the keys the player
// has bound. BACK (0) returns to the difficulty.
class OXScnTutorialPC : public OXScnVLMenu {
  public:
    static constexpr int kLines = 5;
    enum ButtonId { Back = 0 };

    explicit OXScnTutorialPC(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    bool enterStarted() override;
    void keyEvent(int key, bool down) override;
    void buttonPressed(int id) override;
    void backPressed() override;
    // 0 or 1.
    void showPage(int page);
    int getFrame() const { return frame; }
    const OXTextBox* getLine(int index) const { return lines[index]; }

  private:
    OXSprite* picture = nullptr;     // owned through objects
    OXTextBox* keys[kLines] = {};    // owned through objects; the key column
    OXTextBox* lines[kLines] = {};   // owned through objects
    OXTextBox* pageLabel = nullptr;  // owned through objects
    int frame = 0;
};
