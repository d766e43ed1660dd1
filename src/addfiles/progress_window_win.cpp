#include "addfiles/progress_window_win.h"

#include <windowsx.h>

#include <string>

#include "resources/progress_window_layout.h"

namespace velmora {

namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraProgress";
// WM_DPICHANGED, which the headers for Windows 7 do not name.
constexpr UINT kWmDpiChanged = 0x02E0;

const ControlLayout& LayoutOf(int id) {
    for (const ControlLayout& c : kProgressControls) {
        if (c.id == id) return c;
    }
    return kProgressControls[0];
}

}  // namespace

ProgressWindow::ProgressWindow() {
    // No border, no title bar, no taskbar button; no owner.
    if (!Create({kWindowClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW}, kProgressLayout)) {
        return;
    }
    background_.Reset(CreateSolidBrush(COLORREF(kProgressWindowColor)));
    // Overlapping labels: each paints only where no sibling in front of it
    // stands, and the table's order is front to back.
    HWND behind = HWND_TOP;
    for (const ControlLayout& c : kProgressControls) {
        HWND h = control(c.id);
        SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_CLIPSIBLINGS);
        SetWindowPos(h, behind, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        behind = h;
    }
    CenterOnScreen(SWP_NOACTIVATE);
    created_ = background_.get() != nullptr;
}

bool ProgressWindow::Visible() const { return IsWindowVisible(hwnd()) != 0; }

void ProgressWindow::Show() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
}

void ProgressWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void ProgressWindow::Place(int id, int left, int top, int width, int height) {
    SetWindowPos(control(id), nullptr, Pixels(left), Pixels(top), Pixels(width), Pixels(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control(id), nullptr, TRUE);
}

// The status line is as wide as its text.
void ProgressWindow::SetStatus(std::wstring_view text) {
    const std::wstring copy(text);
    HWND st = control(kIdProgressStatus);
    SetWindowTextW(st, copy.c_str());
    HDC dc = GetDC(st);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(st, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, copy.c_str(), int(copy.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(st, dc);
    const ControlLayout& c = LayoutOf(kIdProgressStatus);
    SetWindowPos(st, nullptr, Pixels(c.left), Pixels(c.top), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(st, nullptr, TRUE);
}

void ProgressWindow::SetBarWidth(int twips) {
    barTwips_ = twips;
    const ControlLayout& c = LayoutOf(kIdProgressBar);
    Place(kIdProgressBar, c.left, c.top, twips, c.height);
}

void ProgressWindow::SetBarText(std::wstring_view text) {
    SetWindowTextW(control(kIdProgressBar), std::wstring(text).c_str());
}

LRESULT ProgressWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, background_.get());
            return 1;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kIdProgressCancel && HIWORD(wParam) == BN_CLICKED && OnCancel) {
                OnCancel();
            }
            return 0;
        case WM_PARENTNOTIFY:
            // A press on the background label drags the window as if by its
            // title bar.
            if (LOWORD(wParam) == WM_LBUTTONDOWN) {
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (ChildWindowFromPoint(hwnd(), p) == control(kIdProgressDragArea)) {
                    ReleaseCapture();
                    SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
                }
            }
            return 0;
        case WM_CLOSE:
            return 0;  // only the progress bar's owner closes it
        case kWmDpiChanged: {
            // The base lays the bar and the status line out from the table,
            // where both have no width; they follow their current value.
            const LRESULT result = Window::OnMessage(msg, wParam, lParam);
            SetBarWidth(barTwips_);
            const HWND status = control(kIdProgressStatus);
            std::wstring text(size_t(GetWindowTextLengthW(status)) + 1, L'\0');
            text.resize(size_t(GetWindowTextW(status, text.data(), int(text.size()))));
            SetStatus(text);
            return result;
        }
    }
    return Window::OnMessage(msg, wParam, lParam);
}

std::unique_ptr<ProgressView> MakeProgressWindow() {
    auto window = std::make_unique<ProgressWindow>();
    if (!window->created()) return nullptr;
    return window;
}

}  // namespace velmora
