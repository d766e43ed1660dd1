#include "runtime/dialogs_win.h"

#include <windows.h>

#include "resources/resource.h"
#include "runtime/event_loop_win.h"
#include "runtime/window_win.h"

namespace velmora {

namespace {

UINT StyleOf(const Message& m) {
    UINT style = m.buttons == Buttons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
    if (m.icon == MsgIcon::Critical) style |= MB_ICONHAND;
    if (m.icon == MsgIcon::Question) style |= MB_ICONQUESTION;
    if (m.icon == MsgIcon::Warning) style |= MB_ICONEXCLAMATION;
    if (m.secondButtonDefault) style |= MB_DEFBUTTON2;
    return style | MB_SETFOREGROUND;
}

Answer AnswerOf(int id) {
    switch (id) {
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        case IDOK:
            return Answer::Ok;
    }
    return Answer::Cancel;
}

void WriteLine(std::wstring_view text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!out || out == INVALID_HANDLE_VALUE) return;
    std::wstring line(text);
    line += L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string bytes(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), bytes.data(), n, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(out, bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

struct InputBoxState {
    std::wstring_view title;
    std::wstring_view prompt;
    std::wstring_view defaultText;
    TwipsPoint where;
    std::wstring result;
};

void PlaceDialog(HWND dlg, const InputBoxState& s) {
    RECT r;
    GetWindowRect(dlg, &r);
    const int dpi = ScreenDpi();
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 3;
    if (s.where.x >= 0) x = TwipsToPixels(s.where.x, dpi);
    if (s.where.y >= 0) y = TwipsToPixels(s.where.y, dpi);
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
        case WM_SETCURSOR:
            if (!HandleBusyCursor()) break;
            SetWindowLongPtrW(dlg, DWLP_MSGRESULT, TRUE);
            return TRUE;
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

Win32Dialogs::Win32Dialogs(std::wstring appTitle, bool unattended)
    : appTitle_(std::move(appTitle)), unattended_(unattended) {}

Answer Win32Dialogs::MsgBox(const Message& m) {
    const std::wstring& caption = m.title.empty() ? appTitle_ : m.title;
    if (unattended_) {
        WriteLine(L"[" + caption + L"] " + m.text);
        if (m.buttons == Buttons::Ok) return Answer::Ok;
        return m.secondButtonDefault ? Answer::No : Answer::Yes;
    }
    return AnswerOf(MessageBoxW(GetActiveWindow(), m.text.c_str(), caption.c_str(), StyleOf(m)));
}

std::wstring Win32Dialogs::InputBox(std::wstring_view prompt, std::wstring_view defaultText,
                                    TwipsPoint where) {
    if (unattended_) return std::wstring(defaultText);
    InputBoxState state{appTitle_, prompt, defaultText, where, {}};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INPUTBOX), GetActiveWindow(),
                    InputBoxProc, reinterpret_cast<LPARAM>(&state));
    return state.result;
}

}  // namespace velmora
