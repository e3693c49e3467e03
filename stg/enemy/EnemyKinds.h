#pragma once
// Numbers that enemy and boss lists store, named, valued as stored.

// How an enemy's sprite turns as it moves ("face direction type", "face dir change").
enum class FaceDirection : int {
    Heading = 0,       // towards the direction of travel
    Held = 1,          // keeps its current facing
    KeptTarget = 2,    // keeps easing towards the facing it was turning to
    TowardShip = 3,    // towards the player's ship while it is in play
    SpawnAngle = 4,    // held, and the first node starts it at the spawn angle
    AwayFromShip = 5,  // away from the player's ship
};

// The size class of an enemy's death explosion ("explosion type"); values above Huge are Huge.
enum class ExplosionSize : int {
    Small = 0,   // small craft: a burst somewhere on the hull
    Medium = 1,  // a medium explosion; a long death movement starts with a large pre-death burst
    Large = 2,   // as Medium, with the medium explosion's sound as the death movement starts
    Huge = 3,
};
