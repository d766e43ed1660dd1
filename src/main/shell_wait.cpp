#include "main/shell_wait.h"

#include "runtime/event_loop.h"

namespace velmora {

namespace {
constexpr int kPassMs = 100;
}

uint32_t ShellWait(Processes& processes, EventLoop& events, std::wstring_view command, Show show,
                   std::wstring_view workingFolder, const std::function<bool()>& onPass) {
    std::unique_ptr<Process> process = processes.Start(command, show, workingFolder, Tree::Tied);
    if (!process) {
        // Nothing to wait for: one pass, as for a process that ended at once.
        events.DoEvents();
        events.Sleep(kPassMs);
        return 0;
    }
    // Waiting on the process itself, not on its exit code, so that a script
    // whose exit code happens to be 259 (STILL_ACTIVE) does not hang us.
    for (;;) {
        const bool ended = process->WaitForExit(kPassMs);
        events.DoEvents();
        if (ended) break;
        if (onPass && !onPass()) {
            // The script first, so that it starts nothing more; the tool in
            // hand may finish its picture (it replaces it in one step, and
            // a kill would leave its temporary file beside it).
            process->Terminate();
            for (int waited = 0; waited < kStopGraceMs && !process->WaitForTree(kPassMs);
                 waited += kPassMs) {
                events.DoEvents();
            }
            process->TerminateTree();
            break;
        }
    }
    return process->Id();
}

}  // namespace velmora
