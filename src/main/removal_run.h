// The removal run: Go.bat over the queue, the wait, the replacement of the
// pictures by the tool's outputs, and the final message.
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
    // The start-up copy of the tool failed: say so before this run.
    bool toolCopyFailed = false;
    // Called on every pass of the wait with the pictures the script names,
    // in its order; false ends the script (not the tool it started), and no
    // picture is touched afterwards.
    std::function<bool(const std::vector<std::wstring>& pictures)> onWait = nullptr;
    // The message shown instead of "搞定" after such an end.
    std::function<std::wstring(const std::vector<std::wstring>& pictures)> stoppedMessage = nullptr;
};

// Runs the removal over the queue as it stands; the button is disabled for
// the run. The queue may change during the wait; the replacement step walks
// it as it stands afterwards.
void RunRemoval(Services services, ListControl& queue, ButtonControl& removeButton,
                RemovalRunOptions options);

}  // namespace velmora
