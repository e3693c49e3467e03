// The player's ship's parts, pods and markers: loading the definition, the
// modules, trails and effects that ride on the hull, the aim markers, the
// gauge and chain labels, and drawing.

#include "stg/game/OXSTGBasePlayer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/OXTextBox.h"
#include "stg/game/FieldFraming.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/game/OXOption.h"
#include "stg/game/OXSTGBasePlayerParts.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

using namespace shipparts;

namespace {

std::vector<int> readIndexList(const Plist::Dictionary& definition, const char* key) {
    return indexList(Plist::textOf(definition, key), key);
}

const std::string kLabelFont = "assets/plist/fnt_novo_white";
// The visibility option's hit-box marker: its picture is 32 units across, drawn about 14.
const char* const kHitboxMarker = "spr_hitbox_marker";
constexpr float kHitboxMarkerScale = 0.45f;
constexpr int kMaxOptionPairs = 3;
constexpr float kCoreScale = 1.5f;  // the core sprite shows at 1.5 x "scale"
constexpr float kTrailFollow = 0.5f;
constexpr int kEngineTrailFrame = 94;
constexpr float kEngineTrailWidth = 16.0f;
constexpr float kMultiplierRates[4] = {0.4f, 0.6f, 0.8f, 1.0f};
constexpr float kShieldLoadScale = 0.55f;
constexpr float kShieldBlinkMs = 80.0f;
constexpr float kBreakIndicatorScale = 0.9f;
constexpr float kBreakIndicatorSpin = 0.09f;  // degrees per ms
constexpr float kAimScale = 0.5f;
constexpr float kAimAhead = 96.0f;  // units
constexpr float kAimAnimSpin = 0.18f;
const Colour kAimReady{1.0f, 1.0f, 1.0f, 1.0f};
const Colour kAimEmpty{1.5f, 0.5f, 0.5f, 1.0f};

// Capitals 8 units high (0.68 of a 12-unit cell), which is 8 pixels in a 640 x 480 window:
// readable beside a fighter 27 units tall on the 480-unit field.
constexpr int kLabelCharSize = 24;
// The gauge labels' three glyphs are narrowed to the width the field's framing keeps for them
// beside the ship.
constexpr float kGaugeLabelNarrowing = framing::kGaugeLabelWidth / (3.0f * kLabelCharSize * 0.5f);

constexpr float kGaugeLabelSide = framing::kGaugeLabelSide;  // close, so they stay in view
constexpr float kGaugeLabelBelow = 12.0f;                    // units
// The graze chain sits in a row of its own over the gauge label on its side, so its number
// never runs into the trance percent or the beam's word; the gap leaves room for its pop.
constexpr float kChainLabelBelow = kGaugeLabelBelow - kLabelCharSize * 0.5f - 3.0f;
const Colour kCharging{0.4f, 0.4f, 0.4f, 1.0f};
const Colour kReady{1.0f, 2.0f, 1.75f, 1.0f};
const Colour kBreakPercent{0.85f, 0.85f, 0.85f, 1.0f};
constexpr float kBankSpeed = 1.0f;  // units per frame sideways that bank the fighter

// The core sprite's frames (spr_senko_type_a).
enum CoreFrame { LevelFrame = 0, BankLeftFrame = 1, BankRightFrame = 2, BoostFrame = 3 };

}  // namespace

