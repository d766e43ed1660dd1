#include "addfiles/text_case.h"

namespace velmora {

wchar_t LowerChar(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c;
    // Latin-1: A-grave to Thorn, except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return wchar_t(c + 32);
    // Latin Extended-A: upper case at even code points, lower right after,
    // with a run of odd-based pairs in the middle.
    if (c >= 0x100 && c <= 0x137 && c != 0x130) return (c & 1) ? c : wchar_t(c + 1);
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? wchar_t(c + 1) : c;
    if (c >= 0x14A && c <= 0x177) return (c & 1) ? c : wchar_t(c + 1);
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? wchar_t(c + 1) : c;
    // Greek capitals (0x3A2 is unassigned).
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return wchar_t(c + 32);
    // Cyrillic.
    if (c >= 0x400 && c <= 0x40F) return wchar_t(c + 80);
    if (c >= 0x410 && c <= 0x42F) return wchar_t(c + 32);
    // Full-width Latin capitals.
    if (c >= 0xFF21 && c <= 0xFF3A) return wchar_t(c + 32);
    return c;
}

std::wstring LowerText(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = LowerChar(c);
    return out;
}

}  // namespace velmora
