#include "frontend/OXScnVLOption.h"

#include <cmath>
#include <string>
#include <utility>

#include "data/CXUserProfile.h"
#include "engine/CXGfxManager.h"
#include "engine/OXButton.h"
#include "engine/OXSlider.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

namespace {
// One column of rows as wide as a 16:9 view (x 96 to 672), every text at the menus' smallest
// size: the sliders (name and value over the track), the toggles, the auto-trance switch and
// INPUT TEST (on row buttons, whose bars are 40 units tall), then KEYS, SAVE and BACK side by side.
constexpr float kOptionsHeadingY = 950.0f;
constexpr float kFirstSliderY = 885.0f;  // the slider's name; its track lies below
constexpr float kSliderStep = 66.0f;
constexpr float kTrackDrop = 22.0f;
constexpr float kNameX = 104.0f;
constexpr float kValueX = 664.0f;
constexpr float kFirstToggleY = 550.0f;
constexpr float kToggleStep = 48.0f;
constexpr int kToggleCount = 7;
constexpr float kLastRowY = 110.0f;
constexpr float kLastRowX[3] = {192.0f, 384.0f, 576.0f};
constexpr const char* kRowButton = "assets/plist/btn_menu_row";
constexpr const char* kShortButton = "assets/plist/btn_menu_tab";
const char* const kSliderNames[OXScnVLOption::kSliderCount] = {
    "MUSIC VOLUME", "SFX VOLUME", "PRIZE VISIBILITY", "SCREEN SCALE", "BG DIMMING"};
const int kToggleIds[] = {OXScnVLOption::BackgroundMode, OXScnVLOption::ScreenRotation,
                          OXScnVLOption::TranceWarning,  OXScnVLOption::AspectRatio,
                          OXScnVLOption::BulletContrast, OXScnVLOption::HitboxMarker,
                          OXScnVLOption::LowLatency};

std::string percent(float value) {
    return std::to_string(static_cast<int>(std::lround(value * 100.0f))) + "%";
}
}  // namespace

void OXScnVLOption::buildScene() {
    addHeading("OPTIONS", kOptionsHeadingY);
    for (int index = 0; index < kSliderCount; ++index) {
        const float y = kFirstSliderY - kSliderStep * static_cast<float>(index);
        addText(kSliderNames[index], kNameX, y, kSmallestTextSize, OXTextBox::AlignLeft);
        auto* slider = new OXSlider();
        slider->load("assets/plist/spr_slider_track");
        slider->loadKnob("assets/plist/spr_slider_knob");
        slider->setPosition(kCentreX, y - kTrackDrop, 1);
        addObject(slider);
        addSelectable(slider);
        sliders[index] = slider;
        sliderValues[index] = addText("", kValueX, y, kSmallestTextSize, OXTextBox::AlignRight);
    }
    OXButton** toggles[] = {&background, &rotation, &tranceWarning, &aspect, &contrast, &marker, &lowLatency};
    for (int index = 0; index < kToggleCount; ++index) {
        *toggles[index] = addButton(kToggleIds[index], "", kCentreX,
                                    kFirstToggleY - kToggleStep * static_cast<float>(index), kRowButton);
    }
    // The switch's two buttons share the row after the toggles; one shows at a time.
    const float autoTranceY = kFirstToggleY - kToggleStep * static_cast<float>(kToggleCount);
    autoTranceOn = addButton(AutoTranceOn, "AUTO TRANCE: ON", kCentreX, autoTranceY, kRowButton);
    autoTranceOff = addButton(AutoTranceOff, "AUTO TRANCE: OFF", kCentreX, autoTranceY, kRowButton);
    addButton(InputTest, "INPUT TEST", kCentreX, autoTranceY - kToggleStep, kRowButton);
    addButton(ControlSettings, "KEYS", kLastRowX[0], kLastRowY, kShortButton);
    addButton(Save, "SAVE", kLastRowX[1], kLastRowY, kShortButton);
    addButton(Back, "BACK", kLastRowX[2], kLastRowY, kShortButton);
    settings.enter(host.profile());
    showSliders();
    showSettings();
    addKeyHints();
}

bool OXScnVLOption::enterStarted() {
    // Back from the input test the choices not yet saved are still the screen's.
    if (!std::exchange(keepDraft, false)) {
        settings.enter(host.profile());
    }
    showSliders();
    showSettings();
    return OXScnVLMenu::enterStarted();
}

OXButton* OXScnVLOption::getToggle(int id) const {
    switch (id) {
        case AutoTranceOn:
            return autoTranceOn;
        case AutoTranceOff:
            return autoTranceOff;
        case BackgroundMode:
            return background;
        case ScreenRotation:
            return rotation;
        case TranceWarning:
            return tranceWarning;
        case AspectRatio:
            return aspect;
        case BulletContrast:
            return contrast;
        case HitboxMarker:
            return marker;
        case LowLatency:
            return lowLatency;
        default:
            return nullptr;
    }
}

float& OXScnVLOption::settingFor(int slider) {
    switch (slider) {
        case MusicVolume:
            return settings.musicVolume;
        case SfxVolume:
            return settings.sfxVolume;
        case PrizeVisibility:
            return settings.prizeAlpha;
        case BackgroundDimming:
            return settings.backgroundDimming;
        default:
            return settings.bufferScale;
    }
}

float OXScnVLOption::sliderRange(int slider) {
    return slider == BackgroundDimming ? CXUserProfile::kMostDimming : 1.0f;
}

