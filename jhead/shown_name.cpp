#include "shown_name.h"

#include <cstdint>

namespace jhead {

static const char kHex[] = "0123456789ABCDEF";

static std::string Escaped(const std::string& path) {
    std::string s;
    for (char c : path) {
        unsigned char u = (unsigned char)c;
        if (u >= 0x20 && u != 0x7F) {
            s += c;
        } else if (c == '\n') {
            s += "\\n";
        } else if (c == '\r') {
            s += "\\r";
        } else {
            s += {'\\', 'x', kHex[u >> 4], kHex[u & 15]};
        }
    }
    return s;
}

// Bytes of the UTF-8 (WTF-8) sequence that starts with lead; 1 for a byte
// that starts none, so that every byte is looked at once.
static size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

static uint32_t CodePoint(const std::string& s, size_t at, size_t n) {
    // A byte that starts no sequence stands for itself.
    static const unsigned char kLeadMask[] = {0, 0xFF, 0x1F, 0x0F, 0x07};
    uint32_t c = (unsigned char)s[at] & kLeadMask[n];
    for (size_t i = 1; i < n; i++) c = c << 6 | ((unsigned char)s[at + i] & 0x3F);
    return c;
}

static std::string Hex(uint32_t c) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[c & 15]);
        c >>= 4;
    } while (c != 0);
    while (digits.size() < 4) digits.insert(digits.begin(), '0');
    return "U+" + digits;
}

std::string ShownName(const std::string& path, bool (*fits)(const std::string&)) {
    std::string s = Escaped(path);
    if (fits(s)) return s;
    std::string missing;
    for (size_t at = 0; at < s.size();) {
        size_t n = SequenceLength((unsigned char)s[at]);
        if (n > s.size() - at) n = 1;
        for (size_t i = 1; i < n; i++) {
            if (((unsigned char)s[at + i] & 0xC0) != 0x80) n = 1;
        }
        std::string one = s.substr(at, n);
        if (!fits(one)) missing += (missing.empty() ? "" : " ") + Hex(CodePoint(s, at, n));
        at += n;
    }
    return s + " [" + missing + "]";
}

}  // namespace jhead
