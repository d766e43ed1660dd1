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

}  // namespace velmora
