// Fuzzes Plist::parse with arbitrary bytes. Besides the sanitizers' checks, every tree the reader
// accepts must survive the writers: written as binary it reads back to the same bytes, and
// written as XML (when XML can hold it) it reads back to the same tree.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "data/Plist.h"

namespace {

std::string toBinary(const Plist::Value& root) {
    std::ostringstream out;
    Plist::writeBinary(out, root);
    return out.str();
}

Plist::Value parseOrAbort(const std::string& bytes) {
    Plist::Value root;
    try {
        Plist::parseValue(bytes.data(), static_cast<int64_t>(bytes.size()), root);
    } catch (const std::exception&) {
        std::abort();  // the reader refused what the writer produced
    }
    return root;
}

// Tree equality in which NaN equals NaN (XML keeps no NaN payloads).
bool sameTree(const Plist::Value& left, const Plist::Value& right) {
    if (left.type() != right.type()) {
        return false;
    }
    if (const auto* dictionary = boost::any_cast<Plist::Dictionary>(&left)) {
        const auto& other = boost::any_cast<const Plist::Dictionary&>(right);
        if (dictionary->size() != other.size()) {
            return false;
        }
        for (auto a = dictionary->begin(), b = other.begin(); a != dictionary->end(); ++a, ++b) {
            if (a->first != b->first || !sameTree(a->second, b->second)) {
                return false;
            }
        }
        return true;
    }
    if (const auto* array = boost::any_cast<Plist::Array>(&left)) {
        const auto& other = boost::any_cast<const Plist::Array&>(right);
        if (array->size() != other.size()) {
            return false;
        }
        for (size_t index = 0; index < array->size(); ++index) {
            if (!sameTree((*array)[index], other[index])) {
                return false;
            }
        }
        return true;
    }
    if (const auto* real = boost::any_cast<double>(&left)) {
        const double other = boost::any_cast<double>(right);
        return (std::isnan(*real) && std::isnan(other)) || std::memcmp(real, &other, sizeof(other)) == 0;
    }
    // Scalars other than reals compare through their binary form.
    return toBinary(left) == toBinary(right);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    Plist::Value root;
    try {
        Plist::parseValue(bytes, static_cast<int64_t>(size), root);
    } catch (const std::runtime_error&) {
        return 0;
    }
    Plist::Dictionary dictionary;
    try {
        Plist::parse(bytes, static_cast<int64_t>(size), dictionary);
    } catch (const std::bad_cast&) {
    }

    const std::string binary = toBinary(root);
    if (toBinary(parseOrAbort(binary)) != binary) {
        std::abort();
    }

    std::ostringstream xml;
    try {
        Plist::writeXml(xml, root);
    } catch (const std::runtime_error&) {
        return 0;  // a NUL byte in a string or a year outside 0 to 9999
    }
    if (!sameTree(parseOrAbort(xml.str()), root)) {
        std::abort();
    }
    return 0;
}
