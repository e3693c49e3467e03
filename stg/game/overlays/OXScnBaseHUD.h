#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/OXScene.h"
#include "stg/game/IXStageHud.h"

class CXGameSession;
class IXTransformable;
class OXButton;
class OXBoss;
class OXHealthBar;
class OXSprite;
class OXTextBox;

// The in-stage heads-up display: score, high score, multiplier, the ships
// left, the shield bar of the bombs left, the gauges, the loading cover, the
// damage flash, the bomb flash, the trance cut-in and three buttons for the
// pointer (pause, bomb, counter-attack). Every number is rewritten only when
// it changed; nothing is allocated after buildScene. A missing picture or font
// leaves its element out, with a line on the console.
class OXScnBaseHUD : public OXScene, public IXStageHud {
  public:
    // The session whose game it shows (it outlives the overlay).
    explicit OXScnBaseHUD(CXGameSession& owner) : session(owner) {}
    // Steps of the trance cut-in, by the milliseconds at which they begin.
    static constexpr float kCutInSettleMs = 60.0f;  // the picture squeezes in
    static constexpr float kCutInBreakMs = 160.0f;  // the ship's break mode starts
    static constexpr float kCutInEndMs = 310.0f;    // the sprites are hidden
    static constexpr float kLoadCoverFadeMs = 500.0f;
    static constexpr int kWarningBeeps = 12;
    static constexpr float kShieldRisePerMs = 0.0025f;  // of the whole shield bar
    enum ButtonId { PauseButton = 0, BombButton = 1, CounterButton = 2 };

    ~OXScnBaseHUD() override;

    void buildScene() override;
    void update(float dtMs) override;
    void buttonDown(int id) override;
    void buttonPressed(int id) override;
    // After each pointer event the session hands the HUD: a hold dragged off its button ends.
    void pointerSettled();
    // The stage has started: the loading cover fades out.
    void hideLoadCover();
    // A stage is loading: the cover is shown again.
    void showLoadCover();
    // Plays the trance cut-in; calls the ship's startBreak on its way (at once when the HUD
    // is not active, rather than leave the game frozen).
    void startTranceCutIn(OXSTGBasePlayer& ship) override;
    // The multiplier text flashes red and returns to its tint over `durationMs`.
    void damageFlash(float durationMs) override;
    // The boss phase bonus result.
    void showBonus(bool success, float amount) override;
    // The boss phase timer is shown while the boss fights a timed phase.
    void showPhaseTimer(bool shown) override { phaseTimerWanted = shown; }
    // The shield warning: a blinking caption and 12 fading beeps.
    void startWarning();
    // Whether the mouse is what the player used last: the pointer's buttons show only then
    // (and never while a replay is watched). Hidden until told otherwise.
    void setPointerInUse(bool inUse);