void OXSTGBasePlayer::createParts(const Plist::Dictionary& definition) {
    OXLauncherPlatform::createParts(definition);
    setOwnerKind(OwnerPlayer);
    setRunsSpriteTick(true);
    if (hitPoints <= 0.0f) {
        std::printf("SHIP HAS NO HIT POINTS, USING 1\n");
        hitPoints = maxHitPoints = previousHitPoints = 1.0f;
    }
    IXShotEffects& fx = effects();

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
        fx.preloadEffect(file);
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

    setWeaponLevel(world ? world->weaponLevel() : 0);
    setMissileLevel(world ? world->missileLevel() : 0);
    multiplierRate = kMultiplierRates[storedNumber(world ? world->difficulty() : kDefaultDifficulty)];
    scoreFactor = 1.0f;
    tranceCountdown = kTranceIdle;
    score = world ? world->carriedScore() : 0;
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

void OXSTGBasePlayer::createFixedSprites() {
    breakIndicator = makeSprite("spr_player_break_indicator", BlendAdditive);
    for (int i = 0; i < 2; ++i) {
        beamAim[i] = makeSprite("spr_HUD_beam_aim", BlendAdditive);
        beamAimAnim[i] = makeSprite("spr_beam_aim_anim", BlendAdditive);
    }
    hitboxMarker = makeSprite(kHitboxMarker, BlendPremultiplied);
    if (hitboxMarker) {
        hitboxMarker->setScale(kHitboxMarkerScale, kHitboxMarkerScale, 1.0f);
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
    gaugeLabelLeft->setAlignment(OXTextBox::AlignRight);
    gaugeLabelRight->setAlignment(OXTextBox::AlignLeft);
    leftLabelShown = rightLabelShown = -1;
}

void OXSTGBasePlayer::createOptions(const Plist::Dictionary& definition) {
    static const char* const kRightKeys[kMaxOptionPairs] = {"option", "option 1", "option 2"};
    static const char* const kLeftKeys[kMaxOptionPairs] = {"option left", "option left 1", "option left 2"};
    options.clear();
    const int pairs = std::clamp(world ? world->optionPairs() : 0, 0, kMaxOptionPairs);
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

void OXSTGBasePlayer::placeMarkers() {
    const bool ready = beamGauge >= kCounterMinimum;
    const Colour& tint = ready ? kAimReady : kAimEmpty;
    const bool inPlay = life != ShipLife::OutOfPlay && !isDying();
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
        const int frame = isEntering()             ? BoostFrame
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
    if (hitboxMarker) {
        hitboxMarker->setPosition(position.x, position.y, position.z + 4.0f);
    }
    if (distortionField) {
        const float s = 1.0f + distortionPulse;
        distortionField->setScale(s, s, 1.0f);
    }
    for (auto& part : modules) {
        part->follow(position, heading, stretch, shipScale, false);
    }
}

void OXSTGBasePlayer::updateGaugeLabels() {
    if (!gaugeLabelLeft || !gaugeLabelRight) {
        return;
    }
    const bool shown = life != ShipLife::OutOfPlay && !isDying();
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get()}) {
        label->setVisible(shown);
        label->setActive(shown);  // its matrix follows only while active
        label->setScale(kGaugeLabelNarrowing, 1.0f, 1.0f);
    }
    gaugeLabelLeft->setPosition(position.x - kGaugeLabelSide, position.y - kGaugeLabelBelow,
                                position.z + 2.0f);
    gaugeLabelRight->setPosition(position.x + kGaugeLabelSide, position.y - kGaugeLabelBelow,
                                 position.z + 2.0f);
    if (chainLabel && chainLabel->isVisible()) {
        const float side = chainLabel->getAlignment() == 2 ? -kGaugeLabelSide : kGaugeLabelSide;
        chainLabel->setPosition(position.x + side, position.y - kChainLabelBelow, position.z + 2.0f);
    }
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
        if (invulnerability > 0.0f && !isOutOfPlay()) {
            shieldBlinkTimer += dtMs;
            const bool on = static_cast<int>(shieldBlinkTimer / kShieldBlinkMs) % 2 == 0;
            shieldSprite->setVisible(on);
            shieldSprite->setActive(true);
        } else {
            shieldSprite->setVisible(false);
            shieldSprite->setActive(false);
        }
    }
    // The hit-box marker follows the ship while it is in play; whether it shows is the player's
    // choice, read when it draws.
    if (hitboxMarker) {
        hitboxMarker->setVisible(!isOutOfPlay());
        hitboxMarker->setActive(!isOutOfPlay());
    }
    for (OXSprite* sprite :
         {coreSprite.get(), shieldSprite.get(), breakIndicator.get(), breakField.get(), distortionField.get(),
          warningCircle.get(), breakCircle.get(), beamAim[0].get(), beamAim[1].get(), beamAimAnim[0].get(),
          beamAimAnim[1].get(), hitboxMarker.get()}) {
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
    breakIndicator->setVisible(shown && !isOutOfPlay());
    breakIndicator->setActive(shown && !isOutOfPlay());
    breakIndicator->setSpinRate(0.0f, 0.0f, -kBreakIndicatorSpin);
}

void OXSTGBasePlayer::attachTrails() {
    IXShotEffects& fx = effects();
    for (int i = 0; i < 4; ++i) {
        TrailPoint* trail = trailPoints[i].get();
        if (!trail || trail->attached || trail->width <= 0.0f) {
            continue;
        }
        // The engine trail rides on the ship itself.
        trail->attached = i == 3 ? fx.attachTrail(*this, trail->frame, trail->width)
                                 : fx.attachTrail(trail->point, trail->frame, trail->width);
    }
}

void OXSTGBasePlayer::releaseTrails() {
    IXShotEffects& fx = effects();
    for (int i = 0; i < 4; ++i) {
        TrailPoint* trail = trailPoints[i].get();
        if (!trail || !trail->attached) {
            continue;
        }
        if (i == 3) {
            fx.detachTrail(*this);
        } else {
            fx.detachTrail(trail->point);
        }
        trail->attached = false;
    }
}

IXShotEffects& OXSTGBasePlayer::effects() const {
    return world ? world->effects() : noShotEffects();
}

void OXSTGBasePlayer::startEffects() {
    for (auto& effect : attachedEffects) {
        if (!effect->handle) {
            effect->anchor.setPosition(position + shotmath::turned(effect->offset, -platformRotation));
            // "is predraw" effects go beneath the scene's sprites, the ship's own included.
            effect->handle = effect->predraw && world
                                 ? world->startPredrawEffect(effect->file, effect->anchor)
                                 : effects().startAttachedEffect(effect->file, effect->anchor, false);
        }
    }
}

void OXSTGBasePlayer::stopEffects() {
    IXShotEffects& fx = effects();
    for (auto& effect : attachedEffects) {
        if (effect->handle) {
            fx.stopEffect(effect->handle);
        }
        effect->handle = nullptr;
    }
}

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
    if (showsHitboxMarker()) {
        hitboxMarker->draw();
    }
}

bool OXSTGBasePlayer::showsHitboxMarker() const {
    return visibility && visibility->hitboxMarker && hitboxMarker && hitboxMarker->isVisible();
}
