#include "addfiles/progress_bar.h"

#include "runtime/event_loop.h"

namespace velmora {

namespace {

std::wstring PercentText(int percent) { return std::to_wstring(percent) + L"%"; }

}  // namespace

std::wstring ShortenStatus(std::wstring_view text) {
    if (text.size() < 50) return std::wstring(text);
    return std::wstring(text.substr(0, 23)) + L"..." + std::wstring(text.substr(text.size() - 27));
}

ProgressBar::ProgressBar(EventLoop& events, ViewFactory makeView)
    : events_(events), makeView_(std::move(makeView)) {}

ProgressBar::~ProgressBar() = default;

void ProgressBar::EnsureView() {
    if (view_) return;
    dontContinue_ = false;
    // Without a window (none could be made) the work goes on unseen.
    view_ = makeView_ ? makeView_() : nullptr;
    if (!view_) return;
    view_->OnCancel = [this] { OnCancel(); };
    // Runs while the window exists, hidden or not.
    creepTimer_ = events_.StartTimer(kCreepIntervalMs, [this] { OnCreepTimer(); });
}

void ProgressBar::Close() {
    creepTimer_.reset();
    view_.reset();
}

bool ProgressBar::UpdateProBar(int& percent, std::wstring status) {
    if (percent <= 0) {
        events_.SetBusyPointer(true);
        return true;
    }
    // Closing needs no window: none is made only to be destroyed.
    if (percent < 100) EnsureView();
    const bool goOn = !(view_ && dontContinue_);
    if (!goOn) percent = 100;

    if (percent < 100) {
        events_.DoEvents();
        // The event loop may have closed the window (the program ending).
        if (!view_) return !dontContinue_;
        if (!view_->Visible()) view_->Show();
        if (!status.empty()) view_->SetStatus(ShortenStatus(status));
        view_->SetBarText(PercentText(percent));
        view_->SetBarWidth(percent * kBarTwipsPerPercent);
    } else {
        events_.SetBusyPointer(false);
        Close();
    }
    return goOn;
}

bool ProgressBar::UpdateStatus(std::wstring_view status) {
    events_.DoEvents();
    if (!view_ || dontContinue_) return !dontContinue_;
    view_->SetStatus(ShortenStatus(status));
    return true;
}

void ProgressBar::OnCreepTimer() {
    if (!view_) return;
    int width = view_->BarWidth();
    if (width >= kBarFullTwips) return;
    width += kCreepTwips;
    view_->SetBarWidth(width);
    if (width % kBarTwipsPerPercent == 0)
        view_->SetBarText(PercentText(width / kBarTwipsPerPercent));
}

void ProgressBar::OnCancel() {
    dontContinue_ = true;
    if (view_) view_->Hide();
}

}  // namespace velmora