    // ---- For tests and tools ----
    const OXTextBox* getScoreText() const { return scoreText; }
    const OXTextBox* getHighScoreText() const { return highScoreText; }
    const OXTextBox* getMultiplierText() const { return multiplierText; }
    const OXTextBox* getGrazeText() const { return grazeText; }
    const OXTextBox* getChainText() const { return chainText; }
    const OXTextBox* getTranceFactorText() const { return tranceFactorText; }
    const OXSprite* getLifeCounter() const { return lifeCounter; }
    const OXSprite* getShieldBar() const { return shieldGauge.fill; }
    float getShieldShown() const { return shieldShown; }
    const OXTextBox* getBreakText() const { return breakText; }
    const OXSprite* getWarning() const { return warning; }
    const OXSprite* getRedGlow() const { return redGlow; }
    const OXSprite* getInvertSquare() const { return invertSquare; }
    const OXSprite* getBeamWarning(int side) const { return beamWarnings[side]; }
    const OXButton* getButton(int id) const { return pointerButtons[id]; }
    const OXTextBox* getReplayMarker() const { return replayText; }
    // How much of the bottom rows and of the right-hand buttons shows (1, or less while the
    // ship flies under them).
    float getBottomAlpha() const { return bottomGroup->getAlpha(); }
    float getRightAlpha() const { return rightGroup->getAlpha(); }
    const OXTextBox* getBonusTitle() const { return bonusTitle; }
    const OXHealthBar* getBossGauge() const { return bossGauge; }
    const OXSprite* getBossGaugeFrame() const { return bossGaugeFrame; }
    const OXTextBox* getPhaseTimerText() const { return phaseTimerText; }
    const OXTextBox* getBossName() const { return bossName; }
    // The attack of the boss's phase, shown while the phase runs.
    const OXTextBox* getAttackName() const { return attackName; }
    // How much of the boss gauge and timer shows (1 normally; less while the ship flies under).
    float getBossRowAlpha() const { return bossGroup->getAlpha(); }
    const OXTextBox* getBonusAmount() const { return bonusAmount; }
    const OXSprite* getBeamBar() const { return beamBar; }
    const OXSprite* getBreakBar() const { return breakBar; }
    bool isCutInPlaying() const { return cutInTime >= 0.0f; }
    int getWarningBeepsLeft() const { return warningBeeps; }
    float getLastBeepVolume() const { return lastBeepVolume; }

    // "0,000,001,234": at least ten digits with a comma every three.
    static void formatScore(int64_t score, char* out, size_t capacity);
    // The game's end says its score the same way everywhere: "SCORE 0,000,001,234", and
    // "NEW RECORD", with the record's score when it is not that score (a record set before a
    // continue reset the score).
    static std::string scoreLine(int64_t score);
    static std::string recordLine(int64_t score, int64_t record);
    // Whether the bottom rows, and the right-hand buttons, fade for a ship at (shipX, shipY)
    // on the field under the player's screen scale setting.
    static bool dimsBottomRows(float screenScale, float shipY);
    static bool dimsRightSide(float screenScale, float shipX);
    // The character size that keeps `length` characters within `width` units, at most `size`.
    static int fittingCharSize(int size, float width, size_t length);

  private:
    CXGameSession& session;
    // A gauge: its trough and its fill, `length` units long from `left`.
    struct Gauge {
        OXSprite* frame = nullptr;  // owned through objects
        OXSprite* fill = nullptr;   // owned through objects
        float left = 0.0f;          // units
        float length = 0.0f;        // units
        float y = 0.0f;             // units
    };

    OXSprite* sprite(const char* path, float x, float y, float scaleX, float scaleY, float alpha,
                     IXTransformable* group);
    // A flat black rectangle, `width` x `height` units centred at (x, y).
    OXSprite* blackFill(float x, float y, float width, float height, float alpha);
    OXTextBox* text(const char* value, float x, float y, int charSize, int alignment, const Colour& tint,
                    IXTransformable* group);
    void makeGauge(Gauge& gauge, const char* framePath, const char* fillPath, float left, float length,
                   float y, float alpha, IXTransformable* group);
    OXButton* pointerButton(const char* path, int id, float x, float y);
    static void setGauge(Gauge& gauge, float value);
    void updateCounters();
    void updateShipValues();
    void updateCutIn(float dtMs);
    void updateWarning(float dtMs);
    void updateBonus(float dtMs);
    void updateBoss();
    void updateGroups();
    void updateShield(float dtMs);
    void letGoCounterHold();
    // The replay marker follows the session's watch speed.
    void updateReplayMarker();
    void updateShake();
    void showPointerButtons();
    // The boss's name in its row, and the gauge laid out after it.
    void showBossName(const std::string& name);
    void placeBossGauge();
    // The attack `name` of the phase being fought (null or empty: none) is shown, fading in when
    // it is new.
    void updateAttackName(const std::string* name);

