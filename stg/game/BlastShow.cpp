#include "stg/game/BlastShow.h"

#include <algorithm>
#include <cmath>

#include "engine/BlendMode.h"
#include "engine/OXSprite.h"
#include "fx/FxMath.h"

namespace {

// The particle atlas's cells the pieces are cut from (8 x 8 cells of 64 px).
constexpr const char* kPiecesList = "assets/plist/spr_blast_pieces";
constexpr int kLongStreakFrame = 4;
constexpr int kSparkFrame = 5;
constexpr int kThinRingFrame = 6;
constexpr int kSoftRingFrame = 7;
constexpr int kSmokeFrame = 8;  // 8-11
constexpr int kSmokeCount = 4;
constexpr int kShardFrame = 12;  // 12-14
constexpr int kShardCount = 3;

// The explosion sheet's blasts: 16 frames each, starting at these cells (frames 16-19 hold the
// score popups).
constexpr int kBlastFrames = 16;
constexpr int kBlastStarts[] = {0, 32, 48};
constexpr int kBlastCount = static_cast<int>(sizeof(kBlastStarts) / sizeof(kBlastStarts[0]));

// Popcorn, medium, large, boss.
constexpr BlastWeight kPopcorn{0.75f, 200.0f, 1.0f, 220.0f, 5, 2, 0, 34.0f, 0};
constexpr BlastWeight kMedium{1.3f, 300.0f, 1.7f, 300.0f, 7, 4, 1, 52.0f, 0};
constexpr BlastWeight kLarge{2.1f, 420.0f, 2.8f, 420.0f, 10, 7, 3, 80.0f, 0};
constexpr BlastWeight kBoss{3.0f, 650.0f, 5.5f, 700.0f, 16, 12, 6, 140.0f, 7};

constexpr float kAfterBlastSpanMs = 1900.0f;  // the boss's after-blasts spread over this
constexpr float kAfterBlastReach = 90.0f;     // and this far round the first

const Colour kSparkHot{1.0f, 0.85f, 0.55f, 1.0f};
const Colour kRingWarm{1.0f, 0.62f, 0.3f, 0.85f};
const Colour kRingHeat{1.0f, 0.9f, 0.7f, 0.6f};
const Colour kScratchLight{1.0f, 0.95f, 0.7f, 1.0f};

Vec3 along(float degrees, float distance) {
    return {fxmath::tableSin(degrees) * distance, fxmath::tableCos(degrees) * distance, 0.0f};
}

}  // namespace

const BlastWeight& blastWeightOf(ExplosionKind kind) {
    switch (kind) {
        case ExplosionKind::Small:
        case ExplosionKind::PreDeathSmall:
            return kPopcorn;
        case ExplosionKind::Medium:
            return kMedium;
        case ExplosionKind::Large:
        case ExplosionKind::PreDeathLarge:
            return kLarge;
        case ExplosionKind::Huge:
            break;
    }
    return kBoss;
}

float BlastShow::randomFraction() {
    // xorshift32: the pieces' own sequence, so that showing them leaves the effects' stream
    // (and every particle system drawn from it) as it would be without them.
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    return static_cast<float>(seed >> 8) * (1.0f / 16777216.0f);
}

float BlastShow::spread(float value, float share) {
    return value * (1.0f - share + 2.0f * share * randomFraction());
}

void BlastShow::pickBlast(OXSprite& sprite) {
    const int variant = std::min(static_cast<int>(randomFraction() * kBlastCount), kBlastCount - 1);
    sprite.setFrameRange(kBlastStarts[variant], kBlastFrames);
}

void BlastShow::blastFrame(OXSprite& sprite, int frame) {
    sprite.setFrameRange(kBlastStarts[0], kBlastFrames);
    sprite.setFrame(frame);
}

void BlastShow::setup(const std::string& explosionAtlas) {
    pieces.setup(kPiecesList, kPiecesList);
    pieces.setBlendMode(BlendPremultiplied);
    sparks.setup(kPiecesList, kPiecesList);
    sparks.setBlendMode(BlendAdditive);
    fire.setup(explosionAtlas, "assets/plist/spr_base_explosion");
    fire.setBlendMode(BlendAdditive);
    afterCount = 0;
    seed = kSeed;
    ready = true;
}

