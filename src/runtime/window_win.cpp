#include "runtime/window_win.h"

#include <set>
#include <string>

#include "runtime/event_loop_win.h"

namespace velmora {

namespace {

// WM_DPICHANGED, which the headers for Windows 7 do not name.
constexpr UINT kWmDpiChanged = 0x02E0;

// The window property that tells the DPI a window is laid out at.
constexpr wchar_t kDpiProperty[] = L"VelmoraDpi";

// Panels are plain child windows that other code fills.
constexpr wchar_t kPanelClass[] = L"VelmoraPanel";

bool RegisterOnce(const wchar_t* name, WNDPROC proc, HICON icon) {
    static std::set<std::wstring> registered;
    if (registered.count(name)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) return false;
    registered.insert(name);
    return true;
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass BaseClassFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case ControlKind::ListBox:
            return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case ControlKind::TextBox:
            return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, 0};
        case ControlKind::Image:
            return {L"STATIC", SS_ICON, 0};
        case ControlKind::Line:
            return {L"STATIC", SS_ETCHEDHORZ, 0};
        case ControlKind::Panel:
            return {kPanelClass, 0, 0};
    }
    return {L"STATIC", 0, 0};
}

ControlClass ClassFor(const ControlLayout& c) {
    ControlClass cls = BaseClassFor(c.kind);
    // A line of its own colour is a plain static filled with that colour.
    if (c.kind == ControlKind::Line && c.textColor != kDefaultColor) cls.style = SS_LEFT;
    if (c.look & kLookRightAligned) cls.style |= SS_RIGHT;
    if (c.look & kLookMultiLine) cls.style = (cls.style & ~ES_AUTOHSCROLL) | ES_MULTILINE;
    if (c.look & kLookFramed) cls.style |= WS_BORDER;
    if (c.look & kLookNoTabStop) cls.style &= ~WS_TABSTOP;
    return cls;
}

}  // namespace

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND hwnd) {
    const auto dpi = reinterpret_cast<INT_PTR>(GetPropW(GetAncestor(hwnd, GA_ROOT), kDpiProperty));
    return dpi > 0 ? int(dpi) : ScreenDpi();
}

Window::~Window() {
    if (!IsWindow(hwnd_)) return;
    // The window outlives nothing of ours: unlink it before it goes.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    RemovePropW(hwnd_, kDpiProperty);
    DestroyWindow(hwnd_);
}

bool Window::Create(const Frame& frame, const WindowLayout& layout) {
    if (!RegisterOnce(kPanelClass, DefWindowProcW, nullptr)) return false;
    if (!RegisterOnce(frame.className, &Window::WndProc, frame.icon)) return false;
    layout_ = &layout;
    dpi_ = ScreenDpi();
    style_ = frame.style;
    exStyle_ = frame.exStyle;
    RECT r{0, 0, Pixels(layout.clientWidth), Pixels(layout.clientHeight)};
    AdjustWindowRectEx(&r, frame.style, FALSE, frame.exStyle);
    CreateWindowExW(frame.exStyle, frame.className, layout.caption, frame.style, CW_USEDEFAULT,
                    CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, frame.owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    SetPropW(hwnd_, kDpiProperty, reinterpret_cast<HANDLE>(INT_PTR(dpi_)));
    return CreateControls(layout);
}

HBRUSH Window::BrushFor(uint32_t color) {
    UniqueBrush& brush = brushes_[color];
    if (!brush) brush.Reset(CreateSolidBrush(COLORREF(color)));
    return brush.get();
}

HFONT Window::FontFor(const FontSpec* wanted) {
    UniqueFont& font = fonts_[wanted];
    if (font) return font.get();
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(wanted->centiPoints, dpi_, 7200);
    lf.lfWeight = wanted->bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = wanted->underline;
    lf.lfCharSet = wanted->charSet;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, wanted->face, LF_FACESIZE - 1);
    font.Reset(CreateFontIndirectW(&lf));
    return font.get();
}

bool Window::CreateControls(const WindowLayout& layout) {
    for (int i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& c = layout.controls[i];
        const ControlClass cls = ClassFor(c);
        const DWORD style = WS_CHILD | (c.visible ? WS_VISIBLE : 0) | cls.style;
        HWND h = CreateWindowExW(cls.exStyle, cls.name, c.caption, style, Pixels(c.left),
                                 Pixels(c.top), Pixels(c.width), Pixels(c.height), hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                 GetModuleHandleW(nullptr), nullptr);
        if (!h) return false;
        SendMessageW(h, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontFor(c.font ? c.font : layout.font)), FALSE);
        if (c.checked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    }
    return true;
}

void Window::ApplyDpi(int dpi, const RECT* suggested) {
    if (!layout_ || dpi <= 0) return;
    dpi_ = dpi;
    SetPropW(hwnd_, kDpiProperty, reinterpret_cast<HANDLE>(INT_PTR(dpi_)));
    // The old fonts stay alive until no control uses them.
    std::map<const FontSpec*, UniqueFont> old = std::move(fonts_);
    fonts_.clear();
    for (int i = 0; i < layout_->controlCount; ++i) {
        const ControlLayout& c = layout_->controls[i];
        HWND h = control(c.id);
        if (!h) continue;
        SetWindowPos(h, nullptr, Pixels(c.left), Pixels(c.top), Pixels(c.width), Pixels(c.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(h, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontFor(c.font ? c.font : layout_->font)), TRUE);
    }
    RECT r{0, 0, Pixels(layout_->clientWidth), Pixels(layout_->clientHeight)};
    AdjustWindowRectEx(&r, style_, FALSE, exStyle_);
    SetWindowPos(hwnd_, nullptr, suggested ? suggested->left : 0, suggested ? suggested->top : 0,
                 r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (suggested ? 0 : SWP_NOMOVE));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::CenterOnScreen(UINT flags) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | flags);
}

LRESULT CALLBACK Window::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->OnMessage(msg, wParam, lParam);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            auto dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            COLORREF color = GetSysColor(COLOR_BTNTEXT);
            HBRUSH back = GetSysColorBrush(COLOR_BTNFACE);
            for (int i = 0; layout_ && i < layout_->controlCount; ++i) {
                const ControlLayout& c = layout_->controls[i];
                if (c.id != id) continue;
                if (c.kind == ControlKind::Line && c.textColor != kDefaultColor) {
                    return reinterpret_cast<LRESULT>(BrushFor(c.textColor));
                }
                if (c.textColor != kDefaultColor) color = COLORREF(c.textColor);
                if (c.backColor != kDefaultColor) back = BrushFor(c.backColor);
            }
            SetTextColor(dc, color);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(back);
        }
        case WM_SETCURSOR:
            if (HandleBusyCursor()) return TRUE;
            break;
        case kWmDpiChanged:
            ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace velmora
