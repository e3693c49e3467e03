#include "stg/game/overlays/OXScnBaseHUD.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/CXSoundManager.h"
#include "engine/BlendMode.h"
#include "engine/CXGfxManager.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXHealthBar.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/InputCodes.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/overlays/OverlayKit.h"

namespace {
constexpr Colour kCaption{0.55f, 0.85f, 1.0f, 0.8f};
constexpr Colour kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Colour kMultiplierTint{0.5f, 1.5f, 1.4f, 0.6f};
constexpr Colour kDamageTint{1.75f, 0.75f, 0.75f, 0.6f};
constexpr Colour kBeamShort{1.0f, 0.0f, 0.0f, 1.0f};  // below the counter-attack's minimum
constexpr Colour kTranceGold{1.6f, 1.3f, 0.5f, 1.0f};

constexpr float kGaugeCellWidth = 256.0f;  // units of the gauge sprites before scaling
constexpr float kGaugeScaleY = 0.5f;
constexpr float kThinGaugeScaleY = 0.35f;

// Cut-in sizes: the sprites are 512 x 128 (picture, band) and 256 x 128 (flare).
constexpr float kCutInPictureScale = 0.6f;
constexpr float kCutInFlashScale = 1.2f;
constexpr float kCutInGrowScale = 0.96f;
constexpr float kCutInBandScaleX = 0.75f;
constexpr float kCutInBandScaleY = 0.9f;

// The smallest HUD text: capitals 8 units tall, which is 8 pixels in a 640 x 480 window (the
// 480-unit field fills the window's height at the default screen scale).
constexpr int kSmallText = overlay::kSmallestTextSize;
constexpr float kWarningBlinkMs = 200.0f;
// The shield warning, a 256 x 64 plate, stands in the bottom row where the shield bar it
// replaces lies, never over the field: 77 units across.
constexpr float kWarningScale = 0.3f;
constexpr float kWarningX = 44.0f;
constexpr float kWarningY = 11.0f;
constexpr float kBonusFadeInMs = 1500.0f;
constexpr float kBonusHoldMs = 3000.0f;  // from the start of the fade-in
constexpr float kBonusFadeOutMs = 500.0f;
constexpr float kBonusY = 262.0f;  // the middle of the bonus band, below a boss at home
constexpr int kBonusTitleSize = overlay::kSmallestTextSize;
constexpr float kBonusPlateWidth = 327.68f;  // units: across the field...
constexpr float kBonusPlateHeight = 46.08f;  // ...46 units high
constexpr float kBonusPlateAlpha = 0.65f;
// The band stands while the cleared phase's items pour out and the boss flies home, then fades
// (by 1.6 s, before the next phase's first bullets come down to it); the text stays on.
constexpr float kBonusPlateFadeInMs = 250.0f;
constexpr float kBonusPlateMs = 1100.0f;
constexpr float kGroupFadeMs = 200.0f;
constexpr float kDimmedAlpha = 0.35f;
// The boss's row along the top edge, in place of the score captions while a boss fights, clear
// of the boss below: its name, its gauge from after the name to the phase timer, and the timer
// in larger figures.
constexpr float kBossRowY = 468.0f;           // the name's baseline
constexpr float kBossGaugeY = 469.0f;         // the gauge's bottom edge
constexpr float kBossGaugeHeight = 7.0f;      // units
constexpr float kBossFrameHeight = 12.0f;     // units
constexpr float kBossGaugeRight = 272.0f;     // the timer lies beyond
constexpr float kBossGaugeShortest = 100.0f;  // units; a longer name is cut to leave this
constexpr float kBossGaugeCell = 256.0f;      // pixels across its sprites
constexpr float kBossGaugeCellHeight = 16.0f;
constexpr int kPhaseTimerSize = 28;
// The phase's attack, in the smallest text beneath the top rows' right-hand end (under the phase
// timer), fading in as the phase starts: one line of glyphs, clear of the graze and chain figures
// on the left, covering less of the field than the gauge's row does.
constexpr float kAttackNameY = 410.0f;
constexpr float kAttackNameFadeMs = 600.0f;
constexpr float kAttackNameAlpha = 0.85f;
constexpr Colour kAttackNameTint{1.5f, 1.3f, 0.8f, 1.0f};
constexpr float kEdge = 6.0f;  // units between the HUD and the field's sides
constexpr Colour kTimerCalm{0.5f, 1.5f, 1.4f, 1.0f};
constexpr Colour kTimerHurry{1.5f, 1.5f, 0.5f, 1.0f};
constexpr Colour kTimerOut{1.5f, 0.5f, 0.5f, 1.0f};
constexpr Colour kReplayTint{1.6f, 0.55f, 0.45f, 1.0f};
constexpr float kLowEdge = 30.0f;       // ship y at or below which the bottom row dims
constexpr float kRightEdge = 290.0f;    // ship x at or beyond which the right-hand buttons dim
constexpr float kFadeScale = 0.65f;     // screen scales above this fade what the ship passes under
constexpr float kBottomDimmed = 0.25f;  // the bottom rows' alpha while the ship is under them
constexpr float kRightShown = 0.75f;
constexpr float kRightDimmed = 0.2f;
// The top rows: the captions and the high score along the top edge (the boss's row while a boss
// fights), the score under them on the left with the trance factor at the right, then the
// multiplier and the graze figures. Ten digits and their commas fill 156 units.
constexpr float kTopRowY = 468.0f;
constexpr float kScoreRowY = 452.0f;
constexpr float kScoreWidth = 160.0f;      // units the score may take, from the left edge
constexpr float kHighScoreWidth = 160.0f;  // units the high score may take, to the right edge
constexpr float kHighCaptionRight = 144.0f;
constexpr int kScoreSize = overlay::kSmallestTextSize;
constexpr int kHighScoreSize = overlay::kSmallestTextSize;
// The bottom rows' gauges start after their captions and end before the trance percent.
constexpr float kBeamGaugeLeft = 154.0f;
constexpr float kBeamGaugeLength = 160.0f;
constexpr float kBreakGaugeLeft = 160.0f;
constexpr float kBreakGaugeLength = 100.0f;
constexpr float kLifeScale = 0.35f;           // the life counter's 256 x 32 cells
constexpr float kPointerButtonScale = 0.36f;  // the 64 x 64 pointer buttons, 23 units across
constexpr float kInvertFlashMs = 250.0f;
constexpr float kShakeRange = 0.015f;
constexpr float kHighEdge = 410.0f;  // ship y at or above which the top rows dim

const std::string kWarningSound = "warning_WIP.caf";

// A sprite without its picture is left out of the display: it shrinks to nothing, whatever
// the HUD later does with its scale.
void leaveOutIfMissing(OXSprite& sprite, const char* path) {
    if (sprite.getTextureId() < 0) {
        std::printf("MISSING HUD SPRITE %s, LEFT OUT\n", path);
        sprite.setUniformScale(0.0f);
    }
}

void setTint(IXRenderObject& object, const Colour& tint) {
    object.setColour(tint.r, tint.g, tint.b, tint.a);
}
}  // namespace

