#include "addfiles/add_files_flow.h"

#include <new>
#include <stdexcept>

#include "addfiles/add_files_texts.h"
#include "addfiles/add_it.h"
#include "addfiles/delayed_progress.h"
#include "addfiles/folder_scan.h"
#include "addfiles/path_helpers.h"
#include "addfiles/progress_bar.h"
#include "common/wildcard.h"
#include "runtime/services.h"

namespace velmora {

namespace {

// Yielding costs a round trip to the window system; once per this many
// entries keeps the windows responsive without slowing a big scan.
constexpr int kEntriesPerYield = 64;

// The input box's top-left corner: left of and above the screen's centre.
constexpr int kInputBoxLeftOfCentre = 3000;
constexpr int kInputBoxAboveCentre = 300;

std::wstring Describe(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return AddFilesMessage(AddFilesText::OutOfMemory);
    std::wstring text;
    for (const char* c = error.what(); *c; ++c)
        text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return text;
}

class BusyFlag {
public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

AddFilesFlow::AddFilesFlow(Services& services, ProgressBar& progress)
    : s_(services), progress_(progress) {}

void AddFilesFlow::AddFilesToList(ListControl& list, std::wstring folder, std::wstring patterns) {
    if (busy_) return;  // the earlier flow is still waiting on the user or scanning
    BusyFlag busy(busy_);
    try {
        std::vector<std::wstring> batch = ChooseFileList(folder, std::move(patterns), true);
        AddIt(batch, list, true, 0, s_.files);
    } catch (const std::exception& error) {
        s_.dialogs.MsgBox({Describe(error), MsgIcon::Critical});
    }
    s_.events.SetBusyPointer(false);
}

std::vector<std::wstring> AddFilesFlow::ChooseFileList(const std::wstring& folder,
                                                       std::wstring patterns, bool ask) {
    if (!folder.empty()) {
        return ScanWithProgress(folder, PatternSet(patterns)).value_or(std::vector<std::wstring>{});
    }
    std::vector<std::wstring> picked =
        ShowFileDialog(s_.dialogs, memory_, FileDialogMode::OpenMany, kDefaultFilterMarker,
                       AddFilesMessage(AddFilesText::DialogTitle), {});
    if (picked.empty() || !ask) return picked;

    // The picked files' own folder: names typed as full paths need not lie
    // in the folder the dialog showed.
    const std::wstring pickedFolder = GetParentDir(picked.back()) + L"\\";
    const Message question(AddFilesMessage(AddFilesText::AskScanFolderBefore) + pickedFolder +
                               AddFilesMessage(AddFilesText::AskScanFolderAfter),
                           MsgIcon::Question, Buttons::YesNoCancel, true);
    if (s_.dialogs.MsgBox(question) != Answer::Yes) return picked;

    int zero = 0;
    progress_.UpdateProBar(zero, AddFilesMessage(AddFilesText::Scanning));
    s_.events.DoEvents();

    // The default pattern is the last picked file's extension.
    if (patterns.empty()) patterns = GetPathPart(picked.back(), PathPart::Extension);
    const TwipsPoint screen = s_.dialogs.ScreenSize();
    const TwipsPoint where{screen.x / 2 - kInputBoxLeftOfCentre,
                           screen.y / 2 - kInputBoxAboveCentre};
    std::wstring typed =
        s_.dialogs.InputBox(AddFilesMessage(AddFilesText::PatternPrompt), L"*." + patterns, where);
    if (typed.empty()) return picked;
    if (typed.find(L'.') == std::wstring::npos) typed = L"*" + typed + L"*";

    const PatternSet patternSet(typed);
    if (patternSet.Malformed()) {
        // Scanning with it would select every file in the tree.
        s_.dialogs.MsgBox({AddFilesMessage(AddFilesText::MalformedPatternBefore) +
                               *patternSet.Malformed() +
                               AddFilesMessage(AddFilesText::MalformedPatternAfter),
                           MsgIcon::Critical});
        return picked;
    }
    std::optional<std::vector<std::wstring>> found = ScanWithProgress(pickedFolder, patternSet);
    if (!found) return picked;
    if (found->empty()) {
        // Nothing would join the queue, the picked files included: say so,
        // and keep them.
        s_.events.SetBusyPointer(false);
        s_.dialogs.MsgBox({AddFilesMessage(AddFilesText::NoMatchBefore) + typed +
                               AddFilesMessage(AddFilesText::NoMatchAfter),
                           MsgIcon::None});
        return picked;
    }
    return *found;
}

std::optional<std::vector<std::wstring>> AddFilesFlow::ScanWithProgress(
    const std::wstring& folder, const PatternSet& patterns) {
    s_.events.SetBusyPointer(true);
    DelayedProgress progress(s_.events, progress_);
    const std::wstring scanning = AddFilesMessage(AddFilesText::Scanning);
    int entries = 0;
    const ScanStep step = [&](const std::wstring& current) {
        if (++entries % kEntriesPerYield != 0) return true;
        return progress.Step(scanning + L" " + current, std::nullopt);
    };
    std::vector<std::wstring> found;
    if (!ScanFolder(s_.files, folder, patterns, step, found)) return std::nullopt;
    return found;
}

std::vector<std::wstring> AddFilesFlow::ExpandDroppedFolders(
    const std::vector<std::wstring>& dropped) {
    std::vector<std::wstring> out;
    const PatternSet pictures(kDroppedFolderPatterns);
    for (const std::wstring& path : dropped) {
        std::optional<FileInfo> info = s_.files.Stat(path);
        if (!info || !info->directory) {
            out.push_back(path);
            continue;
        }
        std::optional<std::vector<std::wstring>> found = ScanWithProgress(path, pictures);
        // Cancel keeps what was dropped besides this folder.
        if (found) out.insert(out.end(), found->begin(), found->end());
    }
    s_.events.SetBusyPointer(false);
    return out;
}

}  // namespace velmora
