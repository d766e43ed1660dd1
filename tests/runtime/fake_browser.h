// Browsers for tests: each browser's state (page, shown, place, alive) is
// kept in `made`; `failAt` makes one step fail.
#pragma once

#include <algorithm>
#include <deque>

#include "runtime/browser.h"

namespace velmora::test {

struct FakeBrowserState {
    std::wstring address;
    bool shown = false, alive = true;
    int left = 0, top = 0, width = 0, height = 0;
    std::function<void(const BrowserEvent&)> raise;
};

class FakeBrowsers : public Browsers {
public:
    enum class Step { None, Create, Navigate, Show, Place };
    Step failAt = Step::None;
    std::deque<FakeBrowserState> made;

    // The browser alive, or null.
    FakeBrowserState* Live() {
        auto it = std::find_if(made.begin(), made.end(), [](auto& b) { return b.alive; });
        return it == made.end() ? nullptr : &*it;
    }

    std::unique_ptr<Browser> Create(std::function<void(const BrowserEvent&)> onEvent) override {
        if (failAt == Step::Create) return nullptr;
        made.emplace_back().raise = std::move(onEvent);
        return std::make_unique<One>(failAt, made.back());
    }

private:
    struct One : Browser {
        One(const Step& f, FakeBrowserState& s) : failAt(f), state(s) {}
        ~One() override { state.alive = false; }
        bool Navigate(std::wstring_view to) override {
            state.address = to;
            return failAt != Step::Navigate;
        }
        bool Show() override { return state.shown = failAt != Step::Show; }
        bool Place(int l, int t, int w, int h) override {
            state.left = l, state.top = t, state.width = w, state.height = h;
            return failAt != Step::Place;
        }
        const Step& failAt;
        FakeBrowserState& state;
    };
};

}  // namespace velmora::test
