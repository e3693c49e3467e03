// orvale-artgen: draws the game's textures and writes them as PNG files.
//
//   orvale-artgen OUTPUT_DIR            every texture, to OUTPUT_DIR/assets/texture/NAME.png
//   orvale-artgen OUTPUT_DIR NAME...    only the named ones (for working on one piece of art)
//   orvale-artgen --icon SIZE OUT.png   the application icon, SIZE pixels square
//
// `--svg-dir DIR` first reads the SVG sources from DIR instead of the source tree's
// tools/artgen/svg.
//
// Any error prints one line on stderr and exits with 1; wrong arguments exit with 2.

#include <chrono>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "raster/PngExport.h"
#include "raster/Svg.h"
#include "textures/Generator.h"
#include "textures/IconArt.h"
#include "textures/TextureTable.h"

namespace {

int writeIcon(const std::string& sizeText, const std::string& outPath) {
    char* end = nullptr;
    const long size = std::strtol(sizeText.c_str(), &end, 10);
    if (end == sizeText.c_str() || *end != '\0' || size < 16 || size > 1024) {
        std::cerr << "orvale-artgen: the icon size must be 16 to 1024 pixels\n";
        return 2;
    }
    const std::vector<uint8_t> png = artgen::encodePng(artgen::paintAppIcon(static_cast<int>(size)));
    std::ofstream file(outPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    if (!file) {
        std::cerr << "orvale-artgen: " << outPath << ": can't write the file\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icon") {
        return writeIcon(argv[2], argv[3]);
    }
    int first = 1;  // the output folder's argument
    if (argc >= 3 && std::string(argv[1]) == "--svg-dir" && argv[2][0] != '\0') {
        artgen::setSvgFolder(argv[2]);
        first = 3;
    }
    if (argc <= first || std::string(argv[first]).empty() || argv[first][0] == '-') {
        std::cerr << "usage: orvale-artgen [--svg-dir DIR] OUTPUT_DIR [TEXTURE_FILE_NAME...]\n"
                     "       orvale-artgen --icon SIZE OUT.png\n";
        return 2;
    }
    std::vector<artgen::TextureEntry> chosen;
    for (int i = first + 1; i < argc; ++i) {
        const artgen::TextureEntry* entry = artgen::findTexture(argv[i]);
        if (entry == nullptr) {
            std::cerr << "orvale-artgen: no texture named \"" << argv[i] << "\" in the table\n";
            return 2;
        }
        chosen.push_back(*entry);
    }
    if (chosen.empty()) {
        chosen = artgen::textureTable();
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        artgen::writeTextures(argv[first], chosen);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::cout << "orvale-artgen: " << chosen.size() << " textures in " << elapsed.count() << " ms\n";
    } catch (const std::exception& error) {
        std::cerr << "orvale-artgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
