#include "addfiles/delayed_progress.h"

#include <string>

#include "addfiles/progress_bar.h"
#include "runtime/event_loop.h"

namespace velmora {

DelayedProgress::DelayedProgress(EventLoop& events, ProgressBar& bar) : events_(events), bar_(bar) {
    delay_ = events_.StartTimer(kProgressDelayMs, [this] { due_ = true; });
}

DelayedProgress::~DelayedProgress() { Finish(); }

void DelayedProgress::Finish() {
    delay_.reset();
    if (!shown_) return;
    shown_ = false;
    int done = 100;
    bar_.UpdateProBar(done, {});
}

bool DelayedProgress::Step(std::wstring_view status, std::optional<int> percent) {
    if (!due_) {
        events_.DoEvents();
        return true;
    }
    if (delay_) delay_.reset();
    if (!shown_ || percent) {
        shown_ = true;
        int value = percent.value_or(1);
        if (value < 1) value = 1;
        if (value > 99) value = 99;
        return bar_.UpdateProBar(value, std::wstring(status));
    }
    return bar_.UpdateStatus(status);
}

}  // namespace velmora
