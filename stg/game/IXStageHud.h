#pragma once

class OXSTGBasePlayer;

// What the game scene tells the HUD while a stage plays. Implemented by the HUD overlay;
// noStageHud() shows nothing, for a scene played without one.
class IXStageHud {
  public:
    virtual ~IXStageHud() = default;
    // The multiplier flashes red and the field's edges glow for `durationMs`.
    virtual void damageFlash(float durationMs) = 0;
    // The trance's cut-in plays and starts `ship`'s break mode on its way; without a cut-in
    // to play, the break starts at once.
    virtual void startTranceCutIn(OXSTGBasePlayer& ship) = 0;
    // A boss phase's bonus was paid (or lost).
    virtual void showBonus(bool paid, float amount) = 0;
    virtual void showPhaseTimer(bool shown) = 0;
};

// A HUD that shows nothing: the trance starts at once.
IXStageHud& noStageHud();
