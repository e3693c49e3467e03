// Textures drawn from SVG files, through librsvg and cairo.
//
// An artist draws a texture (or one atlas cell) in any vector editor and saves plain SVG 1.1
// under tools/artgen/svg/; the SVG's viewBox is mapped onto the canvas or onto one of its
// rectangles. Filters (blur, merge for glows), gradients and masks render as librsvg renders
// them.
#pragma once

#include <filesystem>
#include <string>

#include "raster/Canvas.h"

namespace artgen {

// The folder the SVG files are read from; by default the source tree's tools/artgen/svg.
// Set it before drawing (the textures are drawn side by side on several threads).
void setSvgFolder(const std::filesystem::path& folder);
const std::filesystem::path& svgFolder();

// Draws the SVG file `svgName` (a name in the SVG folder, e.g. "hud_icons.svg") with its
// viewBox onto the whole canvas, composited over what the canvas holds. Throws
// std::runtime_error "FOLDER/NAME.svg: REASON" when the file is missing, is not well-formed,
// has neither a viewBox nor a size, or librsvg refuses it.
void drawSvg(const std::string& svgName, Canvas& canvas);

// The same onto the rectangle of `width` x `height` pixels with its top-left corner at (x, y),
// e.g. one atlas cell; nothing outside the rectangle is touched. Throws std::invalid_argument
// for an empty rectangle or one not wholly inside the canvas.
void drawSvgInto(const std::string& svgName, Canvas& canvas, int x, int y, int width, int height);

}  // namespace artgen
