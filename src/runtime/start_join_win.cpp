#include "runtime/start_join_win.h"

#include <algorithm>
#include <utility>

#include "runtime/user_object_name_win.h"

namespace velmora {

namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraStartJoin";
constexpr ULONG_PTR kPathsTag = 0x564C4D50;  // tells our WM_COPYDATA from others
constexpr LRESULT kTaken = 0x564C4D54;
// A hand-over that finds neither a window that takes it nor a free mutex
// tries again; after this long it runs on its own rather than lose a path.
constexpr int kRetryMs = 50;
constexpr int kRetries = 1200;

}  // namespace

Win32StartJoin::Win32StartJoin(std::wstring name)
    : name_(UserObjectName(name, L"CommandLineStart")) {}

Win32StartJoin::~Win32StartJoin() {
    Close();
    if (mutex_) CloseHandle(mutex_);
}

bool Win32StartJoin::HandOver(const std::vector<std::wstring>& paths) {
    std::wstring joined;
    for (const std::wstring& p : paths) joined += p + L'\0';  // paths hold no NUL
    COPYDATASTRUCT data{kPathsTag, DWORD(joined.size() * sizeof(wchar_t)), joined.data()};
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        HWND owner = FindWindowExW(HWND_MESSAGE, nullptr, kWindowClass, name_.c_str());
        DWORD_PTR result = 0;
        if (owner &&
            SendMessageTimeoutW(owner, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                                10000, &result) &&
            LRESULT(result) == kTaken) {
            return true;
        }
        if (TryOwn()) return false;
        Sleep(kRetryMs);
    }
    return false;
}

bool Win32StartJoin::TryOwn() {
    if (!mutex_) mutex_ = CreateMutexW(nullptr, FALSE, name_.c_str());
    if (!mutex_) return false;
    // An owner that died leaves the mutex abandoned: this start takes over.
    const DWORD w = WaitForSingleObject(mutex_, 0);
    if (w != WAIT_OBJECT_0 && w != WAIT_ABANDONED) return false;
    owner_ = true;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Win32StartJoin::WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kWindowClass, name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, this);
    return true;
}

LRESULT CALLBACK Win32StartJoin::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32StartJoin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg != WM_COPYDATA || !self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData != kPathsTag || self->window_ != hwnd) return 0;
    std::wstring_view text(static_cast<const wchar_t*>(data->lpData),
                           data->cbData / sizeof(wchar_t));
    while (!text.empty()) {
        const size_t end = std::min(text.find(L'\0'), text.size());
        self->arrived_.emplace_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return kTaken;
}

std::vector<std::wstring> Win32StartJoin::TakeHandedOver() { return std::exchange(arrived_, {}); }

bool Win32StartJoin::CloseIfIdle() {
    if (!arrived_.empty()) return false;
    Close();
    return true;
}

// After this, hand-overs find no window (or one that no longer takes
// them) and elect the next owner.
void Win32StartJoin::Close() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    if (owner_) {
        ReleaseMutex(mutex_);
        owner_ = false;
    }
}

}  // namespace velmora
