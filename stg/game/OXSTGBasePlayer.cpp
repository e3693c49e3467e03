#include "stg/game/OXSTGBasePlayer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/OXTextBox.h"
#include "stg/enemy/OXBossModule.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/game/OXOption.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

namespace {

const std::vector<int> kNoLaunchers;
const std::string kPlistFolder = "assets/plist/";
const std::string kLabelFont = "assets/plist/fnt_novo_white";

constexpr int kPlayerSide = 1;  // owner kind of the ship's own shots
constexpr int kMaxOptionPairs = 3;
constexpr float kCoreScale = 1.5f;  // the core sprite shows at 1.5 x "scale"
constexpr float kFollow = 0.85f;    // share of the way to the target closed each frame
constexpr float kVelocityDivisor = 34.0f;
constexpr float kFieldLimit = 900.0f;  // units either way
constexpr float kTrailFollow = 0.5f;

// Break gauge and trance.
constexpr float kGrazeBreak = 4.15f;
constexpr float kCasualBreakFill = 0.0125f;  // per ms
constexpr float kBreakDrain = 0.12f;         // per ms
constexpr float kTranceIdle = 100.0f;        // ms, the countdown at rest
constexpr float kTranceWaiting = 100000.0f;  // ms, the countdown while the cut-in plays
constexpr float kCutInGraceMs = 2000.0f;     // play time without a cut-in before the trance starts anyway
constexpr float kTranceTimeScaleMs = 10000.0f;
constexpr float kStartBreakTimeScale = 0.15f;
constexpr float kStartBreakTimeScaleMs = 10.0f;
constexpr float kShockRingMs = 750.0f;
constexpr float kBreakCircleCloseMs = 50.0f;
constexpr float kBreakCirclePulseMs = 60.0f;
constexpr float kBreakCircleStart = 8.0f;
constexpr float kBreakCircleSmallest = 2.5f;
constexpr float kBreakEndTintMs = 1000.0f;
const Colour kBreakEndTint{2.0f, 1.5f, 1.25f, 1.0f};

// Beam gauge and counter-attack.
constexpr float kCounterMsPerGauge = 2500.0f;
constexpr float kCounterRingMs = 500.0f;
constexpr float kBeamPulseEveryMs = 400.0f;
constexpr float kChargePulseMs = 300.0f;
constexpr float kChargePulseLow = 0.5f;
constexpr float kLaserRingMs = 500.0f;
constexpr float kLaserHoldMs = 80.0f;
constexpr float kLaserWarningMs = 180.0f;

// Hits, bombs, shield.
constexpr float kBreakHitInvulnerability = 1000.0f;
constexpr float kBreakHitShakeMs = 1000.0f;
constexpr float kBombInvulnerability = 2000.0f;
constexpr float kShieldCasualMs = 1900.0f;
constexpr float kShieldNormalMs = 4000.0f;
constexpr float kBombFlashMs = 500.0f;
constexpr float kHitGraceMs = 1500.0f;
constexpr float kHitFlashMs = 1500.0f;
constexpr float kBombMs = 600.0f;
constexpr float kBombAbove = 10.0f;
constexpr float kTranceBreakModulesMs = 750.0f;
constexpr float kBreakEndShakeMs = 100.0f;
constexpr float kCameraShakeAmplitude = 80.0f;

// Life.
const Vec3 kStartPoint{170.0f, -100.0f, 10.0f};
const Vec3 kSlideIn{-10.0f, 430.0f, 0.0f};
const Vec3 kFlyIn{-10.0f, 450.0f, 0.0f};
constexpr float kSlideInMs = 750.0f;
constexpr float kFlyInMs = 500.0f;
constexpr float kEntranceEasing = 2.0f;  // fast launch, gentle arrival
constexpr float kSettleMs = 650.0f;
constexpr float kSpawnInvulnerability = 3400.0f;
constexpr float kReadyInvulnerability = 2000.0f;
constexpr float kNoBombShieldMs = 4000.0f;
constexpr float kWarningFlashMs = 500.0f;
constexpr float kShootModulesFadeMs = 100.0f;
constexpr float kDistortionFadeMs = 500.0f;
constexpr float kDeathZ = 600.0f;
constexpr float kDeathEndZ = 400.0f;
constexpr float kDeathMoveMs = 200.0f;
constexpr float kHitModulesFadeMs = 200.0f;
constexpr int kEngineTrailFrame = 94;
constexpr float kEngineTrailWidth = 16.0f;

// Score.
constexpr float kMinMultiplier = 1.0f;
constexpr float kMaxMultiplier = 9999.99f;
constexpr float kMultiplierRates[4] = {0.4f, 0.6f, 0.8f, 1.0f};
constexpr int kMaxChainBonus = 9999999;
constexpr int kChainStep = 16;
constexpr int kMaxGrazeChain = 99999999;
constexpr float kGrazeHeatStep = 0.75f;
constexpr float kGrazeHeatCooling = 0.0005f;  // per ms
constexpr float kPointsLimit = 1.0e30f;       // beyond this a score change is not a number of points

// Markers and labels.
constexpr float kShieldLoadScale = 0.55f;
constexpr float kShieldShownScale = 0.75f;
constexpr float kShieldStartScale = 1.1f;
constexpr float kShieldBlinkMs = 80.0f;
constexpr float kBreakIndicatorScale = 0.9f;
constexpr float kBreakIndicatorSpin = 0.09f;  // degrees per ms
constexpr float kAimScale = 0.5f;
constexpr float kAimAhead = 96.0f;  // units
constexpr float kAimAnimSpin = 0.18f;
const Colour kAimReady{1.0f, 1.0f, 1.0f, 1.0f};
const Colour kAimEmpty{1.5f, 0.5f, 0.5f, 1.0f};
// Glyphs 8 units high: readable beside a fighter 27 units tall on the 480-unit field.
constexpr int kLabelCharSize = 16;
constexpr float kGaugeLabelSide = 50.0f;   // units left and right of the ship
constexpr float kGaugeLabelBelow = 12.0f;  // units
const Colour kCharging{0.4f, 0.4f, 0.4f, 1.0f};
const Colour kReady{1.0f, 2.0f, 1.75f, 1.0f};
const Colour kBreakPercent{0.85f, 0.85f, 0.85f, 1.0f};
constexpr float kChainLabelSide = 24.0f;
constexpr float kChainLabelBelow = 10.0f;
constexpr float kChainLabelFlipX = 240.0f;
constexpr float kChainPopScale = 1.15f;
constexpr float kChainPopMs = 150.0f;
constexpr float kChainFadeMs = 1200.0f;
constexpr float kChainFadeEasing = 0.3f;  // holds, then drops
constexpr float kDistortionStep = 0.025f;
constexpr float kDistortionAlpha = 0.6f;
constexpr float kBankSpeed = 1.0f;  // units per frame sideways that bank the fighter

// The core sprite's frames (spr_senko_type_a).
enum CoreFrame { LevelFrame = 0, BankLeftFrame = 1, BankRightFrame = 2, BoostFrame = 3 };

// A score as a float, added to and stored back without running past the int64 range.
int64_t saturatedScore(float value, int64_t previous) {
    constexpr float kTop = static_cast<float>(INT64_MAX);  // 2^63
    if (std::isnan(value)) {
        return previous;
    }
    if (value >= kTop) {
        return INT64_MAX;
    }
    if (value <= -kTop) {
        return INT64_MIN;
    }
    return static_cast<int64_t>(value);
}

int saturatedInt(double value) {
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// Space-separated integers of a content string; anything else is reported and skipped.
std::vector<int> indexList(const std::string& text, const char* key) {
    std::vector<int> indices;
    const char* cursor = text.c_str();
    while (*cursor != '\0') {
        while (*cursor == ' ' || *cursor == '\t') {
            ++cursor;
        }
        if (*cursor == '\0') {
            break;
        }
        char* end = nullptr;
        const long value = std::strtol(cursor, &end, 10);
        const bool endsHere = end && (*end == '\0' || *end == ' ' || *end == '\t');
        if (end == cursor || !endsHere) {
            const char* tokenEnd = cursor;
            while (*tokenEnd != '\0' && *tokenEnd != ' ' && *tokenEnd != '\t') {
                ++tokenEnd;
            }
            std::printf("SHIP: \"%.*s\" IN \"%s\" IS NOT AN INDEX\n", static_cast<int>(tokenEnd - cursor),
                        cursor, key);
            cursor = tokenEnd;
            continue;
        }
        if (value >= 0 && value <= INT_MAX) {
            indices.push_back(static_cast<int>(value));
        }
        cursor = end;
    }
    return indices;
}

std::vector<int> readIndexList(const Plist::Dictionary& definition, const char* key) {
    return indexList(Plist::textOf(definition, key), key);
}

Vec3 readVec(const Plist::Dictionary& entry, const char* x, const char* y, const char* z) {
    return {Plist::floatOr(entry, x, 0.0f), Plist::floatOr(entry, y, 0.0f), Plist::floatOr(entry, z, 0.0f)};
}

Vec3 clampedToward(const Vec3& from, const Vec3& target, float share, const Vec3& bound) {
    Vec3 at = from + (target - from) * share;
    at.x = std::clamp(at.x, target.x - bound.x, target.x + bound.x);
    at.y = std::clamp(at.y, target.y - bound.y, target.y + bound.y);
    at.z = std::clamp(at.z, target.z - bound.z, target.z + bound.z);
    return at;
}

}  // namespace

// ---------------------------------------------------------------------------
// The ship's parts.

// A sprite riding on the ship: it trails its anchor by its bound strength per
// frame, never further than its bound, and takes the ship's scale, heading
// and, for an exhaust, a flicker. The ship's state lists switch it on (for a
// time or until switched off) and off.
class OXSTGBasePlayer::Module : public OXBossModule {
  public:
    bool setUp(const Plist::Dictionary& entry, const OXSTGBasePlayer& ship) {
        const std::string& sprite = Plist::textOf(entry, "sprite");
        if (sprite.empty()) {
            return false;
        }
        const std::string path = kPlistFolder + sprite;
        load(path);
        Plist::Dictionary spriteKeys;
        Plist::loadContent(path + ".plist", spriteKeys);
        internalScale = readVec(spriteKeys, "internal scale x", "internal scale y", "internal scale z");
        carrier = &ship;
        anchor = readVec(entry, "anchor x", "anchor y", "anchor z");
        bound = readVec(entry, "bound x", "bound y", "bound z");
        // A missing "bound strength" reads as 0 (the part stays where it was put), as it always has.
        Plist::read(entry, "bound strength", followFactor, 0.0f);
        setBlendMode(Plist::boolOr(entry, "is glow", false) ? BlendAdditive : BlendPremultiplied);
        Plist::read(entry, "is exhaust", exhaust, false);
        play();
        visible = active = false;
        return true;
    }

