// Writer of binary property lists ("bplist00").
//
// Every value of the tree is one object (nothing is shared); the root is object 0 and objects are
// numbered and placed in the order they are written: a container, then its children (for a
// dictionary all its keys, then its values).

#include <boost/core/demangle.hpp>

#include <cstring>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "data/Plist.h"

namespace Plist {

namespace {

constexpr double kSecondsFrom1970To2001 = 978307200.0;

[[noreturn]] void failToSerialize(const Value& value) {
    throw std::runtime_error("Plist Error: Can't serialize type " +
                             boost::core::demangle(value.type().name()));
}

// The bytes needed to hold the number, at least 1.
size_t significantBytes(uint64_t number) {
    size_t count = 1;
    while (count < 8 && (number >> (8 * count)) != 0) {
        ++count;
    }
    return count;
}

class BinaryWriter {
  public:
    std::vector<char> write(const Value& root);

  private:
    uint64_t countObjects(const Value& value, int depth) const;
    // Writes the value and, for containers, its children; returns the value's object number.
    uint64_t writeObject(const Value& value);
    void writeContainer(const std::vector<const Value*>& children);
    void appendMarkerWithCount(unsigned char typeNibble, uint64_t count);
    void appendInteger(int64_t value);
    void appendReal(double value);
    void appendBigEndian(uint64_t number, size_t width);
    void patchBigEndian(size_t position, uint64_t number, size_t width);

