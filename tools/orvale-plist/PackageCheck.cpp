#include "PackageCheck.h"

#include <physfs.h>

#include <algorithm>
#include <exception>
#include <iostream>
#include <vector>

#include "data/AssetPackage.h"
#include "data/Plist.h"

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void collectPropertyLists(const std::string& folder, std::vector<std::string>& paths) {
    char** names = PHYSFS_enumerateFiles(folder.c_str());
    if (names == nullptr) {
        return;
    }
    for (char** name = names; *name != nullptr; ++name) {
        const std::string path = folder.empty() ? *name : folder + "/" + *name;
        PHYSFS_Stat status{};
        if (PHYSFS_stat(path.c_str(), &status) == 0) {
            continue;
        }
        if (status.filetype == PHYSFS_FILETYPE_DIRECTORY) {
            collectPropertyLists(path, paths);
        } else if (endsWith(path, ".plist")) {
            paths.push_back(path);
        }
    }
    PHYSFS_freeList(names);
}

// Parses one package file; returns the failure message, empty when it parsed.
std::string checkPropertyList(const std::string& path) {
    std::vector<char> contents;
    if (!readAssetFile(path, contents)) {
        return "can't read the file: " + lastAssetError();
    }
    try {
        Plist::Value root;
        Plist::parseValue(contents.data(), static_cast<int64_t>(contents.size()), root);
        if (root.type() != typeid(Plist::Dictionary) && root.type() != typeid(Plist::Array)) {
            return "the root is neither a dictionary nor an array";
        }
    } catch (const std::exception& error) {
        return error.what();
    }
    return std::string();
}

}  // namespace

int checkPackage(const char* programPath, const std::string& packagePath) {
    if (PHYSFS_init(programPath) == 0) {
        std::cerr << "orvale-plist: can't start PhysicsFS: " << lastAssetError() << "\n";
        return 1;
    }
    if (PHYSFS_mount(packagePath.c_str(), "/", 0) == 0) {
        std::cerr << "orvale-plist: " << packagePath << ": can't open the package: " << lastAssetError()
                  << "\n";
        PHYSFS_deinit();
        return 1;
    }
    std::vector<std::string> paths;
    collectPropertyLists("", paths);
    std::sort(paths.begin(), paths.end());

    size_t failures = 0;
    for (const std::string& path : paths) {
        const std::string problem = checkPropertyList(path);
        if (!problem.empty()) {
            std::cerr << "orvale-plist: " << packagePath << ":" << path << ": " << problem << "\n";
            ++failures;
        }
    }
    std::cout << paths.size() << " property lists checked, " << failures << " failed\n";
    PHYSFS_deinit();
    return failures == 0 ? 0 : 1;
}
