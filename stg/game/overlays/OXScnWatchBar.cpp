#include "stg/game/overlays/OXScnWatchBar.h"

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/ReplayDeck.h"
#include "stg/game/ReplayWatch.h"
#include "stg/game/overlays/OverlayKit.h"

namespace {
constexpr int kTextSize = overlay::kSmallestTextSize;
constexpr float kEdge = 6.0f;
// Three rows at the foot of the field: speed and time, the mark passed, the keys.
constexpr float kBandHeight = 64.0f;
constexpr float kTopRowY = 46.0f;
constexpr float kMiddleRowY = 28.0f;
constexpr float kHintRowY = 10.0f;
// Opaque: the HUD's foot row (gauges, lives) lies under it while a replay is watched.
constexpr float kBandAlpha = 1.0f;
// The message sits just above the band.
constexpr float kMessageY = kBandHeight + 8.0f;
constexpr float kMessagePlateHeight = 28.0f;  // from the band's top up, no gap between
constexpr Colour kSpeedTint{0.5f, 1.5f, 1.4f, 1.0f};
constexpr Colour kPausedTint{1.6f, 1.3f, 0.5f, 1.0f};
constexpr Colour kTextTint{0.9f, 0.95f, 1.0f, 1.0f};
constexpr Colour kMarkTint{0.55f, 0.85f, 1.0f, 1.0f};
constexpr Colour kHintTint{0.75f, 0.8f, 0.9f, 1.0f};
constexpr Colour kMessageTint{1.6f, 0.7f, 0.6f, 1.0f};
// The seek's bar across the field's middle (the field is not drawn then).
constexpr float kSeekBarWidth = 240.0f;
constexpr float kSeekBarHeight = 14.0f;
constexpr float kSeekBarY = 230.0f;
}  // namespace

void OXScnWatchBar::buildScene() {
    overlay::setupCamera(*this);
    darkField = overlay::addBackdrop(*this, 1.0f);
    darkField->setVisible(false);
    seekFrame = new OXSprite();
    seekFrame->loadFill({0.35f, 0.45f, 0.55f, 1.0f}, kSeekBarWidth + 4.0f, kSeekBarHeight + 4.0f);
    seekFrame->setPosition(overlay::kFieldWidth * 0.5f, kSeekBarY, 1.0f);
    addObject(seekFrame);
    seekFill = new OXSprite();
    // One unit wide, stretched to the part done; its left end stays put.
    seekFill->loadFill({0.5f, 1.0f, 0.95f, 1.0f}, 1.0f, kSeekBarHeight);
    seekFillUnit = seekFill->getScale();
    seekFill->setPosition(overlay::kFieldWidth * 0.5f - kSeekBarWidth * 0.5f, kSeekBarY, 1.5f);
    addObject(seekFill);
    seekText = overlay::addText(*this, "SEEKING", overlay::kFieldWidth * 0.5f, kSeekBarY + 20.0f,
                                kTextSize + 8, 1, kTextTint);
    for (IXTransformable* part :
         {static_cast<IXTransformable*>(seekFrame), static_cast<IXTransformable*>(seekFill),
          static_cast<IXTransformable*>(seekText)}) {
        part->setVisible(false);
    }

    band = overlay::addBlackFill(*this, overlay::kFieldWidth * 0.5f, kBandHeight * 0.5f,
                                 overlay::kBackdropWidth, kBandHeight, kBandAlpha);
    speedText = overlay::addText(*this, "x1", kEdge, kTopRowY, kTextSize, 0, kSpeedTint);
    timeText = overlay::addText(*this, "0:00 / 0:00", overlay::kFieldWidth - kEdge, kTopRowY, kTextSize, 2,
                                kTextTint);
    markText = overlay::addText(*this, "", kEdge, kMiddleRowY, kTextSize, 0, kMarkTint);
    hintText = overlay::addText(*this, "", kEdge, kHintRowY, kTextSize, 0, kHintTint);
    messagePlate =
        overlay::addBlackFill(*this, overlay::kFieldWidth * 0.5f, kBandHeight + kMessagePlateHeight * 0.5f,
                              overlay::kBackdropWidth, kMessagePlateHeight, kBandAlpha);
    messageText =
        overlay::addText(*this, "", overlay::kFieldWidth * 0.5f, kMessageY, kTextSize, 1, kMessageTint);
    messagePlate->setVisible(false);
    messageText->setVisible(false);
}

void OXScnWatchBar::show(OXTextBox* box, std::string& shown, const std::string& text) {
    if (text != shown) {
        shown = text;
        box->setText(text);
    }
}

void OXScnWatchBar::follow(const ReplayWatch& watch, const ReplayDeck* deck) {
    const bool watching = deck != nullptr;
    for (IXTransformable* part :
         {static_cast<IXTransformable*>(band), static_cast<IXTransformable*>(speedText),
          static_cast<IXTransformable*>(timeText), static_cast<IXTransformable*>(markText),
          static_cast<IXTransformable*>(hintText)}) {
        part->setVisible(watching);
    }
    if (watching) {
        const std::string speed = watch.speedText();
        if (speed != shownSpeed) {
            const Colour& tint = deck->isPaused() ? kPausedTint : kSpeedTint;
            speedText->setColour(tint.r, tint.g, tint.b, tint.a);
        }
        show(speedText, shownSpeed, speed);
        show(timeText, shownTime, watch.timeText());
        show(markText, shownMark, watch.markText());
        show(hintText, shownHint, watch.hintText());
    }
    show(messageText, shownMessage, watch.message());
    messageText->setVisible(!shownMessage.empty());
    messagePlate->setVisible(!shownMessage.empty());

    seekShown = watching && deck->showsSeekProgress();
    for (IXTransformable* part :
         {static_cast<IXTransformable*>(darkField), static_cast<IXTransformable*>(seekFrame),
          static_cast<IXTransformable*>(seekFill), static_cast<IXTransformable*>(seekText)}) {
        part->setVisible(seekShown);
    }
    if (seekShown) {
        const float done = deck->seekProgress();
        const float width = kSeekBarWidth * (done < 0.0f ? 0.0f : done > 1.0f ? 1.0f : done);
        // The fill is centred on its position: half its width right of the bar's left end.
        seekFill->setScale(seekFillUnit.x * width, seekFillUnit.y, 1.0f);
        seekFill->setPosition(overlay::kFieldWidth * 0.5f - kSeekBarWidth * 0.5f + width * 0.5f, kSeekBarY,
                              1.5f);
    }
}
