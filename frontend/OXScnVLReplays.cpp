#include "frontend/OXScnVLReplays.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"
#include "stg/game/Replay.h"

namespace {
// Game key codes the screen reads besides the menu keys.
constexpr int kKeyD = 10, kKeyR = 20, kKeyEscape = 27;
// Text codes the prompt reads.
constexpr uint32_t kReturn = 13, kEscape = 27;

constexpr int kTextSize = OXScnVLMenu::kSmallestTextSize;
constexpr int kPromptTitleSize = 56;
constexpr float kTextLeft = 116.0f;  // rows' text starts clear of the plate's left bracket
constexpr float kFirstRowY = 800.0f;
constexpr float kPlateScaleX = 0.9f, kPlateScaleY = 0.95f;  // 576 x 76 units
constexpr float kRowStep = 80.0f;
constexpr float kPageY = 412.0f;
constexpr float kFirstDetailY = 350.0f;
constexpr float kLineStep = 28.0f;
constexpr float kFirstMessageY = 256.0f;
constexpr float kActionsY = 188.0f;
constexpr float kBackY = 116.0f;
constexpr float kPromptY = 560.0f;

const Colour kLit{0.75f, 0.97f, 1.0f, 1.0f};
const Colour kAutomatic{1.0f, 0.85f, 0.55f, 1.0f};  // the game's own replays, as the scores show bests
const Colour kDated{0.6f, 0.75f, 0.8f, 1.0f};
const Colour kDim{0.42f, 0.42f, 0.48f, 1.0f};

void paint(IXRenderObject& object, const Colour& colour) {
    object.setColour(colour.r, colour.g, colour.b, colour.a);
}

// Greys a button out, or brings it back, leaving the look of one the pointer rests on.
void enable(OXButton& button, bool enabled) {
    if (!enabled) {
        button.setState(OXButton::Disabled);
    } else if (button.getState() == OXButton::Disabled) {
        button.setState(OXButton::Normal);
    }
}

// A row's plate, which the pointer chooses the row by: it reports its id to the screen when a
// press that began on it ends on it.
class ReplayRowPlate : public OXSprite {
  public:
    ReplayRowPlate(OXScene& screen, int rowId) : owner(screen), id(rowId) {}
    void touchBegan(float, float) override { held = true; }
    void touchEnded(float x, float y) override {
        const bool counts = held && containsPoint(x, y);
        held = false;
        if (counts) {
            owner.buttonPressed(id);
        }
    }

  private:
    OXScene& owner;
    int id;
    bool held = false;
};
}  // namespace

