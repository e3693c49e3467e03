// What the overlay scenes of a stage share: their camera over the 320 x 480
// play field, small constructors for their sprites and texts, the player's
// key bindings with printable names, and a latch that turns a press and its
// release into one action.
#pragma once

#include <cstdio>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXScene.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/InputCodes.h"

namespace overlay {

constexpr float kFieldWidth = 320.0f;  // units, the play field the overlays are laid out on
constexpr float kFieldHeight = 480.0f;
constexpr const char* kFont = "assets/plist/fnt_novo_white";
constexpr const char* kPanel = "assets/plist/spr_overlay_panel";
constexpr const char* kButton = "assets/plist/btn_HUD_default";
// The smallest text an overlay draws. The 480-unit field fills the 480 pixels of a 640 x 480
// window at the default screen scale, a glyph cell is half the character size tall and a
// capital 0.68 of it: 24 x 0.5 x 0.68 = 8.2 pixels, the least a player reads.
constexpr int kSmallestTextSize = 24;
// The button sheet's cells are 360 x 72 pixels; on the field a button is 120 x 24 units with
// a label of the smallest text size, 9 characters within its end caps.
constexpr float kButtonScale = 1.0f / 3.0f;
constexpr float kButtonLabelSize = kSmallestTextSize / kButtonScale;
// The game key codes of the arrows (the joystick's directions give the same codes).
constexpr int kLeftKey = 28;
constexpr int kRightKey = 29;
constexpr int kUpKey = 30;
constexpr int kDownKey = 31;

// An orthographic camera on the play field: one unit per field unit, origin
// bottom-left.
inline void setupCamera(OXScene& scene) {
    scene.setOrthographicMode(true);
    scene.setViewWidth(kFieldWidth);
    scene.setViewHeight(kFieldHeight);
    scene.setEye(kFieldWidth * 0.5f, kFieldHeight * 0.5f, 100.0f);
    scene.setCentre(kFieldWidth * 0.5f, kFieldHeight * 0.5f, -100.0f);
}

// A sprite owned by `scene`, centred at (x, y).
inline OXSprite* addSprite(OXScene& scene, const char* path, float x, float y, float scaleX, float scaleY,
                           float alpha) {
    auto* sprite = new OXSprite();
    sprite->load(path);
    sprite->setPosition(x, y, 1.0f);
    sprite->setScale(scaleX, scaleY, 1.0f);
    sprite->setAlpha(alpha);
    scene.addObject(sprite);
    return sprite;
}

// A flat black rectangle owned by `scene`, `width` x `height` units centred at (x, y).
inline OXSprite* addBlackFill(OXScene& scene, float x, float y, float width, float height, float alpha) {
    auto* fill = new OXSprite();
    fill->loadFill({0.0f, 0.0f, 0.0f, alpha}, width, height);
    fill->setPosition(x, y, 1.0f);
    scene.addObject(fill);
    return fill;
}

// The black backdrop dimming the stage behind an overlay, a little larger than the field.
constexpr float kBackdropWidth = 368.64f;  // units
constexpr float kBackdropHeight = 512.0f;
inline OXSprite* addBackdrop(OXScene& scene, float alpha) {
    return addBlackFill(scene, kFieldWidth * 0.5f, kFieldHeight * 0.5f, kBackdropWidth, kBackdropHeight,
                        alpha);
}

// A text owned by `scene`; (x, y) is the left, centre or right end of its
// baseline by `alignment`.
inline OXTextBox* addText(OXScene& scene, const char* text, float x, float y, int charSize, int alignment,
                          const Colour& tint) {
    auto* box = new OXTextBox();
    box->load(kFont);
    box->setCharSize(charSize);
    box->setAlignment(static_cast<OXTextBox::Alignment>(alignment));
    box->setText(text);
    box->setPosition(x, y, 2.0f);
    box->setColour(tint.r, tint.g, tint.b, tint.a);
    scene.addObject(box);
    return box;
}

// A labelled button of `scene`, centred at (x, y): the pointer presses it through the scene,
// which is its delegate; the keys reach it through a ButtonRow.
inline OXButton* addButton(OXScene& scene, int id, const char* label, float x, float y) {
    auto* button = new OXButton();
    button->load(kButton);
    button->setId(id);
    button->setDelegate(&scene);
    button->setLabel(label);
    button->setLabelSize(kButtonLabelSize);
    button->setPosition(x, y, 2.0f);
    // The grow on hover sets the scale; the size on the field rides on the uniform scale.
    button->setUniformScale(kButtonScale);
    button->setGrowScale(1.08f);
    scene.addObject(button);
    scene.addSelectable(button);
    return button;
}

// The keyboard's and joystick's way through an overlay's buttons: the arrows move a highlight
// (the button's highlighted look, grown as under the pointer) over the enabled buttons, and
// the accept key presses the highlighted one. The pointer's hover moves the highlight too.
class ButtonRow {
  public:
    static constexpr int kMost = 5;
    static constexpr Colour kSelectedTint{1.3f, 1.6f, 1.7f, 1.0f};