OXScnBaseHUD::~OXScnBaseHUD() {
    // A game that ends during a trance must not leave the screen displaced.
    if (shownTrance) {
        CXGfxManager::instance().setShakeOffset(0.0f);
    }
}

void OXScnBaseHUD::formatScore(int64_t score, char* out, size_t capacity) {
    char digits[24];
    const int count =
        std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(std::max<int64_t>(score, 0)));
    const int total = std::max(count, 10);
    size_t written = 0;
    for (int i = 0; i < total && written + 1 < capacity; ++i) {
        if (i > 0 && (total - i) % 3 == 0 && written + 2 < capacity) {
            out[written++] = ',';
        }
        out[written++] = i < total - count ? '0' : digits[i - (total - count)];
    }
    if (capacity > 0) {
        out[std::min(written, capacity - 1)] = '\0';
    }
}

std::string OXScnBaseHUD::scoreLine(int64_t score) {
    char digits[40];
    formatScore(score, digits, sizeof digits);
    return std::string("SCORE ") + digits;
}

std::string OXScnBaseHUD::recordLine(int64_t score, int64_t record) {
    if (record == score) {
        return "NEW RECORD";
    }
    char digits[40];
    formatScore(record, digits, sizeof digits);
    return std::string("NEW RECORD ") + digits;
}

bool OXScnBaseHUD::dimsBottomRows(float screenScale, float shipY) {
    return screenScale > kFadeScale && shipY <= kLowEdge;
}

bool OXScnBaseHUD::dimsRightSide(float screenScale, float shipX) {
    return screenScale > kFadeScale && shipX >= kRightEdge;
}

int OXScnBaseHUD::fittingCharSize(int size, float width, size_t length) {
    // A character is half its size wide.
    const int fitting = length > 0 ? static_cast<int>(width * 2.0f / static_cast<float>(length)) : size;
    return std::max(1, std::min(size, fitting));
}

OXSprite* OXScnBaseHUD::sprite(const char* path, float x, float y, float scaleX, float scaleY, float alpha,
                               IXTransformable* group) {
    OXSprite* made = overlay::addSprite(*this, path, x, y, scaleX, scaleY, alpha);
    leaveOutIfMissing(*made, path);
    if (group) {
        made->setParent(group);
    }
    return made;
}

OXSprite* OXScnBaseHUD::blackFill(float x, float y, float width, float height, float alpha) {
    OXSprite* made = overlay::addBlackFill(*this, x, y, width, height, alpha);
    leaveOutIfMissing(*made, OXSprite::kFillSquare);
    return made;
}

OXTextBox* OXScnBaseHUD::text(const char* value, float x, float y, int charSize, int alignment,
                              const Colour& tint, IXTransformable* group) {
    OXTextBox* made = overlay::addText(*this, value, x, y, charSize, alignment, tint);
    if (!made->hasFont()) {
        std::printf("MISSING HUD FONT %s, TEXT \"%s\" LEFT OUT\n", overlay::kFont, value);
    }
    if (group) {
        made->setParent(group);
    }
    return made;
}

