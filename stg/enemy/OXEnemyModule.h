#pragma once

#include <string>

#include "stg/enemy/EnemyDefinition.h"
#include "stg/enemy/OXBossModule.h"

class EnemyContext;

// One of an enemy's five attached parts: a cell of the enemy atlas that
// trails its anchor on the enemy, takes shots with its own hit points and,
// when they are gone, breaks off and tumbles away trailing smoke and fire.
class OXEnemyModule : public OXBossModule {
  public:
    // Texture rectangle of the module's cell in the enemy atlas.
    struct TexRect {
        float u = 0.0f, v = 0.0f;  // top-left corner
        float width = 1.0f, height = 1.0f;
    };

    static constexpr float kBreakOffFlightMs = 1000.0f;
    static constexpr float kBreakOffSpeed = 0.12f;     // units per ms
    static constexpr float kBreakOffSpinRate = 0.36f;  // degrees per ms

    // Takes one "module %d" entry of a definition: active, not yet visible.
    // The atlas grid (columns, rows) places "frame" when the entry gives no
    // usable cell grid of its own.
    void attach(const EnemyPart& entry, const IXRenderObject& enemy, float hitScale, int atlasColumns,
                int atlasRows, EnemyContext* context);
    // Shown with the enemy when it has entered the play plane.
    void reveal();
    void tick(float dtMs) override;
    // Adds `change` to the hit points; true when that broke the module off.
    bool takeHit(float change, bool obstacleCarrier);
    // Starts the tumble along `direction` (a unit vector).
    void breakOff(const Vec3& direction);
    // Stops the module's running effects.
    void releaseEffects();
    // Back to the enemy's free parts: hidden, inactive, effects stopped.
    void release();

    float getHitPoints() const { return hitPoints; }
    bool isBrokenOff() const { return brokenOff; }
    bool isPredraw() const { return predraw; }
    int getFrame() const { return frame; }
    const TexRect& getTexRect() const { return texRect; }
    const std::string& getEffectName() const;
    const std::string& getDestroyEffectName() const;
    float getFlightTimeLeft() const { return flightTimeLeft; }

  private:
    enum EffectSlot { OwnEffect, SmokeTrail, FireTrail, EffectSlotCount };

    void followCarrier();

    int numColumn = 0, numRow = 0, column = 0, row = 0;  // the entry's atlas cell
    int frame = 0;
    TexRect texRect;
    float hitPoints = 0.0f;                          // 0 from the start: a part shots pass through
    const std::string* effectName = nullptr;         // in the definition
    const std::string* destroyEffectName = nullptr;  // in the definition
    bool predraw = false;
    bool brokenOff = false;
    IXRenderObject* effects[EffectSlotCount] = {};  // handles of the effect manager
    EnemyContext* context = nullptr;                // not owned

    // The tumble after breaking off.
    float flightTimeLeft = 0.0f;  // ms
    Vec3 flightDirection{};
    float spin = 0.0f;  // degrees per ms
};
