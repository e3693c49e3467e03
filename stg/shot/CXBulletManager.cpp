#include "stg/shot/CXBulletManager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "engine/RotationCorners.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

namespace {
// Four floats handled at once (the compiler's vector extension; plain SSE on x86).
using Float4 = float __attribute__((vector_size(16)));
using Mask4 = int __attribute__((vector_size(16)));

Float4 load4(const float* values) {
    Float4 v;
    std::memcpy(&v, values, sizeof v);
    return v;
}

Float4 splat4(float value) {
    return Float4{value, value, value, value};
}

constexpr int kEnemyPassBlend = 0;   // premultiplied alpha
constexpr int kPlayerPassBlend = 1;  // additive: player shots glow
constexpr int kPrizePassBlend = 0;
constexpr int kShootableBlock = 4;       // enemies pre-tested together
constexpr int kShootableReserve = 1024;  // enemies gathered without reallocating
constexpr int kFewShootables = 12;       // up to this many share one band
constexpr int kBandEntryReserve = 8192;  // enemies in all bands together; more: one band
constexpr float kPickupSoundGapMs = 64.0f;
// A pickup heard within this long of the last one continues a run: each step of the run plays
// a little quieter, down to a floor, so a screen of orbs stays under the music; a pause as
// long as this brings the next one back at full level.
constexpr float kPickupRunGapMs = 300.0f;
constexpr float kPickupRunStepDb = 1.5f;
constexpr int kPickupRunSteps = 6;
constexpr float kPickupPitchSpread = 0.3f;            // semitones
const std::string kPickupSound = "prize_pickup.caf";  // made once: playing it allocates nothing
}  // namespace

CXBulletManager::CXBulletManager() = default;

CXBulletManager::~CXBulletManager() = default;

void CXBulletManager::makePool(Pool& pool, int slotCount, const char* exhausted) {
    pool.slots.reset(new OXBullet[static_cast<size_t>(slotCount)]);
    pool.size = slotCount;
    pool.live = 0;
    pool.lowFree = 0;
    pool.highFree = slotCount - 1;
    pool.exhausted = exhausted;
    for (int i = 0; i < slotCount; ++i) {
        OXBullet& slot = pool.slots[i];
        slot.setManager(this);
        slot.load("");
        slot.setVisible(false);
        slot.setActive(false);
    }
}

void CXBulletManager::load(const std::string& path) {
    vertexCapacity = kVertexCapacity;
    loadAtlas(path, true, true);
    blendMode = kEnemyPassBlend;
    cellU = 1.0f / static_cast<float>(numColumns);
    cellV = 1.0f / static_cast<float>(numRows);
    frameCorners.clear();
    for (int frame = 0; frame < numColumns * numRows; ++frame) {
        frameCorners.push_back(frameOrigin(frame));
    }
    // Most of a cell around a bullet is clear: on a software rasteriser the
    // clear texels filled by thousands of quads cost more than the bullets.
    drawnFrames = CXTextureManager::instance().drawnCells(textureId, numColumns, numRows);
    makePool(enemyPool, kEnemyPoolSize, "RAN OUT OF BULLETS!\n");
    makePool(prizePool, kPrizePoolSize, "RAN OUT OF PRIZES!!!!\n");
    makeBeamPool();
    makePool(playerPool, kPlayerPoolSize, "RAN OUT OF PLAYER BULLETS!\n");
    blockers.clear();
    view.anyBlockers = false;
    blockers.reserve(static_cast<size_t>(kEnemyPoolSize + kPlayerPoolSize));
    shootableX.reserve(kShootableReserve);
    shootableY.reserve(kShootableReserve);
    shootableYSize.reserve(kShootableReserve);
    shootableReach.reserve(kShootableReserve);
    shootables.reserve(kShootableReserve);
    shootableBands.reserve(2 * kShootableReserve);
    bandX.reserve(kBandEntryReserve);
    bandY.reserve(kBandEntryReserve);
    bandYSize.reserve(kBandEntryReserve);
    bandReach.reserve(kBandEntryReserve);
    bandEnemies.reserve(kBandEntryReserve);
    timeScale = 1.0f;
    pickupSoundCooldown = 0.0f;
    pickupQuietMs = kPickupRunGapMs;
    pickupRun = 0;
    CXSoundManager::instance().loadSound(kPickupSound);
    refreshFrame();
}