void OXScnBaseHUD::makeGauge(Gauge& gauge, const char* framePath, const char* fillPath, float left,
                             float length, float y, float alpha, IXTransformable* group) {
    const float scaleY = length < 100.0f ? kThinGaugeScaleY : kGaugeScaleY;
    gauge.left = left;
    gauge.length = length;
    gauge.y = y;
    gauge.frame = sprite(framePath, left + length * 0.5f, y, length / kGaugeCellWidth, scaleY, alpha, group);
    gauge.fill = sprite(fillPath, left, y, 0.0f, scaleY, alpha, group);
    setGauge(gauge, 0.0f);
}

void OXScnBaseHUD::setGauge(Gauge& gauge, float value) {
    const float shown = std::min(1.0f, std::max(0.0f, value));
    const float width = gauge.length * shown;  // units
    gauge.fill->setScale(width / kGaugeCellWidth, gauge.fill->getScale().y, 1.0f);
    gauge.fill->setX(gauge.left + width * 0.5f);
    gauge.fill->setVisible(shown > 0.0f);
}

OXButton* OXScnBaseHUD::pointerButton(const char* path, int id, float x, float y) {
    auto* button = new OXButton();
    button->load(path);
    button->setId(id);
    button->setDelegate(this);
    button->setPosition(x, y, 2.0f);
    button->setUniformScale(kPointerButtonScale);
    addObject(button);
    button->setParent(rightGroup);  // the group's alpha dims it; addObject made the scene its parent
    addSelectable(button);
    return button;
}

