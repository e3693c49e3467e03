// For test programs below the game that draw with the game's own art (fonts, widget sheets,
// textures): their main() mounts the build's data.oap before any test runs.
#pragma once

namespace realpackage {

// Whether the build's data.oap was mounted for this run.
bool mounted();

// A suite that plays on a package of its own alone unmounts everything first and, when it is
// done, calls this: the build's data.oap is mounted again, as main() left it.
void mountAgain();

}  // namespace realpackage
