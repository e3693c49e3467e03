#include "data/PlistBase64.h"

namespace Plist {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of an alphabet character, or -1 for any other character.
int sextetValue(char character) {
    if (character >= 'A' && character <= 'Z') {
        return character - 'A';
    }
    if (character >= 'a' && character <= 'z') {
        return character - 'a' + 26;
    }
    if (character >= '0' && character <= '9') {
        return character - '0' + 52;
    }
    if (character == '+') {
        return 62;
    }
    if (character == '/') {
        return 63;
    }
    return -1;
}

}  // namespace

std::vector<char> base64Decode(const std::string& text) {
    std::vector<char> bytes;
    bytes.reserve(text.size() / 4 * 3 + 3);
    unsigned int bits = 0;
    int bitCount = 0;
    for (char character : text) {
        if (character == '=') {
            break;
        }
        const int value = sextetValue(character);
        if (value < 0) {
            continue;
        }
        bits = ((bits << 6) | static_cast<unsigned int>(value)) & 0xFFFFFFu;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(static_cast<char>((bits >> bitCount) & 0xFFu));
        }
    }
    return bytes;
}

std::string base64Encode(const std::vector<char>& bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    size_t index = 0;
    for (; index + 3 <= bytes.size(); index += 3) {
        const unsigned int group = (static_cast<unsigned char>(bytes[index]) << 16) |
                                   (static_cast<unsigned char>(bytes[index + 1]) << 8) |
                                   static_cast<unsigned char>(bytes[index + 2]);
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += kAlphabet[(group >> 6) & 63];
        text += kAlphabet[group & 63];
    }
    const size_t remaining = bytes.size() - index;
    if (remaining == 1) {
        const unsigned int group = static_cast<unsigned char>(bytes[index]) << 16;
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += "==";
    } else if (remaining == 2) {
        const unsigned int group = (static_cast<unsigned char>(bytes[index]) << 16) |
                                   (static_cast<unsigned char>(bytes[index + 1]) << 8);
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += kAlphabet[(group >> 6) & 63];
        text += '=';
    }
    return text;
}

}  // namespace Plist