void OXScnVLOption::showSliders() {
    for (int index = 0; index < kSliderCount; ++index) {
        sliders[index]->setValue(settingFor(index) / sliderRange(index));
        sliderValues[index]->setText(percent(settingFor(index)));
    }
}

void OXScnVLOption::showSettings() {
    autoTranceOn->setVisible(settings.autoTrance);
    autoTranceOff->setVisible(!settings.autoTrance);
    background->setLabelText(settings.backgroundLabel());
    rotation->setLabelText(settings.rotationLabel());
    tranceWarning->setLabelText(settings.tranceWarningLabel());
    aspect->setLabelText(settings.aspectLabel());
    contrast->setLabelText(settings.bulletContrastLabel());
    marker->setLabelText(settings.hitboxMarkerLabel());
    lowLatency->setLabelText(settings.lowLatencyLabel());
}

void OXScnVLOption::readSliders() {
    bool volumesMoved = false;
    for (int index = 0; index < kSliderCount; ++index) {
        const float value = sliders[index]->getValue() * sliderRange(index);
        float& setting = settingFor(index);
        if (value == setting) {
            continue;
        }
        setting = value;
        sliderValues[index]->setText(percent(value));
        volumesMoved = volumesMoved || index == MusicVolume || index == SfxVolume;
    }
    if (volumesMoved) {
        host.setVolumes(settings.musicVolume, settings.sfxVolume);
    }
}

void OXScnVLOption::update(float dtMs) {
    OXScnVLMenu::update(dtMs);
    readSliders();
}

void OXScnVLOption::saveAndApply() {
    readSliders();
    CXUserProfile& profile = host.profile();
    const auto aspectBefore = profile.aspectRatio;
    const auto orientationBefore = profile.screenOrientation;
    settings.writeTo(profile);
    profile.save();
    host.setVolumes(settings.musicVolume, settings.sfxVolume);
    CXGfxManager::instance().setBufferScale(settings.bufferScale);
    // The display choices take effect now, not only at the next start.
    if (settings.aspectRatio != aspectBefore) {
        host.setAspectRatio(settings.aspectRatio);
    }
    if (settings.screenOrientation != orientationBefore) {
        host.setScreenOrientation(settings.screenOrientation);
    }
}

void OXScnVLOption::buttonPressed(int id) {
    readSliders();
    switch (id) {
        case ControlSettings:
            saveAndApply();
            host.switchToScene(kOptionControlScene);
            return;
        case Save:
            saveAndApply();
            host.switchToScene(kMainScene);
            return;
        case Back:
            backPressed();
            return;
        case InputTest:
            keepDraft = true;
            host.switchToScene(kInputTestScene);
            return;
        case AutoTranceOn:
        case AutoTranceOff:
            ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
            settings.toggleAutoTrance();
            showSettings();
            // The highlight follows onto the switch now shown.
            for (size_t index = 0; index < selectables.size(); ++index) {
                if (selectables[index] == (settings.autoTrance ? autoTranceOn : autoTranceOff)) {
                    selectedIndex = static_cast<int>(index);
                    if (highlight) {
                        moveHighlightOnto(selectables[index]);
                    }
                }
            }
            return;
        case BackgroundMode:
            settings.cycleBackgroundMode();
            break;
        case ScreenRotation:
            settings.cycleScreenRotation();
            break;
        case TranceWarning:
            settings.cycleTranceWarning();
            break;
        case AspectRatio:
            settings.cycleAspectRatio();
            break;
        case BulletContrast:
            settings.cycleBulletContrast();
            break;
        case HitboxMarker:
            settings.cycleHitboxMarker();
            break;
        case LowLatency:
            settings.cycleLowLatency();
            break;
        default:
            return;
    }
    ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
    showSettings();
}

void OXScnVLOption::backPressed() {
    readSliders();
    settings.restoreVolumes();
    showSliders();
    host.setVolumes(settings.musicVolume, settings.sfxVolume);
    // The display choices are applied (the profile in memory takes them) but not saved.
    const CXUserProfile& profile = host.profile();
    if (settings.aspectRatio != profile.aspectRatio) {
        host.setAspectRatio(settings.aspectRatio);
    }
    if (settings.screenOrientation != profile.screenOrientation) {
        host.setScreenOrientation(settings.screenOrientation);
    }
    host.switchToScene(kMainScene);
}

void OXScnVLOption::keyEvent(int key, bool down) {
    if ((key != leftKey && key != rightKey) || key == acceptKey) {
        OXScene::keyEvent(key, down);
        return;
    }
    if (!down || selectedIndex < 0 || selectedIndex >= static_cast<int>(selectables.size())) {
        return;
    }
    IXRenderObject* current = selectables[selectedIndex];
    for (int index = 0; index < kSliderCount; ++index) {
        if (current != sliders[index]) {
            continue;
        }
        const float step = index == ScreenScale         ? OptionSettings::kScreenScaleStep
                           : index == BackgroundDimming ? OptionSettings::kDimmingStep / sliderRange(index)
                                                        : OptionSettings::kVolumeStep;
        if (key == rightKey) {
            sliders[index]->stepUp(step);
        } else {
            sliders[index]->stepDown(step);
        }
        readSliders();
        return;
    }
    // On a toggle, left and right turn it as accept does.
    for (int id : kToggleIds) {
        if (current == getToggle(id)) {
            buttonPressed(id);
            return;
        }
    }
}
