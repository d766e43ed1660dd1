#include "main/shell_wait.h"

#include "runtime/platform.h"

namespace velmora {

namespace {
constexpr int kPassMs = 100;
}

uint32_t ShellWait(Platform& platform, std::wstring_view command, int windowStyle) {
    std::unique_ptr<Process> process = platform.StartProcess(command, windowStyle);
    if (!process) {
        // Nothing to wait for: one pass, as for a process that ended at once.
        platform.DoEvents();
        platform.Sleep(kPassMs);
        return 0;
    }
    // Waiting on the process itself, not on its exit code, so that a script
    // whose exit code happens to be 259 (STILL_ACTIVE) does not hang us.
    for (;;) {
        bool ended = process->WaitForExit(kPassMs);
        platform.DoEvents();
        if (ended) break;
    }
    return process->Id();
}

}  // namespace velmora