    std::vector<char> buffer;
    std::vector<uint64_t> offsets;
    size_t referenceWidth = 1;
};

std::vector<char> BinaryWriter::write(const Value& root) {
    const uint64_t objectCount = countObjects(root, 1);
    referenceWidth = significantBytes(objectCount - 1);
    buffer.assign({'b', 'p', 'l', 'i', 's', 't', '0', '0'});
    offsets.clear();
    offsets.reserve(objectCount);
    writeObject(root);

    const uint64_t offsetTablePosition = buffer.size();
    const size_t offsetWidth = significantBytes(offsets.empty() ? 0 : offsets.back());
    for (const uint64_t offset : offsets) {
        appendBigEndian(offset, offsetWidth);
    }
    buffer.insert(buffer.end(), 6, '\0');
    buffer.push_back(static_cast<char>(offsetWidth));
    buffer.push_back(static_cast<char>(referenceWidth));
    appendBigEndian(objectCount, 8);
    appendBigEndian(0, 8);  // the top object is the root, object 0
    appendBigEndian(offsetTablePosition, 8);
    return buffer;
}

uint64_t BinaryWriter::countObjects(const Value& value, int depth) const {
    if (depth > kMaxNestingDepth) {
        throw std::runtime_error("Plist Error: nesting deeper than " + std::to_string(kMaxNestingDepth) +
                                 " levels");
    }
    uint64_t count = 1;
    if (const auto* dictionary = boost::any_cast<Dictionary>(&value)) {
        for (const auto& entry : *dictionary) {
            count += 1 + countObjects(entry.second, depth + 1);
        }
    } else if (const auto* array = boost::any_cast<Array>(&value)) {
        for (const Value& element : *array) {
            count += countObjects(element, depth + 1);
        }
    }
    return count;
}

uint64_t BinaryWriter::writeObject(const Value& value) {
    const uint64_t objectNumber = offsets.size();
    offsets.push_back(buffer.size());

    int64_t integer = 0;
    double real = 0.0;
    if (integerValue(value, integer)) {
        appendInteger(integer);
    } else if (const auto* dictionary = boost::any_cast<Dictionary>(&value)) {
        // Keys first, then values; the i-th key reference belongs to the i-th value reference.
        std::vector<Value> keys;
        std::vector<const Value*> children;
        keys.reserve(dictionary->size());
        children.reserve(2 * dictionary->size());
        for (const auto& entry : *dictionary) {
            keys.emplace_back(entry.first);
        }
        for (const Value& key : keys) {
            children.push_back(&key);
        }
        for (const auto& entry : *dictionary) {
            children.push_back(&entry.second);
        }
        appendMarkerWithCount(0xD, dictionary->size());
        writeContainer(children);
    } else if (const auto* text = boost::any_cast<std::string>(&value)) {
        appendMarkerWithCount(0x5, text->size());
        buffer.insert(buffer.end(), text->begin(), text->end());
    } else if (const auto* array = boost::any_cast<Array>(&value)) {
        std::vector<const Value*> children;
        children.reserve(array->size());
        for (const Value& element : *array) {
            children.push_back(&element);
        }
        appendMarkerWithCount(0xA, array->size());
        writeContainer(children);
    } else if (const auto* data = boost::any_cast<Data>(&value)) {
        appendMarkerWithCount(0x4, data->size());
        buffer.insert(buffer.end(), data->begin(), data->end());
    } else if (realValue(value, real)) {
        appendReal(real);
    } else if (const auto* date = boost::any_cast<PlistDate>(&value)) {
        buffer.push_back(static_cast<char>(0x33));
        const double secondsSince2001 =
            static_cast<double>(date->secondsSince1970()) - kSecondsFrom1970To2001;
        uint64_t bits = 0;
        std::memcpy(&bits, &secondsSince2001, sizeof(bits));
        appendBigEndian(bits, 8);
    } else if (const auto* flag = boost::any_cast<bool>(&value)) {
        buffer.push_back(static_cast<char>(*flag ? 0x09 : 0x08));
    } else {
        failToSerialize(value);
    }
    return objectNumber;
}

// Writes zeroed reference slots after the marker, then each child, filling in its slot.
void BinaryWriter::writeContainer(const std::vector<const Value*>& children) {
    const size_t firstSlot = buffer.size();
    buffer.insert(buffer.end(), children.size() * referenceWidth, '\0');
    for (size_t index = 0; index < children.size(); ++index) {
        const uint64_t childNumber = writeObject(*children[index]);
        patchBigEndian(firstSlot + index * referenceWidth, childNumber, referenceWidth);
    }
}

void BinaryWriter::appendMarkerWithCount(unsigned char typeNibble, uint64_t count) {
    if (count < 15) {
        buffer.push_back(static_cast<char>((typeNibble << 4) | count));
        return;
    }
    buffer.push_back(static_cast<char>((typeNibble << 4) | 0x0F));
    appendInteger(static_cast<int64_t>(count));
}

// 1, 2 or 4 bytes for non-negative values that fit, 8 bytes otherwise (negative values included).
void BinaryWriter::appendInteger(int64_t value) {
    size_t width = 8;
    unsigned char sizeExponent = 3;
    if (value >= 0 && value <= 0xFF) {
        width = 1;
        sizeExponent = 0;
    } else if (value >= 0 && value <= 0xFFFF) {
        width = 2;
        sizeExponent = 1;
    } else if (value >= 0 && value <= 0xFFFFFFFFLL) {
        width = 4;
        sizeExponent = 2;
    }
    buffer.push_back(static_cast<char>(0x10 | sizeExponent));
    appendBigEndian(static_cast<uint64_t>(value), width);
}

// Positive zero takes the short 4-byte form (a single-precision zero); every other value is
// written as 8 bytes so that it reads back exactly.
void BinaryWriter::appendReal(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    if (bits == 0) {
        buffer.push_back(static_cast<char>(0x22));
        appendBigEndian(0, 4);
        return;
    }
    buffer.push_back(static_cast<char>(0x23));
    appendBigEndian(bits, 8);
}

void BinaryWriter::appendBigEndian(uint64_t number, size_t width) {
    for (size_t index = width; index > 0; --index) {
        buffer.push_back(static_cast<char>((number >> (8 * (index - 1))) & 0xFFu));
    }
}

void BinaryWriter::patchBigEndian(size_t position, uint64_t number, size_t width) {
    for (size_t index = 0; index < width; ++index) {
        buffer[position + index] = static_cast<char>((number >> (8 * (width - 1 - index))) & 0xFFu);
    }
}

}  // namespace

void writeBinary(std::ostream& out, const Value& root) {
    BinaryWriter writer;
    const std::vector<char> bytes = writer.write(root);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool writeBinaryFile(const std::string& path, const Value& root) {
    // Serialised before the file is opened, so a tree that can't be written leaves the old file.
    BinaryWriter writer;
    const std::vector<char> bytes = writer.write(root);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace Plist
