#include "main/form1.h"
#include "main/removal_script.h"
#include "main/shell_wait.h"
#include "runtime/controls.h"
#include "runtime/platform.h"

namespace velmora {

namespace {

// An output at least this much smaller than its picture is not trusted to
// replace it.
constexpr int64_t kReplaceThreshold = 200000;

}  // namespace

// Every step ignores its own failure; "搞定" is shown in every case.
void Form1::Command2_Click() {
    const std::wstring t = platform_.Environ(L"tmp");
    c_.Command2.SetEnabled(false);

    const std::wstring script = t + L"\\Go.bat";
    platform_.SaveSimpleFile(script, BuildRemovalScript(t, c_.L), false);
    platform_.SetEnviron(kEventFileVariable, t + L"\\" + kEventFileName);
    ShellWait(platform_, L"\"" + script + L"\"", kShowHidden);

    // The queue may have changed during the wait: walk it as it stands now.
    if (c_.Ch.Value() != 0) {
        for (int row = 0; row < c_.L.ListCount(); ++row) ReplaceWithOutput(c_.L.List(row));
    }

    platform_.MsgBox(L"搞定", kMbOk);
    c_.Command2.SetEnabled(true);
}

// Moves the tool's output "P.tmp", when there is one, into place of P.
void Form1::ReplaceWithOutput(const std::wstring& picture) {
    const std::wstring output = picture + L".tmp";
    std::optional<uint32_t> outAttr = platform_.FileAttributes(output);
    if (!outAttr || (*outAttr & (kAttrHidden | kAttrSystem | kAttrDirectory))) return;

    std::optional<int64_t> pictureSize = platform_.FileSize(picture);
    std::optional<int64_t> outputSize = platform_.FileSize(output);
    if (pictureSize && outputSize && *pictureSize - *outputSize >= kReplaceThreshold) return;

    // A read-only picture keeps both files, as a failed delete would.
    std::optional<uint32_t> pictureAttr = platform_.FileAttributes(picture);
    if (pictureAttr && (*pictureAttr & (kAttrReadOnly | kAttrDirectory))) return;

    // One step: the picture is never gone while its replacement is only
    // under the ".tmp" name. A locked picture makes this fail; both stay.
    platform_.MoveReplace(output, picture);
}

void Form1::Command5_Click() {
    const std::wstring path = TempPath(kEventFileName);
    std::optional<uint32_t> attr = platform_.FileAttributes(path);
    if (!attr || (*attr & kAttrDirectory)) return;
    if (!platform_.StartProcess(L"notepad \"" + path + L"\"", kShowNormal)) {
        platform_.MsgBox(L"无法启动记事本打开结果文件：\r\n" + path, kMbOk | kMbIconCritical);
    }
}

}  // namespace velmora
