// Game key codes from the keyboard and the joystick.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "data/CXUserProfile.h"
#include "platform/Input.h"

namespace {

class FakeJoystick : public IXJoystick {
  public:
    void update() override { ++polls; }
    bool isConnected(int joystick) override { return joystick == 0; }
    int getButtonCount(int) override { return 32; }
    bool isButtonPressed(int, int button) override { return pressed[button]; }
    float getAxisPosition(int, int axis) override { return axes[axis]; }

    bool pressed[64] = {};
    float axes[8] = {};
    int polls = 0;
};

using Events = std::vector<std::pair<int, bool>>;

class JoystickTest : public ::testing::Test {
  protected:
    Events pass() {
        Events events;
        input.pass(joystick, [&events](int code, bool down) { events.emplace_back(code, down); });
        return events;
    }
    FakeJoystick joystick;
    JoystickInput input;
};

TEST(KeyTable, KeysMapToTheirPositionAndOthersToZero) {
    EXPECT_EQ(keyCodeForVirtualKey('Z'), 2);
    EXPECT_EQ(keyCodeForVirtualKey('P'), 26);
    EXPECT_EQ(keyCodeForVirtualKey(0x2B), 9);
    EXPECT_EQ(keyCodeForVirtualKey(0x28), 31);  // down arrow
    EXPECT_EQ(keyCodeForVirtualKey(0x70), 0);   // F1 shares V's code
    EXPECT_EQ(keyCodeForVirtualKey('V'), 0);
}

TEST(KeyTable, BindingsOutsideTheTableOrTheListGiveNoKey) {
    CXUserProfile profile;
    EXPECT_EQ(virtualKeyForBinding(profile, 0), 'Z');
    EXPECT_EQ(bindingCode(profile, 4), 0);
    EXPECT_EQ(virtualKeyForBinding(profile, -1), 0);
    profile.controls[1] = 99;
    EXPECT_EQ(bindingCode(profile, 1), 0);
}

TEST_F(JoystickTest, ButtonsGiveTheCodesOfTheirKeys) {
    joystick.pressed[2] = true;   // fire
    joystick.pressed[25] = true;  // pause
    joystick.pressed[27] = true;  // keypad 1: outside the key table
    EXPECT_EQ(pass(), (Events{{2, true}, {26, true}, {0, true}}));
    EXPECT_EQ(pass(), Events{}) << "a held button repeats nothing";
    joystick.pressed[2] = false;
    EXPECT_EQ(pass(), (Events{{2, false}}));
    EXPECT_EQ(joystick.polls, 3);
}

TEST_F(JoystickTest, TheStickAndTheHatGiveDirectionsPastAStrictThresholdAndUpBeatsDown) {
    joystick.axes[1] = -40;
    EXPECT_EQ(pass(), Events{});
    joystick.axes[0] = -60;
    joystick.axes[1] = -41;
    EXPECT_EQ(pass(), (Events{{30, true}, {28, true}}));
    joystick.axes[0] = 0;
    joystick.axes[6] = -100;  // hat down while the stick is up
    EXPECT_EQ(pass(), (Events{{28, false}}));
    joystick.axes[1] = 0;
    joystick.axes[6] = 0;
    joystick.axes[7] = 100;  // hat right
    EXPECT_EQ(pass(), (Events{{30, false}, {29, true}}));
    joystick.axes[6] = 100;  // hat up
    EXPECT_EQ(pass(), (Events{{30, true}}));
}

}  // namespace
