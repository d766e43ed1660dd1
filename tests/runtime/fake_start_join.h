// Hand-overs as a test scripts them: `waiting` holds the paths that other
// starts handed over; the test fills it, e.g. from the event pump.
#pragma once

#include <utility>

#include "runtime/start_join.h"

namespace velmora::test {

class FakeStartJoin : public StartJoin {
public:
    bool anotherRunTakes = false;
    bool open = true;
    std::vector<std::wstring> waiting;

    bool HandOver(const std::vector<std::wstring>&) override { return anotherRunTakes; }
    std::vector<std::wstring> TakeHandedOver() override { return std::exchange(waiting, {}); }
    bool CloseIfIdle() override {
        if (waiting.empty()) open = false;
        return !open;
    }
};

}  // namespace velmora::test
