#pragma once

#include <string>

#include "stg/enemy/OXEnemy.h"

// A stage's boss or mid-boss, owned by the enemy manager. This holds what
// the manager needs of it (loading, its start position, starting it, its
// done flag); the phases, parts and decorations come with the boss itself.
class OXBoss : public OXEnemy {
  public:
    ~OXBoss() override;

    // Reads the boss file `path` (a package path without ".plist"): its
    // start position ("start x", "start y", "start z"). A missing file leaves
    // the boss at the origin.
    virtual void loadBoss(const std::string& path);
    // Placed at the start position, visible and active, in the play plane.
    virtual void start();
    // The boss draws itself; nothing to draw yet.
    void draw() override {}
    // No movement nodes to run out of: the boss stays until it is beaten.
    void updateBehaviour(float dtMs) override;

    const Vec3& getStartPosition() const { return startPosition; }
    bool isDone() const { return done; }
    void setDone(bool value) { done = value; }

  protected:
    Vec3 startPosition{};
    bool done = false;
};
