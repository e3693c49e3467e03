#include "engine/CXTextureManager.h"

#include <lodepng.h>

#include <algorithm>
#include <cstdio>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"

namespace {
const char* const kSeparator = "=============================================\n";
const char* const kDumpSeparator = "========================================\n";
}  // namespace

CXTextureManager& CXTextureManager::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXTextureManager* const manager = new CXTextureManager();
    return *manager;
}

void premultiplyAlpha(std::vector<unsigned char>& rgba) {
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const double alpha = rgba[i + 3];
        for (size_t c = 0; c < 3; ++c) {
            rgba[i + c] = static_cast<unsigned char>(rgba[i + c] * alpha / 255.0);
        }
    }
}

int CXTextureManager::load(const std::string& name, int& outWidth, int& outHeight, bool linearMin,
                           bool linearMag) {
    CXGfxManager::instance();
    for (const auto& record : textures) {
        if (record->name == name) {
            outWidth = record->width;
            outHeight = record->height;
            ++record->retainCount;
            return record->glId;
        }
    }
    auto record = std::make_unique<TextureRecord>();
    record->name = name;
    record->glId = decodeAndUpload(name, record->width, record->height, linearMin, linearMag);
    outWidth = record->width;
    outHeight = record->height;
    const int id = record->glId;
    textures.push_back(std::move(record));
    return id;
}

int CXTextureManager::decodeAndUpload(const std::string& name, int& width, int& height, bool linearMin,
                                      bool linearMag) {
    width = height = 0;
    if (!assetExists(name)) {
        std::printf("ASSET NOT IN PACKAGE!\n");
        std::printf("MISSING ASSET: %s\n", name.c_str());
        return -1;
    }
    std::vector<char> file;
    readAssetFile(name, file);
    std::vector<unsigned char> pixels;
    unsigned decodedWidth = 0, decodedHeight = 0;
    const unsigned error = lodepng::decode(pixels, decodedWidth, decodedHeight,
                                           reinterpret_cast<const unsigned char*>(file.data()), file.size());
    if (error) {
        std::printf("PNG LOAD ERROR: %s\n", lodepng_error_text(error));
        return -1;
    }
    premultiplyAlpha(pixels);

    IXGLDevice& gl = glDevice();
    const GLuint texture = gl.genTexture();
    CXGfxManager::instance().bindTexture(static_cast<int>(texture));
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, linearMin ? GL_LINEAR : GL_NEAREST);
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, linearMag ? GL_LINEAR : GL_NEAREST);
    gl.texEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Level 0 only: neither filter samples smaller levels, and building them
    // cost about a quarter of a stage's load on the software rasteriser.
    gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(decodedWidth),
                  static_cast<GLsizei>(decodedHeight), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    width = static_cast<int>(decodedWidth);
    height = static_cast<int>(decodedHeight);
    return static_cast<int>(texture);
}

std::vector<CXTextureManager::DrawnCell> CXTextureManager::drawnCells(int id, int columns, int rows) const {
    std::vector<DrawnCell> cells(static_cast<size_t>(std::max(columns, 0) * std::max(rows, 0)));
    const TextureRecord* record = id >= 0 ? find(id) : nullptr;
    std::vector<char> file;
    std::vector<unsigned char> pixels;
    unsigned width = 0, height = 0;
    if (cells.empty() || !record || !assetExists(record->name) || !readAssetFile(record->name, file) ||
        lodepng::decode(pixels, width, height, reinterpret_cast<const unsigned char*>(file.data()),
                        file.size()) != 0 ||
        width % static_cast<unsigned>(columns) != 0 || height % static_cast<unsigned>(rows) != 0) {
        return cells;  // whole cells: nothing is cut
    }
    const int cellWidth = static_cast<int>(width) / columns;
    const int cellHeight = static_cast<int>(height) / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            // The covered texels' bounds, right and bottom exclusive.
            int left = cellWidth, top = cellHeight, right = 0, bottom = 0;
            for (int y = 0; y < cellHeight; ++y) {
                const unsigned char* line =
                    pixels.data() + 4 * (static_cast<size_t>(row * cellHeight + y) * width +
                                         static_cast<size_t>(column * cellWidth));
                for (int x = 0; x < cellWidth; ++x) {
                    if (line[4 * x + 3] != 0) {
                        left = std::min(left, x);
                        right = std::max(right, x + 1);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y + 1);
                    }
                }
            }
            DrawnCell& cell = cells[static_cast<size_t>(row * columns + column)];
            if (right == 0) {
                cell = DrawnCell{0.0f, 0.0f, 0.0f, 0.0f};
                continue;
            }
            // A linear filter reads the two texels around a sample: a sample up
            // to a texel and a half outside the covered ones still reaches them.
            const auto fraction = [](int texel, int size) {
                return static_cast<float>(std::clamp(texel, 0, size)) / static_cast<float>(size);
            };
            cell = DrawnCell{fraction(left - 1, cellWidth), fraction(top - 1, cellHeight),
                             fraction(right + 1, cellWidth), fraction(bottom + 1, cellHeight)};
        }
    }
    return cells;
}

CXTextureManager::TextureRecord* CXTextureManager::find(int id) const {
    for (const auto& record : textures) {
        if (record->glId == id) {
            return record.get();
        }
    }
    return nullptr;
}

bool CXTextureManager::release(int id) {
    std::printf("removing texture with ID %d ", id);
    TextureRecord* record = id >= 0 ? find(id) : nullptr;
    if (!record) {
        std::printf("\n");
        return false;
    }
    std::printf("TEXTURE NAME: %s\n", record->name.c_str());
    if (--record->retainCount < 1) {
        remove(id);
    }
    return true;
}

bool CXTextureManager::remove(int id) {
    std::printf("%s", kSeparator);
    std::printf("DELETING TEXTURE WITH ID %d\n", id);
    auto found = std::find_if(textures.begin(), textures.end(),
                              [id](const auto& record) { return id >= 0 && record->glId == id; });
    if (found == textures.end()) {
        std::printf("TEXTURE TO BE DELETED NOT FOUND!!");
        std::printf("%s", kSeparator);
        return false;
    }
    std::printf("TEXTURE NAME: %s\n", (*found)->name.c_str());
    std::printf("%s", kSeparator);
    glDevice().deleteTexture(static_cast<GLuint>(id));
    CXGfxManager::instance().forgetTexture(id);
    textures.erase(found);
    return true;
}

void CXTextureManager::dump() const {
    std::printf("TEXTURES IN MEMORY\n");
    std::printf("%s", kDumpSeparator);
    for (const auto& record : textures) {
        std::printf("TEXTURE LOADED: %s\n", record->name.c_str());
        std::printf("retain count: %d\n\n", record->retainCount);
    }
    std::printf("%s", kDumpSeparator);
}