void OXScnBaseHUD::buildScene() {
    overlay::setupCamera(*this);
    // Invisible anchors whose alpha the rows follow, so a row can dim
    // when the ship flies beneath it.
    for (IXTransformable** group : {&topGroup, &bottomGroup, &bossGroup, &rightGroup}) {
        *group = new IXTransformable();
        (*group)->load("");
        addObject(*group);
        (*group)->setVisible(false);
    }
    rightGroup->setAlpha(kRightShown);

    // Under everything: the red glow of a hit and the beam warnings at the field's sides.
    redGlow = sprite("assets/plist/spr_red_glow", 160, 240, 3.0f, 4.0f, 0.0f, nullptr);
    redGlow->setVisible(false);
    for (int side = 0; side < 2; ++side) {
        beamWarnings[side] = sprite("assets/plist/spr_beam_warning", side == 0 ? 5.0f : 315.0f, 240, 4.0f,
                                    0.3f, 0.35f, nullptr);
        beamWarnings[side]->setRotation(0.0f, 0.0f, side == 0 ? 90.0f : -90.0f);
        beamWarnings[side]->setVisible(false);
    }

    // Top row: the score captions (the boss's row while a boss fights), the score and high score.
    scoreCaption = text("SCORE", kEdge, kTopRowY, kSmallText, 0, kCaption, topGroup);
    scoreText = text("0,000,000,000", kEdge, kScoreRowY, kScoreSize, 0, kWhite, topGroup);
    highScoreCaption = text("HI", kHighCaptionRight, kTopRowY, kSmallText, 2, kCaption, topGroup);
    highScoreText =
        text("0,000,000,000", 320 - kEdge, kTopRowY, kHighScoreSize, 2, {0.8f, 0.85f, 1.0f, 0.85f}, topGroup);

    // Second row: multiplier, graze chain, chain bonus, graze heat, trance factor.
    multiplierPlate = sprite("assets/plist/spr_HUD_multiplier_bg", 36, 435, 0.56f, 0.6f, 0.75f, topGroup);
    multiplierText = text("1.0x", 36, 430, kSmallText, 1, kMultiplierTint, topGroup);
    grazeText = text("0 GRAZED", 80, 437, kSmallText, 0, {0.5f, 1.2f, 1.6f, 0.8f}, topGroup);
    chainText = text("+0 PTS", 80, 425, kSmallText, 0, {1.2f, 1.2f, 1.6f, 0.9f}, topGroup);
    makeGauge(grazeGauge, "assets/plist/spr_gauge_frame", "assets/plist/spr_graze_bar", 80, 70, 420, 0.9f,
              topGroup);
    tranceFactorText =
        text("TM 1.00x", 320 - kEdge, kScoreRowY, kSmallText, 2, {0.75f, 0.75f, 0.75f, 0.9f}, topGroup);

    // Bottom rows: the ships left over the shield bar of the bombs left; the beam and break
    // gauges after their captions.
    lifeCounter = sprite("assets/plist/spr_player_life_counter", kEdge + 128 * kLifeScale, 27, kLifeScale,
                         kLifeScale, 1.0f, bottomGroup);
    makeGauge(shieldGauge, "assets/plist/spr_health_bar_bg", "assets/plist/spr_health_bar", kEdge, 64, 11,
              0.9f, bottomGroup);
    shieldGauge.frame->setAlpha(0.75f);
    text("BEAM", 100, 22, kSmallText, 0, kCaption, bottomGroup);
    makeGauge(beamGauge, "assets/plist/spr_beam_bar_bg", "assets/plist/spr_beam_bar", kBeamGaugeLeft,
              kBeamGaugeLength, 26, 0.75f, bottomGroup);
    beamBar = beamGauge.fill;
    setTint(*beamBar, kBeamShort);
    breakCaption = text("TRANCE", 84, 6, kSmallText, 0, kCaption, bottomGroup);
    makeGauge(breakGauge, "assets/plist/spr_break_bar_bg", "assets/plist/spr_break_bar", kBreakGaugeLeft,
              kBreakGaugeLength, 10, 0.9f, bottomGroup);
    breakBar = breakGauge.fill;
    breakBarTrance = sprite("assets/plist/spr_break_bar_break", kBreakGaugeLeft, 10, 0.0f, kGaugeScaleY, 0.9f,
                            bottomGroup);
    breakBarTrance->setVisible(false);
    breakText = text("0%", 320 - kEdge, 6, kSmallText, 2, kWhite, bottomGroup);

    // The shield warning, in the bottom row; the phase bonus over the field.
    warning = sprite("assets/plist/spr_health_warning", kWarningX, kWarningY, kWarningScale, kWarningScale,
                     1.0f, nullptr);
    warning->setVisible(false);
    warning->setActive(false);
    // The bonus first stands on a dark band across the field, so that the items a cleared phase
    // pours out pass beneath it, dimmed, and never hide it.
    bonusPlate = blackFill(160, kBonusY, kBonusPlateWidth, kBonusPlateHeight, 0.0f);
    bonusTitle =
        text("BONUS SUCCESSFUL", 160, kBonusY + 4.0f, kBonusTitleSize, 1, {0.5f, 1.5f, 1.3f, 1.0f}, nullptr);
    bonusAmount = text("10000000", 160, kBonusY - 15.0f, kSmallText, 1, kWhite, nullptr);
    for (IXRenderObject* part :
         {static_cast<IXRenderObject*>(bonusPlate), static_cast<IXRenderObject*>(bonusTitle),
          static_cast<IXRenderObject*>(bonusAmount)}) {
        part->setVisible(false);
        part->setActive(false);
    }

    // The boss's row: its name, health gauge and phase timer, shown while a boss fights. The
    // gauge's length follows the name (placeBossGauge).
    bossName = text("BOSS", kEdge, kBossRowY, kSmallText, 0, kWhite, bossGroup);
    bossGaugeFrame = sprite("assets/plist/spr_boss_hp_counter_bg", 160, kBossGaugeY + kBossGaugeHeight * 0.5f,
                            1.0f, kBossFrameHeight / kBossGaugeCellHeight, 0.55f, bossGroup);
    bossGauge = new OXHealthBar();
    bossGauge->load("assets/plist/spr_boss_hp_counter");
    bossGauge->setAlpha(0.8f);
    bossGauge->setParent(bossGroup);
    addObject(bossGauge);
    placeBossGauge();
    phaseTimerText = text("0", 320 - kEdge, kBossRowY - 2.0f, kPhaseTimerSize, 2, kTimerCalm, bossGroup);
    attackName = text("", 320 - kEdge, kAttackNameY, kSmallText, 2, kAttackNameTint, bossGroup);
    attackName->setVisible(false);
    for (IXRenderObject* part :
         {static_cast<IXRenderObject*>(bossName), static_cast<IXRenderObject*>(bossGaugeFrame),
          static_cast<IXRenderObject*>(bossGauge), static_cast<IXRenderObject*>(phaseTimerText)}) {
        part->setVisible(false);
    }

    // The trance cut-in, hidden until it plays.
    cutInBackground =
        sprite("assets/plist/spr_break_gfx_bg", 160, 240, kCutInBandScaleX, kCutInBandScaleY, 1.0f, nullptr);
    cutInBlur = sprite("assets/plist/spr_break_gfx_blur", 160, 240, 1.4f, 1.0f, 1.0f, nullptr);
    cutInPicture =
        sprite("assets/plist/spr_break_gfx", 160, 240, kCutInPictureScale, kCutInPictureScale, 1.0f, nullptr);
    cutInBlur->setBlendMode(BlendAdditive);
    for (OXSprite* part : {cutInBackground, cutInBlur, cutInPicture}) {
        part->setVisible(false);
        part->setActive(false);
    }

    // The pointer's buttons down the right-hand side: pause high up, bomb and counter-attack low.
    pointerButtons[PauseButton] = pointerButton("assets/plist/btn_HUD_pause", PauseButton, 303, 378);
    pointerButtons[BombButton] = pointerButton("assets/plist/btn_HUD_bomb", BombButton, 303, 72);
    pointerButtons[CounterButton] = pointerButton("assets/plist/btn_HUD_counter", CounterButton, 303, 100);
    showPointerButtons();  // hidden until the mouse is used

    // While a replay is watched: its marker and speed, right-aligned under the trance factor
    // (the pause button below is hidden then).
    replayText = text("REPLAY", 320 - kEdge, 420, kSmallText, 2, kReplayTint, topGroup);
    replayText->setVisible(false);

    // The bomb's flash: the whole screen inverted for a moment.
    invertSquare = sprite("assets/plist/spr_invert_square", 160, 240, 10.0f, 10.0f, 0.0f, nullptr);
    invertSquare->setBlendMode(BlendInverseMultiply);
    invertSquare->setVisible(false);
    invertSquare->setActive(false);

    // The loading cover, over everything until the stage starts.
    loadCover = blackFill(160, 240, overlay::kBackdropWidth, overlay::kBackdropHeight, 1.0f);
    loadLogo = sprite("assets/plist/spr_HUD_load_logo", 160, 240, 0.55f, 0.55f, 1.0f, nullptr);
}

