#include "frontend/OXScnVLCredits.h"

#include <algorithm>
#include <cstdio>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

namespace {
// The roll is seen in perspective from 1000 units away, where the view spans 828 of the
// scene's units in height, not 1024: 43 here is as tall on screen as the menus' smallest 51.
// A 16:9 view spans 466 units across there, so a line holds at most 21 characters, a heading 19.
constexpr int kLineSize = 43;
constexpr int kHeadingSize = 48;
constexpr float kRollBottom = 240.0f;  // where a line enters, above the button
constexpr float kRollTop = 790.0f;     // where it has left, below the heading
constexpr size_t kMostLines = 200;     // a longer roll is cut here
constexpr int kMostLists = 4;          // lists one roll follows through
}  // namespace

void OXScnVLCredits::buildScene() {
    addHeading("CREDITS", 830);  // the perspective view shows less of the scene
    addButton(Back, "BACK", kCentreX, 170);
    loadCredits(kCreditsList, kCreditsFont);
}

void OXScnVLCredits::loadCredits(const std::string& listPath, const std::string& fontPath) {
    removeLines();
    std::string next = listPath;
    // A few lists at most: a list that names itself, or a ring of them, stops here.
    for (int list = 0; list < kMostLists && !next.empty(); ++list) {
        const std::string path = next;
        if (!addLines(path, fontPath, next)) {
            removeLines();
            return;
        }
    }
    placeLines();
}

void OXScnVLCredits::removeLines() {
    for (OXTextBox* line : lines) {
        objects.erase(std::remove(objects.begin(), objects.end(), line), objects.end());
        delete line;
    }
    lines.clear();
}

bool OXScnVLCredits::addLines(const std::string& listPath, const std::string& fontPath, std::string& next) {
    next.clear();
    Plist::Dictionary list;
    if (!Plist::loadContent(listPath, list)) {
        // A malformed list has been named by the reader; a missing one is named here.
        if (!assetExists(listPath)) {
            std::printf("CREDITS LIST %s NOT FOUND\n", listPath.c_str());
        }
        return true;
    }
    const Plist::Array* entries = Plist::findArray(list, "lines");
    if (entries == nullptr || entries->empty()) {
        std::printf("CREDITS LIST %s HAS NO LINES\n", listPath.c_str());
        return true;
    }
    for (const Plist::Value& entry : *entries) {
        if (lines.size() == kMostLines) {
            std::printf("CREDITS LIST %s: ONLY THE FIRST %zu LINES ROLL\n", listPath.c_str(), kMostLines);
            return true;
        }
        const std::string* text = Plist::asString(entry);
        const bool heading = text && !text->empty() && (*text)[0] == '*';
        auto* line = new OXTextBox();
        line->load(fontPath);
        if (!line->hasFont()) {
            delete line;  // the box has said why; one line is enough, so no more boxes try
            return false;
        }
        line->setAlignment(OXTextBox::AlignCentre);
        line->setCharSize(heading ? kHeadingSize : kLineSize);
        line->setText(text ? (heading ? text->substr(1) : *text) : std::string());
        if (heading) {
            line->setColour(0.75f, 0.97f, 1.0f, 1.0f);
        }
        addObject(line);
        lines.push_back(line);
    }
    std::string following;
    if (Plist::getString(list, "followed by", following) && !following.empty()) {
        next = "assets/plist/" + following + ".plist";
    }
    return true;
}

bool OXScnVLCredits::enterStarted() {
    rollOffset = 0.0f;
    rolling = true;
    placeLines();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLCredits::placeLines() {
    const float length = kLineGap * static_cast<float>(lines.size()) + (kRollTop - kRollBottom);
    for (size_t index = 0; index < lines.size(); ++index) {
        float y = kRollBottom + rollOffset - kLineGap * static_cast<float>(index);
        // Round again once the whole roll has passed the top.
        while (y > kRollTop) {
            y -= length;
        }
        lines[index]->setPosition(kCentreX, y, 0);
        lines[index]->setVisible(y >= kRollBottom - kLineGap && y <= kRollTop);
    }
}

void OXScnVLCredits::setupCamera() {
    if (orthographic) {
        OXScene::setupCamera();
        return;
    }
    // The application aims a perspective scene from z -1000 along +z with the centre a
    // little above the eye; with the scenes' up vector that shows x growing to the left, a
    // mirrored roll. From z +1000 looking back, with the centre a little below, x grows
    // to the right and y up, at the same distance and size.
    const Vec3 aimedEye = eye;
    const Vec3 aimedCentre = centre;
    eye.z = -aimedEye.z;
    centre.z = -aimedCentre.z;
    centre.y = aimedEye.y - (aimedCentre.y - aimedEye.y);
    // The roll is centred on the scene's middle in every shape of view: aimed from the view's
    // own width, a 16:9 view would look left of it and cut the lines' right ends.
    eye.x = centre.x = kCentreX + viewWidth * 0.5f;
    OXScene::setupCamera();
    eye = aimedEye;
    centre = aimedCentre;
}

void OXScnVLCredits::update(float dtMs) {
    OXScnVLMenu::update(dtMs);
    if (rolling && !lines.empty()) {
        rollOffset += kRollSpeed * dtMs;
        const float length = kLineGap * static_cast<float>(lines.size()) + (kRollTop - kRollBottom);
        if (rollOffset > length) {
            rollOffset -= length;
        }
        placeLines();
    }
}

void OXScnVLCredits::buttonPressed(int id) {
    if (id == Back) {
        rolling = false;
        host.switchToScene(kMainScene);
    }
}

void OXScnVLCredits::backPressed() {
    buttonPressed(Back);
}
