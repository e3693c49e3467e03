// The menu widgets on the game's own button and font, driven through the scene's pointer
// dispatch for what the end-to-end menu runs (clicks and keys on the real screens) do not do:
// a disabled button, a press dragged off, a toggle's edge, a slider dragged, a missing picture.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/CXGfxManager.h"
#include "engine/OXButton.h"
#include "engine/OXScene.h"
#include "engine/OXSlider.h"
#include "engine/OXTextBox.h"
#include "engine/OXToggleButton.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "tests/support/RealPackage.h"

namespace {

constexpr const char* kButton = "assets/plist/btn_menu";

// A 768 x 1024 menu that logs what its buttons tell it.
class LoggingScene : public OXScene {
  public:
    LoggingScene() {
        init();
        setViewWidth(768);
        setViewHeight(1024);
        setEye(384, 512, 100);
        setHighlightSprite("assets/plist/spr_select_highlight");
    }
    void buttonDown(int id) override { log.push_back("down " + std::to_string(id)); }
    void buttonCancelled(int id) override { log.push_back("cancelled " + std::to_string(id)); }
    void buttonPressed(int id) override { log.push_back("pressed " + std::to_string(id)); }
    std::vector<std::string> log;
};

class WidgetTest : public realpackage::DrawingTest {
  protected:
    template <typename Button>
    Button* addButton(int id, float x, float y, const std::string& path = kButton) {
        auto* button = new Button();
        button->load(path);
        button->setId(id);
        button->setDelegate(&scene);
        button->setPosition(x, y, 1);
        button->setLabelText("BUTTON " + std::to_string(id));
        scene.addObject(button);
        scene.addSelectable(button);
        return button;
    }
    // Normalised view coordinates of a scene point.
    static float nx(float x) { return x / 768.0f; }
    static float ny(float y) { return y / 1024.0f; }
    void tick(float ms) {
        for (float done = 0; done < ms; done += 10) {
            scene.tick(10);
        }
    }

    LoggingScene scene;
};

TEST_F(WidgetTest, ADisabledButtonIgnoresPressAndMove) {
    OXButton* button = addButton<OXButton>(1, 384, 500);
    button->setState(OXButton::Disabled);
    button->touchBegan(384, 500);
    button->touchCancelled(384, 500);
    scene.acceptHighlighted();
    EXPECT_EQ(button->getState(), OXButton::Disabled);
    EXPECT_TRUE(scene.log.empty());
    button->touchEntered(384, 500);
    EXPECT_EQ(button->getState(), OXButton::Disabled);
}

TEST_F(WidgetTest, ADragOffAbandonsThePressAndAReleaseAlonePressesNothing) {
    OXButton* other = addButton<OXButton>(5, 384, 300);
    scene.pointerPressed(nx(384), ny(300));
    scene.pointerMoved(nx(384), ny(700));  // off the button, still held
    EXPECT_EQ(other->getState(), OXButton::Normal);
    scene.pointerReleased(nx(384), ny(700));
    EXPECT_EQ(scene.log, (std::vector<std::string>{"down 5"}));

    scene.log.clear();
    EXPECT_FALSE(scene.pointerPressed(nx(50), ny(50)));  // nothing there
    scene.pointerReleased(nx(384), ny(300));
    EXPECT_TRUE(scene.log.empty()) << "a release alone presses nothing";
}

struct ToggleCase {
    bool flipOnDown;
    int afterDown;  // state between the press and the release
};
class ToggleTest : public WidgetTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ToggleTest, TheToggleFlipsOnceOnTheChosenEdgeAndKeepsItsStateThroughHover) {
    auto* toggle = addButton<OXToggleButton>(2, 384, 500);
    toggle->setFlipOnDown(GetParam().flipOnDown);
    toggle->setState(OXButton::Normal);
    scene.placeHighlightOnFirst();
    scene.pointerMoved(nx(384), ny(500));
    EXPECT_EQ(toggle->getState(), OXButton::Normal) << "hover leaves the state alone";
    scene.pointerPressed(nx(384), ny(500));
    EXPECT_EQ(toggle->getState(), GetParam().afterDown);
    scene.pointerReleased(nx(384), ny(500));
    EXPECT_TRUE(toggle->isOn());
    scene.pointerMoved(nx(384), ny(900));
    EXPECT_TRUE(toggle->isOn());
    scene.acceptHighlighted();
    EXPECT_FALSE(toggle->isOn()) << "the keyboard's accept flips it back";
    EXPECT_EQ(scene.log.back(), "pressed 2");
}