void OXScnBaseHUD::update(float dtMs) {
    OXScene::update(dtMs);
    updateCounters();
    updateReplayMarker();
    updateShipValues();
    updateShield(dtMs);
    updateShake();
    updateWarning(dtMs);
    updateBonus(dtMs);
    updateBoss();
    updateGroups();
    // Last: the ship's break mode may start here.
    updateCutIn(dtMs);
}

void OXScnBaseHUD::updateReplayMarker() {
    const int speed = session.getWatchSpeed();
    if (speed == shownWatchSpeed) {
        return;
    }
    shownWatchSpeed = speed;
    char line[16];
    std::snprintf(line, sizeof line, speed > 1 ? "REPLAY x%d" : "REPLAY", speed);
    replayText->setText(line);
    replayText->setVisible(speed > 0);
    showPointerButtons();
}

void OXScnBaseHUD::setPointerInUse(bool inUse) {
    if (inUse != pointerInUse) {
        pointerInUse = inUse;
        showPointerButtons();
    }
}

void OXScnBaseHUD::showPointerButtons() {
    // Only for the mouse, and never in a watched game, which takes no input.
    const bool shown = pointerInUse && shownWatchSpeed == 0;
    for (OXButton* button : pointerButtons) {
        button->setVisible(shown);
    }
}

void OXScnBaseHUD::updateCounters() {
    const GameRun& run = session.run();
    char line[40];
    // A score past ten digits keeps every digit group and its place: the text narrows.
    if (run.score != shownScore) {
        shownScore = run.score;
        formatScore(shownScore, line, sizeof line);
        scoreText->setCharSize(fittingCharSize(kScoreSize, kScoreWidth, std::strlen(line)));
        scoreText->setText(line);
    }
    if (run.highScore != shownHighScore) {
        shownHighScore = run.highScore;
        formatScore(shownHighScore, line, sizeof line);
        highScoreText->setCharSize(fittingCharSize(kHighScoreSize, kHighScoreWidth, std::strlen(line)));
        highScoreText->setText(line);
    }
    // One frame per count of ships; none at all without a ship left.
    if (run.lives != shownLives) {
        shownLives = run.lives;
        lifeCounter->setVisible(shownLives >= 1);
        if (shownLives >= 1) {
            lifeCounter->setFrame(shownLives - 1);
        }
    }
    // A bomb used: the screen flashes inverted, as thinly as the stage's flash rule allows.
    if (run.bombs < shownBombs && session.getState() == CXGameSession::State::Playing) {
        OXScnBaseSTGBackground* background = session.getBackgroundScene();
        invertSquare->resetActions();
        invertSquare->setKeepAlive(false);
        invertSquare->fadeTo(kInvertFlashMs, background ? background->getFlashRule().veil(0.6f) : 0.0f, 0.0f);
    }
    shownBombs = run.bombs;
    if (run.tranceFactor != shownTranceFactor) {
        shownTranceFactor = run.tranceFactor;
        std::snprintf(line, sizeof line, "TM %1.2fx", static_cast<double>(shownTranceFactor));
        tranceFactorText->setText(line);
    }
}

void OXScnBaseHUD::updateShipValues() {
    OXSTGBasePlayer* ship = session.getShip();
    if (!ship) {
        return;
    }
    char line[40];
    if (ship->getTotalMultiplier() != shownMultiplier) {
        shownMultiplier = ship->getTotalMultiplier();
        std::snprintf(line, sizeof line, "%1.1fx", static_cast<double>(shownMultiplier));
        multiplierText->setText(line);
    }
    if (ship->getGrazeChain() != shownGrazeChain) {
        shownGrazeChain = ship->getGrazeChain();
        std::snprintf(line, sizeof line, "%d GRAZED", shownGrazeChain);
        grazeText->setText(line);
    }
    if (ship->bonusValue() != shownChainBonus) {
        shownChainBonus = ship->bonusValue();
        std::snprintf(line, sizeof line, "+%d PTS", shownChainBonus);
        chainText->setText(line);
    }
    setGauge(grazeGauge, ship->getGrazeHeat());

    // The beam bar is red while a counter-attack is not yet possible; at full charge the
    // field's sides show the beam warnings.
    setGauge(beamGauge, ship->getBeamGauge());
    const bool ready = ship->getBeamGauge() >= OXSTGBasePlayer::kCounterMinimum;
    if (ready != beamReady) {
        beamReady = ready;
        setTint(*beamBar, ready ? kWhite : kBeamShort);
    }
    const bool full = ship->getBeamGauge() >= 1.0f;
    for (OXSprite* side : beamWarnings) {
        side->setVisible(full);
    }
    // The break gauge, drawn with the trance's own fill while it runs.
    const bool trance = ship->isTranceActive();
    setGauge(breakGauge, ship->getBreakRatio());
    breakBarTrance->setScale(breakBar->getScale().x, breakBar->getScale().y, 1.0f);
    breakBarTrance->setX(breakBar->getX());
    breakBarTrance->setVisible(trance && breakBar->isVisible());
    breakBar->setVisible(!trance && breakBar->isVisible());
    const int percent = static_cast<int>(std::min(1.0f, std::max(0.0f, ship->getBreakRatio())) * 100.0f);
    if (percent != shownBreakPercent) {
        shownBreakPercent = percent;
        std::snprintf(line, sizeof line, "%d%%", percent);
        breakText->setText(line);
    }
    if (trance != shownTrance) {
        shownTrance = trance;
        setTint(*breakCaption, trance ? kTranceGold : kCaption);
        if (!trance) {
            CXGfxManager::instance().setShakeOffset(0.0f);
        }
    }

    // The shield: the warning blinks in the shield bar's place while it runs.
    const bool shield = ship->getShieldTimer() > 0.0f;
    if (shield && !shieldRunning) {
        startWarning();
    }
    shieldRunning = shield;
}

