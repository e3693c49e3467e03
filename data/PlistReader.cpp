// Format detection and the entry points of the property-list readers.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <istream>
#include <stdexcept>
#include <utility>

#include "data/Plist.h"
#include "data/PlistBinaryReader.h"
#include "data/PlistXmlReader.h"

namespace Plist {

namespace {

template <typename Root>
void moveRootInto(Value& root, Root& out) {
    Root* typedRoot = boost::any_cast<Root>(&root);
    if (typedRoot == nullptr) {
        throw boost::bad_any_cast();
    }
    out = std::move(*typedRoot);
}

}  // namespace

void parseValue(const char* data, int64_t size, Value& out) {
    if (data == nullptr || size <= 0) {
        throw std::runtime_error("Plist: Empty plist data");
    }
    const auto length = static_cast<size_t>(size);
    if (length >= 8 && std::memcmp(data, "bplist00", 8) == 0) {
        out = readBinaryPlist(data, length);
    } else {
        out = readXmlPlist(data, length);
    }
}

void parse(const char* data, int64_t size, Dictionary& out) {
    Value root;
    parseValue(data, size, root);
    moveRootInto(root, out);
}

void parseArray(const char* data, int64_t size, Array& out) {
    Value root;
    parseValue(data, size, root);
    moveRootInto(root, out);
}

void parseStream(std::istream& in, Dictionary& out) {
    const std::istream::pos_type start = in.tellg();
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    if (start < 0 || end < 0 || end - start < 1) {
        throw std::runtime_error("Can't read zero length data");
    }
    const auto length = static_cast<size_t>(end - start);
    std::vector<char> contents(length);
    in.seekg(start);
    in.read(contents.data(), static_cast<std::streamsize>(length));
    if (static_cast<size_t>(in.gcount()) != length) {
        throw std::runtime_error("Plist: can't read the stream's data");
    }
    parse(contents.data(), static_cast<int64_t>(length), out);
}

void loadFile(const std::string& path, Dictionary& out, bool& ok) {
    ok = false;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        std::printf("Can't open file: %s\n", path.c_str());
        return;
    }
    parseStream(file, out);
    ok = true;
}

}  // namespace Plist
