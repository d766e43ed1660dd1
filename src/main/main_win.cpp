// Velmora.exe: the main window, or, with picture paths on the command line,
// the removal run on them without any window.
#include <windows.h>

#include <commctrl.h>

#include "main/main_window_win.h"
#include "runtime/dialogs_win.h"
#include "runtime/event_loop_win.h"
#include "runtime/file_system_win.h"
#include "runtime/processes_win.h"
#include "runtime/registry_win.h"
#include "runtime/run_lock_win.h"
#include "runtime/start_join_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    velmora::Win32Processes processes;
    // Set by scripts that run the program where nobody sees a screen.
    const bool unattended = !processes.Environ(L"VELMORA_UNATTENDED").empty();
    velmora::Win32Dialogs dialogs(L"Velmora", unattended);
    velmora::Win32FileSystem files;
    velmora::Win32EventLoop events;
    velmora::Win32Registry registry;
    velmora::Win32StartJoin starts;
    velmora::Win32RunLock runLock;
    velmora::Services services{dialogs, files, processes, events, registry, starts, runLock};

    velmora::MainWindowWin window(services);
    if (!window.created()) {
        dialogs.MsgBox({L"无法创建主窗口。", velmora::MsgIcon::Critical});
        return 1;
    }
    // A command-line start runs, reports and ends inside OnLoad.
    if (window.behaviour().OnLoad()) return 0;
    window.Show(showCommand);
    return velmora::RunMessageLoop();
}
