#include "platform/utf16.h"

#include <cstdint>

namespace jhead {

std::string Utf16ToUtf8(const std::u16string& s) {
    std::string out;
    out.reserve(s.size() * 3);
    for (size_t i = 0; i < s.size(); i++) {
        uint32_t c = s[i];
        bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            i++;
        }
        if (c < 0x80) {
            out += (char)c;
        } else if (c < 0x800) {
            out += (char)(0xC0 | c >> 6);
            out += (char)(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += (char)(0xE0 | c >> 12);
            out += (char)(0x80 | (c >> 6 & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xF0 | c >> 18);
            out += (char)(0x80 | (c >> 12 & 0x3F));
            out += (char)(0x80 | (c >> 6 & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        uint8_t b = (uint8_t)s[i];
        int extra = 0;
        uint32_t c = b;
        if (b >= 0xC0 && b < 0xE0) {
            extra = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b < 0xF0) {
            extra = 2;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b < 0xF8) {
            extra = 3;
            c = b & 0x07;
        }
        bool ok = (b < 0x80 || extra > 0) && i + extra < s.size();
        for (int k = 1; ok && k <= extra; k++) {
            uint8_t t = (uint8_t)s[i + k];
            ok = (t & 0xC0) == 0x80;
            c = c << 6 | (t & 0x3F);
        }
        if (!ok) {
            // Stray or cut-off byte: U+FFFD rather than a wrong character.
            out += u'\uFFFD';
            i++;
            continue;
        }
        i += 1 + extra;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += (char16_t)(0xD800 + (c >> 10));
            out += (char16_t)(0xDC00 + (c & 0x3FF));
        } else {
            out += (char16_t)c;
        }
    }
    return out;
}

}  // namespace jhead
