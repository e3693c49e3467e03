#pragma once

// The player's visibility choices for a stage, owned by the game session and read by the draw
// code of the stage background, the bullet manager and the ship each frame, so that a change
// shows on the next frame drawn.
struct VisibilityOptions {
    float backgroundDimming = 0.0f;  // black laid over the stage background, 0 to 0.8
    bool bulletContrast = false;     // enemy bullets with a dark outline and a bright core
    bool hitboxMarker = false;       // the ship's hit box marked at all times
};
