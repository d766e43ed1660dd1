#include "main/get_arguments.h"

namespace velmora {

std::vector<std::wstring> GetArguments(std::wstring_view commandLine) {
    std::vector<std::wstring> items;
    if (commandLine.empty()) return items;
    items.emplace_back();
    bool inQuotes = false;
    for (wchar_t c : commandLine) {
        if (c == L'"') {
            inQuotes = !inQuotes;
        } else if (c == L' ' && !inQuotes) {
            items.emplace_back();
        } else {
            items.back() += c;
        }
    }
    return items;
}

}  // namespace velmora
