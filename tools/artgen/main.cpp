// orvale-artgen: draws the game's textures and writes them as PNG files.
//
//   orvale-artgen OUTPUT_DIR            every texture, to OUTPUT_DIR/assets/texture/NAME.png
//   orvale-artgen OUTPUT_DIR NAME...    only the named ones (for working on one piece of art)
//
// Any error prints one line on stderr and exits with 1; wrong arguments exit with 2.

#include <chrono>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "textures/Generator.h"
#include "textures/TextureTable.h"

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]).empty() || argv[1][0] == '-') {
        std::cerr << "usage: orvale-artgen OUTPUT_DIR [TEXTURE_FILE_NAME...]\n";
        return 2;
    }
    std::vector<artgen::TextureEntry> chosen;
    for (int i = 2; i < argc; ++i) {
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
        artgen::writeTextures(argv[1], chosen);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::cout << "orvale-artgen: " << chosen.size() << " textures in " << elapsed.count() << " ms\n";
    } catch (const std::exception& error) {
        std::cerr << "orvale-artgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
