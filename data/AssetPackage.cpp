#include "data/AssetPackage.h"

#include <physfs.h>
#include <unistd.h>

#include <cstdio>

const char* const kAssetPackagePath = "./data.oap";

namespace {

uint64_t fileSystemGeneration = 0;
bool packageMounted = false;

}  // namespace

bool mountAssetPackage(const std::string& packagePath) {
    const bool ready = PHYSFS_isInit() != 0 || PHYSFS_init(nullptr) != 0;
    if (!ready || PHYSFS_mount(packagePath.c_str(), nullptr, 1) == 0) {
        std::printf("ASSET PACKAGE MOUNT FAILED!\n");
        return false;
    }
    std::printf("asset package mount successful.\n");
    packageMounted = true;
    return true;
}

bool isAssetPackageMounted() {
    return packageMounted;
}

void unmountAssetPackage() {
    if (PHYSFS_isInit() != 0) {
        PHYSFS_deinit();
    }
    packageMounted = false;
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

std::string lastAssetError() {
    const char* text = PHYSFS_getErrorByCode(PHYSFS_getLastErrorCode());
    return text != nullptr ? text : "unknown error";
}

uint64_t assetFileSystemGeneration() {
    return fileSystemGeneration;
}

std::string packageBesideProgram() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return "./data.oap";
    }
    const std::string program(path.data(), static_cast<size_t>(length));
    return program.substr(0, program.find_last_of('/')) + "/data.oap";
}

std::string findProgramPackage() {
    const std::string beside = packageBesideProgram();
    if (access(beside.c_str(), F_OK) == 0) {
        return beside;
    }
    return beside.substr(0, beside.find_last_of('/') + 1) + "../share/vortalis2/data.oap";
}
