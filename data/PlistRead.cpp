// The conversion rules and the read form every loader uses.

#include "data/PlistRead.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace Plist {

namespace {

ReadLedger* currentLedger = nullptr;

void note(const Dictionary& dict, const std::string& key, ReadKind kind) {
    if (currentLedger != nullptr) {
        currentLedger->noteRead(dict, key, kind);
    }
}
void note(const Dictionary& dict, const char* key, ReadKind kind) {
    if (currentLedger != nullptr) {
        currentLedger->noteRead(dict, std::string(key), kind);
    }
}

// The look-up itself, which notes nothing: the public forms note the kind they read.
const Value* lookUp(const Dictionary& dict, const std::string& key) {
    const auto entry = dict.find(key);
    return entry == dict.end() ? nullptr : &entry->second;
}
const Value* lookUp(const Dictionary& dict, const char* key) {
    return lookUp(dict, std::string(key));
}

template <typename T>
constexpr ReadKind kindOf() {
    if constexpr (std::is_same_v<T, float>) {
        return ReadKind::Number;
    } else if constexpr (std::is_same_v<T, int>) {
        return ReadKind::Integer;
    } else if constexpr (std::is_same_v<T, bool>) {
        return ReadKind::Flag;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return ReadKind::Text;
    } else if constexpr (std::is_same_v<T, Dictionary>) {
        return ReadKind::Dict;
    } else {
        return ReadKind::List;
    }
}

const std::string& emptyText() {
    static const std::string empty;
    return empty;
}

template <typename T, typename Key>
const T* findAs(const Dictionary& dict, const Key& key) {
    note(dict, key, kindOf<T>());
    const Value* value = lookUp(dict, key);
    return value != nullptr ? boost::any_cast<T>(value) : nullptr;
}

const char* keyText(const std::string& key) {
    return key.c_str();
}
const char* keyText(const char* key) {
    return key;
}

// A real that toFloat refused for its size rather than its type gets a line naming the key.
template <typename T, typename Key>
void reportRefusedReal(const Value& value, const Key& key, T fallback) {
    double real = 0.0;
    if (realValue(value, real)) {
        std::printf("PROPERTY \"%s\" IS NOT A USABLE NUMBER (%g), USING %g\n", keyText(key), real,
                    static_cast<double>(fallback));
    }
}

template <typename T, typename Key, typename Convert>
bool readWith(const Dictionary& dict, const Key& key, T& field, T fallback, Convert convert) {
    note(dict, key, kindOf<T>());
    const Value* value = lookUp(dict, key);
    T converted{};
    if (value != nullptr && convert(*value, converted)) {
        field = converted;
        return true;
    }
    if (value != nullptr) {
        reportRefusedReal(*value, key, fallback);
    }
    field = fallback;
    return false;
}

template <typename T, typename Key>
bool readWithin(const Dictionary& dict, const Key& key, T& field, T fallback, T low, T high) {
    const bool found = read(dict, key, field, fallback);
    if (currentLedger != nullptr) {
        currentLedger->noteRange(dict, keyText(key), static_cast<double>(low), static_cast<double>(high));
    }
    if (field < low || field > high) {
        const T clamped = field < low ? low : high;
        std::printf("PROPERTY \"%s\" OUT OF RANGE (%g), CLAMPED TO %g\n", keyText(key),
                    static_cast<double>(field), static_cast<double>(clamped));
        field = clamped;
    }
    return found;
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

bool toFloat(const Value& value, float& out) {
    double real = 0.0;
    int64_t integer = 0;
    if (const auto* single = boost::any_cast<float>(&value)) {
        if (!std::isfinite(*single)) {
            return false;
        }
        out = *single;
    } else if (realValue(value, real)) {
        // NaN, an infinity or a real past a float's range would become a position, a speed or a
        // count that no later sum or cast survives.
        if (!std::isfinite(real) || std::fabs(real) > static_cast<double>(FLT_MAX)) {
            return false;
        }
        out = static_cast<float>(real);
    } else if (integerValue(value, integer)) {
        out = static_cast<float>(integer);
    } else if (const auto* text = boost::any_cast<std::string>(&value)) {
        // Only the integer part of a number held as text counts ("2.5" reads as 2).
        out = static_cast<float>(std::strtoll(text->c_str(), nullptr, 10));
    } else {
        return false;
    }
    return true;
}

bool toInt(const Value& value, int& out) {
    int64_t integer = 0;
    if (!integerValue(value, integer)) {
        return false;
    }
    out = static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(integer)));
    return true;
}

bool toBool(const Value& value, bool& out) {
    const bool* flag = boost::any_cast<bool>(&value);
    if (flag == nullptr) {
        return false;
    }
    out = *flag;
    return true;
}

