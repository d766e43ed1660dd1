// Progress of a removal run: after one second the progress window shows
// "正在清除 i/n" and the name of the picture being cleaned, i counted from
// the tool's outcome records, one per picture it has finished. A short run
// shows nothing, so the Explorer verb on one picture looks as it always did.
#pragma once

#include <string>
#include <vector>

#include "addfiles/delayed_progress.h"

namespace velmora {

class ProgressBar;
struct Services;

class RunProgress {
public:
    RunProgress(Services& services, ProgressBar& bar, std::wstring outcomeFile);

    // Called on every pass of the run's wait with the pictures the script
    // names, in its order; false once the user pressed Cancel, and the run
    // is to stop.
    bool OnWait(const std::vector<std::wstring>& pictures);
    // Called on every pass while another run goes on; false once the user
    // pressed Cancel.
    bool OnWaitForTurn();
    // Closes the window, before the run's final message.
    void Finish() { delayed_.Finish(); }

private:
    int CountDone(size_t total);

    Services& s_;
    std::wstring outcomeFile_;
    DelayedProgress delayed_;
};

}  // namespace velmora
