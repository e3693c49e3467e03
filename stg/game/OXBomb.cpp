#include "stg/game/OXBomb.h"

#include <algorithm>
#include <cmath>

#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"

namespace {
constexpr float kBlastShare = 0.15f;  // of the bomb time the blast effect emits
constexpr float kBlastwaveFadeMs = 400.0f;
constexpr float kBlastwaveScale = 6.5f;  // times the bomb's scale
constexpr float kBackgroundTintMs = 500.0f;
// The bomb's ring inverts what lies under it, and the haze inside the ring would grey the
// whole field once the ring outgrows it: the bomb fades as it grows, quickly at first.
constexpr float kFadeEasing = 2.0f;  // a quarter left halfway
const Vec3 kStartScale{0.01f, 0.01f, 0.1f};
const Vec3 kEndScale{16.0f, 16.0f, 1.0f};
const Colour kBlastwaveTint{0.3f, 0.5f, 0.7f, 1.0f};
const Colour kBackgroundTint{1.0f, 1.15f, 1.3f, 1.0f};
}  // namespace

OXBomb::OXBomb() = default;
OXBomb::~OXBomb() = default;

void OXBomb::load(const std::string& path) {
    OXSprite::load(path);
    timeLeft = blastTimeLeft = cancelRadius = damage = 0.0f;
    effectName.clear();
    blastEffectName.clear();
    effect = blastEffect = nullptr;
    blastwave.reset();
    if (!path.empty()) {
        Plist::Dictionary definition;
        Plist::loadContent(path + ".plist", definition);
        Plist::read(definition, "effect", effectName);
        Plist::read(definition, "blast effect", blastEffectName);
        Plist::read(definition, "damage", damage, 0.0f);
        std::string blastwaveName;
        if (Plist::read(definition, "blastwave", blastwaveName) && !blastwaveName.empty()) {
            blastwave = std::make_unique<OXSprite>();
            blastwave->load("assets/plist/" + blastwaveName);
            blastwave->setBlendMode(BlendAdditive);
            blastwave->setVisible(false);
            blastwave->setActive(false);
        }
    }
    visible = active = false;
}

void OXBomb::detonate(float durationMs) {
    if (!(durationMs > 0.0f)) {
        return;
    }
    visible = active = true;
    timeLeft = durationMs;
    blastTimeLeft = durationMs * kBlastShare;
    cancelRadius = kStartRadius;
    scaleTo(durationMs, kStartScale, kEndScale);
    fadeTo(durationMs, 1.0f, 0.0f, kFadeEasing);
    if (blastwave) {
        blastwave->resetActions();
        blastwave->setPosition(position);
        blastwave->setColour(kBlastwaveTint.r, kBlastwaveTint.g, kBlastwaveTint.b, 1.0f);
        blastwave->fadeTo(kBlastwaveFadeMs, 1.0f, 0.0f);
        blastwave->setKeepAlive(false);
        const float s = kBlastwaveScale * scale.x;
        blastwave->setScale(s, s, 1.0f);
        blastwave->updateMatrix();
    }
    if (world) {
        world->tintBackground(kBackgroundTint, kBackgroundTintMs);
        IXShotEffects& fx = world->effects();
        stopEffects();
        if (!effectName.empty()) {
            effect = fx.startAttachedEffect(effectName, *this, true);
        }
        if (!blastEffectName.empty()) {
            blastEffect = fx.startAttachedEffect(blastEffectName, *this, true);
        }
    }
}

void OXBomb::update(float dtMs) {
    OXSprite::update(dtMs);
    if (timeLeft <= 0.0f) {
        return;
    }
    cancelRadius = std::min(kMaxRadius, cancelRadius + kRadiusGrowth * dtMs);
    if (bullets) {
        bullets->expireBulletsInRadius(position, cancelRadius, false);
    }
    if (blastwave && blastwave->isActive()) {
        const float s = kBlastwaveScale * scale.x;
        blastwave->setPosition(position);
        blastwave->setScale(s, s, 1.0f);
        blastwave->tick(dtMs);
    }
    if (blastEffect) {
        blastTimeLeft -= dtMs;
        if (blastTimeLeft <= 0.0f) {
            effects().stopEffect(blastEffect);
            blastEffect = nullptr;
        }
    }
    timeLeft -= dtMs;
    if (timeLeft <= 0.0f) {
        finish();
    }
}

void OXBomb::finish() {
    timeLeft = 0.0f;
    visible = active = false;
    stopEffects();
    if (blastwave) {
        blastwave->setVisible(false);
        blastwave->setActive(false);
    }
    if (world) {
        world->setBulletGrace(kEndGraceMs);
    }
}

IXShotEffects& OXBomb::effects() const {
    return world ? world->effects() : noShotEffects();
}

void OXBomb::stopEffects() {
    IXShotEffects& fx = effects();
    if (effect) {
        fx.stopEffect(effect);
    }
    if (blastEffect) {
        fx.stopEffect(blastEffect);
    }
    effect = blastEffect = nullptr;
}

void OXBomb::draw() {
    if (!visible) {
        return;
    }
    OXSprite::draw();
    if (blastwave) {
        blastwave->draw();
    }
}
