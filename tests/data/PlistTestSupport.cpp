#include "PlistTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace plisttest {

std::string describe(const Plist::Value& value) {
    std::ostringstream text;
    if (const auto* dictionary = boost::any_cast<Plist::Dictionary>(&value)) {
        text << "{";
        for (const auto& entry : *dictionary) {
            text << entry.first << "=" << describe(entry.second) << ",";
        }
        text << "}";
    } else if (const auto* array = boost::any_cast<Plist::Array>(&value)) {
        text << "[";
        for (const Plist::Value& element : *array) {
            text << describe(element) << ",";
        }
        text << "]";
    } else if (const auto* string = boost::any_cast<std::string>(&value)) {
        text << "s:" << *string;
    } else if (const auto* integer = boost::any_cast<int64_t>(&value)) {
        text << "i:" << *integer;
    } else if (const auto* real = boost::any_cast<double>(&value)) {
        char number[40];
        std::snprintf(number, sizeof(number), "%.17g", *real);
        text << "r:" << number;
    } else if (const auto* flag = boost::any_cast<bool>(&value)) {
        text << (*flag ? "true" : "false");
    } else if (const auto* date = boost::any_cast<PlistDate>(&value)) {
        text << "date:" << date->secondsSince1970();
    } else if (const auto* data = boost::any_cast<Plist::Data>(&value)) {
        text << "data:";
        for (char byte : *data) {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%02x", static_cast<unsigned char>(byte));
            text << hex;
        }
    } else {
        text << "other:" << value.type().name();
    }
    return text.str();
}

std::string writeBinaryToString(const Plist::Value& root) {
    std::ostringstream out;
    Plist::writeBinary(out, root);
    return out.str();
}

std::string writeXmlToString(const Plist::Value& root) {
    std::ostringstream out;
    Plist::writeXml(out, root);
    return out.str();
}

Plist::Value parseAny(const std::string& bytes) {
    Plist::Value root;
    Plist::parseValue(bytes.data(), static_cast<int64_t>(bytes.size()), root);
    return root;
}

std::string parseError(const std::string& bytes) {
    try {
        parseAny(bytes);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(no error)";
}

namespace {

void appendBigEndian(std::string& out, uint64_t number, int width) {
    for (int index = width - 1; index >= 0; --index) {
        out += static_cast<char>((number >> (8 * index)) & 0xFF);
    }
}

}  // namespace

std::string BinaryFile::build() const {
    std::string file = "bplist00";
    std::vector<uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(file.size());
        file += object;
    }
    const uint64_t tablePosition = file.size();
    for (uint64_t offset : offsets) {
        appendBigEndian(file, offset, offsetWidth);
    }
    file += std::string(6, '\0');
    file += static_cast<char>(offsetWidth);
    file += static_cast<char>(referenceWidth);
    appendBigEndian(file, objects.size(), 8);
    appendBigEndian(file, topObject, 8);
    appendBigEndian(file, tablePosition, 8);
    return file;
}

}  // namespace plisttest