    // Shown now (fading in over `fadeInMs`) for `forMs`, or until switched off when negative.
    void switchOn(float forMs, float fadeInMs) {
        resetActions();
        onTimeLeft = forMs;
        on = true;
        visible = active = true;
        if (fadeInMs > 0.0f) {
            fadeTo(fadeInMs, 0.0f, 1.0f);
        }
    }
    void switchOff() {
        resetActions();
        on = false;
        pulseFactor = 1.0f;
        visible = active = false;
    }
    void fadeOut(float ms) {
        if (!visible) {
            return;
        }
        on = false;
        setKeepAlive(false);
        fadeTo(ms, colour.a, 0.0f);
    }
    void setPulseFactor(float value) { pulseFactor = value; }
    bool isOn() const { return on && visible; }
    float anchorZ() const { return anchor.z; }

    // Follows the ship placed at `at` with heading `heading`, stretched by `stretch`.
    void follow(const Vec3& at, float heading, const Vec3& stretch, float shipScale, bool snap) {
        const Vec3 target = at + shotmath::turned(anchor * stretch.x, -heading);
        position = snap ? target : clampedToward(position, target, followFactor, bound);
        rotation.z = -heading;
        const float s = shipScale * pulseFactor;
        if (exhaust) {
            const float f = 1.0f + 0.3f * shotmath::randomFraction();
            scale = {s * stretch.y * f * internalScale.x, s * stretch.y * f * internalScale.y,
                     s * internalScale.z};
            position.y -= size.y * scale.y * (f - 1.0f) * 0.2f;
            if (timers[Fade] <= 0.0f) {
                colour.a = 1.0f - (f - 1.0f) * 0.4f;
            }
        } else {
            scale = {s * stretch.x * internalScale.x, s * stretch.y * internalScale.y,
                     s * stretch.z * internalScale.z};
        }
    }

    void advance(float dtMs) {
        if (!active) {
            return;
        }
        if (on && onTimeLeft >= 0.0f) {
            onTimeLeft -= dtMs;
            if (onTimeLeft <= 0.0f) {
                switchOff();
                return;
            }
        }
        OXSprite::tick(dtMs);
    }

  private:
    Vec3 internalScale{1.0f, 1.0f, 1.0f};
    bool exhaust = false;
    bool on = false;
    float onTimeLeft = -1.0f;  // ms; negative: until switched off
    float pulseFactor = 1.0f;
};

// The anchor an engine trail follows.
struct OXSTGBasePlayer::TrailPoint {
    IXRenderObject point;
    Vec3 anchor{};
    Vec3 bound{};
    int frame = 0;
    float width = 0.0f;  // no trail when 0
    bool attached = false;
};

// A particle effect riding on the ship at an offset turned with its heading.
struct OXSTGBasePlayer::AttachedEffect {
    std::string file;
    Vec3 offset{};
    bool predraw = false;
    IXRenderObject anchor;
    IXRenderObject* handle = nullptr;  // of the effects, not owned
};

// ---------------------------------------------------------------------------

OXSTGBasePlayer::OXSTGBasePlayer()
    : activeMain(&kNoLaunchers),
      activeSecondary(&kNoLaunchers),
      activeMainBreak(&kNoLaunchers),
      activeSecondaryBreak(&kNoLaunchers) {
    setOwnerKind(kPlayerSide);
}

OXSTGBasePlayer::~OXSTGBasePlayer() = default;

// ---- Loading ----

void OXSTGBasePlayer::createParts(const Plist::Dictionary& definition) {
    OXLauncherPlatform::createParts(definition);
    setOwnerKind(kPlayerSide);
    setRunsSpriteTick(true);
    if (hitPoints <= 0.0f) {
        std::printf("SHIP HAS NO HIT POINTS, USING 1\n");
        hitPoints = maxHitPoints = previousHitPoints = 1.0f;
    }
    IXShotEffects* fx = world ? world->effects() : nullptr;

    // A definition without "scale" reads as 0, as it always has; every ship in the package has one.
    Plist::read(definition, "scale", shipScale, 0.0f);
    coreSprite = makeSprite(Plist::textOf(definition, "core sprite"), BlendPremultiplied);

    attachedEffects.clear();
    for (int i = 0;; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "effect %d", i);
        const Plist::Dictionary* found = Plist::findDict(definition, key);
        if (found == nullptr) {
            break;
        }
        const Plist::Dictionary& entry = *found;
        const std::string& file = Plist::textOf(entry, "effect file");
        if (file.empty()) {
            continue;
        }
        auto effect = std::make_unique<AttachedEffect>();
        effect->file = file;
        effect->offset = readVec(entry, "offset x", "offset y", "offset z");
        Plist::read(entry, "is predraw", effect->predraw, false);
        effect->anchor.load("");
        if (fx) {
            fx->preloadEffect(file);
        }
        attachedEffects.push_back(std::move(effect));
    }

