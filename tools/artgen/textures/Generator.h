// Writing the textures of the table to disk.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "textures/TextureTable.h"

namespace artgen {

// Where a texture goes under the output folder: OUTPUT/assets/texture/NAME, the package path.
std::filesystem::path texturePath(const std::filesystem::path& outputDir, const TextureEntry& entry);

// Paints and writes each texture, creating the folders. Throws std::runtime_error naming the
// file when one can't be written.
void writeTextures(const std::filesystem::path& outputDir, const std::vector<TextureEntry>& textures);

}  // namespace artgen
