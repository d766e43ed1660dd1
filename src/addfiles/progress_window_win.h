// The progress window over Win32: borderless, centred, not in the taskbar,
// dragged by its background label.
#pragma once

#include "addfiles/progress_bar.h"
#include "runtime/window_win.h"

namespace velmora {

class ProgressWindow : public Window, public ProgressView {
public:
    // Created hidden; check created() before use.
    ProgressWindow();

    bool created() const { return created_; }

    bool Visible() const override;
    void Show() override;
    void Hide() override;
    void SetStatus(std::wstring_view text) override;
    void SetBarWidth(int twips) override;
    int BarWidth() const override { return barTwips_; }
    void SetBarText(std::wstring_view text) override;

private:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Place(int id, int left, int top, int width, int height);

    bool created_ = false;
    int barTwips_ = 0;
    UniqueBrush background_;
};

// Makes progress windows for a ProgressBar; none when one cannot be made.
std::unique_ptr<ProgressView> MakeProgressWindow();

}  // namespace velmora