ReadLedger* setReadLedger(ReadLedger* ledger) {
    ReadLedger* before = currentLedger;
    currentLedger = ledger;
    return before;
}

void noteOpenedList(const std::string& path, const Dictionary& root, const void* openedAt) {
    if (currentLedger != nullptr) {
        currentLedger->noteList(path, root, openedAt);
    }
}

void noteMissingList(const std::string& path) {
    if (currentLedger != nullptr) {
        currentLedger->noteMissingList(path);
    }
}

void noteNamedEntries(const Dictionary& dict) {
    if (currentLedger != nullptr) {
        currentLedger->noteNames(dict);
    }
}

const Value* findValue(const Dictionary& dict, const std::string& key) {
    note(dict, key, ReadKind::Any);
    return lookUp(dict, key);
}

const Value* findValue(const Dictionary& dict, const char* key) {
    note(dict, key, ReadKind::Any);
    return lookUp(dict, key);
}

const Dictionary* findDict(const Dictionary& dict, const std::string& key) {
    return findAs<Dictionary>(dict, key);
}
const Dictionary* findDict(const Dictionary& dict, const char* key) {
    return findAs<Dictionary>(dict, key);
}
const Array* findArray(const Dictionary& dict, const std::string& key) {
    return findAs<Array>(dict, key);
}
const Array* findArray(const Dictionary& dict, const char* key) {
    return findAs<Array>(dict, key);
}
const std::string* findString(const Dictionary& dict, const std::string& key) {
    return findAs<std::string>(dict, key);
}
const std::string* findString(const Dictionary& dict, const char* key) {
    return findAs<std::string>(dict, key);
}

const Dictionary* asDict(const Value& value) {
    return boost::any_cast<Dictionary>(&value);
}

const std::string* asString(const Value& value) {
    return boost::any_cast<std::string>(&value);
}

bool read(const Dictionary& dict, const std::string& key, float& field, float fallback) {
    return readWith(dict, key, field, fallback, toFloat);
}
bool read(const Dictionary& dict, const char* key, float& field, float fallback) {
    return readWith(dict, key, field, fallback, toFloat);
}
bool read(const Dictionary& dict, const std::string& key, int& field, int fallback) {
    return readWith(dict, key, field, fallback, toInt);
}
bool read(const Dictionary& dict, const char* key, int& field, int fallback) {
    return readWith(dict, key, field, fallback, toInt);
}
bool read(const Dictionary& dict, const std::string& key, bool& field, bool fallback) {
    return readWith(dict, key, field, fallback, toBool);
}
bool read(const Dictionary& dict, const char* key, bool& field, bool fallback) {
    return readWith(dict, key, field, fallback, toBool);
}

bool readWithin(const Dictionary& dict, const std::string& key, float& field, float fallback, float low,
                float high) {
    return readWithin<float>(dict, key, field, fallback, low, high);
}
bool readWithin(const Dictionary& dict, const char* key, float& field, float fallback, float low,
                float high) {
    return readWithin<float>(dict, key, field, fallback, low, high);
}
bool readWithin(const Dictionary& dict, const std::string& key, int& field, int fallback, int low, int high) {
    return readWithin<int>(dict, key, field, fallback, low, high);
}
bool readWithin(const Dictionary& dict, const char* key, int& field, int fallback, int low, int high) {
    return readWithin<int>(dict, key, field, fallback, low, high);
}

bool read(const Dictionary& dict, const char* key, std::string& field, const char* fallback) {
    const std::string* text = findString(dict, key);
    if (text == nullptr) {
        field = fallback;
        return false;
    }
    field = *text;
    return true;
}

const std::string& textOf(const Dictionary& dict, const std::string& key) {
    const std::string* text = findString(dict, key);
    return text != nullptr ? *text : emptyText();
}
const std::string& textOf(const Dictionary& dict, const char* key) {
    const std::string* text = findString(dict, key);
    return text != nullptr ? *text : emptyText();
}

float floatOr(const Dictionary& dict, const std::string& key, float fallback) {
    float value = 0.0f;
    read(dict, key, value, fallback);
    return value;
}
float floatOr(const Dictionary& dict, const char* key, float fallback) {
    float value = 0.0f;
    read(dict, key, value, fallback);
    return value;
}
int intOr(const Dictionary& dict, const std::string& key, int fallback) {
    int value = 0;
    read(dict, key, value, fallback);
    return value;
}
int intOr(const Dictionary& dict, const char* key, int fallback) {
    int value = 0;
    read(dict, key, value, fallback);
    return value;
}
bool boolOr(const Dictionary& dict, const std::string& key, bool fallback) {
    bool value = false;
    read(dict, key, value, fallback);
    return value;
}
bool boolOr(const Dictionary& dict, const char* key, bool fallback) {
    bool value = false;
    read(dict, key, value, fallback);
    return value;
}

}  // namespace Plist
