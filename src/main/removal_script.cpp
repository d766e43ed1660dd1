#include "main/removal_script.h"

#include "runtime/controls.h"

namespace velmora {

std::wstring EscapeForBatch(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out += c;
        if (c == L'%') out += L'%';
    }
    return out;
}

std::wstring BuildRemovalScript(std::wstring_view tmpDir, const ListControl& queue) {
    const std::wstring t = EscapeForBatch(tmpDir);
    std::wstring script = L"echo rem > \"" + t + L"\\" + kEventFileName + L"\"\r\n";
    const std::wstring tool = L"\"" + t + L"\\jhead.exe\" -de \"";
    const int count = queue.ListCount();
    for (int row = 0; row < count; ++row) {
        script += tool;
        script += EscapeForBatch(queue.List(row));
        script += L"\"\r\n";
    }
    return script;
}

}  // namespace velmora
