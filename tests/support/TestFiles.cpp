#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testfiles {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvale-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("can't create a temporary folder");
    }
    root = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempDir::write(const std::string& relativePath, const std::string& contents) const {
    const std::filesystem::path target = file(relativePath);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << contents;
}

void makeZipPackage(const std::string& packagePath, const std::map<std::string, std::string>& files) {
    TempDir staging;
    std::string names;
    for (const auto& entry : files) {
        staging.write(entry.first, entry.second);
        names += " '" + entry.first + "'";
    }
    const std::string command = "cd '" + staging.path() + "' && zip -q -X '" + packagePath + "'" + names;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string tinyCaf() {
    const unsigned char header[] = {
        'c', 'a', 'f', 'f', 0, 1, 0, 0,                                   // file header
        'd', 'e', 's', 'c', 0, 0, 0, 0, 0, 0, 0, 32,                      // description chunk
        0x40, 0xd5, 0x88, 0x80, 0, 0, 0, 0,                               // 22050 Hz
        'l', 'p', 'c', 'm', 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1,  // little-endian, mono
        0, 0, 0, 16,                                                      // 16 bits
        'd', 'a', 't', 'a', 0, 0, 0, 0, 0, 0, 0x01, 0x94, 0, 0, 0, 0};     // 200 samples
    std::string file(reinterpret_cast<const char*>(header), sizeof header);
    for (int i = 0; i < 200; ++i) {
        const int value = (i % 20 < 10) ? 3000 : -3000;
        file.push_back(static_cast<char>(value & 0xff));
        file.push_back(static_cast<char>((value >> 8) & 0xff));
    }
    return file;
}

void useNullAudioOutput(const TempDir& folder) {
    folder.write("alsoft.conf", "[general]\ndrivers = null\n");
    setenv("ALSOFT_CONF", folder.file("alsoft.conf").c_str(), 1);
}

}  // namespace testfiles
