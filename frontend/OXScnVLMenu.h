#pragma once

#include <initializer_list>
#include <string>

#include "engine/OXScene.h"
#include "engine/OXTextBox.h"

class IXMenuHost;
class OXButton;
class OXSprite;

// The common ground of the front-end screens: the host they switch through,
// the house look (a heading under a lit rule, buttons from the menu sheet,
// text in the game font, a line of key hints at the foot) and the layout
// numbers every screen shares. Scene units: 768 x 1024, of which the middle
// 576 are seen at 16:9, so everything stays within x 96 to 672.
class OXScnVLMenu : public OXScene {
  public:
    static constexpr const char* kMenuButton = "assets/plist/btn_menu";
    static constexpr const char* kMenuFont = "assets/plist/fnt_novo_white";
    static constexpr float kCentreX = 384.0f;
    static constexpr float kHeadingY = 880.0f;
    // The smallest text the menus draw. At 640 x 480 the scene's 1024 units of height become
    // 480 pixels, a glyph cell is half the character size tall and a capital fills 0.68 of
    // its cell: 51 x 0.5 x 0.68 x 480 / 1024 = 8.1 pixels, the least a player reads. A line
    // of it holds at most 22 characters within the 576 units a 16:9 view shows.
    static constexpr int kSmallestTextSize = 51;
    static constexpr float kButtonLabelSize = 51.0f;
    static constexpr float kButtonGap = 96.0f;  // between button rows

    explicit OXScnVLMenu(IXMenuHost& menuHost) : host(menuHost) {}

    // Refresh the key hints, so a rebinding shows at once, and put the
    // highlight on firstSelectable().
    bool enterStarted() override;
    // The hints name the keys of the device used last.
    void keyNamesChanged() override;
    bool enterFinished() override;
    // Remembers the selectable the highlight was left on, for the next visit.
    bool exitStarted() override;
    // Gives the highlighted widget the pointer's hover look too (it grows),
    // so the keyboard's choice is as plain as the mouse's.
    void update(float dtMs) override;
    IXMenuHost& getHost() const { return host; }
    bool isNoteShown() const { return note.shown; }

  protected:
    // A button from `sprite` labelled `label`, reporting `id` to this scene,
    // added as object and selectable (in the order of the calls: the
    // keyboard's order).
    OXButton* addButton(int id, const std::string& label, float x, float y, const char* sprite = kMenuButton);
    // A line of text in the game font.
    OXTextBox* addText(const std::string& text, float x, float y, int charSize,
                       OXTextBox::Alignment alignment = OXTextBox::AlignCentre);
    // The screen's name at the top, lit in the title's cyan.
    void addHeading(const std::string& text, float y = kHeadingY);
    // The foot line naming the accept and back keys ("Z SELECT  C BACK").
    void addKeyHints();
    void refreshKeyHints();
    // A note over the screen: a panel from `panelSprite`, its lines top-down from `topY` (the
    // first a lit title), and an OK button reporting `okId`. Added hidden.
    void addNote(const char* panelSprite, std::initializer_list<const char*> lines, float topY, float lineGap,
                 int bodySize, int okId);
    // Shows or hides the note; the screen steps its own buttons aside behind it itself.
    void setNoteShown(bool show);

    // The selectable the highlight starts on when the screen is entered: OK
    // while a note shows, else the one it was left on (see rememberedSelectable).
    virtual int firstSelectable() const { return note.shown ? note.buttonIndex : rememberedSelectable(); }
    // The selectable the highlight rested on when the screen was last left, or the first
    // shown one after it when that one is hidden now; 0 before the first visit ends.
    int rememberedSelectable() const;
    void highlightSelectable(int index);

    IXMenuHost& host;
    OXTextBox* keyHints = nullptr;  // owned through objects; null when the screen shows none
    int lookedSelection = -1;       // the selectable wearing the highlighted look, -1 for none
    int leftOn = -1;                // the selectable the highlight was left on, -1 before any
    // The selectable the highlight was last heard on: a move from it to another, by a key, the
    // joystick or the pointer, sounds; one the screen makes itself (highlightSelectable) is quiet.
    int heardSelection = -1;

  private:
    struct Note {
        static constexpr int kMaxLines = 4;
        OXSprite* panel = nullptr;  // owned through objects; null on a screen without a note
        OXTextBox* lines[kMaxLines] = {};
        OXButton* button = nullptr;
        int buttonIndex = 0;  // its place among the selectables
        bool shown = false;
    };
    Note note;
};