void CXBulletManager::setWorld(IXShotWorld* value) {
    world = value;
    refreshFrame();
}

void CXBulletManager::setPlayer() {
    refreshFrame();
}

void CXBulletManager::refreshFrame() {
    view.world = world;
    view.player = world ? world->shotTarget() : nullptr;
    view.playerUsable = false;
    view.laserHeld = false;
    if (view.player) {
        const IXRenderObject& body = view.player->body();
        view.playerPosition = body.getPosition();
        view.playerUsable = body.isVisible() && view.player->isAlive();
        view.laserHeld = view.player->isLaserHeld();
    }
    view.graceActive = world && world->bulletGraceTime() > 0.0f;
    view.anyBlockers = !blockers.empty();
    view.casual = world && world->isCasualPlay();
}

// ---- Types and patterns ----

bool CXBulletManager::readList(const std::string& path, const char* kind, Plist::Dictionary& out) {
    out.clear();
    if (Plist::loadContent(path, out)) {
        return true;
    }
    // A malformed list has been reported by the reader; a missing one is reported here.
    if (!assetExists(path)) {
        std::printf("MISSING %s %s\n", kind, path.c_str());
    }
    return false;
}

bool CXBulletManager::loadBulletType(const std::string& name) {
    if (name.empty() || bulletTypes.count(name) != 0) {
        return false;
    }
    Plist::Dictionary list;
    readList("assets/plist/bp/" + name + ".plist", "BULLET TYPE", list);
    // In the map before its pattern loads, so a pattern naming it back finds it.
    const BulletProperties& type = bulletTypes.emplace(name, BulletProperties::read(list)).first->second;
    if (!type.firePattern.empty()) {
        loadFirePattern(type.firePattern);
    }
    if (!type.effect.empty()) {
        effects->preloadEffect(type.effect);
    }
    if (!type.hitEffect.empty()) {
        effects->preloadEffect(type.hitEffect);
    }
    if (!type.sound.empty()) {
        CXSoundManager::instance().loadSound(type.sound);
    }
    return true;
}

BulletProperties* CXBulletManager::findBulletType(const std::string& name) {
    const auto found = bulletTypes.find(name);
    return found == bulletTypes.end() ? nullptr : &found->second;
}

bool CXBulletManager::loadFirePattern(const std::string& name) {
    if (name.empty() || firePatterns.count(name) != 0) {
        return false;
    }
    Plist::Dictionary list;
    readList("assets/plist/fp/" + name + ".plist", "FIRE PATTERN", list);
    // In the map before its bullet type loads, so each file is read once.
    const FirePattern& pattern = firePatterns.emplace(name, FirePattern::read(list)).first->second;
    if (!pattern.bulletType.empty()) {
        if (pattern.isBeam) {
            loadBeamType(pattern.bulletType);
        } else {
            loadBulletType(pattern.bulletType);
        }
    }
    return true;
}

FirePattern* CXBulletManager::findFirePattern(const std::string& name) {
    const auto found = firePatterns.find(name);
    return found == firePatterns.end() ? nullptr : &found->second;
}

