// Format detection and the entry points of the property-list readers.

#include <cstring>
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

}  // namespace Plist
