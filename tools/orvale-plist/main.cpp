// orvale-plist: a content author's tool for property lists.
//
//   orvale-plist dump FILE                 print a property list (binary or XML) as JSON
//   orvale-plist convert --binary IN OUT   write IN as a binary property list
//   orvale-plist convert --xml IN OUT      write IN as an XML property list
//   orvale-plist check PACKAGE             parse every ".plist" in a ZIP package
//
// Any error prints one line on stderr and exits with 1.

#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PackageCheck.h"
#include "PlistJson.h"
#include "data/Plist.h"

namespace {

const char kUsage[] =
    "usage: orvale-plist dump FILE | convert --binary IN OUT | convert --xml IN OUT | check PACKAGE";

// An error with the file or argument it concerns.
struct ToolError : std::runtime_error {
    ToolError(const std::string& where, const std::string& what) : std::runtime_error(where + ": " + what) {}
};

Plist::Value readPropertyList(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        throw ToolError(path, "can't open the file");
    }
    const std::vector<char> contents((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (file.bad()) {
        throw ToolError(path, "can't read the file");
    }
    Plist::Value root;
    try {
        Plist::parseValue(contents.data(), static_cast<int64_t>(contents.size()), root);
    } catch (const std::exception& error) {
        throw ToolError(path, error.what());
    }
    return root;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        throw ToolError(path, "can't create the file");
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file.fail()) {
        throw ToolError(path, "can't write the file");
    }
}

int dump(const std::string& path) {
    const Plist::Value root = readPropertyList(path);
    std::ostringstream json;
    try {
        writePlistJson(json, root);
    } catch (const std::exception& error) {
        throw ToolError(path, error.what());
    }
    std::cout << json.str();
    return 0;
}

int convert(const std::string& form, const std::string& inputPath, const std::string& outputPath) {
    const Plist::Value root = readPropertyList(inputPath);
    std::ostringstream bytes;
    try {
        if (form == "--binary") {
            Plist::writeBinary(bytes, root);
        } else {
            Plist::writeXml(bytes, root);
        }
    } catch (const std::exception& error) {
        throw ToolError(outputPath, error.what());
    }
    writeFile(outputPath, bytes.str());
    return 0;
}

int run(const std::vector<std::string>& arguments, const char* programPath) {
    if (arguments.size() == 2 && arguments[0] == "dump") {
        return dump(arguments[1]);
    }
    if (arguments.size() == 4 && arguments[0] == "convert" &&
        (arguments[1] == "--binary" || arguments[1] == "--xml")) {
        return convert(arguments[1], arguments[2], arguments[3]);
    }
    if (arguments.size() == 2 && arguments[0] == "check") {
        return checkPackage(programPath, arguments[1]);
    }
    std::cerr << "orvale-plist: " << kUsage << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return run(arguments, argv[0]);
    } catch (const std::exception& error) {
        std::cerr << "orvale-plist: " << error.what() << "\n";
        return 1;
    }
}