bool CXBulletManager::setupLauncher(OXLauncher* launcher, const std::string& patternName) {
    const FirePattern* found = launcher ? findFirePattern(patternName) : nullptr;
    if (!found) {
        return false;
    }
    const FirePattern& p = *found;
    const float r = static_cast<float>(rank);
    launcher->resetActions();
    launcher->setManager(this);
    launcher->setDelay(std::floor(r * p.delayVar) + p.delay);
    launcher->setRepeat(static_cast<int>(std::floor(r * p.repeatVar + p.repeat + 0.5f)));
    launcher->setSalvo(static_cast<int>(std::floor(r * p.salvoVar + 0.5f)) + p.salvo);
    launcher->setBomblet(static_cast<int>(std::floor(r * p.bombletVar + 0.5f)) + p.bomblet);
    launcher->setGapFrequency(p.gapFrequency + p.gapFrequencyVar * rank);
    launcher->setGapSize(p.gapSize + p.gapSizeVar * rank);
    launcher->setDirectionType(p.directionType);
    launcher->setDirectionAngle(p.directionAngle);
    launcher->setDirectionChange(p.directionChange);
    launcher->setBombletAngle(p.bombletAngle);
    launcher->setBombletSpeedChange(p.bombletSpeedChange);
    launcher->setOffset(p.offset);
    launcher->setRepeatOffset(p.repeatOffset);
    launcher->setAngleChange(p.angleChange);
    launcher->setSpeedChange(p.speedChange);
    launcher->setRepeatSpeedChange(p.repeatSpeedChange);
    launcher->setRepeatSalvoChange(p.repeatSalvoChange);
    launcher->setRepeatBombletChange(p.repeatBombletChange);
    launcher->setPattern(&p);
    launcher->setBulletType(p.isBeam ? nullptr : findBulletType(p.bulletType));
    launcher->setAimType(p.aimType);
    launcher->setIsBeam(p.isBeam);
    launcher->setWantSound(p.wantSound);
    launcher->setState(OXLauncher::Armed);
    return true;
}

// ---- Pools ----

OXBullet* CXBulletManager::take(Pool& pool, bool fromBack) {
    if (fromBack) {
        for (int i = std::min(pool.highFree, pool.size - 1); i >= 0; --i) {
            if (pool.slots[i].isFree()) {
                pool.highFree = i - 1;
                ++pool.live;
                return &pool.slots[i];
            }
        }
        pool.highFree = -1;
    } else {
        for (int i = std::max(pool.lowFree, 0); i < pool.size; ++i) {
            if (pool.slots[i].isFree()) {
                pool.lowFree = i + 1;
                ++pool.live;
                return &pool.slots[i];
            }
        }
        pool.lowFree = pool.size;
    }
    std::printf("%s", pool.exhausted);
    return nullptr;
}

CXBulletManager::Pool* CXBulletManager::poolOf(const OXBullet* bullet) {
    for (Pool* pool : {&enemyPool, &playerPool, &prizePool}) {
        if (pool->slots && bullet >= pool->slots.get() && bullet < pool->slots.get() + pool->size) {
            return pool;
        }
    }
    return nullptr;
}

void CXBulletManager::slotFreed(const OXBullet* bullet) {
    Pool* pool = poolOf(bullet);
    if (!pool) {
        return;
    }
    const int index = static_cast<int>(bullet - pool->slots.get());
    pool->lowFree = std::min(pool->lowFree, index);
    pool->highFree = std::max(pool->highFree, index);
    --pool->live;
}

OXBullet* CXBulletManager::getBullet(bool glowPool, bool fromBack) {
    return take(glowPool ? playerPool : enemyPool, fromBack);
}

OXBullet* CXBulletManager::getPrize() {
    return take(prizePool, false);
}

OXBullet& CXBulletManager::enemyBullet(int index) {
    return enemyPool.slots[index];
}

OXBullet& CXBulletManager::playerBullet(int index) {
    return playerPool.slots[index];
}

OXBullet& CXBulletManager::prizeSlot(int index) {
    return prizePool.slots[index];
}

bool CXBulletManager::fireBullet(float direction, const Vec3& at, float speedOffset,
                                 const BulletProperties* type, OXLauncherPlatform* firer) {
    if (!type) {
        return false;
    }
    OXBullet* bullet = getBullet(type->isGlow, type->isBack);
    if (!bullet) {
        return false;
    }
    bullet->launch(*type, direction, at, speedOffset, firer, timeScale);
    if (type->isBulletBlock) {
        blockers.push_back(bullet);
        view.anyBlockers = true;
    }
    return true;
}

bool CXBulletManager::spawnPrize(const Vec3& at, int prizeType) {
    OXBullet* item = getPrize();
    if (!item) {
        return false;
    }
    item->makePrize(prizeType);
    item->setPosition(at);
    item->setVisible(true);
    item->setActive(true);
    return true;
}

