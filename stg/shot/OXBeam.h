#pragma once

#include <string>

#include "engine/OXSprite.h"

class OXLauncher;
class OXLauncherPlatform;

// One slot of the bullet manager's beam pool: a straight laser growing out of
// the launcher that fired it. This holds what the pool and the launchers need
// of a beam (its launcher, its owner, its offset, ending it); the beam's
// growth, widths, collisions and drawing come with the beam types.
class OXBeam : public OXSprite {
  public:
    ~OXBeam() override;
    // Pooled: loaded with an empty path, then hidden and inactive.
    void load(const std::string& path) override;
    // Keeps the beam where it was fired from relative to its launcher.
    void tick(float dtMs) override;
    // The bullet manager's beam pass draws beams; a beam draws nothing itself.
    void draw() override {}
    // The parent is the launcher the beam follows.
    void setParent(IXRenderObject* newParent) override;

    // A slot is free while it is neither visible nor active.
    bool isFree() const { return !visible && !active; }
    // Hidden, inactive, unlinked: back in the pool.
    void end();

    OXLauncher* getLauncher() const { return launcher; }
    void setOwner(OXLauncherPlatform* value) { owner = value; }
    OXLauncherPlatform* getOwner() const { return owner; }
    void setOwnerKind(int kind) { ownerKind = kind; }
    int getOwnerKind() const { return ownerKind; }
    // Offset from the launcher's position, kept while the beam lives.
    void setLauncherOffset(const Vec3& value) { launcherOffset = value; }

  private:
    OXLauncher* launcher = nullptr;       // not owned
    OXLauncherPlatform* owner = nullptr;  // not owned
    int ownerKind = 0;
    Vec3 launcherOffset{};
};