    readModules(definition);
    readTrail(definition, "left trail", 0);
    readTrail(definition, "right trail", 1);
    readTrail(definition, "core trail", 2);
    trailPoints[3] = std::make_unique<TrailPoint>();
    trailPoints[3]->point.load("");
    trailPoints[3]->frame = kEngineTrailFrame;
    trailPoints[3]->width = kEngineTrailWidth;

    baseModules = readIndexList(definition, "base modules");
    flightModules = readIndexList(definition, "flight effect");
    shootModules = readIndexList(definition, "shoot effect");
    hitModules = readIndexList(definition, "hit effect");
    breakStartModules = readIndexList(definition, "break start effect");
    breakModules = readIndexList(definition, "break effect");
    chargeModules = readIndexList(definition, "charge effect");
    chargeFullModules = readIndexList(definition, "charge full effect");
    tranceBreakModules = readIndexList(definition, "trance break effect");
    for (auto* names : {&weaponModuleNames, &missileModuleNames}) {
        names->clear();
        const char* key = names == &weaponModuleNames ? "wpn modules" : "missile modules";
        if (const Plist::Array* list = Plist::findArray(definition, key)) {
            for (const Plist::Value& value : *list) {
                if (const std::string* name = Plist::asString(value)) {
                    names->push_back(*name);
                }
            }
        }
    }

    readLevelLists(definition, " launchers", levelMain);
    readLevelLists(definition, " beam launchers", levelSecondary);
    std::printf("BREAK LAUNCHER STRINGS COUNT %d\n", static_cast<int>(levelSecondary.size()));
    readLevelLists(definition, " launchers break", levelMainBreak);
    std::printf("BREAK LAUNCHER STRINGS COUNT %d\n", static_cast<int>(levelMainBreak.size()));
    readLevelLists(definition, " beam launchers break", levelSecondaryBreak);
    std::printf("BREAK BEAM LAUNCHER STRINGS COUNT %d\n", static_cast<int>(levelSecondaryBreak.size()));
    activeMain = activeSecondary = activeMainBreak = activeSecondaryBreak = &kNoLaunchers;

    counterNormalList = readIndexList(definition, "counter normal launchers");
    counterBeamList = readIndexList(definition, "counter beam launchers");
    counterBeamBreakList = readIndexList(definition, "counter beam launchers break");
    laserList = readIndexList(definition, "classic laser launchers");
    laserBreakList = readIndexList(definition, "classic laser launchers break");
    optionFlightNormal = Plist::intOr(definition, "option flight normal", 0);
    optionFlightBeam = Plist::intOr(definition, "option flight beam", 0);
    optionTrackNormal = Plist::intOr(definition, "option track normal", 0);
    optionTrackBeam = Plist::intOr(definition, "option track beam", 0);
    distortionField = makeSprite(Plist::textOf(definition, "distortion field"), BlendMultiply);
    expLevels = Plist::textOf(definition, "exp levels");
    warningCircle = makeSprite(Plist::textOf(definition, "warning circle"), BlendAdditive);
    breakCircle = makeSprite(Plist::textOf(definition, "break circle"), BlendAdditive);
    breakField = makeSprite(Plist::textOf(definition, "break field"), BlendAdditive);

    createFixedSprites();
    createOptions(definition);

    CXGameSession& session = CXGameSession::instance();
    setWeaponLevel(session.getWeaponLevel());
    setMissileLevel(session.getMissileLevel());
    const int difficulty = std::clamp(session.getDifficulty(), 0, 3);
    multiplierRate = kMultiplierRates[difficulty];
    scoreFactor = 1.0f;
    tranceCountdown = kTranceIdle;
    score = session.getScore();
    launcherFiringTime.assign(static_cast<size_t>(launcherCount()), -1.0f);
    labelText.reserve(32);
    // A missing or unreadable ship file leaves a ship without weapons: the stage refuses to start.
    loaded = !definition.empty();
}

std::unique_ptr<OXSprite> OXSTGBasePlayer::makeSprite(const std::string& name, int blend) const {
    if (name.empty()) {
        return nullptr;
    }
    auto sprite = std::make_unique<OXSprite>();
    sprite->load(kPlistFolder + name);
    sprite->setBlendMode(blend);
    sprite->setVisible(false);
    sprite->setActive(false);
    return sprite;
}

void OXSTGBasePlayer::readModules(const Plist::Dictionary& definition) {
    modules.clear();
    for (int i = 0;; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "module %d", i);
        const Plist::Dictionary* entry = Plist::findDict(definition, key);
        if (entry == nullptr) {
            break;
        }
        auto part = std::make_unique<Module>();
        if (part->setUp(*entry, *this)) {
            modules.push_back(std::move(part));
        }
    }
}

void OXSTGBasePlayer::readTrail(const Plist::Dictionary& definition, const char* key, int slot) {
    auto trail = std::make_unique<TrailPoint>();
    trail->point.load("");
    if (const Plist::Dictionary* entry = Plist::findDict(definition, key)) {
        trail->anchor = readVec(*entry, "anchor x", "anchor y", "anchor z");
        trail->bound = readVec(*entry, "bound x", "bound y", "bound z");
        Plist::read(*entry, "frame", trail->frame, 0);
        Plist::read(*entry, "width", trail->width, 0.0f);
    }
    trailPoints[slot] = std::move(trail);
}

void OXSTGBasePlayer::readLevelLists(const Plist::Dictionary& definition, const char* suffix,
                                     std::vector<std::vector<int>>& levels) {
    levels.clear();
    for (int level = 0;; ++level) {
        char key[48];
        std::snprintf(key, sizeof key, "lvl %d%s", level, suffix);
        const std::string* text = Plist::findString(definition, key);
        if (text == nullptr) {
            break;
        }
        levels.push_back(indexList(*text, key));
    }
}

void OXSTGBasePlayer::createFixedSprites() {
    breakIndicator = makeSprite("spr_player_break_indicator", BlendAdditive);
    for (int i = 0; i < 2; ++i) {
        beamAim[i] = makeSprite("spr_HUD_beam_aim", BlendAdditive);
        beamAimAnim[i] = makeSprite("spr_beam_aim_anim", BlendAdditive);
    }
    shieldSprite = makeSprite("spr_player_shield", BlendAdditive);
    shieldSprite->setScale(kShieldLoadScale, kShieldLoadScale, 1.0f);
    breakIndicator->setScale(kBreakIndicatorScale, kBreakIndicatorScale, 1.0f);
    for (int i = 0; i < 2; ++i) {
        beamAim[i]->setScale(kAimScale, kAimScale, 1.0f);
        beamAimAnim[i]->setScale(kAimScale, kAimScale, 1.0f);
    }
    gaugeLabelLeft = std::make_unique<OXTextBox>();
    gaugeLabelRight = std::make_unique<OXTextBox>();
    chainLabel = std::make_unique<OXTextBox>();
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get(), chainLabel.get()}) {
        label->load(kLabelFont);
        label->setCharSize(kLabelCharSize);
        label->setVisible(false);
        label->setActive(false);
    }
    gaugeLabelLeft->setAlignment(2);
    gaugeLabelRight->setAlignment(0);
    leftLabelShown = rightLabelShown = -1;
}

