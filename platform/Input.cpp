#include "platform/Input.h"

#include "data/CXUserProfile.h"

namespace {
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
constexpr int VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61;
constexpr int VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3;

// Joystick button b stands for the keyboard key kButtonTable[b].
const int kButtonTable[JoystickInput::kButtonCount] = {
    'V', 'C', 'Z', 'X', 'B', 'N', 'M', 'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 'Q', 'W', 'E', 'R', 'T',
    'Y', 'U', 'I', 'O', 'P',
    // 26..31
    VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1,
    // 32..40
    VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_SPACE, VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT,
    // 41..56: numeric keypad 0..9, multiply, add, separator, subtract, decimal, divide
    VK_NUMPAD0, VK_NUMPAD0 + 1, VK_NUMPAD0 + 2, VK_NUMPAD0 + 3, VK_NUMPAD0 + 4, VK_NUMPAD0 + 5,
    VK_NUMPAD0 + 6, VK_NUMPAD0 + 7, VK_NUMPAD0 + 8, VK_NUMPAD0 + 9, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    // 57..63
    0x2B, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1, VK_NUMPAD1};

// Key codes of the four joystick directions, in the order up, left, down, right.
const int kDirectionCodes[JoystickInput::kDirectionCount] = {30, 28, 31, 29};

// The joystick library reports this many buttons.
constexpr int kPressableButtons = 32;
}  // namespace

const int kKeyTable[32] = {'V', 'C', 'Z', 'X', 'B', 'N',       'M',     'A',      'S',   0x2B,   'D',
                           'F', 'G', 'H', 'J', 'K', 'L',       'Q',     'W',      'E',   'R',    'T',
                           'Y', 'U', 'I', 'O', 'P', VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};

int keyCodeForVirtualKey(int virtualKey) {
    for (int code = 0; code < 32; ++code) {
        if (kKeyTable[code] == virtualKey) {
            return code;
        }
    }
    return 0;
}

int keyCodeForJoystickButton(int button) {
    if (button < 0 || button >= JoystickInput::kButtonCount) {
        return 0;
    }
    return keyCodeForVirtualKey(kButtonTable[button]);
}

int bindingCode(const CXUserProfile& profile, int binding) {
    return profile.bindingCode(binding);
}

int virtualKeyForBinding(const CXUserProfile& profile, int binding) {
    if (binding < 0 || binding > 3) {
        return 0;
    }
    return kKeyTable[profile.bindingCode(binding)];
}

void JoystickInput::pass(IXJoystick& joystick, const KeySink& deliver) {
    joystick.update();
    for (int button = 0; button < kButtonCount; ++button) {
        buttonState[button] = button < kPressableButtons && joystick.isButtonPressed(0, button);
        if (buttonState[button] != previousButtonState[button]) {
            deliver(keyCodeForJoystickButton(button), buttonState[button] != 0);
        }
        previousButtonState[button] = buttonState[button];
    }

    const float x = joystick.getAxisPosition(0, 0);
    const float y = joystick.getAxisPosition(0, 1);
    const float hatVertical = joystick.getAxisPosition(0, 6);
    const float hatHorizontal = joystick.getAxisPosition(0, 7);
    const bool up = y < -kDirectionThreshold || hatVertical > kDirectionThreshold;
    const bool down = !up && (y > kDirectionThreshold || hatVertical < -kDirectionThreshold);
    const bool left = x < -kDirectionThreshold || hatHorizontal < -kDirectionThreshold;
    const bool right = !left && (x > kDirectionThreshold || hatHorizontal > kDirectionThreshold);
    directionState[0] = up;
    directionState[1] = left;
    directionState[2] = down;
    directionState[3] = right;
    for (int direction = 0; direction < kDirectionCount; ++direction) {
        if (directionState[direction] != previousDirectionState[direction]) {
            deliver(kDirectionCodes[direction], directionState[direction] != 0);
        }
        previousDirectionState[direction] = directionState[direction];
    }
}
