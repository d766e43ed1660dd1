// Runs a command line and waits for its end while the window stays responsive.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

class Platform;

// Starts `command` with the show-window value `windowStyle` and waits for
// the process to end, handling pending events every 100 ms. Returns the
// process id, or 0 when nothing could be started (after one 100 ms pass).
uint32_t ShellWait(Platform& platform, std::wstring_view command, int windowStyle);

}  // namespace velmora
