// Runs a command line and waits for its end while the window stays responsive.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "runtime/processes.h"

namespace velmora {

class EventLoop;

// Starts `command` in `workingFolder` and waits for the process to end,
// handling pending events every 100 ms. Returns the process id, or 0 when
// nothing could be started (after one 100 ms pass). When `onPass` returns
// false the process is ended there (the processes it started go on).
uint32_t ShellWait(Processes& processes, EventLoop& events, std::wstring_view command, Show show,
                   std::wstring_view workingFolder = {}, const std::function<bool()>& onPass = {});

}  // namespace velmora
