// Velmora.exe: the main window, or, with picture paths on the command line,
// the removal run on them without any window.
#include <windows.h>

#include <commctrl.h>

#include "main/form1_win.h"
#include "runtime/message_loop_win.h"
#include "runtime/platform_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    velmora::Win32Platform platform(L"Velmora");
    velmora::Form1Window window(platform);
    // A command-line start runs, reports and ends inside Form_Load.
    if (window.form1().Form_Load()) return 0;
    window.Show(showCommand);
    return velmora::RunMessageLoop();
}
