#pragma once

class CXBulletManager;
class IXEnemyWorld;
class IXShotEffects;

// The sounds enemies play, each at most once a frame however many enemies ask.
enum class EnemySound { SmallExplosion, MediumExplosion, Count };

// What every enemy of a stage reaches: the game scene, the bullet manager
// (the fire-pattern store, prizes and cancels) and the frame's sound gate.
// Owned by the enemy manager; each enemy keeps a pointer to it.
class EnemyContext {
  public:
    IXEnemyWorld* world = nullptr;       // may be null: no player, effects or scoring
    CXBulletManager* bullets = nullptr;  // may be null: launchers stay unarmed

    // The scene's particle effects and trails; effects that show nothing without a scene.
    IXShotEffects& effects() const;

    // Plays the sound through the sound manager unless it already played
    // this frame; true when it played.
    bool playOncePerFrame(EnemySound sound);
    // Opens the gate again; the manager calls it at the start of each update.
    void newFrame() { playedThisFrame = 0; }

  private:
    unsigned playedThisFrame = 0;  // bit per EnemySound
};
