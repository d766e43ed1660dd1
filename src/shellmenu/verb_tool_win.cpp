// velmora-verb.exe: installs or removes the program's right-click verb from
// outside the program, for the uninstaller (every argument of Velmora.exe
// is a picture path, so the uninstaller cannot ask the program itself).
//   velmora-verb.exe install|remove "C:\...\Velmora.exe"
// Exit status 0 when the registry ends in the state asked for.
#include <windows.h>

#include <string>

#include "runtime/file_system_win.h"
#include "runtime/registry_win.h"
#include "shellmenu/context_menu_box.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const std::wstring action = argv[1], exe = argv[2];
    const size_t slash = exe.find_last_of(L"\\/");
    const size_t dot = exe.find_last_of(L'.');
    if (slash == std::wstring::npos || dot == std::wstring::npos || dot < slash) return 2;
    const velmora::ExeLocation location{exe.substr(0, slash),
                                        exe.substr(slash + 1, dot - slash - 1)};

    velmora::Win32Registry registry;
    velmora::Reg reg(registry);
    velmora::Win32FileSystem files;
    if (action == L"install") {
        velmora::InstallProgramVerb(reg, files, location);
    } else if (action == L"remove") {
        velmora::RemoveProgramVerb(reg, files, location);
    } else {
        return 2;
    }
    const velmora::VerbPresence wanted =
        action == L"install" ? velmora::VerbPresence::Everywhere : velmora::VerbPresence::None;
    return velmora::ProgramVerbPresence(reg, location) == wanted ? 0 : 1;
}
