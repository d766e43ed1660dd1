// An event loop for tests: timers fire when the test says so, DoEvents
// runs a hook, and the busy pointer and the program's end are kept.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "runtime/event_loop.h"

namespace velmora::test {

class FakeEventLoop : public EventLoop {
public:
    std::function<void()> onDoEvents;
    int doEvents = 0;
    bool busy = false;
    bool ended = false;

    void DoEvents() override {
        ++doEvents;
        if (onDoEvents) onDoEvents();
    }
    void Sleep(int) override {}
    std::unique_ptr<Timer> StartTimer(int ms, std::function<void()> onTick) override {
        const int id = nextId_++;
        timers_[id] = {ms, std::move(onTick)};
        return std::make_unique<FakeTimer>(*this, id);
    }
    void SetBusyPointer(bool b) override { busy = b; }
    void EndProgram() override { ended = true; }

    // Fires every running timer of interval `ms` once, as if it had elapsed.
    void Elapse(int ms) {
        std::map<int, Entry> due = timers_;
        for (auto& [id, entry] : due) {
            if (entry.ms == ms && timers_.count(id)) entry.onTick();
        }
    }
    int RunningTimers() const { return int(timers_.size()); }

private:
    struct Entry {
        int ms;
        std::function<void()> onTick;
    };
    class FakeTimer : public Timer {
    public:
        FakeTimer(FakeEventLoop& loop, int id) : loop_(loop), id_(id) {}
        ~FakeTimer() override { loop_.timers_.erase(id_); }

    private:
        FakeEventLoop& loop_;
        int id_;
    };
    std::map<int, Entry> timers_;
    int nextId_ = 1;
};

}  // namespace velmora::test
