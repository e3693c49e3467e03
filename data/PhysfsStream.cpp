#include "data/PhysfsStream.h"

#include <physfs.h>

#include <cstdio>

#include "data/AssetPackage.h"

namespace sf {

namespace {

void printLastError() {
    std::printf("%s\n", lastAssetError().c_str());
}

}  // namespace

physfs::physfs(const std::string& path)
    : file(PHYSFS_openRead(path.c_str())), failed(file == nullptr), generation(assetFileSystemGeneration()) {
    if (failed) {
        printLastError();
    }
}

physfs::~physfs() {
    if (handleValid() && PHYSFS_close(file) == 0) {
        printLastError();
    }
}

bool physfs::handleValid() const {
    return !failed && generation == assetFileSystemGeneration() && PHYSFS_isInit() != 0;
}

bool physfs::usable() const {
    if (failed) {
        return false;
    }
    if (!handleValid()) {
        std::printf("%s\n", PHYSFS_getErrorByCode(PHYSFS_ERR_NOT_INITIALIZED));
        return false;
    }
    return true;
}

Int64 physfs::read(void* data, Int64 size) {
    if (!usable() || size <= 0) {
        return 0;
    }
    const PHYSFS_sint64 count = PHYSFS_readBytes(file, data, static_cast<PHYSFS_uint64>(size));
    if (count < 0) {
        printLastError();
        return 0;
    }
    return count;
}

Int64 physfs::seek(Int64 position) {
    if (!usable()) {
        return -1;
    }
    if (position < 0 || PHYSFS_seek(file, static_cast<PHYSFS_uint64>(position)) == 0) {
        printLastError();
        return -1;
    }
    return position;
}

Int64 physfs::tell() {
    if (!usable()) {
        return -1;
    }
    const PHYSFS_sint64 position = PHYSFS_tell(file);
    if (position < 0) {
        printLastError();
    }
    return position;
}

Int64 physfs::getSize() {
    if (!usable()) {
        return -1;
    }
    const PHYSFS_sint64 length = PHYSFS_fileLength(file);
    if (length < 0) {
        printLastError();
    }
    return length;
}

}  // namespace sf
