// The bullet manager's beams: their types, the pool of 60, firing and
// ending them, and the beam pass that draws them.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

namespace {
constexpr int kBeamPassBlend = 1;  // additive: beams glow
constexpr int kCoreFrame = 6;      // the white round: its middle row is the beam's white core
constexpr float kCoreWidth = 0.35f;
constexpr float kGlowAlpha = 0.45f;
constexpr float kHitSparkScale = 2.5f;
}  // namespace

void CXBulletManager::makeBeamPool() {
    beamPool.reset(new OXBeam[kBeamPoolSize]);
    for (int i = 0; i < kBeamPoolSize; ++i) {
        beamPool[i].load("");
        beamPool[i].setVisible(false);
        beamPool[i].setActive(false);
    }
}

void CXBulletManager::tickBeams(float dtMs) {
    beamFlickerSeed = beamFlickerSeed * 1103515245u + 12345u;
    for (int i = 0; i < kBeamPoolSize; ++i) {
        if (beamPool[i].isActive()) {
            beamPool[i].tick(dtMs);
        }
    }
}

bool CXBulletManager::loadBeamType(const std::string& name) {
    if (name.empty() || beamTypes.count(name) != 0) {
        return false;
    }
    Plist::Dictionary list;
    if (!readList("assets/plist/bp/" + name + ".plist", "BEAM TYPE", list)) {
        return false;  // no record: the patterns naming it fire nothing
    }
    const BeamProperties& type = beamTypes.emplace(name, BeamProperties::read(list)).first->second;
    for (const std::string* effect : {&type.hitEffect, &type.shootEffect, &type.shootWarningEffect}) {
        if (!effect->empty()) {
            effects->preloadEffect(*effect);
        }
    }
    if (!type.sound.empty()) {
        CXSoundManager::instance().loadSound(type.sound);
    }
    return true;
}

const BeamProperties* CXBulletManager::findBeamType(const std::string& name) const {
    const auto found = beamTypes.find(name);
    return found == beamTypes.end() ? nullptr : &found->second;
}

OXBeam* CXBulletManager::getBeam() {
    for (int i = 0; i < kBeamPoolSize && beamPool; ++i) {
        if (beamPool[i].isFree()) {
            return &beamPool[i];
        }
    }
    std::printf("RAN OUT OF BEAMS!!!!\n");
    return nullptr;
}

OXBeam& CXBulletManager::beamSlot(int index) {
    return beamPool[index];
}

int CXBulletManager::liveBeamCount() const {
    int live = 0;
    for (int i = 0; i < kBeamPoolSize && beamPool; ++i) {
        live += beamPool[i].isActive() ? 1 : 0;
    }
    return live;
}

bool CXBulletManager::fireBeam(float direction, const Vec3& at, float speedOffset, float beamValue,
                               const std::string& typeName, OXLauncherPlatform* owner, OXLauncher* launcher) {
    const BeamProperties* type = findBeamType(typeName);
    if (!type) {
        return false;
    }
    OXBeam* beam = getBeam();
    if (!beam) {
        return false;
    }
    beam->fire(*type, direction, at, speedOffset, beamValue, owner, launcher, this);
    if (!type->sound.empty()) {
        CXSoundManager::instance().playSound(type->sound, type->volume);
    }
    return false;
}

void CXBulletManager::stopBeamsOf(const OXLauncher* launcher) {
    for (int i = 0; i < kBeamPoolSize && beamPool; ++i) {
        OXBeam& beam = beamPool[i];
        if (beam.isVisible() && beam.isActive() && beam.getLauncher() == launcher) {
            beam.end();
        }
    }
}

void CXBulletManager::endBeamsOfOwner(const OXLauncherPlatform* owner) {
    for (int i = 0; i < kBeamPoolSize && beamPool; ++i) {
        OXBeam& beam = beamPool[i];
        if (beam.isVisible() && beam.isActive() && beam.getOwner() == owner) {
            beam.end();
        }
    }
}

// ---- The beam pass ----