void OXSTGBasePlayer::createOptions(const Plist::Dictionary& definition) {
    static const char* const kRightKeys[kMaxOptionPairs] = {"option", "option 1", "option 2"};
    static const char* const kLeftKeys[kMaxOptionPairs] = {"option left", "option left 1", "option left 2"};
    options.clear();
    const int pairs = std::clamp(CXGameSession::instance().getOptionPairs(), 0, kMaxOptionPairs);
    for (int i = 0; i < 2 * pairs; ++i) {
        const char* key = i % 2 == 0 ? kRightKeys[i / 2] : kLeftKeys[i / 2];
        const std::string& name = Plist::textOf(definition, key);
        if (name.empty()) {
            std::printf("SHIP HAS NO \"%s\"\n", key);
            continue;
        }
        auto option = std::make_unique<OXOption>();
        option->setBulletManager(manager);
        option->setOwner(this);
        option->setIndex(i);
        option->load(kPlistFolder + name);
        const float s = kCoreScale * shipScale;
        option->setScale(s, s, 1.0f);
        option->setVisible(false);
        option->setActive(false);
        options.push_back(std::move(option));
    }
}

void OXSTGBasePlayer::setWeaponLevel(int level) {
    weaponLevel = level;
    if (level >= 0 && level < static_cast<int>(levelMain.size())) {
        activeMain = &levelMain[static_cast<size_t>(level)];
    }
    if (level >= 0 && level < static_cast<int>(levelMainBreak.size())) {
        activeMainBreak = &levelMainBreak[static_cast<size_t>(level)];
    }
}

void OXSTGBasePlayer::setMissileLevel(int level) {
    missileLevel = level;
    if (level >= 0 && level < static_cast<int>(levelSecondary.size())) {
        activeSecondary = &levelSecondary[static_cast<size_t>(level)];
    }
    if (level >= 0 && level < static_cast<int>(levelSecondaryBreak.size())) {
        activeSecondaryBreak = &levelSecondaryBreak[static_cast<size_t>(level)];
    }
}

// ---- Input ----

void OXSTGBasePlayer::stopEveryLauncher() {
    stopAllLaunchers();
    for (auto& option : options) {
        option->stopAllLaunchers();
    }
    std::fill(launcherFiringTime.begin(), launcherFiringTime.end(), -1.0f);
}

void OXSTGBasePlayer::setFiring(bool value) {
    firing = value;
    if (!value) {
        stopEveryLauncher();
    }
}

void OXSTGBasePlayer::setLaser(bool value) {
    if (!value) {
        laser = false;
        stopEveryLauncher();
        return;
    }
    stopEveryLauncher();
    laser = true;
    if (world) {
        world->counterRing(position, kLaserRingMs);
    }
    beamFiringTime = kLaserHoldMs;
    flashWarningCircle(kLaserWarningMs);
}

void OXSTGBasePlayer::setCharging(bool value) {
    if (value == charging) {
        return;
    }
    charging = value;
    if (value) {
        stopEveryLauncher();
        chargePulseTimer = 0.0f;
        chargePulseLow = false;
        showModules(chargeModules, -1.0f, 0.0f);
    } else {
        hideModules(chargeModules);
        hideModules(chargeFullModules);
    }
}

void OXSTGBasePlayer::fireCounter() {
    // Below the minimum (or not a number) nothing fires and the gauge stays.
    if (!(beamGauge >= kCounterMinimum)) {
        return;
    }
    for (int launcher : counterNormalList) {
        startLauncher(launcher);
    }
    const float beamTime = (beamGauge - kCounterMinimum) * kCounterMsPerGauge;
    for (int launcher : counterBeamList) {
        if (launcher < static_cast<int>(launcherFiringTime.size())) {
            launcherFiringTime[static_cast<size_t>(launcher)] = beamTime;
            startLauncher(launcher);
        }
    }
    beamFiringTime = beamGauge * kCounterMsPerGauge;
    beamGauge = 0.0f;
    if (world) {
        world->counterRing(position, kCounterRingMs);
    }
}

void OXSTGBasePlayer::requestTrance() {
    if (breakGauge >= kBreakFull && !breakMode) {
        tranceRequested = true;
    }
}

float OXSTGBasePlayer::getLauncherFiringTime(int launcher) const {
    if (launcher < 0 || launcher >= static_cast<int>(launcherFiringTime.size())) {
        return -1.0f;
    }
    return launcherFiringTime[static_cast<size_t>(launcher)];
}

// ---- The frame ----

void OXSTGBasePlayer::tick(float dtMs) {
    if (!active) {
        return;
    }
    if (!(dtMs >= 0.0f)) {
        dtMs = 0.0f;
    }
    // 1. Towards the input's target.
    if (!locked) {
        position = position + (targetPosition - position) * kFollow;
    }
    // 2. Launchers and timed actions; the chain.
    OXLauncherPlatform::tick(dtMs);
    if (!active) {
        return;  // the end of the death animation took the ship out of play
    }
    multiplierChangedFlag = false;
    updateChainLabel(dtMs);
    // 3. Shield.
    updateShield(dtMs);
    // 4. Aim markers.
    placeMarkers();
    // 5. A push, the heading, and everything that rides on the ship.
    if (!locked) {
        position = position + velocity * (speed * dtMs / kVelocityDivisor);
        position.x = std::clamp(position.x, -kFieldLimit, kFieldLimit);
        position.y = std::clamp(position.y, -kFieldLimit, kFieldLimit);
    }
    platformRotation = shotmath::angleOf(direction.x, direction.y);
    rotation.z = -platformRotation;
    followShip();
    // 6. Out of hit points: reported once per death.
    if (hitPoints <= 0.0f && !locked && !deathReported) {
        deathReported = true;
        if (world) {
            world->playerDied();
        }
    }
    // 7. The counter beam's time.
    beamFiringTime = std::max(0.0f, beamFiringTime - dtMs);
    updateCounterBeams(dtMs);
    // 8. Firing by state.
    fire();
    // 9. Gauges.
    if (!charging && !locked) {
        updateBreak(dtMs);
        updateBeamPulse(dtMs);
    }
    if (charging) {
        chargePulseTimer += dtMs;
        if (chargePulseTimer >= kChargePulseMs) {
            chargePulseTimer -= kChargePulseMs;
            chargePulseLow = !chargePulseLow;
        }
        for (int part : chargeModules) {
            if (part < moduleCount()) {
                modules[static_cast<size_t>(part)]->setPulseFactor(chargePulseLow ? kChargePulseLow : 1.0f);
            }
        }
        const bool full = beamGauge >= kCounterMinimum;
        for (int part : chargeFullModules) {
            if (part < moduleCount()) {
                Module& module = *modules[static_cast<size_t>(part)];
                if (full && !module.isOn()) {
                    module.switchOn(-1.0f, 0.0f);
                } else if (!full && module.isOn()) {
                    module.switchOff();
                }
            }
        }
    }
    // The trance waits for the HUD's cut-in; without one it starts after a while of play.
    if (tranceCountdown >= kTranceWaiting && !breakMode) {
        tranceWaitMs += dtMs;
        if (tranceWaitMs >= kCutInGraceMs) {
            startBreak();
        }
    }
    // 10. Invulnerability, the lock-on.
    invulnerability = std::max(0.0f, invulnerability - dtMs);
    lastPosition = position;
    updateLockOn();
    // 11. Labels, then the parts' own actions and the pods.
    updateGaugeLabels();
    tickParts(dtMs);
    for (auto& option : options) {
        option->tick(dtMs);
    }
}

