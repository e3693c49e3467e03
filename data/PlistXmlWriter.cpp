// Writer of XML property lists, one element per line, indented by tabs.

#include <boost/core/demangle.hpp>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "data/Plist.h"
#include "data/PlistBase64.h"

namespace Plist {

namespace {

// Text content with the markup characters escaped. A carriage return and the other control
// characters are written as character references so that they read back unchanged; a NUL byte
// can't be held by XML at all.
std::string escapeText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char character : text) {
        const auto code = static_cast<unsigned char>(character);
        if (character == '&') {
            escaped += "&amp;";
        } else if (character == '<') {
            escaped += "&lt;";
        } else if (character == '>') {
            escaped += "&gt;";
        } else if (code == 0) {
            throw std::runtime_error("Plist Error: a string holding a NUL byte can't be written as XML");
        } else if (code < 0x20 && character != '\t' && character != '\n') {
            escaped += "&#" + std::to_string(code) + ";";
        } else {
            escaped += character;
        }
    }
    return escaped;
}

std::string realText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    char text[40];
    std::snprintf(text, sizeof(text), "%.17g", value);
    return text;
}

class XmlWriter {
  public:
    explicit XmlWriter(std::ostream& output) : out(output) {}
    void writeValue(const Value& value, int depth);

  private:
    void writeLine(int depth, const std::string& line) { out << std::string(depth, '\t') << line << '\n'; }
    void writeElement(int depth, const char* name, const std::string& text) {
        writeLine(depth, std::string("<") + name + ">" + text + "</" + name + ">");
    }

    std::ostream& out;
};

// `depth` is the indent; the root is at 0 and counts as the first nesting level.
void XmlWriter::writeValue(const Value& value, int depth) {
    if (depth >= kMaxNestingDepth) {
        throw std::runtime_error("Plist Error: nesting deeper than " + std::to_string(kMaxNestingDepth) +
                                 " levels");
    }
    int64_t integer = 0;
    double real = 0.0;
    if (integerValue(value, integer)) {
        writeElement(depth, "integer", std::to_string(integer));
    } else if (realValue(value, real)) {
        writeElement(depth, "real", realText(real));
    } else if (const auto* flag = boost::any_cast<bool>(&value)) {
        writeLine(depth, *flag ? "<true/>" : "<false/>");
    } else if (const auto* text = boost::any_cast<std::string>(&value)) {
        writeElement(depth, "string", escapeText(*text));
    } else if (const auto* data = boost::any_cast<Data>(&value)) {
        writeElement(depth, "data", base64Encode(*data));
    } else if (const auto* date = boost::any_cast<PlistDate>(&value)) {
        const int64_t year = date->utcYear();
        if (year < 0 || year > 9999) {
            throw std::runtime_error("Plist Error: the date of year " + std::to_string(year) +
                                     " can't be written as XML (years 0 to 9999)");
        }
        writeElement(depth, "date", date->isoString());
    } else if (const auto* dictionary = boost::any_cast<Dictionary>(&value)) {
        if (dictionary->empty()) {
            writeLine(depth, "<dict/>");
            return;
        }
        writeLine(depth, "<dict>");
        for (const auto& entry : *dictionary) {
            writeElement(depth + 1, "key", escapeText(entry.first));
            writeValue(entry.second, depth + 1);
        }
        writeLine(depth, "</dict>");
    } else if (const auto* array = boost::any_cast<Array>(&value)) {
        if (array->empty()) {
            writeLine(depth, "<array/>");
            return;
        }
        writeLine(depth, "<array>");
        for (const Value& element : *array) {
            writeValue(element, depth + 1);
        }
        writeLine(depth, "</array>");
    } else {
        throw std::runtime_error("Plist Error: Can't serialize type " +
                                 boost::core::demangle(value.type().name()));
    }
}

}  // namespace

void writeXml(std::ostream& out, const Value& root) {
    // Built in memory first so that a tree that can't be written produces no partial output.
    std::ostringstream text;
    text << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         << "<plist version=\"1.0\">\n";
    XmlWriter writer(text);
    writer.writeValue(root, 0);
    text << "</plist>\n";
    out << text.str();
}

}  // namespace Plist
