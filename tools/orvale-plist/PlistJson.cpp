#include "PlistJson.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "data/PlistBase64.h"

namespace {

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (char character : text) {
        const auto code = static_cast<unsigned char>(character);
        switch (character) {
            case '"':
                result += "\\\"";
                break;
            case '\\':
                result += "\\\\";
                break;
            case '\b':
                result += "\\b";
                break;
            case '\f':
                result += "\\f";
                break;
            case '\n':
                result += "\\n";
                break;
            case '\r':
                result += "\\r";
                break;
            case '\t':
                result += "\\t";
                break;
            default:
                if (code < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof(escape), "\\u%04x", code);
                    result += escape;
                } else {
                    result += character;
                }
        }
    }
    return result + "\"";
}

std::string numberText(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[40];
    std::snprintf(text, sizeof(text), "%.17g", value);
    std::string number = text;
    // Keep a real recognisable as one: 2 prints as 2.0.
    if (number.find_first_not_of("-0123456789") == std::string::npos) {
        number += ".0";
    }
    return number;
}

void writeValue(std::ostream& out, const Plist::Value& value, int indent) {
    const std::string inner(static_cast<size_t>(indent + 2), ' ');
    const std::string outer(static_cast<size_t>(indent), ' ');
    int64_t integer = 0;
    double real = 0.0;
    if (const auto* dictionary = boost::any_cast<Plist::Dictionary>(&value)) {
        if (dictionary->empty()) {
            out << "{}";
            return;
        }
        out << "{\n";
        bool first = true;
        for (const auto& entry : *dictionary) {
            out << (first ? "" : ",\n") << inner << quoted(entry.first) << ": ";
            writeValue(out, entry.second, indent + 2);
            first = false;
        }
        out << "\n" << outer << "}";
    } else if (const auto* array = boost::any_cast<Plist::Array>(&value)) {
        if (array->empty()) {
            out << "[]";
            return;
        }
        out << "[\n";
        bool first = true;
        for (const Plist::Value& element : *array) {
            out << (first ? "" : ",\n") << inner;
            writeValue(out, element, indent + 2);
            first = false;
        }
        out << "\n" << outer << "]";
    } else if (const auto* text = boost::any_cast<std::string>(&value)) {
        out << quoted(*text);
    } else if (Plist::integerValue(value, integer)) {
        out << integer;
    } else if (Plist::realValue(value, real)) {
        out << numberText(real);
    } else if (const auto* flag = boost::any_cast<bool>(&value)) {
        out << (*flag ? "true" : "false");
    } else if (const auto* date = boost::any_cast<PlistDate>(&value)) {
        out << "{\"date\": " << date->secondsSince1970() << "}";
    } else if (const auto* data = boost::any_cast<Plist::Data>(&value)) {
        out << "{\"data\": " << quoted(Plist::base64Encode(*data)) << "}";
    } else {
        throw std::runtime_error("value of an unknown type in the tree");
    }
}

}  // namespace

void writePlistJson(std::ostream& out, const Plist::Value& value) {
    writeValue(out, value, 0);
    out << "\n";
}