    IXTransformable* topGroup = nullptr;     // owned through objects; dims the top row
    IXTransformable* bottomGroup = nullptr;  // owned through objects; dims the bottom row
    IXTransformable* bossGroup = nullptr;    // owned through objects; dims the boss gauge and timer
    IXTransformable* rightGroup = nullptr;   // owned through objects; dims the pointer buttons

    OXTextBox* scoreCaption = nullptr;  // all owned through objects
    OXTextBox* highScoreCaption = nullptr;
    OXTextBox* scoreText = nullptr;
    OXTextBox* highScoreText = nullptr;
    OXSprite* multiplierPlate = nullptr;
    OXTextBox* multiplierText = nullptr;
    OXTextBox* grazeText = nullptr;
    OXTextBox* chainText = nullptr;
    OXTextBox* tranceFactorText = nullptr;
    Gauge grazeGauge;
    OXSprite* redGlow = nullptr;
    OXSprite* beamWarnings[2] = {};
    OXSprite* lifeCounter = nullptr;
    Gauge shieldGauge;
    OXSprite* warning = nullptr;
    OXSprite* invertSquare = nullptr;
    OXButton* pointerButtons[3] = {};
    Gauge beamGauge;
    Gauge breakGauge;
    OXSprite* breakBar = nullptr;  // the break fill, swapped with the trance fill
    OXSprite* breakBarTrance = nullptr;
    OXSprite* beamBar = nullptr;
    OXTextBox* breakText = nullptr;
    OXTextBox* breakCaption = nullptr;
    OXSprite* bonusPlate = nullptr;
    OXTextBox* bonusTitle = nullptr;
    OXTextBox* bonusAmount = nullptr;
    OXSprite* bossGaugeFrame = nullptr;
    OXHealthBar* bossGauge = nullptr;
    OXTextBox* phaseTimerText = nullptr;
    OXTextBox* bossName = nullptr;
    OXTextBox* attackName = nullptr;
    OXTextBox* replayText = nullptr;  // "REPLAY x2" while a replay is watched
    OXSprite* cutInBackground = nullptr;
    OXSprite* cutInBlur = nullptr;
    OXSprite* cutInPicture = nullptr;
    OXSprite* loadCover = nullptr;
    OXSprite* loadLogo = nullptr;

    // The values shown, so texts are rebuilt only when they change.
    int64_t shownScore = -1;
    int64_t shownHighScore = -1;
    int shownLives = -1;
    int shownBombs = -1;
    float shownMultiplier = -1.0f;
    int shownGrazeChain = -1;
    int shownChainBonus = -1;
    float shownTranceFactor = -1.0f;
    int shownBreakPercent = -1;
    bool shownTrance = false;
    bool beamReady = false;  // the beam bar is white (counter-attack possible)

    float cutInTime = -1.0f;  // ms since the cut-in began, -1 when idle
    int cutInStep = 0;        // 0 flash, 1 settling, 2 break started
    bool shieldRunning = false;
    float shieldShown = 0.0f;  // the shield bar's displayed value, 0 to 1
    int shownWatchSpeed = 0;
    bool counterHoldSent = false;       // the counter-attack button's hold edge went down
    uint32_t shakeState = 0x2545f491u;  // the trance shake's own numbers, apart from the game's
    int warningBeeps = 0;
    float warningTimer = 0.0f;  // ms to the next beep
    float lastBeepVolume = 0.0f;
    float bonusHold = 0.0f;  // ms the bonus stays before fading out
    bool phaseTimerWanted = false;
    const OXBoss* namedBoss = nullptr;         // the boss whose name the row shows; not owned
    const std::string* shownAttack = nullptr;  // the phase's attack name shown, in the boss; not owned
    bool pointerInUse = false;
    int shownPhaseSeconds = -1;
    int shownPhaseTint = -1;  // 0 calm, 1 hurry, 2 out
    bool lowGroupDimmed = false;
    bool rightGroupDimmed = false;
    bool highGroupDimmed = false;
    bool bossGroupDimmed = false;
};