void OXScnVLReplays::buildScene() {
    addHeading("REPLAYS");
    for (int row = 0; row < kRows; ++row) {
        const float y = kFirstRowY - kRowStep * static_cast<float>(row);
        auto* plate = new ReplayRowPlate(*this, FirstRow + row);
        plate->load("assets/plist/spr_menu_row_plate");
        plate->setPosition(kCentreX, y, 0);
        plate->setScale(kPlateScaleX, kPlateScaleY, 1);
        addObject(plate);
        addSelectable(plate);
        plates[row] = plate;
        // Made with the longest text they show, so each box has its width from the start.
        names[row] = addText("MMMMMMMMMMMMMMMMMMMMM", kTextLeft, y + 3, kTextSize, OXTextBox::AlignLeft);
        dates[row] = addText("2026-12-10 01:45 UTC", kTextLeft, y - 31, kTextSize, OXTextBox::AlignLeft);
    }
    emptyLine = addText("NO REPLAYS YET", kCentreX, kFirstRowY - kRowStep, kTextSize);
    pageButtons[0] = addButton(PreviousPage, "PREV", 168, kPageY, "assets/plist/btn_menu_watch");
    pageButtons[1] = addButton(NextPage, "NEXT", 600, kPageY, "assets/plist/btn_menu_watch");
    pageLine = addText("PAGE 1/1", kCentreX, kPageY - 13, kTextSize);
    for (int line = 0; line < kDetailLines; ++line) {
        details[line] =
            addText("", kCentreX, kFirstDetailY - kLineStep * static_cast<float>(line), kTextSize);
    }
    for (int line = 0; line < kMessageLines; ++line) {
        messageLines[line] =
            addText("", kCentreX, kFirstMessageY - kLineStep * static_cast<float>(line), kTextSize);
        paint(*messageLines[line], kAutomatic);
    }
    watchButton = addButton(Watch, "WATCH", 198, kActionsY, ScreenParts::kSmallButton);
    renameButton = addButton(Rename, "RENAME", kCentreX, kActionsY, ScreenParts::kSmallButton);
    deleteButton = addButton(Delete, "DELETE", 570, kActionsY, ScreenParts::kSmallButton);
    backButton = addButton(Back, "BACK", kCentreX, kBackY, ScreenParts::kSmallButton);

    // The prompt over the list: the panel, its title, the name typed (two lines, the second
    // for a long name) or the replay asked about, a hint, and its two buttons.
    promptPanel = ScreenParts::addSprite(*this, "assets/plist/spr_tutorial_note", kCentreX, kPromptY);
    promptPanel->setScale(1.2f, 1.0f, 1);
    promptPanel->setZ(2);
    promptTitle = addText("RENAME THE REPLAY", kCentreX, kPromptY + 130, kPromptTitleSize);
    paint(*promptTitle, kLit);
    promptName[0] = addText("MMMMMMMMMMMMMMMMMMMMM_", kCentreX, kPromptY + 60, kTextSize);
    promptName[1] = addText("MMM_", kCentreX, kPromptY + 60 - kLineStep - 4, kTextSize);
    promptHint = addText("RETURN KEEPS IT", kCentreX, kPromptY - 30, kTextSize);
    paint(*promptHint, kDated);
    okIndex = static_cast<int>(getSelectables().size());
    promptOk = addButton(PromptOk, "KEEP", 280, kPromptY - 120, ScreenParts::kSmallButton);
    promptCancel = addButton(PromptCancel, "CANCEL", 488, kPromptY - 120, ScreenParts::kSmallButton);
    for (IXRenderObject* part : std::initializer_list<IXRenderObject*>{
             promptTitle, promptName[0], promptName[1], promptHint, promptOk, promptCancel}) {
        part->setZ(3);
    }
    addKeyHints();
    closePrompt();
}

std::string OXScnVLReplays::lastGamePath() const {
    const std::string& path = host.lastGameResult().replayPath;
    return path.empty() ? replayFolderFor(host.profile().getPath()) + "/last.ovr" : path;
}

bool OXScnVLReplays::enterStarted() {
    for (bool& key : pressed) {
        key = false;
    }
    closePrompt();
    say("");
    shelf.load(replayFolderFor(host.profile().getPath()));
    refresh();
    if (host.takeKeepRequest()) {
        keepSource = lastGamePath();
        if (std::filesystem::exists(keepSource)) {
            openPrompt(Prompt::KeepLast);
        } else {
            say("THE LAST GAME LEFT NO REPLAY TO KEEP");
        }
    }
    const bool result = OXScnVLMenu::enterStarted();
    // Entering sets every selectable to its natural size: the plates keep the list's width.
    for (OXSprite* plate : plates) {
        plate->setScale(kPlateScaleX, kPlateScaleY, 1);
    }
    return result;
}

bool OXScnVLReplays::exitStarted() {
    const bool result = OXScnVLMenu::exitStarted();
    closePrompt();
    return result;
}

int OXScnVLReplays::firstSelectable() const {
    if (prompt != Prompt::None) {
        // The delete question starts on NO: a second accept never deletes by itself.
        return prompt == Prompt::Delete ? okIndex + 1 : okIndex;
    }
    const int chosen = shelf.chosenIndex();
    return chosen < 0 ? okIndex - 1 : chosen % kRows;  // BACK on an empty shelf
}

