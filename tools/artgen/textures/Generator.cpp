#include "textures/Generator.h"

#include <exception>
#include <fstream>
#include <future>
#include <stdexcept>

#include "raster/PngExport.h"

namespace artgen {

std::filesystem::path texturePath(const std::filesystem::path& outputDir, const TextureEntry& entry) {
    return outputDir / "assets" / "texture" / entry.fileName;
}

namespace {

void writeTexture(const std::filesystem::path& outputDir, const TextureEntry& entry) {
    const std::filesystem::path path = texturePath(outputDir, entry);
    const std::vector<uint8_t> png = encodePng(paintTexture(entry));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    if (!file) {
        throw std::runtime_error(path.string() + ": can't write the file");
    }
}

}  // namespace

void writeTextures(const std::filesystem::path& outputDir, const std::vector<TextureEntry>& textures) {
    // Textures are independent (each has its own seed), so they are drawn side by side; the
    // first failure is reported once all have finished.
    for (const TextureEntry& entry : textures) {
        const std::filesystem::path folder = texturePath(outputDir, entry).parent_path();
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            throw std::runtime_error(folder.string() + ": can't create the folder: " + error.message());
        }
    }
    std::vector<std::future<void>> pending;
    for (const TextureEntry& entry : textures) {
        pending.push_back(
            std::async(std::launch::async, [&outputDir, entry] { writeTexture(outputDir, entry); }));
    }
    std::exception_ptr firstError;
    for (std::future<void>& result : pending) {
        try {
            result.get();
        } catch (...) {
            if (!firstError) {
                firstError = std::current_exception();
            }
        }
    }
    if (firstError) {
        std::rethrow_exception(firstError);
    }
}

}  // namespace artgen
