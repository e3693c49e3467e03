// Property lists read whole from the asset package.

#include <cstdio>
#include <exception>
#include <vector>

#include "data/AssetPackage.h"
#include "data/Plist.h"

namespace Plist {

bool loadAsset(const std::string& path, Dictionary& out) {
    std::vector<char> contents;
    if (!readAssetFile(path, contents)) {
        return false;
    }
    parse(contents.data(), static_cast<int64_t>(contents.size()), out);
    return true;
}

bool loadAssetArray(const std::string& path, Array& out) {
    std::vector<char> contents;
    if (!readAssetFile(path, contents)) {
        return false;
    }
    parseArray(contents.data(), static_cast<int64_t>(contents.size()), out);
    return true;
}

bool loadContent(const std::string& path, Dictionary& out) {
    try {
        return loadAsset(path, out);
    } catch (const std::exception& error) {
        std::printf("BAD PROPERTY LIST %s: %s\n", path.c_str(), error.what());
        out.clear();
        return false;
    }
}

}  // namespace Plist