void OXScnBaseHUD::updateShield(float dtMs) {
    // While the shield runs the warning stands in for the bar; afterwards the bar comes back
    // from empty and rises to the bombs left.
    if (shieldRunning) {
        shieldShown = 0.0f;
        shieldGauge.frame->setVisible(false);
        shieldGauge.fill->setVisible(false);
        return;
    }
    const GameRun& run = session.run();
    const float target = run.startBombs > 0
                             ? std::min(1.0f, std::max(0.0f, static_cast<float>(run.bombs) /
                                                                 static_cast<float>(run.startBombs)))
                             : 0.0f;
    const float step = kShieldRisePerMs * dtMs;
    shieldShown = shieldShown < target ? std::min(target, shieldShown + step) : target;
    shieldGauge.frame->setVisible(true);
    setGauge(shieldGauge, shieldShown);
}

void OXScnBaseHUD::updateShake() {
    if (!shownTrance) {
        return;
    }
    // The screen trembles for as long as the trance runs, on the HUD's own numbers so that
    // the game's random sequence is left alone.
    shakeState ^= shakeState << 13;
    shakeState ^= shakeState >> 17;
    shakeState ^= shakeState << 5;
    const float fraction = static_cast<float>(shakeState % 100u) * 0.01f;
    CXGfxManager::instance().setShakeOffset(fraction * kShakeRange);
}

void OXScnBaseHUD::updateWarning(float dtMs) {
    if (!warning->isVisible()) {
        return;
    }
    if (!shieldRunning && warningBeeps <= 0) {
        warning->setVisible(false);
        warning->setActive(false);
        return;
    }
    // Each time the warning's 200 ms fade-in ends it starts again, with a beep while any remain.
    warningTimer -= dtMs;
    if (warningTimer > 0.0f) {
        return;
    }
    warningTimer += kWarningBlinkMs;
    warning->fadeTo(kWarningBlinkMs, 0.25f, 1.0f);
    if (warningBeeps > 0) {
        lastBeepVolume = static_cast<float>(warningBeeps) * 0.65f / kWarningBeeps;
        CXSoundManager::instance().playSound(kWarningSound, lastBeepVolume);
        --warningBeeps;
    }
}

void OXScnBaseHUD::startWarning() {
    warningBeeps = kWarningBeeps;
    warningTimer = 0.0f;
    warning->setVisible(true);
    warning->setActive(true);
}

void OXScnBaseHUD::updateBonus(float dtMs) {
    if (bonusHold <= 0.0f) {
        return;
    }
    bonusHold -= dtMs;
    // The band goes first, before the boss's next phase sends bullets down to it.
    if (bonusHold <= kBonusHoldMs - kBonusPlateMs && bonusPlate->isKeptAlive()) {
        bonusPlate->setKeepAlive(false);  // hidden again when the fade ends
        bonusPlate->fadeTo(kBonusFadeOutMs, bonusPlate->getAlpha(), 0.0f);
    }
    if (bonusHold > 0.0f) {
        return;
    }
    for (OXTextBox* box : {bonusTitle, bonusAmount}) {
        if (box->isVisible()) {
            box->setKeepAlive(false);
            box->fadeTo(kBonusFadeOutMs, box->getAlpha(), 0.0f);
        }
    }
}

