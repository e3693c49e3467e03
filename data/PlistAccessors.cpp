// The typed accessors through which content loaders read their keys.

#include <cstdlib>

#include "data/Plist.h"

namespace Plist {

namespace {

const Value* find(const Dictionary& dict, const char* key) {
    const auto entry = dict.find(key);
    return entry == dict.end() ? nullptr : &entry->second;
}

template <typename T>
bool getContainer(const Dictionary& dict, const char* key, T& out) {
    const Value* value = find(dict, key);
    const T* container = value != nullptr ? boost::any_cast<T>(value) : nullptr;
    if (container == nullptr) {
        return false;
    }
    out = *container;
    return true;
}

}  // namespace

bool integerValue(const Value& value, int64_t& out) {
    if (const auto* wide = boost::any_cast<int64_t>(&value)) {
        out = *wide;
    } else if (const auto* longLong = boost::any_cast<long long>(&value)) {
        out = *longLong;
    } else if (const auto* plainInt = boost::any_cast<int>(&value)) {
        out = *plainInt;
    } else if (const auto* shortInt = boost::any_cast<short>(&value)) {
        out = *shortInt;
    } else {
        return false;
    }
    return true;
}

bool realValue(const Value& value, double& out) {
    if (const auto* real = boost::any_cast<double>(&value)) {
        out = *real;
    } else if (const auto* single = boost::any_cast<float>(&value)) {
        out = static_cast<double>(*single);
    } else {
        return false;
    }
    return true;
}

bool getFloat(const Dictionary& dict, const char* key, float& out) {
    out = 0.0f;
    const Value* value = find(dict, key);
    if (value == nullptr) {
        return false;
    }
    double real = 0.0;
    int64_t integer = 0;
    if (const auto* single = boost::any_cast<float>(value)) {
        out = *single;
    } else if (realValue(*value, real)) {
        out = static_cast<float>(real);
    } else if (integerValue(*value, integer)) {
        out = static_cast<float>(integer);
    } else if (const auto* text = boost::any_cast<std::string>(value)) {
        // Only the integer part of a number held as text counts ("2.5" reads as 2).
        out = static_cast<float>(std::strtoll(text->c_str(), nullptr, 10));
    } else {
        return false;
    }
    return true;
}

bool getInt(const Dictionary& dict, const char* key, int& out) {
    out = 0;
    const Value* value = find(dict, key);
    int64_t integer = 0;
    if (value == nullptr || !integerValue(*value, integer)) {
        return false;
    }
    out = static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(integer)));
    return true;
}

bool getBool(const Dictionary& dict, const char* key, bool& out) {
    out = false;
    const Value* value = find(dict, key);
    const bool* flag = value != nullptr ? boost::any_cast<bool>(value) : nullptr;
    if (flag == nullptr) {
        return false;
    }
    out = *flag;
    return true;
}

bool getString(const Dictionary& dict, const char* key, std::string& out) {
    out.clear();
    const Value* value = find(dict, key);
    const std::string* text = value != nullptr ? boost::any_cast<std::string>(value) : nullptr;
    if (text == nullptr) {
        return false;
    }
    out = *text;
    return true;
}

bool getDict(const Dictionary& dict, const char* key, Dictionary& out) {
    return getContainer(dict, key, out);
}

bool getArray(const Dictionary& dict, const char* key, Array& out) {
    return getContainer(dict, key, out);
}

}  // namespace Plist
