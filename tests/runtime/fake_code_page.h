// A code page for tests that holds ASCII in one byte and the CJK ideographs
// in two, as code page 936 does, and nothing else. The in-memory registry
// speaks it too.
#pragma once

#include "runtime/code_page.h"

namespace velmora::test {

// The text's bytes; nullopt when a character is not in the code page.
inline std::optional<std::string> FakeAnsi(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 0x80 && (c < 0x4E00 || c > 0x9FFF)) return std::nullopt;
        if (c >= 0x80) out += {char(0x81 + (c - 0x4E00) / 190), char(0x40 + (c - 0x4E00) % 190)};
        if (c < 0x80) out += char(c);
    }
    return out;
}

inline std::wstring FakeFromAnsi(std::string_view bytes) {
    std::wstring out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int b = (unsigned char)bytes[i];
        out += b < 0x80 ? wchar_t(b)
                        : wchar_t(0x4E00 + (b - 0x81) * 190 + (unsigned char)bytes[++i] - 0x40);
    }
    return out;
}

struct FakeCodePage : CodePage {
    std::optional<std::string> ToAnsi(std::wstring_view text) override { return FakeAnsi(text); }
};

}  // namespace velmora::test