    void add(OXButton* button) {
        if (button && count < kMost) {
            buttons[count++] = button;
        }
    }
    // The first enabled button is highlighted again.
    void reset() { resetTo(-1); }
    // The enabled button with id `id` is highlighted again, or the first enabled one when it
    // is not there: a question whose first answer destroys something starts on the safe one.
    void resetTo(int id) {
        selected = -1;
        int wanted = -1;
        for (int index = 0; index < count; ++index) {
            buttons[index]->resetActions();
            buttons[index]->setScale(1, 1, 1);
            if (wanted < 0 && usable(index) && buttons[index]->getId() == id) {
                wanted = index;
            }
        }
        for (int index = 0; index < count && wanted < 0; ++index) {
            if (usable(index)) {
                wanted = index;
            }
        }
        if (wanted >= 0) {
            select(wanted);
        }
    }
    void step(int delta) {
        for (int tries = 1; tries <= count; ++tries) {
            const int index = ((selected < 0 ? 0 : selected) + delta * tries + count * kMost) % count;
            if (usable(index)) {
                select(index);
                return;
            }
        }
    }
    // An arrow pressed moves the highlight: up and left to the previous row, down and right to
    // the next.
    void stepByArrow(int key, bool down) {
        if (down && (key == kUpKey || key == kLeftKey)) {
            step(-1);
        } else if (down && (key == kDownKey || key == kRightKey)) {
            step(1);
        }
    }
    // Follows the pointer: a hovered button becomes the highlighted one.
    void follow() {
        for (int index = 0; index < count; ++index) {
            if (index != selected && buttons[index]->isHovered() && usable(index)) {
                select(index);
            }
        }
    }
    // The id of the highlighted button, or -1.
    int selectedId() const { return selected >= 0 && usable(selected) ? buttons[selected]->getId() : -1; }

  private:
    bool usable(int index) const {
        return buttons[index]->isVisible() && buttons[index]->getState() != OXButton::Disabled;
    }
    void select(int index) {
        for (int other = 0; other < count; ++other) {
            OXButton& button = *buttons[other];
            if (other != index) {
                button.setColour(1, 1, 1, button.getAlpha());
            }
            if (other != index && button.getState() == OXButton::Highlighted) {
                button.setState(OXButton::Normal);
                button.scaleTo(OXButton::kGrowMs, button.getScale(), {1, 1, 1}, 1.0f);
            }
        }
        selected = index;
        OXButton& chosen = *buttons[index];
        // Lit, so the button fire presses is plain even after the pointer has left it.
        chosen.setColour(kSelectedTint.r, kSelectedTint.g, kSelectedTint.b, chosen.getAlpha());
        if (chosen.getState() == OXButton::Normal) {
            chosen.setState(OXButton::Highlighted);
            const float grow = chosen.getGrowScale();
            chosen.scaleTo(OXButton::kGrowMs, chosen.getScale(), {grow, grow, 1}, 2.0f);
        }
    }

    OXButton* buttons[kMost] = {};  // not owned: the scene owns them
    int count = 0;
    int selected = -1;
};

// A button of the overlay in front pressed with the pointer: its choice edge goes the session's
// key path (so a replay records it) and comes back to the overlay's keyEvent.
inline void pointerChoice(CXGameSession& session, int id) {
    if (id < 0 || id >= input::kChoices) {
        return;
    }
    session.keyEvent(input::kChoice + id, true);
    session.keyEvent(input::kChoice + id, false);
}
inline bool isChoice(int code) {
    return code >= input::kChoice && code < input::kChoice + input::kChoices;
}

// The four bindings, as game key codes.
struct Bindings {
    int fire = CXUserProfile::kDefaultControls[0];
    int beam = CXUserProfile::kDefaultControls[1];
    int trance = CXUserProfile::kDefaultControls[2];
    int pause = CXUserProfile::kDefaultControls[3];
};

// The player's bindings from the profile the game plays by.
inline Bindings currentBindings(const CXUserProfile& profile) {
    Bindings keys;
    keys.fire = profile.bindingCode(0);
    keys.beam = profile.bindingCode(1);
    keys.trance = profile.bindingCode(2);
    keys.pause = profile.bindingCode(3);
    return keys;
}

// The name printed on the keyboard for a game key code.
inline const char* keyName(int code) {
    static const char* const kNames[32] = {"V", "C", "Z", "X", "B", "N",   "M",    "A",     "S",  "EXEC", "D",
                                           "F", "G", "H", "J", "K", "L",   "Q",    "W",     "E",  "R",    "T",
                                           "Y", "U", "I", "O", "P", "ESC", "LEFT", "RIGHT", "UP", "DOWN"};
    return code >= 0 && code < 32 ? kNames[code] : "?";
}

// "Z YES   X/C NO": the fire key for the first action, beam and trance for the second.
inline void formatHint(char* out, size_t capacity, const Bindings& keys, const char* accept,
                       const char* back) {
    if (keys.beam == keys.trance) {
        std::snprintf(out, capacity, "%s %s   %s %s", keyName(keys.fire), accept, keyName(keys.beam), back);
    } else {
        std::snprintf(out, capacity, "%s %s   %s/%s %s", keyName(keys.fire), accept, keyName(keys.beam),
                      keyName(keys.trance), back);
    }
}

// Acts on a key's release only when this overlay also saw it pressed, so a
// key held when the overlay appeared (the release that paused the game, fire
// held through a death) does not choose for the player.
class KeyLatch {
  public:
    // True for the release of a key pressed since the latch was cleared.
    bool released(int code, bool down) {
        if (code < 0 || code >= kCodes) {
            return false;
        }
        if (down) {
            pressed[code] = true;
            return false;
        }
        const bool wasPressed = pressed[code];
        pressed[code] = false;
        return wasPressed;
    }
    void clear() {
        for (bool& key : pressed) {
            key = false;
        }
    }

  private:
    static constexpr int kCodes = 32;
    bool pressed[kCodes] = {};
};

}  // namespace overlay