void CXBulletManager::releasePrizes(const Vec3& around, float spread, int count, int prizeType) {
    for (int i = 0; i < count; ++i) {
        const float radians = shotmath::randomFraction() * 360.0f * shotmath::kRadiansPerDegree;
        spawnPrize({around.x + std::sin(radians) * spread, around.y + std::cos(radians) * spread, 0.0f},
                   prizeType);
    }
}

// ---- Update ----

void CXBulletManager::tickPool(Pool& pool, float dtMs) {
    if (pool.live == 0) {
        return;
    }
    OXBullet::tickSlots(pool.slots.get(), pool.size, dtMs, view);
}

void CXBulletManager::update(float dtMs) {
    if (!enemyPool.slots) {
        return;
    }
    if (pickupSoundCooldown >= 0.0f) {
        pickupSoundCooldown -= dtMs;
    }
    if (pickupQuietMs < kPickupRunGapMs) {
        pickupQuietMs += dtMs;
    }
    refreshFrame();
    shootablesGathered = false;
    tickPool(enemyPool, dtMs);
    tickPool(prizePool, dtMs);
    tickPool(playerPool, dtMs);
    tickBeams(dtMs);
    ++updateCount;
}

void CXBulletManager::gatherShootables() {
    shootablesGathered = true;
    shootableX.clear();
    shootableY.clear();
    shootableYSize.clear();
    shootableReach.clear();
    shootables.clear();
    boss = nullptr;
    if (world) {
        const int count = world->shootableCount();
        for (int i = 0; i < count; ++i) {
            IXShootable* enemy = world->shootable(i);
            if (!enemy || enemy->isEntering() || enemy->isDying() || enemy->isFriendly()) {
                continue;
            }
            const IXRenderObject& body = enemy->body();
            shootableX.push_back(body.getX());
            shootableY.push_back(body.getY());
            shootableYSize.push_back(enemy->hasLiveModules() ? std::numeric_limits<float>::infinity()
                                                             : body.getSize().y);
            shootableReach.push_back(enemy->shotReach());
            shootables.push_back(enemy);
        }
        IXShootable* current = world->currentBoss();
        if (current) {
            const IXRenderObject& body = current->body();
            if (body.isActive() && body.isVisible() && !current->isDying() && !current->isInvincible()) {
                boss = current;
            }
        }
    }
    sortShootablesIntoBands();
}

int CXBulletManager::bandOf(float y) const {
    const float at = (y - bandBase) * bandScale;
    if (at >= 0.0f && at < static_cast<float>(bandCount)) {
        return static_cast<int>(at);
    }
    return bandCount;  // outside every span, or not a number
}

