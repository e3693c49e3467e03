#include "frontend/OXScnVLInputTest.h"

#include <string>

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

namespace {
// The explanation under the heading, the square, then the marker's track and the count of
// presses, all within the 576 units a 16:9 view shows.
constexpr float kTestHeadingY = 950.0f;
constexpr float kFirstLineY = 860.0f;
constexpr float kLineStep = 50.0f;
constexpr float kSquareY = 470.0f;
constexpr float kSquareSide = 80.0f;  // about 37 pixels at 640 x 480: a spot, never a flash over the view
constexpr float kTrackY = 340.0f;
constexpr float kCountY = 250.0f;
const char* const kLines[] = {"ANY KEY OR BUTTON",     "LIGHTS THE SQUARE ON",  "THE NEXT FRAME. FILM",
                              "SCREEN AND HAND, THEN", "COUNT THE FRAMES FROM", "PRESS TO LIGHT."};
}  // namespace

void OXScnVLInputTest::buildScene() {
    addHeading("INPUT TEST", kTestHeadingY);
    for (size_t index = 0; index < sizeof kLines / sizeof kLines[0]; ++index) {
        addText(kLines[index], kCentreX, kFirstLineY - kLineStep * static_cast<float>(index),
                kSmallestTextSize);
    }
    // A dim frame marks where the square lights, so the camera's framing can be checked first.
    auto* frame = new OXSprite();
    frame->loadFill({0.25f, 0.3f, 0.35f, 1.0f}, kSquareSide + 8.0f, kSquareSide + 8.0f);
    frame->setPosition(kCentreX, kSquareY, 0);
    addObject(frame);
    square = new OXSprite();
    square->loadFill({1.0f, 1.0f, 1.0f, 1.0f}, kSquareSide, kSquareSide);
    square->setPosition(kCentreX, kSquareY, 1);
    addObject(square);
    track = new OXSprite();
    track->load("assets/plist/spr_slider_track");
    track->setPosition(kCentreX, kTrackY, 1);
    addObject(track);
    marker = new OXSprite();
    marker->load("assets/plist/spr_slider_knob");
    addObject(marker);
    pressCount = addText("", kCentreX, kCountY, kSmallestTextSize);
    addKeyHints();
    startDark();
}

bool OXScnVLInputTest::enterStarted() {
    startDark();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLInputTest::startDark() {
    litMs = 0.0f;
    markerStep = 0;
    presses = 0;
    square->setVisible(false);
    placeMarker();
    pressCount->setText("PRESSES: 0");
}

bool OXScnVLInputTest::isSquareLit() const {
    return square && square->isVisible();
}

void OXScnVLInputTest::placeMarker() {
    const float length = track->getSize().x * track->getScale().x;
    const float along = static_cast<float>(markerStep) / static_cast<float>(kMarkerSteps - 1);
    marker->setPosition(kCentreX - length * 0.5f + length * along, kTrackY, 2);
}

void OXScnVLInputTest::update(float dtMs) {
    OXScnVLMenu::update(dtMs);
    if (litMs > 0.0f) {
        litMs -= dtMs;
        if (litMs <= 0.0f) {
            square->setVisible(false);
        }
    }
}

// The square lights as the press is heard, before the frame that follows it is drawn; the
// frame's update runs after the events, so the lit time counts from that frame.
void OXScnVLInputTest::keyEvent(int key, bool down) {
    if (down) {
        square->setVisible(true);
        litMs = kLitMs;
        markerStep = (markerStep + 1) % kMarkerSteps;
        placeMarker();
        ++presses;
        pressCount->setText("PRESSES: " + std::to_string(presses));
    } else if (key == backKey) {
        backPressed();
    }
}

void OXScnVLInputTest::backPressed() {
    host.switchToScene(kOptionScene);
}
