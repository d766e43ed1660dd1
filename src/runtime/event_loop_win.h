// The Win32 event loop: message dispatch shared by the main loop and the
// event pump, timers, and the busy pointer that the program's windows honour.
#pragma once

#include <windows.h>

#include "runtime/event_loop.h"

namespace velmora {

// Translates and dispatches one message, with dialog keyboard navigation
// (Tab between controls) for the top-level window it belongs to.
void DispatchOne(MSG& msg);
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Handles every pending message and returns. A WM_QUIT is put back.
void PumpPendingMessages();
// For WM_SETCURSOR in the program's window procedures: true when handled.
bool HandleBusyCursor();

class Win32EventLoop : public EventLoop {
public:
    void DoEvents() override;
    void Sleep(int ms) override;
    std::unique_ptr<Timer> StartTimer(int ms, std::function<void()> onTick) override;
    void SetBusyPointer(bool busy) override;
    void EndProgram() override;
};

}  // namespace velmora
