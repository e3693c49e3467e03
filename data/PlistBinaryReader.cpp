#include "data/PlistBinaryReader.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace Plist {

namespace {

constexpr size_t kHeaderSize = 8;  // "bplist00"
constexpr size_t kTrailerSize = 32;
constexpr double kSecondsFrom1970To2001 = 978307200.0;
// Dates are kept within the range where a double holds every whole second exactly.
constexpr double kLargestDateSeconds = 9007199254740992.0;  // 2^53

// Objects may be referenced more than once (writers share equal values), so a small file can
// describe a huge tree. The values a parse may produce are limited to a fixed allowance plus a
// multiple of the input size; each value costs kValueCost plus the bytes of its payload.
constexpr uint64_t kValueCost = 32;
constexpr uint64_t kFixedValueAllowance = 32u * 1024u * 1024u;
constexpr uint64_t kValueAllowancePerInputByte = 64;

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

// Big-endian unsigned number of any width; wider numbers keep their low 64 bits.
uint64_t readBigEndian(const unsigned char* bytes, size_t width) {
    uint64_t value = 0;
    for (size_t index = 0; index < width; ++index) {
        value = (value << 8) | bytes[index];
    }
    return value;
}

class BinaryReader {
  public:
    BinaryReader(const char* data, size_t size);
    Value readRoot() { return readObject(topObject, 1); }

  private:
    Value readObject(uint64_t objectNumber, int depth);
    Value readContainer(uint64_t objectNumber, size_t position, int depth);
    // Throws unless [start, start + length) lies inside the object area.
    void requireRange(uint64_t start, uint64_t length) const;
    // The element count of a string, data, array or dictionary, and where its payload starts.
    uint64_t readCount(uint64_t objectNumber, size_t markerPosition, size_t& payloadPosition) const;
    uint64_t readReference(size_t position) const;
    void chargeValue(uint64_t payloadBytes);

