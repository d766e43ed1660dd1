#include "main/form1.h"
#include "main/get_arguments.h"
#include "runtime/controls.h"
#include "runtime/platform.h"

namespace velmora {

Form1::Form1(Platform& platform, Form1Controls controls) : platform_(platform), c_(controls) {}

bool Form1::Form_Load() {
    std::wstring source(kCommandMarker);
    for (const std::wstring& item : GetArguments(platform_, source)) c_.L.AddItem(item);

    const bool commandLineStart = c_.L.ListCount() > 0;
    // A command-line start keeps the copy an interactive start left, but the
    // folder may have been cleaned since: without a tool there every picture
    // would stay as it was.
    if (!commandLineStart || !platform_.FileAttributes(TempPath(L"jhead.exe"))) CopyToolToTemp();
    if (!commandLineStart) return false;

    c_.form.Hide();
    Command2_Click();
    c_.form.Close();
    return true;
}

std::wstring Form1::TempPath(std::wstring_view name) {
    return platform_.Environ(L"tmp") + L"\\" + std::wstring(name);
}

// Failures are ignored: the run then uses whatever copy is there.
void Form1::CopyToolToTemp() {
    std::wstring appPath = platform_.AppPath();
    if (appPath.empty() || appPath.back() != L'\\') appPath += L'\\';
    platform_.CopyFileTo(appPath + L"jhead.exe", TempPath(L"jhead.exe"));
}

void Form1::Form_Unload() { platform_.EndProgram(); }

// The add-files flow, the About box and the context-menu verb arrive with
// their own subsystems.
void Form1::Command1_Click() {}
void Form1::Command4_Click() {}
void Form1::Check1_Click() {}

}  // namespace velmora
