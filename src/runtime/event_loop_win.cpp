#include "runtime/event_loop_win.h"

#include <map>

namespace velmora {

namespace {

bool g_busy = false;

std::map<UINT_PTR, std::function<void()>>& Timers() {
    static std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    std::function<void()> tick = it->second;  // the callback may stop its timer
    tick();
}

class Win32Timer : public Timer {
public:
    explicit Win32Timer(UINT_PTR id) : id_(id) {}
    ~Win32Timer() override {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
    }

private:
    UINT_PTR id_;
};

}  // namespace

void DispatchOne(MSG& msg) {
    HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top && IsDialogMessageW(top, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchOne(msg);
    return int(msg.wParam);
}

void PumpPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

bool HandleBusyCursor() {
    if (!g_busy) return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

void Win32EventLoop::DoEvents() { PumpPendingMessages(); }

void Win32EventLoop::Sleep(int ms) { ::Sleep(DWORD(ms)); }

std::unique_ptr<Timer> Win32EventLoop::StartTimer(int ms, std::function<void()> onTick) {
    UINT_PTR id = ::SetTimer(nullptr, 0, UINT(ms), OnTimer);
    if (id == 0) return nullptr;
    Timers()[id] = std::move(onTick);
    return std::make_unique<Win32Timer>(id);
}

void Win32EventLoop::SetBusyPointer(bool busy) {
    g_busy = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32EventLoop::EndProgram() { ExitProcess(0); }

}  // namespace velmora
