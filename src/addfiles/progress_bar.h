// The progress window's behaviour: a status line, a bar that shows the
// percentage and creeps on by itself, and a Cancel button. The window itself
// is a ProgressView (progress_window_win.* on Windows).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

class EventLoop;
class Timer;

// Bar geometry in twips: the track holds 100 percent.
inline constexpr int kBarTwipsPerPercent = 50;
inline constexpr int kBarFullTwips = 100 * kBarTwipsPerPercent;
inline constexpr int kCreepTwips = 10;
inline constexpr int kCreepIntervalMs = 2000;

class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual bool Visible() const = 0;
    // Shown modeless and without an owner.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetStatus(std::wstring_view text) = 0;
    virtual void SetBarWidth(int twips) = 0;
    virtual int BarWidth() const = 0;
    // The percentage shown at the bar's right end.
    virtual void SetBarText(std::wstring_view text) = 0;

    // Raised by the Cancel button.
    std::function<void()> OnCancel;
};

// Status texts of 50 characters or more show their first 23 characters,
// "..." and their last 27.
std::wstring ShortenStatus(std::wstring_view text);

class ProgressBar {
public:
    using ViewFactory = std::function<std::unique_ptr<ProgressView>()>;
    ProgressBar(EventLoop& events, ViewFactory makeView);
    ~ProgressBar();

    // percent <= 0: only the busy pointer, true. 1 to 99: shows or updates
    // the window (yielding to the event loop first). >= 100: closes it and
    // restores the normal pointer. After Cancel a call with 1 to 99 is turned
    // into one with 100 (the caller's value becomes 100) and returns false.
    bool UpdateProBar(int& percent, std::wstring status);
    // Changes only the status line of a shown window, leaving the bar as it
    // crept; yields to the event loop. False once the user has cancelled.
    bool UpdateStatus(std::wstring_view status);

    ProgressView* View() const { return view_.get(); }

private:
    void EnsureView();
    void Close();
    void OnCreepTimer();
    void OnCancel();

    EventLoop& events_;
    ViewFactory makeView_;
    std::unique_ptr<ProgressView> view_;
    std::unique_ptr<Timer> creepTimer_;
    bool dontContinue_ = false;
};

}  // namespace velmora
