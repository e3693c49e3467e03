// The application icon the desktop shows: the title's magenta "2" in its orbit ring on a tile of
// deep space. Not a texture of the package: the install puts it among the desktop's icons.
#pragma once

#include "raster/Canvas.h"

namespace artgen {

// The icon, `size` pixels square. Drawn four times larger and averaged down, so the thin ring
// stays smooth at the smallest sizes.
Canvas paintAppIcon(int size);

}  // namespace artgen
