#pragma once

// Draws one frame of the stage as the game draws it: the frame's image cleared, the session's
// scenes, the composite onto the window. The caller swaps.
void drawStageFrame();
