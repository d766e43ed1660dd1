#include "main/get_arguments.h"

#include "runtime/platform.h"

namespace velmora {

std::wstring SplitArguments(std::wstring_view source) {
    std::wstring out;
    out.reserve(source.size());
    bool inQuotes = false;
    for (wchar_t c : source) {
        if (c == L'"') {
            inQuotes = !inQuotes;
        } else if (c == L' ' && !inQuotes) {
            out += L"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

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

std::wstring GetArgumentsText(Platform& platform, std::wstring& source) {
    if (source == kCommandMarker) source = platform.CommandLine();
    return SplitArguments(source);
}

std::vector<std::wstring> GetArguments(Platform& platform, std::wstring& source) {
    return SplitText(GetArgumentsText(platform, source), L"\r\n");
}

}  // namespace velmora
