#include "fx/CXParticleEffectManager.h"

#include <cstdio>

#include "data/Plist.h"
#include "fx/OXAnchorParticleSystem.h"

namespace {
constexpr const char* kParticleFolder = "assets/plist/particles/";
}

CXParticleEffectManager::CXParticleEffectManager(int poolSize) {
    pool.reserve(static_cast<size_t>(poolSize));
    for (int i = 0; i < poolSize; ++i) {
        auto* system = new OXAnchorParticleSystem();
        system->loadPooled();
        system->setParent(this);
        pool.push_back(system);
        addObject(system);
    }
}

CXParticleEffectManager::~CXParticleEffectManager() = default;

void CXParticleEffectManager::load(const std::string& atlasPath) {
    vertexCapacity = kVertexCapacity;
    loadAtlas(atlasPath, true, true);
}

// ---- Definitions ----

bool CXParticleEffectManager::preloadEffect(const std::string& name) {
    if (name.empty() || definitions.count(name)) {
        return false;
    }
    Entry& entry = definitions[name];
    Plist::Dictionary list;
    const std::string path = kParticleFolder + name + ".plist";
    if (!Plist::loadContent(path, list)) {
        std::printf("PARTICLE EFFECT %s NOT FOUND\n", name.c_str());
        return false;
    }
    if (const char* unusable = readParticleDefinition(list, entry.definition)) {
        std::printf("PARTICLE EFFECT %s IS UNUSABLE (%s)\n", name.c_str(), unusable);
        return false;
    }
    entry.usable = true;
    return true;
}

bool CXParticleEffectManager::hasEffect(const std::string& name) const {
    const auto found = definitions.find(name);
    return found != definitions.end() && found->second.usable;
}

bool CXParticleEffectManager::setupSystem(const std::string& name, OXParticleSystem& system) {
    const auto found = definitions.find(name);
    if (found == definitions.end() || !found->second.usable) {
        return false;
    }
    system.applyDefinition(found->second.definition);
    system.setEffectName(found->first);  // the map's key lives as long as the manager
    return true;
}

// ---- Playing ----

OXAnchorParticleSystem* CXParticleEffectManager::takeIdle() {
    for (OXAnchorParticleSystem* system : pool) {
        if (!system->isHeld() && system->isIdle()) {
            reportedExhausted = false;
            return system;
        }
    }
    if (!reportedExhausted && !pool.empty()) {
        std::printf("RAN OUT OF PARTICLE SYSTEMS!\n");
        reportedExhausted = true;
    }
    return nullptr;
}

OXAnchorParticleSystem* CXParticleEffectManager::play(const std::string& name, const Vec3& at,
                                                      const Vec3& direction, float durationMs, bool glow,
                                                      bool predraw) {
    if (!hasEffect(name)) {
        return nullptr;
    }
    OXAnchorParticleSystem* system = takeIdle();
    if (!system || !setupSystem(name, *system)) {
        return nullptr;
    }
    system->setAnchor(nullptr);
    system->clearOffset();
    system->setPosition(at);
    system->setDirection(direction);
    system->setColour(1.0f, 1.0f, 1.0f, glow ? 0.0f : 1.0f);
    system->setPredraw(predraw);
    system->setVisible(true);
    system->setActive(true);
    if (durationMs >= 0.0f) {
        system->burst(durationMs);
    } else {
        system->startEmitting();
    }
    return system;
}

OXAnchorParticleSystem* CXParticleEffectManager::attach(const std::string& name, const IXRenderObject& anchor,
                                                        bool glow, bool predraw) {
    OXAnchorParticleSystem* system =
        play(name, anchor.getPosition(), {0.0f, 1.0f, 0.0f}, -1.0f, glow, predraw);
    if (system) {
        system->setAnchor(&anchor);
        system->snapToAnchor();
        system->setHeld(true);
    }
    return system;
}

void CXParticleEffectManager::stop(const IXRenderObject* effect) {
    for (OXAnchorParticleSystem* system : pool) {
        if (system == effect) {
            system->setEmitting(false);
            system->setAnchor(nullptr);
            system->setHeld(false);
            return;
        }
    }
}

void CXParticleEffectManager::addSystem(OXParticleSystem* system) {
    if (system) {
        others.push_back(system);
    }
}

void CXParticleEffectManager::adoptSystem(OXParticleSystem* system) {
    if (system) {
        adopted.push_back(system);
        addObject(system);
    }
}

int CXParticleEffectManager::busySystems() const {
    int busy = 0;
    for (const OXAnchorParticleSystem* system : pool) {
        busy += system->isHeld() || !system->isIdle() ? 1 : 0;
    }
    return busy;
}

// ---- The frame ----

void CXParticleEffectManager::update(float dtMs) {
    int live = 0;
    for (OXAnchorParticleSystem* system : pool) {
        if (!system->isActive()) {
            continue;
        }
        system->tick(dtMs);
        if (!system->isHeld() && system->isIdle()) {
            // Back to the pool: nothing to tick or draw until it is played again.
            system->setVisible(false);
            system->setActive(false);
        }
        live += system->getLiveCount();
    }
    for (OXParticleSystem* system : others) {
        system->tick(dtMs);
        live += system->getLiveCount();
    }
    for (OXParticleSystem* system : adopted) {
        system->tick(dtMs);
        live += system->getLiveCount();
    }
    liveNow = live;
    if (live > peakLive) {
        peakLive = live;
    }
    batchBuilt = predrawDrawn = false;
}

int CXParticleEffectManager::writeSystems(bool predrawPass) {
    const float du = 1.0f / static_cast<float>(numColumns);
    const float dv = 1.0f / static_cast<float>(numRows);
    const int start = vertexCount;
    auto write = [&](const OXParticleSystem* system) {
        const int live = system->getLiveCount();
        if (live == 0 || !system->isVisible() || system->isPredraw() != predrawPass || !hasRoom(6 * live)) {
            return;
        }
        const TexCoord origin = frameOrigin(system->getAtlasFrame());
        vertexCount += system->buildVertices(vertices.get() + vertexCount, origin.u, origin.v, du, dv);
    };
    for (const OXAnchorParticleSystem* system : pool) {
        write(system);
    }
    for (const OXParticleSystem* system : others) {
        write(system);
    }
    for (const OXParticleSystem* system : adopted) {
        write(system);
    }
    return vertexCount - start;
}

void CXParticleEffectManager::buildBatch() {
    vertexCount = 0;
    if (!vertices) {
        predrawVertices = 0;
        return;
    }
    predrawVertices = writeSystems(true);
    writeSystems(false);
}

void CXParticleEffectManager::ensureBatch() {
    if (!batchBuilt) {
        buildBatch();
        batchBuilt = true;
    }
}

void CXParticleEffectManager::drawPredraw() {
    if (!visible) {
        return;
    }
    ensureBatch();
    submitVertices(0, predrawVertices, blendMode, Layout::Strip);
    predrawDrawn = true;
}

void CXParticleEffectManager::draw() {
    if (!visible) {
        return;
    }
    ensureBatch();
    const int first = predrawDrawn ? predrawVertices : 0;
    submitVertices(first, vertexCount - first, blendMode, Layout::Strip);
}