void OXSTGBasePlayer::updateChainLabel(float dtMs) {
    if (grazeChain > chainShown) {
        chainShown = grazeChain;
        if (chainLabel) {
            char text[16];
            std::snprintf(text, sizeof text, "%d", chainShown);
            labelText.assign(text);
            chainLabel->setText(labelText);
            const bool onLeft = position.x > kChainLabelFlipX;
            chainLabel->setAlignment(onLeft ? 2 : 0);
            chainLabel->setPosition(position.x + (onLeft ? -kChainLabelSide : kChainLabelSide),
                                    position.y - kChainLabelBelow, position.z + 2.0f);
            chainLabel->resetActions();
            chainLabel->scaleTo(kChainPopMs, {kChainPopScale, kChainPopScale, 1.0f}, {1.0f, 1.0f, 1.0f});
            chainLabel->fadeTo(kChainFadeMs, 1.0f, 0.0f, kChainFadeEasing);
            chainLabel->setKeepAlive(false);
        }
        distortionPulse += kDistortionStep;
        if (distortionPulse > 1.0f) {
            distortionPulse = 0.0f;
        }
    } else if (grazeChain < chainShown) {
        chainShown = grazeChain;
        if (chainShown == 0 && chainLabel) {
            chainLabel->setVisible(false);
            chainLabel->setActive(false);
        }
    }
    const float factor = breakMode ? CXGameSession::instance().getTranceFactor() : 1.0f;
    const float bonus = static_cast<float>(grazeChain) * static_cast<float>(kChainStep) * factor;
    chainBonus = bonus >= static_cast<float>(kMaxChainBonus) ? kMaxChainBonus
                 : bonus > 0.0f                              ? static_cast<int>(bonus)
                                                             : 0;
    grazeHeat = std::max(0.0f, grazeHeat - dtMs * kGrazeHeatCooling);
}

void OXSTGBasePlayer::updateShield(float dtMs) {
    const CXGameSession& session = CXGameSession::instance();
    if (shieldTimer >= 0.0f && session.getBombs() > 0 && controllable) {
        shieldTimer -= dtMs;
        if (shieldTimer <= 0.0f) {
            shieldTimer = -1.0f;
            flashWarningCircle(kWarningFlashMs);
        }
    }
}

void OXSTGBasePlayer::placeMarkers() {
    const bool ready = beamGauge >= kCounterMinimum;
    const Colour& tint = ready ? kAimReady : kAimEmpty;
    const bool inPlay = !outOfPlay && !dying;
    const Vec3 ahead = position + shotmath::turned({0.0f, kAimAhead, 0.0f}, -platformRotation);
    const IXRenderObject* target = lockedEnemy ? &lockedEnemy->body() : nullptr;
    for (int i = 0; i < 2; ++i) {
        const bool shown = inPlay && (i == 0 || target);
        const Vec3 at = i == 0 ? ahead : (target ? target->getPosition() : position);
        if (OXSprite* marker = beamAim[i].get()) {
            marker->setPosition(at.x, at.y, position.z + 3.0f);
            marker->setColour(tint.r, tint.g, tint.b, marker->getAlpha());
            marker->setVisible(shown);
            marker->setActive(shown);
        }
        if (OXSprite* marker = beamAimAnim[i].get()) {
            const bool animShown = shown && charging && ready;
            marker->setPosition(at.x, at.y, position.z + 3.0f);
            marker->setColour(tint.r, tint.g, tint.b, marker->getAlpha());
            if (animShown && !marker->isVisible()) {
                marker->play();
                marker->setSpinRate(0.0f, 0.0f, i == 0 ? kAimAnimSpin : -kAimAnimSpin);
            }
            marker->setVisible(animShown);
            marker->setActive(animShown);
        }
    }
}

void OXSTGBasePlayer::followShip() {
    const Vec3 stretch =
        restingScaleKnown && restingScale.x > 0.0f && restingScale.y > 0.0f && restingScale.z > 0.0f
            ? Vec3{scale.x / restingScale.x, scale.y / restingScale.y, scale.z / restingScale.z}
            : Vec3{1.0f, 1.0f, 1.0f};
    const float heading = platformRotation;
    if (coreSprite) {
        const float s = kCoreScale * shipScale;
        coreSprite->setPosition(position.x, position.y, position.z + 1.0f);
        coreSprite->setScale(s * stretch.x, s * stretch.y, s * stretch.z);
        coreSprite->setRotation(0.0f, 0.0f, -heading);
        const float sideways = position.x - lastPosition.x;
        const int frame = entering                 ? BoostFrame
                          : sideways < -kBankSpeed ? BankLeftFrame
                          : sideways > kBankSpeed  ? BankRightFrame
                                                   : LevelFrame;
        coreSprite->setFrameClamped(frame);
    }
    for (auto& effect : attachedEffects) {
        effect->anchor.setPosition(position + shotmath::turned(effect->offset, -heading));
    }
    for (auto& trail : trailPoints) {
        if (trail) {
            const Vec3 target = position + shotmath::turned(trail->anchor, -heading);
            trail->point.setPosition(
                clampedToward(trail->point.getPosition(), target, kTrailFollow, trail->bound));
        }
    }
    for (OXSprite* marker : {shieldSprite.get(), breakIndicator.get(), breakField.get(),
                             distortionField.get(), warningCircle.get(), breakCircle.get()}) {
        if (marker) {
            marker->setPosition(position.x, position.y, position.z + 2.0f);
        }
    }
    if (distortionField) {
        const float s = 1.0f + distortionPulse;
        distortionField->setScale(s, s, 1.0f);
    }
    for (auto& part : modules) {
        part->follow(position, heading, stretch, shipScale, false);
    }
}

void OXSTGBasePlayer::updateCounterBeams(float dtMs) {
    for (size_t i = 0; i < launcherFiringTime.size(); ++i) {
        float& left = launcherFiringTime[i];
        if (left < 0.0f) {
            continue;
        }
        left -= dtMs;
        if (left <= 0.0f) {
            left = -1.0f;
            if (OXLauncher* launcher = getLauncher(static_cast<int>(i))) {
                launcher->stop();
            }
        } else {
            startLauncher(static_cast<int>(i));
        }
    }
}

void OXSTGBasePlayer::fire() {
    if (!firing || !CXGameSession::instance().canShoot() || beamFiringTime > 0.0f || charging) {
        return;
    }
    if (laser) {
        for (int launcher : breakMode ? laserBreakList : laserList) {
            startLauncher(launcher);
        }
        return;
    }
    for (const std::vector<int>* list :
         {breakMode ? activeMainBreak : activeMain, breakMode ? activeSecondaryBreak : activeSecondary}) {
        for (int launcher : *list) {
            startLauncher(launcher);
        }
    }
    for (auto& option : options) {
        option->startLauncher(breakMode ? 1 : 0);
    }
}

