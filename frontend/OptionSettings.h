#pragma once

#include <string>

#include "data/DisplayChoices.h"
#include "data/ScreenOrientation.h"

class CXUserProfile;

// What the options screen edits, apart from its widgets: the values it took from the profile
// on entry, the volumes to go back to on BACK, and the texts of its toggles. The screen keeps
// its sliders and toggles in step with these values.
class OptionSettings {
  public:
    // How far the left and right keys move a slider.
    static constexpr float kVolumeStep = 0.1f;  // the two volumes and prize visibility
    static constexpr float kScreenScaleStep = 0.05f;
    static constexpr float kDimmingStep = 0.1f;  // background dimming, 0 to 80 %

    // Copies the profile's values and remembers the volumes found.
    void enter(const CXUserProfile& profile);
    // Every value into the profile (SAVE and CONTROL SETTINGS).
    void writeTo(CXUserProfile& profile) const;
    // BACK: the volumes go back to what the screen found.
    void restoreVolumes();

    // The toggles go round their values.
    void cycleBackgroundMode() {
        backgroundMode = backgroundMode == BackgroundMirrored ? BackgroundNone : BackgroundMirrored;
    }
    void cycleScreenRotation() { screenOrientation = nextQuarterTurn(screenOrientation); }
    void cycleTranceWarning() { tranceWarning = !tranceWarning; }
    void cycleAspectRatio() { aspectRatio = aspectRatio == Aspect16x9 ? Aspect4x3 : Aspect16x9; }
    void toggleAutoTrance() { autoTrance = !autoTrance; }
    void cycleBulletContrast() { bulletContrast = !bulletContrast; }
    void cycleHitboxMarker() { hitboxMarker = !hitboxMarker; }
    void cycleLowLatency() { lowLatency = !lowLatency; }

    // "BACKGROUND: MIRRORED" / "BACKGROUND: NONE", "SCREEN ROTATION: 0" ... "270",
    // "TRANCE RDY SND: ON" / "OFF", "ASPECT RATIO: 4:3" / "ASPECT RATIO: 16:9".
    std::string backgroundLabel() const;
    std::string rotationLabel() const;
    std::string tranceWarningLabel() const;
    std::string aspectLabel() const;
    // "BULLET CONTRAST: ON" / "OFF", "HITBOX MARKER: ON" / "OFF".
    std::string bulletContrastLabel() const;
    std::string hitboxMarkerLabel() const;
    // "LOW LATENCY: ON" / "OFF".
    std::string lowLatencyLabel() const;

    float musicVolume = 0.5f;
    float sfxVolume = 0.5f;
    float prizeAlpha = 1.0f;
    float bufferScale = 0.5f;  // "SCREEN SCALE"
    BackgroundMode backgroundMode = BackgroundMirrored;
    ScreenOrientation screenOrientation = ScreenUpright;
    bool tranceWarning = true;
    AspectRatio aspectRatio = Aspect4x3;
    bool autoTrance = true;
    float backgroundDimming = 0.0f;  // 0 to CXUserProfile::kMostDimming
    bool bulletContrast = false;
    bool hitboxMarker = false;
    bool lowLatency = false;  // at most one frame queued for the display

    float enteredMusicVolume = 0.5f;
    float enteredSfxVolume = 0.5f;
};
