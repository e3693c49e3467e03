#include "stg/game/overlays/OXScnBaseSplash.h"

#include <cstdio>

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/overlays/OverlayKit.h"

namespace {
constexpr float kStageY = 300.0f;  // units
constexpr float kWarningY = overlay::kFieldHeight * 0.6f;
constexpr float kWarningSlide = overlay::kFieldWidth * 0.1f;
constexpr float kWarningSlideMs = 800.0f;
constexpr float kBandScaleX = 0.75f;
constexpr float kBandScaleY = 0.6f;
}  // namespace

void OXScnBaseSplash::buildScene() {
    overlay::setupCamera(*this);
    stageBand = overlay::addSprite(*this, "assets/plist/spr_splash_bg", 160, kStageY + 8, kBandScaleX,
                                   kBandScaleY, 1);
    stageText = overlay::addText(*this, "STAGE 1", 160, kStageY, 32, 1, {0.75f, 1.5f, 1.7f, 1.0f});
    warningBand = overlay::addSprite(*this, "assets/plist/spr_boss_warning_bg", 160, kWarningY + 8,
                                     kBandScaleX, kBandScaleY, 1);
    warningText = overlay::addText(*this, "WARNING", 160, kWarningY, 32, 1, {1.8f, 0.5f, 0.45f, 1.0f});
    for (IXRenderObject* part :
         {static_cast<IXRenderObject*>(stageBand), static_cast<IXRenderObject*>(stageText),
          static_cast<IXRenderObject*>(warningBand), static_cast<IXRenderObject*>(warningText)}) {
        part->setVisible(false);
        part->setActive(false);
    }
}

void OXScnBaseSplash::fadeAway(IXTransformable& part) {
    part.setKeepAlive(false);
    part.fadeTo(kFadeOutMs, part.getAlpha(), 0.0f);
}

void OXScnBaseSplash::showStage(int index) {
    char title[24];
    std::snprintf(title, sizeof title, "STAGE %d", index + 1);
    stageText->setText(title);
    for (IXTransformable* part :
         {static_cast<IXTransformable*>(stageBand), static_cast<IXTransformable*>(stageText)}) {
        part->resetActions();
        part->fadeTo(kFadeInMs, 0.0f, 1.0f);
    }
    stageText->setColour(0.75f, 1.5f, 1.7f, 0.0f);
    stageLeft = kStageShownMs;
    visible = active = true;
}

void OXScnBaseSplash::showBossWarning() {
    warningBand->resetActions();
    warningBand->fadeTo(kFadeInMs, 0.0f, 1.0f);
    warningBand->scaleTo(kFadeInMs, {kBandScaleX * 3.0f, kBandScaleY * 3.0f, 1.0f},
                         {kBandScaleX, kBandScaleY, 1.0f});
    warningText->resetActions();
    warningText->setColour(1.8f, 0.5f, 0.45f, 0.0f);
    warningText->setPosition(160.0f - kWarningSlide, kWarningY, 2.0f);
    warningText->fadeTo(kFadeInMs, 0.0f, 1.0f);
    warningText->moveBy(kWarningSlideMs, {kWarningSlide, 0.0f, 0.0f}, 2.0f);
    warningLeft = kWarningShownMs;
    visible = active = true;
}

void OXScnBaseSplash::update(float dtMs) {
    OXScene::update(dtMs);
    if (stageLeft > 0.0f) {
        stageLeft -= dtMs;
        if (stageLeft <= 0.0f) {
            fadeAway(*stageBand);
            fadeAway(*stageText);
        }
    }
    if (warningLeft > 0.0f) {
        warningLeft -= dtMs;
        if (warningLeft <= 0.0f) {
            fadeAway(*warningBand);
            fadeAway(*warningText);
        }
    }
    // Nothing left to show: the scene steps aside until the next call.
    if (stageLeft <= 0.0f && warningLeft <= 0.0f && !stageText->isVisible() && !warningText->isVisible() &&
        !stageBand->isVisible() && !warningBand->isVisible()) {
        visible = active = false;
    }
}
