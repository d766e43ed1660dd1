// The modal input box: a prompt, a text field, OK and Cancel.
#include <windows.h>

#include "resources/resource.h"
#include "runtime/platform_win.h"

namespace velmora {

namespace {

struct InputBoxState {
    std::wstring_view title;
    std::wstring_view prompt;
    std::wstring_view defaultText;
    int xTwips;
    int yTwips;
    std::wstring result;
};

void PlaceDialog(HWND dlg, const InputBoxState& s) {
    RECT r;
    GetWindowRect(dlg, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 3;
    if (s.xTwips >= 0) x = MulDiv(s.xTwips, dpiX, 1440);
    if (s.yTwips >= 0) y = MulDiv(s.yTwips, dpiY, 1440);
    SetWindowPos(dlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK InputBoxProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            s = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            SetWindowTextW(dlg, std::wstring(s->title).c_str());
            SetDlgItemTextW(dlg, IDC_INPUTBOX_PROMPT, std::wstring(s->prompt).c_str());
            SetDlgItemTextW(dlg, IDC_INPUTBOX_TEXT, std::wstring(s->defaultText).c_str());
            SendDlgItemMessageW(dlg, IDC_INPUTBOX_TEXT, EM_SETSEL, 0, -1);
            PlaceDialog(dlg, *s);
            SetFocus(GetDlgItem(dlg, IDC_INPUTBOX_TEXT));
            return FALSE;  // focus set here
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                HWND edit = GetDlgItem(dlg, IDC_INPUTBOX_TEXT);
                std::wstring text(size_t(GetWindowTextLengthW(edit)) + 1, L'\0');
                text.resize(size_t(GetWindowTextW(edit, text.data(), int(text.size()))));
                s->result = std::move(text);
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

std::wstring Win32Platform::InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                                     int xTwips, int yTwips) {
    InputBoxState state{appTitle_, prompt, defaultText, xTwips, yTwips, {}};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INPUTBOX), GetActiveWindow(),
                    InputBoxProc, reinterpret_cast<LPARAM>(&state));
    return state.result;
}

}  // namespace velmora
