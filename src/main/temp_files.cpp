#include "main/temp_files.h"

#include "main/removal_script.h"
#include "runtime/file_system.h"
#include "runtime/processes.h"

namespace velmora {

std::wstring TempFolder(Processes& processes, FileSystem& files) {
    const std::wstring t = processes.Environ(L"tmp");
    const bool full = t.rfind(L"\\\\", 0) == 0 || (t.size() >= 3 && t.substr(1, 2) == L":\\");
    if (!full || !ScriptCanHold(t)) return {};
    std::optional<FileInfo> info = files.Stat(t);
    return info && info->directory ? t : std::wstring();
}

std::optional<std::wstring> LinkedTempFile(FileSystem& files, std::wstring_view tempFolder) {
    for (const wchar_t* name :
         {kToolName, kScriptName, kEventFileName, kStagedToolName, kOutcomeFileName}) {
        if (files.IsLink(TempPath(tempFolder, name))) return name;
    }
    return std::nullopt;
}

std::wstring TempPath(std::wstring_view tempFolder, std::wstring_view name) {
    std::wstring path(tempFolder);
    path += L'\\';
    path += name;
    return path;
}

}  // namespace velmora