void BlastShow::burst(ExplosionKind kind, const Vec3& at) {
    if (!ready) {
        return;
    }
    const BlastWeight& weight = blastWeightOf(kind);
    // The shockwave: a thin hot ring, and for the bigger blasts a soft one behind it.
    if (OXSprite* ring = sparks.getFreeSprite()) {
        ring->setPosition(at.x, at.y, 3.0f);
        ring->setColour(kRingWarm.r, kRingWarm.g, kRingWarm.b, kRingWarm.a);
        ring->setFrame(kThinRingFrame);
        ring->setRotation(0.0f, 0.0f, randomFraction() * 360.0f);
        const float last = spread(weight.ringScale, 0.1f);
        ring->scaleTo(weight.ringMs, {last * 0.15f, last * 0.15f, 1}, {last, last, 1}, 0.35f);
        ring->fadeTo(weight.ringMs, kRingWarm.a, 0.0f, 1.6f);
    }
    if (weight.smoke > 0) {
        if (OXSprite* heat = sparks.getFreeSprite()) {
            heat->setPosition(at.x, at.y, 3.0f);
            heat->setColour(kRingHeat.r, kRingHeat.g, kRingHeat.b, kRingHeat.a);
            heat->setFrame(kSoftRingFrame);
            const float last = weight.ringScale * 0.7f;
            heat->scaleTo(weight.ringMs * 1.3f, {last * 0.2f, last * 0.2f, 1}, {last, last, 1}, 0.5f);
            heat->fadeTo(weight.ringMs * 1.3f, kRingHeat.a, 0.0f, 1.3f);
        }
    }
    // Sparks fly out all round, each a little off its share of the circle.
    const float turn = randomFraction() * 360.0f;
    for (int i = 0; i < weight.sparks; ++i) {
        const float degrees =
            turn + (static_cast<float>(i) + randomFraction()) * 360.0f / static_cast<float>(weight.sparks);
        sparkAt(at, degrees, spread(weight.reach, 0.4f), kSparkHot);
    }
    // Debris tumbles out, slows down and fades where it lands.
    for (int i = 0; i < weight.debris; ++i) {
        const float degrees = randomFraction() * 360.0f;
        const float scale = spread(0.2f + 0.12f * weight.lightScale, 0.3f);
        tumble(at, along(degrees, spread(weight.reach * 0.8f, 0.5f)), scale,
               spread(900.0f + 250.0f * weight.lightScale, 0.25f));
    }
    for (int i = 0; i < weight.smoke; ++i) {
        const Vec3 off = along(randomFraction() * 360.0f, randomFraction() * weight.reach * 0.3f);
        smokeAt(at + off, 0.5f + 0.35f * weight.lightScale,
                spread(1100.0f + 200.0f * weight.lightScale, 0.2f));
    }
    // The boss's blast keeps bursting round where it was, bigger first, smaller later.
    for (int i = 0; i < weight.afterBlasts && afterCount < kMostAfterBlasts; ++i) {
        const float share =
            (static_cast<float>(i) + randomFraction()) / static_cast<float>(weight.afterBlasts);
        const Vec3 off =
            along(randomFraction() * 360.0f, (0.3f + 0.7f * randomFraction()) * kAfterBlastReach);
        after[afterCount++] = {at + off, share * kAfterBlastSpanMs, 1.6f - 0.7f * share};
    }
}

// A streak of light that flies out along `degrees` and burns down on the way.
void BlastShow::sparkAt(const Vec3& at, float degrees, float reach, const Colour& tint) {
    OXSprite* spark = sparks.getFreeSprite();
    if (!spark) {
        return;
    }
    const float lifeMs = spread(260.0f + reach * 2.0f, 0.3f);
    spark->setPosition(at.x, at.y, 3.0f);
    spark->setColour(tint.r, tint.g, tint.b, tint.a);
    spark->setFrame(randomFraction() < 0.3f ? kLongStreakFrame : kSparkFrame);
    spark->setRotation(0.0f, 0.0f, -degrees);
    const float width = spread(0.35f, 0.3f);
    spark->scaleTo(lifeMs, {width, width * 1.6f, 1}, {width * 0.4f, width * 0.5f, 1}, 1.0f);
    spark->moveBy(lifeMs, along(degrees, reach), 2.5f);
    spark->fadeTo(lifeMs, 1.0f, 0.0f, 0.8f);
}

// The shard starts fast and slows, turning all the while, and fades out at the end of its way.
void BlastShow::tumble(const Vec3& at, const Vec3& delta, float scale, float lifeMs) {
    OXSprite* shard = ready ? pieces.getFreeSprite() : nullptr;
    if (!shard) {
        return;
    }
    shard->setPosition(at.x, at.y, 2.0f);
    shard->setFrame(kShardFrame + static_cast<int>(randomFraction() * kShardCount));
    shard->setRotation(0.0f, 0.0f, randomFraction() * 360.0f);
    // Some tumble one way, some the other, at their own pace (degrees per ms).
    const float spin = (0.25f + 0.6f * randomFraction()) * (randomFraction() < 0.5f ? -1.0f : 1.0f);
    shard->setSpinRate(0.0f, 0.0f, spin);
    const float mirror = randomFraction() < 0.5f ? -1.0f : 1.0f;
    shard->scaleTo(lifeMs, {scale * mirror, scale, 1}, {scale * mirror * 0.7f, scale * 0.7f, 1}, 1.0f);
    shard->moveBy(lifeMs, delta, 3.0f);        // fast at first, then drifting
    shard->fadeTo(lifeMs, 1.0f, 0.0f, 0.45f);  // held, then gone
}

