#pragma once

class CXBulletManager;
class CXParticleEffectManager;
class CXGameSession;
struct BulletProperties;

// Keeps every pool of the bullet manager full for a stress run: enemy bullets
// scattered over the upper field, the ship's bullets over the lower, prize
// items everywhere, beams raking down from the top, every particle system
// bursting and a trail behind as many bullets as there are trails, each pool topped up
// before every frame. The ship's lives are topped up too, so the stage goes on
// however often it is hit. Its numbers are its own, not the game's rand().
class StressFill {
  public:
    // Loads the types it fires and the effect it plays into the stage's managers.
    void prepare(CXBulletManager& bullets, CXParticleEffectManager& particles);
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
