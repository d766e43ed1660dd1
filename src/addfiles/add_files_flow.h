// The flow behind "添加文件": the multi-select dialog, the offer to take every
// file of the same kind from the chosen folder and its subfolders, the
// patterns, the scan, and the queue's update. Also the scan of folders
// dropped on the queue.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "addfiles/file_dialog.h"

namespace velmora {

class ListControl;
class PatternSet;
class ProgressBar;
struct Services;

// The pictures a dropped folder stands for: every kind the tool cleans.
inline constexpr wchar_t kDroppedFolderPatterns[] =
    L"*.jpg;*.jpeg;*.png;*.webp;*.heic;*.heif;*.avif";

class AddFilesFlow {
public:
    AddFilesFlow(Services& services, ProgressBar& progress);

    // Puts the chosen files, or the scan's result, on top of `list` without
    // duplicates and selects the first. With a folder the dialog is skipped
    // and that folder is scanned. An error shows its description in a
    // critical message box; the pointer is the normal arrow afterwards.
    // Does nothing while an earlier call is still open (its dialog, question,
    // input box or scan yields to the event loop, where a second click on
    // the button would arrive).
    void AddFilesToList(ListControl& list, std::wstring folder = {}, std::wstring patterns = {});
    bool Busy() const { return busy_; }

    // Dropped paths with every folder replaced by the pictures in it
    // and its subfolders, in the scan's order.
    std::vector<std::wstring> ExpandDroppedFolders(const std::vector<std::wstring>& dropped);

    FileDialogMemory& Memory() { return memory_; }

private:
    std::vector<std::wstring> ChooseFileList(const std::wstring& folder, std::wstring patterns,
                                             bool ask);
    // The scan with the progress window after one second; nullopt when the
    // user pressed its Cancel.
    std::optional<std::vector<std::wstring>> ScanWithProgress(const std::wstring& folder,
                                                              const PatternSet& patterns);

    Services& s_;
    ProgressBar& progress_;
    FileDialogMemory memory_;
    bool busy_ = false;
};

}  // namespace velmora
