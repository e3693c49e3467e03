#pragma once

#include <cstdint>
#include <string>

#include "frontend/NameDraft.h"
#include "frontend/OXScnVLMenu.h"
#include "frontend/ReplayShelf.h"

class OXButton;
class OXSprite;
class OXTextBox;

// The replay theatre's list: the replays beside the player's profile, a page of rows at a
// time (name, then date; the chosen row's mode, difficulty, fighter, stage and score under
// the list). Up and down choose a row, accept watches it, left and right turn the page, R
// renames a kept row (or keeps an automatic one under a name), D deletes a kept row after
// asking again, back leaves for the main menu; the mouse clicks a row to choose it and
// clicks the buttons. A replay that can't be played is shown dim and refused with a line.
//
// Naming: a prompt takes the typed name from the window's text events (textEntered); while
// it shows, the game keys do nothing, so letters typed never act on the screen: return keeps
// the name (or presses CANCEL when the arrows have moved onto it), escape leaves it. Entered after the
// results screen's KEEP REPLAY, the screen opens the prompt for the last game's replay with a name made up
// for it.
class OXScnVLReplays : public OXScnVLMenu {
  public:
    enum ButtonId {
        FirstRow = 0,  // one per row of the page, in order
        PreviousPage = 10,
        NextPage = 11,
        Watch = 12,
        Rename = 13,  // KEEP on an automatic row
        Delete = 14,
        Back = 15,
        PromptOk = 16,  // KEEP, RENAME or YES
        PromptCancel = 17
    };
    enum class Prompt { None, KeepLast, KeepRow, Rename, Delete };

    explicit OXScnVLReplays(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    bool exitStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;
    void textEntered(uint32_t codePoint) override;

    const ReplayShelf& getShelf() const { return shelf; }
    Prompt getPrompt() const { return prompt; }
    // The name being typed, and the line shown under the list (a refusal or a failure).
    std::string typedName() const { return draft.text(); }
    const std::string& getMessage() const { return message; }

  protected:
    int firstSelectable() const override;

  private:
    static constexpr int kRows = ReplayShelf::kRowsPerPage;
    static constexpr int kKeyCount = 32;

    // Rows, page, particulars and buttons from the shelf as it is now.
    void refresh();
    void watchChosen();
    void renameOrKeepChosen();
    void deleteChosen();
    // The name prompt (or the delete question) over the list.
    void openPrompt(Prompt kind);
    void closePrompt();
    void finishPrompt();
    void showPromptName();
    // A line under the list and in the log; empty clears it.
    void say(const std::string& line);
    std::string lastGamePath() const;

    ReplayShelf shelf;
    NameDraft draft;
    Prompt prompt = Prompt::None;
    std::string keepSource;  // the replay the prompt keeps a copy of
    std::string message;
    // Game keys whose press this screen saw while its list was live: a release acts only
    // after its own press, so the release of a key held while a name was typed (return
    // itself, a letter) does nothing to the list.
    bool pressed[kKeyCount] = {};

    OXSprite* plates[kRows] = {};  // all owned through objects
    OXTextBox* names[kRows] = {};
    OXTextBox* dates[kRows] = {};
    OXTextBox* emptyLine = nullptr;
    OXTextBox* pageLine = nullptr;
    OXButton* pageButtons[2] = {};
    static constexpr int kDetailLines = 3;
    OXTextBox* details[kDetailLines] = {};
    static constexpr int kMessageLines = 3;
    OXTextBox* messageLines[kMessageLines] = {};
    OXButton* watchButton = nullptr;
    OXButton* renameButton = nullptr;
    OXButton* deleteButton = nullptr;
    OXButton* backButton = nullptr;
    OXSprite* promptPanel = nullptr;
    OXTextBox* promptTitle = nullptr;
    OXTextBox* promptName[2] = {};
    OXTextBox* promptHint = nullptr;
    OXButton* promptOk = nullptr;
    OXButton* promptCancel = nullptr;
    int okIndex = 0;  // the prompt's buttons among the selectables
};