void CXBulletManager::sortShootablesIntoBands() {
    const int count = static_cast<int>(shootables.size());
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    // An enemy at y with y size h passes the vertical test for shots within
    // h of y; the span is widened well beyond the rounding of that test.
    auto margin = [](float y, float h) { return 1.0f + (std::fabs(y) + h) * 1e-5f; };
    float low = kInfinity, high = -kInfinity;
    for (int i = 0; i < count; ++i) {
        const float y = shootableY[static_cast<size_t>(i)];
        const float h = shootableYSize[static_cast<size_t>(i)];
        if (std::isfinite(y) && std::isfinite(h) && h >= 0.0f) {
            low = std::min(low, y - h - margin(y, h));
            high = std::max(high, y + h + margin(y, h));
        }
    }
    bandCount = kShootableBands;
    bandBase = low <= high ? low : 0.0f;
    // A little room above, so the top of the highest span still lands inside.
    bandScale = low < high ? static_cast<float>(kShootableBands) / ((high - low) * 1.001f) : 0.0f;
    if (count <= kFewShootables) {
        bandCount = 1;  // not worth sorting: one band holds them all
        bandScale = 0.0f;
    }

    // Each enemy's first and last band; -1 for one no shot can pass.
    shootableBands.resize(static_cast<size_t>(2 * count));
    auto spanBands = [&]() {
        for (int i = 0; i < count; ++i) {
            const float y = shootableY[static_cast<size_t>(i)];
            const float h = shootableYSize[static_cast<size_t>(i)];
            int first = -1, last = -1;
            if (!(h >= 0.0f) || std::isnan(y)) {
                // never within a negative or undefined y size
            } else if (std::isinf(h)) {
                first = 0;  // live modules: every band, and outside them
                last = bandCount;
            } else if (!std::isinf(y)) {
                first = std::min(bandOf(y - h - margin(y, h)), bandCount - 1);
                last = std::min(bandOf(y + h + margin(y, h)), bandCount - 1);
            }
            shootableBands[static_cast<size_t>(2 * i)] = first;
            shootableBands[static_cast<size_t>(2 * i + 1)] = last;
        }
    };
    // Each band's first entry, its size rounded up to whole blocks.
    auto layOut = [&]() {
        std::array<int, kShootableBands + 1> sizes{};
        for (int i = 0; i < count; ++i) {
            const int first = shootableBands[static_cast<size_t>(2 * i)];
            for (int b = first; first >= 0 && b <= shootableBands[static_cast<size_t>(2 * i + 1)]; ++b) {
                ++sizes[static_cast<size_t>(b)];
            }
        }
        bandStart[0] = 0;
        for (int b = 0; b <= bandCount; ++b) {
            const int blocks = (sizes[static_cast<size_t>(b)] + kShootableBlock - 1) / kShootableBlock;
            bandStart[static_cast<size_t>(b + 1)] =
                bandStart[static_cast<size_t>(b)] + blocks * kShootableBlock;
        }
        return bandStart[static_cast<size_t>(bandCount + 1)];
    };
    spanBands();
    int entries = layOut();
    if (entries > kBandEntryReserve) {
        // Too many to sort without allocating: one band holds everything.
        bandCount = 1;
        bandScale = 0.0f;
        spanBands();
        entries = layOut();
    }

    // Padding first, then every enemy into its bands in list order.
    bandX.assign(static_cast<size_t>(entries), 0.0f);
    bandY.assign(static_cast<size_t>(entries), 0.0f);
    bandYSize.assign(static_cast<size_t>(entries), -1.0f);
    bandReach.assign(static_cast<size_t>(entries), -1.0f);
    bandEnemies.assign(static_cast<size_t>(entries), nullptr);
    std::array<int, kShootableBands + 1> next{};
    std::copy(bandStart.begin(), bandStart.begin() + bandCount + 1, next.begin());
    for (int i = 0; i < count; ++i) {
        const int first = shootableBands[static_cast<size_t>(2 * i)];
        for (int b = first; first >= 0 && b <= shootableBands[static_cast<size_t>(2 * i + 1)]; ++b) {
            const size_t at = static_cast<size_t>(next[static_cast<size_t>(b)]++);
            bandX[at] = shootableX[static_cast<size_t>(i)];
            bandY[at] = shootableY[static_cast<size_t>(i)];
            bandYSize[at] = shootableYSize[static_cast<size_t>(i)];
            bandReach[at] = shootableReach[static_cast<size_t>(i)];
            bandEnemies[at] = shootables[static_cast<size_t>(i)];
        }
    }
}