void OXScnVLReplays::refresh() {
    const bool listed = prompt == Prompt::None;
    for (int row = 0; row < kRows; ++row) {
        const int index = shelf.rowOnPage(row);
        const bool shown = listed && index >= 0;
        plates[row]->setVisible(shown);
        names[row]->setVisible(shown);
        dates[row]->setVisible(shown);
        if (index < 0) {
            continue;
        }
        const replaylibrary::Entry& entry = shelf.entry(index);
        names[row]->setText(ReplayShelf::nameLine(entry));
        dates[row]->setText(ReplayShelf::dateLine(entry));
        paint(*names[row], !entry.playable ? kDim : entry.kept ? Colour{1, 1, 1, 1} : kAutomatic);
        paint(*dates[row], entry.playable ? kDated : kDim);
        const float light = index == shelf.chosenIndex() ? 1.0f : 0.3f;
        plates[row]->setColour(light, light, light, 1);
    }
    emptyLine->setVisible(listed && shelf.count() == 0);
    const bool paged = shelf.pageCount() > 1;
    pageLine->setVisible(listed && paged);
    pageButtons[0]->setVisible(listed && paged);
    pageButtons[1]->setVisible(listed && paged);
    pageLine->setText("PAGE " + std::to_string(shelf.page() + 1) + "/" + std::to_string(shelf.pageCount()));
    const std::vector<std::string> lines =
        shelf.chosen() ? ReplayShelf::detailLines(*shelf.chosen()) : std::vector<std::string>();
    for (int line = 0; line < kDetailLines; ++line) {
        details[line]->setVisible(listed);
        details[line]->setText(line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)] : "");
    }
    watchButton->setVisible(listed);
    renameButton->setVisible(listed);
    deleteButton->setVisible(listed);
    backButton->setVisible(listed);
    enable(*watchButton, shelf.canWatch());
    renameButton->setLabelText(shelf.canKeep() ? "KEEP" : "RENAME");
    enable(*renameButton, shelf.canKeep() || shelf.canRename());
    enable(*deleteButton, shelf.canDelete());
    if (keyHints) {
        keyHints->setVisible(listed);
    }
}

void OXScnVLReplays::say(const std::string& line) {
    message = line;
    if (!line.empty()) {
        std::printf("REPLAYS: %s\n", line.c_str());
    }
    // In the menus' capitals (plain letters only: a name's other glyphs stay as typed), over
    // three lines under the prompt, two under the list, where the buttons stand below them.
    std::string shown = line;
    for (char& glyph : shown) {
        if (glyph >= 'a' && glyph <= 'z') {
            glyph = static_cast<char>(glyph - 'a' + 'A');
        }
    }
    std::vector<std::string> words(1);
    for (const char glyph : shown) {
        if (glyph == ' ') {
            words.emplace_back();
        } else {
            words.back() += glyph;
        }
    }
    std::vector<std::string> lines = ReplayShelf::flow(words, ReplayShelf::kLineGlyphs);
    const size_t room = prompt == Prompt::None ? kMessageLines - 1 : kMessageLines;
    if (lines.size() > room) {
        lines.resize(room);
        lines.back() = ReplayShelf::fitted(lines.back() + " ..", ReplayShelf::kLineGlyphs);
    }
    for (int index = 0; index < kMessageLines; ++index) {
        messageLines[index]->setText(
            index < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(index)] : "");
    }
}

void OXScnVLReplays::keyEvent(int key, bool down) {
    const bool known = key >= 0 && key < kKeyCount;
    if (prompt == Prompt::KeepLast || prompt == Prompt::KeepRow || prompt == Prompt::Rename) {
        // A name is being typed: the keys are letters now. Only escape leaves (return comes as
        // text); presses are forgotten, so their releases do nothing once the prompt closes.
        if (known) {
            pressed[key] = false;
        }
        if (key == kKeyEscape && down) {
            closePrompt();
            refresh();
            highlightSelectable(firstSelectable());
        } else if ((key == leftKey || key == rightKey || key == upKey || key == downKey) && down) {
            // The arrows type nothing: they move between the prompt's two buttons, so the
            // keyboard can reach CANCEL, which return then presses.
            highlightSelectable(getSelectedIndex() == okIndex ? okIndex + 1 : okIndex);
        }
        return;
    }
    // A release counts only after its own press on this screen.
    const bool heard = known && pressed[key];
    if (known) {
        pressed[key] = down;
    }
    if (!down && !heard) {
        return;
    }
    if (prompt == Prompt::Delete) {
        if (key == leftKey || key == rightKey || key == upKey || key == downKey) {
            if (down) {
                highlightSelectable(getSelectedIndex() == okIndex ? okIndex + 1 : okIndex);
            }
        } else if (key == acceptKey) {
            if (!down) {
                acceptHighlighted();
            }
        } else if (key == backKey && !down) {
            closePrompt();
            refresh();
            highlightSelectable(firstSelectable());
        }
        return;
    }
    if (key == acceptKey) {
        if (!down) {
            watchChosen();
        }
    } else if (key == backKey) {
        if (!down) {
            backPressed();
        }
    } else if (key == upKey || key == downKey) {
        if (down && shelf.chosen()) {
            shelf.move(key == upKey ? -1 : 1);
            refresh();
            highlightSelectable(firstSelectable());
        }
    } else if (key == leftKey || key == rightKey) {
        if (down && shelf.turnPage(key == leftKey ? -1 : 1)) {
            refresh();
            highlightSelectable(firstSelectable());
        }
    } else if (key == kKeyR) {
        if (down) {
            renameOrKeepChosen();
        }
    } else if (key == kKeyD) {
        if (down) {
            deleteChosen();
        }
    }
}