void OXScnBaseHUD::updateBoss() {
    const OXScnBaseSTGGame* scene = session.getGameScene();
    const CXEnemyManager* enemies = scene ? scene->getEnemyManager() : nullptr;
    const OXBoss* boss = enemies ? enemies->currentBoss() : nullptr;
    const bool fighting =
        boss && boss->isActive() && boss->isVisible() && !boss->isDying() && boss->canFight();
    if (fighting && boss != namedBoss) {
        namedBoss = boss;
        showBossName(boss->getName());
    }
    // The boss's row takes the place of the captions and the high score.
    bossName->setVisible(fighting);
    scoreCaption->setVisible(!fighting);
    highScoreCaption->setVisible(!fighting);
    highScoreText->setVisible(!fighting);
    bossGaugeFrame->setVisible(fighting);
    bossGauge->setVisible(fighting);
    if (fighting) {
        const float most = boss->getMaxHitPoints();
        bossGauge->setFill(most > 0.0f ? boss->getHitPoints() / most : 0.0f);
    }
    updateAttackName(fighting ? &boss->getAttackName() : nullptr);
    const bool timed = fighting && phaseTimerWanted;
    phaseTimerText->setVisible(timed);
    if (!timed) {
        return;
    }
    const float seconds = boss->getPhaseTimer() * 0.001f;
    const int tint = seconds > 6.0f ? 0 : seconds > 0.0f ? 1 : 2;
    const int whole = static_cast<int>(seconds + 0.5f);
    if (whole != shownPhaseSeconds) {
        shownPhaseSeconds = whole;
        char line[16];
        std::snprintf(line, sizeof line, "%1.0f", static_cast<double>(seconds));
        phaseTimerText->setText(line);
    }
    if (tint != shownPhaseTint) {
        shownPhaseTint = tint;
        const Colour& shade = tint == 0 ? kTimerCalm : tint == 1 ? kTimerHurry : kTimerOut;
        phaseTimerText->setColour(shade.r, shade.g, shade.b, shade.a);
    }
}

void OXScnBaseHUD::updateAttackName(const std::string* name) {
    const bool named = name && !name->empty();
    if (named && name != shownAttack) {
        attackName->setText(*name);
        attackName->resetActions();  // which leaves it white: its own tint again
        attackName->setColour(kAttackNameTint.r, kAttackNameTint.g, kAttackNameTint.b, 0.0f);
        attackName->setKeepAlive(true);
        attackName->fadeTo(kAttackNameFadeMs, 0.0f, kAttackNameAlpha);
    }
    shownAttack = named ? name : nullptr;
    attackName->setVisible(named);
}

void OXScnBaseHUD::showBossName(const std::string& name) {
    // A name too long for the row is cut, leaving the gauge its shortest length.
    constexpr size_t kLongest =
        static_cast<size_t>((kBossGaugeRight - kBossGaugeShortest - 2.0f * kEdge) / (kSmallText * 0.5f));
    char line[kLongest + 1];
    std::snprintf(line, sizeof line, "%s", name.c_str());
    bossName->setText(line);
    placeBossGauge();
}

void OXScnBaseHUD::placeBossGauge() {
    const float left = kEdge + bossName->textWidth() + kEdge;
    const float length = kBossGaugeRight - left;  // units
    const float across = length / kBossGaugeCell;
    bossGaugeFrame->setX(left + length * 0.5f);
    bossGaugeFrame->setScale(across, kBossFrameHeight / kBossGaugeCellHeight, 1.0f);
    bossGauge->setPosition(left, kBossGaugeY, 1.0f);
    bossGauge->setUniformScale(across);
    bossGauge->setScale(bossGauge->getFill(), kBossGaugeHeight / (kBossGaugeCellHeight * across), 1.0f);
}

void OXScnBaseHUD::showBonus(bool success, float amount) {
    bonusTitle->setText(success ? "BONUS SUCCESSFUL" : "BONUS FAILED");
    bonusTitle->setKeepAlive(true);
    bonusTitle->fadeTo(kBonusFadeInMs, 0.0f, 0.75f);
    bonusPlate->setKeepAlive(true);
    bonusPlate->fadeTo(kBonusPlateFadeInMs, 0.0f, kBonusPlateAlpha);
    if (success) {
        char line[24];
        std::snprintf(line, sizeof line, "%1.0f", static_cast<double>(amount));
        bonusAmount->setText(line);
        bonusAmount->setKeepAlive(true);
        bonusAmount->fadeTo(kBonusFadeInMs, 0.0f, 0.75f);
    } else {
        bonusAmount->setVisible(false);
        bonusAmount->setActive(false);
    }
    bonusHold = kBonusHoldMs;
}

void OXScnBaseHUD::updateGroups() {
    const OXSTGBasePlayer* ship = session.getShip();
    const float screenScale = session.getScreenScale();
    const bool low = ship && dimsBottomRows(screenScale, ship->getY());
    const bool high = ship && screenScale > kFadeScale && ship->getY() >= kHighEdge;
    const bool right = ship && dimsRightSide(screenScale, ship->getX());
    struct Row {
        IXTransformable* group;
        bool& dimmed;
        bool wanted;
        float shownAlpha;
        float dimmedAlpha;
    } rows[] = {{bottomGroup, lowGroupDimmed, low, 1.0f, kBottomDimmed},
                {topGroup, highGroupDimmed, high, 1.0f, kDimmedAlpha},
                {bossGroup, bossGroupDimmed, high, 1.0f, kDimmedAlpha},
                {rightGroup, rightGroupDimmed, right, kRightShown, kRightDimmed}};
    for (Row& row : rows) {
        if (row.dimmed == row.wanted) {
            continue;
        }
        row.dimmed = row.wanted;
        row.group->fadeTo(kGroupFadeMs, row.group->getAlpha(), row.wanted ? row.dimmedAlpha : row.shownAlpha);
        row.group->setVisible(false);  // an anchor only: never drawn itself
    }
}

