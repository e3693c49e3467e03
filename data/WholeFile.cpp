#include "data/WholeFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace WholeFile {

namespace {

// Writes all of `bytes` to the descriptor; false with errno set on failure.
bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool write(const std::string& path, const std::string& bytes, std::string& problem) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::path(path).parent_path().empty() ? fs::path(".") : fs::path(path).parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        problem = error.message();
        return false;
    }
    std::string temporary = path + kTemporarySuffix + "XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        problem = std::strerror(errno);
        return false;
    }
    const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        problem = std::strerror(written ? errno : writeError);
        ::unlink(temporary.c_str());
        return false;
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

}  // namespace WholeFile
