#include "main/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "about/about_box_win.h"
#include "addfiles/progress_window_win.h"
#include "resources/main_window_layout.h"
#include "resources/resource.h"

namespace velmora {

namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraMainWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int ButtonsFromKeys(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
           ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), UINT(path.size())));
        files.push_back(std::move(path));
    }
    return files;
}

void HandleDrop(MainWindow& behaviour, WPARAM wParam) {
    auto drop = reinterpret_cast<HDROP>(wParam);
    std::vector<std::wstring> files = DroppedFiles(drop);
    DragFinish(drop);
    behaviour.OnFilesDropped(files);
}

// The empty queue shows what to do, centred in grey in the list's font.
void PaintQueueHint(HWND list, HDC dc) {
    RECT area;
    GetClientRect(list, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ oldFont = SelectObject(dc, HFONT(SendMessageW(list, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT text = area;
    DrawTextW(dc, kQueueHint, -1, &text, kFormat | DT_CALCRECT);
    area.top = std::max(area.top, (area.top + area.bottom - (text.bottom - text.top)) / 2);
    DrawTextW(dc, kQueueHint, -1, &area, kFormat);
    SelectObject(dc, oldFont);
}

}  // namespace

MainWindowWin::MainWindowWin(Services services) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VELMORA));
    if (!Create({kWindowClass, kWindowStyle, WS_EX_CONTROLPARENT, nullptr, icon}, kMainLayout)) {
        return;
    }
    form_ = std::make_unique<Win32Form>(hwnd());
    queue_ = std::make_unique<Win32ListBox>(control(kIdQueue));
    removeButton_ = std::make_unique<Win32Button>(control(kIdRemove));
    contextMenuBox_ = std::make_unique<Win32CheckBox>(control(kIdContextMenuBox));
    sameNameBox_ = std::make_unique<Win32CheckBox>(control(kIdSameNameBox));
    all_ = std::make_unique<Win32ControlCollection>(hwnd());
    behaviour_ = std::make_unique<MainWindow>(
        services,
        MainControls{*form_, *queue_, *removeButton_, *contextMenuBox_, *sameNameBox_, *all_},
        &MakeProgressWindow);
    queue_->OnClick = [this] { behaviour_->OnQueueClicked(); };
    contextMenuBox_->OnClick = [this] { behaviour_->OnContextMenuBoxClicked(); };
    behaviour_->openAboutBox = [this, services] { ShowAboutBox(hwnd(), services.processes); };
    advertisement_ = std::make_unique<AdvertisePanel>(
        control(kIdAdvertisement),
        AdvertisePanelServices{machine_, codePage_, services.dialogs, services.events},
        BuiltInAdSettings());
    SetWindowSubclass(control(kIdQueue), &MainWindowWin::QueueProc, 1,
                      reinterpret_cast<DWORD_PTR>(this));
    DragAcceptFiles(control(kIdQueue), TRUE);
    // Files dropped anywhere on the window, on any of its controls, join
    // the queue too.
    DragAcceptFiles(hwnd(), TRUE);
}

MainWindowWin::~MainWindowWin() {
    if (IsWindow(hwnd())) RemoveWindowSubclass(control(kIdQueue), &MainWindowWin::QueueProc, 1);
}

void MainWindowWin::Show(int showCommand) {
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    SetFocus(control(kIdQueue));  // first in the tab order
}

LRESULT MainWindowWin::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Messages sent while the window is being built go to the default.
    if (!behaviour_) return Window::OnMessage(msg, wParam, lParam);
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            behaviour_->OnUnload();
            DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_DROPFILES:
            HandleDrop(*behaviour_, wParam);
            return 0;
    }
    return Window::OnMessage(msg, wParam, lParam);
}

void MainWindowWin::OnCommand(int id, int code) {
    if (id == kIdQueue) {
        if (code == LBN_SELCHANGE) behaviour_->OnQueueClicked();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdAddFiles:
            behaviour_->OnAddFilesClicked();
            break;
        case kIdRemove:
            behaviour_->OnRemoveClicked();
            break;
        case kIdClear:
            behaviour_->OnClearClicked();
            break;
        case kIdAbout:
            behaviour_->OnAboutClicked();
            break;
        case kIdViewResults:
            behaviour_->OnViewResultsClicked();
            break;
        case kIdContextMenuBox:
            contextMenuBox_->OnClick();
            break;
    }
}

LRESULT CALLBACK MainWindowWin::QueueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<MainWindowWin*>(self)->OnQueueMessage(hwnd, msg, wParam, lParam);
}

// For the mouse the list box does its own work first (a press selects the
// row under the pointer, a move while captured drags the selection), then
// the handler runs. Keys and drops go to the handler first.
LRESULT MainWindowWin::OnQueueMessage(HWND list, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            const LRESULT r = DefSubclassProc(list, msg, wParam, lParam);
            behaviour_->OnQueueMouseDown(kLeftButton);
            return r;
        }
        case WM_MOUSEMOVE: {
            const LRESULT r = DefSubclassProc(list, msg, wParam, lParam);
            behaviour_->OnQueueMouseMove(ButtonsFromKeys(wParam));
            return r;
        }
        case WM_KEYDOWN:
            behaviour_->OnQueueKeyDown(wParam == VK_DELETE ? Key::Delete : Key::Other);
            break;
        case WM_DROPFILES:
            HandleDrop(*behaviour_, wParam);
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            if (SendMessageW(list, LB_GETCOUNT, 0, 0) != 0) break;
            if (msg == WM_PRINTCLIENT) {
                PaintQueueHint(list, reinterpret_cast<HDC>(wParam));
            } else {
                PAINTSTRUCT ps;
                PaintQueueHint(list, BeginPaint(list, &ps));
                EndPaint(list, &ps);
            }
            return 0;
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT: {
            // The hint comes and goes with the first row.
            const bool wasEmpty = SendMessageW(list, LB_GETCOUNT, 0, 0) == 0;
            const LRESULT r = DefSubclassProc(list, msg, wParam, lParam);
            if (wasEmpty != (SendMessageW(list, LB_GETCOUNT, 0, 0) == 0)) {
                InvalidateRect(list, nullptr, TRUE);
            }
            return r;
        }
    }
    return DefSubclassProc(list, msg, wParam, lParam);
}

}  // namespace velmora
