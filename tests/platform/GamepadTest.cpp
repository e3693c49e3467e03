// Game controllers through SDL's virtual pads (no hardware, no display): a pad's buttons reach
// the game as its actions, the player's mapping file, plugs and unplugs in play, rumble, and
// the key hints that follow the device used last.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnVLTitle.h"
#include "platform/CXApp.h"
#include "platform/GamepadMapping.h"
#include "platform/SdlGamepad.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/overlays/OXScnBasePause.h"
#include "tests/support/TestFiles.h"

namespace {

struct MotorCall {
    Uint16 low, high;
};
std::vector<MotorCall> motorCalls;

int recordRumble(void*, Uint16 low, Uint16 high) {
    motorCalls.push_back({low, high});
    return 0;
}

class GamepadTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (SDL_Joystick* each : sticks) {
            SDL_JoystickClose(each);
        }
        if (stick) {
            SDL_JoystickClose(stick);
        }
        pad.stop();
    }

    void start(const std::string& database = "") {
        testing::internal::CaptureStdout();
        ASSERT_TRUE(pad.start(database));
        startOutput = testing::internal::GetCapturedStdout();
    }

    // A virtual pad of the layer's standard shape (its button i is the layer's button i) made
    // by `vendor`, opened so the test can press its buttons; the pad opens it at its update.
    void attach(Uint16 vendor = 0x045e, Uint16 product = 0x028e, Uint16 buttons = SDL_CONTROLLER_BUTTON_MAX,
                SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER) {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = static_cast<Uint16>(type);
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = buttons;
        desc.vendor_id = vendor;
        desc.product_id = product;
        desc.name = "Test pad";
        desc.Rumble = recordRumble;
        if (stick) {
            sticks.push_back(stick);
        }
        const int device = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(device, 0) << SDL_GetError();
        stick = SDL_JoystickOpen(device);
        ASSERT_NE(stick, nullptr);
        testing::internal::CaptureStdout();
        pad.update();
        attachOutput = testing::internal::GetCapturedStdout();
    }

    void unplug() {
        const SDL_JoystickID instance = SDL_JoystickInstanceID(stick);
        SDL_JoystickClose(stick);
        stick = nullptr;
        for (int device = 0; device < SDL_NumJoysticks(); ++device) {
            if (SDL_JoystickGetDeviceInstanceID(device) == instance) {
                SDL_JoystickDetachVirtual(device);
            }
        }
    }

    // The key codes a pass delivers going down after `button` is set.
    std::vector<int> pressesAfter(int button, bool down = true) {
        SDL_JoystickSetVirtualButton(stick, button, down ? 1 : 0);
        std::vector<int> codes;
        input.pass(pad, [&](int code, bool isDown) {
            if (isDown) {
                codes.push_back(code);
            }
        });
        return codes;
    }

    SdlGamepad pad;
    SDL_Joystick* stick = nullptr;      // the last attached
    std::vector<SDL_Joystick*> sticks;  // the others
    JoystickInput input;
    std::string startOutput, attachOutput;
};

TEST_F(GamepadTest, AKnownPadsButtonsReachTheGameAsFireBeamTranceAndPause) {
    start();
    attach();
    ASSERT_TRUE(pad.isConnected(0));
    EXPECT_EQ(pad.kind(0), PadKind::Xbox);
    const CXUserProfile profile;
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_A), std::vector<int>{profile.bindingCode(0)});
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_X), std::vector<int>{profile.bindingCode(1)});
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_B), std::vector<int>{profile.bindingCode(2)});
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_START), std::vector<int>{profile.bindingCode(3)});
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_DPAD_UP), std::vector<int>{30});

    // The left stick moves past the dead zone only, and not at all when the player turned it off.
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
    pad.setStick(0.5f, true);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -13000);  // 40 % of its travel
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_A), std::vector<int>{});
    pad.setStick(0.25f, false);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -32767);
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_A), std::vector<int>{});
    pad.setStick(0.25f, true);
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_A), std::vector<int>{28});
}

TEST_F(GamepadTest, TheMappingFileOverridesThePadsMappingAndSkipsItsBadLinesByNumber) {
    // The pad's GUID, as the player would copy it into the file.
    start();
    attach();
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(stick), guid, sizeof guid);
    unplug();
    pad.stop();

    testfiles::TempDir folder;
    const std::string path = folder.path() + "/gamecontrollerdb.txt";
    std::ofstream(path) << "# swapped face buttons\n"
                        << "not a mapping at all\n"
                        << guid << ",Swapped,a:b1,b:b0,x:b2,y:b3,start:b6,wobble:b9,platform:Linux,\n"
                        << guid << ",Swapped,a:q1,platform:Linux,\n"
                        << "\n"
                        << guid << ",Swapped,a:b1,b:b0,x:b2,y:b3,start:b6,platform:Linux,\n"
                        << guid << ",Elsewhere,a:b5,platform:Windows,\n";
    start(path);
    EXPECT_NE(startOutput.find("line 2 skipped"), std::string::npos) << startOutput;
    EXPECT_NE(startOutput.find("line 3 skipped"), std::string::npos) << startOutput;
    EXPECT_NE(startOutput.find("line 4 skipped"), std::string::npos) << startOutput;
    EXPECT_EQ(startOutput.find("line 6 skipped"), std::string::npos) << startOutput;
    EXPECT_EQ(startOutput.find("line 7 skipped"), std::string::npos) << startOutput;
    attach();
    const CXUserProfile profile;
    EXPECT_EQ(pressesAfter(1), std::vector<int>{profile.bindingCode(0)}) << "the file's a:b1 fires";
    EXPECT_EQ(pressesAfter(0), std::vector<int>{profile.bindingCode(2)});
}

