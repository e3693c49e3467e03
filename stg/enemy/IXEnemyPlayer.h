#pragma once

#include "stg/shot/IXShotTarget.h"

// The player's ship as enemies see it: what bullets need of it (its body,
// invulnerability, hits, score) and what kills and ramming need besides.
// Implemented by the ship; enemies only call. Casual play's bonus mode is the
// held laser of IXShotTarget.
class IXEnemyPlayer : public IXShotTarget {
  public:
    // Locked in the respawn sequence: enemies do not turn towards it.
    virtual bool isRespawning() const = 0;
    // Break mode (the trance) is running.
    virtual bool isTranceActive() const = 0;
    // The chain bonus that every kill adds to the enemy's points.
    virtual int bonusValue() const = 0;
    // Fills the break gauge (0 to 1000).
    virtual void addBreak(float amount) = 0;
};
