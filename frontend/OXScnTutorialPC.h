#pragma once

#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// How to play: a few pages, each a picture and a handful of lines, for the play style chosen
// (casual play has the laser instead of the counter). Right or NEXT turns to the next page,
// Left to the one before; NEXT on the last page, BACK or the back key return to the
// difficulty. The lines name the keys the player has bound.
class OXScnTutorialPC : public OXScnVLMenu {
  public:
    static constexpr int kLines = 8;
    static constexpr int kPageCount = 7;
    enum ButtonId { Back = 0, Next = 1 };

    explicit OXScnTutorialPC(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    bool enterStarted() override;
    void keyNamesChanged() override;
    void keyEvent(int key, bool down) override;
    void buttonPressed(int id) override;
    void backPressed() override;
    // 0 to kPageCount - 1; others are ignored.
    void showPage(int page);
    int getPage() const { return page; }
    // The picture's frame in the tutorial atlas.
    int getFrame() const { return frame; }
    const OXTextBox* getTitle() const { return title; }
    const OXTextBox* getLine(int index) const { return lines[index]; }
    const OXTextBox* getCounter() const { return counter; }

  protected:
    // NEXT: the accept key turns the pages.
    int firstSelectable() const override { return 0; }

  private:
    OXSprite* picture = nullptr;  // owned through objects
    OXTextBox* title = nullptr;   // owned through objects
    OXTextBox* lines[kLines] = {};
    OXTextBox* counter = nullptr;
    OXButton* next = nullptr;
    int page = 0;
    int frame = 0;
};