TEST_F(GamepadTest, DevicesTheGameCannotUseAreToldAndLeaveTheOthersWorking) {
    start();
    attach(0x045e, 0x028e, 1000);
    EXPECT_NE(attachOutput.find("reports 1000 buttons"), std::string::npos) << attachOutput;
    attach(0x1234, 0x5678, 4, SDL_JOYSTICK_TYPE_WHEEL);
    EXPECT_NE(attachOutput.find("has no controller mapping"), std::string::npos) << attachOutput;
    EXPECT_FALSE(pad.isConnected(0));
    attach();
    ASSERT_TRUE(pad.isConnected(0));
    EXPECT_FALSE(pad.isConnected(1));
    EXPECT_EQ(pressesAfter(SDL_CONTROLLER_BUTTON_A), std::vector<int>{2});
}

TEST_F(GamepadTest, ARumbleRequestReachesThePadWithItsStrengthsAndStopsAfterItsLength) {
    start();
    attach();
    for (RumbleCue cue : {RumbleCue::GrazeChain, RumbleCue::ShipHit}) {
        motorCalls.clear();
        const RumblePulse pulse = rumblePulse(cue);
        pad.rumble(pulse);
        ASSERT_EQ(motorCalls.size(), 1u);
        EXPECT_NEAR(motorCalls[0].low, pulse.low * 65535, 1);
        EXPECT_NEAR(motorCalls[0].high, pulse.high * 65535, 1);
        pad.update();
        EXPECT_EQ(motorCalls.size(), 1u) << "still running";
        std::this_thread::sleep_for(std::chrono::milliseconds(pulse.ms + 30));
        pad.update();
        ASSERT_EQ(motorCalls.size(), 2u);
        EXPECT_EQ(motorCalls[1].low, 0);
        EXPECT_EQ(motorCalls[1].high, 0);
    }
}

// The application with the build's package on the recording device, and the pad.
class GamepadAppTest : public GamepadTest {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        app.setResolution(1, false);
        testing::internal::CaptureStdout();
        mountAssetPackage(ORVALE_PACKAGE);
        testing::internal::GetCapturedStdout();
        app.createMenuScenes(kTitleScene, false, false);
        start();
        app.setGamepad(&pad);
    }
    void TearDown() override {
        app.setGamepad(nullptr);
        CXGameSession::instance().tearDown();
        unmountAssetPackage();
        setGLDevice(nullptr);
        GamepadTest::TearDown();
    }
    void runFrames(int frames) {
        for (int i = 0; i < frames; ++i) {
            app.dispatchKeyEdges(keys, previousKeys);
            app.update(16.7f);
        }
    }
    std::string titlePrompt() const {
        const auto* title = static_cast<const OXScnVLTitle*>(app.getScenes()[kTitleScene]);
        return title->getStartPrompt()->getLabel()->getText();
    }

    RecordingGLDevice device;
    CXApp app;
    uint8_t keys[256] = {};
    uint8_t previousKeys[256] = {};
};

TEST_F(GamepadAppTest, UnpluggingThePadInPlayPausesTheGameAndSaysWhy) {
    attach();
    app.requestStageStart();
    for (int frame = 0; frame < 200 && app.getMode() != CXApp::InStage; ++frame) {
        runFrames(1);
    }
    ASSERT_EQ(app.getMode(), CXApp::InStage);
    runFrames(1);
    CXGameSession& session = CXGameSession::instance();
    ASSERT_EQ(session.getState(), CXGameSession::State::Playing);
    testing::internal::CaptureStdout();
    unplug();
    runFrames(1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(session.getState(), CXGameSession::State::InOverlay);
    EXPECT_EQ(session.getActiveOverlay(), CXGameSession::Overlay::Pause);
    const OXTextBox* note = session.overlays().pause->getNoteText();
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->getText(), "CONTROLLER UNPLUGGED");
}

TEST_F(GamepadAppTest, TheHintsNameTheButtonsOfTheDeviceUsedLast) {
    runFrames(20);
    EXPECT_EQ(titlePrompt(), "PRESS Z TO START");
    attach(0x054c, 0x09cc);  // a PlayStation pad
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    runFrames(1);
    EXPECT_EQ(titlePrompt(), "PRESS \u2715 TO START");
    EXPECT_EQ(app.keyName(26), "OPTIONS");
    keys['V'] = 1;
    runFrames(1);
    EXPECT_EQ(titlePrompt(), "PRESS Z TO START");
    EXPECT_EQ(app.keyName(26), "P");
}

}  // namespace
