// Runs a command line and waits for its end while the window stays responsive.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/processes.h"

namespace velmora {

class EventLoop;

// Starts `command` in `workingFolder` and waits for the process to end,
// handling pending events every 100 ms. Returns the process id, or 0 when
// nothing could be started (after one 100 ms pass).
uint32_t ShellWait(Processes& processes, EventLoop& events, std::wstring_view command, Show show,
                   std::wstring_view workingFolder = {});

}  // namespace velmora
