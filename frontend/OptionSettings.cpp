#include "frontend/OptionSettings.h"

#include <algorithm>

#include "data/CXUserProfile.h"

namespace {
float unit(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}
}  // namespace

void OptionSettings::enter(const CXUserProfile& profile) {
    musicVolume = unit(profile.musicVolume);
    sfxVolume = unit(profile.sfxVolume);
    prizeAlpha = unit(profile.prizeAlpha);
    bufferScale = unit(profile.bufferScale);
    backgroundMode = profile.backgroundMode;
    screenOrientation = profile.screenOrientation;
    tranceWarning = profile.tranceWarning;
    aspectRatio = profile.aspectRatio;
    autoTrance = profile.autoTrance;
    backgroundDimming = std::clamp(profile.backgroundDimming, 0.0f, CXUserProfile::kMostDimming);
    bulletContrast = profile.bulletContrast;
    hitboxMarker = profile.hitboxMarker;
    lowLatency = profile.lowLatency;
    enteredMusicVolume = musicVolume;
    enteredSfxVolume = sfxVolume;
}

void OptionSettings::writeTo(CXUserProfile& profile) const {
    profile.musicVolume = musicVolume;
    profile.sfxVolume = sfxVolume;
    profile.prizeAlpha = prizeAlpha;
    profile.bufferScale = bufferScale;
    profile.backgroundMode = backgroundMode;
    profile.screenOrientation = screenOrientation;
    profile.tranceWarning = tranceWarning;
    profile.aspectRatio = aspectRatio;
    profile.autoTrance = autoTrance;
    profile.backgroundDimming = std::clamp(backgroundDimming, 0.0f, CXUserProfile::kMostDimming);
    profile.bulletContrast = bulletContrast;
    profile.hitboxMarker = hitboxMarker;
    profile.lowLatency = lowLatency;
}

void OptionSettings::restoreVolumes() {
    musicVolume = enteredMusicVolume;
    sfxVolume = enteredSfxVolume;
}

std::string OptionSettings::backgroundLabel() const {
    return backgroundMode == BackgroundMirrored ? "BACKGROUND: MIRRORED" : "BACKGROUND: NONE";
}

std::string OptionSettings::rotationLabel() const {
    static const char* const kDegrees[] = {"0", "90", "180", "270"};
    return std::string("SCREEN ROTATION: ") + kDegrees[screenOrientation];
}

std::string OptionSettings::tranceWarningLabel() const {
    return tranceWarning ? "TRANCE RDY SND: ON" : "TRANCE RDY SND: OFF";
}

std::string OptionSettings::aspectLabel() const {
    return aspectRatio == Aspect16x9 ? "ASPECT RATIO: 16:9" : "ASPECT RATIO: 4:3";
}

std::string OptionSettings::bulletContrastLabel() const {
    return bulletContrast ? "BULLET CONTRAST: ON" : "BULLET CONTRAST: OFF";
}

std::string OptionSettings::hitboxMarkerLabel() const {
    return hitboxMarker ? "HITBOX MARKER: ON" : "HITBOX MARKER: OFF";
}

std::string OptionSettings::lowLatencyLabel() const {
    return lowLatency ? "LOW LATENCY: ON" : "LOW LATENCY: OFF";
}