bool CXBulletManager::strikeEnemies(const OXBullet& shot) {
    if (!shootablesGathered) {
        gatherShootables();
    }
    if (bandEnemies.empty() && !boss) {
        return false;  // nothing on the field can be hit
    }
    const float x = shot.getX();
    const float y = shot.getY();
    // Nothing of the shot lies farther from its centre than this.
    const Vec3& extent = shot.getSize();
    const Vec3& drawn = shot.getScale();
    const float shotRadius = 0.5f * std::max(extent.x, extent.y) *
                             std::max(std::fabs(drawn.x), std::fabs(drawn.y)) *
                             std::max(shot.getHitScale(), 1.0f);
    const float change = -shot.getDamage();
    auto struck = [&](IXShootable* enemy) {
        const ShotContact contact = enemy->hitTest(shot, change);
        if (contact == ShotContact::Missed) {
            return false;
        }
        if (contact == ShotContact::Body) {
            enemy->applyDamage(change);
        }
        enemy->setLastHitDirection(shot.getDirection());
        return true;
    };
    const float* xs = bandX.data();
    const float* ys = bandY.data();
    const float* ySizes = bandYSize.data();
    const float* reaches = bandReach.data();
    const Float4 shotX = splat4(x);
    const Float4 shotY = splat4(y);
    const Float4 radius = splat4(shotRadius);
    // The enemies of the shot's band, four at a time: within the vertical
    // rejection by the enemy's y size, and within its reach in x and y.
    const int band = bandOf(y);
    const int end = bandStart[static_cast<size_t>(band + 1)];
    for (int i = bandStart[static_cast<size_t>(band)]; i < end; i += kShootableBlock) {
        Float4 dx = load4(xs + i) - shotX;
        Float4 dy = load4(ys + i) - shotY;
        dx = dx < 0.0f ? -dx : dx;
        dy = dy < 0.0f ? -dy : dy;
        const Float4 farther = dx > dy ? dx : dy;
        const Mask4 near = (dy <= load4(ySizes + i)) & (farther - radius <= load4(reaches + i));
        uint64_t any[2];
        std::memcpy(any, &near, sizeof any);
        if ((any[0] | any[1]) == 0) {
            continue;  // the usual case: nothing of this block is near
        }
        for (int k = 0; k < kShootableBlock; ++k) {
            if (near[k] && struck(bandEnemies[static_cast<size_t>(i + k)])) {
                return true;
            }
        }
    }
    return boss && struck(boss);
}

// ---- Cancels ----

bool CXBulletManager::clearable(const OXBullet& bullet, bool includeInvul) {
    return bullet.isVisible() && bullet.isEnemySide() && !bullet.isPrize() && !bullet.isDying() &&
           (includeInvul || !bullet.isInvulnerable());
}

int CXBulletManager::cancelBulletsOfFirer(const OXLauncherPlatform* firer, int prizeType) {
    if (!firer) {
        return 0;
    }
    int converted = 0;
    for (Pool* pool : {&enemyPool, &playerPool}) {
        for (int i = 0; i < pool->size; ++i) {
            OXBullet& bullet = pool->slots[i];
            if (bullet.isVisible() && bullet.getFirer() == firer && !bullet.isPrize() &&
                !bullet.isInvulnerable() && !bullet.isDying()) {
                const Vec3 at = bullet.getPosition();
                bullet.release();
                spawnPrize(at, prizeType);
                ++converted;
            }
        }
    }
    return converted;
}

namespace {
// Where a clear reaches: within `radius` of `centre` (x and y only)...
auto withinRadius(const Vec3& centre, float radius) {
    return [centre, radiusSq = radius * radius](const OXBullet& bullet) {
        const float dx = bullet.getX() - centre.x;
        const float dy = bullet.getY() - centre.y;
        return dx * dx + dy * dy <= radiusSq;
    };
}

// ...or inside the upright rectangle origin.x +- halfWidth, origin.y ... origin.y + height.
auto withinRect(const Vec3& origin, float height, float halfWidth) {
    return [origin, height, halfWidth](const OXBullet& bullet) {
        const float x = bullet.getX();
        const float y = bullet.getY();
        return origin.x - halfWidth <= x && x <= origin.x + halfWidth && origin.y <= y &&
               y <= origin.y + height;
    };
}
}  // namespace

// A cancelled bullet leaves a prize where it was.
auto CXBulletManager::intoPrize(int prizeType) {
    return [this, prizeType](OXBullet& bullet) {
        const Vec3 at = bullet.getPosition();
        bullet.release();
        spawnPrize(at, prizeType);
    };
}

template <typename Inside, typename End>
int CXBulletManager::endClearable(bool includeInvul, Inside inside, End end) {
    int ended = 0;
    for (Pool* pool : {&enemyPool, &playerPool}) {
        for (int i = 0; i < pool->size; ++i) {
            OXBullet& bullet = pool->slots[i];
            if (clearable(bullet, includeInvul) && inside(bullet)) {
                end(bullet);
                ++ended;
            }
        }
    }
    return ended;
}

int CXBulletManager::cancelBulletsInRadius(const Vec3& centre, float radius, bool includeInvul,
                                           int prizeType) {
    return endClearable(includeInvul, withinRadius(centre, radius), intoPrize(prizeType));
}

