#include "main/results_view.h"

#include "main/main_texts.h"
#include "main/temp_files.h"

namespace velmora {

void ShowResults(Services s) {
    const std::wstring path = TempPath(TempFolder(s.processes), kEventFileName);
    std::optional<FileInfo> info = s.files.Stat(path);
    if (!info || info->directory) return;
    if (!s.processes.Start(L"notepad \"" + path + L"\"", Show::Normal)) {
        s.dialogs.MsgBox({MainMessage(MainText::NotepadNotStarted, {path}), MsgIcon::Critical});
    }
}

}  // namespace velmora
