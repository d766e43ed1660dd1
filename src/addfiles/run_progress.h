// Progress of a removal run: after one second the progress window shows
// "正在清除 i/n" and the name of the picture being cleaned, i counted from the
// lines the tool has appended to the results file. A short run shows
// nothing, so the Explorer verb on one picture looks as it always did.
#pragma once

#include <string>
#include <vector>

#include "addfiles/delayed_progress.h"

namespace velmora {

class ProgressBar;
struct Services;

class RunProgress {
public:
    RunProgress(Services& services, ProgressBar& bar, std::wstring resultsFile);

    // Called on every pass of the run's wait with the pictures the script
    // names, in its order; false once the user pressed Cancel, and the run
    // is to end its script.
    bool OnWait(const std::vector<std::wstring>& pictures);
    // After the script was ended: lets the picture being cleaned finish
    // (the tool goes on by itself) and returns the message naming how many
    // of the pictures were done.
    std::wstring StoppedMessage(const std::vector<std::wstring>& pictures);

private:
    int CountDone(size_t total);

    Services& s_;
    std::wstring resultsFile_;
    DelayedProgress delayed_;
};

}  // namespace velmora
