#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "engine/OXSprite.h"
#include "stg/shot/OwnerKind.h"

class CXBulletManager;
class OXLauncher;

// Anything that carries launchers: enemies, bosses, the player's ship and its
// options. Every tick it places its launchers around itself, turned with its
// rotation, and ticks them. It owns its launchers.
class OXLauncherPlatform : public OXSprite {
  public:
    OXLauncherPlatform();
    ~OXLauncherPlatform() override;

    // Loads the sprite `path` and then its parts from the same list.
    void load(const std::string& path) override;
    void tick(float dtMs) override;
    // Reads "hp" and the "launcher %d" dictionaries (needs the bullet manager set first).
    virtual void createParts(const Plist::Dictionary& definition);

    void setBulletManager(CXBulletManager* value) { manager = value; }
    CXBulletManager* getBulletManager() const { return manager; }
    // Takes ownership.
    void addLauncher(OXLauncher* launcher);
    int launcherCount() const { return static_cast<int>(launchers.size()); }
    // Null outside 0 ... count - 1.
    OXLauncher* getLauncher(int index) const;
    // False outside the range.
    bool startLauncher(int index);
    void stopAllLaunchers();
    void resetAllLaunchers();
    // Bullet launchers go back to the start of their runs; then every launcher stops.
    void rewindLaunchers();
    // This platform's bullets in flight become prizes of `prizeType`; returns how many.
    int cancelMyBullets(int prizeType);
    // This platform's bullets in flight play their expiry animation.
    void expireMyBullets();

    // 4 for enemies and bosses (their bullets hurt the player); the ship sets its own.
    void setOwnerKind(int kind) { ownerKind = kind; }
    int getOwnerKind() const { return ownerKind; }
    // Degrees; the carrier direction handed to the launchers.
    void setPlatformRotation(float degrees) { platformRotation = degrees; }
    float getPlatformRotation() const { return platformRotation; }
    // When set, tick also runs the sprite's own tick (actions, animation, matrix).
    void setRunsSpriteTick(bool value) { runsSpriteTick = value; }
    float getHitPoints() const { return hitPoints; }
    void setHitPoints(float value) { hitPoints = value; }
    float getMaxHitPoints() const { return maxHitPoints; }

  protected:
    std::vector<std::unique_ptr<OXLauncher>> launchers;
    float platformRotation = 0.0f;  // degrees
    float hitPoints = 0.0f;
    float maxHitPoints = 0.0f;
    float previousHitPoints = 0.0f;
    int ownerKind = OwnerEnemy;
    bool runsSpriteTick = false;
    CXBulletManager* manager = nullptr;  // not owned
};
