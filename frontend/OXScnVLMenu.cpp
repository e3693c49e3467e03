#include "frontend/OXScnVLMenu.h"

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/ScreenParts.h"

namespace {
constexpr int kHeadingSize = 68;
constexpr int kHintSize = OXScnVLMenu::kSmallestTextSize;
constexpr float kHintY = 48.0f;
constexpr float kNotePanelY = 540.0f;
constexpr float kNoteButtonY = 420.0f;
constexpr int kNoteTitleSize = 56;
}  // namespace

bool OXScnVLMenu::enterStarted() {
    lookedSelection = -1;  // the reset below clears every look
    heardSelection = -1;
    refreshKeyHints();
    OXScene::enterStarted();
    highlightSelectable(firstSelectable());
    return false;
}

bool OXScnVLMenu::enterFinished() {
    OXScene::enterFinished();
    highlightSelectable(firstSelectable());
    return false;
}

bool OXScnVLMenu::exitStarted() {
    // A note's OK is never remembered: the note is closed by then or shows again by itself.
    if (highlight && highlight->isVisible() && !(note.button && selectedIndex == note.buttonIndex)) {
        leftOn = selectedIndex;
    }
    return OXScene::exitStarted();
}

int OXScnVLMenu::rememberedSelectable() const {
    const int count = static_cast<int>(selectables.size());
    if (leftOn < 0 || leftOn >= count) {
        return 0;
    }
    for (int step = 0; step < count; ++step) {
        const int index = (leftOn + step) % count;
        if (selectables[static_cast<size_t>(index)]->isVisible()) {
            return index;
        }
    }
    return 0;
}

void OXScnVLMenu::update(float dtMs) {
    const int selection = highlight && highlight->isVisible() ? selectedIndex : -1;
    if (selection != lookedSelection) {
        if (lookedSelection >= 0 && lookedSelection < static_cast<int>(selectables.size())) {
            IXRenderObject* left = selectables[static_cast<size_t>(lookedSelection)];
            left->touchExited(left->getX(), left->getY());
        }
        if (selection >= 0 && selection < static_cast<int>(selectables.size())) {
            IXRenderObject* entered = selectables[static_cast<size_t>(selection)];
            entered->touchEntered(entered->getX(), entered->getY());
        }
        lookedSelection = selection;
    }
    if (selection >= 0 && heardSelection >= 0 && selection != heardSelection) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Move);
    }
    heardSelection = selection;
    OXScene::update(dtMs);
}

void OXScnVLMenu::addNote(const char* panelSprite, std::initializer_list<const char*> lines, float topY,
                          float lineGap, int bodySize, int okId) {
    note.panel = new OXSprite();
    note.panel->load(panelSprite);
    note.panel->setPosition(kCentreX, kNotePanelY, 2);
    addObject(note.panel);
    int line = 0;
    for (const char* text : lines) {
        if (line == Note::kMaxLines) {
            break;
        }
        note.lines[line] = addText(text, kCentreX, topY - lineGap * static_cast<float>(line),
                                   line == 0 ? kNoteTitleSize : bodySize);
        note.lines[line]->setZ(3);
        ++line;
    }
    note.lines[0]->setColour(0.75f, 0.97f, 1.0f, 1.0f);
    note.buttonIndex = static_cast<int>(getSelectables().size());
    note.button = addButton(okId, "OK", kCentreX, kNoteButtonY);
    note.button->setZ(3);
    setNoteShown(false);
}

void OXScnVLMenu::setNoteShown(bool show) {
    note.shown = show;
    if (!note.panel) {
        return;
    }
    note.panel->setVisible(show);
    for (OXTextBox* line : note.lines) {
        if (line) {
            line->setVisible(show);
        }
    }
    note.button->setVisible(show);
}

void OXScnVLMenu::highlightSelectable(int index) {
    if (!highlight || index < 0 || index >= static_cast<int>(selectables.size())) {
        return;
    }
    selectedIndex = index;
    heardSelection = index;
    moveHighlightOnto(selectables[static_cast<size_t>(index)]);
    highlight->setVisible(true);
    highlight->setActive(true);
}

void OXScnVLMenu::keyNamesChanged() {
    refreshKeyHints();
}

void OXScnVLMenu::refreshKeyHints() {
    if (keyHints) {
        const CXUserProfile& profile = host.profile();
        keyHints->setText(host.keyName(profile.bindingCode(0)) + " SELECT  " +
                          host.keyName(profile.bindingCode(2)) + " BACK");
    }
}

OXButton* OXScnVLMenu::addButton(int id, const std::string& label, float x, float y, const char* sprite) {
    auto* button = new OXButton();
    button->load(sprite);
    button->setId(id);
    button->setDelegate(this);
    button->setPosition(x, y, 1);
    button->setGrowScale(1.05f);
    button->setLabelSize(kButtonLabelSize);
    button->setLabelText(label);
    addObject(button);
    addSelectable(button);
    return button;
}

OXTextBox* OXScnVLMenu::addText(const std::string& text, float x, float y, int charSize,
                                OXTextBox::Alignment alignment) {
    auto* box = new OXTextBox();
    box->load(kMenuFont);
    box->setCharSize(charSize);
    box->setAlignment(alignment);
    box->setPosition(x, y, 1);
    box->setText(text);
    addObject(box);
    return box;
}

void OXScnVLMenu::addHeading(const std::string& text, float y) {
    auto* rule = new OXSprite();
    rule->load("assets/plist/spr_menu_rule");
    rule->setPosition(kCentreX, y - 18.0f, 1);
    addObject(rule);
    OXTextBox* heading = addText(text, kCentreX, y, kHeadingSize);
    heading->setColour(0.75f, 0.97f, 1.0f, 1.0f);
}

void OXScnVLMenu::addKeyHints() {
    keyHints = addText("", kCentreX, kHintY, kHintSize);
    keyHints->setColour(0.6f, 0.75f, 0.8f, 0.9f);
    refreshKeyHints();
}
