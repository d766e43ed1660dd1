#include "addfiles/run_progress.h"

#include <algorithm>

#include "addfiles/add_files_texts.h"
#include "addfiles/path_helpers.h"
#include "runtime/services.h"

namespace velmora {

namespace {

// How long a cancelled run waits for the picture in the tool's hands.
constexpr int kSettlePasses = 20;
constexpr int kSettlePassMs = 100;

}  // namespace

RunProgress::RunProgress(Services& services, ProgressBar& bar, std::wstring resultsFile)
    : s_(services), resultsFile_(std::move(resultsFile)), delayed_(services.events, bar) {}

// One line per picture the tool has finished; the script's own first line
// ("rem") is not one.
int RunProgress::CountDone(size_t total) {
    std::optional<std::string> text = s_.files.ReadFile(resultsFile_);
    if (!text) return 0;
    int lines = int(std::count(text->begin(), text->end(), '\n'));
    if (text->rfind("rem", 0) == 0 && lines > 0) --lines;
    return std::min(lines, int(total));
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

std::wstring RunProgress::StoppedMessage(const std::vector<std::wstring>& pictures) {
    const int before = CountDone(pictures.size());
    int done = before;
    for (int pass = 0; pass < kSettlePasses && done == before && done < int(pictures.size());
         ++pass) {
        s_.events.DoEvents();
        s_.events.Sleep(kSettlePassMs);
        done = CountDone(pictures.size());
    }
    return AddFilesMessage(AddFilesText::RunStoppedBefore) + std::to_wstring(done) +
           AddFilesMessage(AddFilesText::RunStoppedMiddle) + std::to_wstring(pictures.size()) +
           AddFilesMessage(AddFilesText::RunStoppedAfter);
}

}  // namespace velmora
