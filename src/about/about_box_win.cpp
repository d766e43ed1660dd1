#include "about/about_box_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "about/about_settings.h"
#include "about/version_info_win.h"
#include "resources/about_layout.h"
#include "runtime/event_loop_win.h"

namespace velmora {

namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraAboutBox";
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kMakerName[] = L"Tarvik软件";

std::wstring TextOf(HWND h) {
    std::wstring text(size_t(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(h, text.data(), int(text.size()))));
    return text;
}

}  // namespace

AboutBoxWin::AboutBoxWin(HWND owner, const AboutTexts& texts, std::wstring exeName, HICON icon,
                         Processes& processes)
    : owner_(owner), exeName_(std::move(exeName)), icon_(icon), processes_(processes) {
    if (!Create({kWindowClass, kWindowStyle, kWindowExStyle, owner}, kAboutLayout)) return;
    SetWindowTextW(hwnd(), texts.caption.c_str());
    SetDlgItemTextW(hwnd(), kIdAboutProduct, texts.productName.c_str());
    SetDlgItemTextW(hwnd(), kIdAboutVersion, texts.version.c_str());
    SetDlgItemTextW(hwnd(), kIdAboutDescription, texts.description.c_str());
    SetDlgItemTextW(hwnd(), kIdAboutRights, kRightsNotice);
    SetDlgItemTextW(hwnd(), kIdAboutHomePage, kHomePage);
    SetDlgItemTextW(hwnd(), kIdAboutEmail, kEmail);
    SetDlgItemTextW(hwnd(), kIdAboutLocation, kLocation);
    SetDlgItemTextW(hwnd(), kIdAboutImNumber, (std::wstring(kAboutImPrefix) + kImNumber).c_str());

    // The picture is stretched to the control, not the control to it.
    HWND image = control(kIdAboutIcon);
    SetWindowLongPtrW(image, GWL_STYLE, GetWindowLongPtrW(image, GWL_STYLE) | SS_REALSIZECONTROL);
    if (icon_) SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    SetWindowPos(image, nullptr, 0, 0, Pixels(640), Pixels(640), SWP_NOMOVE | SWP_NOZORDER);

    tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control(kIdAboutHomePage));
    tool.lpszText = const_cast<wchar_t*>(kAboutHomePageTip);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    // The box sees every key before its controls do.
    for (const ControlLayout& c : kAboutControls) {
        SetWindowSubclass(control(c.id), &AboutBoxWin::ControlProc, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    SelectEmail();
    created_ = true;
}

AboutBoxWin::~AboutBoxWin() {
    if (!IsWindow(hwnd())) return;
    for (const ControlLayout& c : kAboutControls) {
        RemoveWindowSubclass(control(c.id), &AboutBoxWin::ControlProc, kSubclassId);
    }
}

void AboutBoxWin::Show() {
    CenterOnScreen(SWP_SHOWWINDOW);
    SetFocus(control(kIdAboutSystemInfo));
}

void AboutBoxWin::SelectEmail() { SendMessageW(control(kIdAboutEmail), EM_SETSEL, 0, -1); }

void AboutBoxWin::Close() {
    // The owner comes back before the box goes, so that it is activated.
    if (owner_) EnableWindow(owner_, TRUE);
    DestroyWindow(hwnd());
}

LRESULT CALLBACK AboutBoxWin::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
    auto* box = reinterpret_cast<AboutBoxWin*>(self);
    if (msg == WM_KEYUP && wParam == VK_ESCAPE) {
        box->Close();
        return 0;
    }
    LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
    if (msg == WM_LBUTTONDBLCLK && GetDlgCtrlID(hwnd) == kIdAboutEmail) box->SelectEmail();
    return result;
}

LRESULT AboutBoxWin::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!created_) return Window::OnMessage(msg, wParam, lParam);
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_KEYUP:
            if (wParam == VK_ESCAPE) Close();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
    }
    return Window::OnMessage(msg, wParam, lParam);
}

void AboutBoxWin::OnCommand(int id, int code) {
    switch (id) {
        case kIdAboutSystemInfo:
            if (code == BN_CLICKED) ShellAboutW(hwnd(), exeName_.c_str(), kMakerName, icon_);
            break;
        case kIdAboutHomePage:
            if (code == STN_CLICKED) OpenAddress(processes_, TextOf(control(kIdAboutHomePage)));
            break;
        case kIdAboutLocation:
            if (code == STN_CLICKED) OpenAddress(processes_, kHomePage);
            break;
    }
}

void ShowAboutBox(HWND owner, Processes& processes) {
    MessageBeep(MB_OK);
    // The icon of the window that is active now: the one that opens the box.
    HWND active = GetActiveWindow();
    HICON icon = active ? reinterpret_cast<HICON>(GetClassLongPtrW(active, GCLP_HICON)) : nullptr;
    const std::wstring exeName = RunningExeName();
    AboutBoxWin box(owner, MakeAboutTexts(exeName, ReadVersionFacts(RunningExePath())), exeName,
                    icon, processes);
    if (!box.created()) return;
    if (owner) EnableWindow(owner, FALSE);
    box.Show();
    MSG msg;
    while (IsWindow(box.hwnd())) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(int(msg.wParam));  // for the main loop
            break;
        }
        DispatchOne(msg);
    }
    if (owner) EnableWindow(owner, TRUE);
}

}  // namespace velmora
