// The progress window in memory; `view` is null while none exists.
#pragma once

#include "addfiles/progress_bar.h"

namespace velmora::test {

struct FakeProgressView : ProgressView {
    bool visible = false;
    int width = 0;
    std::wstring barText, status;
    FakeProgressView*& self;

    explicit FakeProgressView(FakeProgressView*& slot) : self(slot) { self = this; }
    ~FakeProgressView() override { self = nullptr; }
    bool Visible() const override { return visible; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void SetStatus(std::wstring_view t) override { status = t; }
    void SetBarWidth(int w) override { width = w; }
    int BarWidth() const override { return width; }
    void SetBarText(std::wstring_view t) override { barText = t; }
};

inline ProgressBar::ViewFactory FakeViews(FakeProgressView*& slot) {
    return [&slot] { return std::make_unique<FakeProgressView>(slot); };
}

}  // namespace velmora::test
