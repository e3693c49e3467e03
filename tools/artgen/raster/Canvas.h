// An RGBA float image that the painters draw into.
//
// Pixels are stored premultiplied by alpha so that blending, blurring and scaling treat
// transparent areas correctly; the straight colours the PNG files hold are made only when the
// image is exported (see PngExport.h).
#pragma once

#include <vector>

#include "raster/Colour.h"

namespace artgen {

// One stored pixel: colour premultiplied by alpha. Additive light may push the colour
// channels above alpha; export clamps them.
struct Pixel {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

enum class Blend {
    Over,    // ordinary painting: the source covers what lies below by its alpha
    Add,     // light: colour and alpha are added (glows, sparks, flares)
    Erase,   // cuts the covered area out: the destination loses the source's alpha
    Behind,  // paints only where the destination is still transparent (under what is there)
};

class Canvas {
  public:
    // A fully transparent image; throws std::invalid_argument for sizes below 1.
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    Pixel& at(int x, int y) { return pixels_[index(x, y)]; }
    const Pixel& at(int x, int y) const { return pixels_[index(x, y)]; }
    // The straight (un-premultiplied) colour of a pixel.
    Colour colourAt(int x, int y) const;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void clear(Colour colour);
    // Blends `colour` into one pixel with the given coverage (0 to 1); outside the image it
    // does nothing.
    void blend(int x, int y, Colour colour, float coverage, Blend mode);
    // Blends a whole image with its top-left corner at (left, top).
    void composite(const Canvas& source, int left, int top, Blend mode, float opacity = 1.0f);
    // Replaces the pixels of the area (left, top, source size) by the source's, exactly.
    void copyFrom(const Canvas& source, int left, int top);
    // Multiplies every pixel's alpha (and so its premultiplied colour) by `factor(x, y)`.
    template <typename Factor>
    void fade(Factor factor) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const float f = factor(x, y);
                Pixel& p = at(x, y);
                p.r *= f;
                p.g *= f;
                p.b *= f;
                p.a *= f;
            }
        }
    }

    const std::vector<Pixel>& pixels() const { return pixels_; }
    std::vector<Pixel>& pixels() { return pixels_; }

  private:
    size_t index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

}  // namespace artgen
