#include "main/removal_script.h"

#include "main/temp_files.h"

namespace velmora {

bool ScriptCanHold(std::wstring_view text) {
    for (wchar_t c : text) {
        if (c < 0x20 || c == L'"' || (c >= 0x7F && c <= 0x9F)) return false;
    }
    return true;
}

std::wstring EscapeForBatch(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out += c;
        if (c == L'%') out += L'%';
    }
    return out;
}

std::wstring BuildRemovalScript(std::wstring_view tempFolder,
                                const std::vector<std::wstring>& pictures, bool newResults) {
    const std::wstring t = EscapeForBatch(tempFolder);
    std::wstring script;
    if (newResults) script = L"echo rem > \"" + TempPath(t, kEventFileName) + L"\"\r\n";
    const std::wstring tool = L"\"" + TempPath(t, kToolName) + L"\" -de \"";
    for (const std::wstring& picture : pictures) {
        script += tool;
        script += EscapeForBatch(picture);
        script += L"\"\r\n";
    }
    return script;
}

}  // namespace velmora
