#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
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

}  // namespace testfiles
