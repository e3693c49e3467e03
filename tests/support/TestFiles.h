#pragma once
// Files for tests: temporary folders and ZIP packages made at run time.

#include <map>
#include <string>

namespace testfiles {

// A fresh folder under the system's temporary folder, removed with its contents at destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    std::string file(const std::string& relativePath) const { return root + "/" + relativePath; }
    // Writes the file, creating its folders.
    void write(const std::string& relativePath, const std::string& contents) const;

  private:
    std::string root;
};

// Zips the given files (package path -> contents) into `packagePath` with the zip command.
void makeZipPackage(const std::string& packagePath, const std::map<std::string, std::string>& files);

// A short, valid sound effect (Core Audio Format, 16-bit mono PCM), for packages whose
// content plays effects.
std::string tinyCaf();

// Points OpenAL Soft at its null output through a config file written in `folder`: effects
// and music then play (and end) in real time without a sound card. Call it before anything
// touches the sound manager.
void useNullAudioOutput(const TempDir& folder);

}  // namespace testfiles
