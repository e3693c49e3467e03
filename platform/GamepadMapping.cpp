#include "platform/GamepadMapping.h"

#include <SDL2/SDL.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {
// Longer lines are not mappings (the longest real ones are about 400 characters).
constexpr size_t kLongestLine = 1024;

// The elements a mapping may name, and the fields that qualify a line.
const char* const kElements[] = {"a",
                                 "b",
                                 "x",
                                 "y",
                                 "back",
                                 "guide",
                                 "start",
                                 "leftstick",
                                 "rightstick",
                                 "leftshoulder",
                                 "rightshoulder",
                                 "dpup",
                                 "dpdown",
                                 "dpleft",
                                 "dpright",
                                 "misc1",
                                 "paddle1",
                                 "paddle2",
                                 "paddle3",
                                 "paddle4",
                                 "touchpad",
                                 "leftx",
                                 "lefty",
                                 "rightx",
                                 "righty",
                                 "lefttrigger",
                                 "righttrigger"};
const char* const kQualifiers[] = {"platform", "crc", "hint", "sdk>=", "sdk<="};

bool isOneOf(const std::string& word, const char* const* list, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (word == list[i]) {
            return true;
        }
    }
    return false;
}

// A source of the joystick: "b3", "a1", "+a2", "-a0", "a5~", "h0.4".
bool isSource(const std::string& value) {
    size_t at = 0;
    if (at < value.size() && (value[at] == '+' || value[at] == '-')) {
        ++at;
    }
    if (at >= value.size() || (value[at] != 'a' && value[at] != 'b' && value[at] != 'h')) {
        return false;
    }
    const bool hat = value[at] == 'h';
    ++at;
    const size_t digits = at;
    while (at < value.size() && std::isdigit(static_cast<unsigned char>(value[at]))) {
        ++at;
    }
    if (at == digits) {
        return false;
    }
    if (hat) {
        if (at >= value.size() || value[at] != '.') {
            return false;
        }
        const size_t mask = ++at;
        while (at < value.size() && std::isdigit(static_cast<unsigned char>(value[at]))) {
            ++at;
        }
        return at > mask && at == value.size();
    }
    if (at < value.size() && value[at] == '~') {
        ++at;
    }
    return at == value.size();
}

std::string trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// The value of field `key` ("platform") in a good line, empty when it has none.
std::string fieldValue(const std::string& line, const char* key) {
    const std::string wanted = std::string(",") + key + ":";
    const size_t at = line.find(wanted);
    if (at == std::string::npos) {
        return {};
    }
    const size_t begin = at + wanted.size();
    const size_t end = line.find(',', begin);
    return line.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}
}  // namespace

std::string userControllerDatabasePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        return std::string(config) + "/vortalis2/gamecontrollerdb.txt";
    }
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') {
        return std::string(home) + "/.config/vortalis2/gamecontrollerdb.txt";
    }
    return {};
}

const char* mappingLineFault(const std::string& line) {
    if (line.size() > kLongestLine) {
        return "the line is too long to be a mapping";
    }
    for (char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            return "the line holds control characters";
        }
    }
    const size_t guidEnd = line.find(',');
    if (guidEnd != 32) {
        return "it does not start with a GUID of 32 hex digits and a comma";
    }
    for (size_t i = 0; i < guidEnd; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(line[i]))) {
            return "it does not start with a GUID of 32 hex digits and a comma";
        }
    }
    const size_t nameEnd = line.find(',', guidEnd + 1);
    if (nameEnd == std::string::npos || trimmed(line.substr(guidEnd + 1, nameEnd - guidEnd - 1)).empty()) {
        return "the pad's name is missing";
    }
    int elements = 0;
    size_t begin = nameEnd + 1;
    while (begin < line.size()) {
        size_t end = line.find(',', begin);
        if (end == std::string::npos) {
            end = line.size();
        }
        const std::string field = line.substr(begin, end - begin);
        begin = end + 1;
        if (field.empty()) {
            continue;
        }
        const size_t colon = field.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == field.size()) {
            return "a field is not of the form name:value";
        }
        const std::string key = field.substr(0, colon);
        if (isOneOf(key, kQualifiers, std::size(kQualifiers))) {
            continue;
        }
        if (!isOneOf(key, kElements, std::size(kElements))) {
            return "it names a button or axis the controller layer does not know";
        }
        if (!isSource(field.substr(colon + 1))) {
            return "a button or axis is mapped to something other than bN, aN or hN.M";
        }
        ++elements;
    }
    if (elements == 0) {
        return "it maps no button or axis";
    }
    return nullptr;
}

MappingFileResult addControllerMappings(const std::string& path) {
    MappingFileResult result;
    if (path.empty()) {
        return result;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return result;
    }
    result.found = true;
    std::string raw;
    int number = 0;
    while (std::getline(file, raw)) {
        ++number;
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (const char* fault = mappingLineFault(line)) {
            std::printf("Controller mappings %s, line %d skipped: %s.\n", path.c_str(), number, fault);
            ++result.skipped;
            continue;
        }
        const std::string platform = fieldValue(line, "platform");
        if (!platform.empty() && platform != "Linux") {
            continue;  // a line for another system, as the shared databases hold
        }
        if (SDL_GameControllerAddMapping(line.c_str()) < 0) {
            std::printf("Controller mappings %s, line %d skipped: %s.\n", path.c_str(), number,
                        SDL_GetError());
            ++result.skipped;
            continue;
        }
        ++result.added;
    }
    if (file.bad()) {
        std::printf(
            "Controller mappings %s could not be read to its end; the pads keep the mappings read so far.\n",
            path.c_str());
    }
    std::printf("Controller mappings %s: %d added, %d bad lines skipped.\n", path.c_str(), result.added,
                result.skipped);
    return result;
}
