#pragma once
// Which side a bullet, beam or firing platform is on, numbered as platforms, bullet types
// ("is player bullet") and beam types ("owner kind") give it. A bullet hurts the ship only
// when its kind is OwnerEnemy; any other kind is on the player's side. A beam hits enemies
// only with OwnerPlayerBeam and the ship only with OwnerEnemy; other kinds touch nothing.
enum OwnerKind : int {
    OwnerPlayerBeam = 0,  // a beam type's default: hits enemies
    OwnerPlayer = 1,      // the ship, its pods and "is player bullet" bullets
    OwnerEnemy = 4,       // enemies and bosses: hurts the ship
};
