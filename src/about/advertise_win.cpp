#include "about/advertise_win.h"

#include <commctrl.h>

namespace velmora {

namespace {

constexpr wchar_t kPanelClass[] = L"Velmora.Advertise";

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

void RegisterPanelClass(HINSTANCE instance, WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPanelClass;
    registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

AdvertisePanel::AdvertisePanel(HWND parent, int id, int left, int top,
                               AdvertisePanelServices services, AdSettings settings,
                               const PropertyBag& bag)
    : parent_(parent) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterPanelClass(instance, &AdvertisePanel::WndProc);
    HDC dc = GetDC(parent);
    dpi_ = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(parent, dc);
    hwnd_ = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                            TwipsToPixels(left, dpi_), TwipsToPixels(top, dpi_), 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd_) return;  // no panel: the main window works without it
    browsers_ = std::make_unique<Win32Browsers>(hwnd_);
    advertise_ = std::make_unique<Advertise>(
        AdvertiseServices{*browsers_, services.machine, services.codePage, services.dialogs,
                          services.events},
        std::move(settings), [this](TwipsSize size) { Resize(size); });
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    advertise_->ReadProperties(bag);
    SetWindowSubclass(parent_, &AdvertisePanel::ParentProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
    if (IsWindowVisible(parent_)) advertise_->OnShow(true);
}

AdvertisePanel::~AdvertisePanel() {
    if (!hwnd_) return;
    RemoveWindowSubclass(parent_, &AdvertisePanel::ParentProc, reinterpret_cast<UINT_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    advertise_.reset();
    browsers_.reset();
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void AdvertisePanel::Resize(TwipsSize size) {
    SetWindowPos(hwnd_, nullptr, 0, 0, TwipsToPixels(size.width, dpi_),
                 TwipsToPixels(size.height, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK AdvertisePanel::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<AdvertisePanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_SIZE) self->advertise_->OnResize();
    if (self && msg == WM_DESTROY) {
        // The parent is going: let go of the browser while its window lives.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->advertise_.reset();
        self->browsers_.reset();
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The panel is shown whenever its parent is.
LRESULT CALLBACK AdvertisePanel::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR self) {
    auto* panel = reinterpret_cast<AdvertisePanel*>(self);
    if (msg == WM_SHOWWINDOW && wParam && panel->advertise_) panel->advertise_->OnShow(true);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace velmora
