#include "main/form1.h"
#include "main/get_arguments.h"
#include "runtime/controls.h"
#include "runtime/platform.h"

namespace velmora {

Form1::Form1(Platform& platform, Form1Controls controls) : platform_(platform), c_(controls) {}

bool Form1::Form_Load() {
    std::wstring source(kCommandMarker);
    for (const std::wstring& item : GetArguments(platform_, source)) c_.L.AddItem(item);

    if (c_.L.ListCount() > 0) {
        c_.form.Hide();
        // The folder may have been cleaned since the last interactive start;
        // without a tool there every picture would stay as it was.
        std::wstring tool = platform_.Environ(L"tmp") + L"\\jhead.exe";
        if (!platform_.FileAttributes(tool)) CopyToolToTemp();
        Command2_Click();
        c_.form.Close();
        return true;
    }

    CopyToolToTemp();
    return false;
}

// Failures are ignored: the run then uses whatever copy is there.
void Form1::CopyToolToTemp() {
    std::wstring appPath = platform_.AppPath();
    if (appPath.empty() || appPath.back() != L'\\') appPath += L'\\';
    platform_.CopyFileTo(appPath + L"jhead.exe", platform_.Environ(L"tmp") + L"\\jhead.exe");
}

void Form1::Form_Unload() { platform_.EndProgram(); }

// The add-files flow, the About box and the context-menu verb arrive with
// their own subsystems.
void Form1::Command1_Click() {}
void Form1::Command4_Click() {}
void Form1::Check1_Click() {}

}  // namespace velmora
