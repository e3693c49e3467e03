#pragma once

#include <string>

#include "engine/OXSprite.h"

class OXScene;
class OXTextBox;

// A sprite that acts as a button: pressed and highlighted looks, an optional
// text label and a numeric identifier reported to its delegate (normally the
// scene that owns it) through buttonDown, buttonPressed and buttonCancelled.
//
// The sprite sheet holds the disabled, normal and pressed looks in that order;
// the frame shown is the sheet's first frame plus the state (the highlighted
// state keeps the normal frame). Besides the sprite keys its property list
// may name a "font" (a label is made), "text offset x" and "text offset y"
// (where the label's centre sits relative to the button's), "hitbox scale"
// and a "sound" kept for the owner.
class OXButton : public OXSprite {
  public:
    enum State { Disabled = 0, Normal = 1, Pressed = 2, Highlighted = 4 };
    static constexpr float kDefaultGrowScale = 1.15f;
    static constexpr float kGrowMs = 250.0f;
    static constexpr int kDefaultLabelSize = 16;
    // Used when the button's own list is missing, so its label still shows.
    static constexpr const char* kFallbackFont = "assets/plist/fnt_novo_white";

    OXButton();
    ~OXButton() override;

    // Loads the sprite `path` (without ".plist") and the button keys. A
    // missing list or texture is reported; the button then keeps a usable
    // size and a label in the fallback font, so it can still be read,
    // highlighted and pressed.
    void load(const std::string& path) override;
    void draw() override;
    void update(float dtMs) override;
    void updateMatrix() override;
    // Forgets the pointer hover and leaves the pressed and highlighted looks.
    void resetActions() override;

    void touchBegan(float x, float y) override;
    // The pointer moved while held down on this button.
    void touchCancelled(float x, float y) override;
    void touchEntered(float x, float y) override;
    void touchExited(float x, float y) override;
    void touchEnded(float x, float y) override;

    void setId(int value) { id = value; }
    int getId() const { return id; }
    void setDelegate(OXScene* scene) { delegate = scene; }
    OXScene* getDelegate() const { return delegate; }
    void setGrowScale(float value) { growScale = value; }
    float getGrowScale() const { return growScale; }
    // The label setters do nothing on a button without a label.
    void setLabel(const char* text);
    void setLabelText(const std::string& text);
    // Truncated to whole units.
    void setLabelSize(float value);
    virtual void setState(State value);
    State getState() const { return state; }
    const std::string& getSound() const { return sound; }
    OXTextBox* getLabel() const { return label; }
    const Vec3& getLabelOffset() const { return labelOffset; }
    bool isHovered() const { return hovered; }

  protected:
    // Grows to the grow scale, or back to 1, over kGrowMs.
    void growTo(float target, float easing);
    void makeLabel(const std::string& fontPath);

    int id = 0;
    State state = Normal;
    OXScene* delegate = nullptr;  // not owned
    OXTextBox* label = nullptr;   // owned
    Vec3 labelOffset{};           // label centre relative to the button, scene units
    float growScale = kDefaultGrowScale;
    std::string sound;
    bool hovered = false;  // the pointer is over the button
};
