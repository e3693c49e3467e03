#pragma once
// A seekable read stream over one asset-package file, for SFML's loaders (sound buffers, streamed
// music). Errors never throw: they print PhysicsFS's error text and return 0 bytes from read and
// -1 from the other operations.

#include <SFML/System/InputStream.hpp>

#include <cstdint>
#include <string>

struct PHYSFS_File;

namespace sf {

class physfs : public sf::InputStream {
  public:
    // Opens the package path; on failure prints the error text and the stream stays failed.
    explicit physfs(const std::string& path);
    ~physfs() override;

    physfs(const physfs&) = delete;
    physfs& operator=(const physfs&) = delete;

    // Bytes read, 0 when failed or on error.
    Int64 read(void* data, Int64 size) override;
    // The new position, -1 when failed or on error.
    Int64 seek(Int64 position) override;
    // The position, -1 when failed or on error.
    Int64 tell() override;
    // The file's length, -1 when failed or on error.
    Int64 getSize() override;

    bool isOpen() const { return !failed; }

  private:
    // False when the open failed or PhysicsFS has been shut down since (the handle is gone then).
    bool handleValid() const;
    // As handleValid, printing why when the library was shut down under the stream.
    bool usable() const;

    PHYSFS_File* file;
    bool failed;
    uint64_t generation;  // the PhysicsFS generation the file was opened in
};

}  // namespace sf