    const unsigned char* bytes;
    size_t objectAreaSize = 0;  // the bytes before the offset table, header included
    std::vector<uint64_t> offsets;
    size_t referenceWidth = 0;
    uint64_t topObject = 0;
    std::vector<bool> onCurrentPath;  // objects whose reading is in progress, to catch cycles
    uint64_t remainingAllowance = 0;
};

BinaryReader::BinaryReader(const char* data, size_t size)
    : bytes(reinterpret_cast<const unsigned char*>(data)) {
    if (size < kHeaderSize + kTrailerSize) {
        fail("Plist: binary data of " + std::to_string(size) +
             " bytes is too short for its header and trailer");
    }
    const unsigned char* trailer = bytes + size - kTrailerSize;
    const size_t offsetWidth = trailer[6];
    referenceWidth = trailer[7];
    topObject = readBigEndian(trailer + 16, 8);
    const uint64_t offsetTablePosition = readBigEndian(trailer + 24, 8);
    const size_t offsetTableEnd = size - kTrailerSize;

    if (offsetWidth < 1 || offsetWidth > 8) {
        fail("Plist: binary offset width " + std::to_string(offsetWidth) + " is invalid (must be 1 to 8)");
    }
    if (referenceWidth < 1 || referenceWidth > 8) {
        fail("Plist: binary object reference width " + std::to_string(referenceWidth) +
             " is invalid (must be 1 to 8)");
    }
    if (offsetTablePosition < kHeaderSize || offsetTablePosition > offsetTableEnd) {
        fail("Plist: binary offset table position " + std::to_string(offsetTablePosition) +
             " lies outside the data");
    }
    objectAreaSize = static_cast<size_t>(offsetTablePosition);
    const size_t tableLength = offsetTableEnd - objectAreaSize;
    if (tableLength == 0) {
        fail("Plist: binary offset table is empty");
    }
    if (tableLength % offsetWidth != 0) {
        fail("Plist: binary offset table length " + std::to_string(tableLength) +
             " is not a multiple of the offset width " + std::to_string(offsetWidth));
    }
    offsets.reserve(tableLength / offsetWidth);
    for (size_t index = 0; index < tableLength; index += offsetWidth) {
        offsets.push_back(readBigEndian(bytes + objectAreaSize + index, offsetWidth));
    }
    if (topObject >= offsets.size()) {
        fail("Plist: binary top object " + std::to_string(topObject) + " is not in the offset table");
    }
    onCurrentPath.assign(offsets.size(), false);
    remainingAllowance = kFixedValueAllowance + kValueAllowancePerInputByte * size;
}

void BinaryReader::requireRange(uint64_t start, uint64_t length) const {
    if (start > objectAreaSize || length > objectAreaSize - start) {
        fail("Out of bounds getRange");
    }
}

void BinaryReader::chargeValue(uint64_t payloadBytes) {
    const uint64_t cost = kValueCost + payloadBytes;
    if (cost > remainingAllowance) {
        fail("Plist: binary data expands to too many values (objects referenced too often)");
    }
    remainingAllowance -= cost;
}

uint64_t BinaryReader::readCount(uint64_t objectNumber, size_t markerPosition,
                                 size_t& payloadPosition) const {
    const unsigned int lowNibble = bytes[markerPosition] & 0x0Fu;
    if (lowNibble != 0x0Fu) {
        payloadPosition = markerPosition + 1;
        return lowNibble;
    }
    // Counts of 15 and more follow the marker as an integer object.
    const size_t integerPosition = markerPosition + 1;
    requireRange(integerPosition, 1);
    const unsigned char integerMarker = bytes[integerPosition];
    if ((integerMarker >> 4) != 0x1) {
        fail("Plist: binary count of object " + std::to_string(objectNumber) + " is not an integer");
    }
    const size_t width = size_t{1} << (integerMarker & 0x0Fu);
    requireRange(integerPosition + 1, width);
    payloadPosition = integerPosition + 1 + width;
    return readBigEndian(bytes + integerPosition + 1, width);
}

uint64_t BinaryReader::readReference(size_t position) const {
    return readBigEndian(bytes + position, referenceWidth);
}

Value BinaryReader::readObject(uint64_t objectNumber, int depth) {
    if (objectNumber >= offsets.size()) {
        fail("Plist: binary object reference " + std::to_string(objectNumber) +
             " is not in the offset table");
    }
    if (depth > kMaxNestingDepth) {
        fail("Plist: binary nesting deeper than " + std::to_string(kMaxNestingDepth) + " levels");
    }
    const uint64_t offset = offsets[objectNumber];
    if (offset < kHeaderSize || offset >= objectAreaSize) {
        fail("Plist: binary object " + std::to_string(objectNumber) + " lies outside the object area");
    }
    const size_t position = static_cast<size_t>(offset);
    const unsigned char marker = bytes[position];
    const unsigned int lowNibble = marker & 0x0Fu;

    switch (marker >> 4) {
        case 0x0:
            chargeValue(0);
            if (marker == 0x08) {
                return Value(false);
            }
            if (marker == 0x09) {
                return Value(true);
            }
            if (marker == 0x00) {
                fail("Plist: null byte encountered, unsure how to parse");
            }
            if (marker == 0x0F) {
                fail("Plist: fill byte encountered, unsure how to parse");
            }
            fail(std::string("Plist: unknown header ") + static_cast<char>(marker));
        case 0x1: {
            // 1, 2 and 4 bytes are unsigned, 8 bytes two's complement, wider keep the low 64 bits.
            chargeValue(0);
            const size_t width = size_t{1} << lowNibble;
            requireRange(position + 1, width);
            return Value(static_cast<int64_t>(readBigEndian(bytes + position + 1, width)));
        }
        case 0x2: {
            chargeValue(0);
            const size_t width = size_t{1} << lowNibble;
            requireRange(position + 1, width);
            if (width == 4) {
                const auto bits = static_cast<uint32_t>(readBigEndian(bytes + position + 1, 4));
                float single = 0.0f;
                std::memcpy(&single, &bits, sizeof(single));
                return Value(static_cast<double>(single));
            }
            if (width == 8) {
                const uint64_t bits = readBigEndian(bytes + position + 1, 8);
                double real = 0.0;
                std::memcpy(&real, &bits, sizeof(real));
                return Value(real);
            }
            fail("Plist: binary real of " + std::to_string(width) + " bytes is not supported");
        }
        case 0x3: {
            chargeValue(0);
            requireRange(position + 1, 8);
            const uint64_t bits = readBigEndian(bytes + position + 1, 8);
            double secondsSince2001 = 0.0;
            std::memcpy(&secondsSince2001, &bits, sizeof(secondsSince2001));
            const double secondsSince1970 = secondsSince2001 + kSecondsFrom1970To2001;
            if (!(std::fabs(secondsSince1970) <= kLargestDateSeconds)) {
                fail("Plist: binary date out of range");
            }
            return Value(PlistDate(static_cast<int64_t>(secondsSince1970)));
        }
        case 0x4:
        case 0x5: {
            size_t payloadPosition = 0;
            const uint64_t count = readCount(objectNumber, position, payloadPosition);
            requireRange(payloadPosition, count);
            chargeValue(count);
            const char* payload = reinterpret_cast<const char*>(bytes + payloadPosition);
            if ((marker >> 4) == 0x4) {
                return Value(Data(payload, payload + count));
            }
            return Value(std::string(payload, static_cast<size_t>(count)));
        }
        case 0xA:
        case 0xD:
            return readContainer(objectNumber, position, depth);
        default:
            fail("This type is not supported");
    }
}

Value BinaryReader::readContainer(uint64_t objectNumber, size_t position, int depth) {
    if (onCurrentPath[objectNumber]) {
        fail("Plist: binary reference cycle through object " + std::to_string(objectNumber));
    }
    const bool isDictionary = (bytes[position] >> 4) == 0xD;
    size_t referencesPosition = 0;
    const uint64_t count = readCount(objectNumber, position, referencesPosition);
    const uint64_t referenceCount = isDictionary ? 2 : 1;
    requireRange(referencesPosition, 0);
    if (count > (objectAreaSize - referencesPosition) / referenceWidth / referenceCount) {
        fail("Out of bounds getRange");
    }
    chargeValue(0);
    onCurrentPath[objectNumber] = true;

    Value result;
    if (isDictionary) {
        Dictionary dictionary;
        const size_t valuesPosition = referencesPosition + static_cast<size_t>(count) * referenceWidth;
        for (size_t index = 0; index < count; ++index) {
            Value key = readObject(readReference(referencesPosition + index * referenceWidth), depth + 1);
            std::string* keyText = boost::any_cast<std::string>(&key);
            if (keyText == nullptr) {
                fail("Error parsing dictionary.  Key can't be parsed as a string");
            }
            Value value = readObject(readReference(valuesPosition + index * referenceWidth), depth + 1);
            dictionary.insert_or_assign(std::move(*keyText), std::move(value));
        }
        result = std::move(dictionary);
    } else {
        Array array;
        array.reserve(static_cast<size_t>(count));
        for (size_t index = 0; index < count; ++index) {
            array.push_back(
                readObject(readReference(referencesPosition + index * referenceWidth), depth + 1));
        }
        result = std::move(array);
    }
    onCurrentPath[objectNumber] = false;
    return result;
}

}  // namespace

Value readBinaryPlist(const char* data, size_t size) {
    BinaryReader reader(data, size);
    return reader.readRoot();
}

}  // namespace Plist
