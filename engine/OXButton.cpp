#include "engine/OXButton.h"

#include <cstdio>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/OXScene.h"
#include "engine/OXTextBox.h"

namespace {
// The size a button keeps when its picture is missing: room for a label and
// for the pointer to find it.
constexpr float kFallbackWidth = 360.0f;
constexpr float kFallbackHeight = 72.0f;
constexpr float kGrowEasing = 2.0f;
constexpr float kShrinkEasing = 1.0f;
const Colour kGreyLabel{0.3f, 0.3f, 0.3f, 1.0f};

// A label follows its button: its colour is multiplied by the button's (the
// parent), and it is placed in the button's scene by the button, which moves
// and scales it with itself. The button's own matrix carries the picture's
// size, so the label takes the scene's matrix instead.
class ButtonLabel : public OXTextBox {
  public:
    void updateMatrix() override {
        matrix = localTransform();
        IXRenderObject* scene = parent ? parent->getParent() : nullptr;
        if (scene) {
            matrix = scene->getMatrix() * matrix;
        }
    }
};
}  // namespace

OXButton::OXButton() = default;

OXButton::~OXButton() {
    delete label;
}

void OXButton::load(const std::string& path) {
    delete label;
    label = nullptr;
    const std::string file = path + ".plist";
    const bool listFound = !path.empty() && assetExists(file);
    if (!listFound) {
        std::printf("MISSING BUTTON SPRITE %s\n", file.c_str());
    }
    OXSprite::load(listFound ? path : std::string());
    id = 0;
    labelOffset = {};
    growScale = kDefaultGrowScale;
    sound.clear();
    hovered = false;
    std::string font;
    if (listFound) {
        Plist::Dictionary keys;
        Plist::loadContent(file, keys);
        Plist::read(keys, "font", font);
        Plist::read(keys, "text offset x", labelOffset.x, 0.0f);
        Plist::read(keys, "text offset y", labelOffset.y, 0.0f);
        Plist::read(keys, "sound", sound);
    }
    if (textureId < 0) {
        // Nothing to draw: keep a button-sized area and a readable label.
        if (listFound) {
            std::printf("BUTTON %s HAS NO PICTURE\n", file.c_str());
        }
        setSize(kFallbackWidth, kFallbackHeight, 1.0f);
        if (font.empty()) {
            font = "fnt_novo_white";
        }
    }
    if (!font.empty()) {
        makeLabel("assets/plist/" + font);
    }
    setState(Normal);
}

void OXButton::makeLabel(const std::string& fontPath) {
    label = new ButtonLabel();
    label->load(fontPath);
    if (!label->hasFont() && fontPath != kFallbackFont) {
        label->load(kFallbackFont);
    }
    label->setCharSize(kDefaultLabelSize);
    label->setPosition(position + labelOffset);
    label->setAlignment(OXTextBox::AlignCentre);
    label->setParent(this);
}

void OXButton::draw() {
    if (!visible) {
        return;
    }
    if (textureId >= 0) {
        OXSprite::draw();
    }
    if (label) {
        label->draw();
    }
}

void OXButton::update(float dtMs) {
    OXSprite::update(dtMs);
    if (label) {
        label->update(dtMs);
    }
}

void OXButton::updateMatrix() {
    OXSprite::updateMatrix();
    if (!label) {
        return;
    }
    // Centred on the button's position plus the offset, both across and up:
    // a glyph stands on its line and is half the character size tall.
    const float sx = scale.x * uniformScale;
    const float sy = scale.y * uniformScale;
    const float rise = static_cast<float>(label->getCharSize()) * 0.25f;
    label->setPosition(position.x + labelOffset.x * sx, position.y + (labelOffset.y - rise) * sy, position.z);
    label->setScale(sx, sy, 1.0f);
    label->updateMatrix();
}

void OXButton::resetActions() {
    OXSprite::resetActions();
    hovered = false;
    if (state == Pressed || state == Highlighted) {
        setState(Normal);
    }
}

void OXButton::setLabel(const char* text) {
    if (label) {
        label->setText(text);
    }
}

void OXButton::setLabelText(const std::string& text) {
    if (label) {
        label->setText(text);
    }
}

void OXButton::setLabelSize(float value) {
    if (label) {
        label->setCharSize(static_cast<int>(value));
    }
}

void OXButton::setState(State value) {
    state = value;
    if (value != Highlighted) {
        setFrame(value);
    } else {
        setFrame(Normal);
    }
    if (label) {
        const Colour& tint = value == Disabled ? kGreyLabel : Colour{1, 1, 1, 1};
        label->setColour(tint.r, tint.g, tint.b, tint.a);
    }
}

void OXButton::growTo(float target, float easing) {
    if (!visible) {
        // A scale action shows what it moves: a hidden button only takes the size, so a
        // pointer or highlight that leaves it never brings it back.
        setScale(target, target, 1.0f);
        return;
    }
    scaleTo(kGrowMs, scale, {target, target, 1.0f}, easing);
}

void OXButton::touchBegan(float, float) {
    if (state == Disabled) {
        return;
    }
    setState(Pressed);
    if (delegate) {
        delegate->buttonDown(id);
    }
}

void OXButton::touchCancelled(float x, float y) {
    if (state == Disabled) {
        return;
    }
    if (containsPoint(x, y)) {
        setState(Pressed);
        if (delegate) {
            delegate->buttonCancelled(id);
        }
    } else if (state == Pressed) {
        // Dragged off while held: the press is abandoned until the pointer comes back.
        setState(Normal);
        if (scale.x != 1.0f || scale.y != 1.0f) {
            growTo(1.0f, kShrinkEasing);
        }
    }
}

void OXButton::touchEntered(float, float) {
    hovered = true;
    if (state == Normal) {
        setState(Highlighted);
        growTo(growScale, kGrowEasing);
    }
}

void OXButton::touchExited(float, float) {
    hovered = false;
    if (state == Highlighted) {
        setState(Normal);
    }
    if (state != Disabled && (scale.x != 1.0f || scale.y != 1.0f)) {
        growTo(1.0f, kShrinkEasing);
    }
}

void OXButton::touchEnded(float x, float y) {
    if (state != Pressed) {
        return;
    }
    setState(hovered ? Highlighted : Normal);
    if (delegate && containsPoint(x, y)) {
        delegate->buttonPressed(id);
    }
}
