// The progress window in memory; `alive` tells whether it exists.
#pragma once

#include <memory>
#include <string>

#include "addfiles/progress_bar.h"

namespace velmora::test {

struct FakeProgressState {
    bool alive = false, visible = false;
    int width = 0, made = 0;
    std::wstring barText, status;
    ProgressView* view = nullptr;
};

class FakeProgressView : public ProgressView {
public:
    explicit FakeProgressView(FakeProgressState& s) : s_(s) {
        s_ = FakeProgressState{true, false, 0, s.made + 1, L"", L"", this};
    }
    ~FakeProgressView() override { s_.alive = s_.visible = false, s_.view = nullptr; }
    bool Visible() const override { return s_.visible; }
    void Show() override { s_.visible = true; }
    void Hide() override { s_.visible = false; }
    void SetStatus(std::wstring_view t) override { s_.status = t; }
    void SetBarWidth(int w) override { s_.width = w; }
    int BarWidth() const override { return s_.width; }
    void SetBarText(std::wstring_view t) override { s_.barText = t; }

private:
    FakeProgressState& s_;
};

inline ProgressBar::ViewFactory FakeViews(FakeProgressState& s) {
    return [&s] { return std::make_unique<FakeProgressView>(s); };
}

}  // namespace velmora::test
