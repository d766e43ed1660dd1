// Message dispatch shared by the main loop and the event pump, and the busy
// pointer that every window of the program honours.
#pragma once

#include <windows.h>

namespace velmora {

// Translates and dispatches one message, with dialog keyboard navigation
// (Tab between controls) for the top-level window it belongs to.
void DispatchOne(MSG& msg);
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Handles every pending message and returns. A WM_QUIT is put back.
void PumpPendingMessages();

void SetBusyPointerState(bool busy);
// For WM_SETCURSOR in the program's window procedures: true when handled.
bool HandleBusyCursor();

}  // namespace velmora
