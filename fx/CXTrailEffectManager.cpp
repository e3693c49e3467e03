#include "fx/CXTrailEffectManager.h"

#include <cmath>
#include <cstdio>

#include "fx/OXTrailEffect.h"

CXTrailEffectManager::CXTrailEffectManager() {
    pool.reserve(kPoolSize);
    for (int i = 0; i < kPoolSize; ++i) {
        auto* trail = new OXTrailEffect();
        trail->load("");
        trail->setVisible(false);
        trail->setActive(false);
        pool.push_back(trail);
        addObject(trail);
    }
}

CXTrailEffectManager::~CXTrailEffectManager() = default;

void CXTrailEffectManager::load(const std::string& atlasPath) {
    vertexCapacity = kVertexCapacity;
    loadAtlas(atlasPath, true, true);
}

OXTrailEffect* CXTrailEffectManager::spawnTrail(const IXRenderObject* target, int atlasFrame, float width,
                                                const Vec3& drift) {
    if (!target) {
        return nullptr;
    }
    for (OXTrailEffect* trail : pool) {
        if (!trail->isVisible() && !trail->isActive()) {
            reportedExhausted = false;
            trail->setWidth(width);
            trail->setAtlasFrame(atlasFrame);
            trail->setOffset({});
            trail->attach(target);
            trail->setDrift(drift);
            return trail;
        }
    }
    if (!reportedExhausted) {
        std::printf("RAN OUT OF TRAILS!\n");
        reportedExhausted = true;
    }
    return nullptr;
}

void CXTrailEffectManager::releaseTrail(const IXRenderObject* target) {
    for (OXTrailEffect* trail : pool) {
        if (trail->isVisible() && trail->isActive() && trail->getTarget() == target && !trail->isDetached()) {
            trail->detach();
            return;
        }
    }
}

int CXTrailEffectManager::trailsInUse() const {
    int inUse = 0;
    for (const OXTrailEffect* trail : pool) {
        inUse += trail->isVisible() || trail->isActive() ? 1 : 0;
    }
    return inUse;
}

void CXTrailEffectManager::update(float dtMs) {
    int inUse = 0;
    for (OXTrailEffect* trail : pool) {
        if (trail->isActive()) {
            trail->tick(dtMs);
            ++inUse;
        }
    }
    if (inUse > peakInUse) {
        peakInUse = inUse;
    }
}

namespace {

// The unit side vector of the ribbon at a spine point: a quarter turn of
// the spine's direction there; zero where the spine has no length.
Vec3 sideAt(const Vec3* points, int i, int count) {
    const Vec3 along = i + 1 < count ? points[i] - points[i + 1] : points[i - 1] - points[i];
    const float length = std::sqrt(along.x * along.x + along.y * along.y);
    if (!(length > 0.0f)) {
        return {};
    }
    return {-along.y / length, along.x / length, 0.0f};
}

}  // namespace

void CXTrailEffectManager::buildBatch() {
    vertexCount = 0;
    if (!vertices) {
        return;
    }
    constexpr int kPoints = OXTrailEffect::kPoints;
    const float du = 1.0f / static_cast<float>(numColumns);
    const float dv = 1.0f / static_cast<float>(numRows);
    for (const OXTrailEffect* trail : pool) {
        if (!trail->isVisible() || !hasRoom(36)) {
            continue;
        }
        const Colour& c = trail->getColour();
        const float a = c.a * trail->fade();
        const float r = c.r * a, g = c.g * a, b = c.b * a;
        const float half = trail->getWidth() * managerScale;
        const TexCoord origin = frameOrigin(trail->getAtlasFrame() < 0 ? 0 : trail->getAtlasFrame());
        const Vec3* points = trail->getPoints();
        Vec3 sides[kPoints];
        for (int i = 0; i < kPoints; ++i) {
            sides[i] = sideAt(points, i, kPoints) * half;
        }
        BatchVertex* out = vertices.get() + vertexCount;
        for (int k = 0; k < kPoints - 1; ++k) {
            const float near = static_cast<float>(k) / 6.0f;
            const float far = static_cast<float>(k + 1) / 6.0f;
            const Vec3& p0 = points[k];
            const Vec3& p1 = points[k + 1];
            const Vec3& s0 = sides[k];
            const Vec3& s1 = sides[k + 1];
            const float v0 = origin.v + dv * near, v1 = origin.v + dv * far;
            const float uMinus = origin.u, uPlus = origin.u + du;
            const QuadCorner corners[4] = {{p0.x - s0.x, p0.y - s0.y, p0.z + near, uMinus, v0},
                                           {p0.x + s0.x, p0.y + s0.y, p0.z + near, uPlus, v0},
                                           {p1.x + s1.x, p1.y + s1.y, p1.z + far, uPlus, v1},
                                           {p1.x - s1.x, p1.y - s1.y, p1.z + far, uMinus, v1}};
            out = writeQuad(out, QuadOrder::Around, corners, r, g, b, a);
        }
        vertexCount += 6 * (kPoints - 1);
    }
}

void CXTrailEffectManager::drawBatch() {
    buildBatch();
    submitVertices(0, vertexCount, blendMode, Layout::Triangles);
}
