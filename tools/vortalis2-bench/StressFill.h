#pragma once

class CXBulletManager;
class CXGameSession;
struct BulletProperties;

// Keeps every pool of the bullet manager full for a stress run: enemy bullets
// scattered over the upper field, the ship's bullets over the lower, prize
// items everywhere, and beams raking down from the top, each pool topped up
// before every frame. The ship's lives are topped up too, so the stage goes on
// however often it is hit. Its numbers are its own, not the game's rand().
class StressFill {
  public:
    // Loads the types it fires into the stage's bullet manager.
    void prepare(CXBulletManager& bullets);
    bool isReady() const { return enemyType && playerType; }
    // Fills what emptied since the last frame; nothing outside play.
    void topUp(CXGameSession& session);

  private:
    // A fraction 0 .. 1 from the fill's own sequence.
    float next();

    const BulletProperties* enemyType = nullptr;   // not owned
    const BulletProperties* playerType = nullptr;  // not owned
    unsigned state = 12345u;
};
