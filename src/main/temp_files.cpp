#include "main/temp_files.h"

#include "runtime/processes.h"

namespace velmora {

std::wstring TempFolder(Processes& processes) { return processes.Environ(L"tmp"); }

std::wstring TempPath(std::wstring_view tempFolder, std::wstring_view name) {
    std::wstring path(tempFolder);
    path += L'\\';
    path += name;
    return path;
}

}  // namespace velmora