int CXBulletManager::cancelBulletsInRect(const Vec3& origin, float height, float halfWidth, bool includeInvul,
                                         int prizeType) {
    return endClearable(includeInvul, withinRect(origin, height, halfWidth), intoPrize(prizeType));
}

int CXBulletManager::expireEnemyBullets(bool includeInvul) {
    return endClearable(
        includeInvul, [](const OXBullet&) { return true; },
        [](OXBullet& bullet) { bullet.expireOrVanish(); });
}

int CXBulletManager::expireBulletsInRadius(const Vec3& centre, float radius, bool includeInvul) {
    return endClearable(includeInvul, withinRadius(centre, radius),
                        [](OXBullet& bullet) { bullet.expireOrVanish(); });
}

int CXBulletManager::expireBulletsOfFirer(const OXLauncherPlatform* firer) {
    if (!firer) {
        return 0;
    }
    int ended = 0;
    for (Pool* pool : {&enemyPool, &playerPool}) {
        for (int i = 0; i < pool->size; ++i) {
            OXBullet& bullet = pool->slots[i];
            if (bullet.isVisible() && bullet.isActive() && bullet.getFirer() == firer &&
                !bullet.isInvulnerable() && !bullet.isPrize() && !bullet.isDying()) {
                bullet.expireOrVanish();
                ++ended;
            }
        }
    }
    return ended;
}

// ---- Blockers and sounds ----

bool CXBulletManager::isBlocked(const OXBullet& bullet) const {
    if (blockers.empty() || bullet.isBulletBlock() || bullet.isPrize()) {
        return false;
    }
    for (const OXBullet* blocker : blockers) {
        if (blocker != &bullet && !blocker->isDying() && blocker->overlaps(&bullet)) {
            return true;
        }
    }
    return false;
}

void CXBulletManager::removeBlocker(const OXBullet* bullet) {
    const auto found = std::find(blockers.begin(), blockers.end(), bullet);
    if (found != blockers.end()) {
        blockers.erase(found);
    }
    view.anyBlockers = !blockers.empty();
}

void CXBulletManager::playPickupSound() {
    if (pickupSoundCooldown <= 0.0f) {
        pickupRun = pickupQuietMs < kPickupRunGapMs ? std::min(pickupRun + 1, kPickupRunSteps) : 0;
        const float level = std::pow(10.0f, -kPickupRunStepDb * static_cast<float>(pickupRun) / 20.0f);
        CXSoundManager::instance().playSound(kPickupSound, level, kPickupPitchSpread);
        pickupSoundCooldown = kPickupSoundGapMs;
        pickupQuietMs = 0.0f;
    }
}

// ---- Drawing ----

