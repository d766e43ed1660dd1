#include "runtime/machine_win.h"

#include <windows.h>

namespace velmora {

std::wstring Win32Machine::ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) return {};
    // Upper case by the system's rules, so that names that differ only in
    // letter case get the same decision.
    CharUpperBuffW(name, size);
    return std::wstring(name, size);
}

}  // namespace velmora
