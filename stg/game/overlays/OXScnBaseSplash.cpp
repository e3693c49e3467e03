#include "stg/game/overlays/OXScnBaseSplash.h"

#include <array>
#include <string>

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/overlays/OverlayKit.h"

namespace {
constexpr float kStageY = 300.0f;  // units
constexpr float kWarningY = overlay::kFieldHeight * 0.6f;
constexpr float kWarningX = overlay::kFieldWidth * 0.4f;  // where the word starts its slide
constexpr float kWarningSlide = overlay::kFieldWidth * 0.1f;
constexpr float kWarningSlideMs = 800.0f;
constexpr float kBandScaleX = 0.75f;
constexpr float kBandScaleY = 0.6f;
// "STAGE" (512 x 128 pixels) and its number (128 x 128) side by side, 240 units across.
constexpr float kWordScale = 0.36f;
constexpr float kWordX = 140.0f;
constexpr float kNumberX = 238.0f;
constexpr float kWarningWordScale = 0.5f;
// The stage's title under the band, in the overlays' line size (legible at 640 x 480).
constexpr float kTitleY = kStageY - 40.0f;
constexpr int kTitleSize = overlay::kSmallestTextSize;
constexpr Colour kTitleTint{1.0f, 0.84f, 0.5f, 1.0f};
}  // namespace

void OXScnBaseSplash::buildScene() {
    overlay::setupCamera(*this);
    stageBand =
        overlay::addSprite(*this, "assets/plist/spr_splash_bg", 160, kStageY, kBandScaleX, kBandScaleY, 1);
    stageWord = overlay::addSprite(*this, "assets/plist/spr_splash_stage_text", kWordX, kStageY, kWordScale,
                                   kWordScale, 1);
    stageNumber = overlay::addSprite(*this, "assets/plist/spr_splash_stage_number", kNumberX, kStageY,
                                     kWordScale, kWordScale, 1);
    warningBand = overlay::addSprite(*this, "assets/plist/spr_boss_warning_bg", 160, kWarningY, kBandScaleX,
                                     kBandScaleY, 1);
    warningWord = overlay::addSprite(*this, "assets/plist/spr_boss_warning_text", 160, kWarningY,
                                     kWarningWordScale, kWarningWordScale, 1);
    stageTitle = overlay::addText(*this, "", 160, kTitleY, kTitleSize, 1, kTitleTint);
    for (IXTransformable* part : stageParts()) {
        part->setVisible(false);
        part->setActive(false);
    }
    for (OXSprite* part : {warningBand, warningWord}) {
        part->setVisible(false);
        part->setActive(false);
    }
}

std::array<IXTransformable*, 4> OXScnBaseSplash::stageParts() const {
    return {stageBand, stageWord, stageNumber, stageTitle};
}

void OXScnBaseSplash::fadeAway(IXTransformable& part) {
    part.setKeepAlive(false);
    part.fadeTo(kFadeOutMs, part.getAlpha(), 0.0f);
}

void OXScnBaseSplash::showStage(int index, const std::string& title) {
    stageNumber->setFrame(index < 0 ? 0 : index);
    stageTitle->setText(title);
    for (IXTransformable* part : stageParts()) {
        part->resetActions();
        part->setKeepAlive(true);
        part->fadeTo(kFadeInMs, 0.0f, 1.0f);
    }
    // Clearing the actions left the title white: its own colour again, fading in as the rest.
    stageTitle->setColour(kTitleTint.r, kTitleTint.g, kTitleTint.b, stageTitle->getAlpha());
    stageLeft = kStageShownMs;
    visible = active = true;
}

void OXScnBaseSplash::showBossWarning() {
    warningBand->resetActions();
    warningBand->setKeepAlive(true);
    warningBand->fadeTo(kFadeInMs, 0.0f, 1.0f);
    warningBand->scaleTo(kFadeInMs, {kBandScaleX * 3.0f, kBandScaleY * 3.0f, 1.0f},
                         {kBandScaleX, kBandScaleY, 1.0f});
    // The word slides in by a tenth of the width, from 0.4 of the width to the middle
    warningWord->resetActions();
    warningWord->setKeepAlive(true);
    warningWord->setPosition(kWarningX, kWarningY, 1.0f);
    warningWord->fadeTo(kFadeInMs, 0.0f, 1.0f);
    warningWord->moveBy(kWarningSlideMs, {kWarningSlide, 0.0f, 0.0f}, 2.0f);
    warningLeft = kWarningShownMs;
    visible = active = true;
}

void OXScnBaseSplash::update(float dtMs) {
    OXScene::update(dtMs);
    if (stageLeft > 0.0f) {
        stageLeft -= dtMs;
        if (stageLeft <= 0.0f) {
            for (IXTransformable* part : stageParts()) {
                fadeAway(*part);
            }
        }
    }
    if (warningLeft > 0.0f) {
        warningLeft -= dtMs;
        if (warningLeft <= 0.0f) {
            fadeAway(*warningBand);
            fadeAway(*warningWord);
        }
    }
    // Nothing left to show: the scene steps aside until the next call.
    bool anyShown = stageLeft > 0.0f || warningLeft > 0.0f;
    for (IXTransformable* part : stageParts()) {
        anyShown = anyShown || part->isVisible();
    }
    anyShown = anyShown || warningBand->isVisible() || warningWord->isVisible();
    if (!anyShown) {
        visible = active = false;
    }
}
