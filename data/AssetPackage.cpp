#include "data/AssetPackage.h"

// The installed data folder relative to the programs' folder ("../share/games/vortalis2",
// from PREFIX/games), written by the build (cmake/Layout.cmake).
#include "data/InstallLayout.h"

#include <physfs.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

const char* const kAssetPackagePath = "./data.oap";
const char* const kAssetPackageName = "data.oap";

namespace {

uint64_t fileSystemGeneration = 0;
bool packageMounted = false;

// The content hash of what is mounted now; emptied whenever the mounts change.
std::string contentHash;
bool contentHashKnown = false;

void forgetContentHash() {
    contentHash.clear();
    contentHashKnown = false;
}

// Mounts without a word; the callers say what came of it.
bool mountQuietly(const std::string& packagePath) {
    const bool ready = PHYSFS_isInit() != 0 || PHYSFS_init(nullptr) != 0;
    if (!ready || PHYSFS_mount(packagePath.c_str(), nullptr, 1) == 0) {
        return false;
    }
    forgetContentHash();
    packageMounted = true;
    return true;
}

}  // namespace

bool mountAssetPackage(const std::string& packagePath) {
    if (!mountQuietly(packagePath)) {
        std::printf("ASSET PACKAGE MOUNT FAILED!\n");
        return false;
    }
    std::printf("asset package mount successful.\n");
    return true;
}

std::string mountFirstAssetPackage(const std::vector<std::string>& places) {
    std::vector<std::string> reasons;
    for (const std::string& place : places) {
        if (mountQuietly(place)) {
            std::printf("asset package mount successful.\n");
            return place;
        }
        reasons.push_back(PHYSFS_isInit() != 0 ? lastAssetError() : "the file system did not start");
    }
    std::printf("ASSET PACKAGE MOUNT FAILED!\n");
    for (size_t i = 0; i < places.size(); ++i) {
        std::printf("no package at %s: %s\n", places[i].c_str(), reasons[i].c_str());
    }
    return "";
}

bool mountToolPackages(const char* toolName, const std::vector<std::string>& paths) {
    bool mounted = true;
    for (const std::string& path : paths) {
        if (!mountQuietly(path)) {
            std::fprintf(stderr, "%s: %s: can't be opened as a package or folder\n", toolName, path.c_str());
            mounted = false;
        }
    }
    return mounted;
}

bool isAssetPackageMounted() {
    return packageMounted;
}

void unmountAssetPackage() {
    if (PHYSFS_isInit() != 0) {
        PHYSFS_deinit();
    }
    packageMounted = false;
    forgetContentHash();
    ++fileSystemGeneration;
}

bool readAssetFile(const std::string& path, std::vector<char>& contents) {
    contents.clear();
    if (PHYSFS_isInit() == 0) {
        return false;
    }
    PHYSFS_File* file = PHYSFS_openRead(path.c_str());
    if (file == nullptr) {
        return false;
    }
    const PHYSFS_sint64 length = PHYSFS_fileLength(file);
    bool complete = false;
    if (length >= 0) {
        contents.resize(static_cast<size_t>(length));
        complete = length == 0 ||
                   PHYSFS_readBytes(file, contents.data(), static_cast<PHYSFS_uint64>(length)) == length;
    }
    if (!complete) {
        // A truncated buffer would hand corrupt data to its consumer.
        std::printf("ASSET READ FAILED! %s: %s\n", path.c_str(), lastAssetError().c_str());
        contents.clear();
    }
    PHYSFS_close(file);
    return complete;
}

bool assetExists(const std::string& path) {
    return PHYSFS_isInit() != 0 && PHYSFS_exists(path.c_str()) != 0;
}

bool assetIsFile(const std::string& path) {
    PHYSFS_Stat stat;
    return PHYSFS_isInit() != 0 && PHYSFS_stat(path.c_str(), &stat) != 0 &&
           stat.filetype == PHYSFS_FILETYPE_REGULAR;
}

