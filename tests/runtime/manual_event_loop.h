// An EventLoop for tests whose timers tick only when the test says so.
#pragma once

#include <map>

#include "runtime/event_loop.h"

namespace velmora::test {

class ManualEventLoop : public EventLoop {
public:
    struct Entry {
        int ms;
        std::function<void()> tick;
    };
    std::map<int, Entry> running;  // by timer id

    std::unique_ptr<Timer> StartTimer(int ms, std::function<void()> onTick) override {
        running[++nextId_] = {ms, std::move(onTick)};
        return std::make_unique<Handle>(*this, nextId_);
    }
    // Ticks every running timer once, with a copy of its callback as the
    // real loop does: a callback may stop its own timer.
    void TickAll() {
        std::map<int, Entry> now = running;
        for (auto& [id, entry] : now) entry.tick();
    }
    void DoEvents() override {}
    void Sleep(int) override {}
    void SetBusyPointer(bool) override {}
    void EndProgram() override {}

private:
    struct Handle : Timer {
        Handle(ManualEventLoop& o, int i) : owner(o), id(i) {}
        ~Handle() override { owner.running.erase(id); }
        ManualEventLoop& owner;
        int id;
    };
    int nextId_ = 0;
};

}  // namespace velmora::test
