#pragma once

#include "platform/Input.h"

// The joystick library's joysticks, with the hat turned to the game's axis
// numbers and signs: 6 is the hat's vertical with +100 up, 7 its horizontal
// with +100 right. (On Linux the library reports the hat's vertical as the
// device does, negative up.)
class SfmlJoystick : public IXJoystick {
  public:
    void update() override;
    bool isConnected(int joystick) override;
    int getButtonCount(int joystick) override;
    bool isButtonPressed(int joystick, int button) override;
    float getAxisPosition(int joystick, int axis) override;
};
