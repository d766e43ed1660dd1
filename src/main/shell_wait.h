// Runs a command line and waits for its end while the window stays responsive.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "runtime/processes.h"

namespace velmora {

class EventLoop;

// How long a stopped run's processes get to finish the picture in hand.
inline constexpr int kStopGraceMs = 2000;

// Starts `command` in `workingFolder`, tied with everything it starts, and
// waits for its end, handling pending events every 100 ms. Returns the
// process id, or 0 when nothing could be started (after one 100 ms pass).
// When `onPass` returns false the process ends there; what it started gets
// `kStopGraceMs` to finish, then ends too: no process of it is left.
uint32_t ShellWait(Processes& processes, EventLoop& events, std::wstring_view command, Show show,
                   std::wstring_view workingFolder = {}, const std::function<bool()>& onPass = {});

}  // namespace velmora
