#pragma once

#include <memory>
#include <string>
#include <vector>

// Turns PNG files of the asset package into GL textures, shared by name: the
// first request loads the image, later requests of the same name return the
// same texture and raise its retain count, releases lower it, and the texture
// is deleted when the count reaches zero. Images are premultiplied by alpha
// when they are loaded. A failed load is remembered under its name, so a bad
// file is reported once and not read again.
class CXTextureManager {
  public:
    static CXTextureManager& instance();

    // The texture named `name` (a package path, compared byte for byte), or
    // -1 when it cannot be loaded. The filters apply to the first load only.
    int load(const std::string& name, int& outWidth, int& outHeight, bool linearMin, bool linearMag);
    // Lowers the retain count; deletes the texture when none is left.
    bool release(int id);
    // Deletes the texture at once, whatever its count.
    bool remove(int id);
    // Prints every texture with its retain count.
    void dump() const;

    // What a grid cell of a texture really draws: the fractions of the cell
    // (0 to 1 from its left and its top) that hold every texel a linear
    // filter can reach from a texel with any cover. A quad cut to these
    // fractions shows the same picture as the whole cell with fewer pixels
    // filled. A cell with no cover at all is 0, 0, 0, 0.
    struct DrawnCell {
        float left = 0.0f, top = 0.0f, right = 1.0f, bottom = 1.0f;
    };
    // The drawn part of every cell of texture `id` cut into `columns` x
    // `rows`, row by row from the top left; whole cells when the texture's
    // pixels cannot be read again.
    std::vector<DrawnCell> drawnCells(int id, int columns, int rows) const;
    size_t textureCount() const { return textures.size(); }

  private:
    struct TextureRecord {
        std::string name;  // package path, as requested
        int glId = -1;     // -1 for a failed load
        int width = 0;     // pixels
        int height = 0;    // pixels
        int retainCount = 1;
    };

    CXTextureManager() = default;
    int decodeAndUpload(const std::string& name, int& width, int& height, bool linearMin, bool linearMag);
    TextureRecord* find(int id) const;

    std::vector<std::unique_ptr<TextureRecord>> textures;  // in load order
};

// Premultiplies 8-bit RGBA pixels in place: each colour channel becomes
// floor(channel * alpha / 255).
void premultiplyAlpha(std::vector<unsigned char>& rgba);