void OXScnBaseHUD::hideLoadCover() {
    loadCover->setKeepAlive(false);
    loadCover->fadeTo(kLoadCoverFadeMs, loadCover->getAlpha(), 0.0f);
    loadLogo->setKeepAlive(false);
    loadLogo->tintTo(kLoadCoverFadeMs, {1, 1, 1, 1}, {0.3f, 0.3f, 0.3f, 0.0f}, 1.0f, nullptr, nullptr);
}

void OXScnBaseHUD::showLoadCover() {
    for (OXSprite* part : {loadCover, loadLogo}) {
        part->resetActions();
        part->setColour(1, 1, 1, 1);
        part->setVisible(true);
        part->setActive(true);
    }
}

void OXScnBaseHUD::damageFlash(float durationMs) {
    multiplierText->tintTo(durationMs, kDamageTint, kMultiplierTint, 1.0f, nullptr, nullptr);
    // The field's edges glow red and fade with the flash.
    redGlow->resetActions();
    redGlow->setKeepAlive(false);
    redGlow->fadeTo(durationMs, 0.8f, 0.0f);
}

// The pointer buttons act through the session's key path, as input edges of their own (the
// pause button as the pause key), so a game's replay records them and plays them back.
void OXScnBaseHUD::buttonDown(int id) {
    if (id == CounterButton) {
        counterHoldSent = true;
        session.keyEvent(input::kCounterHold, true);
    }
}

void OXScnBaseHUD::buttonPressed(int id) {
    int code = -1;
    if (id == PauseButton) {
        code = overlay::currentBindings(session.profileValues()).pause;
    } else if (id == BombButton) {
        code = input::kBomb;
    } else if (id == CounterButton) {
        letGoCounterHold();
        code = input::kCounterRelease;
    }
    if (code >= 0) {
        session.keyEvent(code, true);
        session.keyEvent(code, false);
    }
}

void OXScnBaseHUD::pointerSettled() {
    // Dragged off the counter-attack button while held: the hold ends, and a release back on
    // the button still fires the counter-attack.
    if (counterHoldSent && pointerButtons[CounterButton]->getState() != OXButton::Pressed) {
        letGoCounterHold();
    }
}

void OXScnBaseHUD::letGoCounterHold() {
    if (counterHoldSent) {
        counterHoldSent = false;
        session.keyEvent(input::kCounterHold, false);
    }
}

void OXScnBaseHUD::startTranceCutIn(OXSTGBasePlayer& ship) {
    if (cutInTime >= 0.0f) {
        return;  // already playing
    }
    if (!active) {
        // Nothing would play the cut-in: start the trance at once rather
        // than leave the game frozen.
        ship.startBreak();
        return;
    }
    cutInTime = 0.0f;
    cutInStep = 0;
    for (OXSprite* part : {cutInBackground, cutInBlur, cutInPicture}) {
        part->resetActions();
        part->setColour(1, 1, 1, 1);
        part->setVisible(true);
        part->setActive(true);
    }
    cutInBackground->setScale(kCutInBandScaleX, kCutInBandScaleY, 1.0f);
    cutInPicture->setScale(kCutInFlashScale, kCutInFlashScale, 1.0f);
    cutInPicture->setColour(2.0f, 2.0f, 2.0f, 1.0f);
}

void OXScnBaseHUD::updateCutIn(float dtMs) {
    if (cutInTime < 0.0f) {
        return;
    }
    cutInTime += dtMs;
    if (cutInStep == 0 && cutInTime >= kCutInSettleMs) {
        // The picture slams in from its flash size while its colour settles.
        cutInStep = 1;
        cutInPicture->scaleTo(kCutInBreakMs - kCutInSettleMs, {kCutInFlashScale, kCutInFlashScale, 1.0f},
                              {kCutInPictureScale, kCutInPictureScale, 1.0f}, 1.0f);
        cutInPicture->tintTo(80.0f, {2.0f, 2.0f, 2.0f, 1.0f}, {1, 1, 1, 1}, 1.0f, nullptr, nullptr);
    }
    if (cutInStep == 1 && cutInTime >= kCutInBreakMs) {
        // The picture grows and fades, the band closes, and the trance begins.
        cutInStep = 2;
        const float stepMs = kCutInEndMs - kCutInBreakMs;
        cutInPicture->scaleTo(stepMs, {kCutInPictureScale, kCutInPictureScale, 1.0f},
                              {kCutInGrowScale, kCutInGrowScale, 1.0f}, 1.0f);
        cutInPicture->fadeTo(stepMs, 1.0f, 0.0f);
        cutInBlur->fadeTo(stepMs, 1.0f, 0.0f);
        cutInBackground->scaleTo(stepMs, {kCutInBandScaleX, kCutInBandScaleY, 1.0f},
                                 {0.001f, kCutInBandScaleY, 1.0f}, 1.0f);
        if (OXSTGBasePlayer* ship = session.getShip()) {
            ship->startBreak();
        }
    }
    if (cutInTime >= kCutInEndMs) {
        cutInTime = -1.0f;
        for (OXSprite* part : {cutInBackground, cutInBlur, cutInPicture}) {
            part->setVisible(false);
            part->setActive(false);
        }
    }
}
