// Property lists read whole from the asset package.

#include <cstdio>
#include <exception>
#include <vector>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "data/PlistRead.h"

namespace Plist {

namespace {

// `openedAt` is the loader's code that asked for the list, for a content checker's ledger.
bool loadFrom(const std::string& path, Dictionary& out, const void* openedAt) {
    std::vector<char> contents;
    if (!readAssetFile(path, contents)) {
        noteMissingList(path);
        return false;
    }
    parse(contents.data(), static_cast<int64_t>(contents.size()), out);
    noteOpenedList(path, out, openedAt);
    return true;
}

}  // namespace

bool loadAsset(const std::string& path, Dictionary& out) {
    return loadFrom(path, out, __builtin_return_address(0));
}

bool loadAssetArray(const std::string& path, Array& out) {
    std::vector<char> contents;
    if (!readAssetFile(path, contents)) {
        noteMissingList(path);
        return false;
    }
    parseArray(contents.data(), static_cast<int64_t>(contents.size()), out);
    return true;
}

bool loadContent(const std::string& path, Dictionary& out) {
    try {
        return loadFrom(path, out, __builtin_return_address(0));
    } catch (const std::exception& error) {
        std::printf("BAD PROPERTY LIST %s: %s\n", path.c_str(), error.what());
        out.clear();
        return false;
    }
}

}  // namespace Plist
