#include "main/results_view.h"

#include <functional>

#include "main/main_texts.h"
#include "main/temp_files.h"

namespace velmora {

std::optional<size_t> ResultsFingerprint(Services s) {
    const std::wstring t = TempFolder(s.processes, s.files);
    if (t.empty()) return std::nullopt;
    std::optional<std::string> bytes = s.files.ReadFile(TempPath(t, kEventFileName));
    if (!bytes) return std::nullopt;
    return std::hash<std::string>{}(*bytes);
}

void ShowResults(Services s) {
    const std::wstring t = TempFolder(s.processes, s.files);
    if (t.empty()) return;
    const std::wstring path = TempPath(t, kEventFileName);
    std::optional<FileInfo> info = s.files.Stat(path);
    if (!info || info->directory) return;
    if (!s.processes.Start(L"notepad \"" + path + L"\"", Show::Normal)) {
        s.dialogs.MsgBox({MainMessage(MainText::NotepadNotStarted, {path}), MsgIcon::Critical});
    }
}

}  // namespace velmora