void OXScnVLReplays::textEntered(uint32_t codePoint) {
    if (prompt != Prompt::KeepLast && prompt != Prompt::KeepRow && prompt != Prompt::Rename) {
        return;
    }
    if (codePoint == kReturn) {
        if (getSelectedIndex() == okIndex + 1) {
            buttonPressed(PromptCancel);
        } else {
            finishPrompt();
        }
    } else if (codePoint == kEscape) {
        closePrompt();
        refresh();
        highlightSelectable(firstSelectable());
    } else if (draft.type(codePoint)) {
        showPromptName();
    }
}

void OXScnVLReplays::buttonPressed(int id) {
    if (id >= FirstRow && id < FirstRow + kRows) {
        const int index = shelf.rowOnPage(id - FirstRow);
        if (index >= 0 && prompt == Prompt::None) {
            shelf.choose(index);
            refresh();
            highlightSelectable(firstSelectable());
        }
        return;
    }
    switch (id) {
        case PreviousPage:
        case NextPage:
            if (shelf.turnPage(id == PreviousPage ? -1 : 1)) {
                refresh();
            }
            break;
        case Watch:
            watchChosen();
            break;
        case Rename:
            renameOrKeepChosen();
            break;
        case Delete:
            deleteChosen();
            break;
        case Back:
            backPressed();
            break;
        case PromptOk:
            finishPrompt();
            break;
        case PromptCancel:
            closePrompt();
            refresh();
            highlightSelectable(firstSelectable());
            break;
        default:
            break;
    }
}

void OXScnVLReplays::backPressed() {
    host.switchToScene(kMainScene);
}

void OXScnVLReplays::watchChosen() {
    const replaylibrary::Entry* entry = shelf.chosen();
    if (!entry) {
        return;
    }
    if (!entry->playable) {
        // The log names the file and what the loader finds wrong with it now.
        Replay replay;
        std::string reason = entry->problem;
        Replay::load(entry->path, replay, reason);
        std::printf("REPLAY REFUSED: %s: %s\n", entry->path.c_str(), reason.c_str());
        say(std::string("REFUSED: ") + ReplayShelf::statusText(*entry));
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
        return;
    }
    if (host.watchReplay(entry->path, kReplayScene)) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
        return;
    }
    // Gone or spoilt since the list was read: the list is read again and says so.
    ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
    say("THAT REPLAY CAN'T BE PLAYED NOW");
    shelf.reload();
    refresh();
}

void OXScnVLReplays::renameOrKeepChosen() {
    if (shelf.canRename()) {
        openPrompt(Prompt::Rename);
    } else if (shelf.canKeep()) {
        keepSource = shelf.chosen()->path;
        openPrompt(Prompt::KeepRow);
    } else if (shelf.chosen()) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
        say("A DAMAGED REPLAY CAN'T BE KEPT");
    }
}

void OXScnVLReplays::deleteChosen() {
    if (shelf.askDelete()) {
        openPrompt(Prompt::Delete);
    } else if (shelf.chosen()) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
        say("THE GAME'S OWN REPLAYS STAY: KEEP ONE TO OWN IT");
    }
}

