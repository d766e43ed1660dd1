#include "main/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "about/about_box_win.h"
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
        MainControls{*form_, *queue_, *removeButton_, *contextMenuBox_, *sameNameBox_, *all_});
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
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::wstring> files = DroppedFiles(drop);
            DragFinish(drop);
            behaviour_->OnFilesDropped(files);
            return 0;
        }
    }
    return DefSubclassProc(list, msg, wParam, lParam);
}

}  // namespace velmora
