#include "runtime/controls_win.h"

#include <commctrl.h>

namespace velmora {

namespace {

TOOLINFOW ToolFor(HWND list, const wchar_t* text) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(list);
    ti.uId = reinterpret_cast<UINT_PTR>(list);
    ti.lpszText = const_cast<wchar_t*>(text);
    return ti;
}

}  // namespace

// Straight to the list box's own procedure: under Wine every message that
// passes a comctl32 subclass (the tooltip's, the main window's) costs a
// trip to the window server, which made rebuilding a list of 60,000 rows
// take seconds. Row operations need none of the subclasses.
LRESULT Win32ListBox::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(listProc_, list_, msg, wParam, lParam);
}

Win32ListBox::Win32ListBox(HWND list)
    : list_(list), listProc_(reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC))) {
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               GetParent(list), nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW ti = ToolFor(list_, L"");
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    // Long paths wrap instead of running off the screen.
    SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 600);
}

Win32ListBox::~Win32ListBox() {
    if (IsWindow(toolTip_)) DestroyWindow(toolTip_);
}

int Win32ListBox::ListCount() const { return int(Send(LB_GETCOUNT, 0, 0)); }

std::wstring Win32ListBox::List(int index) const {
    LRESULT n = Send(LB_GETTEXTLEN, WPARAM(index), 0);
    if (n == LB_ERR) return {};
    std::wstring text(size_t(n) + 1, L'\0');
    n = Send(LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(n == LB_ERR ? 0 : size_t(n));
    return text;
}

// Replacing a row's text keeps the selection where it was.
void Win32ListBox::SetList(int index, std::wstring_view text) {
    if (index < 0 || index >= ListCount()) return;
    LRESULT selected = Send(LB_GETCURSEL, 0, 0);
    LRESULT top = Send(LB_GETTOPINDEX, 0, 0);
    std::wstring copy(text);
    Send(WM_SETREDRAW, FALSE, 0);
    Send(LB_DELETESTRING, WPARAM(index), 0);
    Send(LB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(copy.c_str()));
    if (selected != LB_ERR) Send(LB_SETCURSEL, WPARAM(selected), 0);
    Send(LB_SETTOPINDEX, WPARAM(top), 0);
    Send(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListBox::AddItem(std::wstring_view text) {
    std::wstring copy(text);
    Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void Win32ListBox::RemoveItem(int index) { Send(LB_DELETESTRING, WPARAM(index), 0); }

void Win32ListBox::Clear() { Send(LB_RESETCONTENT, 0, 0); }

int Win32ListBox::ListIndex() const {
    LRESULT selected = Send(LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : int(selected);
}

void Win32ListBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) return;
    Send(LB_SETCURSEL, WPARAM(index), 0);
    if (OnClick) OnClick();
}

void Win32ListBox::SetToolTipText(std::wstring_view text) {
    toolTipText_ = text;
    TOOLINFOW ti = ToolFor(list_, toolTipText_.c_str());
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Win32ListBox::SetRedraw(bool redraw) {
    Send(WM_SETREDRAW, redraw, 0);
    if (redraw) InvalidateRect(list_, nullptr, TRUE);
}

bool Win32Button::Enabled() const { return IsWindowEnabled(button_) != 0; }

void Win32Button::SetEnabled(bool enabled) { EnableWindow(button_, enabled); }

int Win32CheckBox::Value() const {
    return SendMessageW(box_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32CheckBox::SetValue(int value) {
    if (value == Value()) return;
    SendMessageW(box_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

void Win32Form::Hide() { ShowWindow(window_, SW_HIDE); }

void Win32Form::Close() { SendMessageW(window_, WM_CLOSE, 0, 0); }

}  // namespace velmora