void OXSTGBasePlayer::updateBreak(float dtMs) {
    if (breakMode) {
        breakGauge -= kBreakDrain * dtMs;
        if (breakGauge <= 0.0f) {
            breakGauge = 0.0f;
            endBreak(false);
        }
        return;
    }
    if (breakGauge < kBreakFull && CXGameSession::instance().isCasual()) {
        addBreak(kCasualBreakFill * dtMs);
    }
    if (breakGauge < kBreakFull || !tranceRequested) {
        return;
    }
    if (tranceCountdown == kTranceIdle) {
        if (world) {
            world->tranceBackgroundFlash();
        }
        if (breakCircle) {
            breakCirclePulse = kBreakCircleStart;
            breakCircle->resetActions();
            breakCircle->setColour(1.0f, 1.0f, 1.0f, 1.0f);
            breakCircle->scaleTo(kBreakCircleCloseMs,
                                 {kBreakCircleStart * 2.0f, kBreakCircleStart * 2.0f, 1.0f},
                                 {1.0f, 1.0f, 1.0f}, 1.0f, this, breakCirclePulseDone);
        }
    }
    tranceCountdown -= dtMs;
    if (tranceCountdown > 0.0f) {
        return;
    }
    // The trance goes off: the ship holds still and the game freezes while the
    // HUD plays its cut-in, which may call startBreak at once.
    tranceCountdown = kTranceWaiting;
    tranceWaitMs = 0.0f;
    lastPosition = position;
    targetPosition = position;
    locked = true;
    tranceRequested = false;
    if (breakCircle) {
        breakCircle->resetActions();
        breakCircle->setVisible(false);
        breakCircle->setActive(false);
    }
    if (manager) {
        manager->endBeamsOfOwner(this);
    }
    showModules(breakStartModules, kShockRingMs, 0.0f);
    if (world) {
        world->setTimeScale(0.0f, kTranceTimeScaleMs);
        world->hudStartTranceCutIn();
    }
}

bool OXSTGBasePlayer::breakCirclePulseDone(void* target, int) {
    auto* ship = static_cast<OXSTGBasePlayer*>(target);
    if (!ship->breakCircle || ship->tranceCountdown >= kTranceWaiting || !ship->tranceRequested) {
        return false;
    }
    const float from = ship->breakCirclePulse;
    ship->breakCirclePulse = std::max(kBreakCircleSmallest, from * 0.75f);
    ship->breakCircle->scaleTo(kBreakCirclePulseMs, {from, from, 1.0f}, {1.0f, 1.0f, 1.0f}, 1.0f, ship,
                               breakCirclePulseDone);
    return true;
}

void OXSTGBasePlayer::updateBeamPulse(float dtMs) {
    if (!(beamGauge >= kCounterMinimum)) {
        beamPulseTimer = 0.0f;
        return;
    }
    beamPulseTimer += dtMs;
    if (beamPulseTimer >= kBeamPulseEveryMs) {
        beamPulseTimer -= kBeamPulseEveryMs;
        if (world) {
            world->beamReadyPulse(position);
        }
    }
}

void OXSTGBasePlayer::updateLockOn() {
    if (!world) {
        lockedEnemy = nullptr;
        return;
    }
    if (lockedEnemy && !world->isEnemyAlive(lockedEnemy)) {
        lockedEnemy = nullptr;
    }
    if (!lockedEnemy && !outOfPlay) {
        lockedEnemy = world->nearestEnemyIn(position, -40.0f, 360.0f, 80.0f, 480.0f);
    }
}

void OXSTGBasePlayer::updateGaugeLabels() {
    if (!gaugeLabelLeft || !gaugeLabelRight) {
        return;
    }
    const bool shown = !outOfPlay && !dying;
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get()}) {
        label->setVisible(shown);
        label->setActive(shown);  // its matrix follows only while active
    }
    gaugeLabelLeft->setPosition(position.x - kGaugeLabelSide, position.y - kGaugeLabelBelow,
                                position.z + 2.0f);
    gaugeLabelRight->setPosition(position.x + kGaugeLabelSide, position.y - kGaugeLabelBelow,
                                 position.z + 2.0f);
    const int beamReady = beamGauge >= kCounterMinimum ? 1 : 0;
    if (beamReady != leftLabelShown) {
        leftLabelShown = beamReady;
        labelText.assign(beamReady ? "RDY" : "CHR");
        gaugeLabelLeft->setText(labelText);
        const Colour& c = beamReady ? kReady : kCharging;
        gaugeLabelLeft->setColour(c.r, c.g, c.b, c.a);
    }
    const int percent =
        breakGauge >= kBreakFull ? 1000 : std::clamp(static_cast<int>(breakGauge / 10.0f), 0, 99);
    if (percent != rightLabelShown) {
        rightLabelShown = percent;
        if (percent == 1000) {
            labelText.assign("RDY");
        } else {
            char text[8];
            std::snprintf(text, sizeof text, "%d", percent);
            labelText.assign(text);
        }
        gaugeLabelRight->setText(labelText);
        const Colour& c = percent == 1000 ? kReady : kBreakPercent;
        gaugeLabelRight->setColour(c.r, c.g, c.b, c.a);
    }
}

void OXSTGBasePlayer::tickParts(float dtMs) {
    // Invulnerability shows as the shield blinking while it shrinks.
    if (shieldSprite) {
        if (invulnerability > 0.0f && !outOfPlay) {
            shieldBlinkTimer += dtMs;
            const bool on = static_cast<int>(shieldBlinkTimer / kShieldBlinkMs) % 2 == 0;
            shieldSprite->setVisible(on);
            shieldSprite->setActive(true);
        } else {
            shieldSprite->setVisible(false);
            shieldSprite->setActive(false);
        }
    }
    for (OXSprite* sprite : {coreSprite.get(), shieldSprite.get(), breakIndicator.get(), breakField.get(),
                             distortionField.get(), warningCircle.get(), breakCircle.get(), beamAim[0].get(),
                             beamAim[1].get(), beamAimAnim[0].get(), beamAimAnim[1].get()}) {
        if (sprite) {
            sprite->tick(dtMs);
        }
    }
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get(), chainLabel.get()}) {
        if (label) {
            label->tick(dtMs);
        }
    }
    for (auto& part : modules) {
        part->advance(dtMs);
    }
}

// ---- Collisions and scoring ----

void OXSTGBasePlayer::graze() {
    grazeHeat = std::min(1.0f, grazeHeat + kGrazeHeatStep);
    grazeChain = std::min(grazeChain + 1, kMaxGrazeChain);
    addBreak(kGrazeBreak);
    CXGameSession::instance().countGraze();
}

void OXSTGBasePlayer::hit(float amount, const Vec3& /*direction*/) {
    // Only damage counts; a ship that is already exploding or out of play takes no more.
    if (!(amount < 0.0f) || outOfPlay || dying) {
        return;
    }
    CXGameSession& session = CXGameSession::instance();
    if (breakMode) {
        endBreak(true);
        if (world) {
            world->shockRing(position, kShockRingMs);
            world->shake(kBreakHitShakeMs);
        }
        startInvulnerability(kBreakHitInvulnerability);
    } else if (session.getBombs() > 0 && shieldTimer < 0.0f) {
        useBomb();
        startInvulnerability(kBombInvulnerability);
        shieldTimer = session.isCasual() ? kShieldCasualMs : kShieldNormalMs;
        flashWarningCircle(kWarningFlashMs);
        addMultiplier(-multiplier * 0.5f);
        if (world) {
            world->hudDamageFlash(kBombFlashMs);
        }
    } else {
        if (world) {
            world->setBulletGrace(kHitGraceMs);
        }
        hitPoints += amount;
        addMultiplier(-multiplier * 0.5f);
        if (world) {
            world->hudDamageFlash(kHitFlashMs);
        }
    }
    if (world) {
        world->recordPlayerHit();
    }
    grazeHeat = 0.0f;
    grazeChain = 0;
    chainBonus = 0;
}

void OXSTGBasePlayer::useBomb() {
    CXGameSession& session = CXGameSession::instance();
    if (session.getBombs() <= 0 || !active || locked || (world && world->isBombActive())) {
        return;
    }
    if (world) {
        world->detonateBomb({position.x, position.y + kBombAbove, position.z}, kBombMs);
    }
    session.useBomb();
    if (breakMode) {
        endBreak(false);
    } else {
        grazeChain = 0;
    }
}

