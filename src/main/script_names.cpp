#include "main/script_names.h"

#include <cstdint>
#include <cwchar>

#include "main/removal_script.h"
#include "runtime/file_system.h"

namespace velmora {

std::optional<std::wstring> ScriptName(FileSystem& files, const std::wstring& path) {
    if (files.AnsiHolds(path)) return path;
    std::optional<std::wstring> shortPath = files.ShortPath(path);
    if (!shortPath || !files.AnsiHolds(*shortPath)) return std::nullopt;
    if (!files.SameFile(path, *shortPath)) return std::nullopt;
    return shortPath;
}

std::wstring NameForResults(FileSystem& files, std::wstring_view text) {
    std::wstring out, lacking;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        std::wstring_view c = text.substr(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (files.AnsiHolds(c) && ScriptCanHold(c)) {
            out += c;
            continue;
        }
        out += L'?';
        const uint32_t code =
            pair ? 0x10000 + ((c[0] - 0xD800) << 10) + (c[1] - 0xDC00) : uint32_t(c[0]);
        wchar_t hex[16];
        swprintf(hex, 16, L"%sU+%04X", lacking.empty() ? L"" : L" ", unsigned(code));
        lacking += hex;
    }
    return lacking.empty() ? out : out + L" [" + lacking + L"]";
}

}  // namespace velmora