INSTANTIATE_TEST_SUITE_P(Edges, ToggleTest,
                         ::testing::Values(ToggleCase{true, OXButton::Pressed},
                                           ToggleCase{false, OXButton::Normal}));

class SliderTest : public WidgetTest {
  protected:
    void SetUp() override {
        WidgetTest::SetUp();
        slider = new OXSlider();
        slider->load(kButton);  // any picture serves as a track: 400 units long
        slider->loadKnob("assets/plist/spr_select_highlight");
        slider->setPosition(384, 500, 1);
        scene.addObject(slider);
        scene.addSelectable(slider);
    }
    float left() const { return 384 - 200; }
    OXSlider* slider = nullptr;
};

TEST_F(SliderTest, TheKnobIsDraggedWithinTheTrack) {
    slider->setValue(0.5f);
    scene.pointerPressed(nx(384), ny(500));
    EXPECT_TRUE(slider->isDragging());
    scene.pointerMoved(nx(384 + 100), ny(560));  // the drag holds off the track too
    EXPECT_FLOAT_EQ(slider->getValue(), 0.75f);
    scene.pointerMoved(nx(760), ny(500));
    EXPECT_FLOAT_EQ(slider->getKnob()->getX(), left() + 400);
    scene.pointerReleased(nx(20), ny(300));
    EXPECT_FALSE(slider->isDragging());
    EXPECT_FLOAT_EQ(slider->getValue(), 0.0f) << "the release is the last clamp";
    tick(20);
    EXPECT_FLOAT_EQ(slider->getKnob()->getY(), 500.0f);
    // A press on the track away from the knob moves nothing.
    scene.pointerPressed(nx(500), ny(500));
    EXPECT_FALSE(slider->isDragging());
    EXPECT_FLOAT_EQ(slider->getValue(), 0.0f);
}

TEST_F(WidgetTest, ASliderWithoutAKnobIgnoresThePointerAndKeepsItsValue) {
    auto* bare = new OXSlider();
    bare->load(kButton);
    bare->setPosition(384, 500, 1);
    bare->setValue(0.4f);
    scene.addObject(bare);
    scene.addSelectable(bare);
    scene.pointerPressed(nx(300), ny(500));
    scene.pointerReleased(nx(300), ny(500));
    tick(20);
    EXPECT_FLOAT_EQ(bare->getValue(), 0.4f);
}

TEST_F(WidgetTest, AButtonWhosePictureIsMissingStillShowsItsLabelAndTakesTheKeyboard) {
    testing::internal::CaptureStdout();
    OXButton* button = addButton<OXButton>(6, 384, 500, "assets/plist/btn_no_such_button");
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("MISSING BUTTON SPRITE assets/plist/btn_no_such_button.plist"), std::string::npos);
    ASSERT_NE(button->getLabel(), nullptr);
    EXPECT_TRUE(button->getLabel()->hasFont());
    tick(20);
    device.resetCounts();
    button->draw();
    EXPECT_EQ(device.count(GLCall::DrawArrays), 1) << "the label alone is drawn";
    scene.placeHighlightOnFirst();
    scene.acceptHighlighted();
    EXPECT_EQ(scene.log, (std::vector<std::string>{"down 6", "pressed 6"}));
    scene.log.clear();
    scene.pointerPressed(nx(384 + 150), ny(500 + 30));  // it keeps a button-sized area
    scene.pointerReleased(nx(384 + 150), ny(500 + 30));
    EXPECT_EQ(scene.log.back(), "pressed 6");
}

}  // namespace