void OXSTGBasePlayer::addScoreFloat(float points) {
    score = saturatedScore(static_cast<float>(score) + points, score);
}

float OXSTGBasePlayer::addScorePoints(double points) {
    if (std::isnan(points)) {
        return 0.0f;
    }
    const float p = static_cast<float>(
        std::clamp(points, -static_cast<double>(kPointsLimit), static_cast<double>(kPointsLimit)));
    const float pts = multiplier * p * scoreFactor;
    addScoreFloat(pts);
    rawPoints = saturatedInt(static_cast<double>(rawPoints) + std::trunc(points));
    CXGameSession::instance().setScore(score);
    return pts;
}

void OXSTGBasePlayer::addScoreFlat(double points, bool applyMultiplier) {
    if (applyMultiplier) {
        addScorePoints(points);
        return;
    }
    if (std::isnan(points)) {
        return;
    }
    addScoreFloat(static_cast<float>(
        std::clamp(points, -static_cast<double>(kPointsLimit), static_cast<double>(kPointsLimit))));
    rawPoints = saturatedInt(static_cast<double>(rawPoints) + std::trunc(points));
    CXGameSession::instance().setScore(score);
}

void OXSTGBasePlayer::addMultiplier(float delta) {
    if (std::isnan(delta)) {
        return;
    }
    multiplier += delta > 0.0f ? multiplierRate * delta : delta;
    multiplier = std::clamp(multiplier, kMinMultiplier, kMaxMultiplier);
    multiplierChangedFlag = true;
}

void OXSTGBasePlayer::addBreak(float amount) {
    if (std::isnan(amount) || !CXGameSession::instance().isBreakGaugeEnabled() || breakMode || entering) {
        return;
    }
    const bool wasFull = breakGauge >= kBreakFull;
    breakGauge = std::clamp(breakGauge + amount, 0.0f, kBreakFull);
    if (!wasFull && breakGauge >= kBreakFull) {
        showBreakIndicator(true);
        if (world) {
            world->tranceReadyRing(position);
        }
    }
}

void OXSTGBasePlayer::addBeamGauge(float amount) {
    if (std::isnan(amount) || CXGameSession::instance().isCasual() || beamFiringTime > 0.0f) {
        return;
    }
    beamGauge = std::clamp(beamGauge + amount, 0.0f, 1.0f);
}

void OXSTGBasePlayer::collectOrb(int value) {
    orbValue = saturatedInt(static_cast<double>(orbValue) + value);
    CXGameSession::instance().countOrb();
}

// ---- Break mode ----

void OXSTGBasePlayer::startBreak() {
    if (breakMode || outOfPlay) {
        return;
    }
    if (world) {
        world->setTimeScale(kStartBreakTimeScale, kStartBreakTimeScaleMs);
        world->shockRing(position, kShockRingMs);
    }
    locked = false;
    breakMode = true;
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    tranceWaitMs = 0.0f;
    stopEveryLauncher();
    showModules(breakModules, -1.0f, 0.0f);
    showBreakIndicator(false);
    if (breakField) {
        breakField->resetActions();
        breakField->fadeTo(kShockRingMs, 0.0f, 1.0f);
    }
}

void OXSTGBasePlayer::endBreak(bool byHit) {
    if (!breakMode) {
        return;
    }
    breakMode = false;
    breakGauge = 0.0f;
    stopEveryLauncher();
    hideModules(breakModules);
    if (breakField) {
        breakField->setVisible(false);
        breakField->setActive(false);
    }
    if (world) {
        world->clearBullets();
        world->tintBackground(kBreakEndTint, kBreakEndTintMs);
    }
    CXGameSession::instance().countTrance();
    if (byHit) {
        showModules(tranceBreakModules, kTranceBreakModulesMs, 0.0f);
        if (world) {
            world->shockRing(position, kShockRingMs);
            world->cameraShake(kBreakEndShakeMs, kCameraShakeAmplitude);
        }
    }
}

void OXSTGBasePlayer::freezeForStageEnd() {
    if (breakMode) {
        endBreak(false);
    }
    entering = true;
    firing = false;
    laser = false;
    tranceRequested = false;
    setCharging(false);
    stopEveryLauncher();
}

// ---- Life ----

void OXSTGBasePlayer::spawn(bool slideIn, bool firstSpawn) {
    CXGameSession& session = CXGameSession::instance();
    if (!restingScaleKnown) {
        restingScale = scale;
        restingScaleKnown = true;
    }
    IXTransformable::resetActions();
    visible = active = true;
    outOfPlay = false;
    locked = true;
    dying = false;
    deathReported = false;
    entering = true;
    controllable = false;
    firing = laser = false;
    charging = false;
    breakMode = false;
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    // A new life starts whole: hit points run out only by the hits of this life.
    hitPoints = previousHitPoints = maxHitPoints;
    position = kStartPoint;
    targetPosition = lastPosition = position;
    if (!firstSpawn) {
        shieldTimer = -1.0f;
        beamGauge = 0.0f;
        grazeHeat = 0.0f;
        grazeChain = 0;
        chainBonus = 0;
        session.setTranceFactor(1.0f);
    } else if (session.getBombs() <= 0) {
        shieldTimer = kNoBombShieldMs;
    }
    chainShown = std::min(chainShown, grazeChain);
    startInvulnerability(kSpawnInvulnerability);
    const Vec3 settled = restingScale;
    const Vec3 from = slideIn ? settled : Vec3{settled.x, settled.y * 2.0f, settled.z};
    scaleTo(kSettleMs, from, settled);
    moveBy(slideIn ? kSlideInMs : kFlyInMs, slideIn ? kSlideIn : kFlyIn, kEntranceEasing, this,
           entranceMoveDone);

    IXShotEffects* fx = world ? world->effects() : nullptr;
    for (auto& option : options) {
        option->reset();
        if (fx && trailPoints[2]) {
            option->attachTrail(fx, trailPoints[2]->frame, trailPoints[2]->width * 0.5f);
        }
    }
    if (coreSprite) {
        coreSprite->resetActions();
        coreSprite->setVisible(true);
        coreSprite->setActive(true);
    }
    platformRotation = shotmath::angleOf(direction.x, direction.y);
    for (auto& part : modules) {
        part->follow(position, platformRotation, {1.0f, 1.0f, 1.0f}, shipScale, true);
    }
    for (auto& trail : trailPoints) {
        if (trail) {
            trail->point.setPosition(position + shotmath::turned(trail->anchor, -platformRotation));
        }
    }
    showModules(baseModules, -1.0f, 0.0f);
    showModules(flightModules, -1.0f, 0.0f);
    attachTrails();
    startEffects();
    leftLabelShown = rightLabelShown = -1;
    updateGaugeLabels();
}

bool OXSTGBasePlayer::entranceMoveDone(void* target, int) {
    static_cast<OXSTGBasePlayer*>(target)->finishEntrance();
    return true;
}

void OXSTGBasePlayer::finishEntrance() {
    if (outOfPlay || dying) {
        return;
    }
    CXGameSession& session = CXGameSession::instance();
    showModules(shootModules, -1.0f, kShootModulesFadeMs);
    flashWarningCircle(kWarningFlashMs);
    if (distortionField) {
        distortionField->resetActions();
        distortionField->fadeTo(kDistortionFadeMs, 0.0f, kDistortionAlpha);
    }
    startInvulnerability(kReadyInvulnerability);
    firing = fireHeld;
    laser = beamHeld && session.isCasual();
    controllable = true;
    locked = false;
    entering = false;
    targetPosition = position;
    if (breakGauge >= kBreakFull) {
        showBreakIndicator(true);
    }
}