void OXScnVLReplays::openPrompt(Prompt kind) {
    prompt = kind;
    say("");
    const bool naming = kind != Prompt::Delete;
    promptPanel->setVisible(true);
    promptTitle->setVisible(true);
    promptHint->setVisible(naming);
    promptOk->setVisible(true);
    promptCancel->setVisible(true);
    promptName[0]->setVisible(true);
    promptName[1]->setVisible(true);
    paint(*promptName[0], naming ? Colour{1, 1, 1, 1} : kAutomatic);
    if (naming) {
        promptTitle->setText(kind == Prompt::Rename ? "RENAME THE REPLAY" : "KEEP THE REPLAY");
        promptHint->setText(kind == Prompt::Rename ? "RETURN RENAMES IT" : "RETURN KEEPS IT");
        promptOk->setLabelText(kind == Prompt::Rename ? "RENAME" : "KEEP");
        promptCancel->setLabelText("CANCEL");
        std::string offered;
        if (kind == Prompt::Rename) {
            offered = shelf.chosen()->name;
        } else {
            Replay replay;
            std::string problem;
            if (Replay::load(keepSource, replay, problem)) {
                offered = replaylibrary::generatedName(replay);
            }
        }
        draft.reset(offered);
        showPromptName();
    } else {
        promptTitle->setText("DELETE?");
        promptOk->setLabelText("YES");
        promptCancel->setLabelText("NO");
        const replaylibrary::Entry* entry = shelf.chosen();
        promptName[0]->setText(entry ? ReplayShelf::nameLine(*entry) : "");
        promptName[1]->setText(entry ? ReplayShelf::dateLine(*entry) : "");
    }
    refresh();
    highlightSelectable(firstSelectable());
}

void OXScnVLReplays::closePrompt() {
    if (prompt == Prompt::Delete) {
        shelf.cancelDelete();
    }
    prompt = Prompt::None;
    for (IXRenderObject* part : std::initializer_list<IXRenderObject*>{
             promptPanel, promptTitle, promptName[0], promptName[1], promptHint, promptOk, promptCancel}) {
        if (part) {
            part->setVisible(false);
        }
    }
}

void OXScnVLReplays::showPromptName() {
    // A long name goes on over a second line, broken at a space where it has one; the cursor
    // follows the last glyph.
    const std::string name = draft.text() + "_";
    std::vector<std::string> words(1);
    bool wordTooLong = false;
    for (const char byte : name) {
        if (byte == ' ') {
            words.emplace_back();
        } else {
            words.back() += byte;
        }
    }
    for (const std::string& word : words) {
        wordTooLong = wordTooLong || ReplayShelf::fitted(word, ReplayShelf::kLineGlyphs) != word;
    }
    std::vector<std::string> lines = ReplayShelf::flow(words, ReplayShelf::kLineGlyphs);
    if (wordTooLong || lines.size() > 2) {
        // No space to break at: the first line takes all the glyphs it holds.
        NameDraft head;
        head.reset(name);
        while (head.glyphCount() > ReplayShelf::kLineGlyphs) {
            head.type(NameDraft::kBackspace);
        }
        lines = {head.text(), name.substr(head.text().size())};
    }
    promptName[0]->setText(lines.empty() ? "_" : lines[0]);
    promptName[1]->setText(lines.size() > 1 ? lines[1] : "");
}

void OXScnVLReplays::finishPrompt() {
    std::string problem;
    bool done = false;
    switch (prompt) {
        case Prompt::KeepLast:
        case Prompt::KeepRow:
            done = shelf.keep(keepSource, draft.text(), problem);
            break;
        case Prompt::Rename:
            if (draft.empty()) {
                problem = "TYPE A NAME, OR ESC";
                break;
            }
            done = shelf.renameChosen(draft.text(), problem);
            break;
        case Prompt::Delete:
            done = shelf.confirmDelete(problem);
            break;
        case Prompt::None:
            return;
    }
    if (!done) {
        // The prompt stays, so the player can try again or cancel; nothing was changed.
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
        if (prompt == Prompt::Delete) {
            closePrompt();
            refresh();
            highlightSelectable(firstSelectable());
        }
        say(problem.empty() ? "THAT DID NOT WORK" : problem);
        return;
    }
    ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
    const Prompt finished = prompt;
    closePrompt();
    refresh();
    highlightSelectable(firstSelectable());
    if (finished != Prompt::Delete && shelf.chosen()) {
        std::printf("REPLAYS: \"%s\" KEPT IN %s\n", shelf.chosen()->name.c_str(),
                    shelf.chosen()->path.c_str());
    }
}
