#include "data/GameVersion.h"

#include "data/AssetPackage.h"
#include "data/GameVersionNumber.h"

const char* const kLicenceLine =
    "Copyright (c) 2026 The VORTALIS 2 developers. MIT licence: the game, its art and its music.";

const char* gameVersion() {
    return ORVALE_GAME_VERSION;
}

std::string gameVersionLine() {
    return std::string("VORTALIS 2 ") + gameVersion();
}

bool printVersionReport(std::FILE* out, const char* tool) {
    if (tool != nullptr) {
        std::fprintf(out, "%s (VORTALIS 2) %s\n", tool, gameVersion());
    } else {
        std::fprintf(out, "%s\n", gameVersionLine().c_str());
    }
    const std::string package = findProgramPackage();
    const bool mounted = mountToolPackages(tool != nullptr ? tool : "vortalis2", {package});
    const std::string hash = mounted ? packageContentHash() : std::string();
    unmountAssetPackage();
    if (hash.empty()) {
        std::fprintf(out, "content unknown: no package could be read at %s\n", package.c_str());
    } else {
        std::fprintf(out, "content %s (%s)\n", hash.c_str(), package.c_str());
    }
    std::fprintf(out, "%s\n", kLicenceLine);
    return !hash.empty();
}