void CXBulletManager::writeBeamQuad(const OXBeam& beam, int frame, float halfWidth, float halfLength,
                                    const Vec3& centre, const Colour& tint, bool thinSlice) {
    const TexCoord t = frame >= 0 && frame < static_cast<int>(frameCorners.size())
                           ? frameCorners[static_cast<size_t>(frame)]
                           : frameOrigin(frame);
    // A beam takes its cross-section from one row through the middle of a
    // round bullet's cell, stretched along its length: soft edges, an even body.
    const float v0 = thinSlice ? t.v + cellV * 0.48f : t.v;
    const float v1 = thinSlice ? t.v + cellV * 0.52f : t.v + cellV;
    const float radians = beam.getDirection() * shotmath::kRadiansPerDegree;
    const float s = std::sin(radians), c = std::cos(radians);
    const float ax = c * halfWidth, ay = -s * halfWidth;   // across the beam
    const float bx = s * halfLength, by = c * halfLength;  // along it
    const float z = beam.getPosition().z;
    // Across the beam the quad is cut to the frame's drawn part (-1 to 1 spans the cell).
    const CXTextureManager::DrawnCell cut = drawnPart(frame);
    const float left = 2.0f * cut.left - 1.0f, right = 2.0f * cut.right - 1.0f;
    const float uLeft = t.u + cellU * cut.left, uRight = t.u + cellU * cut.right;
    const QuadCorner corners[4] = {{centre.x + left * ax + bx, centre.y + left * ay + by, z, uLeft, v0},
                                   {centre.x + right * ax + bx, centre.y + right * ay + by, z, uRight, v0},
                                   {centre.x + left * ax - bx, centre.y + left * ay - by, z, uLeft, v1},
                                   {centre.x + right * ax - bx, centre.y + right * ay - by, z, uRight, v1}};
    emitQuad(QuadOrder::Triangles, corners, tint.r * tint.a, tint.g * tint.a, tint.b * tint.a, tint.a);
}

void CXBulletManager::drawBeams() {
    if (!visible || !vertices || !beamPool || liveBeamCount() == 0) {
        return;
    }
    vertexCount = 0;
    // Three layers, each over every beam so that no beam's glow covers
    // another's core: the wide flickering glow, the body, the white core
    // with the spark where the beam stops.
    for (int layer = 0; layer < 3; ++layer) {
        for (int i = 0; i < kBeamPoolSize; ++i) {
            const OXBeam& beam = beamPool[i];
            if (!beam.isVisible() || beam.getAlpha() <= 0.0f || beam.getDrawnLength() <= 0.0f ||
                !hasRoom(12)) {
                continue;
            }
            const float halfLength = beam.getDrawnLength() * 0.5f;
            const float width =
                beam.isWarning() ? std::max(beam.getWidth(), OXBeam::kWarningDrawWidth) : beam.getWidth();
            const float halfWidth = width * 0.5f * managerScale;
            const bool flicker = !beam.isWarning() && (beam.getFrameCount() & 2u);
            const int frame = flicker ? beam.getFlickerFrame() : beam.getAtlasFrame();
            const Colour& tint = beam.getColour();
            if (layer == 0) {
                const unsigned mixed =
                    (beamFlickerSeed + static_cast<unsigned>(i) * 2654435761u) * 1103515245u + 12345u;
                const float r = static_cast<float>((mixed >> 16) % 100u) * 0.01f;
                writeBeamQuad(beam, frame, halfWidth * (1.75f + 0.75f * r), halfLength, beam.getCentre(),
                              Colour{tint.r, tint.g, tint.b, tint.a * kGlowAlpha}, true);
            } else if (layer == 1) {
                writeBeamQuad(beam, frame, halfWidth, halfLength, beam.getCentre(), tint, true);
            } else {
                writeBeamQuad(beam, kCoreFrame, halfWidth * kCoreWidth, halfLength, beam.getCentre(), tint,
                              true);
                if (beam.hitThisFrame() && beam.getHitGfxFrame() >= 0) {
                    const int frames = std::max(beam.getHitGfxFrameNum(), 1);
                    const int spark = beam.getHitGfxFrame() + static_cast<int>(beam.getFrameCount() % frames);
                    const float half = std::max(beam.getWidth(), 8.0f) * 0.5f * kHitSparkScale * managerScale;
                    writeBeamQuad(beam, spark, half, half, beam.getHitPoint(), tint, false);
                }
            }
        }
    }
    if (vertexCount > 0) {
        submitVertices(0, vertexCount, kBeamPassBlend, Layout::Triangles);
    }
}
