// Progress for work that may be long: nothing for the first second, then
// the progress window. A short run shows no window at all.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

namespace velmora {

class EventLoop;
class ProgressBar;
class Timer;

inline constexpr int kProgressDelayMs = 1000;

class DelayedProgress {
public:
    DelayedProgress(EventLoop& events, ProgressBar& bar);
    // Closes the window if it was shown.
    ~DelayedProgress();
    DelayedProgress(const DelayedProgress&) = delete;
    DelayedProgress& operator=(const DelayedProgress&) = delete;

    // Yields to the event loop; once the delay has passed shows the window
    // with `status` and `percent` (1 to 99), or, without a percent, a bar
    // that only creeps. False once the user has pressed Cancel.
    bool Step(std::wstring_view status, std::optional<int> percent);
    bool Shown() const { return shown_; }
    // Closes the window if it was shown; a later Step shows it again.
    void Finish();
    // True once the delay has passed.
    bool Due() const { return due_; }

private:
    EventLoop& events_;
    ProgressBar& bar_;
    std::unique_ptr<Timer> delay_;
    bool due_ = false;
    bool shown_ = false;
};

}  // namespace velmora