bool assetFolderHolds(const std::string& folder, const std::string& suffix) {
    if (PHYSFS_isInit() == 0) {
        return false;
    }
    char** names = PHYSFS_enumerateFiles(folder.c_str());
    if (names == nullptr) {
        return false;
    }
    bool found = false;
    for (char** name = names; *name != nullptr && !found; ++name) {
        const std::string text = *name;
        found = text.size() >= suffix.size() &&
                text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0 &&
                assetIsFile(folder + "/" + text);
    }
    PHYSFS_freeList(names);
    return found;
}

namespace {

// Every file under `folder` of the package, at any depth, by its package path.
void collectFiles(const std::string& folder, std::vector<std::string>& files) {
    char** names = PHYSFS_enumerateFiles(folder.c_str());
    if (names == nullptr) {
        return;
    }
    for (char** name = names; *name != nullptr; ++name) {
        const std::string path = folder + "/" + *name;
        PHYSFS_Stat stat;
        if (PHYSFS_stat(path.c_str(), &stat) == 0) {
            continue;
        }
        if (stat.filetype == PHYSFS_FILETYPE_DIRECTORY) {
            collectFiles(path, files);
        } else if (stat.filetype == PHYSFS_FILETYPE_REGULAR) {
            files.push_back(path);
        }
    }
    PHYSFS_freeList(names);
}

// FNV-1a, 64 bits.
struct ContentHash {
    uint64_t value = 14695981039346656037ull;
    void add(const char* bytes, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            value = (value ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
        }
    }
};

}  // namespace

const std::string& packageContentHash() {
    if (contentHashKnown || PHYSFS_isInit() == 0 || !packageMounted) {
        return contentHash;
    }
    const auto started = std::chrono::steady_clock::now();
    std::vector<std::string> files;
    collectFiles("assets/plist", files);
    // Byte order of the paths, whatever order the archive keeps them in.
    std::sort(files.begin(), files.end());
    ContentHash hash;
    std::vector<char> buffer(64 * 1024);
    for (const std::string& path : files) {
        hash.add(path.data(), path.size());
        PHYSFS_File* file = PHYSFS_openRead(path.c_str());
        if (file == nullptr) {
            std::printf("ASSET READ FAILED! %s: %s\n", path.c_str(), lastAssetError().c_str());
            continue;
        }
        PHYSFS_sint64 read = 0;
        while ((read = PHYSFS_readBytes(file, buffer.data(), buffer.size())) > 0) {
            hash.add(buffer.data(), static_cast<size_t>(read));
        }
        if (read < 0) {
            std::printf("ASSET READ FAILED! %s: %s\n", path.c_str(), lastAssetError().c_str());
        }
        PHYSFS_close(file);
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash.value));
    contentHash = digits;
    contentHashKnown = true;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("Package content %s: %zu property lists hashed in %.1f ms.\n", contentHash.c_str(),
                files.size(), ms);
    return contentHash;
}

std::string lastAssetError() {
    const char* text = PHYSFS_getErrorByCode(PHYSFS_getLastErrorCode());
    return text != nullptr ? text : "unknown error";
}

uint64_t assetFileSystemGeneration() {
    return fileSystemGeneration;
}

std::string runningProgramPath() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    return length > 0 ? std::string(path.data(), static_cast<size_t>(length)) : std::string();
}

std::string packageBesideProgram() {
    const std::vector<std::string> places = assetPackagePlaces(runningProgramPath());
    return places.empty() ? kAssetPackagePath : places.front();
}

std::vector<std::string> assetPackagePlaces(const std::string& programPath) {
    if (programPath.empty()) {
        return {kAssetPackagePath};
    }
    const std::filesystem::path folder = std::filesystem::path(programPath).parent_path();
    const std::filesystem::path installed =
        (folder / ORVALE_DATA_FROM_PROGRAM / kAssetPackageName).lexically_normal();
    return {(folder / kAssetPackageName).string(), installed.string()};
}

std::string findProgramPackage() {
    const std::vector<std::string> places = assetPackagePlaces(runningProgramPath());
    for (const std::string& place : places) {
        if (access(place.c_str(), F_OK) == 0) {
            return place;
        }
    }
    return places.front();
}
