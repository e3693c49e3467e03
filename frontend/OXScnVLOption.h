#pragma once

#include "frontend/OXScnVLMenu.h"
#include "frontend/OptionSettings.h"

class OXButton;
class OXSlider;
class OXTextBox;

// The options: five sliders (music and effect volumes heard as they move, prize visibility,
// screen scale, background dimming up to 80 %) with their values in per cent, seven toggles
// that go round their values (two of them, bullet contrast and the hit-box marker, with the
// dimming for players who lose bullets against busy backgrounds; low latency, which keeps at
// most one frame queued for the display), the auto-trance switch, INPUT TEST (the self-test
// screen, a visit that keeps the unsaved choices), and CONTROLS (the control settings), SAVE
// and BACK. SAVE and CONTROLS write everything into the profile, save it and apply it; BACK
// goes back to the volumes found on entry and leaves the rest unsaved. One column of rows,
// every text at the menus' smallest size, fits a 16:9 view.
//
// Left and right move the highlighted slider (a tenth, a twentieth for the screen scale) or
// turn the highlighted toggle.
class OXScnVLOption : public OXScnVLMenu {
  public:
    enum ButtonId {
        ControlSettings = 0,
        Save = 1,
        Back = 2,
        AutoTranceOn = 3,  // shown while on; pressing turns it off
        AutoTranceOff = 4,
        BackgroundMode = 5,
        ScreenRotation = 6,
        TranceWarning = 7,
        AspectRatio = 8,
        BulletContrast = 9,
        HitboxMarker = 10,
        LowLatency = 11,
        InputTest = 12  // the input self-test screen; the unsaved choices wait for the return
    };
    enum SliderIndex {
        MusicVolume = 0,
        SfxVolume,
        PrizeVisibility,
        ScreenScale,
        BackgroundDimming,
        kSliderCount
    };

    explicit OXScnVLOption(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    void update(float dtMs) override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;

    const OptionSettings& getSettings() const { return settings; }
    OXSlider* getSlider(int index) const { return sliders[index]; }
    const OXTextBox* getSliderValue(int index) const { return sliderValues[index]; }
    OXButton* getToggle(int id) const;

  private:
    float& settingFor(int slider);
    // The setting at the slider's far end: 1, or the most dimming for the dimming slider.
    static float sliderRange(int slider);
    // The sliders and their values from the settings (on entry and BACK).
    void showSliders();
    // The toggles' texts and the auto-trance switch from the settings.
    void showSettings();
    // Reads the sliders (a drag moves them) into the settings; the volumes are heard at once.
    void readSliders();
    // SAVE and CONTROL SETTINGS: into the profile, to disk, and applied.
    void saveAndApply();

    OptionSettings settings;
    OXSlider* sliders[kSliderCount] = {};  // all owned through objects
    OXTextBox* sliderValues[kSliderCount] = {};
    OXButton* autoTranceOn = nullptr;
    OXButton* autoTranceOff = nullptr;
    OXButton* background = nullptr;
    OXButton* rotation = nullptr;
    OXButton* tranceWarning = nullptr;
    OXButton* aspect = nullptr;
    OXButton* contrast = nullptr;
    OXButton* marker = nullptr;
    OXButton* lowLatency = nullptr;
    bool keepDraft = false;  // the next entry comes back from the input test: keep the choices
};
