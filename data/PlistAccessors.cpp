// The typed accessors through which content loaders read their keys.

#include "data/Plist.h"
#include "data/PlistRead.h"

namespace Plist {

namespace {

template <typename T>
bool getContainer(const Dictionary& dict, const char* key, T& out) {
    const Value* value = findValue(dict, key);
    const T* container = value != nullptr ? boost::any_cast<T>(value) : nullptr;
    if (container == nullptr) {
        return false;
    }
    out = *container;
    return true;
}

}  // namespace

// The scalar accessors zero `out` first, then take the converted value when there is one.

bool getFloat(const Dictionary& dict, const char* key, float& out) {
    out = 0.0f;
    const Value* value = findValue(dict, key);
    return value != nullptr && toFloat(*value, out);
}

bool getInt(const Dictionary& dict, const char* key, int& out) {
    out = 0;
    const Value* value = findValue(dict, key);
    return value != nullptr && toInt(*value, out);
}

bool getBool(const Dictionary& dict, const char* key, bool& out) {
    out = false;
    const Value* value = findValue(dict, key);
    return value != nullptr && toBool(*value, out);
}

bool getString(const Dictionary& dict, const char* key, std::string& out) {
    out.clear();
    const std::string* text = findString(dict, key);
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