void OXSTGBasePlayer::die() {
    if (outOfPlay || dying) {
        return;
    }
    locked = true;
    dying = true;
    controllable = false;
    firing = false;
    laser = false;
    setCharging(false);
    stopEveryLauncher();
    if (breakMode) {
        endBreak(false);
    }
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    deathPosition = position;
    // The wreck drops out of the play plane where it was hit.
    IXTransformable::resetActions();
    position.z = kDeathZ;
    moveBy(kDeathMoveMs, {0.0f, 0.0f, kDeathEndZ - kDeathZ}, 1.0f, this, deathMoveDone);
}

bool OXSTGBasePlayer::deathMoveDone(void* target, int) {
    static_cast<OXSTGBasePlayer*>(target)->finishDeath();
    return true;
}

void OXSTGBasePlayer::finishDeath() {
    fadeOutModules(hitModules, kHitModulesFadeMs);
    if (world) {
        world->explosionAt(deathPosition);
        world->shockRing(deathPosition, kShockRingMs);
    }
    CXGameSession::instance().resetStageCounters();
    resetState();
}

void OXSTGBasePlayer::resetState() {
    outOfPlay = true;
    breakMode = false;
    dying = false;
    locked = false;
    entering = false;
    controllable = false;
    firing = laser = charging = false;
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    tranceWaitMs = 0.0f;
    beamFiringTime = 0.0f;
    invulnerability = 0.0f;
    lockedEnemy = nullptr;
    stopEveryLauncher();
    for (auto& part : modules) {
        part->switchOff();
    }
    for (OXSprite* sprite : {coreSprite.get(), distortionField.get(), warningCircle.get(), breakCircle.get(),
                             breakField.get(), breakIndicator.get(), beamAim[0].get(), beamAim[1].get(),
                             beamAimAnim[0].get(), beamAimAnim[1].get(), shieldSprite.get()}) {
        if (sprite) {
            sprite->resetActions();
            sprite->setVisible(false);
            sprite->setActive(false);
        }
    }
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get(), chainLabel.get()}) {
        if (label) {
            label->resetActions();
            label->setVisible(false);
            label->setActive(false);
        }
    }
    chainShown = 0;
    releaseTrails();
    stopEffects();
    IXShotEffects* fx = world ? world->effects() : nullptr;
    for (auto& option : options) {
        option->retire(fx);
    }
    visible = active = false;
}

// ---- Effects of the ship's state ----

void OXSTGBasePlayer::showModules(const std::vector<int>& list, float forMs, float fadeInMs) {
    for (int part : list) {
        if (part < moduleCount()) {
            modules[static_cast<size_t>(part)]->switchOn(forMs, fadeInMs);
        }
    }
}

void OXSTGBasePlayer::hideModules(const std::vector<int>& list) {
    for (int part : list) {
        if (part < moduleCount()) {
            modules[static_cast<size_t>(part)]->switchOff();
        }
    }
}

void OXSTGBasePlayer::fadeOutModules(const std::vector<int>& list, float ms) {
    for (int part : list) {
        if (part < moduleCount()) {
            modules[static_cast<size_t>(part)]->fadeOut(ms);
        }
    }
}

bool OXSTGBasePlayer::isModuleShown(int module) const {
    return module >= 0 && module < moduleCount() && modules[static_cast<size_t>(module)]->isOn();
}

bool OXSTGBasePlayer::isBreakIndicatorShown() const {
    return breakIndicator && breakIndicator->isVisible();
}

void OXSTGBasePlayer::startInvulnerability(float ms) {
    invulnerability = ms;
    shieldBlinkTimer = 0.0f;
    if (shieldSprite) {
        shieldSprite->resetActions();
        shieldSprite->scaleTo(ms, {kShieldStartScale, kShieldStartScale, 1.0f},
                              {kShieldShownScale, kShieldShownScale, 1.0f});
    }
}

void OXSTGBasePlayer::flashWarningCircle(float ms) {
    if (!warningCircle) {
        return;
    }
    warningCircle->resetActions();
    warningCircle->setPosition(position.x, position.y, position.z + 2.0f);
    warningCircle->scaleTo(ms, {1.6f, 1.6f, 1.0f}, {0.6f, 0.6f, 1.0f});
    warningCircle->fadeTo(ms, 1.0f, 0.0f);
    warningCircle->setKeepAlive(false);
}

void OXSTGBasePlayer::showBreakIndicator(bool shown) {
    if (!breakIndicator) {
        return;
    }
    breakIndicator->setVisible(shown && !outOfPlay);
    breakIndicator->setActive(shown && !outOfPlay);
    breakIndicator->setSpinRate(0.0f, 0.0f, -kBreakIndicatorSpin);
}

void OXSTGBasePlayer::attachTrails() {
    IXShotEffects* fx = world ? world->effects() : nullptr;
    if (!fx) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        TrailPoint* trail = trailPoints[i].get();
        if (!trail || trail->attached || trail->width <= 0.0f) {
            continue;
        }
        // The engine trail rides on the ship itself.
        trail->attached = i == 3 ? fx->attachTrail(*this, trail->frame, trail->width)
                                 : fx->attachTrail(trail->point, trail->frame, trail->width);
    }
}

void OXSTGBasePlayer::releaseTrails() {
    IXShotEffects* fx = world ? world->effects() : nullptr;
    for (int i = 0; i < 4; ++i) {
        TrailPoint* trail = trailPoints[i].get();
        if (!trail || !trail->attached) {
            continue;
        }
        if (fx) {
            if (i == 3) {
                fx->detachTrail(*this);
            } else {
                fx->detachTrail(trail->point);
            }
        }
        trail->attached = false;
    }
}

void OXSTGBasePlayer::startEffects() {
    IXShotEffects* fx = world ? world->effects() : nullptr;
    if (!fx) {
        return;
    }
    for (auto& effect : attachedEffects) {
        if (!effect->handle) {
            effect->anchor.setPosition(position + shotmath::turned(effect->offset, -platformRotation));
            effect->handle = fx->startAttachedEffect(effect->file, effect->anchor, false);
        }
    }
}

void OXSTGBasePlayer::stopEffects() {
    IXShotEffects* fx = world ? world->effects() : nullptr;
    for (auto& effect : attachedEffects) {
        if (effect->handle && fx) {
            fx->stopEffect(effect->handle);
        }
        effect->handle = nullptr;
    }
}

// ---- Drawing ----

void OXSTGBasePlayer::draw() {
    if (!visible) {
        return;
    }
    if (textureId >= 0) {
        OXLauncherPlatform::draw();
    }
    for (OXSprite* under : {distortionField.get(), breakField.get()}) {
        if (under) {
            under->draw();
        }
    }
    for (const auto& part : modules) {
        if (part->anchorZ() <= 1.0f) {
            part->draw();
        }
    }
    for (const auto& option : options) {
        option->draw();
    }
    for (OXSprite* marker : {shieldSprite.get(), breakIndicator.get(), warningCircle.get(), breakCircle.get(),
                             beamAim[1].get(), beamAimAnim[0].get(), beamAimAnim[1].get()}) {
        if (marker) {
            marker->draw();
        }
    }
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get(), chainLabel.get()}) {
        if (label) {
            label->draw();
        }
    }
}

void OXSTGBasePlayer::drawTopLayer() {
    if (!visible) {
        return;
    }
    if (beamAim[0]) {
        beamAim[0]->draw();
    }
    if (coreSprite) {
        coreSprite->draw();
    }
    for (const auto& part : modules) {
        if (part->anchorZ() > 1.0f) {
            part->draw();
        }
    }
}