void BlastShow::scratch(const Vec3& at, const Vec3& direction) {
    OXSprite* mark = ready ? sparks.getFreeSprite() : nullptr;
    if (!mark) {
        return;
    }
    // Across the bullet's path, a little off square, so a run of grazes is not one line over
    // and over; short-lived, and drawn under the bullets it marks.
    const float heading = std::atan2(direction.x, direction.y) * fxmath::kDegreesPerRadian;
    const float degrees = heading + 90.0f + (randomFraction() - 0.5f) * 50.0f;
    const float lifeMs = spread(150.0f, 0.2f);
    mark->setPosition(at.x, at.y, 3.0f);
    mark->setColour(kScratchLight.r, kScratchLight.g, kScratchLight.b, kScratchLight.a);
    mark->setFrame(kLongStreakFrame);
    mark->setRotation(0.0f, 0.0f, -degrees);
    mark->scaleTo(lifeMs, {0.5f, 0.35f, 1}, {0.2f, 0.55f, 1}, 0.6f);
    mark->moveBy(lifeMs, along(heading, 10.0f), 1.0f);
    mark->fadeTo(lifeMs, 1.0f, 0.0f, 0.7f);
}

// A puff of dark smoke that swells, drifts up a little and thins out.
void BlastShow::smokeAt(const Vec3& at, float size, float lifeMs) {
    OXSprite* puff = pieces.getFreeSprite();
    if (!puff) {
        return;
    }
    const float shade = 0.16f + 0.1f * randomFraction();
    const float alpha = 0.55f;
    puff->setColour(shade, shade * 0.85f, shade * 1.1f, alpha);
    puff->setPosition(at.x, at.y, 2.0f);
    puff->setFrame(kSmokeFrame + static_cast<int>(randomFraction() * kSmokeCount));
    puff->setRotation(0.0f, 0.0f, randomFraction() * 360.0f);
    puff->setSpinRate(0.0f, 0.0f, (randomFraction() - 0.5f) * 0.08f);
    puff->scaleTo(lifeMs, {size * 0.4f, size * 0.4f, 1}, {size, size, 1}, 2.0f);
    puff->moveBy(lifeMs, {(randomFraction() - 0.5f) * 16.0f, 14.0f + 10.0f * randomFraction(), 0.0f}, 1.0f);
    puff->fadeTo(lifeMs, alpha, 0.0f, 0.7f);
}

// One of the boss's after-blasts: a fireball of the explosion sheet with an ember or two.
void BlastShow::fireAt(const Vec3& at, float scale) {
    if (!ready) {
        return;
    }
    if (OXSprite* ball = fire.getFreeSprite()) {
        const float lifeMs = spread(520.0f, 0.15f);
        ball->setPosition(at.x, at.y, 3.0f);
        ball->setRotation(0.0f, 0.0f, randomFraction() * 360.0f);
        pickBlast(*ball);
        ball->setSpeedFactor(0.85f + 0.3f * randomFraction());
        ball->play();
        const float mirror = randomFraction() < 0.5f ? -1.0f : 1.0f;
        ball->scaleTo(lifeMs, {scale * 0.5f * mirror, scale * 0.5f, 1}, {scale * mirror, scale, 1}, 0.5f);
        ball->fadeTo(lifeMs, 0.9f, 0.0f, 1.4f);
    }
    for (int i = 0; i < 3; ++i) {
        sparkAt(at, randomFraction() * 360.0f, spread(50.0f * scale, 0.4f), kSparkHot);
    }
    tumble(at, along(randomFraction() * 360.0f, spread(60.0f, 0.4f)), 0.3f, 900.0f);
}

void BlastShow::tick(float dtMs) {
    if (!ready) {
        return;
    }
    int kept = 0;
    for (int i = 0; i < afterCount; ++i) {
        AfterBlast blast = after[i];
        blast.dueMs -= dtMs;
        if (blast.dueMs <= 0.0f) {
            fireAt(blast.at, blast.scale);
        } else {
            after[kept++] = blast;
        }
    }
    afterCount = kept;
    pieces.tick(dtMs);
    sparks.tick(dtMs);
    fire.tick(dtMs);
}

void BlastShow::drawUnder() {
    if (ready) {
        pieces.draw();
    }
}

void BlastShow::drawOver() {
    if (ready) {
        fire.draw();
        sparks.draw();
    }
}

int BlastShow::liveSprites() const {
    int live = 0;
    for (const CXSpriteBatchManager* pool : {&pieces, &sparks, &fire}) {
        for (int i = 0; i < CXSpriteBatchManager::kPoolSize; ++i) {
            live += pool->sprite(i)->isVisible() ? 1 : 0;
        }
    }
    return live;
}
