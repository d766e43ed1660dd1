#include "main/form1_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <vector>

#include "resources/form1_layout.h"
#include "resources/resource.h"
#include "runtime/message_loop_win.h"

namespace velmora {

namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraForm1";
constexpr wchar_t kPanelClass[] = L"VelmoraAdvertisePanel";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

HFONT MakeFont(int centiPoints, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(centiPoints, dpi, 7200);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, kFormFontFace);
    return CreateFontIndirectW(&lf);
}

// The mouse and key handlers take buttons as a mask (1 left, 2 right,
// 4 middle) and the shift state as one too (1 Shift, 2 Ctrl, 4 Alt).
int ButtonsFromKeys(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
           ((keys & MK_MBUTTON) ? 4 : 0);
}

int ShiftState() {
    return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
           ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
    std::vector<std::wstring> files;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), UINT(path.size())));
        files.push_back(std::move(path));
    }
    return files;
}

}  // namespace

Form1Window::Form1Window(Platform& platform) : platform_(platform) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static bool registered = false;
    if (!registered) {
        registered = true;
        // The advertisement panel's own control replaces this plain panel.
        RegisterWindowClass(instance, kPanelClass, DefWindowProcW, nullptr);
        RegisterWindowClass(instance, kWindowClass, &Form1Window::WndProc,
                            LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELMORA)));
    }

    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    normalFont_ = MakeFont(kNormalFontCentiPoints, dpi_);
    smallFont_ = MakeFont(kSmallFontCentiPoints, dpi_);
    faceBrush_ = GetSysColorBrush(COLOR_BTNFACE);

    RECT r{0, 0, TwipsToPixels(kForm1ClientWidth, dpi_), TwipsToPixels(kForm1ClientHeight, dpi_)};
    AdjustWindowRectEx(&r, kWindowStyle, FALSE, 0);
    CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, kForm1Caption, kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                    this);
    CreateControls();

    form_ = std::make_unique<Win32Form>(hwnd_);
    list_ = std::make_unique<Win32ListBox>(control(kIdL));
    command2_ = std::make_unique<Win32Button>(control(kIdCommand2));
    check1_ = std::make_unique<Win32CheckBox>(control(kIdCheck1));
    ch_ = std::make_unique<Win32CheckBox>(control(kIdCh));
    form1_ = std::make_unique<Form1>(platform_,
                                     Form1Controls{*form_, *list_, *command2_, *check1_, *ch_});
    list_->OnClick = [this] { form1_->L_Click(); };
    check1_->OnClick = [this] { form1_->Check1_Click(); };
    SetWindowSubclass(control(kIdL), &Form1Window::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    DragAcceptFiles(control(kIdL), TRUE);
}

Form1Window::~Form1Window() {
    if (IsWindow(hwnd_)) {
        RemoveWindowSubclass(control(kIdL), &Form1Window::ListProc, 1);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    DeleteObject(normalFont_);
    DeleteObject(smallFont_);
}

void Form1Window::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlLayout& c : kForm1Layout) {
        const wchar_t* cls = L"BUTTON";
        DWORD style = WS_CHILD | (c.visible ? WS_VISIBLE : 0);
        DWORD exStyle = 0;
        switch (c.kind) {
            case ControlKind::Button:
                style |= WS_TABSTOP | BS_PUSHBUTTON;
                break;
            case ControlKind::CheckBox:
                style |= WS_TABSTOP | BS_AUTOCHECKBOX;
                break;
            case ControlKind::ListBox:
                cls = L"LISTBOX";
                style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case ControlKind::Label:
                cls = L"STATIC";
                style |= SS_LEFT | SS_NOPREFIX;
                break;
            case ControlKind::Panel:
                cls = kPanelClass;
                break;
        }
        HWND h = CreateWindowExW(
            exStyle, cls, c.caption, style, TwipsToPixels(c.left, dpi_), TwipsToPixels(c.top, dpi_),
            TwipsToPixels(c.width, dpi_), TwipsToPixels(c.height, dpi_), hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(
            h, WM_SETFONT,
            reinterpret_cast<WPARAM>(c.font == ControlFont::Small ? smallFont_ : normalFont_),
            FALSE);
        if (c.checked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    }
}

void Form1Window::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    SetFocus(control(kIdL));  // first in the tab order
}

LRESULT CALLBACK Form1Window::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<Form1Window*>(cs->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Messages sent while the window is being built go to the default.
    if (!self || !self->form1_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->OnMessage(msg, wParam, lParam);
}

LRESULT Form1Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, reinterpret_cast<HWND>(lParam) == control(kIdLabel1)
                                 ? COLORREF(kLabel1TextColor)
                                 : GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(faceBrush_);
        }
        case WM_SETCURSOR:
            if (HandleBusyCursor()) return TRUE;
            break;
        case WM_CLOSE:
            form1_->Form_Unload();
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void Form1Window::OnCommand(int id, int code) {
    if (id == kIdL) {
        if (code == LBN_SELCHANGE) form1_->L_Click();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdCommand1:
            form1_->Command1_Click();
            break;
        case kIdCommand2:
            form1_->Command2_Click();
            break;
        case kIdCommand3:
            form1_->Command3_Click();
            break;
        case kIdCommand4:
            form1_->Command4_Click();
            break;
        case kIdCommand5:
            form1_->Command5_Click();
            break;
        case kIdCheck1:
            check1_->OnClick();
            break;
    }
}

LRESULT CALLBACK Form1Window::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    return reinterpret_cast<Form1Window*>(self)->OnListMessage(hwnd, msg, wParam, lParam);
}

// The list box does its own work first (a press selects the row under the
// pointer, a move while captured drags the selection), then the handler runs.
LRESULT Form1Window::OnListMessage(HWND list, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            LRESULT r = DefSubclassProc(list, msg, wParam, lParam);
            form1_->L_MouseDown(kMouseLeft, ShiftState(), GET_X_LPARAM(lParam),
                                GET_Y_LPARAM(lParam));
            return r;
        }
        case WM_MOUSEMOVE: {
            LRESULT r = DefSubclassProc(list, msg, wParam, lParam);
            form1_->L_MouseMove(ButtonsFromKeys(wParam), ShiftState(), GET_X_LPARAM(lParam),
                                GET_Y_LPARAM(lParam));
            return r;
        }
        case WM_KEYDOWN:
            form1_->L_KeyDown(int(wParam), ShiftState());
            break;
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::wstring> files = DroppedFiles(drop);
            DragFinish(drop);
            form1_->L_OLEDragDrop(files);
            return 0;
        }
    }
    return DefSubclassProc(list, msg, wParam, lParam);
}

}  // namespace velmora
