#pragma once

#include "stg/enemy/IXEnemyLabel.h"

// An enemy's own label: it keeps what the enemy asked for (text, colour,
// visibility, placement, the last pulse) in plain fields. Used until a text
// box takes its place, and read by the tests.
class OXEnemyLabel : public IXEnemyLabel {
  public:
    static constexpr int kTextCapacity = 24;  // characters, with the terminator

    void open(float textSize, int alignment, const Colour& colour, float alpha, float fadeMs) override;
    void close() override;
    void setText(const char* text) override;
    void setColour(const Colour& value) override { colour = value; }
    void setPosition(const Vec3& at) override { position = at; }
    void setShown(bool value, float alphaWhenShown) override;
    void pulse(float fromScale, float scaleMs, float scaleEasing, float alpha, float fadeMs,
               float fadeEasing) override;

    bool isOpen() const { return open_; }
    // Open and not blinked off.
    bool isShown() const { return open_ && shown; }
    const char* getText() const { return text; }
    const Colour& getColour() const { return colour; }
    const Vec3& getPosition() const { return position; }
    float getAlpha() const { return alpha_; }
    float getTextSize() const { return textSize_; }
    int getAlignment() const { return alignment_; }
    int getPulseCount() const { return pulseCount; }

  private:
    char text[kTextCapacity] = {};
    Colour colour{};
    Vec3 position{};
    float alpha_ = 0.0f;     // target alpha of the fade, the blink and the pulse
    float textSize_ = 0.0f;  // units
    int alignment_ = 0;
    int pulseCount = 0;  // pulses since the label opened
    bool open_ = false;
    bool shown = false;
};
