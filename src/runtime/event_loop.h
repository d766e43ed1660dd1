// The user-interface event loop as the flows see it: the pump that lets
// other handlers run during long work, pauses, timers, the busy pointer and
// the end of the program.
#pragma once

#include <functional>
#include <memory>

namespace velmora {

// A repeating timer; destroying it stops it.
class Timer {
public:
    virtual ~Timer() = default;
};

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Handles every pending user-interface event, then returns.
    virtual void DoEvents() = 0;
    virtual void Sleep(int ms) = 0;
    // Calls `onTick` every `ms` milliseconds from the event loop; nullptr
    // when no timer could be made.
    virtual std::unique_ptr<Timer> StartTimer(int ms, std::function<void()> onTick) = 0;
    // The busy (hourglass) pointer over the program's windows, until reset.
    virtual void SetBusyPointer(bool busy) = 0;
    // Ends the whole program at once.
    virtual void EndProgram() = 0;
};

}  // namespace velmora
