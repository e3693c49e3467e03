// The texts a scene holds and how tall their capitals stand on the window, for checks that a
// screen stays readable: no widget is named by the checks themselves.
#pragma once

#include <vector>

class OXScene;
class OXTextBox;

namespace scenetexts {

// A capital of the game font fills this much of its glyph cell's height (from the baseline at
// 0.2 of the cell to the capitals' tops at 0.88).
constexpr float kCapitalBottom = 0.2f;
constexpr float kCapitalTop = 0.88f;

// Every text box `scene` holds, shown or waiting to be shown: its objects, the
// labels of its buttons and the boxes of any text box manager among them.
std::vector<const OXTextBox*> textsOf(const OXScene& scene);

// The height in window pixels of a capital of `box` as `scene` draws it: through the box's
// model matrix as the scene last updated it (so tick the scene first), the scene's camera and
// viewport (the game area), and the graphics manager's composite of the game image onto the
// window (its screen size, game area and screen scale as the caller set them). Sets up the
// scene's camera.
float capitalPixels(OXScene& scene, const OXTextBox& box);

}  // namespace scenetexts
