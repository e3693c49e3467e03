#include "raster/PngExport.h"

#include <lodepng.h>

#include <cmath>
#include <stdexcept>

namespace artgen {

namespace {

uint8_t toByte(float value) {
    return static_cast<uint8_t>(std::lround(clamp01(value) * 255.0f));
}

}  // namespace

std::vector<uint8_t> toRgba8(const Canvas& canvas) {
    std::vector<uint8_t> bytes;
    bytes.reserve(canvas.pixels().size() * 4);
    for (const Pixel& p : canvas.pixels()) {
        const uint8_t alpha = toByte(p.a);
        if (alpha == 0) {
            bytes.insert(bytes.end(), {0, 0, 0, 0});
            continue;
        }
        bytes.insert(bytes.end(), {toByte(p.r / p.a), toByte(p.g / p.a), toByte(p.b / p.a), alpha});
    }
    return bytes;
}

std::vector<uint8_t> encodePng(const Canvas& canvas) {
    const std::vector<uint8_t> rgba = toRgba8(canvas);
    std::vector<unsigned char> png;
    const unsigned error = lodepng::encode(png, rgba, static_cast<unsigned>(canvas.width()),
                                           static_cast<unsigned>(canvas.height()));
    if (error != 0) {
        throw std::runtime_error(std::string("PNG encoding failed: ") + lodepng_error_text(error));
    }
    return png;
}

}  // namespace artgen
