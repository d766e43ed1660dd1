// The removal run: Go.bat over the queue, the wait, the replacement of the
// pictures by any outputs left beside them, and the final message, built
// from what the tool reported for each picture.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/services.h"

namespace velmora {

class ButtonControl;
class ListControl;

struct RemovalRunOptions {
    // Move each "P.tmp" output into place of P afterwards.
    bool replaceOutputs = true;
    // A later batch of one command-line session: its lines join the results
    // file instead of starting it anew.
    bool continueResults = false;
    // Called on every pass of the wait with the pictures the script names,
    // in its order; false stops the run: its processes end (the picture in
    // hand may finish), and no picture is touched afterwards.
    std::function<bool(const std::vector<std::wstring>& pictures)> onWait = nullptr;
    // Called on every pass while another run holds the turn; false gives up
    // this run before it touches anything.
    std::function<bool()> onWaitForTurn = nullptr;
    // Called just before the final message (the progress window goes).
    std::function<void()> beforeMessage = nullptr;
};

struct RemovalRunResult {
    bool ran = false;
    // The results file holds this run's lines.
    bool resultsRecorded = false;
};

// Runs the removal over the queue as it stands; the button is disabled for
// the run. The queue may change during the wait; the replacement step walks
// it as it stands afterwards.
RemovalRunResult RunRemoval(Services services, ListControl& queue, ButtonControl& removeButton,
                            RemovalRunOptions options);

}  // namespace velmora
