// Browsers for tests: each browser's state (page, shown, place) is kept in
// `made`, alive or not; `failAt` makes one step fail.
#pragma once

#include <deque>

#include "runtime/browser.h"

namespace velmora::test {

struct FakeBrowserState {
    std::wstring address;
    bool shown = false;
    int left = 0, top = 0, width = 0, height = 0;
    bool alive = true;
    std::function<void(const BrowserEvent&)> raise;
};

class FakeBrowsers : public Browsers {
public:
    enum class Step { None, Create, Navigate, Show, Place };
    Step failAt = Step::None;
    std::deque<FakeBrowserState> made;

    // The one browser alive, or null.
    FakeBrowserState* Live() {
        for (FakeBrowserState& b : made) {
            if (b.alive) return &b;
        }
        return nullptr;
    }

    std::unique_ptr<Browser> Create(std::function<void(const BrowserEvent&)> onEvent) override {
        if (failAt == Step::Create) return nullptr;
        made.push_back({});
        made.back().raise = std::move(onEvent);
        return std::make_unique<One>(*this, made.back());
    }

private:
    struct One : Browser {
        One(FakeBrowsers& o, FakeBrowserState& s) : owner(o), state(s) {}
        ~One() override { state.alive = false; }
        bool Navigate(std::wstring_view address) override {
            state.address = address;
            return owner.failAt != Step::Navigate;
        }
        bool Show() override {
            state.shown = owner.failAt != Step::Show;
            return state.shown;
        }
        bool Place(int l, int t, int w, int h) override {
            if (owner.failAt == Step::Place) return false;
            state.left = l, state.top = t, state.width = w, state.height = h;
            return true;
        }
        FakeBrowsers& owner;
        FakeBrowserState& state;
    };
};

}  // namespace velmora::test
