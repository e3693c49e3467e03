#include "data/PlistXmlReader.h"

#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "data/PlistBase64.h"

namespace Plist {

namespace {

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

bool isNamed(const pugi::xml_node& node, const char* name) {
    return std::strcmp(node.name(), name) == 0;
}

// The text of an element: the value of its first child, empty when it has none.
const char* textOf(const pugi::xml_node& node) {
    return node.first_child().value();
}

// A blank text node is kept by the parser only when it is the only child of its element, so that
// a string of blanks survives; inside a dict or array such a node is layout and is skipped.
bool isLayoutText(const pugi::xml_node& node) {
    if (node.type() != pugi::node_pcdata) {
        return false;
    }
    for (const char* character = node.value(); *character != '\0'; ++character) {
        if (*character != ' ' && *character != '\t' && *character != '\n' && *character != '\r') {
            return false;
        }
    }
    return true;
}

std::vector<pugi::xml_node> contentChildren(const pugi::xml_node& node) {
    std::vector<pugi::xml_node> children;
    for (pugi::xml_node child : node.children()) {
        if (!isLayoutText(child)) {
            children.push_back(child);
        }
    }
    return children;
}

Value readNode(const pugi::xml_node& node, int depth);

Value readDictionary(const pugi::xml_node& node, int depth) {
    Dictionary dictionary;
    const std::vector<pugi::xml_node> children = contentChildren(node);
    for (size_t index = 0; index < children.size(); index += 2) {
        if (!isNamed(children[index], "key")) {
            fail("Plist: XML dictionary key expected but not found");
        }
        std::string key = textOf(children[index]);
        if (index + 1 >= children.size()) {
            fail("Plist: XML dictionary value expected for key " + key + "but not found");
        }
        if (isNamed(children[index + 1], "key")) {
            fail("Plist: XML dictionary value expected for key " + key + "but found another key node");
        }
        dictionary.insert_or_assign(std::move(key), readNode(children[index + 1], depth + 1));
    }
    return Value(std::move(dictionary));
}

Value readArray(const pugi::xml_node& node, int depth) {
    Array array;
    for (const pugi::xml_node& child : contentChildren(node)) {
        array.push_back(readNode(child, depth + 1));
    }
    return Value(std::move(array));
}

Value readDate(const pugi::xml_node& node) {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    const char* text = textOf(node);
    if (std::sscanf(text, "%4d-%2d-%2dT%2d:%2d:%2dZ", &year, &month, &day, &hour, &minute, &second) != 6) {
        fail(std::string("Plist: XML date not in the form YYYY-MM-DDTHH:MM:SSZ: ") + text);
    }
    PlistDate date;
    date.set(month, day, year, hour, minute, second, true);
    return Value(date);
}

Value readNode(const pugi::xml_node& node, int depth) {
    if (depth > kMaxNestingDepth) {
        fail("Plist: XML nesting deeper than " + std::to_string(kMaxNestingDepth) + " levels");
    }
    if (isNamed(node, "dict")) {
        return readDictionary(node, depth);
    }
    if (isNamed(node, "array")) {
        return readArray(node, depth);
    }
    if (isNamed(node, "string")) {
        return Value(std::string(textOf(node)));
    }
    if (isNamed(node, "integer")) {
        // Decimal only; leading blanks are skipped and the number ends at the first non-digit.
        return Value(static_cast<int64_t>(std::strtoll(textOf(node), nullptr, 10)));
    }
    if (isNamed(node, "real")) {
        return Value(std::strtod(textOf(node), nullptr));
    }
    if (isNamed(node, "true")) {
        return Value(true);
    }
    if (isNamed(node, "false")) {
        return Value(false);
    }
    if (isNamed(node, "data")) {
        return Value(base64Decode(textOf(node)));
    }
    if (isNamed(node, "date")) {
        return readDate(node);
    }
    fail(std::string("Plist: XML unknown node type ") + node.name());
}

}  // namespace

Value readXmlPlist(const char* data, size_t size) {
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(
        data, size, pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_auto);
    if (!result) {
        fail(std::string("Plist: XML parsed with error ") + result.description());
    }
    const pugi::xml_node plist = document.child("plist");
    if (!plist) {
        fail("Plist: XML has no plist element");
    }
    for (pugi::xml_node child : plist.children()) {
        if (child.type() == pugi::node_element) {
            return readNode(child, 1);
        }
    }
    fail("Plist: XML plist element holds no value");
}

}  // namespace Plist
