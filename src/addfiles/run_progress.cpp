#include "addfiles/run_progress.h"

#include <algorithm>

#include "addfiles/add_files_texts.h"
#include "addfiles/path_helpers.h"
#include "runtime/services.h"

namespace velmora {

RunProgress::RunProgress(Services& services, ProgressBar& bar, std::wstring outcomeFile)
    : s_(services), outcomeFile_(std::move(outcomeFile)), delayed_(services.events, bar) {}

// One record per picture the tool has finished.
int RunProgress::CountDone(size_t total) {
    std::optional<std::string> text = s_.files.ReadFile(outcomeFile_);
    if (!text) return 0;
    return std::min(int(std::count(text->begin(), text->end(), '\n')), int(total));
}

bool RunProgress::OnWait(const std::vector<std::wstring>& pictures) {
    // The wait pumps events itself; nothing to do before the delay passed.
    if (!delayed_.Due()) return true;
    const int total = int(pictures.size());
    const int done = CountDone(pictures.size());
    std::wstring status = AddFilesMessage(AddFilesText::Cleaning) + L" " + std::to_wstring(done) +
                          L"/" + std::to_wstring(total);
    if (done < total) status += L" " + GetPathPart(pictures[size_t(done)], PathPart::Name);
    const int percent = total > 0 ? done * 100 / total : 0;
    return delayed_.Step(status, std::clamp(percent, 1, 99));
}

bool RunProgress::OnWaitForTurn() {
    if (!delayed_.Due()) return true;
    // A bar that only creeps: how long the other run takes is not known.
    return delayed_.Step(AddFilesMessage(AddFilesText::WaitingForOtherRun), std::nullopt);
}

}  // namespace velmora