template <CXBulletManager::QuadStyle style>
void CXBulletManager::writeQuad(const OXBullet& bullet, bool rotated) {
    const int frame = bullet.drawFrame();
    const TexCoord t = frame >= 0 && frame < static_cast<int>(frameCorners.size())
                           ? frameCorners[static_cast<size_t>(frame)]
                           : frameOrigin(frame);
    const Vec3& p = bullet.getPosition();
    const Vec3& extent = bullet.getSize();
    const Vec3& drawn = bullet.getScale();
    const float grow = style == QuadStyle::Outline ? kOutlineScale : 1.0f;
    const float hx = extent.x * 0.5f * bullet.getWidthFactor() * drawn.x * managerScale * grow;
    const float hy = extent.y * 0.5f * bullet.getHeightFactor() * drawn.y * managerScale * grow;
    // The picture's up turns to the bullet's direction: corner table entry
    // 359 - direction (directions are kept in [0, 360)), whose (a, b) are
    // (sin k - cos k, -(sin k + cos k)).
    float s = 0.0f;
    float c = 1.0f;
    if (rotated) {
        const float turn = 359.0f - bullet.getDirection();
        const RotationCorner& corner =
            rotationCorner(turn >= 0.0f && turn < 360.0f ? static_cast<int>(turn) : 359);
        s = (corner.a - corner.b) * 0.5f;
        c = -(corner.a + corner.b) * 0.5f;
    }
    const float ax = hx * c, ay = hx * s;   // half the quad's width, turned
    const float bx = -hy * s, by = hy * c;  // half its height, turned
    const Colour& tint = bullet.getColour();
    Float4 premultiplied{tint.r * tint.a, tint.g * tint.a, tint.b * tint.a, tint.a};
    if constexpr (style == QuadStyle::Outline) {
        // No colour and the bullet's cover: the blend darkens what lies beneath its shape.
        premultiplied = Float4{0.0f, 0.0f, 0.0f, tint.a};
    } else if constexpr (style == QuadStyle::Core) {
        const auto lift = [&tint](float channel) {
            return (channel + (1.0f - channel) * kCoreLift) * tint.a;
        };
        premultiplied = Float4{lift(tint.r), lift(tint.g), lift(tint.b), tint.a};
    }
    // The quad cut to the frame's drawn part: -1 to 1 across (left to right)
    // and down (top to bottom) spans the whole cell.
    const CXTextureManager::DrawnCell cut = drawnPart(frame);
    const float left = 2.0f * cut.left - 1.0f, right = 2.0f * cut.right - 1.0f;
    const float top = 1.0f - 2.0f * cut.top, bottom = 1.0f - 2.0f * cut.bottom;
    const float uLeft = t.u + cellU * cut.left, uRight = t.u + cellU * cut.right;
    const float vTop = t.v + cellV * cut.top, vBottom = t.v + cellV * cut.bottom;
    const QuadCorner corners[4] = {
        {p.x + left * ax + top * bx, p.y + left * ay + top * by, p.z, uLeft, vTop},
        {p.x + right * ax + top * bx, p.y + right * ay + top * by, p.z, uRight, vTop},
        {p.x + left * ax + bottom * bx, p.y + left * ay + bottom * by, p.z, uLeft, vBottom},
        {p.x + right * ax + bottom * bx, p.y + right * ay + bottom * by, p.z, uRight, vBottom}};
    emitQuad(QuadOrder::Strip, corners, premultiplied[0], premultiplied[1], premultiplied[2],
             premultiplied[3]);
}

CXTextureManager::DrawnCell CXBulletManager::drawnPart(int frame) const {
    return frame >= 0 && frame < static_cast<int>(drawnFrames.size())
               ? drawnFrames[static_cast<size_t>(frame)]
               : CXTextureManager::DrawnCell{};
}

template <CXBulletManager::QuadStyle style>
void CXBulletManager::buildPass(const Pool& pool, bool backwards, bool rotated, bool append) {
    if (!append) {
        vertexCount = 0;
    }
    if (pool.live == 0) {
        return;
    }
    for (int n = 0; n < pool.size; ++n) {
        const OXBullet& bullet = pool.slots[backwards ? pool.size - 1 - n : n];
        if (!bullet.isVisible()) {
            continue;
        }
        if (!hasRoom(6)) {
            return;
        }
        writeQuad<style>(bullet, rotated && !bullet.isBulletBlock());
    }
}

void CXBulletManager::buildBatch() {
    if (visibility != nullptr && visibility->bulletContrast) {
        // Every outline first, then every bullet: no outline covers another bullet.
        buildPass<QuadStyle::Outline>(enemyPool, true, true);
        buildPass<QuadStyle::Core>(enemyPool, true, true, true);
    } else {
        buildPass(enemyPool, true, true);
    }
}

void CXBulletManager::submitBatch(int mode) {
    submitVertices(0, vertexCount, mode, Layout::Strip);
}

void CXBulletManager::drawBatch() {
    if (!vertices) {
        return;
    }
    buildBatch();
    submitBatch(kEnemyPassBlend);
}

void CXBulletManager::drawPlayerBullets() {
    if (!visible || !vertices) {
        return;
    }
    buildPass(playerPool, false, true);
    submitBatch(kPlayerPassBlend);
}

void CXBulletManager::drawPrizes() {
    if (!visible || !vertices) {
        return;
    }
    buildPass(prizePool, false, false);
    submitBatch(kPrizePassBlend);
}
