#include "frontend/NameDraft.h"

bool NameDraft::drawable(uint32_t codePoint) {
    return (codePoint >= 32 && codePoint <= 122) || (codePoint >= 160 && codePoint <= 255);
}

void NameDraft::reset(const std::string& utf8) {
    count = 0;
    // Decodes UTF-8, keeping the drawable code points; a lead byte whose sequence is cut
    // short or malformed is dropped with the bytes that do not continue it.
    size_t at = 0;
    while (at < utf8.size() && count < kMaxGlyphs) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        int extra = 0;
        uint32_t code = lead;
        if (lead >= 0xC0 && lead < 0xE0) {
            extra = 1;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            extra = 2;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead < 0xF8) {
            extra = 3;
            code = lead & 0x07u;
        } else if (lead >= 0x80) {
            ++at;  // a stray continuation byte or an invalid lead
            continue;
        }
        ++at;
        bool whole = true;
        for (int byte = 0; byte < extra; ++byte, ++at) {
            if (at >= utf8.size() || (static_cast<unsigned char>(utf8[at]) & 0xC0u) != 0x80u) {
                whole = false;
                break;
            }
            code = (code << 6) | (static_cast<unsigned char>(utf8[at]) & 0x3Fu);
        }
        // Every drawable glyph past 127 takes exactly two bytes: a longer form of one (or a
        // two-byte form of a plain character) is overlong, not the glyph it spells.
        const bool shortest = extra == 0 || (extra == 1 && code >= 0x80);
        if (whole && shortest && drawable(code)) {
            glyphs[count++] = code;
        }
    }
}

bool NameDraft::type(uint32_t codePoint) {
    if (codePoint == kBackspace) {
        if (count == 0) {
            return false;
        }
        --count;
        return true;
    }
    if (!drawable(codePoint) || count == kMaxGlyphs) {
        return false;
    }
    glyphs[count++] = codePoint;
    return true;
}

std::string NameDraft::text() const {
    std::string out;
    out.reserve(static_cast<size_t>(count) * 2);
    for (int index = 0; index < count; ++index) {
        const uint32_t code = glyphs[index];
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else {
            out += static_cast<char>(0xC0u | (code >> 6));
            out += static_cast<char>(0x80u | (code & 0x3Fu));
        }
    }
    return out;
}
