#pragma once

#include <cstdint>
#include <functional>

class CXUserProfile;

// The 32 keyboard keys the game knows, as Windows virtual-key codes. A game
// key code is a key's position in this table.
extern const int kKeyTable[32];

// Position of `virtualKey` in the key table, or 0 when it is not in it.
int keyCodeForVirtualKey(int virtualKey);
// The key code joystick button `button` gives (see JoystickInput), or 0 outside the table.
int keyCodeForJoystickButton(int button);
// The key code held by binding i (0 fire, 1 beam, 2 trance, 3 pause), or 0.
int bindingCode(const CXUserProfile& profile, int binding);
// The virtual key of binding i; its character names the key on screen.
int virtualKeyForBinding(const CXUserProfile& profile, int binding);

// What the joystick pass reads: the joystick library's calls, positions from
// -100 to 100 on the axis numbers 0 (X, negative left), 1 (Y, negative up),
// 6 (hat vertical, +100 up) and 7 (hat horizontal, +100 right).
class IXJoystick {
  public:
    virtual ~IXJoystick() = default;
    virtual void update() = 0;
    virtual bool isConnected(int joystick) = 0;
    virtual int getButtonCount(int joystick) = 0;
    virtual bool isButtonPressed(int joystick, int button) = 0;
    virtual float getAxisPosition(int joystick, int axis) = 0;
};

// Joystick 0's buttons and directions turned into key events, once a frame.
class JoystickInput {
  public:
    static constexpr int kButtonCount = 64;
    static constexpr int kDirectionCount = 4;  // up, left, down, right
    static constexpr float kDirectionThreshold = 40.0f;

    using KeySink = std::function<void(int code, bool down)>;

    // Polls the joystick and delivers every change since the last pass.
    void pass(IXJoystick& joystick, const KeySink& deliver);

  private:
    uint8_t buttonState[kButtonCount] = {};
    uint8_t previousButtonState[kButtonCount] = {};
    uint8_t directionState[kDirectionCount] = {};
    uint8_t previousDirectionState[kDirectionCount] = {};
};
