#include "common/text.h"

namespace velmora {

std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separator) {
    std::vector<std::wstring> items;
    if (text.empty()) return items;
    if (separator.empty()) return {std::wstring(text)};
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        if (at == std::wstring_view::npos) {
            items.emplace_back(text.substr(start));
            return items;
        }
        items.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    out.reserve(format.size());
    for (size_t i = 0; i < format.size(); ++i) {
        const size_t n = i + 2 < format.size() && format[i] == L'{' && format[i + 2] == L'}'
                             ? size_t(format[i + 1] - L'1')
                             : args.size();
        if (n < args.size()) {
            out += args.begin()[n];
            i += 2;
        } else {
            out += format[i];
        }
    }
    return out;
}

namespace {

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

}  // namespace

std::wstring LowerText(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = LowerChar(c);
    return out;
}

}  // namespace velmora
